// The program at rest: live display open, 32 running plants polled over a paced
// pseudo-terminal line. Measures the program's CPU time (utime + stime) over the
// window and its resident memory at the end.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

// utime + stime of a process in clock ticks; -1 when it cannot be read.
long long CpuTicks(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const int close = stat.lastIndexOf(')');
    if (close < 0)
        return -1;
    // After "pid (comm)" the fields start at 3 (state); utime is 14, stime 15.
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

double RssMegabytes(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

void Stop(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    const int settleMs = 6000;      // discovery of 32 plants and the first poll round

    QTemporaryDir home;
    QProcess sim;
    sim.start(QStringLiteral(PLANTSIM_EXE), {"--plants", "1-32", "--running", "1-32", "--baud", "2400"});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_idle: simulator did not start\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    {
        QFile ini(QDir(home.path()).filePath(QStringLiteral("Haldrix.ini")));
        if (!ini.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "bench_idle: cannot write the settings file\n");
            return 1;
        }
        ini.write(QStringLiteral("[COM]\r\nCOM=1\r\n[Ports]\r\nCOM1=%1\r\n").arg(pty).toUtf8());
    }

    QProcess prog;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    prog.setProcessEnvironment(env);
    prog.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    prog.start(QStringLiteral(HALDRIX_EXE), {"--home", home.path(), "--show-live"});
    if (!prog.waitForStarted(5000)) {
        std::fprintf(stderr, "bench_idle: program did not start\n");
        Stop(sim);
        return 1;
    }
    const qint64 pid = prog.processId();
    QThread::msleep(settleMs);

    const long long ticksPerSecond = sysconf(_SC_CLK_TCK);
    const long long before = CpuTicks(pid);
    QElapsedTimer wall;
    wall.start();
    double peakRss = 0;
    for (int s = 0; s < seconds && prog.state() == QProcess::Running; ++s) {
        QThread::msleep(1000);
        peakRss = std::max(peakRss, RssMegabytes(pid));
    }
    const long long after = CpuTicks(pid);
    const double elapsed = wall.elapsed() / 1000.0;
    const bool alive = prog.state() == QProcess::Running;
    Stop(prog);
    Stop(sim);
    if (!alive || before < 0 || after < 0) {
        std::fprintf(stderr, "bench_idle: the program ended during the measurement\n");
        return 1;
    }
    const double cpu = 100.0 * (after - before) / ticksPerSecond / elapsed;
    std::printf("window %.1f s, CPU time %.2f s\n", elapsed, double(after - before) / ticksPerSecond);
    std::printf("idle: CPU %.2f%% of one core, RSS %.0f MB\n", cpu, peakRss);
    return 0;
}
