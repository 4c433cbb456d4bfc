#include "live/PileView.h"

#include <QResizeEvent>

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

void TPileView::Arrange()
{
    const QRectF fit = FitRect(Natural(), QRectF(rect()));
    if (fit.isEmpty())
        return;
    const double scale = fit.width() / Natural().width();
    for (const Slot &s : slots_) {
        QRectF target(fit.left() + s.r.left() * scale, fit.top() + s.r.top() * scale,
                      s.r.width() * scale, s.r.height() * scale);
        const QSize m = Wanted(s.w);
        if (target.width() < m.width() || target.height() < m.height()) {
            const QPointF c = target.center();
            target.setSize(target.size().expandedTo(QSizeF(m)));
            target.moveCenter(c);
        }
        s.w->setGeometry(target.toRect());
    }
}
