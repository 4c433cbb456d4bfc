// o2-haldrix-cli: headless look at data files through the same reader, series builder
// and report forms the windows use. No command needs a display: info, series and
// hygiene run on the core libraries without a GUI application; protocol and graph
// draw their charts with the chart widget on the offscreen platform.
// Every command takes --language de|en|fr (default: the program's saved choice).
//   info FILE                                      what the file holds, as one JSON object
//   series FILE [--per-day] [--imperial] [--reftemp T]
//                                                  one line per plotted point: label;9 values
//   protocol FILE --out OUT.pdf [--quality] [--per-day] [--graph] [--hygiene] [--home DIR]
//                                                  the printed protocol as PDF, with the units,
//                                                  reference temperature and reference display
//                                                  of the home folder's settings
//   hygiene FILE [--criterion NAME] [--json] [--home DIR]
//                                                  the hygienisation evidence; exit 0 when the
//                                                  criterion is met at the 100 cm core, 1 when not
//   graph FILE --out OUT.pdf [--fan] [--per-day] [--home DIR]
//                                                  the one-page graph as PDF, with the curves
//                                                  ticked in the home folder's settings
//   verify FILE|FOLDER [--json]                    the data file against its seal, or an
//                                                  archive folder against its manifest
//   archive FILE --to DIR [--home DIR]             the pile's archive folder under DIR
//   journal FILE --add KIND [--at T] [--by NAME] [--text TEXT]   an entry in the pile's journal
//   journal FILE [--json]                          the journal's entries and its seal
//   register DIR... [--year Y] --out R.pdf [--csv R.csv]   the site register of the piles under DIR
// Exit codes: 0 done, 1 unreadable file (hygiene: also not met), 2 not a data file or
// not a regular file, 3 a stamp is no date (printed forms), 4 the output cannot be
// written, 5 seal or archive broken (archive: made, but the seal does not match),
// 6 a data file without a seal, 64 usage error.

#include "base/DisplayFormat.h"
#include "base/Numbers.h"
#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/Seal.h"
#include "datafile/Hygiene.h"
#include "datafile/SeriesData.h"
#include "plant/Plant.h"
#include "JournalCommand.h"

#include "settings/SettingsFile.h"
#ifdef O2H_CLI_PROTOCOL
#include "i18n/Languages.h"
#include "models/UMessDaten.h"
#include "reports/GraphFill.h"
#include "reports/HygieneFill.h"
#include "reports/ProtocolFill.h"
#include "reports/PileArchive.h"
#include "reports/ReportForms.h"

#include <QApplication>
#endif
#include <QCoreApplication>
#include <QFileInfo>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

void Out(const QString &text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

void Err(const QString &text)
{
    const QByteArray b = (text + u'\n').toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
}

const QString &UsageText()
{
    static const QString text(QStringLiteral("usage: o2-haldrix-cli info FILE\n"
                       "       o2-haldrix-cli series FILE [--per-day] [--imperial] [--reftemp T]\n"
                       "       o2-haldrix-cli protocol FILE --out OUT.pdf [--quality] [--per-day] [--graph] [--hygiene] [--home DIR]\n"
                       "       o2-haldrix-cli graph FILE --out OUT.pdf [--fan] [--per-day] [--home DIR]\n"
                       "       o2-haldrix-cli hygiene FILE [--criterion NAME] [--working-days 1-5] [--holidays NW]\n"
                       "                                  [--json] [--home DIR]\n"
                       "       o2-haldrix-cli verify FILE|FOLDER [--json]\n"
                       "       o2-haldrix-cli archive FILE --to DIR [--home DIR]\n"
                       "       o2-haldrix-cli --version\n"
                       "       o2-haldrix-cli journal FILE --add KIND [--at \"dd.MM.yyyy hh:mm\"] [--by NAME] [--text TEXT]\n"
                       "       o2-haldrix-cli journal FILE [--json]\n"
                       "       o2-haldrix-cli register DIR... [--year YYYY] [--criterion NAME] [--home DIR]\n"
                       "                                  --out REGISTER.pdf [--csv REGISTER.csv]\n"
                       "every command also takes --language de|en|fr"));
    return text;
}

// A usage error has its own status (64, as sysexits has it): 1 is "not met" for
// hygiene, and a typo in a script must not read as a verdict.
constexpr int UsageError = 64;

int Usage()
{
    Err(UsageText());
    return UsageError;
}

// Only regular files: a FIFO or a device would block every read for good.
bool RegularFileOrMissing(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        Err(QStringLiteral("%1: not a regular file").arg(path));
        return false;
    }
    return true;
}

