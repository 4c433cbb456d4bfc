#include "link/Link.h"
#include "link/Parser.h"
#include "link/PollPause.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <array>
#include <deque>
#include <vector>

const char CommandChars[] = " BReoTqAZDIEOnNprFScG6";

namespace {

TLink *TheLink = nullptr;

bool AwaitsReply(int command)
{
    switch (command) {
    case cmdReadMode: case cmdReadSetup: case cmdReadStoredCount: case cmdReadState:
    case cmdReadLive: case cmdReadStored: case cmdReadClock:
        return true;
    default:
        return false;
    }
}

// Right-aligned in `width` characters, padded with '0'; wider values in full.
void AppendPadded(QByteArray &out, quint16 value, int width)
{
    const QByteArray digits = QByteArray::number(value);
    if (digits.size() < width)
        out.append(width - digits.size(), '0');
    out.append(digits);
}

QString NoConnectionText()
{
    return QCoreApplication::translate("TLink", "Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!");
}

} // namespace

int BaudForSpeedIndex(int index)
{
    switch (index) {
    case 1: return 4800;
    case 2: return 9600;
    case 3: return 19200;
    default: return 2400;
    }
}

// One SendAndWait in progress. Waits nest only when a handler that runs inside a
// wait starts another one; each keeps its own deadline so neither can hang.
struct LinkWaitFrame {
    QEventLoop *loop = nullptr;
    int command = cmdNone;
    QDeadlineTimer deadline;
    bool timedOut = false;
    bool done = false;
};

namespace {

// Bytes closer together than this are one reply still coming in (USB adapters
// hand bytes over in bursts up to 16 ms apart).
constexpr qint64 ReplyGapMs = 25;
// A frame sent this soon after the time-out of the same frame is its retry.
constexpr qint64 RetryWindowMs = 60;
// A late reply is matched to its frame for this long after the frame.
constexpr qint64 MatchWindowMs = 3000;
// How many of a plant's answers its timing is learned from.
constexpr int RecentAnswers = 8;

// A frame that awaits a reply: the line is the plant's until the reply is in or
// its time is up.
struct SentFrame {
    int plant = 0;
    int command = cmdNone;
    qint64 at = 0;          // written (link clock, ms)
    qint64 expires = 0;     // its reply is due until then
    int timeout = 0;        // ms it was given
    int base = 0;           // ms any plant would have been given: later is late
    bool expired = false;
};

} // namespace

struct TLink::Private {
    std::unique_ptr<LinkPort> port;
    QTimer leseTimer;
    QTimer timeout1;
    QTimer reopenTimer;                 // while the line is lost
    QTimer probeRetry;                  // a second try of the slot's question
    QTimer pollRetry;                   // a poll step that found the line busy
    std::vector<LinkWaitFrame *> waits;
    std::vector<QEventLoop *> acquirers;    // callers waiting for the line
    // Half-duplex adapters echo every frame back before the plant answers. Bytes
    // count as an echo only when they are the first to arrive after our sends and
    // are exactly frames sent since the last byte received, in order (a frame that
    // drew no echo, e.g. to an absent plant, may be missing). The first byte that
    // does not fit ends it: that byte and all after it, and any bytes held back,
    // go to the parser unchanged. Plant numbers 9, 10, 13 and 32 are TAB, LF, CR
    // and blank, which replies may well contain, so a byte alone proves nothing.
    std::deque<QByteArray> unechoed;    // frames sent since the last byte received
    qsizetype heldFrame = -1;           // index into unechoed being matched
    qsizetype heldCount = 0;            // bytes of it matched so far, held back
    void FilterEcho(QByteArray &text);

    QElapsedTimer clock;                // monotonic, for the times below
    qint64 lastRx = -1000000;           // the last byte received
    // Frames whose reply is due or came late lately, oldest first. A reply is the
    // answer to the oldest unanswered frame of its command: plants answer in turn.
    std::deque<SentFrame> sent;
    int nextTimeout = -1;               // SendAndWait's time-out for the frame it sends
    int nextBase = 0;                   // ... and the one it was asked for
    // After a time-out the line stays quiet for the plant's quiet time (bytes
    // restart it), so that a late reply is not talked over. A retry of the same
    // frame may go at once: its answer is that plant's either way.
    bool guardDue = false;
    qint64 quietSince = 0;
    int quietMs = 0;
    int quietWaited = 0;                // the time-out that ran out
    int timedOutPlant = 0, timedOutCommand = cmdNone;
    // Per plant: how long its recent answers took (ms after their frame) and what
    // time-out those frames had.
    struct Timing {
        std::array<quint16, RecentAnswers> delay{};
        std::array<quint16, RecentAnswers> given{};
        int count = 0, next = 0;
    };
    std::array<Timing, MaxPlants + 1> timing{};
    // The poll: the plant its last step asked, and whether that was answered.
    int pollAsked = 0;
    bool pollAnswered = true;
    bool probeUsed = false;             // this cycle's probe slot is taken
    int probeCursor = 0;                // the last address the probe slot asked
    int probedPlant = 0;                // an absent address asked by the last poll step
    // Bytes the line delivered from a frame until its reply was decoded, per
    // command: the last two replies' (the shorter counts, so one reply that had a
    // stray byte before it makes none wait longer than its own length).
    std::array<int, 32> replyBytes{}, lastReplyBytes{};
    int rxSinceSend = 0;
    int sentCommand = cmdNone;
    bool replyLearned = true;

