#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

// Tab row that wraps into several rows so all 32 plants show at once.
class PlantTabBar : public QWidget {
    Q_OBJECT
public:
    explicit PlantTabBar(QWidget *parent = nullptr);
    void Clear();                       // current becomes -1 without a signal
    int AddTab(const QString &text);    // the first tab becomes current without a signal
    int Count() const;
    QString TabText(int index) const;
    int CurrentIndex() const;
    void SetCurrentIndex(int index);    // emits CurrentChanged when it changes (also from mouse and keys)
    void SetBold(bool bold);
    int heightForWidth(int w) const override;
    bool hasHeightForWidth() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QRect TabRect(int index) const;     // empty for an invalid index
    int TabAt(const QPoint &pos) const; // -1 outside every tab
    int RowCount() const;               // rows at the current width
    // A tab's own text colour (invalid: the normal one) and tool tip.
    void SetTabState(int index, const QColor &textColor, const QString &toolTip);
    QColor TabTextColor(int index) const;
    QString TabToolTip(int index) const;
signals:
    void CurrentChanged(int index);
protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void leaveEvent(QEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void changeEvent(QEvent *) override;
    bool event(QEvent *) override;
private:
    QStringList tabs_;
    QList<QColor> colors_;
    QStringList tips_;
    int current_ = -1;
    bool bold_ = false;
    mutable QList<QRect> rects_;        // laid out lazily for the current width
    mutable int perRow_ = 1;
    mutable int laidOutWidth_ = -1;
    int hover_ = -1;
    void Relayout();
    void EnsureLayout() const;
    QFont TabFont() const;
    int TabWidth() const;
    int RowHeight() const;
    int PerRow(int width) const;
};

// Removes all tabs and adds count tabs captioned i + DisplayOffset (i from 1).
void FillPlantTabs(PlantTabBar *tabs, int count);
// What the line under a window's plant tabs says of plant n: its pile's name, or
// that it is not connected or switched off.
QString PlantStateCaption(int plant);
