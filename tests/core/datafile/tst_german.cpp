// Runs with LC_ALL=de_DE.UTF-8: Qt switches the C library to it, yet data files keep
// "," from explicit formatting and dates get four-digit years.
#include "datafile/DataFile.h"
#include "datafile/SeriesData.h"
#include "settings/SettingsFile.h"
#include "plant/Plant.h"
#include "support/SharedState.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

class TstGerman : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QLocale().language() != QLocale::German)
            QSKIP("German locale not in effect");
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 55.5);
        if (QByteArray(buf) != "55,5")
            qInfo("the C library kept its number format (de_DE not generated); Qt's locale is German");
    }

    void numbersAndDates()
    {
        const support::SharedStateGuard guard;
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetProgramFolder(dir.path());

        TLiveValues v;
        v.T5 = 62, v.T4 = 60, v.T3 = 58, v.T2 = 55, v.T1 = 40, v.RefMarke = 25, v.O2 = 209;
        v.Betriebsart = 3, v.Luefterlaufzeit = 120, v.LuefterZyklen = 15;
        QCOMPARE(FormatDataLine(1, "08.12.2026  14:30", v),
                 QString("1;08.12.2026  14:30;   62;   60;   58;   55;   40;   25; 20,9;3;  120;   15;"));

        Plants().PlantTable[3].Name = "Miete 3";
        Plants().PlantTable[3].Pfad = Settings().ProgramFolder;
        MakeDataFileName(3);
        QVERIFY(Plants().PlantTable[3].Datei.endsWith("/Miete-3_08-12-2026.CSV"));
        QVERIFY(OpenDataFile(3));
        CloseDataFile(3);
        QFile f(Plants().PlantTable[3].Datei);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("\r\nErste Datensicherung : 08.12.2026\r\n"));

        QVERIFY(ini.WriteFloat("COM", "REFTEMP", 57.5));
        QCOMPARE(ini.ReadString("COM", "REFTEMP", ""), QString("57,5"));
        QCOMPARE(ini.ReadFloat("COM", "REFTEMP", 0), 57.5);

        QStringList lines{FormatDataLine(1, "08.12.2026  14:30", v)};
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, true, false, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.Values[SeriesO2][1], 20.9);
        QCOMPARE(p.Labels, QStringList{"08.12.2026  14:30"});
        Settings().SettingsFile = nullptr;
    }
};

QTEST_GUILESS_MAIN(TstGerman)
#include "tst_german.moc"