    qint64 Now() const { return clock.elapsed(); }
    void NoteAnswer(int command, int plant, qint64 now);
    void ForgetLine();
    void Expire(SentFrame &f, qint64 when);
    void ExpireDue(qint64 now);
    int QuietFor(int plant, int waited) const;
    int LateCount(int plant, int *latest) const;
};

// A reply of `command` came in and answered the frame to `plant` that was waited
// for; a stray reply (plant 0: nobody waited; cmdNone: not known) answers the
// newest frame still without one (its time ran out, or it was kept open for a
// plant found late). Plants answer in turn: when that frame was the
// retry of one that ran out just before, still without answer, the reply is the
// first one's, and the retry's own is still to come. A frame the plant ignored a
// cycle earlier (a lost reply, a plant that was silent) is no such first one.
// The delay is what the plant did.
void TLink::Private::NoteAnswer(int command, int plant, qint64 now)
{
    while (!sent.empty() && now - sent.front().at > MatchWindowMs)
        sent.pop_front();
    auto fits = [command](const SentFrame &f) { return command == cmdNone || f.command == command; };
    auto it = sent.end();
    for (auto r = sent.rbegin(); r != sent.rend(); ++r) {
        if (fits(*r) && (plant == 0 || r->plant == plant)) {
            it = std::prev(r.base());
            break;
        }
    }
    if (it == sent.end())
        return;
    while (it != sent.begin()) {
        const auto prev = std::prev(it);
        if (prev->plant != it->plant || prev->command != it->command || !prev->expired || it->at - prev->expires > RetryWindowMs)
            break;
        it = prev;
    }
    plant = it->plant;
    if (plant >= 1 && plant <= MaxPlants) {
        Timing &t = timing[size_t(plant)];
        t.delay[size_t(t.next)] = quint16(qMin<qint64>(now - it->at, 60000));
        t.given[size_t(t.next)] = quint16(qMax(it->base, 0));
        t.next = (t.next + 1) % RecentAnswers;
        t.count = qMin(t.count + 1, RecentAnswers);
    }
    const qint64 delay = now - it->at, answeredAt = it->at;
    const bool late = delay > it->timeout;
    sent.erase(it);
    // A plant found slower than thought keeps the line for its later frames too:
    // their replies may still come, as late as this one.
    bool more = false;
    for (SentFrame &f : sent) {
        if (f.plant != plant || f.at <= answeredAt)
            continue;
        const qint64 due = f.at + qMax<qint64>(f.timeout, delay + 50);
        if (late && f.expired && due > now) {
            f.expired = false;
            f.expires = due;
        } else if (!f.expired) {
            f.expires = qMax(f.expires, due);
        }
        more = true;
    }
    // Nothing more can come from the plant whose time-out started the quiet time.
    if (guardDue && plant == timedOutPlant && !more)
        guardDue = false;
    else if (guardDue && plant == timedOutPlant)
        quietMs = QuietFor(plant, quietWaited);
}

void TLink::Private::ForgetLine()
{
    sent.clear();
    guardDue = false;
    pollAsked = 0;
    pollAnswered = true;
    probedPlant = 0;
    pollRetry.stop();
}

void TLink::Private::Expire(SentFrame &f, qint64 when)
{
    if (f.expired)
        return;
    f.expired = true;
    f.expires = qMin(f.expires, when);
    guardDue = true;
    quietSince = qMax(when, lastRx);
    quietMs = QuietFor(f.plant, f.timeout);
    quietWaited = f.timeout;
    timedOutPlant = f.plant;
    timedOutCommand = f.command;
}

// Frames whose time is up are timed out, unless their reply is coming in just now.
void TLink::Private::ExpireDue(qint64 now)
{
    for (SentFrame &f : sent) {
        if (f.expired || now < f.expires)
            continue;
        // Bytes still coming in are its reply (or noise): not before they stop, or
        // a second after its time, whichever comes first.
        if (now - lastRx < ReplyGapMs && now - f.expires < 1000)
            continue;
        Expire(f, f.expires);
    }
}

