// The serial link: frame bytes, waiting for replies, opening the port, the
// live-value poll, and a line that goes away (loopback and a real pty).

#include "support/ScriptedPlant.h"
#include "link/Parser.h"
#include "plant/Plant.h"
#include "support/Frames.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <ctime>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {
using support::FrameBytes;

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
} // namespace

class TestLink : public QObject {
    Q_OBJECT
private slots:

    void frames()
    {
        LinkFixture fx;
        Plants().PlantCount = 12;
        SendCommand(3, cmdSetDate, {7, 12, 26});
        QCOMPARE(fx.port->Written(), QByteArray::fromHex("0344303731323236"));
        fx.port->ClearWritten();
        SendCommand(12, cmdSetO2Limits, {125, 140});
        QCOMPARE(fx.port->Written(), FrameBytes(12, "p01250140"));
        fx.port->ClearWritten();
        SendCommand(5, cmdSetStoreInterval, {15});
        SendCommand(1, cmdSetTime, {9, 5, 0});
        SendCommand(2, cmdSetMaxTimes, {65535, 7});     // wider than the field: in full
        SendCommand(2, cmdSetTime, {123});              // missing values are 0
        SendCommand(4, cmdReadSetup);
        SendCommand(4, cmdSwitchOn);
        QCOMPARE(fx.port->Written(), FrameBytes(5, "I0015") + FrameBytes(1, "Z090500") + FrameBytes(2, "N655350007")
                                         + FrameBytes(2, "Z1230000") + FrameBytes(4, "R") + FrameBytes(4, "F"));
        QCOMPARE(LinkValues().AddressedPlant, quint8(4));
    }

    void framesNotSent()
    {
        LinkFixture fx;
        Plants().PlantCount = 3;
        Plants().PlantTable[2].Present = 1;      // not running: no live request
        LinkValues().RxBuffer = "S1";
        LinkValues().ReplyCode = 18;
        SendCommand(0, cmdReadMode);
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QCOMPARE(LinkValues().RxBuffer, QByteArray("S1"));    // not addressed: buffer kept
        LinkValues().ReplyCode = 18;
        SendCommand(4, cmdReadMode);
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        SendCommand(-1, cmdReadMode);
        SendCommand(2, cmdReadLive);
        QVERIFY(LinkValues().RxBuffer.isEmpty());            // awaits a reply: leftovers dropped
        SendCommand(2, TCommand(22));
        SendCommand(2, cmdNone);
        LinkValues().RxBuffer = "B";
        SendCommand(2, cmdFanOn, {0});
        QCOMPARE(LinkValues().RxBuffer, QByteArray("B"));     // no reply expected: buffer kept
        QCOMPARE(fx.port->Written(), FrameBytes(2, "e"));
        LinkValues().LinkOpen = false;
        SendCommand(2, cmdReadMode);
        QCOMPARE(fx.port->Written(), FrameBytes(2, "e"));
        QCOMPARE(LinkValues().AddressedPlant, quint8(2));
    }

