#include "print/BandReport.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace print {

namespace {

QFont Font(double points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

struct Layout {
    double mm;                  // device units per millimetre
    double width, height;       // printable area
    double Mm(double v) const { return v * mm; }
};

} // namespace

int BandReport::Render(QPagedPaintDevice &device)
{
    return RenderAll(device, {this});
}

int BandReport::RenderAll(QPagedPaintDevice &device, const std::vector<BandReport *> &reports)
{
    QPainter p;
    int pages = 0;
    for (size_t i = 0; i < reports.size(); ++i) {
        BandReport &r = *reports[i];
        device.setPageSize(r.pageSize);
        device.setPageOrientation(r.orientation);
        device.setPageMargins(r.marginsMm, QPageLayout::Millimeter);
        if (i == 0) {
            if (!p.begin(&device))
                return 0;
        } else {
            device.newPage();   // each report starts on a page of its own
        }
        pages += r.RenderPages(p, device, pages);
    }
    if (p.isActive())
        p.end();
    return pages;
}

int BandReport::RenderPages(QPainter &p, QPagedPaintDevice &device, int pagesBefore)
{
    Layout l{device.logicalDpiY() / 25.4, double(device.width()), double(device.height())};
    const QString printed = footerDateText.isEmpty()
        ? QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat)
        : footerDateText;

    double total = 0;
    for (const ReportColumn &c : columns)
        total += c.share > 0 ? c.share : 0;
    std::vector<double> x(columns.size() + 1, 0.0);
    for (size_t i = 0; i < columns.size(); ++i)
        x[i + 1] = x[i] + (total > 0 ? l.width * qMax(0.0, columns[i].share) / total : 0);
    bool groups = false;
    for (const ReportColumn &c : columns)
        groups = groups || !c.group.isEmpty();

    const QFont detailFont = Font(detailPointSize);
    const double rowHeight = QFontMetricsF(detailFont, &device).height() * 1.35;
    const QFont footerFont = Font(7.5);
    const double footerHeight = QFontMetricsF(footerFont, &device).height() * 2;
    const double pad = l.Mm(1);
    QPen rule(Qt::black);
    rule.setWidthF(l.Mm(0.2));

