#include "widgets/PlantTabBar.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QToolTip>
#include "settings/SettingsFile.h"

#include "plant/Plant.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

PlantTabBar::PlantTabBar(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void PlantTabBar::SetTabState(int index, const QColor &textColor, const QString &toolTip)
{
    if (index < 0 || index >= tabs_.size())
        return;
    if (colors_.size() < tabs_.size())
        colors_.resize(tabs_.size());
    if (tips_.size() < tabs_.size())
        tips_.resize(tabs_.size());
    if (colors_[index] == textColor && tips_[index] == toolTip)
        return;
    colors_[index] = textColor;
    tips_[index] = toolTip;
    update();
}

QColor PlantTabBar::TabTextColor(int index) const { return colors_.value(index); }
QString PlantTabBar::TabToolTip(int index) const { return tips_.value(index); }

bool PlantTabBar::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        const QString tip = tips_.value(TabAt(static_cast<QHelpEvent *>(e)->pos()));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

void PlantTabBar::Clear()
{
    tabs_.clear();
    colors_.clear();
    tips_.clear();
    current_ = -1;
    hover_ = -1;
    Relayout();
}

int PlantTabBar::AddTab(const QString &text)
{
    tabs_.append(text);
    if (current_ < 0)
        current_ = 0;
    Relayout();
    return int(tabs_.size()) - 1;
}

int PlantTabBar::Count() const { return int(tabs_.size()); }

QString PlantTabBar::TabText(int index) const
{
    return index >= 0 && index < tabs_.size() ? tabs_[index] : QString();
}

int PlantTabBar::CurrentIndex() const { return current_; }

void PlantTabBar::SetCurrentIndex(int index)
{
    if (index < 0 || index >= tabs_.size() || index == current_)
        return;
    current_ = index;
    update();
    emit CurrentChanged(index);
}

void PlantTabBar::SetBold(bool bold)
{
    bold_ = bold;
    Relayout();
}

QFont PlantTabBar::TabFont() const
{
    QFont f = font();
    f.setBold(bold_);
    return f;
}

// All tabs share one width, wide enough for the widest caption (in bold, so the
// current tab never needs more room than the others).
int PlantTabBar::TabWidth() const
{
    QFont f = TabFont();
    f.setBold(true);
    const QFontMetrics fm(f);
    int w = fm.horizontalAdvance(QStringLiteral("00"));
    for (const QString &t : tabs_)
        w = std::max(w, fm.horizontalAdvance(t));
    return w + 2 * fm.averageCharWidth();
}

int PlantTabBar::RowHeight() const
{
    const QFontMetrics fm(TabFont());
    return fm.height() + fm.height() / 2;
}

// Tabs per row at a width; the rows are then evened out so the last one is not a stub.
int PlantTabBar::PerRow(int width) const
{
    const int n = std::max(1, int(tabs_.size()));
    const int fit = std::clamp(width / std::max(1, TabWidth()), 1, n);
    const int rows = (n + fit - 1) / fit;
    return (n + rows - 1) / rows;
}

int PlantTabBar::RowCount() const
{
    EnsureLayout();
    return tabs_.isEmpty() ? 0 : int((tabs_.size() + perRow_ - 1) / perRow_);
}

int PlantTabBar::heightForWidth(int w) const
{
    const int n = std::max(1, int(tabs_.size()));
    const int per = PerRow(w);
    return ((n + per - 1) / per) * RowHeight() + 1;
}

bool PlantTabBar::hasHeightForWidth() const { return true; }

QSize PlantTabBar::sizeHint() const
{
    // Two rows for 32 plants in a window of ordinary width.
    const int per = std::min(16, std::max(1, int(tabs_.size())));
    const int w = per * TabWidth();
    return QSize(w, heightForWidth(w));
}

QSize PlantTabBar::minimumSizeHint() const
{
    return QSize(TabWidth(), RowHeight() + 1);
}

// Geometry changes mark the layout stale; it is rebuilt on first use, so a bar
// resized while hidden (no resize event yet) still answers for its real width.
void PlantTabBar::Relayout()
{
    laidOutWidth_ = -1;
    updateGeometry();
    update();
}

void PlantTabBar::EnsureLayout() const
{
    if (laidOutWidth_ == width() && rects_.size() == tabs_.size())
        return;
    laidOutWidth_ = width();
    rects_.clear();
    perRow_ = PerRow(width());
    const int rowH = RowHeight();
    // Stretch the tabs so every full row spans the whole width.
    const double tabW = std::max(double(TabWidth()), double(width()) / perRow_);
    for (int i = 0; i < tabs_.size(); ++i) {
        const int row = i / perRow_, col = i % perRow_;
        const int x0 = int(std::lround(col * tabW)), x1 = int(std::lround((col + 1) * tabW));
        rects_.append(QRect(x0, row * rowH, x1 - x0, rowH));
    }
}

QRect PlantTabBar::TabRect(int index) const
{
    EnsureLayout();
    return index >= 0 && index < rects_.size() ? rects_[index] : QRect();
}

int PlantTabBar::TabAt(const QPoint &pos) const
{
    EnsureLayout();
    for (int i = 0; i < rects_.size(); ++i)
        if (rects_[i].contains(pos))
            return i;
    return -1;
}

void PlantTabBar::paintEvent(QPaintEvent *)
{
    EnsureLayout();
    QPainter p(this);
    const QPalette &pal = palette();
    const QColor frame = pal.color(QPalette::Mid);
    const QColor accent = pal.color(QPalette::Highlight);
    for (int i = 0; i < rects_.size(); ++i) {
        const QRect r = rects_[i].adjusted(0, 0, -1, -1);
        const bool cur = i == current_;
        QColor fill = cur ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
        if (!cur && i == hover_ && isEnabled())
            fill = fill.lighter(108);
        if (!cur)
            fill = fill.darker(104);
        p.fillRect(r, fill);
        p.setPen(frame);
        p.drawRect(r);
        if (cur) {
            // A coloured strip on top marks the current tab in every row layout.
            const int strip = std::max(3, r.height() / 6);
            p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 1, strip), accent);
        }
        QFont f = TabFont();
        if (cur)
            f.setBold(true);
        p.setFont(f);
        const QColor own = colors_.value(i);
        p.setPen(own.isValid() && isEnabled() ? own
                                              : pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                                          QPalette::ButtonText));
        p.drawText(r, Qt::AlignCenter, tabs_[i]);
        if (cur && hasFocus()) {
            QStyleOptionFocusRect opt;
            opt.initFrom(this);
            const int m = std::max(2, r.height() / 6);
            opt.rect = r.adjusted(m, m + 1, -m + 1, -m + 1);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
        }
    }
}

