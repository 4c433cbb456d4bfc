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

struct TLink::Private {
    std::unique_ptr<LinkPort> port;
    QTimer leseTimer;
    QTimer timeout1;
    QTimer reopenTimer;                 // while the line is lost
    QTimer probeRetry;                  // a second try of the slot's question
    std::vector<LinkWaitFrame *> waits;
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

    // Late replies: after a time-out the line is kept quiet before the next frame.
    QElapsedTimer clock;                // monotonic, for the times below
    qint64 sentAt = 0;                  // the last frame
    qint64 quietSince = 0;              // the time-out or the last dropped byte
    bool guardDue = false;
    int timedOutPlant = 0, timedOutCommand = cmdNone;
    int timedOutAfter = 0;              // ms the wait that ran out had
    struct TimedOut { int plant; int command; qint64 sentAt; };
    std::deque<TimedOut> timedOut;      // recent frames whose wait ran out
    int learnedGuard = 0;               // ms, from replies seen later than the guard
    // Plants that answered after their time-out: how often, and the latest delay.
    std::array<quint8, MaxPlants + 1> lateAnswers{};
    std::array<quint16, MaxPlants + 1> lateDelay{};
    int probedPlant = 0;                // an absent address asked by the last poll tick
    bool probeTimed = false;            // its answer's delay was looked at
    bool probing = false;               // the frame going out is such a question
    // Bytes the line delivered from a frame until its reply was decoded, per
    // command: the last two replies' (the shorter counts, so one reply that had a
    // stray byte before it makes none wait longer than its own length).
    std::array<int, 32> replyBytes{}, lastReplyBytes{};
    int rxSinceSend = 0;
    int sentCommand = cmdNone;
    bool replyLearned = true;
    void NoteLate(int plant, qint64 delay);
    void NoteTimeout(int plant, int command, int waited);
    void NoteStray(int command);
    void KeepQuiet(int plant, int command);
};

void TLink::Private::NoteTimeout(int plant, int command, int waited)
{
    LinkValues().AwaitedReply = cmdNone;
    timedOutAfter = waited;
    guardDue = true;
    timedOutPlant = plant;
    timedOutCommand = command;
    quietSince = clock.elapsed();
    timedOut.push_back({plant, command, sentAt});
    if (timedOut.size() > 8)
        timedOut.pop_front();
}

// A reply (of `command`, or cmdNone when unknown) that nobody waited for: a plant
// answers later than its time-out. The guard grows to cover that: from the newest
// frame that could have drawn it, which for a retried frame is the retry, so the
// figure is what the quiet time after the retry's time-out needs.
void TLink::Private::NoteStray(int command)
{
    const qint64 now = clock.elapsed();
    if (guardDue)
        quietSince = now;
    for (auto it = timedOut.rbegin(); it != timedOut.rend(); ++it) {
        if (command != cmdNone && it->command != command)
            continue;
        if (now - it->sentAt <= 3000) {
            learnedGuard = int(qMin<qint64>(2000, qMax<qint64>(learnedGuard, now - it->sentAt + 50)));
            NoteLate(it->plant, now - it->sentAt);
        }
        break;
    }
}

void TLink::Private::NoteLate(int plant, qint64 delay)
{
    if (plant < 1 || plant > MaxPlants)
        return;
    if (lateAnswers[plant] < 255)
        ++lateAnswers[plant];
    lateDelay[plant] = quint16(qMax<qint64>(lateDelay[plant], qMin<qint64>(delay, 60000)));
}