QString Json(const QString &s)
{
    // A one-element array gives the escaped string; strip the brackets.
    const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(a.mid(1, a.size() - 2));
}

QString Number(double v)
{
    // Explicit formatting: "." whatever the locale, no exponent for ordinary values.
    if (std::isnan(v))
        return QStringLiteral("-");     // no measurement: a gap in the curve
    QString s = QString::number(v, 'f', 6);
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u'.'))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

// "--language CODE" anywhere on the line, taken out of args: the program's saved
// choice otherwise. Dates, numbers and texts of every command follow it. False for
// a missing or unknown code (a usage error).
bool ApplyLanguage(QStringList &args)
{
    QString code;
    const qsizetype at = args.indexOf(QStringLiteral("--language"));
    if (at >= 0) {
        if (at + 1 >= args.size())
            return false;
        code = args[at + 1];
        args.remove(at, 2);
    }
#ifdef O2H_CLI_PROTOCOL
    TLanguages::SetSearchFolders({QCoreApplication::applicationDirPath()});
    if (code.isEmpty()) {
        TLanguages::Instance()->Init();
        return true;
    }
    return TLanguages::Instance()->UseLanguage(code);
#else
    // Without the translations only German is there to choose.
    if (!code.isEmpty() && code != QLatin1String("de"))
        return false;
    UseDisplayLanguage(QStringLiteral("de"));
    return true;
#endif
}

} // namespace

// The options of a command on one file: FILE first, then --home, the named flags,
// and --out or --criterion with their values (--out when `needOut`).
struct FileArgs {
    QString path, out, criterion, home = QCoreApplication::applicationDirPath();
    QString workingDays, holidays;      // override the home folder's settings
    QStringList flags;
    bool Parse(QStringList args, const QStringList &known, bool needOut)
    {
        if (args.isEmpty())
            return false;
        path = args.takeFirst();
        while (!args.isEmpty()) {
            const QString a = args.takeFirst();
            if (a == QLatin1String("--out") && needOut && !args.isEmpty())
                out = args.takeFirst();
            else if (a == QLatin1String("--criterion") && !needOut && !args.isEmpty())
                criterion = args.takeFirst();
            else if (a == QLatin1String("--home") && !args.isEmpty())
                home = args.takeFirst();
            else if (a == QLatin1String("--working-days") && !args.isEmpty())
                workingDays = args.takeFirst();
            else if (a == QLatin1String("--holidays") && !args.isEmpty())
                holidays = args.takeFirst();
            else if (known.contains(a))
                flags << a;
            else
                return false;
        }
        return !needOut || !out.isEmpty();
    }
    bool Has(const char *flag) const { return flags.contains(QLatin1String(flag)); }
};

// "1 page", "2 pages": the tool's own output is English.
QString Count(qint64 n, const char *noun)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(noun)).arg(n == 1 ? "" : "s");
}

// The home folder's settings, read as the program reads them at start-up.
struct HomeSettings {
    std::unique_ptr<TSettingsFile> file;
    explicit HomeSettings(const QString &home)
    {
        SetProgramFolder(home);
        file = std::make_unique<TSettingsFile>(Settings().ProgramFolder + QStringLiteral("Haldrix.ini"));
        Settings().SettingsFile = file.get();
        LoadProgramSettings();
    }
    ~HomeSettings() { Settings().SettingsFile = nullptr; }
};