void PlantTabBar::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    const int i = TabAt(e->position().toPoint());
    if (i >= 0)
        SetCurrentIndex(i);
}

void PlantTabBar::mouseMoveEvent(QMouseEvent *e)
{
    const int i = TabAt(e->position().toPoint());
    if (i != hover_) {
        hover_ = i;
        update();
    }
    QWidget::mouseMoveEvent(e);
}

void PlantTabBar::leaveEvent(QEvent *e)
{
    hover_ = -1;
    update();
    QWidget::leaveEvent(e);
}

void PlantTabBar::resizeEvent(QResizeEvent *)
{
    // The row layout follows the width on its next use; no new size hint needed.
    update();
}

void PlantTabBar::keyPressEvent(QKeyEvent *e)
{
    if (tabs_.isEmpty()) {
        QWidget::keyPressEvent(e);
        return;
    }
    EnsureLayout();
    const int last = int(tabs_.size()) - 1;
    int next;
    switch (e->key()) {
    case Qt::Key_Left:  next = current_ - 1; break;
    case Qt::Key_Right: next = current_ + 1; break;
    case Qt::Key_Up:    next = current_ >= perRow_ ? current_ - perRow_ : current_; break;
    case Qt::Key_Down:  next = current_ / perRow_ < RowCount() - 1 ? current_ + perRow_ : current_; break;
    case Qt::Key_Home:  next = 0; break;
    case Qt::Key_End:   next = last; break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    SetCurrentIndex(std::clamp(next, 0, last));
}

void PlantTabBar::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
        Relayout();
    QWidget::changeEvent(e);
}

void FillPlantTabs(PlantTabBar *tabs, int count)
{
    if (!tabs)
        return;
    tabs->Clear();
    for (int i = 1; i <= count; ++i)
        tabs->AddTab(QString::number(i + Settings().DisplayOffset));
}

QString PlantStateCaption(int plant)
{
    const TAnlageParameter &slot = Plants().PlantTable[qBound(1, plant, MaxPlants)];
    if (!slot.Present)
        return QCoreApplication::translate("PlantCaption", "KEINE ANLAGE ANGESCHLOSSEN!!");
    if (slot.Running)
        return slot.Name;
    return QCoreApplication::translate("PlantCaption", "Angeschlossene ANLAGE ist abgeschaltet!!");
}
