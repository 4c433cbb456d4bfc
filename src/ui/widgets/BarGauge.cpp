#include "widgets/BarGauge.h"

#include <QPainter>
#include <cmath>

namespace {
const QColor kBack(205, 20, 20);     // red background
const QColor kBar(0, 0, 110);        // navy bar
const QColor kMark(40, 110, 255);    // blue marks, visible on red and on navy
const QColor kFrame(60, 60, 60);
}

TBarGauge::TBarGauge(QWidget *parent) : QWidget(parent) {}

void TBarGauge::SetValue(int value)
{
    value = std::clamp(value, 0, max_);
    if (value == value_ && on_)
        return;
    value_ = value;
    on_ = true;
    update();
}

void TBarGauge::SwitchOff()
{
    if (!on_)
        return;
    on_ = false;
    update();
}

bool TBarGauge::IsOn() const { return on_; }

int TBarGauge::Value() const { return value_; }

void TBarGauge::SetCaption(const QString &c) { caption_ = c; updateGeometry(); update(); }
QString TBarGauge::Caption() const { return caption_; }
void TBarGauge::SetUnit(const QString &u) { unit_ = u; updateGeometry(); update(); }
QString TBarGauge::Unit() const { return unit_; }

void TBarGauge::SetMaximum(int m)
{
    max_ = std::max(1, m);   // a zero range would divide by zero when painting
    value_ = std::clamp(value_, 0, max_);
    update();
}

int TBarGauge::Maximum() const { return max_; }

QSize TBarGauge::sizeHint() const
{
    const QFontMetrics fm(font());
    const int textW = std::max({fm.horizontalAdvance(caption_), fm.horizontalAdvance(QString::number(max_) + QLatin1Char(' ') + unit_),
                                fm.averageCharWidth() * 4});
    return QSize(textW + 4, fm.height() * 12);
}

void TBarGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    QRect area = rect();
    p.setPen(palette().color(QPalette::WindowText));
    if (!caption_.isEmpty()) {
        p.drawText(QRect(area.left(), area.top(), area.width(), fm.height()), Qt::AlignHCenter | Qt::AlignVCenter, caption_);
        area.setTop(area.top() + fm.height() + 2);
    }
    // Value and unit under the bar, so the reading is exact, not only seen.
    const QString number = on_ ? QString::number(value_) : QStringLiteral("---");
    const QString reading = unit_.isEmpty() ? number : number + QLatin1Char(' ') + unit_;
    p.drawText(QRect(area.left(), area.bottom() - fm.height() + 1, area.width(), fm.height()), Qt::AlignHCenter | Qt::AlignVCenter, reading);
    area.setBottom(area.bottom() - fm.height() - 2);

    const int barW = std::clamp(area.width() / 2, std::min(area.width(), fm.averageCharWidth() * 2), fm.averageCharWidth() * 5);
    const QRect bar(area.left() + (area.width() - barW) / 2, area.top(), barW, area.height());
    if (bar.height() < 4 || bar.width() < 2)
        return;

    // Without a value the bar is grey: neither "cold" nor "hot all through".
    p.fillRect(bar, on_ ? kBack : QColor(160, 160, 160));
    // The bar grows downwards: 0 is empty, the maximum fills to the bottom.
    const int filled = on_ ? int(std::lround(double(bar.height()) * value_ / max_)) : 0;
    p.fillRect(QRect(bar.left(), bar.top(), bar.width(), filled), kBar);

    // Marks at the quarters of the range (every 25 on a 0..100 scale), so the
    // marks stay at the same depths whichever unit the scale is in.
    p.setPen(QPen(kMark, std::max(1.0, fm.height() / 9.0)));
    for (int q = 1; q < 4; ++q) {
        const double y = bar.top() + bar.height() * q / 4.0;
        p.drawLine(QPointF(bar.left() - barW * 0.25, y), QPointF(bar.right() + 1 + barW * 0.25, y));
    }
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar.adjusted(0, 0, -1, -1));
}
