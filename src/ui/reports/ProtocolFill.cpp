#include "reports/ProtocolFill.h"

#include "base/DisplayFormat.h"
#include "datafile/Journal.h"
#include "datafile/Seal.h"

#include "datafile/SeriesData.h"
#include "plant/Plant.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"

#include <QLocale>
#include <cmath>
#include <optional>
#include <qcustomplot.h>

namespace {

struct Rows {
    SeriesPoints points;
    quint32 row = 0;            // 1..PointCount while printing
    QString Value(int series, bool tenths = false) const
    {
        const std::vector<double> &v = points.Values[size_t(series)];
        if (row >= v.size())
            return QStringLiteral("-*-");
        if (std::isnan(v[row]))
            return QStringLiteral(" ---");        // no measurement (implausible or no number)
        if (!tenths)
            return QString::asprintf("%4.0f", v[row]);
        return QString::asprintf("%4.1f", v[row]).replace(u'.', QLocale().decimalPoint());
    }
};

// The curves of the chart; the reference depth is added, dashed, while it is shown.
void AddCurves(QCustomPlot *chart, const SeriesPoints &p, std::vector<std::pair<int, QString>> curves)
{
    if (Settings().ShowRefDepth)
        curves.emplace_back(SeriesRef, Plants().RefCaption);
    static const QColor colours[] = {Qt::red, QColor(230, 120, 0), QColor(160, 130, 0), Qt::darkGreen, Qt::blue,
                                     Qt::black, Qt::darkCyan};
    chart->clearGraphs();
    int c = 0;
    for (const auto &[series, name] : curves) {
        QCPGraph *g = chart->addGraph();
        g->setName(name);
        g->setPen(QPen(colours[c++ % 7], 1.5));
        const std::vector<double> &v = p.Values[size_t(series)];
        QVector<double> x, y;
        for (size_t k = 1; k < v.size(); ++k) {
            x << double(k);
            y << v[k];
        }
        g->setData(x, y, true);
        if (series == SeriesRef)
            g->setPen(QPen(Qt::black, 1.2, Qt::DashLine));
    }
    chart->legend->setVisible(true);
    chart->xAxis->setLabel(QString());
    chart->rescaleAxes();
    // No replot: the chart reaches paper through toPainter, which lays it out itself.
    // A replot would also paint every point into the widget's unseen buffer, with
    // wide pens, which took longer than the rest of a 65 535-row protocol.
}

// The standing journal entries of the day of row `row` (1-based), on the day's first
// row only; none on the others.
std::vector<JournalEntry> DayEntries(const Journal &journal, const QStringList &labels, quint32 row)
{
    if (journal.entries.empty() || row == 0)
        return {};
    const auto day = [&](qsizetype i) {
        return QLocale().toDate(labels.value(i).section(QStringLiteral("  "), 0, 0).trimmed(), ShortDateFormat());
    };
    const QDate d = day(qsizetype(row) - 1);
    if (!d.isValid() || (row > 1 && day(qsizetype(row) - 2) == d))
        return {};
    return journal.OnDay(d);
}

} // namespace

