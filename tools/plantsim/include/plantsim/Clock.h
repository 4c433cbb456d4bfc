#pragma once
// Line time for the simulator: a monotonic clock in nanoseconds. The steady clock
// drives the command-line program; tests use the manual clock and call
// Bus::Service() after moving it, so nothing depends on real sleeps.

#include <QElapsedTimer>
#include <QtGlobal>

namespace plantsim {

class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 NowNs() const = 0;
    // A manual clock does not move by itself: the bus arms no timers for it.
    virtual bool IsManual() const { return false; }
};

class SteadyClock : public Clock {
public:
    SteadyClock() { timer_.start(); }
    qint64 NowNs() const override { return timer_.nsecsElapsed(); }

private:
    QElapsedTimer timer_;
};

class ManualClock : public Clock {
public:
    qint64 NowNs() const override { return now_; }
    bool IsManual() const override { return true; }
    void SetNs(qint64 ns) { now_ = ns; }
    void AdvanceMs(double ms) { now_ += qint64(ms * 1e6); }

private:
    qint64 now_ = 0;
};

} // namespace plantsim
