#pragma once
// TMessDaten: one measurement data file in memory and the nine chart series made
// from it. Charts borrow the series: AttachSeries puts plottables on a chart that
// share the model's data containers, so a rebuild shows up at once.

#include "datafile/DataFile.h"
#include "datafile/SeriesData.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QStringList>
#include <array>
#include <functional>

class QCustomPlot;
class QCPAbstractPlottable;
class QCPBarsGroup;
class QCPGraphData;
class QCPBarsData;
template <class DataType> class QCPDataContainer;
typedef QCPDataContainer<QCPGraphData> QCPGraphDataContainer;
typedef QCPDataContainer<QCPBarsData> QCPBarsDataContainer;

// One series with its settings; line series use GraphData, bar series BarsData.
struct TMessSeries {
    QString Title;
    QColor Color;
    Qt::PenStyle Style = Qt::SolidLine;
    bool RightAxis = false;
    bool IsBar = false;
    QString ValueFormat;            // "###.#" or "#####"
    QSharedPointer<QCPGraphDataContainer> GraphData;
    QSharedPointer<QCPBarsDataContainer> BarsData;

    qint64 Count() const;           // points, start point included
    double Value(qint64 k) const;   // value of point k (0 = start point)
};

class TMessDaten : public QObject {
    Q_OBJECT
public:
    explicit TMessDaten(QObject *owner = nullptr);
    ~TMessDaten() override;

    // File contents (LoadFile) and build results (BuildSeries).
    bool O2InPercent = true;
    bool FanView = false;           // false: temperature/O2 view, true: fan view
    QString PileName, Comment, FirstSaveLine, FileNameText, Title1, Title2, Title3;
    qint64 LineCount = 0;
    qint64 PointCount = 0;
    bool FileValid = false;
    QStringList Lines;
    QStringList Labels;             // one per data point: Labels[k - 1] belongs to point k

    std::array<TMessSeries, SeriesCountTotal> Series;
    TMessSeries &TempSeries(int i) { return Series[static_cast<size_t>(SeriesT100 + i - 1)]; }   // 1..5
    TMessSeries &RefSeries() { return Series[SeriesRef]; }
    TMessSeries &O2Series() { return Series[SeriesO2]; }
    TMessSeries &RunTimeSeries() { return Series[SeriesRunTime]; }
    TMessSeries &CyclesSeries() { return Series[SeriesCycles]; }

    // Reads a data file of either layout. False when the file cannot be opened for
    // reading: the message has been shown and the caller ends its operation at once.
    // Otherwise true; FileValid tells whether it was a data file.
    bool LoadFile(const QString &path);

    // Rebuilds all series and Labels from Lines (may delete repeated 23:59 lines),
    // then sets up the chart (if any). False when a stamp was no date (message shown;
    // the points so far stay, the chart is not set up).
    bool BuildSeries(bool onePerDay, QCustomPlot *chart);

    void SetupChart(QCustomPlot *chart);
    void SetAxes(QCustomPlot *chart);
    void SetAxisRanges(QCustomPlot *chart);
    // Moves the chart's legend into the corner of the plot where it covers the
    // fewest points of the curves in view (call after a replot laid the chart out).
    static void PlaceLegend(QCustomPlot *chart);
    // The x axis labelled with each tick's record date and time (the points keep
    // their record numbers), or with the record numbers again.
    void UseTimeAxis(QCustomPlot *chart, bool on);

    // Puts all nine series on the chart (temperatures, reference, O2, run time,
    // cycles), or takes them off the chart they are on when chart is nullptr.
    void AttachSeries(QCustomPlot *chart);
    QCustomPlot *AttachedChart() const;
    // The plottable of a series on the attached chart, or nullptr.
    QCPAbstractPlottable *Plottable(int series) const;
    // Shows or hides one series on the attached chart, legend entry included.
    void ShowSeries(int series, bool shown);

    // Where error messages go; by default a modal error box over the owning window.
    using ErrorSink = std::function<void(const QString &)>;
    void SetErrorSink(ErrorSink sink) { sink_ = std::move(sink); }

private:
    void ReportError(const QString &text);
    void ApplyStyle(int series);
    void DetachSeries();

    // Guarded pointers (the chart may be freed first); typed in the .cpp, which
    // alone includes the chart header.
    QPointer<QObject> chart_;
    std::array<QPointer<QObject>, SeriesCountTotal> plottables_;
    QPointer<QObject> barsGroup_;
    ErrorSink sink_;
};
