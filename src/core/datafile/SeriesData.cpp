#include "datafile/SeriesData.h"
#include "datafile/Hygiene.h"

#include <limits>
#include "datafile/DataFile.h"
#include "base/DisplayFormat.h"

#include "base/Numbers.h"
#include "plant/Plant.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QTime>

#include <charconv>
#include <cmath>

namespace {

// Whether the line holds "23:59" anywhere (a plain scan; this runs for every line).
bool HasMidnight(const QString &line)
{
    const QChar *p = line.constData();
    const qsizetype n = line.size();
    for (qsizetype i = 2; i + 2 < n; ++i)
        if (p[i] == u':' && p[i - 2] == u'2' && p[i - 1] == u'3' && p[i + 1] == u'5' && p[i + 2] == u'9')
            return true;
    return false;
}

// CutField on a view: the text before the next ";" (false when there is none; the
// text after the last ";" is not a field).
bool NextField(QStringView &rest, QStringView &field)
{
    const qsizetype k = rest.indexOf(u';');
    if (k < 0)
        return false;
    field = rest.first(k);
    rest = rest.sliced(k + 1);
    return true;
}

bool ParseIntField(QStringView f, qint32 &out) { return ParseInt32(f, out, NumberBlanks); }

// Real with "," (or ".") as decimal point; 0 when it is none.
double RealField(QStringView f)
{
    double v = 0.0;
    return ParseReal(f, v) ? v : 0.0;
}

// Digits at pos (1..maxDigits of them); pos moves past them.
bool Digits(QStringView t, qsizetype &pos, int maxDigits, int &value)
{
    const qsizetype start = pos;
    value = 0;
    while (pos < t.size() && pos - start < maxDigits && t[pos].unicode() >= u'0' && t[pos].unicode() <= u'9')
        value = value * 10 + (t[pos++].unicode() - u'0');
    return pos > start && (pos >= t.size() || !t[pos].isDigit());
}

bool ParseDate(QStringView t, qsizetype &pos, int &d, int &m, int &y)
{
    if (!Digits(t, pos, 2, d) || pos >= t.size() || t[pos] != u'.')
        return false;
    ++pos;
    if (!Digits(t, pos, 2, m) || pos >= t.size() || t[pos] != u'.')
        return false;
    ++pos;
    const qsizetype ys = pos;
    if (!Digits(t, pos, 4, y))
        return false;
    if (pos - ys <= 2)
        y += 2000;          // a two-digit year belongs to this century, as the plants count
    return QDate::isValid(y, m, d);
}

bool ParseDateOnly(QStringView text, QDate &date)
{
    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    int d, m, y;
    if (!ParseDate(t, pos, d, m, y) || pos != t.size())
        return false;
    date = QDate(y, m, d);
    return true;
}

// The date text of a line: after its first ";" up to the first blank; null if none.
QStringView DateTextOf(QStringView line)
{
    const qsizetype semi = line.indexOf(u';');
    if (semi < 0)
        return {};
    const QStringView rest = line.sliced(semi + 1);
    const qsizetype blank = rest.indexOf(u' ');
    if (blank < 0)
        return {};
    return rest.first(blank);
}

class Plotter {
public:
    Plotter(bool o2InPercent, SeriesPoints &out) : o2InPercent_(o2InPercent), out_(out)
    {
        const QString tf = QLocale().timeFormat(QLocale::ShortFormat);
        for (qsizetype i = 0; i + 1 < tf.size(); ++i) {
            if ((tf[i] == u'h' || tf[i] == u'H') && !tf[i + 1].isLetter()) {
                timeSep_ = tf[i + 1];
                break;
            }
        }
    }

    // Adds one point to every series; false (with the message) if field 2 is no date-time.
    bool Plot(QStringView line, QString *errorText)
    {
        QStringView rest = line, field;
        NextField(rest, field);                         // record number
        QStringView stamp;
        if (!NextField(rest, stamp))
            stamp = QStringView();
        int d, mo, y, h, mi;
        if (!ParseStampText(stamp, d, mo, y, h, mi)) {
            if (errorText)
                *errorText = QCoreApplication::translate("SeriesData", "'%1' ist keine gültige Datums- und Uhrzeitangabe")
                                 .arg(stamp);
            return false;
        }
        const QDate date(y, mo, d);
        if (date != labelDate_) {
            labelDate_ = date;
            labelDateText_ = ShortDateText(date) + QLatin1String("  ");
        }
        QString label = labelDateText_;
        label += QChar(u'0' + h / 10);
        label += QChar(u'0' + h % 10);
        label += timeSep_;
        label += QChar(u'0' + mi / 10);
        label += QChar(u'0' + mi % 10);
        out_.Labels.append(label);

        TLiveValues v;
        qint32 *temps[5] = {&v.T5, &v.T4, &v.T3, &v.T2, &v.T1};
        bool plausible[5];
        bool all = true;
        for (int k = 0; k < 5; ++k) {
            QStringView f;
            // Not a number, or beyond what a probe measures: a gap in the curve, never 0.
            plausible[k] = NextField(rest, f) && ParseIntField(f, *temps[k]) && *temps[k] >= SensorLowestCelsius
                           && *temps[k] <= SensorHighestCelsius;
            all = all && plausible[k];
        }
        NextField(rest, field);                         // stored reference depth: computed anew
        constexpr double gap = std::numeric_limits<double>::quiet_NaN();
        for (int k = 0; k < 5; ++k) {
            const double t = *temps[k];
            out_.Values[SeriesT100 + k].push_back(!plausible[k] ? gap : Plants().ImperialUnits ? CelsiusToFahrenheitF(t) : t);
        }
        if (all) {
            ComputeRefDepth(v);
            out_.Values[SeriesRef].push_back(Plants().ImperialUnits ? CmToInchF(v.RefMarke) : v.RefMarke);
        } else {
            out_.Values[SeriesRef].push_back(gap);
        }

        QStringView o2;
        double o2v = NextField(rest, o2) ? RealField(o2) : 0.0;
        if (!o2InPercent_)
            o2v /= 10.0;
        out_.Values[SeriesO2].push_back(o2v);

        double run = 0.0, cycles = 0.0;
        if (rest.count(u';') == 3) {
            QStringView f;
            NextField(rest, f);                         // operating mode
            NextField(rest, f);
            run = RealField(f);
            NextField(rest, f);
            cycles = RealField(f);
        }
        out_.Values[SeriesRunTime].push_back(run);
        out_.Values[SeriesCycles].push_back(cycles);
        ++out_.PointCount;
        return true;
    }

private:
    bool o2InPercent_;
    SeriesPoints &out_;
    QChar timeSep_ = u':';
    QDate labelDate_;
    QString labelDateText_;
};

bool IsBlank(const QString &line) { return QStringView(line).trimmed().isEmpty(); }

} // namespace

