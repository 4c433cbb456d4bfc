#include "print/BandReport.h"

#include "base/DisplayFormat.h"

#include <QCoreApplication>
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

// One report being laid out on its pages: the page header, the column header, the
// rows, the summary band and the footer, each drawn by a function of its own.
class PageWriter {
public:
    PageWriter(const BandReport &r, QPainter &p, QPagedPaintDevice &device, int pagesBefore)
        : r_(r), p_(p), device_(device), pagesBefore_(pagesBefore),
          mm_(device.logicalDpiY() / 25.4), width_(device.width()), height_(device.height()),
          detailFont_(Font(r.DetailPointSize)), detailMetrics_(detailFont_, &device),
          footerFont_(Font(7.5)), plain_(detailFont_, &device)
    {
        printed_ = r.FooterDateText.isEmpty() ? DisplayStampText(QDateTime::currentDateTime()) : r.FooterDateText;
        double total = 0;
        for (const ReportColumn &c : r.Columns)
            total += c.Share > 0 ? c.Share : 0;
        x_.assign(r.Columns.size() + 1, 0.0);
        for (size_t i = 0; i < r.Columns.size(); ++i)
            x_[i + 1] = x_[i] + (total > 0 ? width_ * qMax(0.0, r.Columns[i].Share) / total : 0);
        for (const ReportColumn &c : r.Columns)
            groups_ = groups_ || !c.Group.isEmpty();
        rowHeight_ = detailMetrics_.height() * 1.35;
        footerHeight_ = QFontMetricsF(footerFont_, &device).height() * 2;
        bottom_ = height_ - footerHeight_;
        pad_ = Mm(1);
        rule_ = QPen(Qt::black);
        rule_.setWidthF(Mm(0.2));
        baseline_ = (rowHeight_ + detailMetrics_.ascent() - detailMetrics_.descent()) / 2;
    }

    // Draws every page; returns how many.
    int Run()
    {
        NewPage();
        DrawRows();
        DrawSummary();
        DrawFooter();
        return page_;
    }

private:
    double Mm(double v) const { return v * mm_; }

    void NewPage()
    {
        if (page_ > 0) {
            DrawFooter();
            device_.newPage();
        }
        ++page_;
        y_ = 0;
        DrawPageHeader();
        if (!r_.Columns.empty())
            DrawColumnHeader();
        rowsTop_ = y_;
    }

