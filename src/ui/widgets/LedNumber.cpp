#include "widgets/LedNumber.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

const QColor kPanel(10, 34, 140);          // blue display
const QColor kPanelEdge(4, 16, 80);
const QColor kSegmentOn(255, 222, 0);      // yellow segments
const QColor kSegmentOff(255, 222, 0, 30); // faint unlit segments, as on a real display

// Width of a digit cell relative to its height, and of the decimal point cell.
constexpr double kDigitAspect = 0.56;
constexpr double kPointShare = 0.42;       // of a digit cell's width
constexpr int kLongestShown = 12;          // longer numbers show an error mark instead

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left, f upper left, g middle.
enum : unsigned { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

unsigned SegmentsOf(QChar ch)
{
    switch (ch.unicode()) {
    case '0': return A | B | C | D | E | F;
    case '1': return B | C;
    case '2': return A | B | D | E | G;
    case '3': return A | B | C | D | G;
    case '4': return B | C | F | G;
    case '5': return A | C | D | F | G;
    case '6': return A | C | D | E | F | G;
    case '7': return A | B | C;
    case '8': return A | B | C | D | E | F | G;
    case '9': return A | B | C | D | F | G;
    case '-': return G;
    case 'E': return A | D | E | F | G;
    default: return 0;
    }
}

QPolygonF Horizontal(double x0, double x1, double y, double t)
{
    const double h = t / 2;
    return QPolygonF({QPointF(x0, y), QPointF(x0 + h, y - h), QPointF(x1 - h, y - h),
                      QPointF(x1, y), QPointF(x1 - h, y + h), QPointF(x0 + h, y + h)});
}

QPolygonF Vertical(double x, double y0, double y1, double t)
{
    const double h = t / 2;
    return QPolygonF({QPointF(x, y0), QPointF(x + h, y0 + h), QPointF(x + h, y1 - h),
                      QPointF(x, y1), QPointF(x - h, y1 - h), QPointF(x - h, y0 + h)});
}

void DrawDigit(QPainter &p, const QRectF &cell, QChar ch)
{
    const unsigned lit = SegmentsOf(ch);
    const double t = std::min(cell.width() * 0.2, cell.height() * 0.11);
    const double gap = t * 0.18;
    const double left = cell.left() + t / 2, right = cell.right() - t / 2;
    const double top = cell.top() + t / 2, bottom = cell.bottom() - t / 2;
    const double mid = (top + bottom) / 2;
    const struct { unsigned bit; QPolygonF shape; } segments[] = {
        {A, Horizontal(left + gap, right - gap, top, t)},
        {G, Horizontal(left + gap, right - gap, mid, t)},
        {D, Horizontal(left + gap, right - gap, bottom, t)},
        {F, Vertical(left, top + gap, mid - gap, t)},
        {B, Vertical(right, top + gap, mid - gap, t)},
        {E, Vertical(left, mid + gap, bottom - gap, t)},
        {C, Vertical(right, mid + gap, bottom - gap, t)},
    };
    for (const auto &s : segments) {
        p.setBrush((lit & s.bit) ? kSegmentOn : kSegmentOff);
        p.drawPolygon(s.shape);
    }
}

void DrawPoint(QPainter &p, const QRectF &cell, double digitWidth, bool lit, bool comma)
{
    const double t = std::min(digitWidth * 0.2, cell.height() * 0.11) * 1.15;
    p.setBrush(lit ? kSegmentOn : kSegmentOff);
    const QRectF dot(cell.center().x() - t / 2, cell.bottom() - t, t, t);
    p.drawEllipse(dot);
    if (comma) {        // a short tail below the point
        const QPointF tail[3] = {QPointF(dot.right(), dot.center().y()), QPointF(dot.center().x(), dot.center().y()),
                                 QPointF(dot.left() - t * 0.3, dot.bottom() + t * 0.8)};
        p.drawPolygon(tail, 3);
    }
}

} // namespace

