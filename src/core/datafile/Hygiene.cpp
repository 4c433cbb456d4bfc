#include "datafile/Hygiene.h"

#include "base/Numbers.h"
#include "datafile/SeriesData.h"

#include <QCoreApplication>
#include <QSet>

#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <algorithm>

namespace {

struct Record {
    QDateTime time;
    std::array<int, 5> temps;       // 100 cm first
};

QString Tr(const char *text) { return QCoreApplication::translate("Hygiene", text); }

// Gregorian Easter Sunday (the anonymous algorithm).
QDate EasterSunday(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = ((h + l - 7 * m + 114) % 31) + 1;
    return QDate(y, month, day);
}

bool In(const QString &state, std::initializer_list<const char *> states)
{
    for (const char *s : states)
        if (state == QLatin1String(s))
            return true;
    return false;
}

// "Erste Datensicherung : 08.12.2026" (older files: a two-digit year).
QDate FirstSaveDate(const QString &line)
{
    const QString text = line.mid(line.indexOf(u':') + 1).trimmed();
    QDate d = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid()) {
        d = QDate::fromString(text, QStringLiteral("dd.MM.yy"));
        if (d.isValid() && d.year() < 2000)
            d = d.addYears(100);
    }
    return d;
}

} // namespace

bool HygieneCalendar::IsWorkingDay(const QDate &day) const
{
    return weekdays.contains(day.dayOfWeek()) && !(holidays.size() == 2 && IsPublicHoliday(day, holidays));
}

bool ParseWeekdays(const QString &text, QList<int> &out)
{
    QList<int> days;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList range = part.trimmed().split(u'-');
        bool ok1 = false, ok2 = false;
        const int from = range.value(0).trimmed().toInt(&ok1);
        const int to = range.size() == 2 ? range[1].trimmed().toInt(&ok2) : from;
        if (!ok1 || (range.size() == 2 && !ok2) || range.size() > 2 || from < 1 || to > 7 || from > to)
            return false;
        for (int d = from; d <= to; ++d)
            if (!days.contains(d))
                days << d;
    }
    if (days.isEmpty())
        return false;
    std::sort(days.begin(), days.end());
    out = days;
    return true;
}

bool KnownHolidayState(const QString &code)
{
    return In(code, {"BW", "BY", "BE", "BB", "HB", "HH", "HE", "MV", "NI", "NW", "RP", "SL", "SN", "ST", "SH", "TH"});
}

bool IsPublicHoliday(const QDate &day, const QString &state)
{
    if (!day.isValid() || !KnownHolidayState(state))
        return false;
    const int y = day.year(), m = day.month(), d = day.day();
    const qint64 fromEaster = EasterSunday(y).daysTo(day);
    // Nationwide.
    if ((m == 1 && d == 1) || (m == 5 && d == 1) || (m == 10 && d == 3) || (m == 12 && (d == 25 || d == 26)))
        return true;
    if (fromEaster == -2 || fromEaster == 1 || fromEaster == 39 || fromEaster == 50)
        return true;
    if (y == 2017 && m == 10 && d == 31)
        return true;                    // the Reformation's 500th year, everywhere
    // The states' own.
    if (m == 1 && d == 6 && In(state, {"BW", "BY", "ST"}))
        return true;
    if (m == 3 && d == 8 && ((state == QLatin1String("BE") && y >= 2019) || (state == QLatin1String("MV") && y >= 2023)))
        return true;
    if ((fromEaster == 0 || fromEaster == 49) && state == QLatin1String("BB"))
        return true;                    // Easter and Whit Sunday
    if (fromEaster == 60 && In(state, {"BW", "BY", "HE", "NW", "RP", "SL"}))
        return true;                    // Corpus Christi
    if (m == 8 && d == 15 && state == QLatin1String("SL"))
        return true;
    if (m == 9 && d == 20 && state == QLatin1String("TH") && y >= 2019)
        return true;
    if (m == 10 && d == 31
        && (In(state, {"BB", "MV", "SN", "ST", "TH"}) || (In(state, {"HB", "HH", "NI", "SH"}) && y >= 2018)))
        return true;
    if (m == 11 && d == 1 && In(state, {"BW", "BY", "NW", "RP", "SL"}))
        return true;
    // Day of Repentance: the Wednesday before 23 November.
    if (m == 11 && day.dayOfWeek() == 3 && d >= 16 && d <= 22 && state == QLatin1String("SN"))
        return true;
    return false;
}

