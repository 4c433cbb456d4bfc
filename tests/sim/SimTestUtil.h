#pragma once
// Shared helpers of the simulator tests: a manual-clock line and byte collectors.

#include "plantsim/Bus.h"
#include "support/Frames.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace simtest {

using support::FrameBytes;

inline plantsim::BusConfig Line(const QList<int> &plants, const QList<int> &running = {})
{
    plantsim::BusConfig c;
    for (int n : plants) {
        plantsim::PlantConfig p;
        p.number = n;
        p.running = running.contains(n);
        c.plants << p;
    }
    c.start = QDateTime(QDate(2026, 12, 7), QTime(14, 30, 0));
    c.seed = 7;
    return c;
}

// A bus on a manual clock with everything it sends and traces collected.
struct Rig {
    plantsim::ManualClock clock;
    std::unique_ptr<plantsim::Bus> bus;
    QByteArray rx;                 // everything the plants sent
    QList<QByteArray> chunks;      // ... as the pieces they were sent in
    QStringList trace;

    explicit Rig(const plantsim::BusConfig &config)
    {
        bus = std::make_unique<plantsim::Bus>(config, &clock);
        QObject::connect(bus.get(), &plantsim::Bus::Transmit, [this](const QByteArray &b) {
            rx += b;
            chunks << b;
        });
        QObject::connect(bus.get(), &plantsim::Bus::Trace, [this](const QString &l) { trace << l; });
    }
    plantsim::Plant &P(int n) { return *bus->GetPlant(n); }
    // Sends a frame and returns what came back at once.
    QByteArray Ask(int plant, const char *rest)
    {
        rx.clear();
        chunks.clear();
        bus->Receive(FrameBytes(plant, rest));
        return rx;
    }
    // Moves line time on and lets the bus send what became due.
    void Wait(double ms, double stepMs = 1.0)
    {
        for (double t = 0; t < ms; t += stepMs) {
            clock.AdvanceMs(std::min(stepMs, ms - t));
            bus->Service();
        }
    }
    QStringList TraceOf(const QString &event) const
    {
        QStringList out;
        for (const QString &l : trace)
            if (l.section(QLatin1Char(' '), 1, 1) == event)
                out << l;
        return out;
    }
};

// Fields of a reply: the letter removed, split at ';' (the final ';' ends the last field).
inline QList<QByteArray> Fields(const QByteArray &reply)
{
    QByteArray body = reply.mid(1);
    if (body.endsWith(';'))
        body.chop(1);
    return body.split(';');
}

inline bool IsInteger(const QByteArray &f)
{
    bool ok = false;
    f.toInt(&ok);
    return ok && !f.isEmpty() && !f.contains(' ') && !f.contains('+');
}

} // namespace simtest
