#pragma once
// A string grid addressed like the plant tables: Cells(col, row) with row 0 holding
// the column titles and column 0 the row titles. Those two are the table's own
// headers, so the titles stay in view while the body scrolls.

#include <QTableWidget>

class TTitledGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TTitledGrid(QWidget *parent = nullptr);

    // Counts include the title row / column.
    void SetColCount(int cols);
    void SetRowCount(int rows);
    int ColCount() const { return columnCount() + 1; }
    int RowCount() const { return rowCount() + 1; }

    QString Cells(int col, int row) const;
    // Writes only when the text differs, so an unchanged grid causes no repaint.
    void SetCells(int col, int row, const QString &text);

    void SetDefaultRowHeight(int h);
    void SetColWidth(int col, int w);   // col >= 1: the column's designed (minimum) width
    // Texts the column must show in full; with its title they set its minimum width.
    // The columns share any width beyond their minimums evenly.
    void SetColMinText(int col, const QStringList &texts);
    void FitColumns();

signals:
    void Clicked();                     // any click into the grid

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    QString corner_;
    QList<int> minWidth_;
    QList<QStringList> minTexts_;
    int ColMinimum(int section) const;
};