    void DrawFooter()
    {
        p_.setFont(footerFont_);
        const QRectF band(0, height_ - footerHeight_, width_, footerHeight_);
        p_.setPen(rule_);
        p_.drawLine(band.topLeft(), band.topRight());
        p_.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, r_.FooterDateLabel + u' ' + printed_);
        p_.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                    r_.FooterPageLabel + u' ' + QString::number(pagesBefore_ + page_));
    }

    void DrawPageHeader()
    {
        for (const HeaderItem &h : r_.Header) {
            const QFont bold = Font(h.PointSize, true), plain = Font(h.PointSize, h.Bold);
            const double lineHeight = QFontMetricsF(plain, &device_).height() * 1.2;
            const QRectF band(0, y_, width_, lineHeight);
            if (h.Label.isEmpty()) {
                p_.setFont(plain);
                p_.drawText(band, h.Align | Qt::AlignVCenter, h.Text);
            } else {
                p_.setFont(bold);
                const double labelWidth = QFontMetricsF(bold, &device_).horizontalAdvance(h.Label + u' ');
                p_.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, h.Label);
                p_.setFont(plain);
                p_.drawText(band.adjusted(labelWidth, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, h.Text);
            }
            y_ += lineHeight;
        }
        y_ += Mm(2);
    }

    // Group headings over their columns, then the headings, each wrapped into its
    // column; the band is as tall as the tallest.
    void DrawColumnHeader()
    {
        const std::vector<ReportColumn> &cols = r_.Columns;
        const double top = y_, headRow = rowHeight_ * 1.1;
        double height = headRow * (groups_ ? 2 : 1);
        for (size_t k = 0; k < cols.size(); ++k) {
            const QFontMetricsF fm(Font(r_.DetailPointSize, cols[k].HeadingBold), &device_);
            const QRectF need = fm.boundingRect(QRectF(0, 0, x_[k + 1] - x_[k] - 2 * pad_, 1e6),
                                                Qt::AlignCenter | Qt::TextWordWrap, cols[k].Heading);
            height = qMax(height, need.height() + 2 * pad_ + (cols[k].Group.isEmpty() ? 0 : headRow));
        }
        p_.setPen(rule_);
        p_.drawLine(QPointF(0, top), QPointF(width_, top));
        for (size_t i = 0; i < cols.size();) {
            size_t j = i + 1;
            while (j < cols.size() && !cols[i].Group.isEmpty() && cols[j].Group == cols[i].Group)
                ++j;
            if (!cols[i].Group.isEmpty()) {
                p_.setFont(Font(r_.DetailPointSize, cols[i].HeadingBold));
                p_.drawText(QRectF(x_[i] + pad_, top, x_[j] - x_[i] - 2 * pad_, headRow), Qt::AlignCenter, cols[i].Group);
                p_.drawLine(QPointF(x_[i], top + headRow), QPointF(x_[j], top + headRow));
            }
            for (size_t k = i; k < j; ++k) {
                const double cellTop = cols[k].Group.isEmpty() ? top : top + headRow;
                p_.setFont(Font(r_.DetailPointSize, cols[k].HeadingBold));
                p_.drawText(QRectF(x_[k] + pad_, cellTop, x_[k + 1] - x_[k] - 2 * pad_, top + height - cellTop),
                            Qt::AlignCenter | Qt::TextWordWrap, cols[k].Heading);
            }
            i = j;
        }
        for (size_t i = 0; i <= cols.size(); ++i) {
            // Inside a group the rule starts under the group's heading.
            const bool inside = i > 0 && i < cols.size() && !cols[i].Group.isEmpty()
                                && cols[i].Group == cols[i - 1].Group;
            p_.drawLine(QPointF(x_[i], inside ? top + headRow : top), QPointF(x_[i], top + height));
        }
        y_ = top + height;
        p_.drawLine(QPointF(0, y_), QPointF(width_, y_));
    }

    // Detail rows are most of a long protocol's time: one line of text a cell, placed
    // from the font's metrics (no text layout per cell), and the column rules drawn
    // once per page over all its rows.
    void DrawRows()
    {
        p_.setFont(detailFont_);
        while (r_.NextRow && r_.NextRow()) {
            if (y_ + rowHeight_ > bottom_) {
                DrawColumnRules();
                NewPage();
                p_.setFont(detailFont_);
            }
            for (size_t i = 0; i < r_.Columns.size(); ++i)
                DrawCell(i, r_.CellText ? r_.CellText(int(i)) : QString());
            plain_.Draw(p_);
            y_ += rowHeight_;
            p_.setPen(rule_);
            p_.drawLine(QPointF(0, y_), QPointF(width_, y_));
        }
        DrawColumnRules();
    }

    void DrawCell(size_t i, const QString &text)
    {
        if (text.isEmpty())
            return;
        const double left = x_[i] + pad_, width = x_[i + 1] - x_[i] - 2 * pad_;
        const double quick = plain_.Width(text);
        const double wide = quick >= 0 ? quick : detailMetrics_.horizontalAdvance(text);
        if (wide > width && width > 0) {
            // A text wider than its column is set smaller, never cut off.
            p_.setFont(Font(qMax(4.0, r_.DetailPointSize * width / wide * 0.98)));
            p_.drawText(QRectF(left, y_, width, rowHeight_), r_.Columns[i].Align | Qt::AlignVCenter, text);
            p_.setFont(detailFont_);
            return;
        }
        const Qt::Alignment h = r_.Columns[i].Align & Qt::AlignHorizontal_Mask;
        const double at = h & Qt::AlignRight ? left + width - wide
                          : h & Qt::AlignHCenter ? left + (width - wide) / 2
                                                 : left;
        if (quick >= 0)
            plain_.Add(text, QPointF(at, y_ + baseline_));
        else
            p_.drawText(QPointF(at, y_ + baseline_), text);
    }

    void DrawColumnRules()
    {
        p_.setPen(rule_);
        if (y_ > rowsTop_)
            for (size_t i = 0; i <= r_.Columns.size(); ++i)
                p_.drawLine(QPointF(x_[i], rowsTop_), QPointF(x_[i], y_));
    }

    void DrawSummary()
    {
        if (r_.SummaryHeightMm <= 0 || !r_.DrawSummary)
            return;
        const double h = r_.SummaryFillsPage ? qMax(Mm(20), bottom_ - y_ - Mm(4))
                                             : qMin(Mm(r_.SummaryHeightMm), bottom_ - Mm(40));
        if (y_ + Mm(2) + h > bottom_)
            NewPage();
        const QRectF band(0, y_ + Mm(2), width_, h);
        p_.save();
        r_.DrawSummary(p_, band);
        p_.restore();
    }

    const BandReport &r_;
    QPainter &p_;
    QPagedPaintDevice &device_;
    const int pagesBefore_;
    const double mm_;                   // device units per millimetre
    const double width_, height_;       // printable area
    const QFont detailFont_;
    const QFontMetricsF detailMetrics_;
    const QFont footerFont_;
    PlainGlyphs plain_;
    QString printed_;
    std::vector<double> x_;             // column edges
    bool groups_ = false;
    double rowHeight_ = 0, footerHeight_ = 0, bottom_ = 0, pad_ = 0, baseline_ = 0;
    QPen rule_;
    int page_ = 0;                      // of this report; the footer counts the document's pages
    double y_ = 0;
    double rowsTop_ = 0;                // where this page's rows begin
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
        device.setPageSize(r.PageSize);
        device.setPageOrientation(r.Orientation);
        device.setPageMargins(r.MarginsMm, QPageLayout::Millimeter);
        if (i == 0) {
            if (!p.begin(&device))
                return 0;
        } else {
            device.newPage();   // each report starts on a page of its own
        }
        pages += PageWriter(r, p, device, pages).Run();
    }
    if (p.isActive())
        p.end();
    return pages;
}

bool BandReport::WritePdf(const QString &path, QString *error, int *pages, bool archive)
{
    return WritePdfAll(path, {this}, error, pages, archive);
}

bool BandReport::WritePdfAll(const QString &path, const std::vector<BandReport *> &reports, QString *error,
                             int *pages, bool archive)
{
    int count = 0;
    {
        KeepPageBuffers();
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        if (archive)
            pdf.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        pdf.setTitle(reports.empty() ? QString() : reports.front()->Title);
        pdf.setCreator(QStringLiteral("O2-Haldrix"));
        count = RenderAll(pdf, reports);
    }
    if (pages)
        *pages = count;
    if (count == 0 || !QFile::exists(path) || QFile(path).size() == 0) {
        if (error)
            *error = QCoreApplication::translate("Print", "Die PDF-Datei %1 konnte nicht geschrieben werden.").arg(path);
        return false;
    }
    return true;
}
