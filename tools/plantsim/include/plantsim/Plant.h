#pragma once
// One simulated aeration plant: its pile, fan logic, clock and record memory, and
// the replies it gives to the host's commands.

#include "plantsim/Config.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <array>
#include <deque>
#include <optional>
#include <random>

namespace plantsim {

// One record of the plant's memory, values as they go on the line.
struct StoredRecord {
    std::array<int, 5> temps{};   // tenths of a degree, 100 cm first (T5 .. T1)
    int o2 = 0;                   // tenths of vol%
    int mode = 0;
    int aux = 255;
    QDateTime stamp;              // plant clock, whole minutes
    int runTime = 0;              // fan-on minutes since the pile started
    int cycles = 0;               // fan switch-ons since the pile started
};

class Plant {
public:
    static constexpr int MemoryCapacity = 1000;
    static constexpr qint64 MinuteMs = 60000;

    // simStartMs: simulated time at which the plant's state begins; clockStart is the
    // plant clock at simulated time 0.
    Plant(const PlantConfig &config, quint64 seed, const QDateTime &clockStart, qint64 simStartMs);

    int Number() const { return number_; }

    // --- time
    // Runs the plant up to simulated time simMs (whole-minute steps; never backwards).
    void AdvanceTo(qint64 simMs);
    void StepMinute();
    qint64 SimMs() const { return simNow_; }
    QDateTime Clock() const;                  // plant clock now (a wall time, no zone)
    void SetDate(int day, int month, int year2);  // keeps the time of day
    void SetTime(int hour, int minute, int second);   // keeps the date

    // --- pile and fan
    bool Running() const { return running_; }
    int MemStatus() const { return memStatus_; }
    int Mode() const { return mode_; }
    bool FanOn() const { return fanOn_; }
    int RunTime() const { return runTime_; }
    int Cycles() const { return cycles_; }
    int MinutesInFanState() const { return inState_; }
    double PileAgeDays() const { return pileMinutes_ / 1440.0; }
    void SwitchOn();
    void SwitchOff();
    void SetMode(int mode);                   // 0..4; others ignored

    // --- measurements (as they go on the line)
    std::array<int, 5> Temperatures() const;  // tenths, 100 cm first
    int O2() const;                           // tenths of vol%, as the sensor reads it
    int Aux() const { return 255; }

    // --- set-up values
    const SetupValues &Setup() const { return setup_; }
    SetupValues &Setup() { return setup_; }
    // Applies one of the set commands I, E, O, n, N, p; values out of range are
    // refused (false) so a bad frame cannot stall the storage or fan logic.
    bool ApplySetupCommand(char command, int a, int b);

    // --- memory
    const std::deque<StoredRecord> &Memory() const { return memory_; }
    int StoredCount() const { return int(memory_.size()); }
    std::optional<StoredRecord> TakeRecord();  // oldest undelivered
    int MinutesSinceStore() const { return sinceStore_; }

    // --- faults and replies
    Faults &GetFaults() { return faults_; }
    const Faults &GetFaults() const { return faults_; }
    int RepliesSent() const { return repliesSent_; }
    void CountReply() { ++repliesSent_; }
    bool Muted() const { return faults_.muteAfter >= 0 && repliesSent_ >= faults_.muteAfter; }
    std::mt19937_64 &Random() { return rng_; }

    // --- the plant across runs: everything but its faults and random source.
    QJsonObject SaveState() const;
    // Takes a saved state; the plant clock goes on from the saved clock, and the
    // `elapsedMs` before simulated time 0 are simulated (records stored meanwhile).
    bool LoadState(const QJsonObject &state, qint64 elapsedMs);

    // Acts on one frame; returns the reply (empty: none). digits are the frame's
    // parameter digits.
    QByteArray Handle(char command, const QByteArray &digits);

    // Reply texts.
    QByteArray ReplyMode() const;
    QByteArray ReplyState() const;
    QByteArray ReplySetup() const;
    QByteArray ReplyLive() const;
    QByteArray ReplyCount() const;
    QByteArray ReplyClock() const;
    static QByteArray ReplyRecord(const StoredRecord &r);

private:
    void StartPile();
    void SetFan(bool on);
    void ControlFan();
    void StoreRecord();
    double Gauss(double sd);

    int number_;
    SetupValues setup_;
    Faults faults_;
    std::mt19937_64 rng_;
    std::normal_distribution<double> normal_{0.0, 1.0};

    // time
    qint64 simNow_ = 0;        // advanced up to here
    qint64 simStepped_ = 0;    // physics done up to this minute boundary
    QDateTime clockBase_;      // plant clock at simulated time clockBaseSim_
    qint64 clockBaseSim_ = 0;
    qint64 clockBaseMs_ = 0;   // clockBase_ as ms since the epoch

    // pile
    bool running_ = false;
    int memStatus_ = 0;
    int mode_ = 3;
    bool fanOn_ = false;
    int inState_ = 0;          // minutes since the fan last switched (or the mode changed)
    int runTime_ = 0;
    int cycles_ = 0;
    qint64 pileMinutes_ = 0;
    int sinceStore_ = 0;
    std::deque<StoredRecord> memory_;
    int repliesSent_ = 0;

    // physics
    double ambient_ = 12.0;
    double peakExcess_ = 56.0;
    double plateauDays_ = 7.0;
    double decayDays_ = 20.0;
    double core_ = 12.0;
    std::array<double, 5> layers_{};
    std::array<double, 5> noise_{};
    double o2_ = 210.0;
    double o2Noise_ = 0.0;
    double aerobic_ = 1.0;
    double duty_ = 0.0;
};

} // namespace plantsim