// How many of the plant's recent answers came after their time-out, and the
// latest delay among them.
int TLink::Private::LateCount(int plant, int *latest) const
{
    *latest = 0;
    if (plant < 1 || plant > MaxPlants)
        return 0;
    const Timing &t = timing[size_t(plant)];
    int late = 0;
    for (int i = 0; i < t.count; ++i) {
        if (t.delay[size_t(i)] > t.given[size_t(i)]) {
            ++late;
            *latest = qMax<int>(*latest, t.delay[size_t(i)]);
        }
    }
    return late;
}

// The quiet time after a frame to `plant` that had `waited` ms ran out: the base
// guard (never longer than the wait), or as much as the plant's recent late
// answers needed beyond such a wait. Absent addresses and prompt plants: the base,
// unless several plants were late.
int TLink::Private::QuietFor(int plant, int waited) const
{
    int latest = 0;
    LateCount(plant, &latest);
    // Several plants late: the line itself is slow (an adapter, a radio link), and
    // a plant not heard yet is likely as late as the least late of them.
    int lateOnes = 0, lineLatest = 0;
    for (int n = 1; n <= MaxPlants; ++n) {
        int l = 0;
        if (n != plant && Plants().PlantTable[n].Present && LateCount(n, &l) > 0) {
            lineLatest = lateOnes == 0 ? l : qMin(lineLatest, l);
            ++lateOnes;
        }
    }
    if (lateOnes >= 2)
        latest = qMax(latest, lineLatest);
    const int base = qMin<int>(LinkValues().ReplyGuard, qMax(waited, 0));
    if (latest > waited)
        return qMin(2000, qMax(base, latest - waited + 50));
    return base;
}

void TLink::Private::FilterEcho(QByteArray &text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        const char ch = text.at(i);
        if (heldFrame < 0) {
            // At a frame boundary: the next echo starts with some frame's plant byte.
            auto it = std::find_if(unechoed.begin(), unechoed.end(),
                                   [ch](const QByteArray &f) { return f.at(0) == ch; });
            if (it == unechoed.end())
                break;
            heldFrame = it - unechoed.begin();
            heldCount = 1;
        } else if (unechoed[heldFrame].at(heldCount) == ch) {
            ++heldCount;
        } else {
            break;
        }
        ++i;
        if (heldCount == unechoed[heldFrame].size()) {      // one whole frame came back
            unechoed.erase(unechoed.begin(), unechoed.begin() + heldFrame + 1);
            heldFrame = -1;
            heldCount = 0;
            text.remove(0, i);
            i = 0;
        }
    }
    if (i == text.size()) {
        text.clear();           // all of it fits so far: hold it until more comes
        return;
    }
    // Not an echo: give back what was held and let everything through.
    if (heldFrame >= 0)
        text.prepend(unechoed[heldFrame].left(heldCount - i));
    unechoed.clear();
    heldFrame = -1;
    heldCount = 0;
}

TLink::TLink(QObject *parent) : QObject(parent), d(std::make_unique<Private>())
{
    d->clock.start();
    d->leseTimer.setInterval(500);
    d->timeout1.setInterval(0);
    d->timeout1.setSingleShot(true);
    d->timeout1.setTimerType(Qt::PreciseTimer);
    connect(&d->leseTimer, &QTimer::timeout, this, &TLink::LeseTimerTimer);
    d->reopenTimer.setInterval(ReopenIntervalMs);
    connect(&d->reopenTimer, &QTimer::timeout, this, &TLink::TryReopen);
    connect(&d->timeout1, &QTimer::timeout, this, &TLink::Timeout1Timer);
    d->probeRetry.setSingleShot(true);
    connect(&d->probeRetry, &QTimer::timeout, this, [this] {
        // As every exchange is tried twice: one lost reply must not cost a cycle.
        const int plant = d->probedPlant;
        if (plant != 0 && LinkValues().ReplyCode != cmdReadMode && d->leseTimer.isActive() && LineFree(plant, cmdReadMode))
            WriteFrame(plant, cmdReadMode, {0});
    });
    d->pollRetry.setSingleShot(true);
    d->pollRetry.setTimerType(Qt::PreciseTimer);
    connect(&d->pollRetry, &QTimer::timeout, this, &TLink::PollStep);
    if (!TheLink)
        TheLink = this;
    SetPort(MakeSerialPort());
}

