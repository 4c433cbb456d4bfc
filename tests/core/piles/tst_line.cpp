// The line has one owner: with a plant that answers late, lost and fragmented
// replies, and exchanges started at random moments, no frame reaches the line
// while another plant's reply is due, and the poll reads every running pile.

#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "piles/Discovery.h"
#include "plantsim/Bus.h"
#include "settings/SettingsFile.h"
#include "support/SharedState.h"
#include "support/SimLine.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

namespace {

using support::Plant;

// A site of `count` addresses with the given plants, paced at 9600 Bd, time-out 60 ms.
struct Line {
    support::SharedStateGuard guard;
    QTemporaryDir home;
    std::unique_ptr<TSettingsFile> ini;
    std::unique_ptr<plantsim::Bus> bus;
    TLink link;

    Line(const QList<plantsim::PlantConfig> &plants, int count, quint64 seed = 1)
    {
        SetProgramFolder(home.path());
        ini = std::make_unique<TSettingsFile>(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = ini.get();
        plantsim::BusConfig config;
        config.plants = plants;
        config.baud = 9600;
        config.seed = seed;
        bus = std::make_unique<plantsim::Bus>(config);
        support::PlugIn(link, *bus);
        LinkValues().BaseTimeout = 60;
        LinkValues().SetupTimeout = 80;
        Plants().PlantCount = quint16(count);
        link.OpenLink();
    }
    ~Line() { Settings().SettingsFile = nullptr; }

    double Discover()
    {
        QElapsedTimer t;
        t.start();
        RunPlantDiscovery();
        return double(t.elapsed());
    }
};

plantsim::PlantConfig Late(int n, int ms)
{
    plantsim::PlantConfig p = Plant(n, true);
    p.faults.lateMs = ms;
    return p;
}

} // namespace

class TstLine : public QObject {
    Q_OBJECT
private slots:
    // One plant answers later than the time-out: nothing is sent over its replies,
    // the others are found as fast as without it, and the poll reads all four
    // piles in turn (one step each and one probe slot: 2.5 s a cycle at 500 ms).
    void latePlantOwnsOnlyItsSlot()
    {
        double plain = 0;
        {
            Line line({Plant(1, true), Plant(2, true), Plant(3, true), Plant(4, true)}, 12);
            plain = line.Discover();
        }
        Line line({Plant(1, true), Late(2, 90), Plant(3, true), Plant(4, true)}, 12);
        const double late = line.Discover();
        for (int n = 1; n <= 4; ++n)
            QVERIFY2(Plants().PlantTable[n].Present && Plants().PlantTable[n].Running, qPrintable(QString::number(n)));
        QVERIFY2(late - plain < 900, qPrintable(QString("%1 ms vs %2 ms").arg(late).arg(plain)));

        QElapsedTimer t;
        t.start();
        std::array<qint64, 5> lastRead{}, longest{};
        connect(&line.link, &TLink::Polled, this, [&] {
            for (int n = 1; n <= 4; ++n) {
                if (Plants().LiveTable[n].Valid && Plants().LiveTable[n].StampMs != lastRead[size_t(n)]) {
                    if (lastRead[size_t(n)] != 0)
                        longest[size_t(n)] = qMax(longest[size_t(n)], Plants().LiveTable[n].StampMs - lastRead[size_t(n)]);
                    lastRead[size_t(n)] = Plants().LiveTable[n].StampMs;
                }
            }
        });
        QTest::qWait(8000);
        for (int n = 1; n <= 4; ++n)
            QVERIFY2(longest[size_t(n)] > 0 && longest[size_t(n)] <= 2700,
                     qPrintable(QString("plant %1 read %2 ms apart").arg(n).arg(longest[size_t(n)])));
        QCOMPARE(line.bus->FramesOverReply(), 0);
    }

    // Lost, late, fragmented and noisy replies while the operator's exchanges start
    // at random moments (inside others' waits too): never a frame over a reply.
    void randomExchangesNeverTalkOverAReply()
    {
        QList<plantsim::PlantConfig> plants{Plant(1, true), Late(2, 90), Plant(3, true), Plant(4, true), Plant(5, false)};
        plants[0].faults.dropProbability = 0.2;
        plants[2].faults.fragment = true;
        plants[3].faults.noiseBytes = 4;
        Line line(plants, 8, 11);
        line.Discover();
        std::mt19937 rng(5);
        int actions = 0;
        QTimer operatorTimer;
        operatorTimer.setSingleShot(true);
        connect(&operatorTimer, &QTimer::timeout, this, [&] {
            const int n = 1 + int(rng() % 5);
            const PollPause pause;
            switch (rng() % 5) {
            case 0: ReadPlantSetup(n); break;
            case 1: SendCommand(n, cmdSetStoreInterval, {15}); break;
            case 2: ReadPlantClock(n); break;
            case 3: ReadStoredRecordCount(n); break;
            default: SetPlantMode(n, ModeO2Control); break;
            }
            ++actions;
            operatorTimer.start(int(rng() % 400));
        });
        operatorTimer.start(10);
        QTest::qWait(10000);
        operatorTimer.stop();
        QVERIFY(actions >= 15);
        QCOMPARE(line.bus->FramesOverReply(), 0);
    }
};

QTEST_GUILESS_MAIN(TstLine)
#include "tst_line.moc"
