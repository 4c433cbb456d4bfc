#pragma once
// The hygienisation evidence of a pile from its data file: for every depth the
// longest continuous stretch at or above each threshold, the verdict of a
// criterion, and the days without records that break the evidence.

#include "datafile/DataFile.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

// Which days without a record break a stretch: German rules ask for measurements
// on every working day, the US rules on every day.
enum class HygieneDays { WorkingDays, CalendarDays };

struct HygieneCriterion {
    const char *name;               // "bioabfv-open", …
    const char *title;              // how the evidence page names it
    HygieneDays days;
    struct Need { double celsius; int days; };
    std::vector<Need> anyOf;        // met when one of them is met
    const char *note;               // what the records cannot show (empty: nothing)
};

const std::vector<HygieneCriterion> &HygieneCriteria();
const HygieneCriterion *FindHygieneCriterion(const QString &name);   // nullptr: unknown
inline const char *DefaultHygieneCriterion() { return "bioabfv-open"; }

struct HygieneStretch {
    double threshold = 0;           // °C
    bool found = false;
    QDateTime start, end;           // first and last record of the stretch
    qint64 records = 0;
    qint64 Minutes() const { return found ? start.secsTo(end) / 60 : 0; }
};

struct HygieneDepth {
    int depthCm = 100;
    std::vector<HygieneStretch> stretches;   // one per threshold, in order
    bool met = false;
};

// A run of days without any record, of which `counted` break the evidence.
struct HygieneGap {
    QDate from, to;
    int counted = 0;
};

struct HygieneResult {
    bool ok = false;
    QString error;                  // a stamp or value that could not be read
    const HygieneCriterion *criterion = nullptr;
    std::vector<double> thresholds; // 55, 60, 65 and the reference temperature if another
    std::array<HygieneDepth, 5> depths;     // 100, 75, 50, 25, 0 cm
    std::vector<HygieneGap> gaps;
    qint64 records = 0;
    QDateTime first, last;
    bool CoreMet() const { return ok && depths[0].met; }
};

// Evaluates the data lines of `file` (either layout; whole °C as stored) against
// `criterion`; `refTemp` adds its threshold when it is not one of 55, 60, 65.
HygieneResult EvaluateHygiene(const DataFileContent &file, const HygieneCriterion &criterion, double refTemp);

// "14 d 03 h" for a number of minutes.
QString StretchLengthText(qint64 minutes);