TLink::~TLink()
{
    d->leseTimer.stop();
    d->reopenTimer.stop();
    d->timeout1.stop();
    for (LinkWaitFrame *w : d->waits) {         // never leave a caller waiting on us
        w->timedOut = true;
        w->done = true;
        if (w->loop)
            w->loop->quit();
    }
    if (d->port) {
        disconnect(d->port.get(), nullptr, this, nullptr);
        d->port->Close();
    }
    if (TheLink == this) {
        TheLink = nullptr;
        LinkValues().LinkOpen = false;
    }
}

TLink *TLink::Instance() { return TheLink; }

void TLink::NoteSent(const QByteArray &frame)
{
    if (frame.isEmpty())
        return;
    d->unechoed.push_back(frame);
    if (d->unechoed.size() > 16) {      // no echoing adapter, no replies: forget old frames
        d->unechoed.pop_front();
        if (d->heldFrame >= 0 && --d->heldFrame < 0)
            d->heldCount = 0;           // the frame being matched is gone; so is its match
    }
}

void TLink::FrameWritten(int command)
{
    d->rxSinceSend = 0;
    d->sentCommand = command;
    d->replyLearned = command == cmdNone || command < 0 || command >= int(d->replyBytes.size());
    if (d->port)
        d->port->ExpectReply(d->replyLearned ? 0 : std::min(d->replyBytes[size_t(command)], d->lastReplyBytes[size_t(command)]));
}

void TLink::SetPort(std::unique_ptr<LinkPort> port)
{
    if (d->port) {
        disconnect(d->port.get(), nullptr, this, nullptr);
        d->port->Close();
    }
    d->port = std::move(port);
    if (!d->port)
        return;
    d->port->setParent(nullptr);            // owned by the unique_ptr
    connect(d->port.get(), &LinkPort::TriggerAvail, this, &TLink::ComPort1TriggerAvail);
    connect(d->port.get(), &LinkPort::LineLost, this, &TLink::LoseLine);
}

// The adapter went away: no value on screen may look fresh, and the port is
// tried again every few seconds until it is back.
void TLink::LoseLine()
{
    if (TheLink == this)
        LinkValues().LinkOpen = false;
    d->leseTimer.stop();
    d->ForgetLine();
    for (int n = 1; n <= MaxPlants; ++n) {
        Plants().LiveTable[n].Valid = 0;
        Plants().LiveTable[n].MissCount = 4;
    }
    emit StatusText(NoConnectionText());
    emit LineStateChanged(false);
    d->reopenTimer.start();
}

void TLink::TryReopen()
{
    if (!d->port || LinkValues().LinkOpen) {
        d->reopenTimer.stop();
        return;
    }
    // Not in the middle of an exchange or a transfer: they end first.
    if (LineBusy() || PollPause::Active())
        return;
    d->port->SetPortNumber(LinkValues().ComNumber);
    d->port->SetBaudRate(BaudForSpeedIndex(LinkValues().SpeedIndex));
    if (!d->port->PortExists(LinkValues().ComNumber) || !d->port->Open())
        return;
    d->reopenTimer.stop();
    d->ForgetLine();
    LinkValues().LinkOpen = true;
    LinkValues().AwaitedReply = cmdNone;
    LinkValues().RxBuffer.clear();
    emit StatusText(tr("Serielle Verbindung auf :") + QStringLiteral("COM") + QString::number(LinkValues().ComNumber));
    d->leseTimer.start(500);
    emit LineStateChanged(true);
}

bool TLink::Reopening() const { return d->reopenTimer.isActive(); }

LinkPort *TLink::ComPort1() const { return d->port.get(); }
QTimer *TLink::LeseTimer() { return &d->leseTimer; }
QTimer *TLink::Timeout1() { return &d->timeout1; }

void TLink::OpenLink()
{
    // The poll must not run while the port is being replaced or after a failure.
    d->leseTimer.stop();
    d->ForgetLine();
    if (d->port && d->port->IsOpen())
        d->port->Close();
    LinkValues().LinkOpen = true;
    if (d->port) {
        d->port->SetPortNumber(LinkValues().ComNumber);
        d->port->SetBaudRate(BaudForSpeedIndex(LinkValues().SpeedIndex));
        if (d->port->PortExists(LinkValues().ComNumber))
            d->port->Open();
    }
    if (d->port && d->port->IsOpen()) {
        d->reopenTimer.stop();
        emit StatusText(tr("Serielle Verbindung auf :") + QStringLiteral("COM") + QString::number(LinkValues().ComNumber));
        d->leseTimer.start(500);
        return;
    }
    QString failure = tr("Fehler beim Öffnen der seriellen Schnittstelle !\nBitte überprüfen!!");
    if (d->port && d->port->AccessDenied()) {
#ifdef Q_OS_WIN
        failure += u'\n' + tr("Keine Zugriffsrechte auf %1.").arg(PortDeviceName(LinkValues().ComNumber));
#else
        failure += u'\n' + tr("Keine Zugriffsrechte auf %1: der Benutzer braucht Zugriff auf das Gerät "
                              "(Gruppe \"dialout\").").arg(PortDeviceName(LinkValues().ComNumber));
#endif
    }
    emit OpenFailed(failure);
    emit StatusText(NoConnectionText());
    LinkValues().LinkOpen = false;
    if (d->port)
        d->reopenTimer.start();         // an adapter plugged in later is found
}