// The hygienisation evidence: a summary, or every figure as JSON. Exit 0 when the
// criterion is met at the 100 cm core, 1 when not.
int Hygiene(const QStringList &args)
{
    FileArgs a;
    if (!a.Parse(args, {"--json"}, false))
        return Usage();
    const QString &path = a.path;
    QString name = a.criterion;
    const bool json = a.Has("--json");
    const HomeSettings settings(a.home);
    if (name.isEmpty())
        name = ReadSetting(QStringLiteral("COM"), QStringLiteral("KRITERIUM"), QString::fromLatin1(DefaultHygieneCriterion()));
    const HygieneCriterion *criterion = FindHygieneCriterion(name);
    if (!criterion) {
        QStringList known;
        for (const HygieneCriterion &c : HygieneCriteria())
            known << QString::fromLatin1(c.name);
        Err(QStringLiteral("unknown criterion %1 (known: %2)").arg(name, known.join(QStringLiteral(", "))));
        return UsageError;
    }
    DataFileContent file;
    QString error;
    if (!RegularFileOrMissing(path))
        return 2;
    if (!LoadDataFile(path, file, &error)) {
        Err(error);
        return 1;
    }
    if (!file.FileValid) {
        Err(QStringLiteral("%1: not a data file of this program").arg(path));
        return 2;
    }
    HygieneCalendar calendar = ReadHygieneCalendar();
    if (!a.workingDays.isEmpty() && !ParseWeekdays(a.workingDays, calendar.weekdays)) {
        Err(QStringLiteral("--working-days %1: ISO weekdays expected, e.g. 1-5 or 1-6").arg(a.workingDays));
        return UsageError;
    }
    if (!a.holidays.isEmpty()) {
        if (!KnownHolidayState(a.holidays.toUpper())) {
            Err(QStringLiteral("--holidays %1: a German state expected (BW BY BE BB HB HH HE MV NI NW RP SL SN ST SH TH)")
                    .arg(a.holidays));
            return UsageError;
        }
        calendar.holidays = a.holidays.toUpper();
    }
    const HygieneResult r = EvaluateHygiene(file, *criterion, Plants().RefTemp, calendar);
    if (!r.ok) {
        Err(r.error);
        return 3;
    }
    auto lines = [](const std::vector<HygieneLine> &list) {
        QStringList items;
        for (const HygieneLine &l : list)
            items << (l.before.isEmpty() ? QStringLiteral("{\"line\":%1,\"stamp\":%2}").arg(l.line).arg(Json(l.stamp))
                                         : QStringLiteral("{\"line\":%1,\"stamp\":%2,\"before\":%3}")
                                               .arg(l.line).arg(Json(l.stamp), Json(l.before)));
        return u'[' + items.join(u',') + u']';
    };
    const QString iso = QStringLiteral("yyyy-MM-ddTHH:mm");
    auto degrees = [](double c) {
        return Plants().ImperialUnits ? Number(CelsiusToFahrenheitF(c) - 0.1) + QStringLiteral(" °F") : Number(c) + QStringLiteral(" °C");
    };
    if (json) {
        QString t = QStringLiteral("{\"file\":%1,\"pile\":%2,\"criterion\":{\"name\":%3,\"title\":%4,\"days\":%5},")
                        .arg(Json(path), Json(file.PileName), Json(QString::fromLatin1(criterion->name)),
                             Json(QString::fromUtf8(criterion->title)),
                             Json(criterion->days == HygieneDays::WorkingDays ? "working" : "calendar"));
        QStringList th;
        for (double v : r.thresholds)
            th << Number(v);
        t += QStringLiteral("\"thresholds\":[%1],\"records\":%2,\"first\":%3,\"last\":%4,\"depths\":[")
                 .arg(th.join(u','))
                 .arg(r.records)
                 .arg(Json(r.first.toString(iso)), Json(r.last.toString(iso)));
        QStringList depths;
        for (const HygieneDepth &d : r.depths) {
            QStringList st;
            for (const HygieneStretch &x : d.stretches)
                st << QStringLiteral("{\"threshold\":%1,\"found\":%2,\"start\":%3,\"end\":%4,\"minutes\":%5,"
                                     "\"days\":%6,\"records\":%7}")
                          .arg(Number(x.threshold), x.found ? "true" : "false",
                               x.found ? Json(x.start.toString(iso)) : QStringLiteral("null"),
                               x.found ? Json(x.end.toString(iso)) : QStringLiteral("null"))
                          .arg(x.Minutes())
                          .arg(Number(x.Minutes() / 1440.0))
                          .arg(x.records);
            depths << QStringLiteral("{\"depth_cm\":%1,\"met\":%2,\"stretches\":[%3]%4}")
                          .arg(d.depthCm).arg(d.met ? "true" : "false", st.join(u','),
                               d.turnings < 0 ? QString() : QStringLiteral(",\"turnings\":%1").arg(d.turnings));
        }
        t += depths.join(u',') + QStringLiteral("],\"gaps\":[");
        QStringList gaps;
        for (const HygieneGap &g : r.gaps)
            gaps << QStringLiteral("{\"from\":%1,\"to\":%2,\"counted\":%3}")
                        .arg(Json(g.from.toString(Qt::ISODate)), Json(g.to.toString(Qt::ISODate)))
                        .arg(g.counted);
        QStringList holidays, weekdays;
        for (const QDate &d : r.holidays)
            holidays << Json(d.toString(Qt::ISODate));
        for (int d : calendar.weekdays)
            weekdays << QString::number(d);
        t += gaps.join(u',') + QStringLiteral("],\"working_days\":[%1],\"holiday_state\":%2,\"holidays\":[%3],")
                                   .arg(weekdays.join(u','), Json(calendar.holidays), holidays.join(u','));
        t += QStringLiteral("\"clock_faults\":%1,\"steps_back\":%2,\"undated\":%3,\"implausible\":%4,\"duplicates\":%5,")
                 .arg(lines(r.clockFaults), lines(r.stepsBack), lines(r.undated), lines(r.implausible),
                      lines(r.duplicates));
        QStringList probes;
        for (const JournalEntry &e : r.probeFaults)
            probes << QStringLiteral("{\"depth_cm\":%1,\"time\":%2,\"reference\":%3,\"plant\":%4}")
                          .arg(e.depthCm)
                          .arg(Json(e.time.toString(iso)), Number(e.reference), Number(e.plant));
        t += QStringLiteral("\"journal_entries\":%1,\"probe_faults\":[%2],").arg(r.journal.size()).arg(probes.join(u','));
        t += QStringLiteral("\"note\":%1,\"checkable\":%2,\"core_met\":%3}\n")
                 .arg(Json(QString::fromUtf8(criterion->note)), r.Checkable() ? "true" : "false",
                      r.CoreMet() ? "true" : "false");
        Out(t);
    } else {
        QString t = QStringLiteral("%1 (%2)\ncriterion: %3 - %4\nrecords: %5, %6 .. %7\n\n")
                        .arg(path, file.PileName, QString::fromLatin1(criterion->name), QString::fromUtf8(criterion->title))
                        .arg(r.records)
                        .arg(r.first.toString(iso), r.last.toString(iso));
        t += QStringLiteral("depth ");
        for (double v : r.thresholds)
            t += (QStringLiteral(">= ") + degrees(v)).rightJustified(13);
        t += QStringLiteral("  verdict\n");
        for (const HygieneDepth &d : r.depths) {
            t += QStringLiteral("%1 cm").arg(d.depthCm, 3);
            for (const HygieneStretch &x : d.stretches)
                t += (x.found ? StretchLengthText(x.Minutes()) : QStringLiteral("-")).rightJustified(13);
            t += d.met ? QStringLiteral("  met") : QStringLiteral("  not met");
            const QString turnings = TurningsText(d, *criterion);
            t += turnings.isEmpty() ? QStringLiteral("\n") : QStringLiteral(" (%1)\n").arg(turnings);
        }
        if (r.gaps.empty())
            t += QStringLiteral("\nno day without records breaks the evidence\n");
        for (const HygieneGap &g : r.gaps)
            t += QStringLiteral("\nno records %1 .. %2 (%3 day(s) that count)")
                     .arg(g.from.toString(Qt::ISODate), g.to.toString(Qt::ISODate))
                     .arg(g.counted);
        if (!r.gaps.empty())
            t += u'\n';
        auto list = [&t](const char *what, const std::vector<HygieneLine> &items) {
            for (const HygieneLine &l : items)
                t += QStringLiteral("%1: line %2 %3%4\n").arg(QString::fromLatin1(what)).arg(l.line).arg(l.stamp,
                         l.before.isEmpty() ? QString() : QStringLiteral(" after ") + l.before);
        };
        list("clock fault", r.clockFaults);
        list("step back", r.stepsBack);
        list("no date", r.undated);
        list("implausible", r.implausible);
        list("duplicate", r.duplicates);
        for (const JournalEntry &e : r.probeFaults)
            t += QStringLiteral("probe fault: %1 cm on %2, reference %3 °C, plant %4 °C\n")
                     .arg(e.depthCm).arg(e.time.toString(QStringLiteral("dd.MM.yyyy")), Number(e.reference), Number(e.plant));
        if (*criterion->note)
            t += QStringLiteral("note: %1\n").arg(QString::fromUtf8(criterion->note));
        if (!r.Checkable())
            t += QStringLiteral("\nnot checkable: more than a tenth of the lines are implausible, undated or duplicates\n");
        else t += r.CoreMet() ? QStringLiteral("\nmet at the 100 cm core\n") : QStringLiteral("\nNOT met at the 100 cm core\n");
        Out(t);
    }
    return r.CoreMet() ? 0 : 1;
}

