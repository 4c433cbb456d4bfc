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
    const char *p = RxBuffer.constData();
    const char *end = p + RxBuffer.size();
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
    RxBuffer.remove(0, n);
}

void ParseSetup()
{
    qint32 *const targets[9] = {&PlantSetup.Speicher, &PlantSetup.IntEin, &PlantSetup.IntAus,
                                &PlantSetup.O2Ein,    &PlantSetup.O2Aus,  &PlantSetup.NotEin,
                                &PlantSetup.NotAus,   &PlantSetup.MaxEin, &PlantSetup.MaxAus};
    for (qint32 *target : targets) {
        if (!TakeNumber(*target)) {
            ReplyCode = 0;
            return;
        }
    }
    ReplyCode = cmdReadSetup;
    PlantSetup.Valid = 1;
}

} // namespace

bool ConvertField(const QByteArray &field, qint32 &value)
{
    return ParseInt32(field, value);
}

int CountSeparators()
{
    return int(RxBuffer.count(Sep));
}

bool TakeField(QByteArray &field)
{
    const qsizetype size = RxBuffer.size();
    const char *data = RxBuffer.constData();
    qsizetype start = 0;
    while (start < size && data[start] == Sep)
        ++start;
    if (start == size)
        return false;
    const qsizetype next = RxBuffer.indexOf(Sep, start);
    if (next < 0 || next == size - 1) {
        const qsizetype end = next < 0 ? size : next;
        field = RxBuffer.mid(start, end - start);
        RxBuffer.clear();
        return true;
    }
    field = RxBuffer.mid(start, next - start);
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
    QString *const targets[5] = {&StoredStamp.Minute, &StoredStamp.Hour, &StoredStamp.Day,
                                 &StoredStamp.Month, &StoredStamp.Year};
    for (int i = 0; i < 5; ++i) {
        QByteArray field;
        if (!TakeField(field)) {
            StoredValues.Valid = 0;
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
        return RxBuffer.size() >= 30 ? 30 : 0;
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
        at = RxBuffer.indexOf(Sep, at);
        if (at < 0)
            return 0;
        ++at;
    }
    return at;
}

void ParseReceived(const QByteArray &text)
{
    RxBuffer.append(text);
    while (!RxBuffer.isEmpty()) {
        const char letter = RxBuffer.at(0);
        const int answers = ReplyCommand(letter);
        if (answers != cmdNone && AwaitedReply != AnyReply && AwaitedReply != answers) {
            // A reply to a frame that timed out, or to someone else: it must not
            // land in the tables of the plant asked now.
            const qsizetype end = ReplyEnd(letter);
            if (end == 0)
                return;
            DropFront(end);
            ++StrayReplies;
            LastStrayReply = quint8(answers);
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
                if (ConvertField(field, v) && AddressedPlant <= MaxPlants) {
                    PlantTable[AddressedPlant].Mode = quint8(v);
                    ReplyCode = cmdReadMode;
                } else {
                    ReplyCode = 0;
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
            if (AddressedPlant > MaxPlants) {
                ReplyCode = 0;
                break;
            }
            tAnlageParameter &slot = PlantTable[AddressedPlant];
            if (ok) {
                slot.MemStatus = quint8(mem);
                slot.Running = quint8(running);
                ReplyCode = cmdReadState;
            } else {
                slot.MemStatus = 0;
                slot.Running = 0;
                ReplyCode = 0;
            }
            break;
        }
        case 'T':
            if (RxBuffer.size() < 30)
                return;
            ClockText = LineText(RxBuffer.left(30));
            DropFront(30);
            ReplyCode = cmdReadClock;
            break;
        case 'c':
            if (!HasSeparators(11))
                return;
            DropFront(1);
            DecodeTemperatures(PollReply);
            DecodeO2AndMode(PollReply);
            DecodeFanFlag(PollReply);
            DecodeAux(PollReply);
            DecodeRunTimeAndCycles(PollReply);
            if (PollReply.Valid) {
                PollReply.MissCount = 0;
                ReplyCode = cmdReadLive;
            }
            break;
        case 'G':
            if (!HasSeparators(15))
                return;
            DropFront(1);
            DecodeTemperatures(StoredValues);
            DecodeO2AndMode(StoredValues);
            DecodeAux(StoredValues);
            DecodeStamp();
            DecodeRunTimeAndCycles(StoredValues);
            if (StoredValues.Valid) {
                ReplyCode = cmdReadStored;
                StoredValues.MissCount = 0;
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
                    StoredCount = v;
                    ReplyCode = cmdReadStoredCount;
                } else {
                    ReplyCode = 0;
                }
            }
            break;
        }
        default: {
            // Noise, echoes, line ends, separators left over: drop the whole run
            // up to the next reply letter in one step.
            const char *data = RxBuffer.constData();
            const qsizetype size = RxBuffer.size();
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
        if (AwaitedReply != AnyReply && ReplyCode != 0 && ReplyCode == AwaitedReply)
            AwaitedReply = cmdNone;     // answered: a second copy is nobody's
    }
}
