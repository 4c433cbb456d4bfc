#pragma once
// The hygienisation evidence of a pile from its data file: for every depth the
// longest continuous stretch at or above each threshold, the verdict of a
// criterion, and the days without records that break the evidence.

#include "datafile/DataFile.h"
#include "datafile/Journal.h"

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
    int turnings = 0;               // `turned` journal entries needed inside the stretch
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
    int turnings = -1;              // turnings in the criterion's stretch (-1: not asked for)
};

// A run of days without any record, of which `counted` break the evidence.
struct HygieneGap {
    QDate from, to;
    int counted = 0;
};

// A data line that takes no part in any stretch, or a place where the file goes
// back in time: its line (1 = the first data line) and its stamp as written.
struct HygieneLine {
    qint64 line = 0;
    QString stamp;
    QString before;     // steps back: the stamp of the line before
};

// The range of temperatures a probe can measure (°C); outside it a value is no
// measurement.
constexpr int SensorLowestCelsius = -40;
constexpr int SensorHighestCelsius = 100;

// Which days a site must measure on (criteria with working days): ISO weekdays
// (1 = Monday) and the German state whose public holidays are no working days.
struct HygieneCalendar {
    QList<int> weekdays{1, 2, 3, 4, 5};
    QString holidays;       // "NW", …; empty: none
    bool IsWorkingDay(const QDate &day) const;
};
// "1-5", "1-6", "1,2,4": the weekdays; false (and `out` unchanged) when it is none.
bool ParseWeekdays(const QString &text, QList<int> &out);
// The states known for FEIERTAGE: BW BY BE BB HB HH HE MV NI NW RP SL SN ST SH TH.
bool KnownHolidayState(const QString &code);
// A public holiday in that German state (nationwide ones for every state).
bool IsPublicHoliday(const QDate &day, const QString &state);
// The public holidays of `state` from `from` to `to`.
QList<QDate> PublicHolidays(const QDate &from, const QDate &to, const QString &state);
// [COM] ARBEITSTAGE (default 1-5) and FEIERTAGE (default none) from the settings.
HygieneCalendar ReadHygieneCalendar();
// "Mo–Fr", "Mo–Sa, ohne Feiertage in NW", in the program's language.
QString WorkingDaysText(const HygieneCalendar &calendar);

struct HygieneResult {
    bool ok = false;
    QString error;                  // the file holds no data lines at all
    const HygieneCriterion *criterion = nullptr;
    std::vector<double> thresholds; // 55, 60, 65 and the reference temperature if another
    std::array<HygieneDepth, 5> depths;     // 100, 75, 50, 25, 0 cm
    std::vector<HygieneGap> gaps;
    qint64 records = 0;             // records that count (each duplicate once)
    QDateTime first, last;
    std::vector<HygieneLine> clockFaults;   // older than a plant's memory reaches back before the
                                            // first save, or after the file's last change + 1 day
    std::vector<HygieneLine> stepsBack;     // where the file goes back in time
    std::vector<HygieneLine> undated;       // stamps that form no date
    std::vector<HygieneLine> implausible;   // a temperature out of the sensor's range or no number
    std::vector<HygieneLine> duplicates;    // same stamp and values as an earlier line
    HygieneCalendar calendar;
    QList<QDate> holidays;          // public holidays within the pile's period
    std::vector<JournalEntry> journal;      // the standing entries of the pile's journal
    std::vector<JournalEntry> probeFaults;  // probe checks off the reference by more than ProbeFaultCelsius
    // More than a tenth of the lines are implausible, undated or duplicates: no verdict.
    bool Checkable() const;
    bool CoreMet() const { return ok && Checkable() && depths[0].met; }
};

// Evaluates the data lines of `file` (either layout; whole °C as stored) against
// `criterion`. The thresholds are the criterion's 55/60/65 °C and `refTemp` rounded
// to a whole degree of the unit shown (ImperialUnits), once each. Stamps are wall
// times without a zone: durations are calendar arithmetic on them (the same on every
// PC, a stamp in a skipped or doubled hour is an ordinary record). The records are
// taken in time order; lines that cannot be evidence are listed, not evaluated.
// The journal is the file's own (beside file.Path) unless one is given.
HygieneResult EvaluateHygiene(const DataFileContent &file, const HygieneCriterion &criterion, double refTemp,
                              const HygieneCalendar &calendar = HygieneCalendar(), const Journal *journal = nullptr);

// "4 Umsetzungen, 5 nötig" for a depth judged with turnings; empty otherwise.
QString TurningsText(const HygieneDepth &depth, const HygieneCriterion &criterion);

// "14 d 03 h" for a number of minutes.
QString StretchLengthText(qint64 minutes);
