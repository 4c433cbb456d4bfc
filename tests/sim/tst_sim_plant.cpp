// One plant: record memory, fan logic in every mode, clock, set-up commands and the
// pile's physics over weeks.
#include "SimTestUtil.h"

#include <QtTest>

using namespace plantsim;
using namespace simtest;

namespace {

const QDateTime Start(QDate(2026, 12, 7), QTime(14, 30, 0), Qt::UTC);

Plant MakePlant(int mode, bool running = true, SetupValues s = SetupValues(), Faults f = Faults(), quint64 seed = 3)
{
    PlantConfig c;
    c.number = 1;
    c.mode = mode;
    c.running = running;
    c.setup = s;
    c.faults = f;
    return Plant(c, seed, Start, 0);
}

void Minutes(Plant &p, int n)
{
    p.AdvanceTo(p.SimMs() + qint64(n) * Plant::MinuteMs);
}

} // namespace

class TestSimPlant : public QObject {
    Q_OBJECT
private slots:
    void storesEverySpeicherMinutes();
    void deliversOldestFirstAndOverwritesWhenFull();
    void switchOnAndOff();
    void setupCommandsAreRangeChecked();
    void fanOffAndOn();
    void intervalMode();
    void o2Regulation();
    void fallBackToControlModeWhenFanStaysOn();
    void fallBackToControlModeWhenFanStaysOff();
    void modeCommandsOverTheLine();
    void historyLooksLikeACompostPile();
    void siteGoesOnAcrossRuns();
};

void TestSimPlant::storesEverySpeicherMinutes()
{
    SetupValues s;
    s.Speicher = 15;
    Plant p = MakePlant(3, true, s);
    Minutes(p, 14);
    QCOMPARE(p.StoredCount(), 0);
    Minutes(p, 1);
    QCOMPARE(p.StoredCount(), 1);
    Minutes(p, 45);
    QCOMPARE(p.StoredCount(), 4);
    QCOMPARE(p.Memory()[0].stamp.time(), QTime(14, 45));
    QCOMPARE(p.Memory()[3].stamp.time(), QTime(15, 30));
    // Changing the interval takes effect from the last record on.
    QVERIFY(p.ApplySetupCommand('I', 5, 0));
    Minutes(p, 5);
    QCOMPARE(p.StoredCount(), 5);

    // A plant without pile stores nothing.
    Plant idle = MakePlant(3, false, s);
    Minutes(idle, 120);
    QCOMPARE(idle.StoredCount(), 0);
    QCOMPARE(idle.MemStatus(), 0);
}

void TestSimPlant::deliversOldestFirstAndOverwritesWhenFull()
{
    SetupValues s;
    s.Speicher = 1;
    Plant p = MakePlant(2, true, s);
    Minutes(p, 1005);
    QCOMPARE(p.StoredCount(), 1000);   // full: the count stays at 1000
    QCOMPARE(p.ReplyCount(), QByteArray("r1000;"));
    // The first five records were overwritten; the oldest left is minute 6.
    QCOMPARE(p.Memory().front().stamp, Start.addSecs(6 * 60));
    QCOMPARE(p.Memory().back().stamp, Start.addSecs(1005 * 60));

    QDateTime last;
    int runTime = -1;
    for (int i = 0; i < 10; ++i) {
        const QByteArray g = p.Handle('G', {});
        QVERIFY(g.startsWith('G'));
        const QList<QByteArray> f = Fields(g);
        const QDateTime stamp(QDate(2000 + f[12].toInt(), f[11].toInt(), f[10].toInt()),
                              QTime(f[9].toInt(), f[8].toInt()), Qt::UTC);
        if (last.isValid())
            QCOMPARE(last.secsTo(stamp), 60);
        QVERIFY(f[13].toInt() >= runTime);   // run time never goes back
        runTime = f[13].toInt();
        last = stamp;
    }
    QCOMPARE(p.StoredCount(), 990);
    // New records go behind the undelivered ones.
    Minutes(p, 3);
    QCOMPARE(p.StoredCount(), 993);
    while (p.StoredCount() > 0)
        QVERIFY(!p.Handle('G', {}).isEmpty());
    QVERIFY(p.Handle('G', {}).isEmpty());   // nothing left: no reply
    QCOMPARE(p.ReplyCount(), QByteArray("r0;"));
}

