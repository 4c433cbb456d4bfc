#pragma once
// A data file of `lines` half-hourly records from `first` on, written through the
// program's own writer into the program folder (set by the caller) and made on that
// day; its path, or empty on failure.

#include "datafile/DataFile.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <QDate>
#include <QString>

inline QString WriteBenchDataFile(int lines, QDate first = QDate(2026, 1, 1))
{
    SetDataFileToday([first] { return first; });
    Plants().PlantTable[1].Name = QStringLiteral("Bench");
    Plants().PlantTable[1].Pfad = Settings().ProgramFolder;
    MakeDataFileName(1);
    if (!OpenDataFile(1))
        return {};
    TLiveValues v;
    for (int i = 0; i < lines; ++i) {
        const int minutes = i * 30;
        const QDate d = first.addDays(minutes / 1440);
        v.T5 = 40 + i % 30, v.T4 = 45 + i % 25, v.T3 = 50 + i % 20, v.T2 = 55 + i % 15, v.T1 = 20 + i % 10;
        v.O2 = 150 + i % 60, v.Betriebsart = quint8(i % 4), v.Luefterlaufzeit = i, v.LuefterZyklen = i / 3;
        ComputeRefDepth(v);
        const QString stamp = QStringLiteral("%1.%2.%3  %4:%5")
                                  .arg(d.day(), 2, 10, QChar(u'0')).arg(d.month(), 2, 10, QChar(u'0')).arg(d.year())
                                  .arg(minutes % 1440 / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
        if (!AppendDataLine(1, stamp, v))
            return {};
    }
    CloseDataFile(1);
    SetDataFileToday({});
    return Plants().PlantTable[1].Datei;
}
