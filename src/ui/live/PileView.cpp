#include "live/PileView.h"

#include <QPainter>
#include <QResizeEvent>
#include <QSvgRenderer>

TPileView::TPileView(QWidget *parent) : TPicture(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

// Instruments are read from a distance: at least three quarters of their preferred size.
static QSize Wanted(const QWidget *w)
{
    return (w->sizeHint() * 0.75).expandedTo(w->minimumSizeHint()).expandedTo(w->minimumSize());
}

QSizeF TPileView::Natural() const
{
    const QSize s = PictureSize();
    return s.isEmpty() ? QSizeF(420, 300) : QSizeF(s);
}

void TPileView::Place(QWidget *w, const QRectF &r)
{
    slots_.append({w, r});
    updateGeometry();
    Arrange();
}

QSize TPileView::minimumSizeHint() const
{
    // The smallest scale at which every instrument still fits its rectangle.
    double scale = 0.5;
    for (const Slot &s : slots_) {
        const QSize m = Wanted(s.w);
        if (s.r.width() > 0)
            scale = qMax(scale, m.width() / s.r.width());
        if (s.r.height() > 0)
            scale = qMax(scale, m.height() / s.r.height());
    }
    return (Natural() * scale).toSize();
}

QSize TPileView::sizeHint() const
{
    return minimumSizeHint().expandedTo((Natural() * 1.3).toSize());
}

void TPileView::resizeEvent(QResizeEvent *e)
{
    TPicture::resizeEvent(e);
    Arrange();
}

QRectF TPileView::PictureRect() const
{
    constexpr double MaxStretch = 1.33;
    const QRectF area(rect());
    QRectF fit = FitRect(Natural(), area);
    if (fit.isEmpty())
        return fit;
    const QPointF centre = fit.center();
    fit.setWidth(qMin(area.width(), fit.width() * MaxStretch));
    fit.setHeight(qMin(area.height(), fit.height() * MaxStretch));
    fit.moveCenter(centre);
    return fit;
}

void TPileView::paintEvent(QPaintEvent *)
{
    if (rendered_ != Source()) {
        delete renderer_;
        renderer_ = new QSvgRenderer(Source(), this);
        rendered_ = Source();
    }
    if (!renderer_->isValid())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    renderer_->setAspectRatioMode(Qt::IgnoreAspectRatio);
    renderer_->render(&p, PictureRect());
}

void TPileView::Arrange()
{
    const QRectF fit = PictureRect();
    if (fit.isEmpty())
        return;
    const double sx = fit.width() / Natural().width();
    const double sy = fit.height() / Natural().height();
    for (const Slot &s : slots_) {
        QRectF target(fit.left() + s.r.left() * sx, fit.top() + s.r.top() * sy,
                      s.r.width() * sx, s.r.height() * sy);
        const QSize m = Wanted(s.w);
        if (target.width() < m.width() || target.height() < m.height()) {
            const QPointF c = target.center();
            target.setSize(target.size().expandedTo(QSizeF(m)));
            target.moveCenter(c);
        }
        s.w->setGeometry(target.toRect());
    }
}
