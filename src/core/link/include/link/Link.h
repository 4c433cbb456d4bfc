#pragma once
// The serial link: command frames, waiting for replies, the 500 ms live-value poll.
// The link alone sends on the half-duplex line (see "How the line is shared" in
// docs/development.md).
// One TLink exists while the program runs (owned by the main window); the free
// functions below act on it.

#include "link/LinkState.h"
#include "link/PlantTable.h"
#include "link/Port.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <memory>

extern const char CommandChars[];   // " BReoTqAZDIEOnNprFScG6", indexed by TCommand

int BaudForSpeedIndex(int index);

constexpr int ReopenIntervalMs = 3000;

class TLink : public QObject {
    Q_OBJECT
public:
    explicit TLink(QObject *parent = nullptr);
    ~TLink() override;

    static TLink *Instance();       // the one link, or nullptr

    // Replaces the port (tests plug in a LoopbackPort); the link owns it.
    void SetPort(std::unique_ptr<LinkPort> port);
    LinkPort *ComPort1() const;
    QTimer *LeseTimer();
    QTimer *Timeout1();

    void OpenLink();
    void CloseLink();               // stop polling, close the port (program end)
    // The line went away: every live value invalid, polling stopped, and the port
    // tried again every ReopenIntervalMs (skipped while an exchange runs).
    void LoseLine();
    void TryReopen();
    bool Reopening() const;
    void StartTimer();
    void StopTimer();

    void LeseTimerTimer();
    void Timeout1Timer();
    void ComPort1TriggerAvail(int count);
    // Remembers a frame just written, so that an adapter's echo of it is dropped.
    void NoteSent(const QByteArray &frame);
    // After a frame for `command` was written: tells the port how long its reply
    // usually is (what the line delivered until the last one was decoded).
    void FrameWritten(int command);

    // The wait behind SendAndWait: runs the event loop until a reply for
    // `command` was decoded or Timeout1 (armed with its current interval) fired.
    // Returns false on the time-out.
    bool WaitFor(int command);
    bool WaitActive() const;        // a SendAndWait is in progress

    // The line has one owner: a frame leaves only when no reply is due, none is
    // coming in and the quiet time after a time-out is over (a retry of the frame
    // that timed out need not wait for the quiet time). SendCommand waits for
    // that (AcquireLine, running the event loop); the poll asks LineFree and
    // waits for its next chance instead of sending.
    bool LineFree(int plant, int command);
    int LineFreeIn() const;         // ms until the line may be free (at least 1)
    void AcquireLine(int plant, int command);
    bool LineBusy() const;          // a wait, or a caller waiting for the line
    void WriteFrame(int plant, int command, std::initializer_list<quint16> params, bool mayWait = false);
    // The reply time-out of the next frame (-1: the plant's default), and the one
    // its caller asked for (a reply later than that is late).
    void SetNextTimeout(int ms, int asked = 0);

    // A plant that answered later than its time-out more than once among its
    // recent answers gets a longer one of its own: up to the latest delay seen
    // (+50 ms), at most 1000 ms, never shorter than `timeout`. Others get
    // `timeout`. Prompt answers push the late ones out again.
    int PlantTimeout(int plant, int timeout) const;
    // The quiet time after a frame to `plant` that was given `waited` ms ran out:
    // ReplyGuard, or what that plant's recent late answers needed.
    int QuietAfterTimeout(int plant, int waited) const;
    void ForgetLateAnswers();

    // One poll step (LeseTimerTimer, or later when the line was busy).
    void PollStep();

signals:
    // OpenLink's outcome for the main window: the status panel text (line breaks
    // as "\n"), and the failure message, emitted before the status text.
    void StatusText(const QString &text);
    void OpenFailed(const QString &message);
    // Every poll step, after LiveTable was updated (the live display may listen).
    void Polled();
    // The line was lost (false) or opened again by itself (true); after it is back
    // the plants are to be learned again.
    void LineStateChanged(bool open);
    // An address that was not present answered the poll's question (ProbeAbsentPlants);
    // emitted after the tick, outside any exchange.
    void AddressAnswered(int plant);

private:
    void CountMiss(int plant);
    struct Private;
    std::unique_ptr<Private> d;
};

// Reads ComNumber from the settings ([COM] COM, default 1) via the given reader,
// then OpenLink().
void OpenLinkFromSettings(const std::function<int(const QString &section, const QString &key, int def)> &readInteger);
void OpenLink();
// Builds and writes one frame, after waiting for the line to be free (a reply due
// to another frame, the quiet time after a time-out). Plants outside
// 1..PlantCount get nothing (ReplyCode is still reset); missing parameters count as 0.
void SendCommand(int plant, TCommand command, std::initializer_list<quint16> params = {0});
// Sends `command` and runs the event loop until its reply was decoded (true) or
// `timeout` ms passed (false, ReplyTimedOut set). Commands that draw no reply,
// cmdNone included, always end in the time-out. Without a TLink nothing is sent
// and the wait just times out.
bool SendAndWait(int timeout, int plant, TCommand command);
// After SendAndWait for `command` timed out: waits up to `timeout` ms more, sending
// nothing, for its reply to complete (a slow plant or line). True when it did; the
// reply then counts as that exchange's answer and ReplyTimedOut is cleared.
bool AwaitLateReply(int timeout, TCommand command);
void StartReplyWait(int timeout);
void EndReplyWait();
// The time-out SendAndWait gives `plant` instead of `timeout` (TLink::PlantTimeout).
int ReplyTimeoutFor(int plant, int timeout);
// The 500 ms poll of the one link (TLink::StartTimer / StopTimer); nothing without a link.
void StartPolling();
void StopPolling();