void TestSimPlant::switchOnAndOff()
{
    SetupValues s;
    s.Speicher = 10;
    Plant p = MakePlant(1, true, s);
    Minutes(p, 60);
    QCOMPARE(p.StoredCount(), 6);
    QCOMPARE(p.RunTime(), 60);

    p.Handle('A', {});
    QVERIFY(!p.Running());
    QCOMPARE(p.MemStatus(), 0);
    QVERIFY(!p.FanOn());
    QCOMPARE(p.ReplyState(), QByteArray("S0;0;"));
    Minutes(p, 60);
    QCOMPARE(p.StoredCount(), 6);   // no more records, the stored ones stay readable
    QCOMPARE(p.RunTime(), 60);

    p.Handle('F', {});
    QVERIFY(p.Running());
    QCOMPARE(p.ReplyState(), QByteArray("S1;1;"));
    QCOMPARE(p.StoredCount(), 0);   // memory emptied
    QCOMPARE(p.RunTime(), 0);
    QCOMPARE(p.Cycles(), 1);        // mode 1: the fan came on with the new pile
    QVERIFY(p.FanOn());
    QCOMPARE(p.Mode(), 1);
}

void TestSimPlant::setupCommandsAreRangeChecked()
{
    Plant p = MakePlant(3);
    p.Handle('I', "0015");
    p.Handle('E', "0011");
    p.Handle('O', "0022");
    p.Handle('n', "00060026");
    p.Handle('N', "00610241");
    p.Handle('p', "00850145");
    QCOMPARE(p.ReplySetup(), QByteArray("R15;11;22;85;145;6;26;61;241;"));
    // Values a plant cannot work with are refused; the old ones stay.
    p.Handle('I', "0000");
    p.Handle('I', "1441");
    p.Handle('E', "0301");
    p.Handle('O', "0000");
    p.Handle('n', "00000026");
    p.Handle('N', "00610999");
    p.Handle('p', "02200100");
    QCOMPARE(p.ReplySetup(), QByteArray("R15;11;22;85;145;6;26;61;241;"));
    p.Handle('I', "1440");
    QCOMPARE(p.Setup().Speicher, 1440);
}

void TestSimPlant::fanOffAndOn()
{
    Plant off = MakePlant(0);
    Minutes(off, 240);
    QVERIFY(!off.FanOn());
    QCOMPARE(off.RunTime(), 0);
    QCOMPARE(off.Cycles(), 0);
    QCOMPARE(off.Mode(), 0);   // no fall-back outside O2 regulation

    Plant on = MakePlant(1);
    Minutes(on, 240);
    QVERIFY(on.FanOn());
    QCOMPARE(on.RunTime(), 240);
    QCOMPARE(on.Cycles(), 1);
    QCOMPARE(on.Mode(), 1);
    QVERIFY(on.O2() > 180);    // constant aeration keeps the pile near fresh air
}

void TestSimPlant::intervalMode()
{
    SetupValues s;
    s.IntEin = 10;
    s.IntAus = 20;
    Plant p = MakePlant(2, true, s);
    QString pattern;
    for (int m = 0; m < 90; ++m) {
        pattern += p.FanOn() ? QLatin1Char('#') : QLatin1Char('.');
        Minutes(p, 1);
    }
    const QString period = QString(10, QLatin1Char('#')) + QString(20, QLatin1Char('.'));
    QCOMPARE(pattern, period + period + period);
    QCOMPARE(p.RunTime(), 30);
    QCOMPARE(p.Cycles(), 4);   // the fourth period has just begun
    QCOMPARE(p.Mode(), 2);
}

void TestSimPlant::o2Regulation()
{
    Plant p = MakePlant(3);
    const SetupValues s = p.Setup();
    int ons = 0, offs = 0;
    for (int m = 0; m < 3 * 1440; ++m) {
        const bool was = p.FanOn();
        Minutes(p, 1);
        if (!was && p.FanOn()) {
            ++ons;
            QVERIFY2(p.O2() <= s.O2Ein, qPrintable(QString::number(p.O2())));
        } else if (was && !p.FanOn()) {
            ++offs;
            QVERIFY2(p.O2() >= s.O2Aus, qPrintable(QString::number(p.O2())));
        }
        QCOMPARE(p.Mode(), 3);   // a healthy pile never needs the fall-back
    }
    QVERIFY(ons > 30);
    QVERIFY(qAbs(ons - offs) <= 1);
    QCOMPARE(p.Cycles(), ons);
    QVERIFY(p.RunTime() > 0 && p.RunTime() < 3 * 1440 / 2);
}

