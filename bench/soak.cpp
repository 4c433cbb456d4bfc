// 48 simulated hours of a site: 32 plants, piles on 20 storing every 15 minutes,
// with drops, fragments, noise, corruption, late replies, echo and a line that
// vanishes and comes back, all at once; the program (main window and live display,
// in-process, its clock following the simulator's) makes two daily readouts.
// Afterwards every record a plant handed out must be in its data file exactly once
// and in order, or the readout that lost it must have said "Fehler beim sichern!".

#include "datafile/DataFile.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "live/LiveGrid.h"
#include "live/UAnzeige.h"
#include "piles/Piles.h"
#include "settings/SettingsFile.h"
#include "shell/UMain.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <map>
#include <set>
#include <sys/resource.h>

namespace {

const QDateTime kStart(QDate(2026, 12, 7), QTime(20, 0));
constexpr int kRunning = 20;

double RssMegabytes()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// "dd.MM.20yy  hh:mm" of a stored-record reply (text after its "G"); empty when a
// stamp field was spoilt.
// The stamp as the program writes it from the reply's fields; a field spoilt on
// the line (an "x" for a digit) stays in it, as it does in the data file.
QString StampOfReply(const QByteArray &reply)
{
    const qsizetype g = reply.indexOf('G');
    if (g < 0)
        return {};
    const QList<QByteArray> f = reply.mid(g + 1).split(';');
    if (f.size() < 15)
        return {};
    return QString::fromLatin1(f[10] + '.' + f[11] + ".20" + f[12] + "  " + f[9] + ':' + f[8]);
}

struct Handout {
    double ms;
    QString stamp;      // empty: the reply was cut
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double factor = argc > 1 ? std::max(10.0, atof(argv[1])) : 480.0;
    const qint64 runMs = qint64(48.0 * 3600 * 1000 / factor);

    QTemporaryDir home;
    if (qEnvironmentVariableIsSet("SOAK_KEEP")) {     // to look into afterwards
        home.setAutoRemove(false);
        std::fprintf(stderr, "soak: home %s\n", qPrintable(home.path()));
    }
    const QString trace = home.filePath(QStringLiteral("trace.txt"));
    const QString device = home.filePath(QStringLiteral("ttySoak"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(PLANTSIM_EXE),
              {"--plants", "1-32", "--running", QStringLiteral("1-%1").arg(kRunning), "--setup",
               "1-32:15,10,20,80,150,5,25,60,240", "--time-factor", QString::number(factor), "--start",
               kStart.toString(Qt::ISODate), "--baud", "19200", "--fault", "drop=0.01", "--fault", "fragment",
               "--fault", "noise=4", "--fault", "corrupt=0.01", "--fault", "4,9,17:late=150", "--fault", "echo",
               "--vanish", QString::number(runMs * 0.4 / 1000.0), "--return-after", "5", "--link", device,
               "--trace", trace});
    QElapsedTimer clock;
    clock.start();
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "soak: simulator did not start\n");
        return 1;
    }
    {
        QFile ini(home.filePath(QStringLiteral("Haldrix.ini")));
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write(QStringLiteral("[COM]\r\nCOM=1\r\nZEIT=6\r\n[Ports]\r\nCOM1=%1\r\n").arg(device).toUtf8());
    }
    SetProgramFolder(home.path());
    QStringList told;
    SetMessageHandler([&told](MsgKind kind, const QString &text) {
        told << text;
        return kind == MsgKind::Confirmation ? MsgAnswer::Yes : MsgAnswer::Ok;
    });
    SetPilesClock([&clock, factor] { return kStart.addMSecs(qint64(clock.elapsed() * factor)); });

