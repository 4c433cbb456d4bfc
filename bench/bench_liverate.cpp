// Live values of running piles: 4 piles among 32 addresses on a 2400 Bd line with
// the default time-out (300 ms), plant 9 answering 400 ms late. After discovery the
// poll runs for [seconds] (default 40); the figure is the longest time between two
// readings of one plant. The simulator's line monitor counts frames sent over a
// reply, and the discovery time is printed beside it.

#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/Port.h"
#include "piles/Discovery.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? qMax(5, atoi(argv[1])) : 40;
    const std::array<int, 4> running{3, 9, 17, 28};
    QTemporaryDir home;
    SetProgramFolder(home.path());
    const QString trace = home.filePath(QStringLiteral("trace.txt"));
    QProcess sim;
    sim.start(QStringLiteral(PLANTSIM_EXE), {"--plants", "3,9,17,28", "--running", "3,9,17,28", "--baud", "2400",
                                             "--fault", "9:late=400", "--trace", trace});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_liverate: simulator did not start\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    SetPortNameResolver([pty](int) { return pty; });
    LinkValues().SpeedIndex = 0;
    LinkValues().BaseTimeout = 300;
    Plants().PlantCount = MaxPlants;
    TLink link;
    link.OpenLink();
    if (!LinkValues().LinkOpen) {
        std::fprintf(stderr, "bench_liverate: line did not open\n");
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    RunPlantDiscovery({});
    const double discovery = clock.nsecsElapsed() / 1e9;
    int found = 0;
    for (int n : running)
        found += Plants().PlantTable[n].Present && Plants().PlantTable[n].Running;

    std::array<qint64, MaxPlants + 1> last{}, longest{};
    std::array<int, MaxPlants + 1> reads{};
    QObject::connect(&link, &TLink::Polled, [&] {
        for (int n : running) {
            const TLiveValues &v = Plants().LiveTable[n];
            if (!v.Valid || v.StampMs == last[size_t(n)])
                continue;
            if (last[size_t(n)] != 0)
                longest[size_t(n)] = qMax(longest[size_t(n)], v.StampMs - last[size_t(n)]);
            last[size_t(n)] = v.StampMs;
            ++reads[size_t(n)];
        }
    });
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    link.CloseLink();
    sim.terminate();
    sim.waitForFinished(3000);

    // The line's trace is kept where O2H_BENCH_TRACE says, for a look at the rhythm.
    if (qEnvironmentVariableIsSet("O2H_BENCH_TRACE"))
        QFile::copy(trace, qEnvironmentVariable("O2H_BENCH_TRACE"));
    int over = 0;
    QFile f(trace);
    if (f.open(QIODevice::ReadOnly))
        over = int(f.readAll().count(" OVER "));
    double worst = 0;
    for (int n : running) {
        const double s = longest[size_t(n)] / 1000.0;
        std::printf("plant %2d: %3d readings, longest gap %.2f s\n", n, reads[size_t(n)], s);
        // A plant never read twice has no gap: that is the worst of all.
        worst = qMax(worst, reads[size_t(n)] < 2 ? 999.0 : s);
    }
    std::printf("discovery %.2f s, %d of 4 piles found, %d frames over a reply\n", discovery, found, over);
    std::printf("live age per running plant: max %.2f s over %d s (4 piles among 32 addresses, one 400 ms late), "
                "%d frames over a reply\n", worst, seconds, over);
    return found == 4 && over == 0 ? 0 : 1;
}
