// The command-line program: its options and a run on a pseudo-terminal end to end.
#include "SimTestUtil.h"
#include "plantsim/Options.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace plantsim;
using namespace simtest;

namespace {

// Reads from fd until `until` returns true or ms have passed.
QByteArray ReadFor(int fd, int ms, const std::function<bool(const QByteArray &)> &until)
{
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) > 0) {
            if (p.revents & (POLLHUP | POLLERR) && !(p.revents & POLLIN))
                break;
            char buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, int(n));
            if (until(got))
                break;
        }
    }
    return got;
}

int OpenRaw(const QString &path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios t{};
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

QByteArray Exchange(int fd, const QByteArray &frame, const QByteArray &expectEnd, int ms = 2000)
{
    [[maybe_unused]] const ssize_t n = ::write(fd, frame.constData(), size_t(frame.size()));
    return ReadFor(fd, ms, [&](const QByteArray &b) { return b.endsWith(expectEnd); });
}

} // namespace

class TestSimCli : public QObject {
    Q_OBJECT
private slots:
    void plantLists();
    void optionsBuildTheLine();
    void badOptionsAreRefused();
    void helpAndErrorsFromTheProgram();
    void ptyEndToEnd();
    void stateThatIsNoFile();
    void vanishingLine();
    void servesAGivenDevice();
};

void TestSimCli::plantLists()
{
    QList<int> all;
    for (int n = 1; n <= 32; ++n)
        all << n;
    QList<int> out;
    QString error;
    QVERIFY(ParsePlantList(QStringLiteral("1-6"), all, out, &error));
    QCOMPARE(out, QList<int>({1, 2, 3, 4, 5, 6}));
    QVERIFY(ParsePlantList(QStringLiteral("7,1,3"), all, out, &error));
    QCOMPARE(out, QList<int>({1, 3, 7}));
    QVERIFY(ParsePlantList(QStringLiteral("2,4-5,5"), all, out, &error));
    QCOMPARE(out, QList<int>({2, 4, 5}));
    QVERIFY(ParsePlantList(QStringLiteral("all"), {3, 9}, out, &error));
    QCOMPARE(out, QList<int>({3, 9}));
    QVERIFY(ParsePlantList(QStringLiteral("32"), all, out, &error));
    for (const char *bad : {"0", "33", "5-3", "x", "1,,2", "1-", "-3", "1.5"}) {
        QVERIFY2(!ParsePlantList(QString::fromLatin1(bad), all, out, &error), bad);
        QVERIFY(!error.isEmpty());
    }
}

void TestSimCli::optionsBuildTheLine()
{
    CliOptions o;
    QString error;
    QVERIFY2(ParseArguments({"--plants", "1-6", "--running", "1,2,3,5", "--history", "10", "--mode", "4:4",
                             "--mode=all:2", "--mode", "1:0", "--setup", "2-3:15,11,22,85,145,6,26,61,241",
                             "--baud", "2400", "--time-factor", "60.5", "--latency", "20", "--seed", "99",
                             "--fault", "3:drop=0.25", "--fault", "echo", "--fault", "5:mute-after=7",
                             "--fault", "6:late=300", "--fault", "4:o2-fault", "--vanish", "2.5",
                             "--start", "2026-12-07T14:30:00", "--trace", "-", "--frame-gap", "30"},
                            o, &error),
             qPrintable(error));
    const BusConfig &b = o.bus;
    QCOMPARE(b.plants.size(), 6);
    QCOMPARE(b.historyDays, 10);
    QCOMPARE(b.baud, 2400);
    QCOMPARE(b.timeFactor, 60.5);
    QCOMPARE(b.latencyMs, 20);
    QCOMPARE(b.seed, quint64(99));
    QCOMPARE(b.vanishAfterMs, 2500);
    QCOMPARE(b.frameGapMs, 30);
    QCOMPARE(b.start, QDateTime(QDate(2026, 12, 7), QTime(14, 30)));
    QCOMPARE(o.trace, QStringLiteral("-"));
    QList<int> running, modes;
    for (const PlantConfig &p : b.plants) {
        if (p.running)
            running << p.number;
        modes << p.mode;
        QVERIFY(p.faults.echo);
    }
    QCOMPARE(running, QList<int>({1, 2, 3, 5}));
    QCOMPARE(modes, QList<int>({0, 2, 2, 2, 2, 2}));   // later options win
    QCOMPARE(b.plants[1].setup.Speicher, 15);
    QCOMPARE(b.plants[2].setup.MaxAus, 241);
    QCOMPARE(b.plants[0].setup.Speicher, 60);
    QCOMPARE(b.plants[2].faults.dropProbability, 0.25);
    QCOMPARE(b.plants[1].faults.dropProbability, 0.0);
    QCOMPARE(b.plants[4].faults.muteAfter, 7);
    QCOMPARE(b.plants[5].faults.lateMs, 300);
    QVERIFY(b.plants[3].faults.o2SensorFault);
    QVERIFY(b.lineFaults.echo);
    QVERIFY(!b.lineFaults.o2SensorFault);

    // Defaults: plant 1 alone, nothing running, unpaced.
    QVERIFY(ParseArguments({}, o, &error));
    QCOMPARE(o.bus.plants.size(), 1);
    QVERIFY(!o.bus.plants[0].running);
    QCOMPARE(o.bus.baud, 0);
    QCOMPARE(o.bus.vanishAfterMs, -1);
}