void TestSimPlant::fallBackToControlModeWhenFanStaysOn()
{
    // A dead O2 sensor reads 0: the fan never reaches the switch-off value.
    SetupValues s;
    s.MaxEin = 40;
    s.NotEin = 5;
    s.NotAus = 15;
    Faults f;
    f.o2SensorFault = true;
    Plant p = MakePlant(3, true, s, f);
    QVERIFY(p.FanOn());
    Minutes(p, 40);
    QCOMPARE(p.Mode(), 3);
    QVERIFY(p.FanOn());
    Minutes(p, 1);   // on longer than MaxEin
    QCOMPARE(p.Mode(), 4);
    QVERIFY(!p.FanOn());
    QCOMPARE(p.ReplyMode(), QByteArray("B4;"));
    QString pattern;
    for (int m = 0; m < 40; ++m) {
        Minutes(p, 1);
        pattern += p.FanOn() ? QLatin1Char('#') : QLatin1Char('.');
    }
    // Off for NotAus minutes, then on for NotEin, and so on.
    QCOMPARE(pattern, QString(14, '.') + QString(5, '#') + QString(15, '.') + QString(5, '#') + QString(1, '.'));
    QCOMPARE(p.RunTime(), 41 + 10);
    // "q" brings it back to O2 regulation.
    p.Handle('q', {});
    QCOMPARE(p.Mode(), 3);
}

void TestSimPlant::fallBackToControlModeWhenFanStaysOff()
{
    // An O2 switch-on value the pile cannot reach keeps the fan off.
    SetupValues s;
    s.O2Ein = 0;
    s.MaxAus = 30;
    s.NotEin = 7;
    Plant p = MakePlant(3, true, s);
    Minutes(p, 30);
    QCOMPARE(p.Mode(), 3);
    QVERIFY(!p.FanOn());
    Minutes(p, 1);
    QCOMPARE(p.Mode(), 4);
    QVERIFY(p.FanOn());
    Minutes(p, 7);
    QVERIFY(!p.FanOn());
    QCOMPARE(p.Cycles(), 1);
    QCOMPARE(p.RunTime(), 7);
}

void TestSimPlant::modeCommandsOverTheLine()
{
    Rig rig(Line({1}, {1}));
    const struct { const char *cmd; int mode; bool fan; } steps[] = {
        {"o", 0, false}, {"e", 1, true}, {"T", 2, true}, {"q", 3, false}, {"e", 1, true}, {"o", 0, false}};
    for (const auto &s : steps) {
        rig.Ask(1, s.cmd);
        QCOMPARE(rig.P(1).Mode(), s.mode);
        QCOMPARE(rig.Ask(1, "B"), "B" + QByteArray::number(s.mode) + ';');
        QCOMPARE(rig.P(1).FanOn(), s.fan);
    }
    // Modes can be chosen without a pile; the fan stays off then.
    rig.Ask(1, "A");
    rig.Ask(1, "e");
    QCOMPARE(rig.Ask(1, "B"), QByteArray("B1;"));
    QVERIFY(!rig.P(1).FanOn());
}

