#pragma once
// A banded report of our own on QPainter. Every page has the page header, the
// column header and the page footer (print date/time, page number); detail rows
// are pulled one by one from the filler and never split by a page break; an
// optional summary band (a chart, say) follows the last row. It knows nothing of
// the forms that use it.

#include <QDateTime>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace print {

// One line of the page header: an optional bold label, then the text.
struct HeaderItem {
    QString label;
    QString text;
    double pointSize = 9;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft;
};

struct ReportColumn {
    QString group;              // common heading over neighbouring columns of the same group
    QString heading;
    double share = 1;           // part of the printable width, relative to the other columns
    Qt::Alignment align = Qt::AlignRight;
    bool headingBold = false;
};

class BandReport {
public:
    QPageSize pageSize{QPageSize::Letter};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};
    QString title;                                  // document title (PDF)

    std::vector<HeaderItem> header;
    std::vector<ReportColumn> columns;
    double detailPointSize = 8;
    // Another row? Advances the filler to it. Then cellText(column) per column.
    std::function<bool()> nextRow;
    std::function<QString(int column)> cellText;
    // Summary band: height in mm (0: none) and what to draw into its rectangle.
    double summaryHeightMm = 0;
    bool summaryFillsPage = false;                  // the summary takes the rest of its page
    std::function<void(QPainter &, const QRectF &)> drawSummary;

    QString footerDateLabel = QStringLiteral("Druckdatum/-zeit :");
    QString footerPageLabel = QStringLiteral("Seitennr. :");
    QString footerDateText;                         // empty: now, in the program language's form

    // Lays the report out on `device` (page size, orientation and margins are set
    // here). Returns the number of pages, 0 when the device cannot be painted on.
    int Render(QPagedPaintDevice &device);
    // The same as a PDF file (vector text, embedded fonts).
    bool WritePdf(const QString &path, QString *error = nullptr, int *pages = nullptr);
    // Several reports as one document, each from a new page with its own layout.
    static int RenderAll(QPagedPaintDevice &device, const std::vector<BandReport *> &reports);
    static bool WritePdfAll(const QString &path, const std::vector<BandReport *> &reports,
                            QString *error = nullptr, int *pages = nullptr);

private:
    int RenderPages(QPainter &p, QPagedPaintDevice &device, int pagesBefore);
};

} // namespace print
