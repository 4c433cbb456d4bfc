// Frame decoding on the plant side and the format of every reply.
#include "SimTestUtil.h"

#include <QtTest>

using namespace plantsim;
using namespace simtest;

class TestSimFrames : public QObject {
    Q_OBJECT
private slots:
    void decodesEveryCommand_data();
    void decodesEveryCommand();
    void framesSplitAcrossReads();
    void cutFramesAreDropped();
    void noiseBetweenFramesIsSkipped();
    void absentPlantsAndUnknownCommandsGetNoReply();
    void replyFormats();
    void clockReplyIsThirtyCharacters();
    void commandsWithoutReply();
};

void TestSimFrames::decodesEveryCommand_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<char>("command");
    QTest::addColumn<QByteArray>("digits");
    const char *plain = "BReoTqArFScG6";
    for (const char *c = plain; *c; ++c)
        QTest::addRow("%c", *c) << FrameBytes(17, QByteArray(1, *c).constData()) << *c << QByteArray();
    QTest::addRow("Z") << FrameBytes(17, "Z090500") << 'Z' << QByteArray("090500");
    QTest::addRow("D") << FrameBytes(17, "D071226") << 'D' << QByteArray("071226");
    QTest::addRow("I") << FrameBytes(17, "I0015") << 'I' << QByteArray("0015");
    QTest::addRow("E") << FrameBytes(17, "E0010") << 'E' << QByteArray("0010");
    QTest::addRow("O") << FrameBytes(17, "O0020") << 'O' << QByteArray("0020");
    QTest::addRow("n") << FrameBytes(17, "n00050025") << 'n' << QByteArray("00050025");
    QTest::addRow("N") << FrameBytes(17, "N00600240") << 'N' << QByteArray("00600240");
    QTest::addRow("p") << FrameBytes(17, "p01250140") << 'p' << QByteArray("01250140");
}

void TestSimFrames::decodesEveryCommand()
{
    QFETCH(QByteArray, frame);
    QFETCH(char, command);
    QFETCH(QByteArray, digits);
    FrameDecoder d;
    std::vector<Frame> frames;
    std::vector<QByteArray> cut;
    d.Feed(frame, 0, frames, cut);
    QCOMPARE(frames.size(), size_t(1));
    QVERIFY(cut.empty());
    QCOMPARE(frames[0].plant, 17);
    QCOMPARE(frames[0].command, command);
    QCOMPARE(frames[0].digits, digits);
    QVERIFY(frames[0].known);
    QCOMPARE(frames[0].Bytes(), frame);
    QVERIFY(!d.Pending());
}

void TestSimFrames::framesSplitAcrossReads()
{
    // The host writes the plant byte and the rest separately; a frame may also be
    // split inside its digits. Back-to-back frames in one read are all decoded.
    FrameDecoder d;
    std::vector<Frame> frames;
    std::vector<QByteArray> cut;
    d.Feed(QByteArray(1, 3), 0, frames, cut);
    d.Feed("p01", 1'000'000, frames, cut);
    QVERIFY(frames.empty());
    QVERIFY(d.Pending());
    d.Feed("250140", 2'000'000, frames, cut);
    d.Feed(FrameBytes(1, "c") + FrameBytes(2, "S") + FrameBytes(32, "Z235959"), 3'000'000, frames, cut);
    QVERIFY(cut.empty());
    QCOMPARE(frames.size(), size_t(4));
    QCOMPARE(frames[0].digits, QByteArray("01250140"));
    QCOMPARE(frames[1].plant, 1);
    QCOMPARE(frames[2].command, 'S');
    QCOMPARE(frames[3].plant, 32);
    QCOMPARE(frames[3].digits, QByteArray("235959"));
}

