#include "piles/Interrupted.h"

#include "base/AtomicFile.h"
#include "base/TextCodec.h"
#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString NotePath() { return Settings().ProgramFolder + QStringLiteral("transfer.note"); }

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
    // What the plant still held had it lost nothing: records stored since the cut
    // can only hide a loss, never make one up.
    const qint64 taken = content.LineCount - linesBefore;
    const qint64 lost = counted - taken - LinkValues().StoredCount;
    if (lost <= 0 || taken < 0)
        return {};
    DataFileContent::Lost entry;
    entry.afterRecord = content.LineCount;
    entry.count = int(lost);
    entry.when = when;
    entry.plant = plant;
    RecordLostInFlight(file, entry);
    return LostInFlightText(entry);
}