void TLink::Private::KeepQuiet(int plant, int command)
{
    if (!guardDue)
        return;
    // A retry of the frame that timed out may take its late answer: that is its own.
    if (plant == timedOutPlant && command == timedOutCommand)
        return;
    guardDue = false;
    // Never longer than the plant was given to answer, unless replies were seen late.
    const int guard = qMax<int>(qMin<int>(LinkValues().ReplyGuard, timedOutAfter), learnedGuard);
    QElapsedTimer total;
    total.start();
    const qint64 cap = qMax<qint64>(4LL * guard, 500);
    while (QCoreApplication::instance()) {
        const qint64 left = guard - (clock.elapsed() - quietSince);
        if (left <= 0 || total.elapsed() >= cap)
            break;
        QEventLoop loop;
        QTimer::singleShot(int(qMin(left, cap - total.elapsed())), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        if (loop.exec() == -1)
            break;              // the application quits
    }
    LinkValues().RxBuffer.clear();
    timedOutCommand = cmdNone;
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
        if (plant != 0 && LinkValues().ReplyCode != cmdReadMode && d->leseTimer.isActive() && !WaitActive())
            SendCommand(plant, cmdReadMode);
    });
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
    if (WaitActive() || PollPause::Active())
        return;
    d->port->SetPortNumber(LinkValues().ComNumber);
    d->port->SetBaudRate(BaudForSpeedIndex(LinkValues().SpeedIndex));
    if (!d->port->PortExists(LinkValues().ComNumber) || !d->port->Open())
        return;
    d->reopenTimer.stop();
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
}

