#include "live/LiveGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

TTitledGrid::TTitledGrid(QWidget *parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = horizontalHeader()->font();
    f.setBold(true);
    horizontalHeader()->setFont(f);
    verticalHeader()->setFont(f);
    SetDefaultRowHeight(22);
}

void TTitledGrid::SetColCount(int cols)
{
    setColumnCount(qMax(0, cols - 1));
}

void TTitledGrid::SetRowCount(int rows)
{
    setRowCount(qMax(0, rows - 1));
}

QString TTitledGrid::Cells(int col, int row) const
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return {};
    if (col == 0 && row == 0)
        return corner_;
    if (row == 0) {
        const QTableWidgetItem *it = horizontalHeaderItem(col - 1);
        return it ? it->text() : QString();
    }
    if (col == 0) {
        const QTableWidgetItem *it = verticalHeaderItem(row - 1);
        return it ? it->text() : QString();
    }
    const QTableWidgetItem *it = item(row - 1, col - 1);
    return it ? it->text() : QString();
}

void TTitledGrid::SetCells(int col, int row, const QString &text)
{
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        return;
    if (col == 0 && row == 0) {
        corner_ = text;
        return;
    }
    if (row == 0) {
        QTableWidgetItem *it = horizontalHeaderItem(col - 1);
        if (!it)
            setHorizontalHeaderItem(col - 1, new QTableWidgetItem(text));
        else if (it->text() != text)
            it->setText(text);
        return;
    }
    if (col == 0) {
        QTableWidgetItem *it = verticalHeaderItem(row - 1);
        if (!it)
            setVerticalHeaderItem(row - 1, new QTableWidgetItem(text));
        else if (it->text() != text)
            it->setText(text);
        return;
    }
    QTableWidgetItem *it = item(row - 1, col - 1);
    if (!it) {
        it = new QTableWidgetItem(text);
        it->setTextAlignment(Qt::AlignCenter);
        setItem(row - 1, col - 1, it);
    } else if (it->text() != text) {
        it->setText(text);
    }
}

void TTitledGrid::SetDefaultRowHeight(int h)
{
    verticalHeader()->setMinimumSectionSize(qMin(h, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(h);
}

void TTitledGrid::SetColWidth(int col, int w)
{
    if (col < 1)
        return;
    if (minWidth_.size() < col)
        minWidth_.resize(col);
    minWidth_[col - 1] = w;
    FitColumns();
}

void TTitledGrid::mouseReleaseEvent(QMouseEvent *e)
{
    QTableWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton)
        emit Clicked();
}

int TTitledGrid::ColMinimum(int section) const
{
    int w = section < minWidth_.size() ? minWidth_[section] : 0;
    const QTableWidgetItem *title = horizontalHeaderItem(section);
    if (title)
        w = qMax(w, horizontalHeader()->fontMetrics().horizontalAdvance(title->text()) + 14);
    if (section < minTexts_.size())
        for (const QString &t : minTexts_[section])
            w = qMax(w, fontMetrics().horizontalAdvance(t) + 10);
    return w;
}

void TTitledGrid::SetColMinText(int col, const QStringList &texts)
{
    if (col < 1)
        return;
    if (minTexts_.size() < col)
        minTexts_.resize(col);
    minTexts_[col - 1] = texts;
    FitColumns();
}

void TTitledGrid::FitColumns()
{
    const int n = columnCount();
    if (n == 0)
        return;
    QList<int> mins(n);
    int total = 0, shown = 0;
    for (int c = 0; c < n; ++c) {
        if (isColumnHidden(c))
            continue;
        mins[c] = ColMinimum(c);
        total += mins[c];
        ++shown;
    }
    const int spare = qMax(0, viewport()->width() - total);
    int given = 0, k = 0;
    for (int c = 0; c < n; ++c) {
        if (isColumnHidden(c))
            continue;
        ++k;
        const int share = spare * k / qMax(1, shown) - given;
        given += share;
        if (columnWidth(c) != mins[c] + share)
            setColumnWidth(c, mins[c] + share);
    }
    updateGeometry();
}

void TTitledGrid::resizeEvent(QResizeEvent *e)
{
    QTableWidget::resizeEvent(e);
    FitColumns();
}

QSize TTitledGrid::minimumSizeHint() const
{
    int w = verticalHeader()->sizeHint().width() + 2 * frameWidth()
            + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columnCount(); ++c)
        if (!isColumnHidden(c))
            w += ColMinimum(c);
    return {w, QTableWidget::minimumSizeHint().height()};
}

QSize TTitledGrid::sizeHint() const
{
    return minimumSizeHint();
}
