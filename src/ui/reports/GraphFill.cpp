#include "reports/GraphFill.h"

#include "datafile/SeriesData.h"
#include "models/UMessDaten.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"

#include <qcustomplot.h>

namespace {
const char *const kTempKeys[5] = {"T1", "T2", "T3", "T4", "T5"};
}

GraphCurves GraphCurves::FromSettings()
{
    const QString com = QStringLiteral("COM");
    GraphCurves c;
    for (int i = 0; i < 5; ++i)
        c.temp[i] = ReadSettingBool(com, QString::fromLatin1(kTempKeys[i]), true);
    c.ref = Settings().ShowRefDepth && ReadSettingBool(com, QStringLiteral("T55"), true);
    c.o2 = ReadSettingBool(com, QStringLiteral("O2"), true);
    c.perDay = ReadSettingBool(com, QStringLiteral("WRT"), true);
    c.runTime = ReadSettingBool(com, QString::fromLatin1(GraphRunTimeKey), true);
    c.cycles = ReadSettingBool(com, QStringLiteral("ZYKL"), true);
    c.timeAxis = ReadSettingBool(com, QStringLiteral("ZEITACHSE"), false);
    return c;
}

void GraphCurves::Store() const
{
    const QString com = QStringLiteral("COM");
    for (int i = 0; i < 5; ++i)
        WriteSettingBool(com, QString::fromLatin1(kTempKeys[i]), temp[i]);
    WriteSettingBool(com, QStringLiteral("T55"), ref);
    WriteSettingBool(com, QStringLiteral("O2"), o2);
    WriteSettingBool(com, QStringLiteral("WRT"), perDay);
    WriteSettingBool(com, QString::fromLatin1(GraphRunTimeKey), runTime);
    WriteSettingBool(com, QStringLiteral("ZYKL"), cycles);
    WriteSettingBool(com, QStringLiteral("ZEITACHSE"), timeAxis);
}

void ShowGraphCurves(TMessDaten &model, const GraphCurves &c, QCustomPlot *chart)
{
    model.FanView = c.fanView;
    bool shown[SeriesCountTotal] = {};
    if (c.fanView) {
        shown[SeriesRunTime] = c.runTime;
        shown[SeriesCycles] = c.cycles;
    } else {
        for (int i = 0; i < 5; ++i)
            shown[SeriesT100 + i] = c.temp[i];
        shown[SeriesRef] = c.ref && Settings().ShowRefDepth;
        shown[SeriesO2] = c.o2;
    }
    // Legend entries in the order the curves are added: temperatures, reference, O2.
    for (int s = 0; s < SeriesCountTotal; ++s)
        model.ShowSeries(s, false);
    for (int s = 0; s < SeriesCountTotal; ++s)
        if (shown[s])
            model.ShowSeries(s, true);
    if (chart) {
        model.SetAxes(chart);
        model.UseTimeAxis(chart, c.timeAxis);
        chart->replot(QCustomPlot::rpQueuedReplot);
    }
}

std::unique_ptr<TFQRGraphForm> MakeGraphReport(TMessDaten &model, const GraphCurves &curves, QCustomPlot *rangeFrom)
{
    auto form = std::make_unique<TFQRGraphForm>();
    form->SetLabel("QRKopf1", model.Title1);
    form->SetLabel("QRKopf2", model.Title2);
    form->SetLabel("QRKopf3", model.Title3);
    form->SetLabel("AnlName", model.PileName);
    form->SetLabel("DateiName", model.FileNameText);
    form->SetLabel("QRKomment1", model.Comment);
    form->SetLabel("QRKomment2", model.FirstSaveLine);
    QCustomPlot *chart = form->QRChart1();
    chart->resize(1400, 620);
    model.AttachSeries(chart);
    ShowGraphCurves(model, curves, nullptr);   // the view and its curves; the axes come with the set-up
    model.SetupChart(chart);
    model.UseTimeAxis(chart, curves.timeAxis);
    if (rangeFrom)
        chart->xAxis->setRange(rangeFrom->xAxis->range());
    chart->replot();
    return form;
}
