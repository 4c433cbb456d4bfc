#include "widgets/LedLamp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadialGradient>

TLedLamp::TLedLamp(QWidget *parent) : QWidget(parent), color_(255, 222, 0)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TLedLamp::SetLit(bool on)
{
    if (on == lit_)
        return;
    lit_ = on;
    update();
}

bool TLedLamp::IsLit() const { return lit_; }
void TLedLamp::SetColor(const QColor &c)
{
    if (c == color_)
        return;
    color_ = c;
    update();
}
QColor TLedLamp::Color() const { return color_; }

QSize TLedLamp::sizeHint() const
{
    const int d = QFontMetrics(font()).height();
    return QSize(d, d);
}

void TLedLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double d = std::min(width(), height()) - 2.0;
    if (d <= 1)
        return;
    const QRectF circle((width() - d) / 2, (height() - d) / 2, d, d);
    // Lit: bright centre with a highlight; dark: the same colour, dimmed and grey.
    const QColor base = lit_ ? color_ : QColor::fromHsv(color_.hue(), color_.saturation() / 3, 90);
    QRadialGradient g(circle.center() - QPointF(d * 0.18, d * 0.18), d * 0.65);
    g.setColorAt(0, lit_ ? base.lighter(160) : base.lighter(130));
    g.setColorAt(0.55, base);
    g.setColorAt(1, base.darker(lit_ ? 140 : 160));
    p.setBrush(g);
    p.setPen(QPen(QColor(50, 50, 50), std::max(1.0, d / 14)));
    p.drawEllipse(circle);
}
