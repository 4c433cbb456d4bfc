// The line: time factor, latency, pacing at the line speed, and every fault option.
#include "SimTestUtil.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QtTest>

using namespace plantsim;
using namespace simtest;

class TestSimLine : public QObject {
    Q_OBJECT
private slots:
    void repliesAtOnceWithoutLatencyOrPacing();
    void timeFactor();
    void latencyAndLateReplies();
    void pacingOnTheManualClock();
    void pacingAccuracy_data();
    void pacingAccuracy();
    void sameSeedSamePlants();
    void dropFault();
    void fragmentFault();
    void noiseFault();
    void corruptFault();
    void statusAndCountFaults();
    void echoFault();
    void crlfFault();
    void muteAfterFault();
    void vanishFault();
};

void TestSimLine::repliesAtOnceWithoutLatencyOrPacing()
{
    // The in-process link relies on this: the reply is out before Receive returns.
    Bus bus(Line({2}, {2}));
    QByteArray got;
    connect(&bus, &Bus::Transmit, this, [&](const QByteArray &b) { got += b; });
    bus.Receive(FrameBytes(2, "S"));
    QCOMPARE(got, QByteArray("S1;1;"));
    got.clear();
    bus.Receive(QByteArray(1, 2));   // plant byte alone, command in a second write
    QVERIFY(got.isEmpty());
    bus.Receive("B");
    QCOMPARE(got, QByteArray("B3;"));
}

