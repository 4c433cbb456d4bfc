#include "plantsim/Options.h"

#include <QLocale>
#include <algorithm>

namespace plantsim {

namespace {

bool ToInt(const QString &s, int &v, int lo, int hi)
{
    bool ok = false;
    v = s.trimmed().toInt(&ok);
    return ok && v >= lo && v <= hi;
}

bool ToDouble(const QString &s, double &v, double lo, double hi)
{
    bool ok = false;
    v = QLocale::c().toDouble(s.trimmed(), &ok);
    return ok && v >= lo && v <= hi;
}

// "LIST:REST" → list and rest; without a list part (no ':' or text before it is not
// a list) the whole text is rest and the list is all plants.
void SplitTarget(const QString &target, QString &list, QString &rest)
{
    const int colon = target.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        list = QStringLiteral("all");
        rest = target;
        return;
    }
    list = target.left(colon);
    rest = target.mid(colon + 1);
}

bool ApplyFault(const QString &nameValue, Faults &f, int *vanishMs, QString *error)
{
    const int eq = nameValue.indexOf(QLatin1Char('='));
    const QString name = (eq < 0 ? nameValue : nameValue.left(eq)).trimmed().toLower();
    const QString value = eq < 0 ? QString() : nameValue.mid(eq + 1);
    const bool has = eq >= 0;
    auto bad = [&](const QString &what) {
        *error = QStringLiteral("--fault %1: %2").arg(nameValue, what);
        return false;
    };
    if (name == QLatin1String("drop")) {
        if (!ToDouble(has ? value : QStringLiteral("1"), f.dropProbability, 0.0, 1.0))
            return bad(QStringLiteral("probability 0..1 expected"));
    } else if (name == QLatin1String("corrupt")) {
        if (!ToDouble(has ? value : QStringLiteral("1"), f.corruptProbability, 0.0, 1.0))
            return bad(QStringLiteral("probability 0..1 expected"));
    } else if (name == QLatin1String("fragment")) {
        f.fragment = true;
    } else if (name == QLatin1String("noise")) {
        if (!ToInt(has ? value : QStringLiteral("8"), f.noiseBytes, 1, 1000))
            return bad(QStringLiteral("byte count 1..1000 expected"));
    } else if (name == QLatin1String("late")) {
        if (!has || !ToInt(value, f.lateMs, 0, 600000))
            return bad(QStringLiteral("delay in ms expected"));
    } else if (name == QLatin1String("no-status")) {
        f.noStatus = true;
    } else if (name == QLatin1String("count1001")) {
        f.count1001 = true;
    } else if (name == QLatin1String("echo")) {
        f.echo = true;
    } else if (name == QLatin1String("crlf")) {
        f.crlf = true;
    } else if (name == QLatin1String("mute-after")) {
        if (!has || !ToInt(value, f.muteAfter, 0, 1 << 30))
            return bad(QStringLiteral("reply count expected"));
    } else if (name == QLatin1String("switch-on-fails")) {
        f.switchOnFails = true;
    } else if (name == QLatin1String("o2-fault")) {
        f.o2SensorFault = true;
    } else if (name == QLatin1String("stamp-spoil")) {
        if (!ToDouble(has ? value : QStringLiteral("0.1"), f.stampSpoilProbability, 0.0, 1.0))
            return bad(QStringLiteral("probability 0..1 expected"));
    } else if (name == QLatin1String("clock-back")) {
        if (!has || !ToInt(value, f.clockBackHours, 1, 24 * 3650))
            return bad(QStringLiteral("hours expected"));
    } else if (name == QLatin1String("clock-layout")) {
        if (!has || !ToInt(value, f.clockLayout, 0, 2))
            return bad(QStringLiteral("layout 0..2 expected"));
    } else if (name == QLatin1String("vanish")) {
        double s = 0;
        if (!vanishMs)
            return bad(QStringLiteral("the whole line vanishes; give no plant list"));
        if (!has || !ToDouble(value, s, 0.0, 1e6))
            return bad(QStringLiteral("seconds expected"));
        *vanishMs = int(s * 1000.0);
    } else {
        return bad(QStringLiteral("unknown fault"));
    }
    return true;
}

} // namespace