    int page = 0;               // of this report; the footer counts the document's pages
    double y = 0;
    auto drawFooter = [&] {
        p.setFont(footerFont);
        const QRectF band(0, l.height - footerHeight, l.width, footerHeight);
        p.setPen(rule);
        p.drawLine(band.topLeft(), band.topRight());
        p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, footerDateLabel + u' ' + printed);
        p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, footerPageLabel + u' ' + QString::number(pagesBefore + page));
    };
    auto drawHeaders = [&] {
        y = 0;
        for (const HeaderItem &h : header) {
            const QFont bold = Font(h.pointSize, true), plain = Font(h.pointSize, h.bold);
            const double lineHeight = QFontMetricsF(plain, &device).height() * 1.2;
            const QRectF band(0, y, l.width, lineHeight);
            if (h.label.isEmpty()) {
                p.setFont(plain);
                p.drawText(band, h.align | Qt::AlignVCenter, h.text);
            } else {
                p.setFont(bold);
                const double labelWidth = QFontMetricsF(bold, &device).horizontalAdvance(h.label + u' ');
                p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, h.label);
                p.setFont(plain);
                p.drawText(band.adjusted(labelWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, h.text);
            }
            y += lineHeight;
        }
        y += l.Mm(2);
        if (columns.empty())
            return;
        // Column header: group headings over their columns, then the headings.
        const double top = y, headRow = rowHeight * 1.1;
        // Tall enough for every heading, wrapped into its column.
        double height = headRow * (groups ? 2 : 1);
        for (size_t k = 0; k < columns.size(); ++k) {
            const QFontMetricsF fm(Font(detailPointSize, columns[k].headingBold), &device);
            const QRectF need = fm.boundingRect(QRectF(0, 0, x[k + 1] - x[k] - 2 * pad, 1e6),
                                                Qt::AlignCenter | Qt::TextWordWrap, columns[k].heading);
            height = qMax(height, need.height() + 2 * pad + (columns[k].group.isEmpty() ? 0 : headRow));
        }
        p.setPen(rule);
        p.drawLine(QPointF(0, top), QPointF(l.width, top));
        for (size_t i = 0; i < columns.size();) {
            size_t j = i + 1;
            while (j < columns.size() && !columns[i].group.isEmpty() && columns[j].group == columns[i].group)
                ++j;
            if (!columns[i].group.isEmpty()) {
                p.setFont(Font(detailPointSize, columns[i].headingBold));
                p.drawText(QRectF(x[i] + pad, top, x[j] - x[i] - 2 * pad, headRow), Qt::AlignCenter, columns[i].group);
                p.drawLine(QPointF(x[i], top + headRow), QPointF(x[j], top + headRow));
            }
            for (size_t k = i; k < j; ++k) {
                const double cellTop = columns[k].group.isEmpty() ? top : top + headRow;
                p.setFont(Font(detailPointSize, columns[k].headingBold));
                p.drawText(QRectF(x[k] + pad, cellTop, x[k + 1] - x[k] - 2 * pad, top + height - cellTop),
                           Qt::AlignCenter | Qt::TextWordWrap, columns[k].heading);
            }
            i = j;
        }
        for (size_t i = 0; i <= columns.size(); ++i) {
            // Inside a group the rule starts under the group's heading.
            const bool inside = i > 0 && i < columns.size() && !columns[i].group.isEmpty()
                                && columns[i].group == columns[i - 1].group;
            p.drawLine(QPointF(x[i], inside ? top + headRow : top), QPointF(x[i], top + height));
        }
        y = top + height;
        p.drawLine(QPointF(0, y), QPointF(l.width, y));
    };
    auto newPage = [&] {
        if (page > 0) {
            drawFooter();
            device.newPage();
        }
        ++page;
        drawHeaders();
    };

    newPage();
    const double bottom = l.height - footerHeight;
    while (nextRow && nextRow()) {
        if (y + rowHeight > bottom)
            newPage();
        p.setPen(rule);
        const QFontMetricsF detailMetrics(detailFont, &device);
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString text = cellText ? cellText(int(i)) : QString();
            const QRectF cell(x[i] + pad, y, x[i + 1] - x[i] - 2 * pad, rowHeight);
            // A text wider than its column is set smaller, never cut off.
            const double wide = detailMetrics.horizontalAdvance(text);
            p.setFont(wide > cell.width() && cell.width() > 0
                          ? Font(qMax(4.0, detailPointSize * cell.width() / wide * 0.98))
                          : detailFont);
            p.drawText(cell, columns[i].align | Qt::AlignVCenter, text);
        }
        for (size_t i = 0; i <= columns.size(); ++i)
            p.drawLine(QPointF(x[i], y), QPointF(x[i], y + rowHeight));
        y += rowHeight;
        p.drawLine(QPointF(0, y), QPointF(l.width, y));
    }
    if (summaryHeightMm > 0 && drawSummary) {
        const double h = summaryFillsPage ? qMax(l.Mm(20), bottom - y - l.Mm(4))
                                          : qMin(l.Mm(summaryHeightMm), bottom - l.Mm(40));
        if (y + l.Mm(2) + h > bottom)
            newPage();
        const QRectF band(0, y + l.Mm(2), l.width, h);
        p.save();
        drawSummary(p, band);
        p.restore();
    }
    drawFooter();
    return page;
}

bool BandReport::WritePdf(const QString &path, QString *error, int *pages)
{
    return WritePdfAll(path, {this}, error, pages);
}

bool BandReport::WritePdfAll(const QString &path, const std::vector<BandReport *> &reports, QString *error, int *pages)
{
    int count = 0;
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        pdf.setTitle(reports.empty() ? QString() : reports.front()->title);
        pdf.setCreator(QStringLiteral("O2-Haldrix"));
        count = RenderAll(pdf, reports);
    }
    if (pages)
        *pages = count;
    if (count == 0 || !QFile::exists(path) || QFile(path).size() == 0) {
        if (error)
            *error = QStringLiteral("%1: the PDF file could not be written").arg(path);
        return false;
    }
    return true;
}

} // namespace print
