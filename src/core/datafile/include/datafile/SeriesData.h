#pragma once
// Turns the data lines of a loaded data file into the nine chart series: the
// midnight merge, one point per line or per day, the reference depth computed anew.
// Plain numbers only; the chart model copies them into its chart containers.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

enum SeriesIndex : int {
    SeriesT100 = 0, SeriesT75, SeriesT50, SeriesT25, SeriesT0,   // TempSeries 1..5
    SeriesRef, SeriesO2, SeriesRunTime, SeriesCycles,
    SeriesCountTotal
};

struct SeriesPoints {
    // Values[s][0] is the start point (0); data points follow from index 1.
    std::array<std::vector<double>, SeriesCountTotal> Values;
    QStringList Labels;         // one per data point
    qint64 PointCount = 0;
};

enum class BuildOutcome {
    Built,          // points made; the chart is to be set up
    NoDays,         // one per day, but the first line holds no date: no points, no chart set-up
    DateError,      // a stamp that is not a date; points so far stay, no chart set-up
};

// Deletes every line that follows a kept line when both contain "23:59" (lines 0
// and 1 are never compared). Returns the number of lines deleted.
qint64 MergeMidnightRepeats(QStringList &lines);

// Rebuilds out from lines (merged in place first). Uses RefTemp and ImperialUnits as
// they are now. On DateError, *errorText holds the message to show.
BuildOutcome BuildSeriesData(QStringList &lines, bool o2InPercent, bool perDay, SeriesPoints &out,
                             QString *errorText);

// Field 2 of a data line as date and time ("08.12.2026  14:30"); false if it is none.
bool ParseStampText(QStringView text, int &day, int &month, int &year, int &hour, int &minute);
