#include "plantsim/Bus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace plantsim {

namespace {

// Trace payloads stay one token: printable ASCII as is, everything else as \xNN.
QString Escape(const QByteArray &bytes)
{
    QString out;
    for (char ch : bytes) {
        const auto b = quint8(ch);
        if (b > 0x20 && b < 0x7f && b != '\\')
            out += QChar(b);
        else
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QChar('0'));
    }
    return out.isEmpty() ? QStringLiteral("-") : out;
}

// Noise never contains a reply letter or ';', so it cannot be mistaken for the
// start of a reply: a real line's noise could, but then no test could say what the
// program ought to have decoded.
const QByteArray NoiseSet = QByteArray("xyz#*~!%&?0123456789\r\n \x7f\xfe\xff", 26) + QByteArray(1, '\0');

} // namespace

Bus::Bus(const BusConfig &config, Clock *clock, QObject *parent)
    : QObject(parent), config_(config), clock_(clock),
      decoder_(qint64(std::max(1, config.frameGapMs)) * 1'000'000), rng_(config.seed ^ 0x5eedb05ULL)
{
    if (!clock_) {
        ownClock_ = std::make_unique<SteadyClock>();
        clock_ = ownClock_.get();
    }
    startNs_ = clock_->NowNs();
    lineFreeNs_ = lastReleaseNs_ = startNs_;
    byteNs_ = config_.baud > 0 ? 1e10 / config_.baud : 0.0;

    QDateTime start = config_.start.isValid() ? config_.start : QDateTime::currentDateTime();
    start = QDateTime(start.date(), start.time(), Qt::UTC);   // plant clocks know no zones
    for (const PlantConfig &pc : config_.plants) {
        if (pc.number < 1 || pc.number > 32)
            continue;
        const qint64 simStart = pc.running && config_.historyDays > 0
            ? -qint64(config_.historyDays) * 86'400'000 : 0;
        auto plant = std::make_unique<Plant>(pc, config_.seed, start, simStart);
        plant->AdvanceTo(0);
        plants_[pc.number] = std::move(plant);
    }

    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Bus::Service);
    Arm(startNs_);
}

Bus::~Bus() = default;

Plant *Bus::GetPlant(int number)
{
    const auto it = plants_.find(number);
    return it == plants_.end() ? nullptr : it->second.get();
}

QList<int> Bus::PlantNumbers() const
{
    QList<int> n;
    for (const auto &p : plants_)
        n << p.first;
    return n;
}

qint64 Bus::SimMs() const
{
    return qint64(std::llround(config_.timeFactor * double(clock_->NowNs() - startNs_) / 1e6)) + simOffsetMs_;
}

double Bus::LineMs() const
{
    return double(clock_->NowNs() - startNs_) / 1e6;
}

void Bus::AdvanceSimulated(qint64 ms)
{
    simOffsetMs_ += std::max<qint64>(0, ms);
    const qint64 sim = SimMs();
    for (auto &p : plants_)
        p.second->AdvanceTo(sim);
}

int Bus::QueuedBytes() const
{
    int n = 0;
    for (const Chunk &c : queue_)
        n += int(c.bytes.size()) - c.sent;
    return n;
}

QByteArray Bus::SaveState() const
{
    QJsonArray plants;
    for (const auto &p : plants_)
        plants << p.second->SaveState();
    QJsonObject site;
    site["saved"] = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    site["plants"] = plants;
    return QJsonDocument(site).toJson(QJsonDocument::Indented);
}

bool Bus::LoadState(const QByteArray &saved, QString *error)
{
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(saved, &parse);
    const QDateTime at = QDateTime::fromString(doc.object()["saved"].toString(), Qt::ISODateWithMs);
    if (!doc.isObject() || !at.isValid()) {
        *error = parse.error != QJsonParseError::NoError ? parse.errorString() : QStringLiteral("no saved site");
        return false;
    }
    constexpr qint64 MostMs = 14LL * 86'400'000;
    const qint64 elapsed = std::clamp<qint64>(
        qint64(double(at.msecsTo(QDateTime::currentDateTimeUtc())) * config_.timeFactor), 0, MostMs);
    for (const QJsonValue &v : doc.object()["plants"].toArray()) {
        const QJsonObject o = v.toObject();
        const int number = o["number"].toInt();
        if (number < 1 || number > 32)
            continue;
        if (!GetPlant(number)) {
            PlantConfig pc;
            pc.number = number;
            plants_[number] = std::make_unique<Plant>(pc, config_.seed, QDateTime::currentDateTimeUtc(), 0);
        }
        if (!GetPlant(number)->LoadState(o, elapsed)) {
            *error = QStringLiteral("plant %1: damaged state").arg(number);
            return false;
        }
    }
    return true;
}

double Bus::Uniform()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
}

