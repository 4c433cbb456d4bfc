// The simulator as the program sees it: the program's own link and reply parser
// in-process against a simulated line, including the line faults the parser must
// survive.
#include "SimTestUtil.h"
#include "support/SharedState.h"
#include "support/SimLine.h"
#include "support/SimProcess.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/Parser.h"
#include "link/PlantTable.h"

#include <QProcess>
#include <QtTest>

using namespace plantsim;
using namespace simtest;

namespace {

struct Host {
    support::SharedStateGuard guard;
    TLink link;
    LoopbackPort *port = new LoopbackPort;
    std::unique_ptr<Bus> bus;

    explicit Host(const BusConfig &config)
    {
        bus = std::make_unique<Bus>(config);
        LinkValues().BaseTimeout = 150;
        LinkValues().SetupTimeout = 200;
        LinkValues().RecordTimeout = 200;
        Plants().PlantCount = 32;
        link.SetPort(std::unique_ptr<LinkPort>(port));
        support::WireToBus(port, bus.get());
        link.OpenLink();
        link.StopTimer();
    }
};

} // namespace

class TestSimParser : public QObject {
    Q_OBJECT
private slots:
    void statusModeAndSetup();
    void liveValuesDecode();
    void memoryTransfer();
    void survivesLineFaults();
    void whitespacePlantNumbers_data();
    void whitespacePlantNumbers();
    void faultsThatMustFail();
    void programOnThePseudoTerminal();
};

void TestSimParser::statusModeAndSetup()
{
    BusConfig c = Line({3, 7}, {7});
    c.plants[1].mode = 4;
    Host h(c);
    QVERIFY(!ReadPlantStatus(1));
    QVERIFY(ReadPlantStatus(3));
    QVERIFY(Plants().PlantTable[3].Present && !Plants().PlantTable[3].Running && !Plants().PlantTable[3].MemStatus);
    QVERIFY(ReadPlantStatus(7));
    QVERIFY(Plants().PlantTable[7].Present && Plants().PlantTable[7].Running && Plants().PlantTable[7].MemStatus);
    QCOMPARE(Plants().PlantTable[7].Mode, quint8(4));
    h.bus->GetPlant(7)->Setup() = SetupValues{15, 11, 22, 85, 145, 6, 26, 61, 241};
    QVERIFY(ReadPlantSetup(7));
    QCOMPARE(LinkValues().PlantSetup.Speicher, 15);
    QCOMPARE(LinkValues().PlantSetup.IntEin, 11);
    QCOMPARE(LinkValues().PlantSetup.IntAus, 22);
    QCOMPARE(LinkValues().PlantSetup.O2Ein, 85);
    QCOMPARE(LinkValues().PlantSetup.O2Aus, 145);
    QCOMPARE(LinkValues().PlantSetup.NotEin, 6);
    QCOMPARE(LinkValues().PlantSetup.NotAus, 26);
    QCOMPARE(LinkValues().PlantSetup.MaxEin, 61);
    QCOMPARE(LinkValues().PlantSetup.MaxAus, 241);
}

void TestSimParser::liveValuesDecode()
{
    BusConfig c = Line({2}, {2});
    c.historyDays = 5;
    Host h(c);
    QVERIFY(ReadPlantStatus(2));
    QVERIFY(SendAndWait(LinkValues().BaseTimeout, 2, cmdReadLive));
    QCOMPARE(int(LinkValues().ReplyCode), 19);
    Plant &p = *h.bus->GetPlant(2);
    const auto t = p.Temperatures();
    QCOMPARE(LinkValues().PollReply.T5, t[0] / 10);
    QCOMPARE(LinkValues().PollReply.T1, t[4] / 10);
    QCOMPARE(LinkValues().PollReply.O2, p.O2());
    QCOMPARE(int(LinkValues().PollReply.Betriebsart), p.Mode());
    QCOMPARE(int(LinkValues().PollReply.FanOn), p.FanOn() ? 1 : 0);
    QCOMPARE(LinkValues().PollReply.Luefterlaufzeit, p.RunTime());
    QCOMPARE(LinkValues().PollReply.LuefterZyklen, p.Cycles());
    QVERIFY(LinkValues().PollReply.Valid);
    QVERIFY(LinkValues().PollReply.T5 > 50);   // five days in: hot
    QVERIFY(LinkValues().PollReply.RefMarke < 100);
}

void TestSimParser::memoryTransfer()
{
    BusConfig c = Line({1}, {1});
    c.historyDays = 2;
    Host h(c);
    QVERIFY(ReadPlantStatus(1));
    QVERIFY(ReadStoredRecordCount(1));
    QCOMPARE(LinkValues().StoredCount, 48);
    QDateTime last;
    for (int i = 0; i < 48; ++i) {
        QVERIFY(ReadStoredRecord(1));
        QVERIFY(LinkValues().StoredValues.Valid);
        const QDateTime when = QDateTime::fromString(
            LinkValues().StoredStamp.Day + '.' + LinkValues().StoredStamp.Month + '.' + LinkValues().StoredStamp.Year + "  " + LinkValues().StoredStamp.Hour + ':'
                + LinkValues().StoredStamp.Minute,
            QStringLiteral("dd.MM.yyyy  hh:mm"));
        QVERIFY2(when.isValid(), qPrintable(LinkValues().StoredStamp.Year));
        if (last.isValid())
            QCOMPARE(last.secsTo(when), 3600);
        else
            QCOMPARE(when, QDateTime(QDate(2026, 12, 5), QTime(15, 30)));
        last = when;
    }
    QVERIFY(!ReadStoredRecord(1));   // empty: no reply, the read times out
    QVERIFY(ReadStoredRecordCount(1));
    QCOMPARE(LinkValues().StoredCount, 0);
}

