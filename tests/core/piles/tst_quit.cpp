// The application quits in the middle of a transfer (window closed, session ended):
// from then on no wait can be answered, so the transfer must stop, not take stale
// replies for records. On its own: after the quit no event loop runs in this process.

#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "piles/Piles.h"
#include "plantsim/Bus.h"
#include "settings/SettingsFile.h"
#include "support/SharedState.h"
#include "support/SimLine.h"

#include <QTemporaryDir>
#include <QtTest>

class TstQuit : public QObject {
    Q_OBJECT
private slots:
    void quitInTransferWritesNoStaleRecords()
    {
        const support::SharedStateGuard guard;
        QTemporaryDir home;
        SetProgramFolder(home.path());
        TSettingsFile ini(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        plantsim::BusConfig config;
        config.plants = {support::Plant(2, true)};
        config.historyDays = 1;
        plantsim::Bus bus(config);
        bus.GetPlant(2)->GetFaults().lateMs = 5;
        int sent = 0;
        QObject::connect(&bus, &plantsim::Bus::Trace, [&](const QString &l) {
            if (l.section(' ', 1, 1) == QLatin1String("TX") && l.section(' ', 3, 3).startsWith(u'G') && ++sent == 3)
                QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        });
        TLink link;
        support::PlugIn(link, bus);
        Plants().PlantCount = 2;
        link.OpenLink();
        QVERIFY(ReadPlantStatus(2) && Plants().PlantTable[2].Running);
        QVERIFY(bus.GetPlant(2)->StoredCount() > 10);
        QCOMPARE(TransferStoredRecords(2), TransferOutcome::TimedOut);
        DataFileContent c;
        QVERIFY(LoadDataFile(Plants().PlantTable[2].Datei, c, nullptr));
        QVERIFY2(c.LineCount <= sent, qPrintable(QStringLiteral("%1 lines, %2 records sent").arg(c.LineCount).arg(sent)));
        QStringList records;                    // without their numbers
        for (const QString &l : c.Lines)
            records << l.section(u';', 1);
        QCOMPARE(records.removeDuplicates(), 0);
        Settings().SettingsFile = nullptr;
    }
};

QTEST_GUILESS_MAIN(TstQuit)
#include "tst_quit.moc"