void Bus::Emit(const char *event, const QByteArray &text)
{
    QString line = QString::number(LineMs(), 'f', 3) + QLatin1Char(' ') + QLatin1String(event);
    if (!text.isEmpty())
        line += QLatin1Char(' ') + QString::fromLatin1(text);
    emit Trace(line);
}

void Bus::Service()
{
    if (vanished_)
        return;
    const qint64 now = clock_->NowNs();
    const qint64 sim = SimMs();
    for (auto &p : plants_)
        p.second->AdvanceTo(sim);

    if (config_.vanishAfterMs >= 0 && !vanishDone_ && now - startNs_ >= qint64(config_.vanishAfterMs) * 1'000'000) {
        vanished_ = true;
        vanishDone_ = true;
        queue_.clear();
        timer_.stop();
        Emit("VANISH", {});
        emit LineVanished();
        return;
    }

    std::vector<QByteArray> cut;
    decoder_.Expire(now, cut);
    for (const QByteArray &c : cut)
        Emit("CUT", Escape(c).toLatin1());
    Flush(now);
    Arm(now);
}

void Bus::Return()
{
    if (!vanished_)
        return;
    vanished_ = false;
    decoder_ = FrameDecoder(qint64(std::max(1, config_.frameGapMs)) * 1'000'000);
    Emit("RETURN", {});
    Service();
}

void Bus::Receive(const QByteArray &hostBytes)
{
    if (vanished_)
        return;
    const qint64 now = clock_->NowNs();
    const qint64 sim = SimMs();
    for (auto &p : plants_)
        p.second->AdvanceTo(sim);

    std::vector<Frame> frames;
    std::vector<QByteArray> cut;
    decoder_.Feed(hostBytes, now, frames, cut);
    for (const QByteArray &c : cut)
        Emit("CUT", Escape(c).toLatin1());
    for (const Frame &f : frames) {
        // The host may talk to a plant only while no other plant's reply is due.
        for (const Chunk &c : queue_) {
            if (c.plant != 0 && c.plant != f.plant) {
                ++framesOverReply_;
                Emit("OVER", QByteArray::number(f.plant) + ' ' + Escape(QByteArray(1, f.command) + f.digits).toLatin1()
                                 + " during-reply-of " + QByteArray::number(c.plant));
                break;
            }
        }
        HandleFrame(f, now);
    }
    Service();
}

void Bus::HandleFrame(const Frame &frame, qint64 nowNs)
{
    Plant *plant = GetPlant(frame.plant);
    const QByteArray id = QByteArray::number(frame.plant) + ' '
        + Escape(QByteArray(1, frame.command) + frame.digits).toLatin1();
    const bool echo = config_.lineFaults.echo || (plant && plant->GetFaults().echo);
    if (echo) {
        Queue(frame.Bytes(), nowNs);   // the adapter hears the host's own frame first
        Emit("ECHO", id);
    }
    if (!plant || !frame.known || plant->Muted()) {
        Emit("IGN", id + (!plant ? " absent" : !frame.known ? " unknown" : " muted"));
        return;
    }
    Emit("RX", id);
    const Faults &f = plant->GetFaults();
    if (frame.command == 'S' && f.noStatus)
        Emit("FAULT", QByteArray::number(frame.plant) + " no-status");
    if (frame.command == 'F' && f.switchOnFails)
        Emit("FAULT", QByteArray::number(frame.plant) + " switch-on-fails");
    // The host must poll only running piles; make a slip visible.
    if (frame.command == 'c' && !plant->Running())
        Emit("HOSTBUG", id + " live-request-without-pile");
    if (frame.command == 'r' && f.count1001)
        Emit("FAULT", QByteArray::number(frame.plant) + " count1001");
    const QByteArray reply = plant->Handle(frame.command, frame.digits);
    if (!reply.isEmpty())
        QueueReply(*plant, reply, nowNs);
}

