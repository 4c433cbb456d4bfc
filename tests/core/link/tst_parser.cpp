// Reply decoding: the records the parser fills, split and noisy input, malformed
// fields, and a fuzz run over random and mutated replies.

#include "link/Link.h"
#include "link/Parser.h"
#include "support/SharedState.h"

#include <QElapsedTimer>
#include <QTest>
#include <random>

namespace {

const QByteArray LiveReply = "c567;552;540;525;510;123;3;1;255;1440;17;";
const QByteArray StoredReply = "G-15;300;555;560;700;209;2;7;05;14;31;12;09;88;4;";
const QByteArray SetupReply = "R15;5;10;120;140;2;3;60;30;";
const QByteArray ClockReply = "T12:34:56 07.12.26 Mo ........"; // 30 characters

void Fresh()
{
    support::ResetSharedState();
    LinkValues().AddressedPlant = 1;
}

// Everything the parser can change, for comparing two runs.
QByteArray Snapshot()
{
    QByteArray s;
    auto live = [&s](const TLiveValues &v) {
        s += QByteArray::number(v.Valid) + ',' + QByteArray::number(v.T5) + ',' + QByteArray::number(v.T4) + ','
             + QByteArray::number(v.T3) + ',' + QByteArray::number(v.T2) + ',' + QByteArray::number(v.T1) + ','
             + QByteArray::number(v.O2) + ',' + QByteArray::number(v.RefMarke) + ',' + QByteArray::number(v.FanOn)
             + ',' + QByteArray::number(v.Betriebsart) + ',' + QByteArray::number(v.Aux) + ','
             + QByteArray::number(v.Luefterlaufzeit) + ',' + QByteArray::number(v.LuefterZyklen) + ','
             + QByteArray::number(v.MissCount) + '|';
    };
    live(LinkValues().PollReply);
    live(LinkValues().StoredValues);
    s += (LinkValues().StoredStamp.Minute + LinkValues().StoredStamp.Hour + LinkValues().StoredStamp.Day + LinkValues().StoredStamp.Month + LinkValues().StoredStamp.Year).toUtf8();
    s += '|' + QByteArray::number(LinkValues().PlantSetup.Valid) + ',' + QByteArray::number(LinkValues().PlantSetup.Speicher) + ','
         + QByteArray::number(LinkValues().PlantSetup.MaxAus);
    s += '|' + QByteArray::number(Plants().PlantTable[1].Mode) + ',' + QByteArray::number(Plants().PlantTable[1].MemStatus) + ','
         + QByteArray::number(Plants().PlantTable[1].Running) + ',' + QByteArray::number(LinkValues().StoredCount) + ','
         + LinkValues().ClockText.toUtf8() + ',' + QByteArray::number(LinkValues().ReplyCode) + ',' + LinkValues().RxBuffer;
    return s;
}

} // namespace

class TestParser : public QObject {
    Q_OBJECT
private slots:
    void init() { Fresh(); }

