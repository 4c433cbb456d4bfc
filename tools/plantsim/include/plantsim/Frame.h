#pragma once
// Splits the host's byte stream into command frames: a plant byte 1..32, a command
// character and, for the set commands, a fixed number of digits.

#include <QByteArray>
#include <vector>

namespace plantsim {

struct Frame {
    int plant = 0;
    char command = 0;
    QByteArray digits;
    bool known = true;          // false: unknown command character (ignored)
    QByteArray Bytes() const;   // the frame as it was on the line
};

class FrameDecoder {
public:
    explicit FrameDecoder(qint64 gapNs = 50'000'000) : gapNs_(gapNs) {}

    // Number of parameter digits of a command, or -1 for an unknown command.
    static int DigitsFor(char command);

    // Feeds bytes received at nowNs. Complete frames go to frames; the bytes of
    // frames cut short (by a gap, a stray byte or a new plant byte) go to cut, one
    // entry per dropped frame.
    void Feed(const QByteArray &bytes, qint64 nowNs, std::vector<Frame> &frames, std::vector<QByteArray> &cut);
    // Drops an incomplete frame once the line was silent longer than the gap.
    void Expire(qint64 nowNs, std::vector<QByteArray> &cut);
    bool Pending() const { return state_ != State::Idle; }
    qint64 ExpiresAtNs() const { return lastByteNs_ + gapNs_; }

private:
    enum class State { Idle, Command, Digits };
    void Cut(std::vector<QByteArray> &cut);

    qint64 gapNs_;
    State state_ = State::Idle;
    Frame partial_;
    int need_ = 0;
    qint64 lastByteNs_ = 0;
};

} // namespace plantsim
