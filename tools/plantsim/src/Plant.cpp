#include "plantsim/Plant.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>

namespace plantsim {

namespace {

constexpr double Pi = 3.14159265358979323846;
// How much of the core's excess over ambient each depth shows (100 cm .. 0 cm).
constexpr std::array<double, 5> DepthShare{1.0, 0.97, 0.9, 0.79, 0.48};
// Minutes for a layer to follow the core.
constexpr std::array<double, 5> DepthLag{20.0, 40.0, 60.0, 60.0, 45.0};

int Digits(const QByteArray &d, int from, int count)
{
    int v = 0;
    for (int i = from; i < from + count && i < d.size(); ++i)
        v = v * 10 + (d[i] - '0');
    return v;
}

QByteArray Two(int v)
{
    return QByteArray::number(v).rightJustified(2, '0');
}

} // namespace

Plant::Plant(const PlantConfig &config, quint64 seed, const QDateTime &clockStart, qint64 simStartMs)
    : number_(config.number), setup_(config.setup), faults_(config.faults),
      rng_(seed * 1000003ULL + quint64(config.number)),
      simNow_(simStartMs), simStepped_(simStartMs), clockBase_(clockStart), clockBaseSim_(0),
      mode_(config.mode >= 0 && config.mode <= 4 ? config.mode : 3)
{
    clockBaseMs_ = clockBase_.toMSecsSinceEpoch();
    std::uniform_real_distribution<double> u(0.0, 1.0);
    ambient_ = 10.0 + 5.0 * u(rng_);
    if (!qIsNaN(config.ambient))
        ambient_ = config.ambient;      // cold weather: the surface may freeze
    // Aeration and the lag of the pile keep the core a little below its target. A
    // well-run pile holds its core at 55 °C or more for 15..21 days, above 65 °C for
    // a few; a weak one peaks near 58 °C and stays above 55 °C for 9..11 days.
    if (config.weak) {
        peakExcess_ = (59.0 + 1.0 * u(rng_) - ambient_) / 0.95;
        plateauDays_ = 9.0 + 2.0 * u(rng_);
        decayDays_ = 17.0 + 6.0 * u(rng_);
    } else {
        peakExcess_ = (65.5 + 1.5 * u(rng_) - ambient_) / 0.95;
        plateauDays_ = 10.0 + 3.0 * u(rng_);
        decayDays_ = 32.0 + 8.0 * u(rng_);
    }
    core_ = ambient_;
    layers_.fill(ambient_);
    if (config.running)
        StartPile();
}

// ---------------------------------------------------------------- time

QDateTime Plant::Clock() const
{
    return clockBase_.addMSecs(simNow_ - clockBaseSim_);
}

void Plant::AdvanceTo(qint64 simMs)
{
    while (simStepped_ + MinuteMs <= simMs) {
        simNow_ = simStepped_ + MinuteMs;
        StepMinute();
    }
    simNow_ = std::max(simNow_, simMs);
}

void Plant::SetDate(int day, int month, int year2)
{
    const QDate date(2000 + year2, month, day);
    if (!date.isValid())
        return;   // a plant keeps its clock on an impossible date
    const QDateTime now = Clock();
    clockBase_ = QDateTime(date, now.time(), Qt::UTC);
    clockBaseMs_ = clockBase_.toMSecsSinceEpoch();
    clockBaseSim_ = simNow_;
}

void Plant::SetTime(int hour, int minute, int second)
{
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return;
    const QDateTime now = Clock();
    clockBase_ = QDateTime(now.date(), time, Qt::UTC);
    clockBaseMs_ = clockBase_.toMSecsSinceEpoch();
    clockBaseSim_ = simNow_;
}

// ---------------------------------------------------------------- pile and fan

void Plant::StartPile()
{
    running_ = true;
    memStatus_ = 1;
    memory_.clear();
    runTime_ = 0;
    cycles_ = 0;
    pileMinutes_ = 0;
    sinceStore_ = 0;
    inState_ = 0;
    aerobic_ = 1.0;
    duty_ = 0.0;
    fanOn_ = false;
    ControlFan();
}

void Plant::SwitchOn()
{
    StartPile();
}

void Plant::SwitchOff()
{
    running_ = false;
    memStatus_ = 0;
    SetFan(false);
    inState_ = 0;
}

void Plant::SetMode(int mode)
{
    if (mode < 0 || mode > 4)
        return;
    if (mode == mode_)
        return;   // the same mode again keeps the fan cycle running
    mode_ = mode;
    inState_ = 0;
    if (mode_ == 2 || mode_ == 4)
        SetFan(false);   // the interval and control cycles begin with the fan on
    ControlFan();
}

void Plant::SetFan(bool on)
{
    if (on == fanOn_)
        return;
    fanOn_ = on;
    inState_ = 0;
    if (on && running_)
        ++cycles_;
}

void Plant::ControlFan()
{
    if (!running_) {
        SetFan(false);
        return;
    }
    const SetupValues &s = setup_;
    switch (mode_) {
    case 0:
        SetFan(false);
        break;
    case 1:
        SetFan(true);
        break;
    case 2:
        if (!fanOn_ && (inState_ >= s.IntAus || inState_ == 0))
            SetFan(true);
        else if (fanOn_ && inState_ >= s.IntEin)
            SetFan(false);
        break;
    case 3: {
        const int o2 = O2();
        if (!fanOn_ && o2 <= s.O2Ein) {
            SetFan(true);
        } else if (fanOn_ && o2 >= s.O2Aus) {
            SetFan(false);
        } else if ((fanOn_ && inState_ > s.MaxEin) || (!fanOn_ && inState_ > s.MaxAus)) {
            // The O2 value does not move as it should (sensor or aeration fault):
            // fall back to fixed cycles, starting with the opposite fan state.
            mode_ = 4;
            const bool wasOn = fanOn_;
            SetFan(!wasOn);
            inState_ = 0;
        }
        break;
    }
    case 4:
        if (!fanOn_ && (inState_ >= s.NotAus || inState_ == 0))
            SetFan(true);
        else if (fanOn_ && inState_ >= s.NotEin)
            SetFan(false);
        break;
    }
}

double Plant::Gauss(double sd)
{
    return sd * normal_(rng_);   // one distribution object: it hands out its values in pairs
}

void Plant::StepMinute()
{
    const qint64 stepEnd = simStepped_ + MinuteMs;
    // Hour of the plant clock without building a QDateTime every minute.
    constexpr qint64 DayMs = 86'400'000;
    const qint64 msOfDay = ((clockBaseMs_ + stepEnd - clockBaseSim_) % DayMs + DayMs) % DayMs;
    const double hour = double(msOfDay) / 3.6e6;
    const double swing = 3.0 * std::sin(2.0 * Pi * (hour - 9.0) / 24.0);   // warmest mid-afternoon

    // --- heat and oxygen
    double activity = 0.0;
    if (running_) {
        const double age = pileMinutes_ / 1440.0;
        const double rise = 1.0 - std::exp(-age / 0.5);
        const double decay = age < plateauDays_ ? 1.0 : std::exp(-(age - plateauDays_) / decayDays_);
        activity = rise * std::max(decay, 0.12);
        const double aerobicNow = std::clamp((o2_ - 20.0) / 60.0, 0.1, 1.0);
        aerobic_ += (aerobicNow - aerobic_) / 120.0;
        duty_ += ((fanOn_ ? 1.0 : 0.0) - duty_) / 360.0;
        const double target = ambient_ + peakExcess_ * activity * aerobic_ * (1.0 - 0.2 * duty_);
        core_ += (target - core_) / 1100.0;
        if (fanOn_)
            core_ -= 0.0002 * std::max(0.0, core_ - ambient_);   // air through the pile carries heat off
        const double use = (0.8 + 3.2 * activity) * o2_ / (o2_ + 25.0);
        const double gain = fanOn_ ? 0.2 * (210.0 - o2_) : 0.004 * (210.0 - o2_);
        o2_ = std::clamp(o2_ + gain - use, 0.0, 210.0);
    } else {
        core_ += (ambient_ - core_) / 1440.0;
        o2_ += 0.02 * (210.0 - o2_);
    }
    for (int k = 0; k < 5; ++k) {
        const double amb = ambient_ + swing * (k == 4 ? 1.0 : k == 3 ? 0.3 : 0.0);
        const double target = amb + DepthShare[size_t(k)] * (core_ - ambient_);
        layers_[size_t(k)] += (target - layers_[size_t(k)]) / DepthLag[size_t(k)];
        noise_[size_t(k)] = 0.95 * noise_[size_t(k)] + Gauss(k == 4 ? 0.12 : 0.08);
    }
    o2Noise_ = 0.9 * o2Noise_ + Gauss(0.6);

    // --- fan bookkeeping for the minute that just passed, then the next decision
    simStepped_ = stepEnd;
    if (running_ && fanOn_)
        ++runTime_;
    ++inState_;
    ControlFan();

    // --- memory
    if (running_) {
        ++pileMinutes_;
        if (++sinceStore_ >= setup_.Speicher) {
            StoreRecord();
            sinceStore_ = 0;
        }
    }
}

void Plant::StoreRecord()
{
    StoredRecord r;
    r.temps = Temperatures();
    r.o2 = O2();
    r.mode = mode_;
    r.aux = Aux();
    QDateTime stamp = clockBase_.addMSecs(simStepped_ - clockBaseSim_);
    stamp.setTime(QTime(stamp.time().hour(), stamp.time().minute()));
    r.stamp = stamp;
    r.runTime = runTime_;
    r.cycles = cycles_;
    memory_.push_back(r);
    while (int(memory_.size()) > MemoryCapacity)
        memory_.pop_front();   // full: the oldest record is overwritten
    if (faults_.clockBackHours > 0) {
        // A clock reset once (battery, a wrong setting at the panel).
        clockBase_ = clockBase_.addMSecs(simStepped_ - clockBaseSim_).addSecs(-3600LL * faults_.clockBackHours);
        clockBaseSim_ = simStepped_;
        clockBaseMs_ = clockBase_.toMSecsSinceEpoch();
        faults_.clockBackHours = 0;
    }
}

std::optional<StoredRecord> Plant::TakeRecord()
{
    if (memory_.empty())
        return std::nullopt;
    StoredRecord r = memory_.front();
    memory_.pop_front();
    return r;
}

// ---------------------------------------------------------------- measurements

std::array<int, 5> Plant::Temperatures() const
{
    std::array<int, 5> t{};
    for (size_t k = 0; k < 5; ++k)
        t[k] = int(std::lround((layers_[k] + noise_[k]) * 10.0));
    return t;
}

int Plant::O2() const
{
    if (faults_.o2SensorFault)
        return 0;
    return std::clamp(int(std::lround(o2_ + o2Noise_)), 0, 210);
}

bool Plant::ApplySetupCommand(char command, int a, int b)
{
    auto inRange = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    switch (command) {
    case 'I':
        if (!inRange(a, 1, 1440))
            return false;
        setup_.Speicher = a;
        return true;
    case 'E':
        if (!inRange(a, 1, 300))
            return false;
        setup_.IntEin = a;
        return true;
    case 'O':
        if (!inRange(a, 1, 300))
            return false;
        setup_.IntAus = a;
        return true;
    case 'n':
        if (!inRange(a, 1, 300) || !inRange(b, 1, 300))
            return false;
        setup_.NotEin = a;
        setup_.NotAus = b;
        return true;
    case 'N':
        if (!inRange(a, 1, 300) || !inRange(b, 1, 300))
            return false;
        setup_.MaxEin = a;
        setup_.MaxAus = b;
        return true;
    case 'p':
        if (!inRange(a, 0, 210) || !inRange(b, 0, 210))
            return false;
        setup_.O2Ein = a;
        setup_.O2Aus = b;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- across runs

QJsonObject Plant::SaveState() const
{
    QJsonObject o;
    o["number"] = number_;
    o["clock"] = Clock().toString(Qt::ISODateWithMs);
    const SetupValues &u = setup_;
    o["setup"] = QJsonArray{u.Speicher, u.IntEin, u.IntAus, u.O2Ein, u.O2Aus, u.NotEin, u.NotAus, u.MaxEin, u.MaxAus};
    o["running"] = running_;
    o["memStatus"] = memStatus_;
    o["mode"] = mode_;
    o["fanOn"] = fanOn_;
    o["pile"] = QJsonArray{inState_, runTime_, cycles_, double(pileMinutes_), sinceStore_};
    QJsonArray physics{ambient_, peakExcess_, plateauDays_, decayDays_, core_, o2_, o2Noise_, aerobic_, duty_};
    for (size_t k = 0; k < 5; ++k)
        physics << layers_[k] << noise_[k];
    o["physics"] = physics;
    QJsonArray memory;
    for (const StoredRecord &r : memory_) {
        QJsonArray a;
        for (int t : r.temps)
            a << t;
        a << r.o2 << r.mode << r.aux << r.stamp.toString(Qt::ISODate) << r.runTime << r.cycles;
        memory << a;
    }
    o["memory"] = memory;
    return o;
}

bool Plant::LoadState(const QJsonObject &o, qint64 elapsedMs)
{
    const QDateTime clock = QDateTime::fromString(o["clock"].toString(), Qt::ISODateWithMs);
    const QJsonArray setup = o["setup"].toArray(), pile = o["pile"].toArray(), physics = o["physics"].toArray();
    if (!clock.isValid() || setup.size() != 9 || pile.size() != 5 || physics.size() != 19)
        return false;
    std::deque<StoredRecord> memory;
    for (const QJsonValue &v : o["memory"].toArray()) {
        const QJsonArray a = v.toArray();
        StoredRecord r;
        if (a.size() != 11)
            return false;
        for (int k = 0; k < 5; ++k)
            r.temps[size_t(k)] = a[k].toInt();
        r.o2 = a[5].toInt();
        r.mode = a[6].toInt();
        r.aux = a[7].toInt();
        r.stamp = QDateTime::fromString(a[8].toString(), Qt::ISODate);
        r.stamp.setTimeSpec(Qt::UTC);
        r.runTime = a[9].toInt();
        r.cycles = a[10].toInt();
        memory.push_back(r);
    }
    int *const values[9] = {&setup_.Speicher, &setup_.IntEin, &setup_.IntAus, &setup_.O2Ein, &setup_.O2Aus,
                            &setup_.NotEin, &setup_.NotAus, &setup_.MaxEin, &setup_.MaxAus};
    for (int k = 0; k < 9; ++k)
        *values[k] = setup[k].toInt();
    running_ = o["running"].toBool();
    memStatus_ = o["memStatus"].toInt();
    mode_ = o["mode"].toInt();
    fanOn_ = o["fanOn"].toBool();
    inState_ = pile[0].toInt();
    runTime_ = pile[1].toInt();
    cycles_ = pile[2].toInt();
    pileMinutes_ = qint64(pile[3].toDouble());
    sinceStore_ = pile[4].toInt();
    double *const state[9] = {&ambient_, &peakExcess_, &plateauDays_, &decayDays_, &core_, &o2_, &o2Noise_, &aerobic_, &duty_};
    for (int k = 0; k < 9; ++k)
        *state[k] = physics[k].toDouble();
    for (int k = 0; k < 5; ++k) {
        layers_[size_t(k)] = physics[9 + 2 * k].toDouble();
        noise_[size_t(k)] = physics[10 + 2 * k].toDouble();
    }
    memory_ = std::move(memory);
    // The plant ran on while the simulator was away: its clock and its memory.
    simNow_ = simStepped_ = -std::max<qint64>(0, elapsedMs) / MinuteMs * MinuteMs;
    clockBase_ = QDateTime(clock.date(), clock.time(), Qt::UTC);
    clockBaseSim_ = simNow_;
    clockBaseMs_ = clockBase_.toMSecsSinceEpoch();
    AdvanceTo(0);
    return true;
}

// ---------------------------------------------------------------- replies

QByteArray Plant::Handle(char command, const QByteArray &digits)
{
    switch (command) {
    case 'B':
        return ReplyMode();
    case 'R':
        return ReplySetup();
    case 'e':
        SetMode(1);
        return {};
    case 'o':
        SetMode(0);
        return {};
    case 'T':
        SetMode(2);
        return {};
    case 'q':
        SetMode(3);
        return {};
    case 'A':
        SwitchOff();
        return {};
    case 'Z':
        SetTime(Digits(digits, 0, 2), Digits(digits, 2, 2), Digits(digits, 4, 2));
        return {};
    case 'D':
        SetDate(Digits(digits, 0, 2), Digits(digits, 2, 2), Digits(digits, 4, 2));
        return {};
    case 'I':
    case 'E':
    case 'O':
        ApplySetupCommand(command, Digits(digits, 0, 4), 0);
        return {};
    case 'n':
    case 'N':
    case 'p':
        ApplySetupCommand(command, Digits(digits, 0, 4), Digits(digits, 4, 4));
        return {};
    case 'r':
        return ReplyCount();
    case 'F':
        if (faults_.switchOnFails) {
            running_ = true;            // switched, but the memory does not start
            memStatus_ = 0;
            return {};
        }
        SwitchOn();
        return {};
    case 'S':
        return faults_.noStatus ? QByteArray() : ReplyState();
    case 'c':
        return ReplyLive();
    case 'G': {
        const auto r = TakeRecord();
        return r ? ReplyRecord(*r) : QByteArray();
    }
    case '6':
        return ReplyClock();
    }
    return {};
}

QByteArray Plant::ReplyMode() const
{
    return "B" + QByteArray::number(mode_) + ';';
}

QByteArray Plant::ReplyState() const
{
    return "S" + QByteArray::number(memStatus_) + ';' + QByteArray::number(running_ ? 1 : 0) + ';';
}

QByteArray Plant::ReplySetup() const
{
    const SetupValues &s = setup_;
    QByteArray out = "R";
    for (int v : {s.Speicher, s.IntEin, s.IntAus, s.O2Ein, s.O2Aus, s.NotEin, s.NotAus, s.MaxEin, s.MaxAus})
        out += QByteArray::number(v) + ';';
    return out;
}

QByteArray Plant::ReplyLive() const
{
    QByteArray out = "c";
    for (int t : Temperatures())
        out += QByteArray::number(t) + ';';
    for (int v : {O2(), mode_, fanOn_ ? 1 : 0, Aux(), runTime_, cycles_})
        out += QByteArray::number(v) + ';';
    return out;
}

QByteArray Plant::ReplyCount() const
{
    return "r" + QByteArray::number(faults_.count1001 ? 1001 : StoredCount()) + ';';
}

QByteArray Plant::ReplyClock() const
{
    // Exactly 30 characters: "TZeit: hh:mm:ss Datum:dd.MM.yy".
    const QDateTime c = Clock();
    const QTime t = c.time();
    const QDate d = c.date();
    // Other plants lay the same 30 characters out otherwise.
    if (faults_.clockLayout == 1)
        return ("T" + Two(t.hour()) + ':' + Two(t.minute()) + ':' + Two(t.second()) + ' ' + Two(d.day()) + '.'
                + Two(d.month()) + '.' + Two(d.year() % 100)).leftJustified(30, ' ');
    if (faults_.clockLayout == 2)
        return QByteArray("TUhr gestellt").leftJustified(30, ' ');
    return "TZeit: " + Two(t.hour()) + ':' + Two(t.minute()) + ':' + Two(t.second()) + " Datum:" + Two(d.day())
        + '.' + Two(d.month()) + '.' + Two(d.year() % 100);
}

QByteArray Plant::ReplyRecord(const StoredRecord &r)
{
    QByteArray out = "G";
    for (int t : r.temps)
        out += QByteArray::number(t) + ';';
    out += QByteArray::number(r.o2) + ';' + QByteArray::number(r.mode) + ';' + QByteArray::number(r.aux) + ';';
    const QTime t = r.stamp.time();
    const QDate d = r.stamp.date();
    for (int v : {t.minute(), t.hour(), d.day(), d.month(), d.year() % 100})
        out += Two(v) + ';';
    out += QByteArray::number(r.runTime) + ';' + QByteArray::number(r.cycles) + ';';
    return out;
}

} // namespace plantsim
