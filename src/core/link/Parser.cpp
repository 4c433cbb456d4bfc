#include "link/Parser.h"
#include "link/Link.h"

#include "base/Numbers.h"
#include "base/TextCodec.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr char Sep = ';';

// True when RxBuffer holds at least n separators. Stops at the n-th one, so a
// complete reply at the front costs only its own length however much follows.
bool HasSeparators(int n)
{
    if (n <= 0)
        return true;
    const char *p = LinkValues().RxBuffer.constData();
    const char *end = p + LinkValues().RxBuffer.size();
    while (p < end) {
        const void *hit = memchr(p, Sep, size_t(end - p));
        if (!hit)
            return false;
        if (--n == 0)
            return true;
        p = static_cast<const char *>(hit) + 1;
    }
    return false;
}

// Line text is single-byte Windows-1252, decoded by the same codec as the files.
QString LineText(const QByteArray &bytes)
{
    return DecodeWindows1252(bytes);
}

// Takes one field and converts it. Returns false when the field is missing or is
// not a decimal integer; a missing field leaves the target alone.
bool TakeNumber(qint32 &value)
{
    QByteArray field;
    if (!TakeField(field))
        return false;
    qint32 v = 0;
    if (!ConvertField(field, v))
        return false;
    value = v;
    return true;
}

void DropFront(qsizetype n)
{
    LinkValues().RxBuffer.remove(0, n);
}

void ParseSetup()
{
    qint32 *const targets[9] = {&LinkValues().PlantSetup.Speicher, &LinkValues().PlantSetup.IntEin, &LinkValues().PlantSetup.IntAus,
                                &LinkValues().PlantSetup.O2Ein,    &LinkValues().PlantSetup.O2Aus,  &LinkValues().PlantSetup.NotEin,
                                &LinkValues().PlantSetup.NotAus,   &LinkValues().PlantSetup.MaxEin, &LinkValues().PlantSetup.MaxAus};
    for (qint32 *target : targets) {
        if (!TakeNumber(*target)) {
            LinkValues().ReplyCode = 0;
            return;
        }
    }
    LinkValues().ReplyCode = cmdReadSetup;
    LinkValues().PlantSetup.Valid = 1;
}

} // namespace

bool ConvertField(const QByteArray &field, qint32 &value)
{
    return ParseInt32(field, value);
}

int CountSeparators()
{
    return int(LinkValues().RxBuffer.count(Sep));
}

bool TakeField(QByteArray &field)
{
    const qsizetype size = LinkValues().RxBuffer.size();
    const char *data = LinkValues().RxBuffer.constData();
    qsizetype start = 0;
    while (start < size && data[start] == Sep)
        ++start;
    if (start == size)
        return false;
    const qsizetype next = LinkValues().RxBuffer.indexOf(Sep, start);
    if (next < 0 || next == size - 1) {
        const qsizetype end = next < 0 ? size : next;
        field = LinkValues().RxBuffer.mid(start, end - start);
        LinkValues().RxBuffer.clear();
        return true;
    }
    field = LinkValues().RxBuffer.mid(start, next - start);
    DropFront(next);        // the separator stays at the front
    return true;
}

void DecodeTemperatures(TLiveValues &record)
{
    record.Valid = 1;
    qint32 *const targets[5] = {&record.T5, &record.T4, &record.T3, &record.T2, &record.T1};
    for (qint32 *target : targets) {
        QByteArray field;
        if (!TakeField(field)) {
            record.Valid = 0;   // the reply ran out of fields: incomplete
            continue;
        }
        qint32 v = 0;
        if (ConvertField(field, v))
            *target = v / 10;   // tenths of a degree, truncated toward zero
        else
            record.Valid = 0;
    }
    if (record.Valid)
        ComputeRefDepth(record);
}

void DecodeO2AndMode(TLiveValues &record)
{
    qint32 mode = 0;
    if (!TakeNumber(record.O2) || !TakeNumber(mode)) {
        record.Valid = 0;
        return;
    }
    record.Betriebsart = quint8(mode);
}

void DecodeFanFlag(TLiveValues &record)
{
    QByteArray field;
    if (!TakeField(field)) {
        record.FanOn = 0;
        record.Valid = 0;
        return;
    }
    record.FanOn = (!field.isEmpty() && field.at(0) == '1') ? 1 : 0;
}

void DecodeAux(TLiveValues &record)
{
    qint32 aux = 0;
    if (!TakeNumber(aux)) {
        record.Valid = 0;
        return;
    }
    record.Aux = quint16(aux);
}

void DecodeStamp()
{
    QString *const targets[5] = {&LinkValues().StoredStamp.Minute, &LinkValues().StoredStamp.Hour, &LinkValues().StoredStamp.Day,
                                 &LinkValues().StoredStamp.Month, &LinkValues().StoredStamp.Year};
    for (int i = 0; i < 5; ++i) {
        QByteArray field;
        if (!TakeField(field)) {
            LinkValues().StoredValues.Valid = 0;
            return;
        }
        // Kept as text whatever it holds: the plant has handed the record over and
        // no longer has it, so a stamp that forms no date must still reach the file
        // (the readers see it as undated).
        QString text = LineText(field.left(10));
        if (i == 4)
            text = (QStringLiteral("20") + text).left(10);
        *targets[i] = text;
    }
}

void DecodeRunTimeAndCycles(TLiveValues &record)
{
    if (!TakeNumber(record.Luefterlaufzeit) || !TakeNumber(record.LuefterZyklen))
        record.Valid = 0;
}