void TestSimLine::timeFactor()
{
    BusConfig c = Line({1}, {1});
    c.plants[0].setup.Speicher = 1;
    c.timeFactor = 60.0;   // a simulated minute per line second
    Rig rig(c);
    QCOMPARE(rig.Ask(1, "r"), QByteArray("r0;"));
    rig.clock.AdvanceMs(10'000);
    QCOMPARE(rig.Ask(1, "r"), QByteArray("r10;"));
    QCOMPARE(rig.Ask(1, "6"), QByteArray("TZeit: 14:40:00 Datum:07.12.26"));
    QCOMPARE(rig.bus->SimMs(), 600'000);
    rig.clock.AdvanceMs(500);
    QCOMPARE(rig.Ask(1, "6"), QByteArray("TZeit: 14:40:30 Datum:07.12.26"));
    // Fast-forward without line time passing.
    rig.bus->AdvanceSimulated(3'600'000);
    QCOMPARE(rig.Ask(1, "r"), QByteArray("r70;"));
    QCOMPARE(rig.P(1).PileAgeDays(), 70.0 / 1440.0);
}

void TestSimLine::latencyAndLateReplies()
{
    BusConfig c = Line({1, 2});
    c.latencyMs = 40;
    c.plants[1].faults.lateMs = 200;
    Rig rig(c);
    QVERIFY(rig.Ask(1, "B").isEmpty());
    rig.Wait(39);
    QVERIFY(rig.rx.isEmpty());
    rig.Wait(1);
    QCOMPARE(rig.rx, QByteArray("B3;"));

    QVERIFY(rig.Ask(2, "B").isEmpty());
    rig.Wait(239);
    QVERIFY(rig.rx.isEmpty());
    rig.Wait(1);
    QCOMPARE(rig.rx, QByteArray("B3;"));
    QCOMPARE(rig.TraceOf(QStringLiteral("FAULT")).size(), 1);

    // A prompt reply never overtakes a late one that was asked for first.
    rig.rx.clear();
    rig.bus->Receive(FrameBytes(2, "S") + FrameBytes(1, "B"));
    rig.Wait(50);
    QVERIFY(rig.rx.isEmpty());
    rig.Wait(200);
    QCOMPARE(rig.rx, QByteArray("S0;0;B3;"));
}

void TestSimLine::pacingOnTheManualClock()
{
    BusConfig c = Line({1, 2});
    c.baud = 1000;   // 10 ms per byte
    Rig rig(c);
    rig.bus->Receive(FrameBytes(1, "B") + FrameBytes(2, "B"));
    QVERIFY(rig.rx.isEmpty());
    rig.Wait(9.5, 0.5);
    QVERIFY(rig.rx.isEmpty());
    rig.Wait(0.5, 0.5);
    QCOMPARE(rig.rx, QByteArray("B"));
    rig.Wait(20, 0.5);
    QCOMPARE(rig.rx, QByteArray("B3;"));
    rig.Wait(30, 0.5);   // the second reply follows without a gap
    QCOMPARE(rig.rx, QByteArray("B3;B3;"));
    QCOMPARE(rig.bus->QueuedBytes(), 0);
}

void TestSimLine::pacingAccuracy_data()
{
    QTest::addColumn<int>("baud");
    QTest::newRow("9600") << 9600;
    QTest::newRow("19200") << 19200;
}

void TestSimLine::pacingAccuracy()
{
    QFETCH(int, baud);
    BusConfig c = Line({1, 2, 3}, {1, 2, 3});
    c.baud = baud;
    Bus bus(c);   // real clock and timers
    QElapsedTimer t;
    qint64 firstNs = -1;
    int total = 0;
    std::vector<std::pair<double, double>> points;   // (seconds, bytes delivered so far)
    connect(&bus, &Bus::Transmit, this, [&](const QByteArray &b) {
        const qint64 now = t.nsecsElapsed();
        if (firstNs < 0)
            firstNs = now;
        total += int(b.size());
        points.emplace_back(now / 1e9, double(total));
    });
    QByteArray frames;
    for (int i = 0; i < baud / 960; ++i)   // about half a second of replies
        frames += FrameBytes(1 + i % 3, "c") + FrameBytes(1 + i % 3, "R");
    t.start();
    bus.Receive(frames);
    const int expected = total + bus.QueuedBytes();   // a slow machine may have sent some already
    QVERIFY(expected > 400);
    // A plain event loop: the test's own waits would sleep in between and arrive late.
    QEventLoop loop;
    connect(&bus, &Bus::Transmit, &loop, [&]() {
        if (total >= expected)
            loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QCOMPARE(total, expected);
    // Line speed as the slope of bytes over time (least squares), so that one late
    // wake-up of this process does not count as the simulator's error.
    double mt = 0, mb = 0;
    for (const auto &p : points) {
        mt += p.first;
        mb += p.second;
    }
    mt /= double(points.size());
    mb /= double(points.size());
    double num = 0, den = 0;
    for (const auto &p : points) {
        num += (p.first - mt) * (p.second - mb);
        den += (p.first - mt) * (p.first - mt);
    }
    const double rate = num / den;
    const double line = baud / 10.0;
    qInfo("%d baud: %d bytes in %d pieces, %.1f bytes/s (line %.1f), %.2f %% off", baud, total, int(points.size()),
          rate, line, 100.0 * (rate - line) / line);
    QVERIFY(qAbs(rate - line) / line < 0.02);
    // And the first byte took one byte time, not less.
    QVERIFY(firstNs >= qint64(1e10 / baud) - 100'000);
}

void TestSimLine::sameSeedSamePlants()
{
    BusConfig c = Line({1}, {1});
    c.historyDays = 3;
    Rig a(c), b(c);
    QCOMPARE(a.Ask(1, "c"), b.Ask(1, "c"));
    QCOMPARE(a.Ask(1, "G"), b.Ask(1, "G"));
    c.seed = 8;
    Rig d(c);
    QVERIFY(a.Ask(1, "c") != d.Ask(1, "c"));
}

void TestSimLine::dropFault()
{
    BusConfig c = Line({1, 2});
    c.plants[0].faults.dropProbability = 1.0;
    c.plants[1].faults.dropProbability = 0.5;
    Rig rig(c);
    QVERIFY(rig.Ask(1, "B").isEmpty());
    QCOMPARE(rig.TraceOf(QStringLiteral("FAULT")).size(), 1);
    QVERIFY(rig.TraceOf(QStringLiteral("FAULT"))[0].contains(QLatin1String(" 1 drop B3;")));
    int answered = 0;
    for (int i = 0; i < 400; ++i)
        answered += rig.Ask(2, "B").isEmpty() ? 0 : 1;
    QVERIFY2(answered > 150 && answered < 250, qPrintable(QString::number(answered)));
}

void TestSimLine::fragmentFault()
{
    BusConfig c = Line({1}, {1});
    c.plants[0].faults.fragment = true;
    Rig rig(c);
    const QByteArray whole = rig.P(1).ReplySetup();
    int split = 0;
    for (int i = 0; i < 20; ++i) {
        rig.Ask(1, "R");
        rig.Wait(60);
        QCOMPARE(rig.rx, whole);
        QVERIFY(rig.chunks.size() >= 2 && rig.chunks.size() <= 4);
        split += int(rig.chunks.size());
    }
    QVERIFY(split > 40);
    // The pieces come at different times: after the first piece the rest is missing.
    rig.Ask(1, "R");
    QVERIFY(rig.rx.size() < whole.size());
}

void TestSimLine::noiseFault()
{
    BusConfig c = Line({1});
    c.plants[0].faults.noiseBytes = 12;
    Rig rig(c);
    bool sawNoise = false;
    for (int i = 0; i < 50; ++i) {
        const QByteArray got = rig.Ask(1, "B");
        QVERIFY(got.endsWith("B3;"));
        const QByteArray noise = got.left(got.size() - 3);
        QVERIFY(noise.size() >= 1 && noise.size() <= 12);
        sawNoise = true;
        for (char ch : noise)
            QVERIFY2(!QByteArray("BRrSTcG;").contains(ch), noise.toHex().constData());
    }
    QVERIFY(sawNoise);
}

void TestSimLine::corruptFault()
{
    BusConfig c = Line({1}, {1});
    c.plants[0].faults.corruptProbability = 1.0;
    Rig rig(c);
    for (int i = 0; i < 30; ++i) {
        const QByteArray got = rig.Ask(1, "c");
        QVERIFY(got.startsWith('c'));
        QCOMPARE(int(got.count(';')), 11);   // still complete, so the host decodes it
        int bad = 0;
        for (const QByteArray &f : Fields(got))
            bad += IsInteger(f) ? 0 : 1;
        QCOMPARE(bad, 1);
    }
}

void TestSimLine::statusAndCountFaults()
{
    BusConfig c = Line({1, 2}, {1, 2});
    c.plants[0].faults.noStatus = true;
    c.plants[1].faults.count1001 = true;
    Rig rig(c);
    QCOMPARE(rig.Ask(1, "B"), QByteArray("B3;"));
    QVERIFY(rig.Ask(1, "S").isEmpty());
    QCOMPARE(rig.Ask(1, "r"), QByteArray("r0;"));
    QCOMPARE(rig.Ask(2, "r"), QByteArray("r1001;"));
    QCOMPARE(rig.Ask(2, "S"), QByteArray("S1;1;"));
}

void TestSimLine::echoFault()
{
    BusConfig c = Line({1, 2});
    c.plants[0].faults.echo = true;
    Rig rig(c);
    QCOMPARE(rig.Ask(1, "B"), FrameBytes(1, "B") + "B3;");
    QCOMPARE(rig.Ask(1, "Z120000"), FrameBytes(1, "Z120000"));   // echoed even without a reply
    QCOMPARE(rig.Ask(2, "B"), QByteArray("B3;"));
    QVERIFY(rig.Ask(5, "B").isEmpty());

    // A line-wide echo (the adapter) also echoes frames to absent plants.
    c.lineFaults.echo = true;
    Rig all(c);
    QCOMPARE(all.Ask(5, "B"), FrameBytes(5, "B"));
    QCOMPARE(all.Ask(2, "B"), FrameBytes(2, "B") + "B3;");

    // With pacing the echo comes first and the reply follows it.
    c.baud = 1000;
    Rig paced(c);
    paced.Ask(2, "B");
    paced.Wait(20);
    QCOMPARE(paced.rx, FrameBytes(2, "B"));
    paced.Wait(30);
    QCOMPARE(paced.rx, FrameBytes(2, "B") + "B3;");
}

void TestSimLine::crlfFault()
{
    BusConfig c = Line({1});
    c.plants[0].faults.crlf = true;
    Rig rig(c);
    QCOMPARE(rig.Ask(1, "B"), QByteArray("B3;\r\n"));
    QCOMPARE(rig.Ask(1, "6").size(), 32);
}

void TestSimLine::muteAfterFault()
{
    BusConfig c = Line({1, 2});
    c.plants[0].faults.muteAfter = 2;
    Rig rig(c);
    QVERIFY(!rig.Ask(1, "B").isEmpty());
    QVERIFY(rig.Ask(1, "e").isEmpty());
    QVERIFY(!rig.Ask(1, "S").isEmpty());
    QVERIFY(rig.Ask(1, "B").isEmpty());
    QVERIFY(rig.Ask(1, "S").isEmpty());
    QVERIFY(!rig.Ask(2, "B").isEmpty());   // the others go on
    QCOMPARE(rig.TraceOf(QStringLiteral("IGN")).size(), 2);
    QVERIFY(rig.TraceOf(QStringLiteral("IGN"))[0].endsWith(QLatin1String("1 B muted")));
}

void TestSimLine::vanishFault()
{
    BusConfig c = Line({1});
    c.vanishAfterMs = 500;
    Rig rig(c);
    QSignalSpy gone(rig.bus.get(), &Bus::LineVanished);
    rig.Wait(499);
    QCOMPARE(rig.Ask(1, "B"), QByteArray("B3;"));
    QCOMPARE(gone.count(), 0);
    rig.Wait(1);
    QCOMPARE(gone.count(), 1);
    QVERIFY(rig.bus->HasVanished());
    QVERIFY(rig.Ask(1, "B").isEmpty());
    rig.Wait(100);
    QCOMPARE(gone.count(), 1);
    QVERIFY(rig.trace.last().endsWith(QLatin1String("VANISH")));

    // On the real clock the bus's own timer notices it.
    c.vanishAfterMs = 50;
    Bus bus(c);
    QSignalSpy spy(&bus, &Bus::LineVanished);
    QVERIFY(spy.wait(2000));
}

QTEST_GUILESS_MAIN(TestSimLine)
#include "tst_sim_line.moc"