bool ParsePlantList(const QString &text, const QList<int> &universe, QList<int> &out, QString *error)
{
    out.clear();
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        out = universe;
        return true;
    }
    if (t.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 || t.isEmpty())
        return true;
    for (const QString &part : t.split(QLatin1Char(','))) {
        const int dash = part.indexOf(QLatin1Char('-'));
        int a = 0, b = 0;
        const bool ok = dash < 0 ? ToInt(part, a, 1, 32) && ToInt(part, b, 1, 32)
                                 : ToInt(part.left(dash), a, 1, 32) && ToInt(part.mid(dash + 1), b, 1, 32);
        if (!ok || a > b) {
            *error = QStringLiteral("bad plant list '%1' (plants 1..32, e.g. 1,3-5)").arg(text);
            return false;
        }
        for (int n = a; n <= b; ++n)
            if (!out.contains(n))
                out << n;
    }
    std::sort(out.begin(), out.end());
    return true;
}

bool ParseArguments(const QStringList &args, CliOptions &out, QString *error)
{
    QString dummy;
    if (!error)
        error = &dummy;
    out = CliOptions();
    QString plants = QStringLiteral("1"), running, weak;
    QStringList modes, setups, faults;
    double ambient = qQNaN();
    int vanishMs = -1;

    for (int i = 0; i < args.size(); ++i) {
        QString opt = args[i];
        QString value;
        bool inlineValue = false;
        if (opt.startsWith(QLatin1String("--")) && opt.contains(QLatin1Char('='))) {
            const int eq = opt.indexOf(QLatin1Char('='));
            value = opt.mid(eq + 1);
            opt = opt.left(eq);
            inlineValue = true;
        }
        auto next = [&]() -> bool {
            if (inlineValue)
                return true;
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(opt);
                return false;
            }
            value = args[++i];
            return true;
        };
        auto bad = [&](const QString &what) {
            *error = QStringLiteral("%1 %2: %3").arg(opt, value, what);
            return false;
        };
        BusConfig &bus = out.bus;
        if (opt == QLatin1String("--help") || opt == QLatin1String("-h")) {
            out.help = true;
        } else if (opt == QLatin1String("--version")) {
            out.version = true;
        } else if (opt == QLatin1String("--plants")) {
            if (!next()) return false;
            plants = value;
        } else if (opt == QLatin1String("--running")) {
            if (!next()) return false;
            running = value;
        } else if (opt == QLatin1String("--weak")) {
            if (!next()) return false;
            weak = value;
        } else if (opt == QLatin1String("--history")) {
            if (!next()) return false;
            if (!ToInt(value, bus.historyDays, 0, 3650)) return bad(QStringLiteral("days 0..3650 expected"));
        } else if (opt == QLatin1String("--baud")) {
            if (!next()) return false;
            if (!ToInt(value, bus.baud, 0, 4000000)) return bad(QStringLiteral("line speed expected (0: unpaced)"));
        } else if (opt == QLatin1String("--mode")) {
            if (!next()) return false;
            modes << value;
        } else if (opt == QLatin1String("--setup")) {
            if (!next()) return false;
            setups << value;
        } else if (opt == QLatin1String("--fault")) {
            if (!next()) return false;
            faults << value;
        } else if (opt == QLatin1String("--time-factor")) {
            if (!next()) return false;
            if (!ToDouble(value, bus.timeFactor, 1e-6, 1e7)) return bad(QStringLiteral("positive factor expected"));
        } else if (opt == QLatin1String("--latency")) {
            if (!next()) return false;
            if (!ToInt(value, bus.latencyMs, 0, 600000)) return bad(QStringLiteral("ms expected"));
        } else if (opt == QLatin1String("--ambient")) {
            if (!next()) return false;
            if (!ToDouble(value, ambient, -40.0, 40.0)) return bad(QStringLiteral("°C -40..40 expected"));
        } else if (opt == QLatin1String("--seed")) {
            if (!next()) return false;
            bool ok = false;
            bus.seed = value.toULongLong(&ok);
            if (!ok) return bad(QStringLiteral("number expected"));
        } else if (opt == QLatin1String("--state")) {
            if (!next()) return false;
            out.state = value;
        } else if (opt == QLatin1String("--frame-gap")) {
            if (!next()) return false;
            if (!ToInt(value, bus.frameGapMs, 1, 60000)) return bad(QStringLiteral("ms expected"));
        } else if (opt == QLatin1String("--vanish")) {
            if (!next()) return false;
            double s = 0;
            if (!ToDouble(value, s, 0.0, 1e6)) return bad(QStringLiteral("seconds expected"));
            vanishMs = int(s * 1000.0);
        } else if (opt == QLatin1String("--start")) {
            if (!next()) return false;
            bus.start = QDateTime::fromString(value.trimmed(), Qt::ISODate);
            if (!bus.start.isValid()) return bad(QStringLiteral("date and time like 2026-12-07T14:30:00 expected"));
        } else if (opt == QLatin1String("--trace")) {
            if (!next()) return false;
            out.trace = value;
        } else if (opt == QLatin1String("--device")) {
            if (!next()) return false;
            out.device = value;
        } else if (opt == QLatin1String("--link")) {
            if (!next()) return false;
            out.link = value;
        } else if (opt == QLatin1String("--return-after")) {
            if (!next()) return false;
            double s = 0;
            if (!ToDouble(value, s, 0.0, 1e6)) return bad(QStringLiteral("seconds expected"));
            out.returnAfterMs = int(s * 1000.0);
        } else {
            *error = QStringLiteral("unknown option %1 (see --help)").arg(args[i]);
            return false;
        }
    }

    QList<int> all;
    for (int n = 1; n <= 32; ++n)
        all << n;
    QList<int> present, run;
    if (!ParsePlantList(plants, all, present, error))
        return false;
    if (!ParsePlantList(running, present, run, error))
        return false;
    for (int n : run) {
        if (!present.contains(n)) {
            *error = QStringLiteral("plant %1 in --running is not in --plants").arg(n);
            return false;
        }
    }
    QList<int> weakPiles;
    if (!ParsePlantList(weak, present, weakPiles, error))
        return false;
    QList<PlantConfig> configs;
    for (int n : present) {
        PlantConfig pc;
        pc.number = n;
        pc.running = run.contains(n);
        pc.weak = weakPiles.contains(n);
        pc.ambient = ambient;
        configs << pc;
    }
    auto forEach = [&](const QString &list, const auto &fn) {
        QList<int> targets;
        if (!ParsePlantList(list, present, targets, error))
            return false;
        for (int n : targets) {
            if (!present.contains(n)) {
                *error = QStringLiteral("plant %1 in '%2' is not in --plants").arg(n).arg(list);
                return false;
            }
        }
        for (PlantConfig &pc : configs)
            if (targets.contains(pc.number))
                fn(pc);
        return true;
    };
    for (const QString &m : modes) {
        QString list, rest;
        SplitTarget(m, list, rest);
        int mode = 0;
        if (!ToInt(rest, mode, 0, 4)) {
            *error = QStringLiteral("--mode %1: mode 0..4 expected (e.g. 4:4 or all:3)").arg(m);
            return false;
        }
        if (!forEach(list, [mode](PlantConfig &pc) { pc.mode = mode; }))
            return false;
    }
    for (const QString &s : setups) {
        QString list, rest;
        SplitTarget(s, list, rest);
        const QStringList v = rest.split(QLatin1Char(','));
        int x[9];
        const int lo[9] = {1, 1, 1, 0, 0, 1, 1, 1, 1};
        const int hi[9] = {1440, 300, 300, 210, 210, 300, 300, 300, 300};
        bool ok = v.size() == 9;
        for (int k = 0; ok && k < 9; ++k)
            ok = ToInt(v[k], x[k], lo[k], hi[k]);
        if (!ok) {
            *error = QStringLiteral("--setup %1: nine values expected: Speicher,IntEin,IntAus,O2Ein,O2Aus,"
                                    "NotEin,NotAus,MaxEin,MaxAus").arg(s);
            return false;
        }
        const SetupValues sv{x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7], x[8]};
        if (!forEach(list, [&sv](PlantConfig &pc) { pc.setup = sv; }))
            return false;
    }
    for (const QString &f : faults) {
        QString list, rest;
        SplitTarget(f, list, rest);
        const bool wholeLine = list.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0;
        Faults scratch;   // checks the text even when the list names no simulated plant
        if (!ApplyFault(rest, wholeLine ? out.bus.lineFaults : scratch, wholeLine ? &vanishMs : nullptr, error))
            return false;
        bool ok = true;
        if (!forEach(list, [&](PlantConfig &pc) { ok = ok && ApplyFault(rest, pc.faults, &vanishMs, error); }))
            return false;
        if (!ok)
            return false;
    }
    out.bus.plants = configs;
    out.bus.vanishAfterMs = vanishMs;
    return true;
}