ProtocolResult MakeProtocol(ProtocolKind kind, const DataFileContent &file, bool perDay, bool graph)
{
    ProtocolResult result;
    auto rows = std::make_shared<Rows>();
    QStringList lines = file.Lines;
    // The quality association's form is that association's, German in every
    // language: its dates and numbers too.
    const bool german = kind != ProtocolKind::Measurement;
    {
        std::optional<GermanDisplayForms> forms;
        if (german)
            forms.emplace();
        if (BuildSeriesData(lines, file.O2InPercent, perDay, rows->points, &result.error) == BuildOutcome::DateError)
            return result;
    }
    result.points = rows->points.PointCount;
    const QString unit = Plants().ImperialUnits ? QStringLiteral("[°F]") : QStringLiteral("[°C]");

    std::unique_ptr<TReportForm> form;
    if (kind == ProtocolKind::Measurement)
        form = std::make_unique<TFQRKompForm>();
    else
        form = std::make_unique<TFQRKompProtokoll>();
    // Both protocols are headed by the lines the file was made with.
    form->SetLabel("QRKopf1", file.Title1);
    form->SetLabel("QRKopf2", file.Title2);
    form->SetLabel("QRKopf3", file.Title3);
    form->SetLabel("AnlName", file.PileName);
    if (!file.Path.isEmpty())
        form->SetLabel("Pruefwert", VerifySeal(file.Path).PrintValue(german));
    if (kind == ProtocolKind::Measurement) {
        form->SetLabel("DateiName", file.FileNameText);
        form->SetLabel("QRKomment1", file.Comment);
        form->SetLabel("QRKomment2", file.FirstSaveLine);
        static_cast<TFQRKompForm &>(*form).SetUnitHeadings();
        form->PrintLabel = [rows](const QString &label) {
            static const QMap<QString, int> series = {{"QRT1", SeriesT100}, {"QRT2", SeriesT75}, {"QRT3", SeriesT50},
                                                      {"QRT4", SeriesT25}, {"QRT5", SeriesT0}, {"QRZeit", SeriesRunTime},
                                                      {"QRZyklen", SeriesCycles}};
            if (label == QLatin1String("QRNr"))
                return QString::number(rows->row);
            if (label == QLatin1String("QRDat"))
                return rows->points.Labels.value(qsizetype(rows->row) - 1);
            if (label == QLatin1String("QRO2"))
                return rows->Value(SeriesO2, true);
            if (label == QLatin1String("QR55Gr"))
                return Settings().ShowRefDepth ? rows->Value(SeriesRef) : QString();
            return series.contains(label) ? rows->Value(series.value(label)) : QString();
        };
        if (graph) {
            // The depths in the unit every other printed value uses.
            const auto depth = [](int cm) {
                return Plants().ImperialUnits ? QStringLiteral("%1 in").arg(CmToInch(cm)) : QStringLiteral("%1 cm").arg(cm);
            };
            AddCurves(form->QRChart1(), rows->points,
                      {{SeriesT100, depth(100)}, {SeriesT75, depth(75)}, {SeriesT50, depth(50)}, {SeriesT25, depth(25)},
                       {SeriesT0, depth(0)}, {SeriesO2, "O2"}});
        }
    } else {
        form->SetLabel("QRTemp1", Settings().ShowRefDepth ? QStringLiteral("Rand ") + (Plants().ImperialUnits ? "[in]" : "[cm]") : QString());
        form->SetLabel("QRTemp2", QStringLiteral("Kern ") + unit);
        form->SetLabel("QRTemp3", QStringLiteral("Basis ") + unit);
        // The journal's entries of a day beside the day's first row, their names under
        // "Prüfer/Unterschrift".
        auto journal = std::make_shared<Journal>();
        if (!file.Path.isEmpty())
            LoadJournal(file.Path, *journal);
        form->PrintLabel = [rows, journal](const QString &label) {
            const GermanDisplayForms forms;
            if (label == QLatin1String("QRBemerkung") || label == QLatin1String("QRPruefer")) {
                const std::vector<JournalEntry> entries = DayEntries(*journal, rows->points.Labels, rows->row);
                QStringList texts;
                for (const JournalEntry &e : entries) {
                    const QString text = label == QLatin1String("QRBemerkung") ? e.Summary() : e.by;
                    if (!text.isEmpty() && !texts.contains(text))
                        texts << text;
                }
                return texts.join(QStringLiteral("; "));
            }
            if (label == QLatin1String("QRDat"))
                return rows->points.Labels.value(qsizetype(rows->row) - 1);
            if (label == QLatin1String("QRT1"))
                return rows->Value(SeriesT100);
            if (label == QLatin1String("QRT5"))
                return rows->Value(SeriesT0);
            if (label == QLatin1String("QR55Gr"))
                return Settings().ShowRefDepth ? rows->Value(SeriesRef) : QString();
            return QString();
        };
        if (graph)
            AddCurves(form->QRChart1(), rows->points, {{SeriesT100, "Kern"}, {SeriesT0, "Basis"}});
    }
    if (!graph)
        form->RemoveChart();
    // The counter is set back once the answer is no, so that the form can run again.
    form->NeedData = [rows] {
        if (rows->row < rows->points.PointCount) {
            ++rows->row;
            return true;
        }
        rows->row = 0;
        return false;
    };
    result.form = std::move(form);
    return result;
}