// The seal of a data file, or the manifest of an archive folder.
int Verify(const QStringList &args)
{
    bool json = false;
    QString path;
    for (const QString &a : args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (path.isEmpty() && !a.startsWith(QLatin1String("--")))
            path = a;
        else
            return Usage();
    }
    if (path.isEmpty())
        return Usage();
    if (QFileInfo(path).isDir()) {
        const ArchiveCheck c = VerifyArchive(path);
        if (json) {
            QJsonObject o{{"ok", c.ok}, {"files", c.files}, {"records", c.records}, {"checkValue", c.checkValue},
                          {"faults", QJsonArray::fromStringList(c.faults)}};
            Out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + u'\n');
        } else {
            Out(c.Text() + u'\n');
        }
        return c.ok ? 0 : 5;
    }
    if (!RegularFileOrMissing(path) || !RegularFileOrMissing(SealPath(path)))
        return 2;
    const SealCheck c = VerifySeal(path);
    if (c.state == SealCheck::Unreadable) {
        Err(c.error);
        return 1;
    }
    if (c.state == SealCheck::NoSeal) {
        // Without a seal, a file that is no data file is that, not "no seal".
        DataFileContent content;
        QString error;
        if (!LoadDataFile(path, content, &error)) {
            Err(error);
            return 1;
        }
        if (!content.FileValid) {
            Err(QStringLiteral("%1: not a data file of this program").arg(path));
            return 2;
        }
    }
    // The pile's journal is part of the proof: checked with it, a broken one fails.
    bool journalBroken = false;
    const QString journal = JournalVerifyLine(path, journalBroken);
    if (json) {
        static const char *states[] = {"intact", "no seal", "broken", "unreadable"};
        static const char *faults[] = {"", "header changed", "line changed", "line removed", "line inserted",
                                       "lines removed at the end", "line without seal", "seal damaged"};
        QJsonObject o{{"state", states[c.state]}, {"records", c.records}, {"checkValue", c.checkValue},
                      {"announcedMissing", c.announcedMissing}, {"text", c.Text()}};
        if (c.tornLine)
            o.insert("tornLine", c.tornLine);
        if (c.state == SealCheck::Broken)
            o.insert("fault", faults[c.fault]), o.insert("line", c.line), o.insert("record", c.record);
        if (!journal.isEmpty())
            o.insert("journal", QJsonObject{{"ok", !journalBroken}, {"text", journal}});
        Out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + u'\n');
    } else {
        Out(c.Text() + u'\n' + (journal.isEmpty() ? QString() : journal + u'\n'));
    }
    return journalBroken ? 5 : c.state == SealCheck::Intact ? 0 : c.state == SealCheck::NoSeal ? 6 : 5;
}