    void liveReplySplitAsInTheExample()
    {
        ParseReceived("c567;552;54");
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QCOMPARE(LinkValues().RxBuffer, QByteArray("c567;552;54"));
        ParseReceived("0;525;510;123;3;1;255;1440;17;");
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadLive));
        QCOMPARE(LinkValues().PollReply.T5, 56);
        QCOMPARE(LinkValues().PollReply.T4, 55);
        QCOMPARE(LinkValues().PollReply.T3, 54);
        QCOMPARE(LinkValues().PollReply.T2, 52);
        QCOMPARE(LinkValues().PollReply.T1, 51);
        QCOMPARE(LinkValues().PollReply.O2, 123);
        QCOMPARE(LinkValues().PollReply.Betriebsart, quint8(3));
        QCOMPARE(LinkValues().PollReply.FanOn, quint8(1));
        QCOMPARE(LinkValues().PollReply.Aux, quint16(255));
        QCOMPARE(LinkValues().PollReply.Luefterlaufzeit, 1440);
        QCOMPARE(LinkValues().PollReply.LuefterZyklen, 17);
        QCOMPARE(LinkValues().PollReply.RefMarke, 75);
        QCOMPARE(LinkValues().PollReply.MissCount, quint16(0));
        QVERIFY(LinkValues().PollReply.Valid);
        QVERIFY(LinkValues().RxBuffer.isEmpty());
    }

    void storedReplyAndStamp()
    {
        LinkValues().StoredValues.FanOn = 1;     // the stored reply has no fan state: untouched
        ParseReceived(StoredReply);
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadStored));
        QCOMPARE(LinkValues().StoredValues.T5, -1);  // -15 tenths truncate toward zero
        QCOMPARE(LinkValues().StoredValues.T4, 30);
        QCOMPARE(LinkValues().StoredValues.T1, 70);
        QCOMPARE(LinkValues().StoredValues.O2, 209);
        QCOMPARE(LinkValues().StoredValues.Betriebsart, quint8(2));
        QCOMPARE(LinkValues().StoredValues.Aux, quint16(7));
        QCOMPARE(LinkValues().StoredValues.FanOn, quint8(1));
        QCOMPARE(LinkValues().StoredValues.RefMarke, 100);   // T5 below 55
        QCOMPARE(LinkValues().StoredValues.Luefterlaufzeit, 88);
        QCOMPARE(LinkValues().StoredValues.LuefterZyklen, 4);
        QCOMPARE(LinkValues().StoredStamp.Minute, QString("05"));
        QCOMPARE(LinkValues().StoredStamp.Hour, QString("14"));
        QCOMPARE(LinkValues().StoredStamp.Day, QString("31"));
        QCOMPARE(LinkValues().StoredStamp.Month, QString("12"));
        QCOMPARE(LinkValues().StoredStamp.Year, QString("2009"));

        // The plant no longer holds a record it has sent: a stamp that forms no date
        // is taken as text (cut to 10 characters), never a reason to lose the record.
        const struct { const char *reply; const char *minute, *month; } spoilt[] = {
            {"G1;1;1;1;1;1;1;1;123456789012;1;1;1;09;1;1;", "1234567890", "1"},
            {"G1;1;1;1;1;1;1;1;5x;14;31;x2;09;1;1;", "5x", "x2"},
            {"G1;1;1;1;1;1;1;1;60;14;0;12;09;1;1;", "60", "12"}};
        for (const auto &c : spoilt) {
            Fresh();
            ParseReceived(c.reply);
            QVERIFY2(LinkValues().ReplyCode == cmdReadStored && LinkValues().StoredValues.Valid, c.reply);
            QCOMPARE(LinkValues().StoredStamp.Minute, QString(c.minute));
            QCOMPARE(LinkValues().StoredStamp.Month, QString(c.month));
        }
    }

    void setupReply()
    {
        ParseReceived(SetupReply);
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadSetup));
        QCOMPARE(LinkValues().PlantSetup.Valid, quint8(1));
        QCOMPARE(LinkValues().PlantSetup.Speicher, 15);
        QCOMPARE(LinkValues().PlantSetup.IntEin, 5);
        QCOMPARE(LinkValues().PlantSetup.IntAus, 10);
        QCOMPARE(LinkValues().PlantSetup.O2Ein, 120);
        QCOMPARE(LinkValues().PlantSetup.O2Aus, 140);
        QCOMPARE(LinkValues().PlantSetup.NotEin, 2);
        QCOMPARE(LinkValues().PlantSetup.NotAus, 3);
        QCOMPARE(LinkValues().PlantSetup.MaxEin, 60);
        QCOMPARE(LinkValues().PlantSetup.MaxAus, 30);

        // A bad field stops the reply; the rest is dropped as noise.
        Fresh();
        ParseReceived("R15;5;x;120;140;2;3;60;30;");
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QCOMPARE(LinkValues().PlantSetup.Valid, quint8(0));
        QCOMPARE(LinkValues().PlantSetup.Speicher, 15);
        QCOMPARE(LinkValues().PlantSetup.O2Ein, 0);
        QVERIFY(LinkValues().RxBuffer.isEmpty());
    }

    void modeStateCountClock()
    {
        ParseReceived("B");
        QCOMPARE(LinkValues().RxBuffer, QByteArray("B"));
        ParseReceived("2;");
        QCOMPARE(Plants().PlantTable[1].Mode, quint8(2));
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadMode));

        LinkValues().AddressedPlant = 7;
        ParseReceived("xyB1;");
        QCOMPARE(Plants().PlantTable[7].Mode, quint8(1));
        ParseReceived("B258;");     // low 8 bits
        QCOMPARE(Plants().PlantTable[7].Mode, quint8(2));

        ParseReceived("S1;;0;");
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadState));
        QCOMPARE(Plants().PlantTable[7].MemStatus, quint8(1));
        QCOMPARE(Plants().PlantTable[7].Running, quint8(0));
        ParseReceived("S1;q;");
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QCOMPARE(Plants().PlantTable[7].MemStatus, quint8(0));

        ParseReceived("r17;");
        QCOMPARE(LinkValues().StoredCount, 17);
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadStoredCount));
        ParseReceived("r1 7;B3;");  // bad count: 0, then the next reply still decodes
        QCOMPARE(LinkValues().StoredCount, 17);
        QCOMPARE(Plants().PlantTable[7].Mode, quint8(3));

        LinkValues().ReplyCode = 0;
        ParseReceived(ClockReply.left(29));
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        ParseReceived(ClockReply.mid(29) + "B");
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadClock));
        QCOMPARE(LinkValues().ClockText, QString::fromLatin1(ClockReply));
        QCOMPARE(LinkValues().RxBuffer, QByteArray("B"));

        LinkValues().RxBuffer.clear();           // single-byte line text, not UTF-8
        ParseReceived("T55\xb0" "C" + QByteArray(25, '.'));
        QCOMPARE(LinkValues().ClockText, QString::fromUtf8("T55°C") + QString(25, '.'));
    }

    void badLiveFields()
    {
        ParseReceived("c5x7;552;540;525;510;123;3;1;255;1440;17;");
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QCOMPARE(LinkValues().PollReply.Valid, quint8(0));

        const char *fans[] = {"0", "2", "10"};
        const quint8 want[] = {0, 0, 1};
        for (int i = 0; i < 3; ++i) {
            ParseReceived(QByteArray("c1;1;1;1;1;1;1;") + fans[i] + ";1;1;1;");
            QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadLive));
            QCOMPARE(LinkValues().PollReply.FanOn, want[i]);
        }

        // A reply without values must not pass off the previous plant's values.
        LinkValues().ReplyCode = 0;
        ParseReceived("c;;;;;;;;;;;");
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QCOMPARE(LinkValues().PollReply.Valid, quint8(0));
        ParseReceived("c1;2;3;4;5;6;7;8;;;;");
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
    }

    void takeFieldAndCount()
    {
        QByteArray f;
        LinkValues().RxBuffer = ";;";
        QVERIFY(!TakeField(f));
        QCOMPARE(LinkValues().RxBuffer, QByteArray(";;"));
        LinkValues().RxBuffer = ";12;34";
        QVERIFY(TakeField(f));
        QCOMPARE(f, QByteArray("12"));
        QCOMPARE(LinkValues().RxBuffer, QByteArray(";34"));
        QCOMPARE(CountSeparators(), 1);
        QVERIFY(TakeField(f));
        QCOMPARE(f, QByteArray("34"));
        QVERIFY(LinkValues().RxBuffer.isEmpty());
        QCOMPARE(CountSeparators(), 0);
        LinkValues().RxBuffer = "56;";
        QVERIFY(TakeField(f));
        QCOMPARE(f, QByteArray("56"));
        QVERIFY(LinkValues().RxBuffer.isEmpty());
    }

    void convertField_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << QByteArray("42") << true << 42;
        QTest::newRow("zeros") << QByteArray("0009") << true << 9;
        QTest::newRow("plus") << QByteArray("+5") << true << 5;
        QTest::newRow("minus") << QByteArray("-15") << true << -15;
        QTest::newRow("max") << QByteArray("2147483647") << true << 2147483647;
        QTest::newRow("min") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
        QTest::newRow("over") << QByteArray("2147483648") << false << 0;
        QTest::newRow("under") << QByteArray("-2147483649") << false << 0;
        QTest::newRow("huge") << QByteArray("99999999999999999999") << false << 0;
        QTest::newRow("empty") << QByteArray("") << false << 0;
        QTest::newRow("sign") << QByteArray("-") << false << 0;
        QTest::newRow("blank") << QByteArray(" 1") << false << 0;
        QTest::newRow("trail") << QByteArray("1 ") << false << 0;
        QTest::newRow("hex") << QByteArray("0x1") << false << 0;
        QTest::newRow("signs") << QByteArray("+-1") << false << 0;
    }
    void convertField()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        qint32 v = 12345;
        QCOMPARE(ConvertField(text, v), ok);
        QCOMPARE(v, ok ? value : 12345);
    }

    // A stream of every reply kind with noise between; any split into two
    // pieces, and byte-by-byte delivery, must give the same result as one piece.
    void splitAtEveryPosition()
    {
        const QByteArray stream = "\r\nxB3;" + LiveReply + "??" + StoredReply + "S1;1;" + SetupReply + "r250;;"
                                  + ClockReply + "\n" + LiveReply;
        Fresh();
        ParseReceived(stream);
        const QByteArray whole = Snapshot();
        QVERIFY(LinkValues().RxBuffer.isEmpty());
        QCOMPARE(LinkValues().ReplyCode, quint8(cmdReadLive));

        for (int cut = 0; cut <= stream.size(); ++cut) {
            Fresh();
            ParseReceived(stream.left(cut));
            ParseReceived(stream.mid(cut));
            QCOMPARE(Snapshot(), whole);
        }
        Fresh();
        for (char c : stream)
            ParseReceived(QByteArray(1, c));
        QCOMPARE(Snapshot(), whole);
        ParseReceived(QByteArray());    // an empty chunk changes nothing
        QCOMPARE(Snapshot(), whole);
    }

    // Many replies in one chunk must not cost quadratic time.
    void bigChunkIsLinear()
    {
        QByteArray big;
        for (int i = 0; i < 20000; ++i)
            big += LiveReply;
        big += QByteArray(200000, '#');
        QElapsedTimer t;
        t.start();
        ParseReceived(big);
        QVERIFY(LinkValues().RxBuffer.isEmpty());
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        // A blocked reply in front of a long tail waits without being eaten.
        ParseReceived("G1;2;" + QByteArray(100000, 'x'));
        QCOMPARE(LinkValues().RxBuffer.left(5), QByteArray("G1;2;"));
    }

    void fuzz()
    {
        const QList<QByteArray> seeds = {LiveReply, StoredReply, SetupReply, ClockReply, "B2;", "S1;0;", "r999;",
                                         "r-1;", "c;;;;;", "G;", "B;", "T"};
        const QByteArray alphabet = "0123456789;;;;-+ BRSTcGrx\r\n\xff";
        std::mt19937 rng(20261208);
        auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
        const QList<quint8> allowed = {0, 1, 2, 16, 18, 19, 20, 21};
        qint64 fed = 0;
        int checks = 0;
        for (int i = 0; i < 200000; ++i) {
            if (i % 997 == 0) {     // like a new command: start over
                LinkValues().RxBuffer.clear();
                fed = 0;
                LinkValues().AddressedPlant = quint8(pick(40));
            }
            QByteArray r;
            if (pick(4) == 0) {
                const int len = pick(40);
                for (int k = 0; k < len; ++k)
                    r.append(alphabet.at(pick(int(alphabet.size()))));
            } else {
                r = seeds.at(pick(int(seeds.size())));
                const int edits = pick(4);
                for (int k = 0; k < edits && !r.isEmpty(); ++k) {
                    const int at = pick(int(r.size()));
                    switch (pick(3)) {
                    case 0: r[at] = alphabet.at(pick(int(alphabet.size()))); break;
                    case 1: r.remove(at, 1); break;
                    default: r.insert(at, alphabet.at(pick(int(alphabet.size())))); break;
                    }
                }
                if (pick(3) == 0)
                    r = r.left(pick(int(r.size()) + 1));
            }
            fed += r.size();
            ParseReceived(r);
            if (LinkValues().RxBuffer.size() > fed || !allowed.contains(LinkValues().ReplyCode)) {
                QFAIL(qPrintable(QStringLiteral("after %1: buffer %2 of %3, code %4")
                                     .arg(i).arg(LinkValues().RxBuffer.size()).arg(fed).arg(LinkValues().ReplyCode)));
            }
            ++checks;
        }
        QCOMPARE(checks, 200000);
    }
};

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