    void waitForReply()
    {
        LinkFixture fx;
        fx.plant.Answer('B', "B2;");
        QVERIFY(SendAndWait(200, 1, cmdReadMode));
        QVERIFY(!LinkValues().ReplyTimedOut);
        QCOMPARE(Plants().PlantTable[1].Mode, quint8(2));
        QCOMPARE(fx.link.Timeout1()->interval(), 0);
        QVERIFY(!fx.link.Timeout1()->isActive());

        // Reply in three pieces over three events, with noise in front.
        fx.plant.onFrame = [&fx](const Frame &) {
            QTimer::singleShot(1, [&fx] { fx.port->Inject("\r\nS"); });
            QTimer::singleShot(5, [&fx] { fx.port->Inject("1;"); });
            QTimer::singleShot(10, [&fx] { fx.port->Inject("1;"); });
        };
        QVERIFY(SendAndWait(300, 1, cmdReadState));
        QCOMPARE(Plants().PlantTable[1].Running, quint8(1));
        fx.plant.onFrame = nullptr;

        // A reply for another command does not end the wait.
        fx.plant.Answer('r', "B1;");
        QElapsedTimer t;
        t.start();
        QVERIFY(!SendAndWait(60, 1, cmdReadStoredCount));
        QVERIFY(LinkValues().ReplyTimedOut);
        QVERIFY(t.elapsed() >= 55);
        QCOMPARE(fx.link.Timeout1()->interval(), 0);

        // Nothing can answer cmdNone or a command without a reply.
        QVERIFY(!SendAndWait(20, 1, cmdNone));
        QVERIFY(!SendAndWait(20, 1, cmdFanOn));

        // A reply later than its time-out is nobody's answer and is dropped, unless
        // the caller waits on for it without sending anything.
        fx.plant.onFrame = [&fx](const Frame &) { QTimer::singleShot(80, [&fx] { fx.port->Inject("r12;"); }); };
        QVERIFY(!SendAndWait(30, 1, cmdReadStoredCount));
        const quint32 stray = LinkValues().StrayReplies;
        QTest::qWait(150);
        QCOMPARE(LinkValues().StoredCount, 0);
        QCOMPARE(LinkValues().ReplyCode, quint8(0));
        QVERIFY(LinkValues().StrayReplies > stray);
        QVERIFY(!SendAndWait(30, 1, cmdReadStoredCount));
        QVERIFY(AwaitLateReply(200, cmdReadStoredCount));
        QCOMPARE(LinkValues().StoredCount, 12);
        QVERIFY(!LinkValues().ReplyTimedOut);
    }

    void waitWithLinkClosedOrNoLink()
    {
        {
            LinkFixture fx;
            fx.plant.Answer('B', "B2;");
            fx.link.CloseLink();
            QElapsedTimer t;
            t.start();
            QVERIFY(!SendAndWait(100, 1, cmdReadMode));
            QVERIFY(t.elapsed() >= 95);
            QVERIFY(LinkValues().ReplyTimedOut);
            QVERIFY(fx.port->Written().isEmpty());
        }
        QVERIFY(!TLink::Instance());
        QElapsedTimer t;
        t.start();
        QVERIFY(!SendAndWait(50, 1, cmdReadMode));
        QVERIFY(t.elapsed() >= 45);
        QVERIFY(LinkValues().ReplyTimedOut);
    }

    // A handler that waits while another wait is running must not hang either.
    void nestedWait()
    {
        LinkFixture fx;
        bool inner = true;
        fx.plant.Answer('B', "B1;");
        QTimer::singleShot(5, [&inner] { inner = SendAndWait(30, 1, cmdReadState); });
        QElapsedTimer t;
        t.start();
        QVERIFY(!SendAndWait(150, 1, cmdReadClock));
        QVERIFY(!inner);
        QVERIFY(t.elapsed() < 1000);
        QCOMPARE(fx.link.Timeout1()->interval(), 0);
    }

    void openLink()
    {
        LinkFixture fx;
        QVERIFY(LinkValues().LinkOpen);
        QSignalSpy status(&fx.link, &TLink::StatusText), failed(&fx.link, &TLink::OpenFailed);
        QStringList order;
        connect(&fx.link, &TLink::StatusText, [&order](const QString &) { order << "status"; });
        connect(&fx.link, &TLink::OpenFailed, [&order](const QString &) { order << "failed"; });

        LinkValues().SpeedIndex = 7;
        fx.link.OpenLink();
        QCOMPARE(fx.port->BaudRate(), 2400);
        QCOMPARE(status.last().at(0).toString(), QString("Serielle Verbindung auf :COM1"));
        QVERIFY(fx.link.LeseTimer()->isActive());
        QCOMPARE(fx.link.LeseTimer()->interval(), 500);
        LinkValues().SpeedIndex = 3;
        fx.link.OpenLink();
        QCOMPARE(fx.port->BaudRate(), 19200);

        order.clear();
        LinkValues().ComNumber = 0;
        fx.link.OpenLink();
        QCOMPARE(order, QStringList({"failed", "status"}));
        QCOMPARE(failed.last().at(0).toString(),
                 QString::fromUtf8("Fehler beim Öffnen der seriellen Schnittstelle !\nBitte überprüfen!!"));
        QCOMPARE(status.last().at(0).toString(),
                 QString::fromUtf8("Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!"));
        QVERIFY(!LinkValues().LinkOpen);
        QVERIFY(!fx.link.LeseTimer()->isActive());

        LinkValues().ComNumber = 1;
        fx.port->SetExists(false);
        fx.link.OpenLink();
        QVERIFY(!LinkValues().LinkOpen);
        fx.port->SetExists(true);
        OpenLinkFromSettings([](const QString &section, const QString &key, int def) {
            return section == "COM" && key == "COM" ? 4 : def;
        });
        QVERIFY(LinkValues().LinkOpen);
        QCOMPARE(LinkValues().ComNumber, quint16(4));
        QCOMPARE(status.last().at(0).toString(), QString("Serielle Verbindung auf :COM4"));
    }

