#include "datafile/Hygiene.h"

#include "base/Numbers.h"
#include "datafile/SeriesData.h"

#include <QCoreApplication>

namespace {

struct Record {
    QDateTime time;
    std::array<int, 5> temps;       // 100 cm first
};

bool Counts(HygieneDays rule, const QDate &day)
{
    return rule == HygieneDays::CalendarDays || day.dayOfWeek() <= 5;
}

} // namespace

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
         QT_TRANSLATE_NOOP("Hygiene", "Die geforderten fünf Umsetzungen sind aus den Messwerten nicht ersichtlich.")},
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

HygieneResult EvaluateHygiene(const DataFileContent &file, const HygieneCriterion &criterion, double refTemp)
{
    HygieneResult out;
    out.criterion = &criterion;
    out.thresholds = {55, 60, 65};
    if (refTemp != 55 && refTemp != 60 && refTemp != 65)
        out.thresholds.push_back(refTemp);

    std::vector<Record> records;
    records.reserve(size_t(file.Lines.size()));
    for (qsizetype i = 0; i < file.Lines.size(); ++i) {
        const QStringList f = file.Lines[i].split(u';');
        int d, mo, y, h, mi;
        Record r;
        bool valid = f.size() >= 7 && ParseStampText(f[1], d, mo, y, h, mi);
        if (valid) {
            r.time = QDateTime(QDate(y, mo, d), QTime(h, mi));
            valid = r.time.isValid();
        }
        for (int k = 0; valid && k < 5; ++k) {
            qint32 t = 0;
            valid = ParseInt32(QStringView(f[k + 2]), t, NumberBlanks);
            r.temps[size_t(k)] = t;
        }
        if (!valid) {
            out.error = QCoreApplication::translate("Hygiene", "Zeile %1 ist kein Messwert: %2").arg(i + 1).arg(file.Lines[i]);
            return out;
        }
        records.push_back(r);
    }
    out.records = qint64(records.size());
    if (!records.empty()) {
        out.first = records.front().time;
        out.last = records.back().time;
    }

    // Which records follow a break: a day without records that counts, or time
    // running backwards (no continuous evidence across it).
    std::vector<bool> breakBefore(records.size(), false);
    for (size_t i = 1; i < records.size(); ++i) {
        const QDate a = records[i - 1].time.date(), b = records[i].time.date();
        if (records[i].time < records[i - 1].time) {
            breakBefore[i] = true;
            continue;
        }
        HygieneGap gap;
        for (QDate day = a.addDays(1); day < b; day = day.addDays(1)) {
            if (!gap.from.isValid())
                gap.from = day;
            gap.to = day;
            gap.counted += Counts(criterion.days, day);
        }
        if (gap.counted > 0) {
            breakBefore[i] = true;
            out.gaps.push_back(gap);
        }
    }

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
            for (const HygieneStretch &s : depth.stretches)
                if (s.threshold == need.celsius && s.Minutes() >= qint64(need.days) * 1440)
                    depth.met = true;
    }
    out.ok = true;
    return out;
}