    std::vector<std::map<int, bool>> readouts;      // per readout: plant -> result OK
    std::vector<double> readoutStarts;              // ms since the simulator started
    double rssEarly = 0;
    const double cpuStart = CpuSeconds();
    {
        TFMain main;
        ComputeNextReadout(PilesNow());
        TFAnzeige live(&main);
        live.show();
        QDateTime next = Settings().NextReadout;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (rssEarly == 0 && clock.elapsed() > runMs / 5)
                rssEarly = RssMegabytes();
            if (PollPause::Active() && Settings().NextReadout == next && PilesNow() >= next
                && readoutStarts.size() == readouts.size())
                readoutStarts.push_back(double(clock.elapsed()) - 200);    // the watch looks every 100 ms
            if (Settings().NextReadout != next && Settings().NextReadout.isValid()) {
                next = Settings().NextReadout;
                std::map<int, bool> r;
                for (int n = 1; n <= kRunning; ++n)
                    r[n] = live.StatusGrid()->Cells(1, n) == QLatin1String("Ergebnis OK !");
                readouts.push_back(r);
            }
            if (clock.elapsed() >= runMs && !PollPause::Active())     // not in a readout
                app.quit();
        });
        watch.start(100);
        app.exec();
        live.close();
    }
    const double cpu = 100.0 * (CpuSeconds() - cpuStart) / (clock.elapsed() / 1000.0);
    const double rssEnd = RssMegabytes();
    sim.terminate();
    sim.waitForFinished(3000);

    // Records handed out by the plants (sent or lost on the line).
    std::map<int, std::vector<Handout>> handed;
    {
        QFile f(trace);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        for (const QByteArray &raw : f.readAll().split('\n')) {
            const QList<QByteArray> t = raw.trimmed().split(' ');
            if (t.size() < 4)
                continue;
            const double ms = t[0].toDouble();
            const int plant = t[2].toInt();
            const bool sent = t[1] == "TX" && t[3].contains('G');
            const bool dropped = t[1] == "FAULT" && t.size() >= 5 && t[3] == "drop" && t[4].contains('G');
            if (sent || dropped)
                handed[plant].push_back({ms, StampOfReply(sent ? t[3] : t[4])});
        }
    }
    auto readoutOf = [&](double ms) {
        int k = -1;
        for (size_t i = 0; i < readoutStarts.size(); ++i)
            if (ms >= readoutStarts[i])
                k = int(i);
        return k;
    };

    long long records = 0, lostUnreported = 0, duplicated = 0, disorder = 0, lostReported = 0;
    for (int n = 1; n <= kRunning; ++n) {
        DataFileContent c;
        std::multiset<QString> inFile;
        QString previous;
        if (LoadDataFile(Plants().PlantTable[n].Datei.isEmpty() ? QString() : Plants().PlantTable[n].Datei, c, nullptr) && c.FileValid)
            for (const QString &l : c.Lines) {
                const QString stamp = l.section(u';', 1, 1);
                if (!previous.isEmpty() && QDateTime::fromString(stamp, "dd.MM.yyyy  hh:mm")
                                               <= QDateTime::fromString(previous, "dd.MM.yyyy  hh:mm"))
                    ++disorder;
                previous = stamp;
                inFile.insert(stamp);
            }
        for (const QString &s : inFile)
            if (inFile.count(s) > 1)
                ++duplicated;
        for (const Handout &h : handed[n]) {
            ++records;
            if (!h.stamp.isEmpty() && inFile.count(h.stamp) > 0)
                continue;
            const int k = readoutOf(h.ms);
            const bool reported = k >= 0 && size_t(k) < readouts.size() && !readouts[size_t(k)][n];
            (reported ? lostReported : lostUnreported) += 1;
        }
    }
    std::printf("readouts %zu started / %zu finished, lost and reported %lld, out of order %lld, messages %lld\n",
                readoutStarts.size(), readouts.size(), lostReported, disorder, qlonglong(told.size()));
    std::printf("RSS %.0f MB at a fifth of the run, %.0f MB at its end\n", rssEarly, rssEnd);
    std::printf("soak 48h: %lld records, %lld lost unreported, %lld duplicated, CPU %.1f%%, RSS %.0f MB\n", records,
                lostUnreported, duplicated, cpu, rssEnd);
    return 0;
}
