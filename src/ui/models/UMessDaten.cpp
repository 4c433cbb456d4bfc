#include "models/UMessDaten.h"

#include "plant/Plant.h"
#include "widgets/MessageBox.h"

#include <cmath>
#include <QPointer>
#include <QWidget>
#include <qcustomplot.h>

namespace {

// Colours as the chart convention writes them: 0xBBGGRR.
QColor Bgr(quint32 c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

struct SeriesStyle {
    quint32 color;
    Qt::PenStyle style;
};

// Colours that stay apart on white and from each other: the core in maroon, the
// reference depth in green (red was the core's twin), no pale yellow.
constexpr SeriesStyle kStyles[SeriesCountTotal] = {
    {0x000080, Qt::SolidLine},      // maroon
    {0x800080, Qt::DotLine},        // purple
    {0x0B86B8, Qt::DashLine},       // dark goldenrod
    {0xC000C0, Qt::DashDotLine},    // magenta
    {0x808000, Qt::DashDotDotLine}, // teal
    {0x009000, Qt::SolidLine},      // green
    {0xFF0000, Qt::SolidLine},      // blue
    {0xFF0000, Qt::SolidLine},      // blue bars
    {0x0000FF, Qt::SolidLine},      // red bars
};

const char *const kTitleName = "MessDatenTitle";
const char *const kFooterName = "MessDatenFooter";

QCPTextElement *FindText(QCustomPlot *chart, const char *name)
{
    QCPLayoutGrid *grid = chart->plotLayout();
    for (int i = 0; i < grid->elementCount(); ++i) {
        auto *t = qobject_cast<QCPTextElement *>(grid->elementAt(i));
        if (t && t->objectName() == QLatin1String(name))
            return t;
    }
    return nullptr;
}

// Whole-number tick labels ("#"): steps of 1 or multiples of it.
void IntegerTicks(QCPAxis *axis)
{
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(1.0);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    axis->setTicker(ticker);
    axis->setNumberFormat(QStringLiteral("f"));
    axis->setNumberPrecision(0);
}

// Record numbers as ticks, each labelled with its record's date and time on two
// lines; the model is asked at drawing time, so a rebuilt series is labelled anew.
class StampTicker : public QCPAxisTickerFixed {
public:
    explicit StampTicker(const TMessDaten *model) : model_(model)
    {
        setTickStep(1.0);
        setScaleStrategy(ssMultiples);
        setTickCount(4);
    }

protected:
    QString getTickLabel(double tick, const QLocale &, QChar, int) override
    {
        const qsizetype k = qRound64(tick);
        if (!model_ || std::abs(tick - double(k)) > 1e-6 || k < 1 || k > model_->Labels.size())
            return {};
        QString label = model_->Labels.at(k - 1).simplified();
        const qsizetype blank = label.lastIndexOf(u' ');
        if (blank > 0)
            label[blank] = u'\n';
        return label;
    }

private:
    QPointer<const TMessDaten> model_;
};

// Minimum 0, maximum from the data shown on the axis.
void AutoFromZero(QCPAxis *axis)
{
    bool found = false;
    double top = 0.0;
    for (QCPAbstractPlottable *p : axis->plottables()) {
        if (!p->visible())
            continue;
        bool ok = false;
        const QCPRange r = p->getValueRange(ok);
        if (ok) {
            top = found ? qMax(top, r.upper) : r.upper;
            found = true;
        }
    }
    axis->setRange(0.0, top > 0.0 ? top * 1.05 : 1.0);
}

} // namespace

QCustomPlot *TMessDaten::AttachedChart() const
{
    return static_cast<QCustomPlot *>(chart_.data());
}

qint64 TMessSeries::Count() const
{
    return IsBar ? (BarsData ? BarsData->size() : 0) : (GraphData ? GraphData->size() : 0);
}

double TMessSeries::Value(qint64 k) const
{
    if (k < 0 || k >= Count())
        return 0.0;
    return IsBar ? (BarsData->constBegin() + k)->value : (GraphData->constBegin() + k)->value;
}

TMessDaten::TMessDaten(QObject *owner) : QObject(owner)
{
    static const char *const metric[5] = {"T 100cm", "T 75cm", "T 50cm", "T 25cm", "T  0cm"};
    static const char *const imperial[5] = {"T 40in", "T 30in", "T 20in", "T 10in", "T 0in"};
    for (int i = 0; i < SeriesCountTotal; ++i) {
        TMessSeries &s = Series[static_cast<size_t>(i)];
        s.IsBar = i == SeriesRunTime || i == SeriesCycles;
        if (s.IsBar)
            s.BarsData.reset(new QCPBarsDataContainer);
        else
            s.GraphData.reset(new QCPGraphDataContainer);
        s.Color = Bgr(kStyles[i].color);
        s.Style = kStyles[i].style;
        s.ValueFormat = s.IsBar ? QStringLiteral("#####") : QStringLiteral("###.#");
    }
    for (int i = 0; i < 5; ++i)
        Series[static_cast<size_t>(i)].Title = QString::fromLatin1(Plants().ImperialUnits ? imperial[i] : metric[i]);
    RefSeries().Title = Plants().RefCaption;
    O2Series().Title = QStringLiteral("O2");
    RunTimeSeries().Title = tr("Laufzeit");
    CyclesSeries().Title = tr("Zyklen");
    O2Series().RightAxis = true;
    CyclesSeries().RightAxis = true;
}

TMessDaten::~TMessDaten()
{
    DetachSeries();
}

void TMessDaten::ReportError(const QString &text)
{
    if (sink_)
        sink_(text);
    else
        ShowError(qobject_cast<QWidget *>(parent()), text);
}

bool TMessDaten::LoadFile(const QString &path)
{
    DataFileContent c;
    QString error;
    const bool readable = LoadDataFile(path, c, &error);
    FileValid = c.FileValid;
    O2InPercent = c.O2InPercent;
    Title1 = c.Title1;
    Title2 = c.Title2;
    Title3 = c.Title3;
    PileName = c.PileName;
    FileNameText = c.FileNameText;
    Comment = c.Comment;
    FirstSaveLine = c.FirstSaveLine;
    Lines = std::move(c.Lines);
    LineCount = Lines.size();
    if (!readable) {
        ReportError(error);
        return false;
    }
    return true;
}

bool TMessDaten::BuildSeries(bool onePerDay, QCustomPlot *chart)
{
    SeriesPoints pts;
    QString error;
    const BuildOutcome outcome = BuildSeriesData(Lines, O2InPercent, onePerDay, pts, &error);
    LineCount = Lines.size();
    PointCount = pts.PointCount;
    Labels = std::move(pts.Labels);

    for (int i = 0; i < SeriesCountTotal; ++i) {
        TMessSeries &s = Series[static_cast<size_t>(i)];
        const std::vector<double> &v = pts.Values[static_cast<size_t>(i)];
        if (s.IsBar) {
            QVector<QCPBarsData> data(static_cast<qsizetype>(v.size()));
            for (size_t k = 0; k < v.size(); ++k)
                data[static_cast<qsizetype>(k)] = QCPBarsData(double(k), v[k]);
            s.BarsData->set(data, true);
        } else {
            QVector<QCPGraphData> data(static_cast<qsizetype>(v.size()));
            for (size_t k = 0; k < v.size(); ++k)
                data[static_cast<qsizetype>(k)] = QCPGraphData(double(k), v[k]);
            s.GraphData->set(data, true);
        }
        s.Color = Bgr(kStyles[i].color);
        ApplyStyle(i);
    }

    if (outcome == BuildOutcome::DateError) {
        if (chart_)
            AttachedChart()->replot(QCustomPlot::rpQueuedReplot);
        ReportError(error);
        return false;
    }
    if (outcome == BuildOutcome::Built && chart)
        SetupChart(chart);
    else if (chart_)
        AttachedChart()->replot(QCustomPlot::rpQueuedReplot);
    return true;
}

void TMessDaten::SetupChart(QCustomPlot *chart)
{
    if (!chart)
        return;
    QCPTextElement *title = FindText(chart, kTitleName);
    if (!title) {
        chart->plotLayout()->insertRow(0);
        title = new QCPTextElement(chart);
        title->setObjectName(QLatin1String(kTitleName));
        chart->plotLayout()->addElement(0, 0, title);
    }
    title->setText(Title1 + u'\n' + Title2 + u'\n' + Title3 + u'\n' + PileName);
    title->setTextColor(Qt::black);

    QCPTextElement *footer = FindText(chart, kFooterName);
    if (!footer) {
        const int row = chart->plotLayout()->rowCount();
        chart->plotLayout()->insertRow(row);
        footer = new QCPTextElement(chart);
        footer->setObjectName(QLatin1String(kFooterName));
        chart->plotLayout()->addElement(row, 0, footer);
    }
    footer->setText(FileNameText);
    footer->setTextColor(Qt::black);

    chart->yAxis2->setVisible(true);
    chart->yAxis2->setTickLabels(true);
    SetAxes(chart);

    IntegerTicks(chart->xAxis);
    chart->xAxis->setRangeLower(0.7);
    chart->xAxis->setLabel(tr("Messwert- Nr"));
    chart->legend->setVisible(true);
    chart->replot(QCustomPlot::rpQueuedReplot);
}

void TMessDaten::SetAxes(QCustomPlot *chart)
{
    if (!chart)
        return;
    SetAxisRanges(chart);
    IntegerTicks(chart->yAxis);
    IntegerTicks(chart->yAxis2);
    if (!FanView) {
        chart->yAxis->setLabel(Plants().ImperialUnits ? tr("T[°F]") : tr("T[°C]"));
        chart->yAxis2->setLabel(tr("O2/vol%"));
        chart->xAxis->setRange(0.7, double(PointCount));
    } else {
        chart->yAxis->setLabel(tr("t/min"));
        chart->yAxis2->setLabel(tr("n"));
        chart->xAxis->setRange(0.7, double(PointCount) + 0.5);
    }
    chart->replot(QCustomPlot::rpQueuedReplot);
}

void TMessDaten::SetAxisRanges(QCustomPlot *chart)
{
    if (!chart)
        return;
    if (!FanView) {
        chart->yAxis->setRange(0.0, Plants().ImperialUnits ? 212.0 : 100.0);
        chart->yAxis2->setRange(0.0, 25.0);
    } else {
        AutoFromZero(chart->yAxis);
        AutoFromZero(chart->yAxis2);
    }
}

void TMessDaten::DetachSeries()
{
    if (QCustomPlot *chart = AttachedChart()) {
        for (auto &p : plottables_)
            if (p)
                chart->removePlottable(static_cast<QCPAbstractPlottable *>(p.data()));
        delete barsGroup_.data();
    }
    for (auto &p : plottables_)
        p = nullptr;
    chart_ = nullptr;
}

void TMessDaten::AttachSeries(QCustomPlot *chart)
{
    DetachSeries();
    if (!chart)
        return;
    chart_ = chart;
    auto *group = new QCPBarsGroup(chart);
    barsGroup_ = group;
    for (int i = 0; i < SeriesCountTotal; ++i) {
        TMessSeries &s = Series[static_cast<size_t>(i)];
        QCPAxis *valueAxis = s.RightAxis ? chart->yAxis2 : chart->yAxis;
        if (s.IsBar) {
            auto *bars = new QCPBars(chart->xAxis, valueAxis);
            bars->setData(s.BarsData);          // shared, not copied
            bars->setWidth(0.4);
            bars->setBarsGroup(group);
            plottables_[static_cast<size_t>(i)] = bars;
        } else {
            auto *graph = new QCPGraph(chart->xAxis, valueAxis);
            graph->setData(s.GraphData);
            plottables_[static_cast<size_t>(i)] = graph;
        }
        Plottable(i)->setName(s.Title);
        ApplyStyle(i);
    }
    chart->yAxis2->setVisible(true);
}

QCPAbstractPlottable *TMessDaten::Plottable(int series) const
{
    if (series < 0 || series >= SeriesCountTotal || !chart_)
        return nullptr;
    return static_cast<QCPAbstractPlottable *>(plottables_[static_cast<size_t>(series)].data());
}

void TMessDaten::ShowSeries(int series, bool shown)
{
    QCPAbstractPlottable *p = Plottable(series);
    if (!p)
        return;
    p->setVisible(shown);
    if (shown)
        p->addToLegend();
    else
        p->removeFromLegend();
}

void TMessDaten::ApplyStyle(int series)
{
    QCPAbstractPlottable *p = Plottable(series);
    if (!p)
        return;
    const TMessSeries &s = Series[static_cast<size_t>(series)];
    if (s.IsBar) {
        p->setPen(QPen(s.Color));
        p->setBrush(QBrush(s.Color));
    } else {
        p->setPen(QPen(s.Color, 1.0, s.Style));
    }
}

void TMessDaten::PlaceLegend(QCustomPlot *chart)
{
    if (!chart || !chart->legend || !chart->legend->visible())
        return;
    QCPAxisRect *area = chart->axisRect();
    const QRect plot = area->rect();
    const QSize size = chart->legend->minimumOuterSizeHint();
    if (plot.isEmpty() || size.isEmpty())
        return;
    const Qt::Alignment corners[4] = {Qt::AlignTop | Qt::AlignRight, Qt::AlignTop | Qt::AlignLeft,
                                      Qt::AlignBottom | Qt::AlignRight, Qt::AlignBottom | Qt::AlignLeft};
    constexpr int margin = 12;
    auto rectAt = [&](Qt::Alignment a) {
        const int x = a & Qt::AlignLeft ? plot.left() + margin : plot.right() - margin - size.width();
        const int y = a & Qt::AlignTop ? plot.top() + margin : plot.bottom() - margin - size.height();
        return QRect(QPoint(x, y), size);
    };
    int covered[4] = {};
    // A few hundred points of each curve in view are enough to tell the corners apart.
    for (int i = 0; i < chart->graphCount(); ++i) {
        const QCPGraph *g = chart->graph(i);
        if (!g->visible())
            continue;
        const QCPRange keys = g->keyAxis()->range();
        auto from = g->data()->findBegin(keys.lower), to = g->data()->findEnd(keys.upper);
        const qsizetype n = to - from, step = qMax<qsizetype>(1, n / 400);
        for (auto it = from; it < to; it += step) {
            if (std::isnan(it->value))
                continue;
            const QPoint at(int(g->keyAxis()->coordToPixel(it->key)), int(g->valueAxis()->coordToPixel(it->value)));
            for (int c = 0; c < 4; ++c)
                covered[c] += rectAt(corners[c]).contains(at);
            if (to - it <= step)
                break;
        }
    }
    int best = 0;
    for (int c = 1; c < 4; ++c)
        if (covered[c] < covered[best])
            best = c;
    QCPLayoutInset *inset = area->insetLayout();
    for (int i = 0; i < inset->elementCount(); ++i)
        if (inset->elementAt(i) == chart->legend)
            inset->setInsetAlignment(i, corners[best]);
}

void TMessDaten::UseTimeAxis(QCustomPlot *chart, bool on)
{
    if (!chart)
        return;
    if (on) {
        chart->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new StampTicker(this)));
        chart->xAxis->setLabel(tr("Datum/Zeit"));
    } else {
        IntegerTicks(chart->xAxis);
        chart->xAxis->setLabel(tr("Messwert- Nr"));
    }
}