void TestSimPlant::historyLooksLikeACompostPile()
{
    // Four weeks of hourly records for several random piles in O2 regulation, well
    // run (the first twelve) and falling short of hygienisation (the rest).
    for (quint64 seed = 1; seed <= 18; ++seed) {
        const bool weak = seed > 12;
        PlantConfig c;
        c.number = 1;
        c.running = true;
        c.mode = 3;
        c.weak = weak;
        Plant p(c, seed, Start, -28LL * 86'400'000);
        p.AdvanceTo(0);
        const auto &mem = p.Memory();
        QCOMPARE(int(mem.size()), 28 * 24);
        QCOMPARE(mem.back().stamp, Start);
        int peak = -1000, peakAt = 0, hoursAbove55 = 0, minO2 = 1000, maxO2 = -1;
        for (int i = 0; i < int(mem.size()); ++i) {
            const StoredRecord &r = mem[size_t(i)];
            if (r.temps[0] > peak) {
                peak = r.temps[0];
                peakAt = i;
            }
            if (r.temps[0] >= 550)
                ++hoursAbove55;
            minO2 = std::min(minO2, r.o2);
            maxO2 = std::max(maxO2, r.o2);
            QCOMPARE(r.mode, 3);
        }
        const StoredRecord &top = mem[size_t(peakAt)];
        const double days = hoursAbove55 / 24.0;
        qInfo("seed %d: start %.1f, peak %.1f on day %.1f, end %.1f, %.1f days above 55, surface at peak %.1f, O2 %d..%d",
              int(seed), mem.front().temps[0] / 10.0, peak / 10.0, peakAt / 24.0, mem.back().temps[0] / 10.0, days,
              top.temps[4] / 10.0, minO2, maxO2);
        QVERIFY(mem.front().temps[0] < 250);            // starts near ambient
        if (weak) {
            QVERIFY(peak >= 560 && peak < 610);         // peaks near 58 °C
            QVERIFY(days >= 8.5 && days <= 11.5);
        } else {
            QVERIFY(peak >= 640 && peak <= 720);        // heats to 64..72 °C
            QVERIFY(days >= 15.0 && days <= 21.0);      // a hygienisation phase that counts
        }
        QVERIFY(peakAt < 14 * 24);                      // within days
        QVERIFY(mem.back().temps[0] < peak - 150);      // cools over the weeks
        // The core is hottest, the surface coolest.
        QVERIFY(top.temps[0] >= top.temps[2]);
        QVERIFY(top.temps[2] > top.temps[4] + 100);
        QVERIFY(minO2 >= 0 && maxO2 <= 210);
        // Smooth: no jumps of more than 2.5 °C between hourly records.
        for (size_t i = 1; i < mem.size(); ++i)
            QVERIFY2(qAbs(mem[i].temps[0] - mem[i - 1].temps[0]) <= 25,
                     qPrintable(QStringLiteral("hour %1: %2 -> %3").arg(i).arg(mem[i - 1].temps[0]).arg(mem[i].temps[0])));
    }
}

// A saved site comes back with its memory, clock and set-up: what was taken is not
// offered again, and what is new is stamped after it.
void TestSimPlant::siteGoesOnAcrossRuns()
{
    BusConfig config;
    PlantConfig a;
    a.number = 2;
    a.running = true;
    a.setup.Speicher = 30;
    config.plants = {a};
    config.historyDays = 2;
    config.start = Start;
    ManualClock clock;
    QByteArray saved;
    QList<StoredRecord> left;
    QDateTime lastTaken;
    {
        Bus bus(config, &clock);
        Plant &p = *bus.GetPlant(2);
        for (int i = 0; i < 10; ++i)
            lastTaken = p.TakeRecord()->stamp;
        left = QList<StoredRecord>(p.Memory().begin(), p.Memory().end());
        saved = bus.SaveState();
    }
    BusConfig fresh = config;
    fresh.plants.clear();               // the site file brings its plants along
    fresh.historyDays = 10;
    Bus again(fresh, &clock);
    QString error;
    QVERIFY2(again.LoadState(saved, &error), qPrintable(error));
    Plant &p = *again.GetPlant(2);
    QCOMPARE(p.Setup().Speicher, 30);
    QVERIFY(p.Running());
    QVERIFY(p.StoredCount() >= left.size());
    QDateTime previous = lastTaken;
    for (int i = 0; i < p.StoredCount(); ++i) {
        const StoredRecord &r = p.Memory()[size_t(i)];
        if (i < left.size())
            QCOMPARE(r.stamp, left[i].stamp);
        QVERIFY(r.stamp > previous);
        previous = r.stamp;
    }
    QVERIFY(p.Clock() >= previous);
    QVERIFY(!again.LoadState("not a site", &error));
}

QTEST_GUILESS_MAIN(TestSimPlant)
#include "tst_sim_plant.moc"
