// The reply parser against an independent model of the reply rules. From the input
// a line is built of well-formed replies (every reply letter, fields in range and
// out of it) with noise between them, fed to the parser in random pieces; the
// tables must then hold exactly what the model says, field by field. The raw input
// is fed as well, where only the general invariants must hold.

#include "link/Link.h"
#include "link/Parser.h"
#include "link/PlantTable.h"

#include "FuzzDriver.h"

namespace {

constexpr int kPlant = 5;

struct Model {
    bool haveMode = false, haveState = false, haveCount = false, haveLive = false, haveStored = false,
         haveSetup = false, haveClock = false;
    qint32 mode = 0, mem = 0, running = 0, count = 0;
    qint32 live[11] = {}, stored[10] = {}, setup[9] = {};
    QByteArray fan, stamp[5], clock;
    int lastCode = 0;
};

QByteArray Num(qint32 v) { return QByteArray::number(v); }

// Noise never holds a reply letter or a separator (it would start or end a reply).
QByteArray Noise(fuzz::Bytes &in)
{
    static const char pool[] = "\r\n \t0123456789xyzAZ-+.:\x01\x7f\xe4";
    QByteArray n;
    for (int i = in.Pick(4); i > 0; --i)
        n += pool[in.Pick(int(sizeof pool) - 1)];
    return n;
}

QByteArray Reply(fuzz::Bytes &in, Model &m)
{
    QByteArray r;
    switch (in.Pick(7)) {
    case 0:
        m.mode = in.Int();
        m.haveMode = true;
        m.lastCode = cmdReadMode;
        return "B" + Num(m.mode) + ';';
    case 1:
        m.mem = in.Int();
        m.running = in.Int();
        m.haveState = true;
        m.lastCode = cmdReadState;
        return "S" + Num(m.mem) + ';' + Num(m.running) + ';';
    case 2:
        m.count = in.Int();
        m.haveCount = true;
        m.lastCode = cmdReadStoredCount;
        return "r" + Num(m.count) + ';';
    case 3:
        r = "c";
        for (int i = 0; i < 11; ++i) {
            if (i == 7) {
                m.fan = QByteArray(1, "01x"[in.Pick(3)]);
                r += m.fan + ';';
                continue;
            }
            m.live[i] = in.Int();
            r += Num(m.live[i]) + ';';
        }
        m.haveLive = true;
        m.lastCode = cmdReadLive;
        return r;
    case 4: {
        r = "G";
        int v = 0;
        for (int i = 0; i < 15; ++i) {
            if (i >= 8 && i < 13) {
                static constexpr int lowest[5] = {0, 0, 1, 1, 0}, span[5] = {60, 24, 31, 12, 100};
                m.stamp[i - 8] = QByteArray::number(lowest[i - 8] + in.Pick(span[i - 8])).rightJustified(2, '0');
                r += m.stamp[i - 8] + ';';
                continue;
            }
            m.stored[v] = in.Int();
            r += Num(m.stored[v++]) + ';';
        }
        m.haveStored = true;
        m.lastCode = cmdReadStored;
        return r;
    }
    case 5:
        r = "R";
        for (qint32 &s : m.setup) {
            s = in.Int();
            r += Num(s) + ';';
        }
        m.haveSetup = true;
        m.lastCode = cmdReadSetup;
        return r;
    default:
        m.clock = "TZeit: " + QByteArray::number(10 + in.Pick(14)) + ":0" + QByteArray::number(in.Pick(10)) + ":00 Datum:0"
                  + QByteArray::number(1 + in.Pick(9)) + ".12.26";
        m.haveClock = true;
        m.lastCode = cmdReadClock;
        return m.clock;
    }
}

void CheckTemps(const TLiveValues &v, const qint32 *f)
{
    FUZZ_CHECK(v.T5 == f[0] / 10 && v.T4 == f[1] / 10 && v.T3 == f[2] / 10 && v.T2 == f[3] / 10 && v.T1 == f[4] / 10);
}

int Target(fuzz::Bytes &in)
{
    ResetLinkTables();
    LinkValues().AwaitedReply = AnyReply;
    LinkValues().AddressedPlant = kPlant;
    const bool raw = in.Pick(4) == 0;
    if (raw) {
        const QByteArray bytes = in.Rest();
        ParseReceived(bytes);
        FUZZ_CHECK(LinkValues().RxBuffer.size() <= bytes.size());
        FUZZ_CHECK(LinkValues().ReplyCode == 0 || LinkValues().ReplyCode == cmdReadMode || LinkValues().ReplyCode == cmdReadSetup || LinkValues().ReplyCode == cmdReadState
                   || LinkValues().ReplyCode == cmdReadClock || LinkValues().ReplyCode == cmdReadLive || LinkValues().ReplyCode == cmdReadStored
                   || LinkValues().ReplyCode == cmdReadStoredCount);
        for (int n = 1; n <= MaxPlants; ++n)
            FUZZ_CHECK(n == kPlant || (Plants().PlantTable[n].Mode == 0 && Plants().PlantTable[n].Running == 0));
        return 0;
    }
    Model m;
    QByteArray line = Noise(in);
    for (int replies = 1 + in.Pick(6); replies > 0 && in.More(); --replies)
        line += Reply(in, m) + Noise(in);
    // Noise at the end may hold digits that would lengthen nothing; the line ends on
    // a complete reply so that everything is decoded.
    qsizetype at = 0;
    while (at < line.size()) {
        const qsizetype piece = 1 + in.Pick(40);
        ParseReceived(line.mid(at, piece));
        at += piece;
    }
    const TAnlageParameter &p = Plants().PlantTable[kPlant];
    if (m.haveMode)
        FUZZ_CHECK(p.Mode == quint8(m.mode));
    if (m.haveState)
        FUZZ_CHECK(p.MemStatus == quint8(m.mem) && p.Running == quint8(m.running));
    if (m.haveCount)
        FUZZ_CHECK(LinkValues().StoredCount == m.count);
    if (m.haveLive) {
        CheckTemps(LinkValues().PollReply, m.live);
        FUZZ_CHECK(LinkValues().PollReply.O2 == m.live[5] && LinkValues().PollReply.Betriebsart == quint8(m.live[6]));
        FUZZ_CHECK(LinkValues().PollReply.FanOn == (m.fan == "1" ? 1 : 0));
        FUZZ_CHECK(LinkValues().PollReply.Aux == quint16(m.live[8]) && LinkValues().PollReply.Luefterlaufzeit == m.live[9]
                   && LinkValues().PollReply.LuefterZyklen == m.live[10] && LinkValues().PollReply.Valid == 1);
    }
    if (m.haveStored) {
        CheckTemps(LinkValues().StoredValues, m.stored);
        FUZZ_CHECK(LinkValues().StoredValues.O2 == m.stored[5] && LinkValues().StoredValues.Betriebsart == quint8(m.stored[6])
                   && LinkValues().StoredValues.Aux == quint16(m.stored[7]) && LinkValues().StoredValues.Luefterlaufzeit == m.stored[8]
                   && LinkValues().StoredValues.LuefterZyklen == m.stored[9]);
        FUZZ_CHECK(LinkValues().StoredStamp.Minute == QLatin1String(m.stamp[0]) && LinkValues().StoredStamp.Hour == QLatin1String(m.stamp[1])
                   && LinkValues().StoredStamp.Day == QLatin1String(m.stamp[2]) && LinkValues().StoredStamp.Month == QLatin1String(m.stamp[3])
                   && LinkValues().StoredStamp.Year == QLatin1String("20" + m.stamp[4]));
    }
    if (m.haveSetup) {
        const TPlantSetup &s = LinkValues().PlantSetup;
        const qint32 got[9] = {s.Speicher, s.IntEin, s.IntAus, s.O2Ein, s.O2Aus, s.NotEin, s.NotAus, s.MaxEin, s.MaxAus};
        for (int i = 0; i < 9; ++i)
            FUZZ_CHECK(got[i] == m.setup[i]);
    }
    if (m.haveClock)
        FUZZ_CHECK(LinkValues().ClockText == QLatin1String(m.clock));
    if (m.lastCode)
        FUZZ_CHECK(LinkValues().ReplyCode == m.lastCode);
    return 0;
}

} // namespace

int main(int argc, char **argv) { return fuzz::Run("parser", argc, argv, Target); }