TLedNumber::TLedNumber(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TLedNumber::SetValue(int value) { SetValue(double(value)); }

// A repaint only when what is shown changes: the live display sets every value once
// a second, and each repaint also redraws the frame around the instrument.
void TLedNumber::SetValue(double value)
{
    if (on_ && (value_ == value || (std::isnan(value) && std::isnan(value_))))
        return;
    value_ = value;
    on_ = true;
    update();
}

void TLedNumber::SwitchOff()
{
    if (!on_)
        return;
    on_ = false;
    update();
}

bool TLedNumber::IsOn() const { return on_; }

QString TLedNumber::Text() const
{
    const int width = digits_ + (decimals_ > 0 ? decimals_ + 1 : 0);
    auto blank = [&](QChar fill) {
        QString s(digits_, fill);
        if (decimals_ > 0)
            s += point_ + QString(decimals_, fill);
        return s;
    };
    if (!on_)
        return blank(QLatin1Char('-'));
    if (!std::isfinite(value_))
        return blank(QLatin1Char('E'));
    // QString::number ignores the locale: the display always uses a point.
    QString s = QString::number(value_, 'f', decimals_);
    if (s.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (int i = 1; i < s.size(); ++i)
            if (s[i] != QLatin1Char('0') && s[i] != QLatin1Char('.'))
                allZero = false;
        if (allZero)
            s.remove(0, 1);   // no "-0.0" for tiny negative values
    }
    // A number wider than its positions is shown in full rather than cut, so
    // no wrong value ever appears; absurd lengths show an error mark.
    if (s.size() > std::max(width, kLongestShown))
        return blank(QLatin1Char('E'));
    s.replace(QLatin1Char('.'), point_);
    return s.rightJustified(width, QLatin1Char(' '));
}

void TLedNumber::SetCaption(const QString &c) { caption_ = c; updateGeometry(); update(); }
QString TLedNumber::Caption() const { return caption_; }
void TLedNumber::SetUnit(const QString &u) { unit_ = u; updateGeometry(); update(); }
QString TLedNumber::Unit() const { return unit_; }
void TLedNumber::SetDigits(int n) { digits_ = std::clamp(n, 1, kLongestShown); updateGeometry(); update(); }
int TLedNumber::Digits() const { return digits_; }
void TLedNumber::SetDecimals(int n) { decimals_ = std::clamp(n, 0, 6); updateGeometry(); update(); }
int TLedNumber::Decimals() const { return decimals_; }
void TLedNumber::SetDecimalPoint(QChar c)
{
    const QChar point = c == QLatin1Char(',') ? c : QLatin1Char('.');
    if (point == point_)
        return;
    point_ = point;
    update();
}
QChar TLedNumber::DecimalPoint() const { return point_; }

QSize TLedNumber::sizeHint() const
{
    const QFontMetrics fm(font());
    const double digitH = fm.height() * 1.9;
    const double digitW = digitH * kDigitAspect;
    const double pad = digitH * 0.22;
    const double cells = digits_ + decimals_ + (decimals_ > 0 ? kPointShare : 0);
    const double spacing = digitW * 0.28;
    const int gaps = digits_ + decimals_ + (decimals_ > 0 ? 1 : 0) - 1;
    int w = int(std::ceil(cells * digitW + gaps * spacing + 2 * pad));
    if (!unit_.isEmpty())
        w += fm.horizontalAdvance(unit_) + fm.averageCharWidth();
    int h = int(std::ceil(digitH + 2 * pad));
    if (!caption_.isEmpty())
        h += fm.height() + 2;
    w = std::max(w, caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_) + 2);
    return QSize(w, h);
}

QSize TLedNumber::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    const QSize full = sizeHint();
    return QSize(full.width() / 2, (caption_.isEmpty() ? 0 : fm.height()) + fm.height());
}

void TLedNumber::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    QRectF area = rect();

    if (!caption_.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        const QRectF captionRect(area.left(), area.top(), area.width(), fm.height());
        p.drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter, caption_);
        area.setTop(captionRect.bottom() + 2);
    }
    const double unitW = unit_.isEmpty() ? 0 : fm.horizontalAdvance(unit_) + fm.averageCharWidth();
    if (area.width() - unitW < 4 || area.height() < 4)
        return;

    const QString text = Text();
    // Cells of the designed positions, or of the text when it is wider (overflow).
    auto cellsOf = [](const QString &t) {
        double cells = 0;
        for (QChar ch : t)
            cells += (ch == QLatin1Char('.') || ch == QLatin1Char(',')) ? kPointShare : 1.0;
        return std::pair(cells, std::max(0, int(t.size()) - 1));
    };
    auto [cellUnits, gaps] = cellsOf(text);
    const auto designed = cellsOf(QString(digits_ + decimals_, QLatin1Char('8')) + (decimals_ > 0 ? "." : ""));
    if (designed.first > cellUnits) {
        cellUnits = designed.first;
        gaps = designed.second;
    }
    constexpr double spacingShare = 0.28;   // gap between cells, of a digit width

    // Largest digit that fits both the height and the width; the blue panel is
    // only as wide as its digits need, with the unit right beside it.
    double pad = area.height() * 0.15;
    double digitH = area.height() - 2 * pad;
    double digitW = digitH * kDigitAspect;
    const double maxInnerW = area.width() - unitW - 2 * pad;
    double needW = digitW * (cellUnits + gaps * spacingShare);
    if (needW > maxInnerW && needW > 0) {
        digitW *= maxInnerW / needW;
        digitH = digitW / kDigitAspect;
        needW = maxInnerW;
    }
    const QRectF panel(area.left(), area.top(), needW + 2 * pad, area.height());

    if (!unit_.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        const QRectF unitRect(panel.right() + fm.averageCharWidth() / 2.0, area.top(), unitW, area.height());
        p.drawText(unitRect, Qt::AlignLeft | Qt::AlignBottom, unit_);
    }

    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(kPanel);
    const double radius = std::min(panel.height(), panel.width()) * 0.08;
    p.drawRoundedRect(panel.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const double spacing = digitW * spacingShare;
    const double top = area.top() + (area.height() - digitH) / 2;
    double x = panel.right() - pad;   // right-aligned

    p.setPen(Qt::NoPen);
    for (int i = text.size() - 1; i >= 0; --i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('.') || ch == QLatin1Char(',')) {
            const double w = digitW * kPointShare;
            DrawPoint(p, QRectF(x - w, top, w, digitH), digitW, on_, ch == QLatin1Char(','));
            x -= w + spacing;
        } else {
            DrawDigit(p, QRectF(x - digitW, top, digitW, digitH), ch);
            x -= digitW + spacing;
        }
    }
}
