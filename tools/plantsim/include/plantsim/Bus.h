#pragma once
// A serial line with simulated plants on it. Host bytes go in through Receive();
// the plants' replies come out through Transmit(), delayed by the reply latency,
// paced at the configured line speed and disturbed by the configured faults.
//
// With baud 0, latency 0 and no delaying faults a reply is emitted synchronously
// inside Receive(). With a ManualClock nothing happens by itself: move the clock
// and call Service().

#include "plantsim/Clock.h"
#include "plantsim/Config.h"
#include "plantsim/Frame.h"
#include "plantsim/Plant.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>

namespace plantsim {

class Bus : public QObject {
    Q_OBJECT
public:
    // clock: not owned; nullptr selects an internal steady clock.
    explicit Bus(const BusConfig &config, Clock *clock = nullptr, QObject *parent = nullptr);
    ~Bus() override;

    const BusConfig &Config() const { return config_; }
    Plant *GetPlant(int number);              // nullptr when not simulated
    QList<int> PlantNumbers() const;

    // Simulated time in ms since the start (plant clocks were at config.start then).
    qint64 SimMs() const;
    // Moves simulated time forward without line time passing (tests, fast-forward).
    void AdvanceSimulated(qint64 ms);
    // Line time in ms since the start.
    double LineMs() const;

    // Brings the plants up to date and sends whatever is due now.
    void Service();

    bool HasVanished() const { return vanished_; }
    // The line is back (plugged in again): the plants answer again, their state kept.
    void Return();
    int QueuedBytes() const;
    // Frames that reached the line while another plant's reply was due (queued or
    // going out): on a half-duplex line both would be garbled. Each is traced "OVER".
    int FramesOverReply() const { return framesOverReply_; }

    // The site across runs: every plant's state and the wall time it was saved.
    QByteArray SaveState() const;
    // Right after construction: plants in the saved site take their saved state
    // (plants it does not hold stay as configured); the time since the save, at
    // the time factor and at most 14 days, is simulated. False: not a site file.
    bool LoadState(const QByteArray &saved, QString *error);

public slots:
    void Receive(const QByteArray &hostBytes);

signals:
    void Transmit(const QByteArray &bytes);
    // One event per line: "<ms> <EVENT> ..." (see TraceFormat in the program's help).
    void Trace(const QString &line);
    // The line went away (vanish fault); nothing is sent or received afterwards.
    void LineVanished();

private:
    struct Chunk {
        QByteArray bytes;
        qint64 startNs = 0;   // line time at which the first byte begins
        int sent = 0;
        int plant = 0;        // whose reply it is (0: the host's own echo)
    };

    void HandleFrame(const Frame &frame, qint64 nowNs);
    void QueueReply(Plant &plant, QByteArray reply, qint64 nowNs);
    void Queue(const QByteArray &bytes, qint64 releaseNs, int plant = 0);
    void Flush(qint64 nowNs);
    void Arm(qint64 nowNs);
    void Emit(const char *event, const QByteArray &text);
    double Uniform();

    BusConfig config_;
    std::unique_ptr<Clock> ownClock_;
    Clock *clock_;
    qint64 startNs_ = 0;
    qint64 simOffsetMs_ = 0;
    std::map<int, std::unique_ptr<Plant>> plants_;
    FrameDecoder decoder_;
    std::deque<Chunk> queue_;
    qint64 lineFreeNs_ = 0;     // the line is busy with queued bytes until then
    qint64 lastReleaseNs_ = 0;  // replies leave in the order their frames came
    double byteNs_ = 0.0;
    int framesOverReply_ = 0;
    bool vanished_ = false;
    bool vanishDone_ = false;       // the line vanishes once
    QTimer timer_;
    std::mt19937_64 rng_;
};

} // namespace plantsim