void TestSimCli::badOptionsAreRefused()
{
    const QList<QStringList> bad = {
        {"--plants", "0-3"},
        {"--plants", "1-3", "--running", "4"},
        {"--mode", "1:5"},
        {"--mode", "9:3"},
        {"--setup", "1:15,11,22"},
        {"--setup", "0,11,22,85,145,6,26,61,241"},
        {"--fault", "explode"},
        {"--fault", "drop=2"},
        {"--fault", "late"},
        {"--fault", "1:vanish=3"},
        {"--baud", "fast"},
        {"--time-factor", "0"},
        {"--history"},
        {"--start", "yesterday"},
        {"--frobnicate"},
    };
    for (const QStringList &args : bad) {
        CliOptions o;
        QString error;
        QVERIFY2(!ParseArguments(args, o, &error), qPrintable(args.join(' ')));
        QVERIFY2(!error.isEmpty(), qPrintable(args.join(' ')));
    }
}

void TestSimCli::helpAndErrorsFromTheProgram()
{
    QProcess p;
    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--help"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const char *opt : {"--plants", "--running", "--history", "--baud", "--mode", "--setup", "--time-factor",
                            "--latency", "--seed", "--fault", "--trace", "--device"})
        QVERIFY2(help.contains(QLatin1String(opt)), opt);

    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--plants", "40"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("40"));
}

void TestSimCli::ptyEndToEnd()
{
    QTemporaryDir dir;
    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    QProcess p;
    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--plants", "1,3", "--running", "1", "--history", "1", "--trace", trace,
                                           "--start", "2026-12-07T14:30:00"});
    QVERIFY(p.waitForStarted(5000));
    QVERIFY(p.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(p.readLine()).trimmed();
    QVERIFY2(path.startsWith(QLatin1String("/dev/pts/")), qPrintable(path));
    const int fd = OpenRaw(path);
    QVERIFY(fd >= 0);

    QCOMPARE(Exchange(fd, FrameBytes(1, "B"), ";"), QByteArray("B3;"));
    QCOMPARE(Exchange(fd, FrameBytes(1, "S"), "1;1;"), QByteArray("S1;1;"));
    QCOMPARE(Exchange(fd, FrameBytes(1, "r"), ";"), QByteArray("r24;"));
    const QByteArray g = Exchange(fd, FrameBytes(1, "G"), ";", 2000);
    QCOMPARE(int(g.count(';')), 15);
    QVERIFY(Exchange(fd, FrameBytes(2, "B"), ";", 200).isEmpty());   // absent
    // Plant byte and command in separate writes, as the program sends them.
    [[maybe_unused]] ssize_t n = ::write(fd, "\x03", 1);
    QCOMPARE(Exchange(fd, "S", ";0;"), QByteArray("S0;0;"));
    QCOMPARE(Exchange(fd, FrameBytes(3, "6"), "26", 2000).size(), 30);

    // SIGTERM ends it cleanly.
    p.terminate();
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    ::close(fd);

    QFile f(trace);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList events;
    double last = -1;
    for (const QString &l : lines) {
        const QStringList t = l.split(QLatin1Char(' '));
        bool ok = false;
        const double ms = t.value(0).toDouble(&ok);
        QVERIFY2(ok && ms >= last, qPrintable(l));
        last = ms;
        events << t.mid(1).join(QLatin1Char(' '));
    }
    QCOMPARE(events.mid(0, 4), QStringList({"RX 1 B", "TX 1 B3;", "RX 1 S", "TX 1 S1;1;"}));
    QVERIFY(events.contains(QStringLiteral("IGN 2 B absent")));
    QVERIFY(events.contains(QStringLiteral("RX 3 6")));
    const QStringList clock = events.filter(QRegularExpression(QStringLiteral(
        "^TX 3 TZeit:\\\\x2014:30:\\d\\d\\\\x20Datum:07\\.12\\.26$")));
    QCOMPARE(clock.size(), 1);
}

void TestSimCli::stateThatIsNoFile()
{
    // A FIFO as --state would block the start, and SIGTERM with it: refused at once.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("state"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QProcess p;
    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--plants", "1", "--state", fifo});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("not a regular file"));
}

void TestSimCli::vanishingLine()
{
    QProcess p;
    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--plants", "1", "--vanish", "0.4"});
    QVERIFY(p.waitForReadyRead(5000));
    const QString path = QString::fromLocal8Bit(p.readLine()).trimmed();
    const int fd = OpenRaw(path);
    QVERIFY(fd >= 0);
    QCOMPARE(Exchange(fd, FrameBytes(1, "B"), ";"), QByteArray("B3;"));
    QVERIFY(p.state() == QProcess::NotRunning || p.waitForFinished(3000));
    QCOMPARE(p.exitCode(), 0);
    // The host's end sees the line gone.
    pollfd pf{fd, POLLIN, 0};
    QVERIFY(::poll(&pf, 1, 1000) > 0);
    QVERIFY(pf.revents & (POLLHUP | POLLERR | POLLIN));
    char b;
    QVERIFY(::read(fd, &b, 1) <= 0);
    ::close(fd);
}

void TestSimCli::servesAGivenDevice()
{
    int master = -1, slave = -1;
    char name[256] = {};
    QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
    termios t{};
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    QProcess p;
    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--plants", "5", "--running", "5", "--device", QString::fromLocal8Bit(name),
                                           "--fault", "crlf"});
    QVERIFY(p.waitForReadyRead(5000));
    QCOMPARE(QString::fromLocal8Bit(p.readLine()).trimmed(), QString::fromLocal8Bit(name));
    QCOMPARE(Exchange(master, FrameBytes(5, "S"), "\r\n"), QByteArray("S1;1;\r\n"));
    p.terminate();
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    ::close(master);
    ::close(slave);

    // A path that is not a serial line is refused.
    p.start(QStringLiteral(O2H_PLANTSIM_EXE), {"--device", "/dev/null"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1);
}

QTEST_GUILESS_MAIN(TestSimCli)
#include "tst_sim_cli.moc"