QList<QDate> PublicHolidays(const QDate &from, const QDate &to, const QString &state)
{
    QList<QDate> out;
    if (!from.isValid() || !to.isValid() || from.daysTo(to) > 3660)
        return out;
    for (QDate day = from; day <= to; day = day.addDays(1))
        if (IsPublicHoliday(day, state))
            out << day;
    return out;
}

HygieneCalendar ReadHygieneCalendar()
{
    HygieneCalendar c;
    ParseWeekdays(ReadSetting(QStringLiteral("COM"), QStringLiteral("ARBEITSTAGE"), QStringLiteral("1-5")), c.weekdays);
    const QString state = ReadSetting(QStringLiteral("COM"), QStringLiteral("FEIERTAGE"), QString()).trimmed().toUpper();
    if (KnownHolidayState(state))
        c.holidays = state;
    return c;
}

QString WorkingDaysText(const HygieneCalendar &c)
{
    static const char *const names[7] = {QT_TRANSLATE_NOOP("Hygiene", "Mo"), QT_TRANSLATE_NOOP("Hygiene", "Di"),
                                         QT_TRANSLATE_NOOP("Hygiene", "Mi"), QT_TRANSLATE_NOOP("Hygiene", "Do"),
                                         QT_TRANSLATE_NOOP("Hygiene", "Fr"), QT_TRANSLATE_NOOP("Hygiene", "Sa"),
                                         QT_TRANSLATE_NOOP("Hygiene", "So")};
    QStringList parts;
    for (int i = 0; i < c.weekdays.size();) {
        int j = i;
        while (j + 1 < c.weekdays.size() && c.weekdays[j + 1] == c.weekdays[j] + 1)
            ++j;
        const QString a = Tr(names[c.weekdays[i] - 1]), b = Tr(names[c.weekdays[j] - 1]);
        parts << (j == i ? a : j == i + 1 ? a + u',' + b : a + QStringLiteral("–") + b);
        i = j + 1;
    }
    QString text = parts.join(u',');
    if (!c.holidays.isEmpty())
        text += Tr(QT_TRANSLATE_NOOP("Hygiene", ", ohne Feiertage in %1")).arg(c.holidays);
    return text;
}

bool HygieneResult::Checkable() const
{
    const qint64 lines = records + qint64(duplicates.size() + undated.size() + implausible.size() + clockFaults.size());
    return 10 * qint64(duplicates.size() + undated.size() + implausible.size()) <= lines;
}

const std::vector<HygieneCriterion> &HygieneCriteria()
{
    static const std::vector<HygieneCriterion> criteria = {
        {"bioabfv-open", QT_TRANSLATE_NOOP("Hygiene", "Bioabfallverordnung, offene Anlage: 55 °C über 14 Tage oder 65 °C über 7 Tage"),
         HygieneDays::WorkingDays, {{55, 14}, {65, 7}}, ""},
        {"bioabfv-closed", QT_TRANSLATE_NOOP("Hygiene", "Bioabfallverordnung, geschlossene Anlage: 60 °C über 7 Tage"),
         HygieneDays::WorkingDays, {{60, 7}}, ""},
        {"pfrp-asp", QT_TRANSLATE_NOOP("Hygiene", "PFRP, belüftete Miete / Reaktor: 55 °C über 3 Tage"),
         HygieneDays::CalendarDays, {{55, 3}}, ""},
        {"pfrp-windrow", QT_TRANSLATE_NOOP("Hygiene", "PFRP, Dreiecksmiete: 55 °C über 15 Tage"),
         HygieneDays::CalendarDays, {{55, 15}},
         QT_TRANSLATE_NOOP("Hygiene", "Die geforderten fünf Umsetzungen zählen aus dem Tagebuch der Miete, nicht aus den Messwerten."), 5},
        {"pas100", QT_TRANSLATE_NOOP("Hygiene", "PAS 100: 65 °C über 7 Tage am Kern"),
         HygieneDays::CalendarDays, {{65, 7}},
         QT_TRANSLATE_NOOP("Hygiene", "Die geforderten 51 % Feuchte werden nicht gemessen.")},
    };
    return criteria;
}

