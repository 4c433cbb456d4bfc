#pragma once
// The curves a graph shows and the one-page graph report, shared by the graph
// window and the command line.

#include <memory>

class QCustomPlot;
class TMessDaten;
class TFQRGraphForm;

// Which curves are ticked, and which of the two views is shown.
struct GraphCurves {
    bool temp[5] = {true, true, true, true, true};     // 100, 75, 50, 25, 0 cm
    bool ref = true;
    bool o2 = true;
    bool runTime = true;
    bool cycles = true;
    bool perDay = true;
    bool fanView = false;
    bool timeAxis = false;      // x axis labelled with the records' dates and times

    // The ticks as the settings keep them ([COM] T1..T5, T55, O2, WRT, the run-time
    // key, ZYKL; all default yes; ZEITACHSE, default no); the reference curve only
    // while it is shown.
    static GraphCurves FromSettings();
    void Store() const;
};

// Puts the model's curves of the current view that are ticked on the chart the
// model is attached to (the others are hidden), then the view's axes.
void ShowGraphCurves(TMessDaten &model, const GraphCurves &curves, QCustomPlot *chart);

// The graph report of a loaded model: header from the file, the chart with the
// ticked curves over the horizontal range of `rangeFrom` (the window's chart, which
// may be zoomed; nullptr: the whole file). The series are lent to the report's
// chart: attach them back to the window's chart afterwards.
std::unique_ptr<TFQRGraphForm> MakeGraphReport(TMessDaten &model, const GraphCurves &curves,
                                               QCustomPlot *rangeFrom = nullptr);