    // The poll reads the running piles in turn and gives one slot a cycle to an
    // address that has not answered; plants without pile age once a cycle, and a
    // plant that stops answering is silent on its fifth missed poll.
    void pollCycle()
    {
        LinkFixture fx;
        Plants().PlantCount = 6;
        for (int n : {1, 2, 3})
            Plants().PlantTable[n].Present = 1;
        Plants().PlantTable[1].Running = Plants().PlantTable[2].Running = 1;      // plant 3 has no pile; 4–6 absent
        Plants().LiveTable[3].Valid = 1;
        fx.plant.onFrame = [&fx](const Frame &f) {
            if (f.command == 'c')
                fx.port->Inject("c" + QByteArray::number(600 + f.plant) + ";600;600;600;600;210;2;1;255;5;6;");
        };
        QSignalSpy polled(&fx.link, &TLink::Polled);
        auto step = [&fx] {
            QTRY_VERIFY(fx.link.LineFree(0, cmdReadLive));
            fx.link.LeseTimerTimer();
        };
        LinkValues().PollPlant = 0;
        for (int i = 0; i < 16; ++i)
            step();
        QTRY_VERIFY(fx.link.LineFree(0, cmdReadLive));
        QCOMPARE(polled.count(), 16);
        QCOMPARE(fx.plant.Commands(), QByteArray("ccBccBccBccBccBc"));
        QList<int> asked;
        for (const Frame &f : fx.plant.frames)
            asked << f.plant;
        QCOMPARE(asked, QList<int>({1, 2, 4, 1, 2, 5, 1, 2, 6, 1, 2, 4, 1, 2, 5, 1}));
        QCOMPARE(Plants().LiveTable[1].T5, 60);
        QCOMPARE(Plants().LiveTable[2].O2, 210);
        QCOMPARE(Plants().LiveTable[2].MissCount, quint16(0));
        QCOMPARE(Plants().LiveTable[3].Valid, quint8(0));        // five cycles without a reading
        QCOMPARE(PlantSilentSince(3), 0);                          // no pile: not "silent"

        // Plant 1 stops answering: four missed polls keep its values, the fifth drops them.
        fx.plant.onFrame = [&fx](const Frame &f) {
            if (f.command == 'c' && f.plant == 2)
                fx.port->Inject("c602;600;600;600;600;210;2;1;255;5;6;");
        };
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        int polls = 0;
        while (polls < 5) {
            step();
            polls += LinkValues().AddressedPlant == 1 && fx.plant.frames.last().command == 'c';
            if (polls < 5)
                QCOMPARE(Plants().LiveTable[1].Valid, quint8(1));
        }
        step();         // the step after the fifth poll counts its miss
        step();
        step();
        QCOMPARE(Plants().LiveTable[1].Valid, quint8(0));
        QVERIFY(PlantSilentSince(1) >= before);
        QCOMPARE(Plants().LiveTable[2].Valid, quint8(1));
    }

