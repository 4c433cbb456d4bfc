// Start-up with 32 running plants on a 2400 baud line: the program's time from its
// start to its main window (it ends right then, --quit-after), against the time the
// discovery's exchanges take on the line (first frame to last reply, from the
// simulator's trace). The figure is the difference: what start-up costs beyond the
// line.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    const QString trace = QDir(home.path()).filePath(QStringLiteral("trace.txt"));
    QProcess sim;
    sim.start(QStringLiteral(PLANTSIM_EXE),
              {"--plants", "1-32", "--running", "1-32", "--baud", "2400", "--trace", trace});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_startup: simulator did not start\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QFile ini(QDir(home.path()).filePath(QStringLiteral("Haldrix.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write(QStringLiteral("[COM]\r\nCOM=1\r\n[Ports]\r\nCOM1=%1\r\n").arg(pty).toUtf8());
    ini.close();

    QProcess prog;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    prog.setProcessEnvironment(env);
    prog.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer wall;
    wall.start();
    prog.start(QStringLiteral(HALDRIX_EXE), {"--home", home.path(), "--quit-after", "1"});
    if (!prog.waitForFinished(120000)) {
        std::fprintf(stderr, "bench_startup: the program did not end\n");
        prog.kill();
        return 1;
    }
    const double total = wall.elapsed();
    sim.terminate();
    sim.waitForFinished(5000);

    QFile t(trace);
    if (!t.open(QIODevice::ReadOnly))
        return 1;
    double first = -1, last = -1;
    int replies = 0;
    for (const QByteArray &line : t.readAll().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() < 2)
            continue;
        const double ms = f[0].toDouble();
        if (first < 0 && (f[1] == "RX" || f[1] == "IGN"))
            first = ms;
        if (f[1] == "TX") {
            last = ms;
            ++replies;
        }
    }
    if (first < 0 || last < 0) {
        std::fprintf(stderr, "bench_startup: no exchange in the trace\n");
        return 1;
    }
    // The last reply is queued at `last`; it takes its bytes' time on the line too,
    // which the program's total includes: a small over-estimate of the line's share.
    const double line = last - first;
    std::printf("program start to main window: %.0f ms, exchanges on the line: %.0f ms (%d replies)\n", total, line,
                replies);
    std::printf("start-up 32 plants: %.0f ms beyond the line\n", total - line);
    return 0;
}
