#include "piles/Interrupted.h"

#include "base/AtomicFile.h"
#include "base/TextCodec.h"
#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString NotePath() { return Settings().ProgramFolder + QStringLiteral("transfer.note"); }

// The stamp of the file's last whole data line; invalid when it has none.
QDateTime LastStamp(const DataFileContent &content, qint64 lines)
{
    for (qint64 i = lines - 1; i >= 0; --i) {
        const QStringView line(content.Lines[i]);
        const qsizetype a = line.indexOf(u';'), b = a < 0 ? -1 : line.indexOf(u';', a + 1);
        TStoredStamp stamp;
        const QStringView text = b > a ? line.mid(a + 1, b - a - 1).trimmed() : QStringView();
        const qsizetype blank = text.indexOf(u' ');
        const QList<QStringView> date = text.left(blank).split(u'.'), time = text.mid(blank + 1).trimmed().split(u':');
        if (blank < 0 || date.size() != 3 || time.size() != 2)
            continue;
        stamp.Day = date[0].toString(), stamp.Month = date[1].toString(), stamp.Year = date[2].toString();
        stamp.Hour = time[0].toString(), stamp.Minute = time[1].toString();
        const QDateTime when = StampDateTime(stamp);
        if (when.isValid())
            return when;
    }
    return {};
}

// Records the plant stored since the cut transfer began: its records are stored
// every `interval` minutes, the last one it then held `held` intervals after the
// file's last record (`last`), and each since then up to its clock now.
qint64 StoredSince(int plant, const QDateTime &last, qint64 held, qint64 &storedNow)
{
    if (!last.isValid() || !ReadPlantSetup(plant))
        return 0;
    const qint64 interval = LinkValues().PlantSetup.Speicher;
    if (interval < 1 || interval > 1440)
        return 0;
    const QDateTime newestHeld = last.addSecs(held * interval * 60);
    auto since = [&](const QDateTime &clock) { return std::max<qint64>(0, newestHeld.secsTo(clock) / (interval * 60)); };
    // Clock, count, clock: a record stored in between would be counted once but not
    // the other; then the pair is read again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        QDateTime before, after;
        if (!ReadPlantClockTime(plant, before) || !ReadStoredRecordCount(plant))
            return 0;
        storedNow = LinkValues().StoredCount;
        if (!ReadPlantClockTime(plant, after))
            return 0;
        if (since(before) == since(after))
            return since(after);
    }
    return 0;
}

} // namespace

void NoteTransferStart(int plant, int count, const QDateTime &now)
{
    if (Settings().ProgramFolder.isEmpty() || plant < 1 || plant > MaxPlants)
        return;
    const TAnlageParameter &p = Plants().PlantTable[plant];
    const QString text = QString::number(plant) + u'\t' + QString::number(count) + u'\t'
                         + QString::number(p.Anzahl) + u'\t' + p.Datei + u'\t'
                         + now.toString(Qt::ISODate) + QStringLiteral("\r\n");
    WriteFileAtomically(NotePath(), EncodeText(text));   // no room: the transfer still runs
}

void NoteTransferEnd()
{
    if (!Settings().ProgramFolder.isEmpty())
        QFile::remove(NotePath());
}

QString CheckInterruptedTransfer()
{
    if (Settings().ProgramFolder.isEmpty() || !QFileInfo::exists(NotePath()))
        return {};
    QFile f(NotePath());
    // A FIFO or a device in its place would block the read for good.
    if (!QFileInfo(NotePath()).isFile())
        return QCoreApplication::translate("Piles", "%1 ist keine gewöhnliche Datei; ob eine abgebrochene Übertragung "
                                                    "Messwerte verloren hat, kann nicht geprüft werden.")
            .arg(QDir::toNativeSeparators(NotePath()));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList v = DecodeText(f.readAll()).trimmed().split(u'\t');
    f.close();
    const int plant = v.value(0).toInt();
    if (v.size() < 5 || plant < 1 || plant > MaxPlants) {
        NoteTransferEnd();
        return {};
    }
    const TAnlageParameter &p = Plants().PlantTable[plant];
    if (!p.Present)
        return {};          // asked again at the next start
    const int counted = v[1].toInt();
    const qint64 linesBefore = v[2].toLongLong();
    const QString file = v[3];
    const QDateTime when = QDateTime::fromString(v[4], Qt::ISODate);
    NoteTransferEnd();
    if (!p.Running || !SameDataFile(p.Datei, file))
        return {};
    DataFileContent content;
    if (!LoadDataFile(file, content, nullptr) || !content.FileValid)
        return {};
    const PollPause pause;
    if (!ReadStoredRecordCount(plant))
        return {};
    qint64 storedNow = LinkValues().StoredCount;
    // A last line torn by the cut holds no record: that record is lost too.
    QFile data(file);
    const bool torn = data.open(QIODevice::ReadOnly) && data.size() > 0 && data.seek(data.size() - 1) && data.read(1) != "\n";
    const qint64 whole = content.LineCount - (torn ? 1 : 0);
    const qint64 taken = whole - linesBefore;
    if (taken < 0)
        return {};
    // What the plant holds now is what it held then, less the records taken and
    // lost, plus those it stored since: a record stored since the cut must not hide
    // a lost one (a PC down overnight stores many).
    const qint64 stored = StoredSince(plant, LastStamp(content, whole), counted - taken, storedNow);
    const qint64 lost = std::min<qint64>(counted - taken, counted - taken - (storedNow - stored));
    if (lost <= 0)
        return {};
    DataFileContent::Lost entry;
    entry.afterRecord = whole;
    entry.count = int(lost);
    entry.when = when;
    entry.plant = plant;
    RecordLostInFlight(file, entry);
    return LostInFlightText(entry);
}
