// Measures what the link itself costs per stored record (frame, event delivery,
// parsing, wait bookkeeping) with a plant that answers at once, and the CPU time
// burnt while a wait runs into its time-out.

#include "link/Commands.h"
#include "link/Link.h"
#include "link/Port.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

#ifdef BENCH_WITH_PLANTSIM
#include "plantsim/Bus.h"
#endif

namespace {

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

#ifndef BENCH_WITH_PLANTSIM
// Stand-in plant: a full memory of 1000 records.
struct MiniPlant {
    LoopbackPort *port;
    int left = 1000;
    void Receive(const QByteArray &frame)
    {
        if (frame.size() < 2 || frame.at(0) != 1)
            return;
        if (frame.at(1) == 'r')
            port->Inject("r" + QByteArray::number(left) + ";");
        else if (frame.at(1) == 'G' && left > 0) {
            --left;
            port->Inject("G612;598;571;533;402;187;3;255;" + QByteArray::number(left % 60) + ";14;07;12;26;"
                         + QByteArray::number(1000 - left) + ";42;");
        }
    }
};
#endif

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TLink link;
    auto *port = new LoopbackPort;
    link.SetPort(std::unique_ptr<LinkPort>(port));

#ifdef BENCH_WITH_PLANTSIM
    plantsim::BusConfig config;
    plantsim::PlantConfig plant;
    plant.number = 1;
    plant.running = true;
    plant.setup.Speicher = 1;       // one record a minute: memory full after a day
    config.plants.append(plant);
    config.historyDays = 2;
    plantsim::Bus bus(config);
    port->SetPeer([&bus](const QByteArray &bytes) { bus.Receive(bytes); });
    QObject::connect(&bus, &plantsim::Bus::Transmit, port, &LoopbackPort::Inject);
    const char *source = "plant simulator";
#else
    MiniPlant mini{port};
    port->SetPeer([&mini](const QByteArray &bytes) { mini.Receive(bytes); });
    const char *source = "stand-in plant";
#endif

    link.OpenLink();
    link.StopTimer();
    if (!LinkValues().LinkOpen || !ReadPlantStatus(1) || !ReadStoredRecordCount(1)) {
        std::fprintf(stderr, "bench_link: plant does not answer\n");
        return 1;
    }
    const int records = 1000;
    if (LinkValues().StoredCount < records) {
        std::fprintf(stderr, "bench_link: plant holds only %d records\n", int(LinkValues().StoredCount));
        return 1;
    }

    QElapsedTimer wall;
    const double cpu0 = CpuSeconds();
    wall.start();
    int answered = 0;
    for (int i = 0; i < records; ++i)
        answered += ReadStoredRecord(1) ? 1 : 0;
    const qint64 ns = wall.nsecsElapsed();
    const double cpu = CpuSeconds() - cpu0;
    if (answered != records) {
        std::fprintf(stderr, "bench_link: %d of %d records answered\n", answered, records);
        return 1;
    }
    std::printf("source: %s\n", source);
    std::printf("transfer of %d records: %.1f ms wall, %.1f ms CPU\n", records, ns / 1e6, cpu * 1e3);

    // Idle wait: nobody answers plant 2's clock request.
    Plants().PlantCount = 2;
    const double idle0 = CpuSeconds();
    QElapsedTimer idle;
    idle.start();
    const bool ok = SendAndWait(1000, 2, cmdReadClock);
    const qint64 idleMs = idle.elapsed();
    const double idleCpu = CpuSeconds() - idle0;
    std::printf("idle 1000 ms time-out: returned %s after %lld ms, CPU %.2f ms\n", ok ? "true" : "false",
                static_cast<long long>(idleMs), idleCpu * 1e3);

    std::printf("link overhead per record: %lld us\n", static_cast<long long>(ns / 1000 / records));
    return 0;
}
