#include "plantsim/Frame.h"

namespace plantsim {

QByteArray Frame::Bytes() const
{
    QByteArray b;
    b += char(plant);
    if (command)
        b += command;
    b += digits;
    return b;
}

int FrameDecoder::DigitsFor(char command)
{
    switch (command) {
    case 'B': case 'R': case 'e': case 'o': case 'T': case 'q': case 'A':
    case 'r': case 'F': case 'S': case 'c': case 'G': case '6':
        return 0;
    case 'Z': case 'D':
        return 6;
    case 'I': case 'E': case 'O':
        return 4;
    case 'n': case 'N': case 'p':
        return 8;
    }
    return -1;
}

void FrameDecoder::Cut(std::vector<QByteArray> &cut)
{
    if (state_ != State::Idle)
        cut.push_back(partial_.Bytes());
    state_ = State::Idle;
    partial_ = Frame();
}

void FrameDecoder::Expire(qint64 nowNs, std::vector<QByteArray> &cut)
{
    if (state_ != State::Idle && nowNs - lastByteNs_ > gapNs_)
        Cut(cut);
}

void FrameDecoder::Feed(const QByteArray &bytes, qint64 nowNs, std::vector<Frame> &frames,
                        std::vector<QByteArray> &cut)
{
    Expire(nowNs, cut);
    for (char ch : bytes) {
        const auto b = quint8(ch);
        const bool plantByte = b >= 1 && b <= 32;   // never a command character or digit
        switch (state_) {
        case State::Idle:
            if (plantByte) {
                partial_ = Frame();
                partial_.plant = b;
                state_ = State::Command;
            }
            break;   // anything else between frames is line noise
        case State::Command:
            if (plantByte) {
                Cut(cut);
                partial_.plant = b;
                state_ = State::Command;
                break;
            }
            partial_.command = ch;
            need_ = DigitsFor(ch);
            if (need_ < 0) {
                partial_.known = false;
                frames.push_back(partial_);
                state_ = State::Idle;
            } else if (need_ == 0) {
                frames.push_back(partial_);
                state_ = State::Idle;
            } else {
                state_ = State::Digits;
            }
            break;
        case State::Digits:
            if (ch >= '0' && ch <= '9') {
                partial_.digits += ch;
                if (partial_.digits.size() == need_) {
                    frames.push_back(partial_);
                    state_ = State::Idle;
                }
            } else {
                Cut(cut);
                if (plantByte) {
                    partial_.plant = b;
                    state_ = State::Command;
                }
            }
            break;
        }
    }
    lastByteNs_ = nowNs;
}

} // namespace plantsim