void TLink::CloseLink()
{
    d->leseTimer.stop();
    d->reopenTimer.stop();
    if (d->port)
        d->port->Close();
    LinkValues().LinkOpen = false;
}

void TLink::StartTimer() { d->leseTimer.start(500); }
void TLink::StopTimer()
{
    d->leseTimer.stop();
    d->probeRetry.stop();
    d->pollRetry.stop();
}

// The line is free for a frame to `plant`: no reply is due, none is coming in, and
// the quiet time after a time-out is over (a retry of the frame that timed out
// need not wait for that).
bool TLink::LineFree(int plant, int command)
{
    if (d->port)
        d->port->TakeGathered();        // what gathered belongs before any judgement
    const qint64 now = d->Now();
    d->ExpireDue(now);
    for (const SentFrame &f : d->sent)
        if (!f.expired)
            return false;
    if (d->guardDue) {
        // A retry may go at once, but not into bytes that are still coming in.
        const bool retry = plant == d->timedOutPlant && command == d->timedOutCommand;
        if (retry ? now - d->lastRx < ReplyGapMs : now - qMax(d->quietSince, d->lastRx) < d->quietMs)
            return false;
    }
    return true;
}

// When to look again whether the line is free (ms from now, at least 1).
int TLink::LineFreeIn() const
{
    const qint64 now = d->Now();
    qint64 at = now + 1;
    for (const SentFrame &f : d->sent)
        if (!f.expired)
            at = qMax(at, qMax(f.expires, d->lastRx + ReplyGapMs));    // a reply coming in holds it
    if (d->guardDue)
        at = qMax(at, qMax(qMax(d->quietSince, d->lastRx) + d->quietMs, d->lastRx + ReplyGapMs));
    return int(qBound<qint64>(qint64(1), at - now, qint64(2000)));
}

