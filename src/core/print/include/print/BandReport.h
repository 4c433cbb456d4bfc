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

// One line of the page header: an optional bold label, then the text.
struct HeaderItem {
    QString Label;
    QString Text;
    double PointSize = 9;
    bool Bold = false;
    Qt::Alignment Align = Qt::AlignLeft;
};

struct ReportColumn {
    QString Group;              // common heading over neighbouring columns of the same group
    QString Heading;
    double Share = 1;           // part of the printable width, relative to the other columns
    Qt::Alignment Align = Qt::AlignRight;
    bool HeadingBold = false;
};

class BandReport {
public:
    QPageSize PageSize{QPageSize::Letter};
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    QMarginsF MarginsMm{10, 10, 10, 10};
    QString Title;                                  // document title (PDF)

    std::vector<HeaderItem> Header;
    std::vector<ReportColumn> Columns;
    double DetailPointSize = 8;
    // Another row? Advances the filler to it. Then CellText(column) per column.
    std::function<bool()> NextRow;
    std::function<QString(int column)> CellText;
    // Summary band: height in mm (0: none) and what to draw into its rectangle.
    double SummaryHeightMm = 0;
    bool SummaryFillsPage = false;                  // the summary takes the rest of its page
    std::function<void(QPainter &, const QRectF &)> DrawSummary;

    QString FooterDateLabel = QStringLiteral("Druckdatum/-zeit :");
    QString FooterPageLabel = QStringLiteral("Seitennr. :");
    QString FooterDateText;                         // empty: now, in the program language's form

    // Lays the report out on `device` (page size, orientation and margins are set
    // here). Returns the number of pages, 0 when the device cannot be painted on.
    int Render(QPagedPaintDevice &device);
    // The same as a PDF file (vector text, embedded fonts); with `archive` as
    // PDF/A-1b, for keeping.
    bool WritePdf(const QString &path, QString *error = nullptr, int *pages = nullptr, bool archive = false);
    // Several reports as one document, each from a new page with its own layout.
    static int RenderAll(QPagedPaintDevice &device, const std::vector<BandReport *> &reports);
    static bool WritePdfAll(const QString &path, const std::vector<BandReport *> &reports,
                            QString *error = nullptr, int *pages = nullptr, bool archive = false);
};