QString UsageText()
{
    return QStringLiteral(
R"(Usage: plantsim [options]
Simulates aeration plants on one serial line. Opens a pseudo-terminal and prints
its path as the first line of output (or serves --device), then answers the
host's frames until SIGINT or SIGTERM.
  --help               this text
  --version            the version ("plantsim VERSION")

Plants and piles
  --plants LIST        plants on the line (default 1). LIST: 1,3,7 or 1-6 or 2,4-6 or all
  --running LIST       plants whose pile runs at start (default none)
  --weak LIST          piles that fall short of hygienisation: the core peaks near
                       58 °C and stays at 55 °C or more for 9..11 days (default:
                       well-run piles, 15..21 days at 55 °C or more)
  --history DAYS       running piles started DAYS days ago; their memory holds the
                       records of those days, plant clocks are at the start time
  --mode LIST:M        operating mode 0..4 at start (default 3); 4 = control mode,
                       e.g. --mode 4:4. Repeatable, later options win
  --setup LIST:S,IE,IA,OE,OA,NE,NA,ME,MA
                       set-up values in reply order: Speicher, IntEin, IntAus,
                       O2Ein, O2Aus (tenths of vol%), NotEin, NotAus, MaxEin, MaxAus
                       (default 60,10,20,80,150,5,25,60,240)
  --ambient C          air temperature around every pile, -40..40 °C (default:
                       10..15 at random); below 0 the surface reads negative
  --start DATETIME     plant clocks at start, e.g. 2026-12-07T14:30:00 (default: now)

Line and time
  --baud N             pace replies at N baud, 10 bits per byte (default 0: unpaced)
  --latency MS         delay between a frame and its reply (default 0)
  --time-factor F      simulated seconds per real second (default 1)
  --seed N             random seed (default 1)
  --frame-gap MS       an incomplete frame is dropped after this silence (default 50)
  --device PATH        serve this serial device instead of a new pseudo-terminal
  --link PATH          keep PATH a symbolic link to the pseudo-terminal (a fixed
                       name for the host, also after the line returned)
  --return-after S     after the line vanished (vanish=S), open a new pseudo-
                       terminal S seconds later: the adapter plugged in again
  --trace FILE         log frames and replies to FILE ("-": stderr)
  --state FILE         keep the site in FILE: loaded at start when it exists
                       (clocks, piles, memories, set-up values; the time since
                       it was saved is simulated), saved on exit and every
                       simulated hour. --plants, --running and --history then
                       only add plants the file does not hold

Faults: --fault [LIST:]NAME[=VALUE]   (without LIST: all plants; repeatable)
  drop=P               lose a reply with probability P (default 1)
  fragment             deliver replies in random pieces, 2..15 ms apart
  noise=N              1..N garbage bytes before each reply (default 8)
  corrupt=P            make one field of a reply non-numeric with probability P
  late=MS              answer MS later
  no-status            answer "B" but never "S"
  count1001            report 1001 stored records
  echo                 send every received frame back before the reply
                       (without LIST also frames to absent plants)
  crlf                 CR LF after every reply
  mute-after=N         stop answering after N replies
  o2-fault             O2 sensor reads 0 (mode 3 falls back to control mode)
  switch-on-fails      "F" sets running but the memory stays off ("S0;1;")
  stamp-spoil=P        spoil a stored record's minute field ("5x") with
                       probability P (default 0.1)
  clock-back=H         the plant clock steps back H hours once, after the next
                       stored record
  clock-layout=L       the clock text's layout: 0 "TZeit: hh:mm:ss Datum:dd.MM.yy",
                       1 "Thh:mm:ss dd.MM.yy" padded to 30, 2 neither time nor date
  vanish=S             close the line after S seconds (whole line; also --vanish S)

Trace lines: "<ms since start> <EVENT> <fields>", ms with three decimals, one
token per field, bytes outside printable ASCII written as \xNN:
  RX <plant> <cmd+digits>            frame for a simulated plant
  IGN <plant> <cmd+digits> <why>     ignored frame (absent, unknown, muted)
  CUT <bytes>                        incomplete frame dropped
  ECHO <plant> <cmd+digits>          frame echoed back
  TX <plant> <reply>                 reply queued (after faults)
  FAULT <plant> <name> [details]     fault applied
  HOSTBUG <plant> <cmd+digits> <what> the host did what it must not (a live
                                     request to a plant without a running pile)
  OVER <plant> <cmd+digits> during-reply-of <n>
                                     a frame sent while plant n's reply was due
                                     (on a real line both would be garbled)
  VANISH                             the line was closed
  RETURN                             the line is back (--return-after)
)");
}

} // namespace plantsim