void TLink::LeseTimerTimer()
{
    if (d->port)
        d->port->TakeGathered();    // the last poll's reply, all of it
    int answered = 0;
    if (d->probedPlant != 0) {
        if (LinkValues().ReplyCode == cmdReadMode && LinkValues().AddressedPlant == d->probedPlant)
            answered = d->probedPlant;
        d->probedPlant = 0;
    }
    if (LinkValues().PollPlant >= 1 && LinkValues().PollPlant <= MaxPlants) {
        TLiveValues &e = Plants().LiveTable[LinkValues().PollPlant];
        const TAnlageParameter &slot = Plants().PlantTable[LinkValues().PollPlant];
        if (LinkValues().ReplyCode == cmdReadLive && slot.Present && slot.Running && LinkValues().PollReply.Valid) {
            e = LinkValues().PollReply;
            e.StampMs = LinkClockMs();
        } else {
            ++e.MissCount;
            if (e.MissCount >= 5) {
                e.MissCount = 4;
                e.Valid = 0;
            }
        }
    }
    ++LinkValues().PollPlant;
    if (LinkValues().PollPlant > Plants().PlantCount || LinkValues().PollPlant > MaxPlants)
        LinkValues().PollPlant = 1;
    // An address that has not answered uses its own slot of the cycle, which would
    // otherwise stay idle, to be asked again: a plant missed at discovery (a lost
    // reply, a slow plant) is found without slowing the poll of the others.
    if (LinkValues().ProbeAbsentPlants && !Plants().PlantTable[LinkValues().PollPlant].Present) {
        d->probing = true;
        SendCommand(LinkValues().PollPlant, cmdReadMode);
        d->probing = false;
        if (LinkValues().AddressedPlant == LinkValues().PollPlant && LinkValues().AwaitedReply == cmdReadMode) {
            d->probedPlant = LinkValues().PollPlant;
            d->probeTimed = false;
            // Only where both tries and their answers fit into the slot.
            const int wait = qMax<int>(LinkValues().BaseTimeout, 20);
            if (3 * wait < d->leseTimer.interval())
                d->probeRetry.start(wait);
        }
    } else {
        SendCommand(LinkValues().PollPlant, cmdReadLive);
    }
    emit Polled();
    if (answered)
        emit AddressAnswered(answered);
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
    LinkValues().ReplyTimedOut = true;
    LinkWaitFrame *w = d->waits.back();
    d->NoteTimeout(LinkValues().AddressedPlant, w->command, d->timeout1.interval());
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
    if (LinkValues().AwaitedReply == cmdNone) {
        LinkValues().RxBuffer.clear();       // nobody asked: a late reply, or noise
        ++LinkValues().StrayReplies;
        d->NoteStray(cmdNone);
        return;
    }
    const quint32 strayBefore = LinkValues().StrayReplies;
    ParseReceived(text);
    if (LinkValues().StrayReplies != strayBefore)
        d->NoteStray(LinkValues().LastStrayReply);
    if (!d->replyLearned && LinkValues().ReplyCode == d->sentCommand) {
        d->replyLearned = true;
        const size_t c = d->sentCommand;
        d->lastReplyBytes[c] = d->replyBytes[c];
        d->replyBytes[c] = d->rxSinceSend;
    }
    // A probe answered later than a status read would have waited: a slow plant.
    if (d->probedPlant != 0 && LinkValues().ReplyCode == cmdReadMode && LinkValues().AddressedPlant == d->probedPlant
        && !d->probeTimed) {
        d->probeTimed = true;
        if (d->clock.elapsed() - d->sentAt > LinkValues().BaseTimeout)
            d->NoteLate(d->probedPlant, d->clock.elapsed() - d->sentAt);
    }
    if (!d->waits.empty()) {
        LinkWaitFrame *w = d->waits.back();
        if (w->command != cmdNone && LinkValues().ReplyCode == w->command && w->loop) {
            w->done = true;
            w->loop->quit();
        }
    }
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

void TLink::NoteLateAnswer(int plant)
{
    d->NoteLate(plant, d->clock.elapsed() - d->sentAt);
}

int TLink::PlantTimeout(int plant, int timeout) const
{
    if (plant < 1 || plant > MaxPlants || d->lateAnswers[plant] < 2)
        return timeout;
    // Up to the latest delay seen (with a little room), never beyond a second.
    return qMax(timeout, qMin(1000, d->lateDelay[plant] + 50));
}

void TLink::ForgetLateAnswers()
{
    d->lateAnswers.fill(0);
    d->lateDelay.fill(0);
}

int ReplyTimeoutFor(int plant, int timeout)
{
    return TheLink ? TheLink->PlantTimeout(plant, timeout) : timeout;
}

void TLink::BeforeFrame(int previousPlant, int plant, int command)
{
    // Whatever the port let gather belongs before this frame, as it would have
    // been read byte by byte (and the quiet time below must see it).
    if (d->port)
        d->port->TakeGathered();
    // A request still unanswered when the next frame goes out (a poll) has timed out.
    if (LinkValues().AwaitedReply != cmdNone && LinkValues().AwaitedReply != AnyReply)
        d->NoteTimeout(previousPlant, LinkValues().AwaitedReply, d->leseTimer.interval());
    // A question to an absent address does not wait for the line to be quiet: a late
    // reply of another command is dropped as stray, and an answer is only taken as
    // a plant once LearnPlant's own exchanges confirm it. The quiet time stays due.
    if (!d->probing)
        d->KeepQuiet(plant, command);
    d->sentAt = d->clock.elapsed();
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

void SendCommand(int plant, TCommand command, std::initializer_list<quint16> params)
{
    LinkValues().ReplyCode = 0;
    if (plant < 1 || plant > Plants().PlantCount || plant > MaxPlants)
        return;
    const int previousPlant = LinkValues().AddressedPlant;
    LinkValues().AddressedPlant = quint8(plant);
    if (AwaitsReply(command))
        LinkValues().RxBuffer.clear();       // leftovers of earlier replies must not answer this one
    if (command == cmdNone || command > cmdReadClock)
        return;
    if (command == cmdReadLive && !(Plants().PlantTable[plant].Present && Plants().PlantTable[plant].Running))
        return;

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
    if (!LinkValues().LinkOpen || !TheLink || !TheLink->ComPort1())
        return;
    TheLink->BeforeFrame(previousPlant, plant, command);
    TheLink->NoteSent(frame);
    LinkValues().AwaitedReply = AwaitsReply(command) ? quint8(command) : quint8(cmdNone);
    TheLink->ComPort1()->WriteBytes(frame);
    TheLink->FrameWritten(AwaitsReply(command) ? command : cmdNone);
}

bool SendAndWait(int timeout, int plant, TCommand command)
{
    SendCommand(plant, command);
    StartReplyWait(ReplyTimeoutFor(plant, timeout));
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
        if (answered)
            TheLink->NoteLateAnswer(LinkValues().AddressedPlant);
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
