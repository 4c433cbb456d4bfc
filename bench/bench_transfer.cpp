// Ends a pile of 1000 stored records over a real serial port (the simulator's
// pseudo-terminal, replies paced at 19 200 baud, no latency) and compares the time
// taken with the time the paced reply bytes need on the line (10 bits a byte).

#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/Port.h"
#include "piles/Piles.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Yes : PileObserver {
    QStringList told;
    void Inform(const QString &text) override { told << text; }
    bool Confirm(const QString &) override { return true; }
};

// Bytes of the replies the simulator sent after `fromMs`, from its trace.
qint64 RepliedBytes(const QString &trace, double fromMs)
{
    QFile f(trace);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    qint64 bytes = 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> t = line.trimmed().split(' ');
        if (t.size() >= 4 && t[1] == "TX" && t[0].toDouble() >= fromMs)
            bytes += QByteArray::fromPercentEncoding(QByteArray(t[3]).replace("\\x", "%")).size();
    }
    return bytes;
}

double LastTraceMs(const QString &trace)
{
    QFile f(trace);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = f.readAll().trimmed().split('\n');
    return lines.isEmpty() ? 0 : lines.last().split(' ').value(0).toDouble();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    constexpr int baud = 19200;
    QTemporaryDir home;
    const QString trace = home.filePath(QStringLiteral("trace.txt"));
    QProcess sim;
    // 42 days of hourly records: the memory is full at 1000.
    sim.start(QStringLiteral(PLANTSIM_EXE), {"--plants", "1", "--running", "1", "--history", "42",
                                             "--baud", QString::number(baud), "--latency", "0", "--trace", trace});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_transfer: simulator did not start\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();

    SetProgramFolder(home.path());
    TSettingsFile ini(home.filePath(QStringLiteral("Haldrix.ini")));
    Settings().SettingsFile = &ini;
    SetPortNameResolver([pty](int) { return pty; });
    LinkValues().SpeedIndex = 3;
    Plants().PlantCount = 1;
    TLink link;
    link.OpenLink();
    if (!LinkValues().LinkOpen || !ReadPlantStatus(1) || !Plants().PlantTable[1].Running) {
        std::fprintf(stderr, "bench_transfer: plant 1 not found running on %s\n", qPrintable(pty));
        return 1;
    }
    Plants().PlantTable[1].Name = QStringLiteral("Bench");
    MakeDataFileName(1);
    const QString file = Plants().PlantTable[1].Datei;

    const double traceFrom = LastTraceMs(trace) + 0.001;
    Yes op;
    QElapsedTimer clock;
    clock.start();
    const EndOutcome outcome = EndPileWithOperator(1, op);
    const double seconds = clock.nsecsElapsed() / 1e9;
    sim.terminate();
    sim.waitForFinished(3000);

    DataFileContent c;
    LoadDataFile(file, c, nullptr);
    const qint64 bytes = RepliedBytes(trace, traceFrom);
    if (outcome != EndOutcome::SwitchedOff || c.Lines.size() != 1000 || bytes <= 0) {
        std::fprintf(stderr, "bench_transfer: ended %d, %lld lines, %lld bytes: %s\n", int(outcome),
                     qlonglong(c.Lines.size()), qlonglong(bytes), qPrintable(op.told.join(u'|')));
        return 1;
    }
    const double lineSeconds = bytes * 10.0 / baud;
    std::printf("replies %lld bytes, %.2f s on the line\n", qlonglong(bytes), lineSeconds);
    std::printf("transfer 1000 records: %.2f s, %.1f%% of line limit\n", seconds, 100.0 * lineSeconds / seconds);
    Settings().SettingsFile = nullptr;
    return 0;
}