#ifdef O2H_CLI_PROTOCOL
// The archive folder of a pile, as "Miete beenden" makes it.
int Archive(const QStringList &args)
{
    FileArgs a;
    QStringList rest = args;
    QString to;
    const qsizetype at = rest.indexOf(QStringLiteral("--to"));
    if (at < 0 || at + 1 >= rest.size())
        return Usage();
    to = rest[at + 1];
    rest.remove(at, 2);
    if (!a.Parse(rest, {}, false))
        return Usage();
    const HomeSettings settings(a.home);
    if (!RegularFileOrMissing(a.path) || !RegularFileOrMissing(SealPath(a.path)))
        return 2;
    const PileArchiveResult r = ArchivePile(a.path, to);
    if (!r.ok) {
        Err(r.error);
        return QFileInfo(a.path).isFile() ? 4 : 1;
    }
    Out(QDir::toNativeSeparators(r.folder) + u'\n');
    // The archive keeps the file as it is; a seal it does not match is said.
    const SealCheck seal = VerifySeal(a.path);
    if (seal.state == SealCheck::Broken || seal.state == SealCheck::Unreadable) {
        Err(seal.state == SealCheck::Broken ? seal.Text() : seal.error);
        return 5;
    }
    return 0;
}

// The protocol as PDF. Fonts and the chart need the GUI classes, on no screen.
int Protocol(const QStringList &args)
{
    FileArgs a;
    if (!a.Parse(args, {"--quality", "--per-day", "--graph", "--hygiene"}, true))
        return Usage();
    const QString path = a.path, out = a.out;
    const bool quality = a.Has("--quality"), perDay = a.Has("--per-day"), graph = a.Has("--graph");
    const HomeSettings settings(a.home);
    DataFileContent model;
    QString error;
    if (!RegularFileOrMissing(path))
        return 2;
    if (!LoadDataFile(path, model, &error)) {
        Err(error);
        return 1;
    }
    if (!model.FileValid) {
        Err(model.NoRecords ? NoRecordsText() : QStringLiteral("Kein gültiger Dateiaufbau\nDatei war nicht von dieser Software erzeugt!"));
        return 2;
    }
    ProtocolResult protocol = MakeProtocol(quality ? ProtocolKind::Quality : ProtocolKind::Measurement, model, perDay, graph);
    if (!protocol.form) {
        Err(protocol.error);
        return 3;
    }
    if (a.Has("--hygiene")) {
        const HygieneResult evidence = EvaluateHygiene(model, ChosenHygieneCriterion(), Plants().RefTemp, ReadHygieneCalendar());
        if (!evidence.ok) {
            Err(evidence.error);
            return 3;
        }
        protocol.form->Append(MakeHygienePage(evidence, model));
    }
    int pages = 0;
    if (!protocol.form->ExportPdf(out, &error, &pages)) {
        Err(QStringLiteral("cannot write the protocol: ") + error);
        return 4;
    }
    Out(QStringLiteral("%1: %2, %3\n").arg(QFileInfo(out).fileName(), Count(protocol.points, "row"), Count(pages, "page")));
    return 0;
}