// The command a reply letter answers, and where that reply ends in RxBuffer
// (0: not complete yet); cmdNone for bytes that start no reply.
int ReplyCommand(char letter)
{
    switch (letter) {
    case 'B': return cmdReadMode;
    case 'R': return cmdReadSetup;
    case 'S': return cmdReadState;
    case 'T': return cmdReadClock;
    case 'c': return cmdReadLive;
    case 'G': return cmdReadStored;
    case 'r': return cmdReadStoredCount;
    default: return cmdNone;
    }
}

qsizetype ReplyEnd(char letter)
{
    if (letter == 'T')
        return LinkValues().RxBuffer.size() >= 30 ? 30 : 0;
    int n = 0;
    switch (letter) {
    case 'B': case 'r': n = 1; break;
    case 'S': n = 2; break;
    case 'R': n = 9; break;
    case 'c': n = 11; break;
    case 'G': n = 15; break;
    default: return 1;
    }
    qsizetype at = 0;
    while (n-- > 0) {
        at = LinkValues().RxBuffer.indexOf(Sep, at);
        if (at < 0)
            return 0;
        ++at;
    }
    return at;
}

void ParseReceived(const QByteArray &text)
{
    LinkValues().RxBuffer.append(text);
    while (!LinkValues().RxBuffer.isEmpty()) {
        const char letter = LinkValues().RxBuffer.at(0);
        const int answers = ReplyCommand(letter);
        if (answers != cmdNone && LinkValues().AwaitedReply != AnyReply && LinkValues().AwaitedReply != answers) {
            // A reply to a frame that timed out, or to someone else: it must not
            // land in the tables of the plant asked now.
            const qsizetype end = ReplyEnd(letter);
            if (end == 0)
                return;
            DropFront(end);
            ++LinkValues().StrayReplies;
            LinkValues().LastStrayReply = quint8(answers);
            continue;
        }
        switch (letter) {
        case 'B': {
            if (!HasSeparators(1))
                return;
            DropFront(1);
            QByteArray field;
            if (TakeField(field)) {
                qint32 v = 0;
                if (ConvertField(field, v) && LinkValues().AddressedPlant <= MaxPlants) {
                    Plants().PlantTable[LinkValues().AddressedPlant].Mode = quint8(v);
                    LinkValues().ReplyCode = cmdReadMode;
                } else {
                    LinkValues().ReplyCode = 0;
                }
            }
            break;
        }
        case 'R':
            if (!HasSeparators(9))
                return;
            DropFront(1);
            ParseSetup();
            break;
        case 'S': {
            if (!HasSeparators(2))
                return;
            DropFront(1);
            qint32 mem = 0, running = 0;
            const bool ok = TakeNumber(mem) && TakeNumber(running);
            if (LinkValues().AddressedPlant > MaxPlants) {
                LinkValues().ReplyCode = 0;
                break;
            }
            TAnlageParameter &slot = Plants().PlantTable[LinkValues().AddressedPlant];
            if (ok) {
                slot.MemStatus = quint8(mem);
                slot.Running = quint8(running);
                LinkValues().ReplyCode = cmdReadState;
            } else {
                slot.MemStatus = 0;
                slot.Running = 0;
                LinkValues().ReplyCode = 0;
            }
            break;
        }
        case 'T':
            if (LinkValues().RxBuffer.size() < 30)
                return;
            LinkValues().ClockText = LineText(LinkValues().RxBuffer.left(30));
            DropFront(30);
            LinkValues().ReplyCode = cmdReadClock;
            break;
        case 'c':
            if (!HasSeparators(11))
                return;
            DropFront(1);
            DecodeTemperatures(LinkValues().PollReply);
            DecodeO2AndMode(LinkValues().PollReply);
            DecodeFanFlag(LinkValues().PollReply);
            DecodeAux(LinkValues().PollReply);
            DecodeRunTimeAndCycles(LinkValues().PollReply);
            if (LinkValues().PollReply.Valid) {
                LinkValues().PollReply.MissCount = 0;
                LinkValues().ReplyCode = cmdReadLive;
            }
            break;
        case 'G':
            if (!HasSeparators(15))
                return;
            DropFront(1);
            DecodeTemperatures(LinkValues().StoredValues);
            DecodeO2AndMode(LinkValues().StoredValues);
            DecodeAux(LinkValues().StoredValues);
            DecodeStamp();
            DecodeRunTimeAndCycles(LinkValues().StoredValues);
            if (LinkValues().StoredValues.Valid) {
                LinkValues().ReplyCode = cmdReadStored;
                LinkValues().StoredValues.MissCount = 0;
            }
            break;
        case 'r': {
            if (!HasSeparators(1))
                return;
            DropFront(1);
            QByteArray field;
            if (TakeField(field)) {
                qint32 v = 0;
                if (ConvertField(field, v)) {
                    LinkValues().StoredCount = v;
                    LinkValues().ReplyCode = cmdReadStoredCount;
                } else {
                    LinkValues().ReplyCode = 0;
                }
            }
            break;
        }
        default: {
            // Noise, echoes, line ends, separators left over: drop the whole run
            // up to the next reply letter in one step.
            const char *data = LinkValues().RxBuffer.constData();
            const qsizetype size = LinkValues().RxBuffer.size();
            qsizetype n = 1;
            while (n < size) {
                const char c = data[n];
                if (c == 'B' || c == 'R' || c == 'S' || c == 'T' || c == 'c' || c == 'G' || c == 'r')
                    break;
                ++n;
            }
            DropFront(n);
            break;
        }
        }
        if (LinkValues().AwaitedReply != AnyReply && LinkValues().ReplyCode != 0 && LinkValues().ReplyCode == LinkValues().AwaitedReply)
            LinkValues().AwaitedReply = cmdNone;     // answered: a second copy is nobody's
    }
}