// Waits (running the event loop) until the line is free for this frame. Replies
// and time-outs of others' frames are handled meanwhile; the poll stays away.
void TLink::AcquireLine(int plant, int command)
{
    if (!QCoreApplication::instance())
        return;
    QElapsedTimer total;
    total.start();
    while (!LineFree(plant, command) && total.elapsed() < 5000) {
        QEventLoop loop;
        d->acquirers.push_back(&loop);
        QTimer::singleShot(LineFreeIn(), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        const int ran = loop.exec();
        d->acquirers.erase(std::find(d->acquirers.begin(), d->acquirers.end(), &loop));
        if (ran == -1)
            break;              // the application quits
    }
}

bool TLink::LineBusy() const
{
    return !d->waits.empty() || !d->acquirers.empty();
}

// One step of the poll, every 500 ms: the running piles' plants in turn, then, once
// a cycle, one address that has not answered (or a plant without pile) gets the
// slot. A step that finds the line busy waits for it; it never sends into a wait.
void TLink::LeseTimerTimer()
{
    if (d->pollRetry.isActive())
        return;                 // the last step still waits for the line
    PollStep();
}

void TLink::PollStep()
{
    if (!LinkValues().LinkOpen)
        return;
    if (LineBusy() || !LineFree(0, cmdReadLive)) {
        d->pollRetry.start(LineBusy() ? 20 : LineFreeIn());
        return;
    }
    // A step after the probe slot, sooner than the tick: the ticks count from here.
    if (sender() == &d->pollRetry && d->probedPlant != 0 && d->leseTimer.isActive())
        d->leseTimer.start();
    // The last step's question: unanswered is a miss for that plant.
    int answered = 0;
    if (d->probedPlant != 0) {
        if (LinkValues().ReplyCode == cmdReadMode && LinkValues().AddressedPlant == d->probedPlant)
            answered = d->probedPlant;
        d->probedPlant = 0;
    }
    if (d->pollAsked != 0 && !d->pollAnswered)
        CountMiss(d->pollAsked);
    d->pollAsked = 0;
    d->pollAnswered = true;

    const int count = qMin<int>(Plants().PlantCount, MaxPlants);
    auto polled = [](int n) { return Plants().PlantTable[n].Present && Plants().PlantTable[n].Running; };
    // The next running pile after `from`; the next address not present after the
    // last one probed, once a cycle.
    auto nextPolled = [&](int from) {
        for (int n = from + 1; n <= count; ++n)
            if (polled(n))
                return n;
        return 0;
    };
    auto takeProbe = [&] {
        int probe = 0;
        if (!d->probeUsed && LinkValues().ProbeAbsentPlants)
            for (int k = 1; k <= count && !probe; ++k)
                if (const int n = (d->probeCursor + k - 1) % count + 1; !Plants().PlantTable[n].Present)
                    probe = n;
        d->probeUsed = d->probeUsed || probe != 0;
        return probe;
    };
    int next = nextPolled(LinkValues().PollPlant);
    int probe = next ? 0 : takeProbe();
    if (!next && !probe) {
        // A new cycle: plants without pile were not asked and their values age.
        for (int n = 1; n <= count; ++n)
            if (!polled(n))
                CountMiss(n);
        d->probeUsed = false;
        next = nextPolled(0);
        probe = next ? 0 : takeProbe();
    }
    if (next) {
        LinkValues().PollPlant = quint16(next);
        d->pollAsked = next;
        d->pollAnswered = false;
        WriteFrame(next, cmdReadLive, {0});
    } else if (probe) {
        LinkValues().PollPlant = quint16(count);    // the next step starts a new cycle
        d->probeCursor = probe;
        // A plant missed at discovery (a lost reply, a slow plant) is found without
        // slowing the poll of the others: one question a cycle.
        WriteFrame(probe, cmdReadMode, {0});
        if (LinkValues().AddressedPlant == probe && LinkValues().AwaitedReply == cmdReadMode) {
            d->probedPlant = probe;
            // Only where both tries and their answers fit into the slot.
            const int wait = qMax<int>(LinkValues().BaseTimeout, 20);
            if (3 * wait < d->leseTimer.interval())
                d->probeRetry.start(wait + 1);
            else if (nextPolled(0) != 0)
                d->pollRetry.start(LineFreeIn());   // the piles' next cycle starts when it is answered or over
        }
    } else {
        LinkValues().PollPlant = quint16(count);
    }
    emit Polled();
    if (answered)
        emit AddressAnswered(answered);
}

// A poll of plant n went unanswered (or n was not asked this cycle): on the fifth
// in a row its values are gone; the time of the first says since when it is silent.
void TLink::CountMiss(int n)
{
    if (n < 1 || n > MaxPlants)
        return;
    TLiveValues &e = Plants().LiveTable[n];
    if (e.MissCount == 0 && e.SilentSinceMs == 0)
        e.SilentSinceMs = QDateTime::currentMSecsSinceEpoch();
    ++e.MissCount;
    if (e.MissCount >= 5) {
        e.MissCount = 4;
        e.Valid = 0;
    }
}

void TLink::Timeout1Timer()
{
    if (d->waits.empty())
        return;                 // a stale tick after the wait ended changes nothing
    if (d->port) {
        d->port->TakeGathered();    // a reply the port let gather is no time-out
        if (d->waits.empty() || d->waits.back()->done)
            return;
    }
    LinkWaitFrame *w = d->waits.back();
    // A reply that is coming in right now is not missing: wait for its end.
    const qint64 now = d->Now();
    if (now - d->lastRx < ReplyGapMs && w->deadline.remainingTime() > -1000) {
        d->timeout1.start(int(ReplyGapMs));
        return;
    }
    LinkValues().ReplyTimedOut = true;
    LinkValues().AwaitedReply = cmdNone;    // its late reply is nobody's answer
    for (auto it = d->sent.rbegin(); it != d->sent.rend(); ++it) {
        if (it->command == w->command && !it->expired) {
            d->Expire(*it, now);
            break;
        }
    }
    w->timedOut = true;
    w->done = true;
    if (w->loop)
        w->loop->quit();
}

void TLink::ComPort1TriggerAvail(int count)
{
    QByteArray text;
    if (d->port && count > 0) {
        text.reserve(count);
        for (int i = 0; i < count; ++i) {
            const int b = d->port->ReadByte();
            if (b < 0)
                break;
            text.append(char(b));
        }
    }
    d->rxSinceSend += int(text.size());
    if (!d->unechoed.empty())
        d->FilterEcho(text);
    if (text.isEmpty())
        return;
    const qint64 now = d->Now();
    d->ExpireDue(now);          // a frame whose time was up: this may be its late reply
    d->lastRx = now;
    const quint8 awaited = LinkValues().AwaitedReply;
    const quint32 strayBefore = LinkValues().StrayReplies;
    // With nobody waiting (a late reply, noise) the parser takes the reply as
    // nobody's: it changes no table, but tells which frame it answered.
    ParseReceived(text);
    for (quint32 k = strayBefore; k != LinkValues().StrayReplies; ++k)
        d->NoteAnswer(LinkValues().LastStrayReply, 0, now);
    const bool answeredNow = awaited != cmdNone && awaited != AnyReply && LinkValues().ReplyCode == awaited
                             && LinkValues().AwaitedReply != awaited;
    if (answeredNow) {
        d->NoteAnswer(awaited, LinkValues().AddressedPlant, now);
        if (!d->replyLearned && awaited == d->sentCommand) {
            d->replyLearned = true;
            const size_t c = d->sentCommand;
            d->lastReplyBytes[c] = d->replyBytes[c];
            d->replyBytes[c] = d->rxSinceSend;
        }
        // The poll's answer goes to the live table at once.
        if (awaited == cmdReadLive && d->pollAsked != 0 && LinkValues().AddressedPlant == d->pollAsked) {
            const int n = d->pollAsked;
            const TAnlageParameter &slot = Plants().PlantTable[n];
            if (slot.Present && slot.Running && LinkValues().PollReply.Valid) {
                Plants().LiveTable[n] = LinkValues().PollReply;
                Plants().LiveTable[n].StampMs = LinkClockMs();
                Plants().LiveTable[n].SilentSinceMs = 0;
                d->pollAnswered = true;
            }
        }
    }
    if (!d->waits.empty()) {
        LinkWaitFrame *w = d->waits.back();
        if (w->command != cmdNone && LinkValues().ReplyCode == w->command && w->loop) {
            w->done = true;
            w->loop->quit();
        }
    }
    // Someone waits for the line: look again now rather than at the time-out.
    if (!d->acquirers.empty())
        d->acquirers.back()->quit();
}

// Runs a nested event loop until the reply or the time-out arrives (both come as
// events), so the thread sleeps in the event dispatcher meanwhile.
bool TLink::WaitFor(int command)
{
    const int timeout = qMax(d->timeout1.interval(), 0);
    LinkWaitFrame frame;
    frame.command = command;
    frame.deadline = QDeadlineTimer(timeout, Qt::PreciseTimer);
    QEventLoop loop;
    frame.loop = &loop;
    d->waits.push_back(&frame);
    d->timeout1.start(timeout);
    // exec() returns at once while the application quits: that is no answer, or a
    // transfer would go on taking stale replies for records.
    const bool ran = loop.exec() != -1;
    frame.loop = nullptr;
    d->waits.pop_back();
    d->timeout1.stop();
    if (!d->waits.empty()) {
        // Re-arm the outer wait with what is left of its own time.
        LinkWaitFrame *outer = d->waits.back();
        if (!outer->done)
            d->timeout1.start(int(qMax<qint64>(outer->deadline.remainingTime(), 0)));
    }
    return ran && frame.done && !frame.timedOut;
}

bool TLink::WaitActive() const { return !d->waits.empty(); }

int TLink::PlantTimeout(int plant, int timeout) const
{
    int latest = 0;
    // One late answer may be a hiccup; from the second among the recent ones the
    // plant gets up to its latest delay (with a little room), never beyond a second.
    if (d->LateCount(plant, &latest) < 2)
        return timeout;
    return qMax(timeout, qMin(1000, latest + 50));
}

int TLink::QuietAfterTimeout(int plant, int waited) const { return d->QuietFor(plant, waited); }

void TLink::ForgetLateAnswers()
{
    d->timing.fill({});
}

int ReplyTimeoutFor(int plant, int timeout)
{
    return TheLink ? TheLink->PlantTimeout(plant, timeout) : timeout;
}

void OpenLinkFromSettings(const std::function<int(const QString &, const QString &, int)> &readInteger)
{
    int n = readInteger ? readInteger(QStringLiteral("COM"), QStringLiteral("COM"), 1) : 1;
    if (n < 0 || n > 0xFFFF)
        n = 0;                  // cannot be a port: fails visibly instead of wrapping
    LinkValues().ComNumber = quint16(n);
    OpenLink();
}

void OpenLink()
{
    if (TheLink)
        TheLink->OpenLink();
    else
        LinkValues().LinkOpen = false;
}

// Builds and writes one frame. With mayWait the caller waits for the line first;
// the poll asks LineFree itself and never waits.
void TLink::WriteFrame(int plant, int command, std::initializer_list<quint16> params, bool mayWait)
{
    LinkValues().ReplyCode = 0;
    if (plant < 1 || plant > Plants().PlantCount || plant > MaxPlants)
        return;
    if (command == cmdNone || command > cmdReadClock
        || (command == cmdReadLive && !(Plants().PlantTable[plant].Present && Plants().PlantTable[plant].Running))) {
        LinkValues().AddressedPlant = quint8(plant);
        if (AwaitsReply(command))
            LinkValues().RxBuffer.clear();
        return;
    }
    QByteArray frame;
    frame.reserve(12);
    frame.append(char(quint8(plant)));
    frame.append(CommandChars[command]);
    if (command >= cmdSetTime && command <= cmdSetO2Limits) {
        int count = 0, width = 0;
        if (command <= cmdSetDate) { count = 3; width = 2; }
        else if (command <= cmdSetIntervalOff) { count = 1; width = 4; }
        else { count = 2; width = 4; }
        auto it = params.begin();
        for (int i = 0; i < count; ++i) {
            const quint16 v = it != params.end() ? *it++ : 0;   // missing values count as 0
            AppendPadded(frame, v, width);
        }
    }
    const bool canSend = LinkValues().LinkOpen && d->port;
    if (canSend && mayWait)
        AcquireLine(plant, command);
    // Set after the wait: what ran meanwhile may have sent frames of its own.
    LinkValues().ReplyCode = 0;
    LinkValues().AddressedPlant = quint8(plant);
    if (AwaitsReply(command))
        LinkValues().RxBuffer.clear();       // leftovers of earlier replies must not answer this one
    if (!canSend || !LinkValues().LinkOpen || !d->port)
        return;
    const qint64 now = d->Now();
    if (d->guardDue) {
        d->guardDue = false;
        LinkValues().RxBuffer.clear();
    }
    NoteSent(frame);
    LinkValues().AwaitedReply = AwaitsReply(command) ? quint8(command) : quint8(cmdNone);
    if (AwaitsReply(command)) {
        SentFrame f;
        f.plant = plant;
        f.command = command;
        f.at = now;
        f.base = d->nextTimeout >= 0 ? d->nextBase : LinkValues().BaseTimeout;
        f.timeout = d->nextTimeout >= 0 ? d->nextTimeout : PlantTimeout(plant, LinkValues().BaseTimeout);
        f.expires = now + f.timeout;
        d->sent.push_back(f);
        if (d->sent.size() > 32)
            d->sent.pop_front();
    }
    d->nextTimeout = -1;
    d->port->WriteBytes(frame);
    FrameWritten(AwaitsReply(command) ? command : cmdNone);
}

void TLink::SetNextTimeout(int ms, int asked)
{
    d->nextTimeout = ms;
    d->nextBase = asked;
}

void SendCommand(int plant, TCommand command, std::initializer_list<quint16> params)
{
    if (TheLink) {
        TheLink->WriteFrame(plant, command, params, true);
        return;
    }
    LinkValues().ReplyCode = 0;
    if (plant < 1 || plant > Plants().PlantCount || plant > MaxPlants)
        return;
    LinkValues().AddressedPlant = quint8(plant);
    if (AwaitsReply(command))
        LinkValues().RxBuffer.clear();
}

bool SendAndWait(int timeout, int plant, TCommand command)
{
    const int given = ReplyTimeoutFor(plant, timeout);
    if (TheLink)
        TheLink->SetNextTimeout(given, timeout);
    SendCommand(plant, command);
    if (TheLink)
        TheLink->SetNextTimeout(-1);
    StartReplyWait(given);
    bool answered = false;
    if (TheLink) {
        answered = TheLink->WaitFor(command);
    } else if (QCoreApplication::instance() && timeout > 0) {
        // No link: nothing was sent, so only the time-out can end the wait.
        QEventLoop loop;
        QTimer::singleShot(timeout, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EndReplyWait();
    LinkValues().ReplyTimedOut = !answered;
    return answered;
}

bool AwaitLateReply(int timeout, TCommand command)
{
    bool answered = LinkValues().ReplyCode == command;      // completed after the wait ended
    if (!answered && TheLink && timeout > 0) {
        LinkValues().AwaitedReply = command;                 // nothing was sent since: still its reply
        StartReplyWait(timeout);
        answered = TheLink->WaitFor(command);
        EndReplyWait();
    }
    LinkValues().ReplyTimedOut = !answered;
    return answered;
}

void StartReplyWait(int timeout)
{
    LinkValues().ReplyTimedOut = false;
    if (TheLink)
        TheLink->Timeout1()->setInterval(qMax(timeout, 0));
}

void EndReplyWait()
{
    // An outer wait (a handler that waited inside a wait) keeps its timer.
    if (TheLink && !TheLink->WaitActive()) {
        TheLink->Timeout1()->stop();
        TheLink->Timeout1()->setInterval(0);
    }
}

void StartPolling()
{
    if (TheLink)
        TheLink->StartTimer();
}

void StopPolling()
{
    if (TheLink)
        TheLink->StopTimer();
}