// The graph report as PDF, with the curves the graph window would show.
int Graph(const QStringList &args)
{
    FileArgs a;
    if (!a.Parse(args, {"--fan", "--per-day"}, true))
        return Usage();
    const HomeSettings settings(a.home);
    TMessDaten model;
    QString error;
    model.SetErrorSink([&error](const QString &text) { error = text; });
    if (!model.LoadFile(a.path)) {
        Err(error);
        return 1;
    }
    if (!model.FileValid) {
        DataFileContent header;
        const bool noRecords = LoadDataFile(a.path, header, nullptr) && header.NoRecords;
        Err(noRecords ? NoRecordsText() : QStringLiteral("Kein gültiger Dateiaufbau\nDatei war nicht von dieser Software erzeugt!"));
        return 2;
    }
    GraphCurves curves = GraphCurves::FromSettings();
    curves.fanView = a.Has("--fan");
    curves.perDay = a.Has("--per-day");
    model.FanView = curves.fanView;
    if (!model.BuildSeries(curves.perDay, nullptr)) {
        Err(error);
        return 3;
    }
    std::unique_ptr<TFQRGraphForm> form = MakeGraphReport(model, curves);
    int pages = 0;
    if (!form->ExportPdf(a.out, &error, &pages)) {
        Err(QStringLiteral("cannot write the graph: ") + error);
        return 4;
    }
    model.AttachSeries(nullptr);
    Out(QStringLiteral("%1: %2, %3\n").arg(QFileInfo(a.out).fileName(), Count(model.PointCount, "point"), Count(pages, "page")));
    return 0;
}
#endif

int main(int argc, char **argv)
{
    if (argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        QStringList criteria;
        for (const HygieneCriterion &c : HygieneCriteria())
            criteria << QString::fromLatin1(c.name);
        // asked for: on stdout, and no error
        Out(UsageText() + QStringLiteral("\ncriteria: ") + criteria.join(QStringLiteral(", ")) + u'\n');
        return 0;
    }
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        Out(QStringLiteral("o2-haldrix-cli " O2H_VERSION "\n"));
        return 0;
    }
