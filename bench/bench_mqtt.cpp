// The site view's cost: 32 running plants polled as the link polls them (one plant
// a 500 ms tick, round the line), each reply with changed values, published to a real mosquitto on 127.0.0.1; the process does
// nothing else, so its CPU time (all threads: the poll's, the publisher's and the
// client library's) is the site view's. Then 10 000 records queued while the
// broker is down, drained by a fresh start once it is back.

#include "site/SiteMonitor.h"
#include "site/SitePublisher.h"
#include "settings/SettingsFile.h"
#include "plant/Plant.h"

#include "support/Broker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

void Run(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 20;
    QTemporaryDir home;
    SetProgramFolder(home.path());

    support::Broker broker;
    if (!broker.Start()) {
        std::fprintf(stderr, "bench_mqtt: mosquitto did not start\n");
        return 1;
    }
    support::Subscriber sub(broker.Port(), "o2haldrix/#", "bench-live");
    SiteSettings s;
    s.Host = QStringLiteral("127.0.0.1");
    s.Port = broker.Port();
    s.Site = QStringLiteral("Bench");
    Plants().PlantCount = MaxPlants;
    for (int n = 1; n <= MaxPlants; ++n) {
        TAnlageParameter &p = Plants().PlantTable[n];
        p.Present = p.Running = 1;
        p.Mode = ModeO2Control;
        p.Name = QStringLiteral("Miete%1").arg(n);
        p.Datei = home.filePath(QStringLiteral("Miete%1_08-12-2026.CSV").arg(n));
    }

    double cpu = 0;
    int ticks = 0;
    {
        SiteMonitor monitor(s, QStringLiteral("bench"));
        SitePublisher publisher(s, home.filePath("live-outbox.txt"), monitor.Status(true), monitor.Status(false));
        QTimer poll;
        poll.setTimerType(Qt::CoarseTimer);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            ++ticks;
            {
                const int n = 1 + ticks % MaxPlants;
                TLiveValues &v = Plants().LiveTable[n];
                v.Valid = 1;
                v.T5 = 60 + (ticks + n) % 7;
                v.T4 = 58;
                v.T3 = 50;
                v.T2 = 40;
                v.T1 = 20;
                v.O2 = 100 + (ticks * 3 + n) % 90;
                v.StampMs = ticks;
            }
            publisher.Post(monitor.Tick());
        });
        poll.start(500);
        Run(3000);                      // connected, the first round out
        const double before = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        Run(seconds * 1000);
        cpu = 100.0 * (CpuSeconds() - before) / (wall.elapsed() / 1000.0);
        poll.stop();
    }
    const qsizetype lives = sub.Got().size();

    // 10 000 records queued with the broker away, then a new start with it back.
    const int records = 10000;
    const QString outbox = home.filePath("mqtt-outbox.txt");
    broker.Stop();
    SiteMonitor monitor(s, QStringLiteral("bench"));
    {
        SitePublisher away(s, outbox, monitor.Status(true), monitor.Status(false));
        for (int i = 1; i <= records; i += 100) {
            QList<SiteMessage> batch;
            for (int k = i; k < i + 100; ++k)
                batch += monitor.RecordWritten(1, Plants().PlantTable[1].Datei, k,
                                               QStringLiteral("%1;08.12.2026  10:00;   60;   58;   50;   40;   20;  100; 14,2;3;  134;   29;").arg(k));
            away.Post(batch);
        }
        QElapsedTimer t;
        t.start();
        while (away.CurrentState().Waiting < records && t.elapsed() < 30000)
            Run(20);
    }
    if (!broker.Start()) {
        std::fprintf(stderr, "bench_mqtt: mosquitto did not start again\n");
        return 1;
    }
    support::Subscriber drain(broker.Port(), "o2haldrix/+/plant/+/record", "bench-drain");
    while (!drain.Subscribed())
        Run(20);
    QElapsedTimer t;
    t.start();
    double drained = -1;
    {
        SitePublisher back(s, outbox, monitor.Status(true), monitor.Status(false));
        while (t.elapsed() < 60000) {
            if (back.CurrentState().Waiting == 0 && drain.Got().size() >= records) {
                drained = t.elapsed() / 1000.0;
                break;
            }
            Run(10);
        }
    }
    std::printf("%d ticks, %lld live and status messages received, %lld of %d records\n", ticks,
                qlonglong(lives), qlonglong(drain.Got().size()), records);
    if (drained < 0) {
        std::fprintf(stderr, "bench_mqtt: the records were not drained within 60 s\n");
        return 1;
    }
    std::printf("mqtt: site view CPU %.3f%% of one core, %d records drained in %.2f s\n", cpu, records, drained);
    return 0;
}