    // A plant's late answers give it a longer time-out and quiet time of its own,
    // which its prompt answers take back; other plants are not slowed by it.
    void latePlantTimesRecover()
    {
        LinkFixture fx;
        Plants().PlantCount = 4;
        QElapsedTimer clock;
        clock.start();
        qint64 lateReplyAt = -1, frameTo2At = -1;
        fx.plant.onFrame = [&](const Frame &f) {
            if (f.plant == 1)
                QTimer::singleShot(120, [&] { lateReplyAt = clock.elapsed(); fx.port->Inject("B1;"); });
            else if (f.plant == 2 && frameTo2At < 0)
                frameTo2At = clock.elapsed();
            if (f.plant == 2)
                fx.port->Inject("B1;");
        };
        QVERIFY(!SendAndWait(40, 1, cmdReadMode));
        QTest::qWait(200);                                          // its reply comes late
        QVERIFY(fx.link.QuietAfterTimeout(1, 40) >= 120 - 40);
        QCOMPARE(fx.link.QuietAfterTimeout(2, 40), 40);             // nobody else's
        QCOMPARE(fx.link.PlantTimeout(1, 40), 40);                  // once is a hiccup

        // Now known to be late: after its next time-out nothing goes to plant 2
        // before its reply is in.
        lateReplyAt = -1;
        QVERIFY(!SendAndWait(40, 1, cmdReadMode));
        QVERIFY(SendAndWait(40, 2, cmdReadMode));
        QTRY_VERIFY(lateReplyAt > 0);
        QVERIFY2(frameTo2At >= lateReplyAt, qPrintable(QString("%1 %2").arg(frameTo2At).arg(lateReplyAt)));
        QVERIFY(fx.link.PlantTimeout(1, 40) >= 120);                // twice: its own time-out
        QCOMPARE(fx.link.PlantTimeout(2, 40), 40);
        QTRY_VERIFY(fx.link.LineFree(1, cmdReadMode));
        QVERIFY(SendAndWait(40, 1, cmdReadMode));                   // answered within it now

        fx.plant.onFrame = [&fx](const Frame &) { fx.port->Inject("B1;"); };
        for (int i = 0; i < 8; ++i)
            QVERIFY(SendAndWait(40, 1, cmdReadMode));
        QCOMPARE(fx.link.PlantTimeout(1, 40), 40);
        QCOMPARE(fx.link.QuietAfterTimeout(1, 40), 40);

        // Questions it ignored a while ago (silent, or replies lost) are not what its
        // next prompt answer answers: it is not taken for a late plant.
        fx.plant.onFrame = nullptr;
        QVERIFY(!SendAndWait(40, 1, cmdReadMode));
        QTest::qWait(150);
        fx.plant.onFrame = [&fx](const Frame &) { fx.port->Inject("B1;"); };
        QVERIFY(SendAndWait(40, 1, cmdReadMode));
        QCOMPARE(fx.link.QuietAfterTimeout(1, 40), 40);
        QVERIFY(fx.link.LineFree(2, cmdReadMode));
    }

    void loopbackLineLost()
    {
        LinkFixture fx;
        fx.plant.Answer('B', "B2;");
        QSignalSpy status(&fx.link, &TLink::StatusText);
        fx.port->Vanish();
        QVERIFY(!LinkValues().LinkOpen);
        QCOMPARE(status.count(), 1);
        QVERIFY(!SendAndWait(30, 1, cmdReadMode));
        QVERIFY(fx.port->Written().isEmpty());
        fx.port->Inject("B1;");         // a closed port receives nothing
        QTest::qWait(5);
        QCOMPARE(Plants().PlantTable[1].Mode, quint8(0));
    }

