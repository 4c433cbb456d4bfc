#include "print/BandReport.h"

#include "base/DisplayFormat.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextLayout>

#include <array>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace print {

namespace {

QFont Font(double points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The glyphs of the characters that numbers and stamps are made of, in one font on
// one device. A row's cells of only these characters go to the page as one glyph
// run: shaping every cell anew was most of a long protocol's time, and these
// characters neither kern nor join in the report font.
class PlainGlyphs {
public:
    PlainGlyphs(const QFont &font, QPaintDevice *device)
    {
        static const QString chars = QStringLiteral("0123456789 .,:;/-+*%()");
        QTextLayout layout(chars, font, device);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        if (runs.size() != 1)
            return;
        raw_ = runs.front().rawFont();
        const QList<quint32> glyphs = raw_.glyphIndexesForString(chars);
        if (glyphs.size() != chars.size())
            return;
        const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
        for (qsizetype i = 0; i < chars.size(); ++i) {
            if (glyphs[i] == 0)
                return;         // a character the font lacks: no fast way
            glyph_[chars[i].unicode()] = glyphs[i];
            advance_[chars[i].unicode()] = advances[i].x();
        }
        ok_ = true;
    }
    // The width of text, or -1 when a character of it is not among these.
    double Width(QStringView text) const
    {
        if (!ok_)
            return -1;
        double w = 0;
        for (QChar c : text) {
            if (c.unicode() >= 128 || glyph_[c.unicode()] == 0)
                return -1;
            w += advance_[c.unicode()];
        }
        return w;
    }
    void Add(QStringView text, QPointF baseline)
    {
        for (QChar c : text) {
            if (c != u' ') {
                glyphs_.append(glyph_[c.unicode()]);
                positions_.append(baseline);
            }
            baseline.rx() += advance_[c.unicode()];
        }
    }
    void Draw(QPainter &p)
    {
        if (glyphs_.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(glyphs_);
        run.setPositions(positions_);
        p.drawGlyphRun(QPointF(0, 0), run);
        glyphs_.clear();
        positions_.clear();
    }

private:
    bool ok_ = false;
    QRawFont raw_;
    std::array<quint32, 128> glyph_{};
    std::array<double, 128> advance_{};
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
};

// The PDF writer takes and frees a large buffer for every page; glibc hands it back
// to the kernel each time, which cost a quarter of a long protocol's time. Kept
// instead (the process's memory stays as large as its largest page).
void KeepPageBuffers()
{
#ifdef __GLIBC__
    static const bool once = [] {
        mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
        return true;
    }();
    Q_UNUSED(once);
#endif
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
        ? DisplayStampText(QDateTime::currentDateTime())
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
    // Detail rows are most of a long protocol's time: one line of text a cell, placed
    // from the font's metrics (no text layout per cell), and the column rules drawn
    // once per page over all its rows.
    const QFontMetricsF detailMetrics(detailFont, &device);
    const double baseline = (rowHeight + detailMetrics.ascent() - detailMetrics.descent()) / 2;
    double rowsTop = y;
    auto drawColumnRules = [&] {
        p.setPen(rule);
        if (y > rowsTop)
            for (size_t i = 0; i <= columns.size(); ++i)
                p.drawLine(QPointF(x[i], rowsTop), QPointF(x[i], y));
    };
    PlainGlyphs plain(detailFont, &device);
    p.setFont(detailFont);
    while (nextRow && nextRow()) {
        if (y + rowHeight > bottom) {
            drawColumnRules();
            newPage();
            rowsTop = y;
            p.setFont(detailFont);
        }
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString text = cellText ? cellText(int(i)) : QString();
            if (text.isEmpty())
                continue;
            const double left = x[i] + pad, width = x[i + 1] - x[i] - 2 * pad;
            const double quick = plain.Width(text);
            const double wide = quick >= 0 ? quick : detailMetrics.horizontalAdvance(text);
            if (wide > width && width > 0) {
                // A text wider than its column is set smaller, never cut off.
                p.setFont(Font(qMax(4.0, detailPointSize * width / wide * 0.98)));
                p.drawText(QRectF(left, y, width, rowHeight), columns[i].align | Qt::AlignVCenter, text);
                p.setFont(detailFont);
                continue;
            }
            const Qt::Alignment h = columns[i].align & Qt::AlignHorizontal_Mask;
            const double at = h & Qt::AlignRight ? left + width - wide
                              : h & Qt::AlignHCenter ? left + (width - wide) / 2
                                                     : left;
            if (quick >= 0)
                plain.Add(text, QPointF(at, y + baseline));
            else
                p.drawText(QPointF(at, y + baseline), text);
        }
        plain.Draw(p);
        y += rowHeight;
        p.setPen(rule);
        p.drawLine(QPointF(0, y), QPointF(l.width, y));
    }
    drawColumnRules();
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
        KeepPageBuffers();
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
