// Discovery without a window: what the status reads mean for each plant's pile.

#include "datafile/DataFile.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "piles/Discovery.h"
#include "plantsim/Bus.h"
#include "settings/SettingsFile.h"
#include "support/Files.h"
#include "support/SharedState.h"
#include "support/SimLine.h"

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
        SettingsFile = &ini;
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

        plantsim::BusConfig config;
        config.plants = {Plant(3, false, 1), Plant(7, true, ModeControl)};
        plantsim::Bus bus(config);
        TLink link;
        support::PlugIn(link, bus);
        BaseTimeout = 10;
        PlantCount = 8;
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
        QVERIFY(!LearnRequest);

        QVERIFY(PlantTable[3].Present && !PlantTable[3].Running);
        QVERIFY(PlantTable[3].Datei.isEmpty());         // no pile: no file
        QCOMPARE(PlantTable[3].Anzahl, 0);
        QVERIFY(PlantTable[7].Present && PlantTable[7].Running);
        QCOMPARE(PlantTable[7].Mode, quint8(ModeO2Control));   // control mode held as O2 regulation
        QVERIFY(PlantTable[7].Datei.endsWith("/Sued_08-12-2026.CSV"));   // a running pile gets a file
        QCOMPARE(ini.ReadString("7", "Datei", ""), PlantTable[7].Datei);
        QCOMPARE(SelectedPlant, quint16(3));            // the first plant present
        SettingsFile = nullptr;
    }

    void withoutALinkOnlyTheTablesAreReset()
    {
        const support::SharedStateGuard guard;
        PlantCount = MaxPlants;
        PlantTable[2].Present = PlantTable[2].Running = 1;
        LiveTable[2].Valid = 1;
        int asked = 0;
        RunPlantDiscovery([&](int) { ++asked; });
        QCOMPARE(asked, 0);
        QVERIFY(!PlantTable[2].Present && !LiveTable[2].Valid);
        QVERIFY(LearnRequest);                          // still to be done once the line is there
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
        SettingsFile = &ini;
        plantsim::BusConfig config;
        config.plants = {Plant(2, false), Plant(5, true), Plant(6, false), Plant(9, true)};
        plantsim::Bus bus(config);
        for (int n : {2, 5, 6, 9})
            bus.GetPlant(n)->GetFaults().lateMs = late;
        TLink link;
        support::PlugIn(link, bus);
        BaseTimeout = 100;
        PlantCount = 12;
        link.OpenLink();
        RunPlantDiscovery({});
        for (int n = 1; n <= PlantCount; ++n) {
            const bool exists = n == 2 || n == 5 || n == 6 || n == 9;
            QVERIFY2(exists || !PlantTable[n].Present, qPrintable(QString::number(n)));
            QVERIFY2(!PlantTable[n].Running || n == 5 || n == 9, qPrintable(QString::number(n)));
            QVERIFY2(ini.ReadString(QString::number(n), "Datei", "").isEmpty() || n == 5 || n == 9,
                     qPrintable(QString::number(n)));
        }
        SettingsFile = nullptr;
    }
};

QTEST_GUILESS_MAIN(TstDiscovery)
#include "tst_discovery.moc"
