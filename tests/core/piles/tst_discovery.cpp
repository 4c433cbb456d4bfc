// Discovery without a window: what the status reads mean for each plant's pile.

#include "datafile/DataFile.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "piles/Discovery.h"
#include "piles/Piles.h"
#include "plantsim/Bus.h"
#include "settings/SettingsFile.h"
#include "support/Files.h"
#include "support/SharedState.h"
#include "support/SimLine.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using support::Plant;

} // namespace

class TstDiscovery : public QObject {
    Q_OBJECT
private slots:
    void bookkeepingAfterTheStatusReads()
    {
        const support::SharedStateGuard guard;
        QTemporaryDir home;
        SetProgramFolder(home.path());
        QVERIFY(support::WriteAll(home.filePath("Haldrix.ini"),
                                  "[3]\r\nName=Nord\r\nDatei=/alt/Nord.CSV\r\nAnzahl=12\r\n[7]\r\nName=Sued\r\n"));
        TSettingsFile ini(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

        plantsim::BusConfig config;
        config.plants = {Plant(3, false, 1), Plant(7, true, ModeControl)};
        plantsim::Bus bus(config);
        TLink link;
        support::PlugIn(link, bus);
        LinkValues().BaseTimeout = 10;
        Plants().PlantCount = 8;
        link.OpenLink();
        QVERIFY(link.LeseTimer()->isActive());

        QList<int> progress;
        bool pausedMeanwhile = true;
        RunPlantDiscovery([&](int n) {
            progress << n;
            pausedMeanwhile = pausedMeanwhile && !link.LeseTimer()->isActive() && PollPause::Active();
        });
        QCOMPARE(progress, QList<int>({1, 2, 3, 4, 5, 6, 7, 8}));
        QVERIFY(pausedMeanwhile);
        QVERIFY(link.LeseTimer()->isActive());          // running again afterwards
        QVERIFY(!PollPause::Active());
        QVERIFY(!Settings().LearnRequest);

        QVERIFY(Plants().PlantTable[3].Present && !Plants().PlantTable[3].Running);
        QVERIFY(Plants().PlantTable[3].Datei.isEmpty());         // no pile: no file
        QCOMPARE(Plants().PlantTable[3].Anzahl, 0);
        QVERIFY(Plants().PlantTable[7].Present && Plants().PlantTable[7].Running);
        QCOMPARE(Plants().PlantTable[7].Mode, quint8(ModeO2Control));   // control mode held as O2 regulation
        QVERIFY(Plants().PlantTable[7].Datei.endsWith("/Sued_08-12-2026.CSV"));   // a running pile gets a file
        QCOMPARE(ini.ReadString("7", "Datei", ""), Plants().PlantTable[7].Datei);
        QCOMPARE(Plants().SelectedPlant, quint16(3));            // the first plant present
        Settings().SettingsFile = nullptr;
    }

    // Plant 3 ended "Nord", plant 7 went on with its file (or the other way round):
    // the running pile keeps the file in either plant order and the next transfer
    // appends to it. Only two running piles are a conflict, and told.
    void sharedFileStaysWithTheRunningPile_data()
    {
        QTest::addColumn<bool>("run3");
        QTest::addColumn<bool>("run7");
        QTest::addColumn<int>("keeper");
        QTest::addColumn<QString>("notice");
        QTest::addRow("ended 3, running 7") << false << true << 7 << QString();
        QTest::addRow("running 3, ended 7") << true << false << 3 << QString();
        QTest::addRow("silent 3, running 7") << false << true << 7
                                             << QString("Anlage 7 schreibt weiter in diese Datei; Anlage 3 antwortet "
                                                        "nicht und bekommt eine neue, wenn ihre Miete läuft.");
        QTest::addRow("both run") << true << true << 3 << QString("Beide Mieten laufen: Anlage 3 schreibt weiter "
                                                                   "in diese Datei, Anlage 7 in eine neue.");
    }
    void sharedFileStaysWithTheRunningPile()
    {
        QFETCH(bool, run3);
        QFETCH(bool, run7);
        QFETCH(int, keeper);
        QFETCH(QString, notice);
        const support::SharedStateGuard guard;
        QTemporaryDir home;
        SetProgramFolder(home.path());
        const QString file = home.filePath("Nord_01-12-2026.CSV");
        QVERIFY(support::WriteAll(file, support::PileDataFile("Nord", "01.12.2026", 5)));
        const QByteArray section = "Name=Nord\r\nDatei=" + file.toUtf8() + "\r\nAnzahl=5\r\nPfad=" + home.path().toUtf8() + "/\r\n";
        QVERIFY(support::WriteAll(home.filePath("Haldrix.ini"), "[3]\r\n" + section + "[7]\r\n" + section));
        TSettingsFile ini(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        plantsim::BusConfig config;
        config.plants = {Plant(3, run3), Plant(7, run7)};
        if (QByteArray(QTest::currentDataTag()).startsWith("silent"))
            config.plants.removeFirst();
        config.historyDays = 1;
        plantsim::Bus bus(config);
        TLink link;
        support::PlugIn(link, bus);
        LinkValues().BaseTimeout = 10;
        LinkValues().RecordTimeout = 60;
        Plants().PlantCount = 8;
        link.OpenLink();

        QString told;
        RunPlantDiscovery({}, &told);
        const int other = keeper == 3 ? 7 : 3;
        QCOMPARE(Plants().PlantTable[keeper].Datei, file);
        QCOMPARE(Plants().PlantTable[keeper].Anzahl, 5);
        QVERIFY(!SameDataFile(Plants().PlantTable[other].Datei, file));
        QVERIFY(!SameDataFile(ini.ReadString(QString::number(other), "Datei", ""), file));
        if (notice.isEmpty())
            QVERIFY2(told.isEmpty(), qPrintable(told));
        else
            QVERIFY2(told.startsWith(QString("Die Anlagen %1 und %2 sind").arg(keeper).arg(other)) && told.endsWith(notice),
                     qPrintable(told));

        QCOMPARE(TransferStoredRecords(keeper), TransferOutcome::Done);
        QCOMPARE(Plants().PlantTable[keeper].Datei, file);
        const QStringList files = QDir(home.path()).entryList({"*.CSV"}, QDir::Files);
        QCOMPARE(files, QStringList{"Nord_01-12-2026.CSV"});
        DataFileContent c;
        QVERIFY(LoadDataFile(file, c, nullptr) && c.LineCount > 5);
        QVERIFY(c.Lines[5].startsWith("6;"));
        Settings().SettingsFile = nullptr;
    }

    void withoutALinkOnlyTheTablesAreReset()
    {
        const support::SharedStateGuard guard;
        Plants().PlantCount = MaxPlants;
        Plants().PlantTable[2].Present = Plants().PlantTable[2].Running = 1;
        Plants().LiveTable[2].Valid = 1;
        int asked = 0;
        RunPlantDiscovery([&](int) { ++asked; });
        QCOMPARE(asked, 0);
        QVERIFY(!Plants().PlantTable[2].Present && !Plants().LiveTable[2].Valid);
        QVERIFY(Settings().LearnRequest);                          // still to be done once the line is there
    }

    // Replies later than the time-out carry no plant number: they must not become
    // the next plant's answer. Slow plants may be missed; none may be invented.
    void lateRepliesAnswerNobody_data()
    {
        QTest::addColumn<int>("late");
        for (int ms : {250, 400})
            QTest::addRow("%d ms", ms) << ms;
    }
    void lateRepliesAnswerNobody()
    {
        QFETCH(int, late);
        const support::SharedStateGuard guard;
        QTemporaryDir home;
        SetProgramFolder(home.path());
        TSettingsFile ini(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        plantsim::BusConfig config;
        config.plants = {Plant(2, false), Plant(5, true), Plant(6, false), Plant(9, true)};
        plantsim::Bus bus(config);
        for (int n : {2, 5, 6, 9})
            bus.GetPlant(n)->GetFaults().lateMs = late;
        TLink link;
        support::PlugIn(link, bus);
        LinkValues().BaseTimeout = 100;
        Plants().PlantCount = 12;
        link.OpenLink();
        RunPlantDiscovery({});
        for (int n = 1; n <= Plants().PlantCount; ++n) {
            const bool exists = n == 2 || n == 5 || n == 6 || n == 9;
            QVERIFY2(exists || !Plants().PlantTable[n].Present, qPrintable(QString::number(n)));
            QVERIFY2(!Plants().PlantTable[n].Running || n == 5 || n == 9, qPrintable(QString::number(n)));
            QVERIFY2(ini.ReadString(QString::number(n), "Datei", "").isEmpty() || n == 5 || n == 9,
                     qPrintable(QString::number(n)));
        }
        Settings().SettingsFile = nullptr;
    }
};

QTEST_GUILESS_MAIN(TstDiscovery)
#include "tst_discovery.moc"