void TestSimFrames::cutFramesAreDropped()
{
    FrameDecoder d(50'000'000);
    std::vector<Frame> frames;
    std::vector<QByteArray> cut;

    // Silence longer than the gap: the digits that come later belong to nothing.
    d.Feed(FrameBytes(5, "I00"), 0, frames, cut);
    d.Expire(40'000'000, cut);
    QVERIFY(cut.empty());
    d.Expire(51'000'000, cut);
    QCOMPARE(cut.size(), size_t(1));
    QCOMPARE(cut[0], FrameBytes(5, "I00"));
    d.Feed("15", 60'000'000, frames, cut);
    QVERIFY(frames.empty());
    QVERIFY(!d.Pending());

    // Within the gap it is the same frame.
    cut.clear();
    d.Feed(FrameBytes(5, "I00"), 100'000'000, frames, cut);
    d.Feed("15", 140'000'000, frames, cut);
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].digits, QByteArray("0015"));

    // A new plant byte inside a frame starts the new frame.
    frames.clear();
    d.Feed(FrameBytes(4, "Z12") + FrameBytes(6, "B"), 200'000'000, frames, cut);
    QCOMPARE(cut.size(), size_t(1));
    QCOMPARE(cut[0], FrameBytes(4, "Z12"));
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].plant, 6);

    // A plant byte followed by another plant byte: the first frame had no command.
    frames.clear();
    cut.clear();
    d.Feed(QByteArray(1, 9) + FrameBytes(10, "S"), 300'000'000, frames, cut);
    QCOMPARE(cut.size(), size_t(1));
    QCOMPARE(frames.size(), size_t(1));
    QCOMPARE(frames[0].plant, 10);

    // A non-digit among the parameter digits spoils the frame.
    frames.clear();
    cut.clear();
    d.Feed(FrameBytes(2, "p01x50140"), 400'000'000, frames, cut);
    QVERIFY(frames.empty());
    QCOMPARE(cut.size(), size_t(1));
}

void TestSimFrames::noiseBetweenFramesIsSkipped()
{
    FrameDecoder d;
    std::vector<Frame> frames;
    std::vector<QByteArray> cut;
    d.Feed(QByteArray("\0\xff" "abc;12\r\n", 10) + FrameBytes(3, "B") + "xyz" + FrameBytes(4, "r"), 0, frames, cut);
    // Bytes outside 1..32 between frames are skipped; CR (13) and LF (10) are plant
    // numbers, so they open frames that the next plant byte cuts.
    QCOMPARE(frames.size(), size_t(2));
    QCOMPARE(cut.size(), size_t(2));
    QCOMPARE(frames[0].plant, 3);
    QCOMPARE(frames[0].command, 'B');
    QCOMPARE(frames[1].plant, 4);
    QCOMPARE(frames[1].command, 'r');
}

void TestSimFrames::absentPlantsAndUnknownCommandsGetNoReply()
{
    Rig rig(Line({1, 3, 7}));
    QVERIFY(rig.Ask(2, "B").isEmpty());
    QVERIFY(rig.Ask(32, "S").isEmpty());
    QVERIFY(rig.Ask(7, "x").isEmpty());        // unknown command
    QVERIFY(rig.Ask(7, "Y").isEmpty());
    QCOMPARE(rig.Ask(7, "B"), QByteArray("B3;"));
    QCOMPARE(rig.Ask(3, "S"), QByteArray("S0;0;"));
    // A frame to an absent plant does not disturb the next one.
    rig.rx.clear();
    rig.bus->Receive(FrameBytes(5, "Z120000") + FrameBytes(1, "B"));
    QCOMPARE(rig.rx, QByteArray("B3;"));
    const QStringList ign = rig.TraceOf(QStringLiteral("IGN"));
    QCOMPARE(ign.size(), 5);
    QVERIFY(ign[0].endsWith(QLatin1String("2 B absent")));
    QVERIFY(ign[2].endsWith(QLatin1String("7 x unknown")));
    QVERIFY(ign[4].endsWith(QLatin1String("5 Z120000 absent")));
}