bool ParseStampText(QStringView text, int &day, int &month, int &year, int &hour, int &minute)
{
    const QStringView t = text.trimmed();
    qsizetype pos = 0;
    if (!ParseDate(t, pos, day, month, year))
        return false;
    hour = minute = 0;
    if (pos == t.size())
        return true;                                    // a date alone is midnight
    const qsizetype blanks = pos;
    while (pos < t.size() && t[pos] == u' ')
        ++pos;
    if (pos == blanks)
        return false;
    if (!Digits(t, pos, 2, hour) || pos >= t.size() || t[pos] != u':')
        return false;
    ++pos;
    if (!Digits(t, pos, 2, minute))
        return false;
    int second = 0;
    if (pos < t.size() && t[pos] == u':') {
        ++pos;
        if (!Digits(t, pos, 2, second))
            return false;
    }
    return pos == t.size() && QTime::isValid(hour, minute, second);
}

qint64 MergeMidnightRepeats(QStringList &lines)
{
    const qsizetype n = lines.size();
    if (n <= 2)
        return 0;
    // One pass: line i goes when it and the last kept line both hold "23:59".
    qsizetype kept = 2;
    bool lastHas = HasMidnight(lines[1]);
    for (qsizetype i = 2; i < n; ++i) {
        const bool has = HasMidnight(lines[i]);
        if (has && lastHas)
            continue;
        if (kept != i)
            lines[kept] = std::move(lines[i]);
        ++kept;
        lastHas = has;
    }
    lines.resize(kept);
    return n - kept;
}

BuildOutcome BuildSeriesData(QStringList &lines, bool o2InPercent, bool perDay, SeriesPoints &out,
                             QString *errorText)
{
    out = SeriesPoints();
    for (auto &s : out.Values) {
        s.reserve(static_cast<size_t>(lines.size()) + 1);
        s.push_back(0.0);                               // start point, hidden left of 0.7
    }
    MergeMidnightRepeats(lines);
    const qsizetype count = lines.size();
    Plotter plot(o2InPercent, out);

    if (!perDay) {
        out.Labels.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            // A blank line is no record; the records after it still count.
            if (IsBlank(lines[i]))
                continue;
            if (!plot.Plot(lines[i], errorText))
                return BuildOutcome::DateError;
        }
        return BuildOutcome::Built;
    }

    qsizetype firstLine = 0;
    while (firstLine < count && IsBlank(lines[firstLine]))
        ++firstLine;
    if (firstLine == count)
        return BuildOutcome::NoDays;
    const QStringView first = DateTextOf(lines[firstLine]);
    if (first.isNull() || first.isEmpty())
        return BuildOutcome::NoDays;
    QDate current;
    if (!ParseDateOnly(first, current)) {
        if (errorText)
            *errorText = QCoreApplication::translate("SeriesData", "'%1' ist kein gültiges Datum").arg(first);
        return BuildOutcome::DateError;
    }
    qsizetype last = firstLine;      // the last record line seen
    for (qsizetype i = firstLine + 1; i < count; ++i) {
        if (IsBlank(lines[i]))
            continue;
        const QStringView dt = DateTextOf(lines[i]);
        if (dt.isNull()) {
            last = i;
            continue;                                   // no blank: same day as before
        }
        QDate date;
        if (!ParseDateOnly(dt, date)) {
            if (errorText)
                *errorText = QCoreApplication::translate("SeriesData", "'%1' ist kein gültiges Datum").arg(dt);
            return BuildOutcome::DateError;
        }
        if (date != current) {
            current = date;
            if (!plot.Plot(lines[last], errorText))
                return BuildOutcome::DateError;
        }
        last = i;
    }
    if (!plot.Plot(lines[last], errorText))
        return BuildOutcome::DateError;
    return BuildOutcome::Built;
}
