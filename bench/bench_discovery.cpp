// Discovery of 32 plants (6 present) over the simulator's pseudo-terminal with the
// default time-out, with and without the quiet time after time-outs; then all
// plants answering 400 ms late with a 100 ms time-out: plants found that are not
// there, or marked running without a pile.

#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/Port.h"
#include "piles/Discovery.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QSet<int> kPresent{1, 5, 9, 14, 20, 27};
const QSet<int> kRunning{5, 14, 27};

struct Run {
    double seconds = 0;
    int invented = 0;       // absent plants found, or running without a pile
    quint32 dropped = 0;    // replies nobody waited for
};

bool Discover(const QStringList &faults, int timeout, int guard, Run &out)
{
    QProcess sim;
    sim.start(QStringLiteral(PLANTSIM_EXE),
              QStringList{"--plants", "1,5,9,14,20,27", "--running", "5,14,27", "--baud", "9600"} + faults);
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
        return false;
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
    ResetLinkTables();
    SetPortNameResolver([pty](int) { return pty; });
    LinkValues().SpeedIndex = 2;
    Plants().PlantCount = MaxPlants;
    LinkValues().BaseTimeout = quint16(timeout);
    LinkValues().ReplyGuard = quint16(guard);
    {
        TLink link;
        link.OpenLink();
        if (!LinkValues().LinkOpen)
            return false;
        QElapsedTimer clock;
        clock.start();
        RunPlantDiscovery({});
        out.seconds = clock.nsecsElapsed() / 1e9;
        out.dropped = LinkValues().StrayReplies;
        link.CloseLink();
    }
    out.invented = 0;
    for (int n = 1; n <= MaxPlants; ++n)
        out.invented += (Plants().PlantTable[n].Present && !kPresent.contains(n)) || (Plants().PlantTable[n].Running && !kRunning.contains(n));
    sim.terminate();
    sim.waitForFinished(3000);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    SetProgramFolder(home.path());
    Run plain, guarded, late;
    if (!Discover({}, 300, 0, plain) || !Discover({}, 300, 50, guarded) || !Discover({"--fault", "late=400"}, 100, 50, late)) {
        std::fprintf(stderr, "bench_discovery: simulator or line failed\n");
        return 1;
    }
    std::printf("late replies (400 ms, time-out 100 ms): %d plants invented, %u replies dropped, %.2f s\n",
                late.invented, late.dropped, late.seconds);
    std::printf("discovery 32 plants (26 absent): %.2f s without the quiet time, %.2f s with it (+%.1f%%)\n",
                plain.seconds, guarded.seconds, 100.0 * (guarded.seconds - plain.seconds) / plain.seconds);
    return 0;
}