#ifdef O2H_CLI_PROTOCOL
    if (argc > 1 && (qstrcmp(argv[1], "protocol") == 0 || qstrcmp(argv[1], "graph") == 0
                     || qstrcmp(argv[1], "archive") == 0 || qstrcmp(argv[1], "register") == 0)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The GUI classes want a runtime folder and warn without one; a private one
        // for this run, so that no command needs a desktop session.
        std::unique_ptr<QTemporaryDir> runtime;
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtime = std::make_unique<QTemporaryDir>();
            if (runtime->isValid()) {
                QFile::setPermissions(runtime->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
            }
        }
        QApplication app(argc, argv);
        QStringList args = app.arguments().mid(2);
        if (!ApplyLanguage(args))
            return Usage();
        if (qstrcmp(argv[1], "archive") == 0)
            return Archive(args);
        if (qstrcmp(argv[1], "register") == 0)
            return RegisterCommand(args);
        return qstrcmp(argv[1], "graph") == 0 ? Graph(args) : Protocol(args);
    }
#endif
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (!ApplyLanguage(args))
        return Usage();
    if (!args.isEmpty() && args[0] == QLatin1String("hygiene"))
        return Hygiene(args.mid(1));
    if (!args.isEmpty() && args[0] == QLatin1String("verify"))
        return Verify(args.mid(1));
    if (!args.isEmpty() && args[0] == QLatin1String("journal"))
        return JournalCommand(args.mid(1));
    if (args.size() < 2 || (args[0] != QLatin1String("info") && args[0] != QLatin1String("series")))
        return Usage();
    const QString command = args.takeFirst();
    const QString path = args.takeFirst();
    bool perDay = false;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (command == QLatin1String("series") && a == QLatin1String("--per-day")) {
            perDay = true;
        } else if (command == QLatin1String("series") && a == QLatin1String("--imperial")) {
            Plants().ImperialUnits = true;
        } else if (command == QLatin1String("series") && a == QLatin1String("--reftemp") && !args.isEmpty()) {
            if (!ParseReal(args.takeFirst(), Plants().RefTemp)) {
                Err(QStringLiteral("--reftemp needs a number"));
                return UsageError;
            }
        } else {
            return Usage();
        }
    }
    BuildRefCaption();

    // Titles follow the units in force when the model is made.
    DataFileContent model;
    QString error;
    if (!RegularFileOrMissing(path))
        return 2;
    if (!LoadDataFile(path, model, &error)) {
        Err(error);
        return 1;
    }

    if (command == QLatin1String("info")) {
        Out(QStringLiteral("{\"FileValid\":%1,\"O2InPercent\":%2,\"Title1\":%3,\"Title2\":%4,\"Title3\":%5,"
                           "\"PileName\":%6,\"FileNameText\":%7,\"Comment\":%8,\"FirstSaveLine\":%9,")
                .arg(model.FileValid ? "true" : "false", model.O2InPercent ? "true" : "false",
                     Json(model.Title1), Json(model.Title2), Json(model.Title3), Json(model.PileName),
                     Json(model.FileNameText), Json(model.Comment), Json(model.FirstSaveLine))
            + QStringLiteral("\"LineCount\":%1}\n").arg(model.LineCount));
        if (!model.FileValid) {
            Err(QStringLiteral("%1: not a data file of this program").arg(path));
            return 2;
        }
        return 0;
    }

    if (!model.FileValid) {
        Err(QStringLiteral("%1: not a data file of this program").arg(path));
        return 2;
    }
    SeriesPoints points;
    const bool built
        = BuildSeriesData(model.Lines, model.O2InPercent, perDay, points, &error) != BuildOutcome::DateError;
    QString text;
    for (qint64 k = 1; k <= points.PointCount; ++k) {
        text += points.Labels.value(k - 1);
        for (const std::vector<double> &values : points.Values) {
            text += u';';
            text += Number(values[size_t(k)]);
        }
        text += u'\n';
    }
    Out(text);
    if (!built) {
        Err(error);
        return 3;
    }
    return 0;
}
