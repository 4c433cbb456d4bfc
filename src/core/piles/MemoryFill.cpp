#include "piles/MemoryFill.h"

#include "datafile/DataFile.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <array>

namespace {

struct PlantFill {
    int interval = 0;           // minutes from the set-up; 0: not read
    qint32 count = -1;          // Stored as last seen
    QDateTime countSeen;        // when that count was first seen
    QString file;               // the file the fallback below was read from
    qint32 fileRecords = -1;    // its Anzahl then
    QDateTime fileLast;         // its last record's stamp
    int fileInterval = 0;       // the spacing of its last two records (minutes)
    QDate started;              // the pile's first day, from the file's name
    QDateTime runningSeen;      // when the pile was first seen running
};

std::array<PlantFill, MaxPlants + 1> &Fills()
{
    static std::array<PlantFill, MaxPlants + 1> fills;
    return fills;
}

bool Valid(int plant) { return plant >= 1 && plant <= MaxPlants; }

// "Miete_7_08-12-2026.CSV", "Miete_7_08-12-2026-2.CSV": the day the pile started.
QDate StartedOn(const QString &file)
{
    static const QRegularExpression date(QStringLiteral("_(\\d\\d)-(\\d\\d)-(\\d{4})(?:-\\d+)?\\.csv$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = date.match(QFileInfo(file).fileName());
    return m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()) : QDate();
}

} // namespace

void NoteStorageInterval(int plant, int minutes)
{
    if (Valid(plant) && minutes >= 1 && minutes <= 1440)
        Fills()[plant].interval = minutes;
}

int WaitingRecords(int plant, const QDateTime &now)
{
    if (!Valid(plant) || !Plants().PlantTable[plant].Running) {
        if (Valid(plant))
            Fills()[plant].runningSeen = QDateTime();
        return -1;
    }
    const TAnlageParameter &slot = Plants().PlantTable[plant];
    PlantFill &f = Fills()[plant];
    if (!f.runningSeen.isValid())
        f.runningSeen = now;
    if (slot.Stored != f.count) {
        f.count = slot.Stored;
        f.countSeen = now;
    }
    // The file is read again only when a transfer changed it.
    if (f.file != slot.Datei || f.fileRecords != slot.Anzahl) {
        f.file = slot.Datei;
        f.fileRecords = slot.Anzahl;
        QDateTime before;
        f.fileLast = LastRecordStamp(slot.Datei, &before);
        const qint64 spacing = before.isValid() ? before.secsTo(f.fileLast) / 60 : 0;
        f.fileInterval = spacing >= 1 && spacing <= 1440 ? int(spacing) : 0;
        f.started = StartedOn(slot.Datei);
    }
    const int interval = f.interval > 0 ? f.interval : f.fileInterval > 0 ? f.fileInterval : DefaultStorageMinutes;
    qint64 base = 0;
    QDateTime since = f.runningSeen;
    if (f.count >= 0) {
        base = f.count;
        since = f.countSeen;
    } else if (f.fileLast.isValid()) {
        // Plant clocks are wall clocks without a zone, as the stamps are.
        since = QDateTime(f.fileLast.date(), f.fileLast.time());
    } else if (f.started.isValid()) {
        // Nothing moved yet: the plant has stored since the pile's first day (the
        // file is named after it), also from before this program started.
        since = QDateTime(f.started, QTime(0, 0));
    }
    const qint64 minutes = qMax<qint64>(0, since.secsTo(now) / 60);
    return int(qMin<qint64>(PlantMemoryRecords, base + minutes / interval));
}

QString MemoryWarningText(int plant, const QDateTime &now)
{
    const int waiting = WaitingRecords(plant, now);
    if (waiting < MemoryWarnRecords)
        return {};
    return QCoreApplication::translate("Piles", "Speicher von Anlage %1 zu %2 % voll – bitte auslesen")
        .arg(plant + Settings().DisplayOffset)
        .arg(waiting * 100 / PlantMemoryRecords);
}

void ResetMemoryFill() { Fills() = {}; }