const HygieneCriterion *FindHygieneCriterion(const QString &name)
{
    for (const HygieneCriterion &c : HygieneCriteria())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString StretchLengthText(qint64 minutes)
{
    return QStringLiteral("%1 d %2 h").arg(minutes / 1440).arg((minutes % 1440) / 60, 2, 10, QLatin1Char('0'));
}

QString TurningsText(const HygieneDepth &depth, const HygieneCriterion &criterion)
{
    if (criterion.turnings <= 0 || depth.turnings < 0)
        return {};
    // German has its singular in the source; the translations have their plural forms.
    if (depth.turnings == 1)
        return Tr(QT_TRANSLATE_NOOP("Hygiene", "1 Umsetzung, %1 nötig")).arg(criterion.turnings);
    return QCoreApplication::translate("Hygiene", "%n Umsetzungen, %1 nötig", nullptr, depth.turnings)
        .arg(criterion.turnings);
}

HygieneResult EvaluateHygiene(const DataFileContent &file, const HygieneCriterion &criterion, double refTemp,
                              const HygieneCalendar &calendar, const Journal *journal)
{
    HygieneResult out;
    out.criterion = &criterion;
    out.calendar = calendar;
    out.thresholds = {55, 60, 65};
    // The reference temperature as the operator sees it: a whole degree of the unit
    // shown, evaluated at exactly that value; no second row for the same label.
    const auto shown = [](double celsius) { return qRound(Plants().ImperialUnits ? celsius * 9.0 / 5.0 + 32.0 : celsius); };
    const int refShown = shown(refTemp);
    if (std::none_of(out.thresholds.begin(), out.thresholds.end(), [&](double t) { return shown(t) == refShown; }))
        out.thresholds.push_back(Plants().ImperialUnits ? (refShown - 32.0) * 5.0 / 9.0 : double(refShown));

    // Plant clocks are wall clocks: stamps are taken as UTC, so that no PC's time
    // zone moves, skips or doubles an hour.
    // The file is made at the pile's first transfer, so its first records are older
    // than "Erste Datensicherung": by as much as a plant's memory holds (1000
    // records, about 42 days at the hourly interval). Older still is a clock fault.
    const QDate firstSave = FirstSaveDate(file.FirstSaveLine).addDays(-42);
    const QDate lastChange = file.LastModified.isValid() ? file.LastModified.date().addDays(1) : QDate();
    struct Dated { Record r; qint64 line; };
    std::vector<Dated> good;
    good.reserve(size_t(file.Lines.size()));
    QSet<QStringView> seen;
    QDateTime previous;
    QString previousStamp;
    for (qsizetype i = 0; i < file.Lines.size(); ++i) {
        const QString &text = file.Lines[i];
        const QStringList f = text.split(u';');
        const qint64 line = i + 1;
        const QString stamp = f.value(1).trimmed();
        int d, mo, y, h, mi;
        Record r;
        if (f.size() < 7 || !ParseStampText(f[1], d, mo, y, h, mi)
            || !(r.time = QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC)).isValid()) {
            out.undated.push_back({line, stamp, {}});
            continue;
        }
        if ((firstSave.isValid() && r.time.date() < firstSave) || (lastChange.isValid() && r.time.date() > lastChange)) {
            out.clockFaults.push_back({line, stamp, {}});
            continue;
        }
        if (previous.isValid() && r.time < previous)
            out.stepsBack.push_back({line, stamp, previousStamp});
        previous = r.time;
        previousStamp = stamp;
        bool plausible = true;
        for (int k = 0; plausible && k < 5; ++k) {
            qint32 t = 0;
            plausible = ParseInt32(QStringView(f[k + 2]), t, NumberBlanks) && t >= SensorLowestCelsius
                        && t <= SensorHighestCelsius;
            r.temps[size_t(k)] = t;
        }
        if (!plausible) {
            out.implausible.push_back({line, stamp, {}});
            continue;
        }
        // The same stamp and values again (a transfer repeated): counted once.
        const QStringView values = QStringView(text).mid(text.indexOf(u';') + 1);
        if (seen.contains(values)) {
            out.duplicates.push_back({line, stamp, {}});
            continue;
        }
        seen.insert(values);
        good.push_back({r, line});
    }
    std::stable_sort(good.begin(), good.end(), [](const Dated &a, const Dated &b) { return a.r.time < b.r.time; });
    std::vector<Record> records;
    records.reserve(good.size());
    for (const Dated &g : good)
        records.push_back(g.r);

    out.records = qint64(records.size());
    if (!records.empty()) {
        out.first = records.front().time;
        out.last = records.back().time;
        if (criterion.days == HygieneDays::WorkingDays && !calendar.holidays.isEmpty())
            out.holidays = PublicHolidays(out.first.date(), out.last.date(), calendar.holidays);
    }
    auto counts = [&](const QDate &day) {
        return criterion.days == HygieneDays::CalendarDays || calendar.IsWorkingDay(day);
    };

    // Which records follow a break: a day without records that counts.
    std::vector<bool> breakBefore(records.size(), false);
    for (size_t i = 1; i < records.size(); ++i) {
        const QDate a = records[i - 1].time.date(), b = records[i].time.date();
        HygieneGap gap;
        for (QDate day = a.addDays(1); day < b; day = day.addDays(1)) {
            if (!gap.from.isValid())
                gap.from = day;
            gap.to = day;
            gap.counted += counts(day);
        }
        if (gap.counted > 0) {
            breakBefore[i] = true;
            out.gaps.push_back(gap);
        }
    }

    // The journal's standing entries: turnings count towards a criterion that asks
    // for them, probe checks off the reference are faults of that probe.
    Journal own;
    if (!journal && !file.Path.isEmpty())
        LoadJournal(file.Path, own);
    out.journal = (journal ? *journal : own).Standing();
    for (const JournalEntry &e : out.journal)
        if (e.kind == JournalKind::ProbeCheck && e.HasReadings() && std::abs(e.plant - e.reference) > ProbeFaultCelsius)
            out.probeFaults.push_back(e);

    static const int depthCm[5] = {100, 75, 50, 25, 0};
    for (int k = 0; k < 5; ++k) {
        HygieneDepth &depth = out.depths[size_t(k)];
        depth.depthCm = depthCm[k];
        for (double threshold : out.thresholds) {
            HygieneStretch best;
            best.threshold = threshold;
            HygieneStretch run;
            run.threshold = threshold;
            for (size_t i = 0; i < records.size(); ++i) {
                const bool hot = records[i].temps[size_t(k)] >= threshold;
                if (!hot || (run.found && breakBefore[i]))
                    run.found = false;
                if (hot) {
                    if (!run.found) {
                        run.found = true;
                        run.start = records[i].time;
                        run.records = 0;
                    }
                    run.end = records[i].time;
                    ++run.records;
                    if (!best.found || run.Minutes() > best.Minutes())
                        best = run;
                }
            }
            depth.stretches.push_back(best);
        }
        for (const HygieneCriterion::Need &need : criterion.anyOf)
            for (const HygieneStretch &s : depth.stretches) {
                if (s.threshold != need.celsius)
                    continue;
                int turned = 0;
                if (criterion.turnings > 0) {
                    for (const JournalEntry &e : out.journal)
                        turned += s.found && e.kind == JournalKind::Turned && e.time >= s.start && e.time <= s.end;
                    depth.turnings = std::max(depth.turnings, turned);
                }
                if (s.Minutes() >= qint64(need.days) * 1440 && turned >= criterion.turnings)
                    depth.met = true;
            }
    }
    out.ok = true;
    return out;
}