    // At 2400 Bd a reply is not read a byte at a time once its length is known, yet
    // it is never late: paced replies come in a few reads at their natural end,
    // a shorter one by its own end, one all there at once without waiting.
    void slowLineGathersReplies()
    {
        int master = -1, slave = -1;
        char name[256] = {};
        QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
        ::close(slave);
        const QString device = QString::fromLocal8Bit(name);
        const support::SharedStateGuard guard;
        SetPortNameResolver([device](int n) { return n == 1 ? device : QString(); });
        LinkValues().SpeedIndex = 0;
        Plants().PlantTable[1].Present = Plants().PlantTable[1].Running = 1;
        TLink link;
        link.OpenLink();
        link.StopTimer();
        QCOMPARE(link.ComPort1()->BaudRate(), 2400);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

        const QByteArray full = "c601;600;600;600;600;210;2;1;255;5;6;";     // 37 bytes
        QByteArray reply, out, got;
        bool paced = true;
        QTimer plantSide;               // a byte every 4 ms, as the wire at 2400 Bd
        connect(&plantSide, &QTimer::timeout, [&] {
            char buf[16];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, int(n));
            if (got.endsWith("\x01" "c")) {
                got.clear();
                out = reply;
                if (!paced) {
                    (void)!::write(master, out.constData(), size_t(out.size()));
                    out.clear();
                }
            }
            if (!out.isEmpty()) {
                (void)!::write(master, out.constData(), 1);
                out.remove(0, 1);
            }
        });
        plantSide.start(4);
        QSignalSpy reads(link.ComPort1(), &LinkPort::TriggerAvail);
        auto exchange = [&](const QByteArray &r, bool pace) {
            reply = r;
            paced = pace;
            reads.clear();
            QElapsedTimer t;
            t.start();
            const bool ok = SendAndWait(1000, 1, cmdReadLive);
            return ok ? int(t.elapsed()) : -1;
        };
        QVERIFY(exchange(full, true) > 0);                      // two replies teach the length
        QVERIFY(exchange(full, true) > 0);
        QVERIFY(reads.count() > 10);                            // a byte at a time so far
        const int natural = exchange(full, true);
        QVERIFY2(natural > 0 && natural < 37 * 5 + 40, qPrintable(QString::number(natural)));
        QVERIFY2(reads.count() <= 3, qPrintable(QString::number(reads.count())));
        QVERIFY(LinkValues().PollReply.Valid);

        const int shorter = exchange("c61;600;600;600;600;210;2;1;255;5;6;", true);
        QVERIFY2(shorter > 0 && shorter < 35 * 5 + 40, qPrintable(QString::number(shorter)));
        const int atOnce = exchange(full, false);
        QVERIFY2(atOnce >= 0 && atOnce < 30, qPrintable(QString::number(atOnce)));
        plantSide.stop();
        ::close(master);
    }

    // A real serial port on a pseudo-terminal whose other end goes away.
    void ptyLineLost()
    {
        int master = -1, slave = -1;
        char name[256] = {};
        QVERIFY(openpty(&master, &slave, name, nullptr, nullptr) == 0);
        ::close(slave);     // the port opens the slave by name
        const QString device = QString::fromLocal8Bit(name);
        const support::SharedStateGuard guard;
        SetPortNameResolver([device](int n) { return n == 1 ? device : QString(); });
        LinkValues().SpeedIndex = 2;
        TLink link;
        QSignalSpy lost(link.ComPort1(), &LinkPort::LineLost);
        link.OpenLink();
        QVERIFY(LinkValues().LinkOpen);
        QVERIFY(link.ComPort1()->IsOpen());
        QCOMPARE(link.ComPort1()->BaudRate(), 9600);
        QVERIFY(link.ComPort1()->PortExists(1));    // held by us, still there
        QVERIFY(!link.ComPort1()->PortExists(2));   // resolver: /dev/ttyS1 is no device here
        QVERIFY(!link.ComPort1()->PortExists(0));
        link.StopTimer();

        // A round trip through the pty.
        // The plant side: non-blocking, so it never holds up the event loop
        // that flushes the port's output.
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        QByteArray got;
        QTimer plantSide;
        connect(&plantSide, &QTimer::timeout, [&] {
            char buf[16];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, int(n));
            if (got == QByteArray("\x01" "B")) {
                (void)!::write(master, "B3;", 3);
                got.clear();
            }
        });
        plantSide.start(5);
        QVERIFY(SendAndWait(1000, 1, cmdReadMode));
        plantSide.stop();
        QCOMPARE(Plants().PlantTable[1].Mode, quint8(3));

        ::close(master);
        QTRY_VERIFY_WITH_TIMEOUT(!LinkValues().LinkOpen, 2000);
        QVERIFY(!link.ComPort1()->IsOpen());
        const double cpu0 = CpuSeconds();
        QElapsedTimer t;
        t.start();
        QVERIFY(!SendAndWait(200, 1, cmdReadMode));
        QVERIFY(t.elapsed() >= 195);
        const double cpu = CpuSeconds() - cpu0;
        QCOMPARE(lost.count(), 1);
        QVERIFY2(cpu < 0.05, qPrintable(QString::number(cpu)));     // nothing spins
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