void TestSimFrames::replyFormats()
{
    BusConfig c = Line({4}, {4});
    c.historyDays = 2;
    Rig rig(c);
    auto checkInts = [](const QByteArray &reply, char letter, int fields) {
        QVERIFY2(reply.startsWith(letter), reply.constData());
        QVERIFY2(reply.endsWith(';'), reply.constData());
        QCOMPARE(int(reply.count(';')), fields);
        for (const QByteArray &f : Fields(reply))
            QVERIFY2(IsInteger(f), reply.constData());
    };
    checkInts(rig.Ask(4, "B"), 'B', 1);
    checkInts(rig.Ask(4, "S"), 'S', 2);
    QCOMPARE(rig.Ask(4, "S"), QByteArray("S1;1;"));
    checkInts(rig.Ask(4, "r"), 'r', 1);
    QCOMPARE(rig.Ask(4, "r"), QByteArray("r48;"));   // two days at 60 minutes

    // Set-up values in wire order.
    rig.P(4).Setup() = SetupValues{15, 11, 22, 85, 145, 6, 26, 61, 241};
    QCOMPARE(rig.Ask(4, "R"), QByteArray("R15;11;22;85;145;6;26;61;241;"));

    const QByteArray live = rig.Ask(4, "c");
    checkInts(live, 'c', 11);
    const QList<QByteArray> lf = Fields(live);
    const auto temps = rig.P(4).Temperatures();
    for (int k = 0; k < 5; ++k)
        QCOMPARE(lf[k].toInt(), temps[size_t(k)]);
    QCOMPARE(lf[5].toInt(), rig.P(4).O2());
    QCOMPARE(lf[6].toInt(), rig.P(4).Mode());
    QCOMPARE(lf[7].toInt(), rig.P(4).FanOn() ? 1 : 0);
    QCOMPARE(lf[8].toInt(), 255);
    QCOMPARE(lf[9].toInt(), rig.P(4).RunTime());
    QCOMPARE(lf[10].toInt(), rig.P(4).Cycles());
    QVERIFY(lf[9].toInt() > 0);
    QVERIFY(lf[10].toInt() > 0);

    // The first stored record: an hour after the pile started two days ago.
    const StoredRecord first = rig.P(4).Memory().front();
    const QByteArray rec = rig.Ask(4, "G");
    checkInts(rec, 'G', 15);
    const QList<QByteArray> gf = Fields(rec);
    QCOMPARE(gf[8], QByteArray("30"));   // minute
    QCOMPARE(gf[9], QByteArray("15"));   // hour
    QCOMPARE(gf[10], QByteArray("05"));  // day
    QCOMPARE(gf[11], QByteArray("12"));  // month
    QCOMPARE(gf[12], QByteArray("26"));  // two-digit year
    for (int k = 0; k < 5; ++k)
        QCOMPARE(gf[k].toInt(), first.temps[size_t(k)]);
    QCOMPARE(gf[5].toInt(), first.o2);
    QCOMPARE(gf[6].toInt(), first.mode);
    QCOMPARE(gf[7].toInt(), 255);
    QCOMPARE(gf[13].toInt(), first.runTime);
    QCOMPARE(gf[14].toInt(), first.cycles);
    QCOMPARE(rig.Ask(4, "r"), QByteArray("r47;"));
}

void TestSimFrames::clockReplyIsThirtyCharacters()
{
    Rig rig(Line({1}));
    QByteArray t = rig.Ask(1, "6");
    QCOMPARE(t.size(), 30);
    QVERIFY(t.startsWith('T'));
    QCOMPARE(t, QByteArray("TZeit: 14:30:00 Datum:07.12.26"));
    rig.Ask(1, "D010130");
    rig.Ask(1, "Z090500");
    t = rig.Ask(1, "6");
    QCOMPARE(t, QByteArray("TZeit: 09:05:00 Datum:01.01.30"));
    // Impossible values leave the clock alone.
    rig.Ask(1, "D310230");
    rig.Ask(1, "Z256100");
    QCOMPARE(rig.Ask(1, "6"), t);
    // The clock runs with simulated time.
    rig.bus->AdvanceSimulated(3'600'000 + 61'000);
    QCOMPARE(rig.Ask(1, "6"), QByteArray("TZeit: 10:06:01 Datum:01.01.30"));
}

void TestSimFrames::commandsWithoutReply()
{
    Rig rig(Line({1}, {1}));
    for (const char *f : {"e", "o", "T", "q", "A", "F", "Z120000", "D071226", "I0015", "E0010", "O0020",
                          "n00050025", "N00600240", "p00800150"})
        QVERIFY2(rig.Ask(1, f).isEmpty(), f);
    QCOMPARE(rig.TraceOf(QStringLiteral("RX")).size(), 14);
    QVERIFY(rig.TraceOf(QStringLiteral("TX")).isEmpty());
}

QTEST_GUILESS_MAIN(TestSimFrames)
#include "tst_sim_frames.moc"
