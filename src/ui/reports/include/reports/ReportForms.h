#pragma once
// The two protocol forms on the banded report renderer. Their fillers set the named
// labels' texts, answer the data request and give each detail label's text for the
// current row; the chart QRChart1 sits in the summary band unless removed.

#include "print/BandReport.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QCustomPlot;
class QWidget;

class TReportForm {
public:
    virtual ~TReportForm();

    // Text of a named label (header lines, headings); a name the form lacks is ignored.
    void SetLabel(const QString &name, const QString &text);
    QString Label(const QString &name) const;

    // The data request: another row? And the text of a detail label for that row.
    std::function<bool()> NeedData;
    std::function<QString(const QString &label)> PrintLabel;

    // A form printed after this one, from a new page, in the same document.
    void Append(std::unique_ptr<TReportForm> next);
    TReportForm *Appended() const { return next_.get(); }

    QCustomPlot *QRChart1();            // made on first use (needs the GUI application)
    void RemoveChart();                 // no chart, no summary band
    bool HasChart() const { return hasSummary_; }

    void Preview(QWidget *parent);      // the preview window, printing from there
    bool Print(QWidget *parent);        // the print dialog, then the printer; false: cancelled
    // The same pages as PDF; false with *error set when the file cannot be written
    // (nothing half-written stays at `path`). `archive`: as PDF/A-1b.
    bool ExportPdf(const QString &path, QString *error = nullptr, int *pages = nullptr, bool archive = false);

protected:
    TReportForm();
    virtual BandReport Layout() = 0;
    void DrawChart(QPainter &p, const QRectF &rect);
    // Title, company lines, plant and file name, the two comment lines.
    std::vector<HeaderItem> FileHeader() const;
    // The data file's check value ("Pruefwert", set by the filler) under `label`;
    // nothing when the filler set none.
    void AddCheckValue(std::vector<HeaderItem> &header, const QString &label) const;
    // Detail labels in column order, for the renderer's cell requests.
    BandReport Base(const QStringList &detailLabels);

    QMap<QString, QString> labels_;
    QStringList detail_;
    bool hasSummary_ = true;
    std::unique_ptr<QCustomPlot> chart_;

private:
    // The layouts of this form and of the forms appended to it, in print order.
    std::vector<BandReport> Layouts();
    int RenderTo(QPagedPaintDevice &device);
    std::unique_ptr<TReportForm> next_;
};

// Tests and tools see every report here instead of a preview window or the printer
// (`preview`: which of the two was asked for). Empty: the real windows again.
using ReportSink = std::function<void(TReportForm &form, bool preview)>;
void SetReportSink(ReportSink sink);
// Back to the program-start state: no sink.
void ResetReportValues();

// The site's paper for protocols ([COM] PAPIER, else the system's).
QPageSize ProtocolPageSize();

// The measurement protocol: every value of a pile, portrait on the site's paper, 10 mm margins.
class TFQRKompForm : public TReportForm {
public:
    TFQRKompForm();
    // The temperature headings in the units in force, the reference column shown
    // or emptied after the reference display.
    void SetUnitHeadings();
protected:
    BandReport Layout() override;
};

// The graph on one landscape page: header lines, the chart once, footer.
class TFQRGraphForm : public TReportForm {
public:
    TFQRGraphForm();
protected:
    BandReport Layout() override;
};

// The protocol for the compost quality association: date, edge, core, base, and
// columns for remarks and the inspector's signature.
class TFQRKompProtokoll : public TReportForm {
public:
    TFQRKompProtokoll();
protected:
    BandReport Layout() override;
};