void Bus::QueueReply(Plant &plant, QByteArray reply, qint64 nowNs)
{
    const Faults &f = plant.GetFaults();
    const QByteArray num = QByteArray::number(plant.Number());
    plant.CountReply();
    if (f.dropProbability > 0 && Uniform() < f.dropProbability) {
        Emit("FAULT", num + " drop " + Escape(reply).toLatin1());
        return;
    }
    if (f.corruptProbability > 0 && Uniform() < f.corruptProbability) {
        // Spoil the first character of one field (the text after the letter or a ';').
        std::vector<int> starts;
        for (int i = 1; i < reply.size(); ++i)
            if (reply[i] != ';' && (i == 1 || reply[i - 1] == ';'))
                starts.push_back(i);
        if (!starts.empty()) {
            const int at = starts[size_t(std::uniform_int_distribution<size_t>(0, starts.size() - 1)(rng_))];
            reply[at] = 'x';
            Emit("FAULT", num + " corrupt " + QByteArray::number(at));
        }
    }
    if (f.stampSpoilProbability > 0 && reply.startsWith('G') && Uniform() < f.stampSpoilProbability) {
        // The minute field (the ninth) keeps its first digit and gets an "x".
        qsizetype at = 0;
        for (int k = 0; k < 8 && at >= 0; ++k)
            at = reply.indexOf(';', at + 1);
        if (at > 0 && at + 2 < reply.size() && reply[at + 2] != ';') {
            reply[at + 2] = 'x';
            Emit("FAULT", num + " stamp-spoil " + Escape(reply).toLatin1());
        }
    }
    if (f.crlf)
        reply += "\r\n";

    qint64 release = nowNs + qint64(config_.latencyMs) * 1'000'000;
    if (f.lateMs > 0) {
        release += qint64(f.lateMs) * 1'000'000;
        Emit("FAULT", num + " late " + QByteArray::number(f.lateMs));
    }
    release = std::max(release, lastReleaseNs_);
    lastReleaseNs_ = release;

    if (f.noiseBytes > 0) {
        const int n = 1 + int(std::uniform_int_distribution<int>(0, f.noiseBytes - 1)(rng_));
        QByteArray noise;
        for (int i = 0; i < n; ++i)
            noise += NoiseSet[qsizetype(std::uniform_int_distribution<int>(0, int(NoiseSet.size()) - 1)(rng_))];
        Queue(noise, release, plant.Number());
        Emit("FAULT", num + " noise " + Escape(noise).toLatin1());
    }
    Emit("TX", num + ' ' + Escape(reply).toLatin1());
    if (f.fragment && reply.size() > 1) {
        const int pieces = std::min<int>(int(reply.size()), 2 + int(std::uniform_int_distribution<int>(0, 2)(rng_)));
        std::vector<int> cuts;
        while (int(cuts.size()) < pieces - 1) {
            const int c = 1 + int(std::uniform_int_distribution<int>(0, int(reply.size()) - 2)(rng_));
            if (std::find(cuts.begin(), cuts.end(), c) == cuts.end())
                cuts.push_back(c);
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(int(reply.size()));
        int from = 0;
        qint64 at = release;
        for (int c : cuts) {
            Queue(reply.mid(from, c - from), at, plant.Number());
            from = c;
            at = std::max(at, lineFreeNs_) + qint64(2 + std::uniform_int_distribution<int>(0, 13)(rng_)) * 1'000'000;
        }
        lastReleaseNs_ = std::max(lastReleaseNs_, lineFreeNs_);
        Emit("FAULT", num + " fragment " + QByteArray::number(pieces));
    } else {
        Queue(reply, release, plant.Number());
    }
}

void Bus::Queue(const QByteArray &bytes, qint64 releaseNs, int plant)
{
    if (bytes.isEmpty())
        return;
    Chunk c;
    c.bytes = bytes;
    c.plant = plant;
    c.startNs = std::max(releaseNs, lineFreeNs_);
    lineFreeNs_ = c.startNs + qint64(std::llround(double(bytes.size()) * byteNs_));
    queue_.push_back(c);
}

void Bus::Flush(qint64 nowNs)
{
    while (!queue_.empty() && !vanished_) {
        Chunk &c = queue_.front();
        qint64 due;
        if (byteNs_ > 0) {
            const double elapsed = double(nowNs - c.startNs);
            due = elapsed < 0 ? 0 : std::min<qint64>(c.bytes.size(), qint64(elapsed / byteNs_ + 1e-6));
        } else {
            due = nowNs >= c.startNs ? c.bytes.size() : 0;
        }
        if (due <= c.sent)
            break;
        const QByteArray piece = c.bytes.mid(c.sent, due - c.sent);
        c.sent = int(due);
        const bool done = c.sent == c.bytes.size();
        if (done)
            queue_.pop_front();
        emit Transmit(piece);   // may re-enter Receive(); nothing above is held across it
        if (!done)
            break;
    }
}

void Bus::Arm(qint64 nowNs)
{
    if (clock_->IsManual())
        return;
    qint64 next = -1;
    auto consider = [&next](qint64 t) {
        if (next < 0 || t < next)
            next = t;
    };
    if (!queue_.empty()) {
        const Chunk &c = queue_.front();
        consider(c.startNs + qint64(std::ceil(double(c.sent + 1) * byteNs_)));
    }
    if (decoder_.Pending())
        consider(decoder_.ExpiresAtNs() + 1'000'000);
    if (config_.vanishAfterMs >= 0 && !vanishDone_)
        consider(startNs_ + qint64(config_.vanishAfterMs) * 1'000'000);
    if (next < 0) {
        timer_.stop();
        return;
    }
    const qint64 waitNs = std::max<qint64>(0, next - nowNs);
    timer_.start(int((waitNs + 999'999) / 1'000'000));
}

} // namespace plantsim