void TestSimParser::survivesLineFaults()
{
    // Noise, fragments and CR LF all at once: every exchange still decodes. (An echo
    // of the host's own frame is not survivable this way: "\x01B" echoed reads as the
    // start of a "B" reply.)
    BusConfig c = Line({1}, {1});
    c.historyDays = 1;
    c.plants[0].faults.noiseBytes = 6;
    c.plants[0].faults.fragment = true;
    c.plants[0].faults.crlf = true;
    Host h(c);
    QVERIFY(ReadPlantStatus(1));
    QVERIFY(ReadPlantSetup(1));
    QCOMPARE(LinkValues().PlantSetup.Speicher, 60);
    QVERIFY(ReadPlantClock(1));
    QVERIFY(LinkValues().ClockText.startsWith(QLatin1String("TZeit:")));
    QVERIFY(ReadStoredRecordCount(1));
    QCOMPARE(LinkValues().StoredCount, 24);
    for (int i = 0; i < 24; ++i) {
        QVERIFY(ReadStoredRecord(1));
        QVERIFY(LinkValues().StoredValues.Valid);
        QCOMPARE(LinkValues().StoredStamp.Year, QStringLiteral("2026"));
    }
}

void TestSimParser::whitespacePlantNumbers_data()
{
    QTest::addColumn<int>("plant");
    QTest::addColumn<bool>("crlf");
    QTest::addColumn<bool>("echo");
    // Plant bytes 9, 10, 13 and 32 are TAB, LF, CR and blank.
    for (int plant : {9, 10, 13, 32})
        for (bool crlf : {false, true})
            for (bool echo : {false, true})
                QTest::addRow("plant %d%s%s", plant, crlf ? " crlf" : "", echo ? " echo" : "") << plant << crlf << echo;
}

void TestSimParser::whitespacePlantNumbers()
{
    QFETCH(int, plant);
    QFETCH(bool, crlf);
    QFETCH(bool, echo);
    BusConfig c = Line({plant}, {plant});
    c.historyDays = 1;
    c.plants[0].faults.crlf = crlf;
    c.plants[0].faults.echo = echo;
    Host h(c);
    QVERIFY(ReadPlantStatus(plant));
    QVERIFY(ReadPlantClock(plant));
    QVERIFY(LinkValues().ClockText.startsWith(QLatin1String("TZeit:")));
    QVERIFY(LinkValues().ClockText.contains(u' '));                  // the clock text keeps its blanks
    QVERIFY(ReadStoredRecordCount(plant));
    QCOMPARE(LinkValues().StoredCount, 24);
    for (int i = 0; i < 24; ++i)
        QVERIFY2(ReadStoredRecord(plant) && LinkValues().StoredValues.Valid, qPrintable(QString::number(i)));
    QVERIFY(SendAndWait(LinkValues().BaseTimeout, plant, cmdReadLive));
    QVERIFY(LinkValues().PollReply.Valid);
}

void TestSimParser::faultsThatMustFail()
{
    BusConfig c = Line({1, 2, 3}, {1, 2, 3});
    c.plants[0].faults.noStatus = true;
    c.plants[1].faults.count1001 = true;
    c.plants[2].faults.corruptProbability = 1.0;
    Host h(c);
    QVERIFY(!ReadPlantStatus(1));
    QCOMPARE(Plants().PlantTable[1].Mode, quint8(3));   // "B" came, "S" did not
    QVERIFY(ReadPlantStatus(2));
    QVERIFY(!ReadStoredRecordCount(2));
    QCOMPARE(LinkValues().StoredCount, 0);
    // Every reply of plant 3 has one bad field: nothing is accepted.
    QVERIFY(!SendAndWait(LinkValues().BaseTimeout, 3, cmdReadSetup));
    QVERIFY(!SendAndWait(LinkValues().BaseTimeout, 3, cmdReadStoredCount));
}

void TestSimParser::programOnThePseudoTerminal()
{
    // The real serial port of the link against the simulator program, paced at
    // 9600 baud, and the line going away under it.
    const support::SharedStateGuard guard;
    support::Simulator simulator;
    QVERIFY(simulator.Start({"--plants", "2,9", "--running", "9", "--history", "1", "--baud", "9600",
                             "--vanish", "1.2"}));
    QProcess &sim = simulator.Process();
    const QString device = simulator.Pty();
    SetPortNameResolver([device](int n) { return n == 1 ? device : QString(); });
    LinkValues().SpeedIndex = 2;
    LinkValues().BaseTimeout = 300;
    LinkValues().RecordTimeout = 900;
    Plants().PlantCount = 32;
    {
        TLink link;
        QSignalSpy lost(link.ComPort1(), &LinkPort::LineLost);
        link.OpenLink();
        QVERIFY(LinkValues().LinkOpen);
        link.StopTimer();
        QVERIFY(ReadPlantStatus(2));
        QVERIFY(!Plants().PlantTable[2].Running);
        QVERIFY(!ReadPlantStatus(3));
        QVERIFY(ReadPlantStatus(9));
        QVERIFY(ReadStoredRecordCount(9));
        QCOMPARE(LinkValues().StoredCount, 24);
        for (int i = 0; i < 3; ++i)
            QVERIFY(ReadStoredRecord(9));
        QVERIFY(LinkValues().StoredValues.Valid);
        QVERIFY(lost.wait(3000));
        QVERIFY(sim.state() == QProcess::NotRunning || sim.waitForFinished(3000));
        QCOMPARE(sim.exitCode(), 0);
    }
}

QTEST_GUILESS_MAIN(TestSimParser)
#include "tst_sim_parser.moc"
