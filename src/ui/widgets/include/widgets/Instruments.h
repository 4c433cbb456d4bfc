#pragma once
// Display widgets of the live windows: LED-style number, vertical bar gauge, lamps,
// the letter bar for choosing an hour, and the multi-row plant tab row.

#include <QColor>
#include <QWidget>
#include <QStringList>

// Yellow seven-segment digits on blue, with caption above and unit beside.
class TLedNumber : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString unit READ Unit WRITE SetUnit)
    Q_PROPERTY(int digits READ Digits WRITE SetDigits)
    Q_PROPERTY(int decimals READ Decimals WRITE SetDecimals)
public:
    explicit TLedNumber(QWidget *parent = nullptr);
    void SetValue(int value);           // also switches the display on
    void SetValue(double value);
    void SwitchOff();                   // a minus sign in every digit position
    bool IsOn() const;
    QString Text() const;               // what the digits show, e.g. " 56", "12.3", "---"
    void SetCaption(const QString &c); QString Caption() const;
    void SetUnit(const QString &u);    QString Unit() const;
    void SetDigits(int n);             int Digits() const;     // integer positions
    void SetDecimals(int n);           int Decimals() const;
    // "." (default) or "," between the integer and the decimal positions.
    void SetDecimalPoint(QChar c);     QChar DecimalPoint() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
protected:
    void paintEvent(QPaintEvent *) override;
private:
    QString caption_, unit_;
    QChar point_ = QLatin1Char('.');
    int digits_ = 3, decimals_ = 0;
    double value_ = 0;
    bool on_ = false;
};

// Vertical bar gauge: navy bar on red, blue marks every 25, drawn top to bottom.
class TBarGauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString unit READ Unit WRITE SetUnit)
    Q_PROPERTY(int maximum READ Maximum WRITE SetMaximum)
public:
    explicit TBarGauge(QWidget *parent = nullptr);
    void SetValue(int value);           // also switches the gauge on
    int Value() const;
    void SwitchOff();                   // no value: an empty grey bar and "---"
    bool IsOn() const;
    void SetCaption(const QString &c); QString Caption() const;
    void SetUnit(const QString &u);    QString Unit() const;
    void SetMaximum(int m);            int Maximum() const;
    QSize sizeHint() const override;
protected:
    void paintEvent(QPaintEvent *) override;
private:
    QString caption_, unit_;
    int max_ = 100, value_ = 0;
    bool on_ = true;
};

// Round LED lamp; colour when lit configurable (default yellow).
class TLedLamp : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool lit READ IsLit WRITE SetLit)
    Q_PROPERTY(QColor color READ Color WRITE SetColor)
public:
    explicit TLedLamp(QWidget *parent = nullptr);
    void SetLit(bool on); bool IsLit() const;
    void SetColor(const QColor &c); QColor Color() const;
    QSize sizeHint() const override;
protected:
    void paintEvent(QPaintEvent *) override;
private:
    bool lit_ = false;
    QColor color_;
};

// LED lamp with a text beside it ("Steuerbetrieb", "Speicherstatus").
class TLedLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ Text WRITE SetText)
    Q_PROPERTY(bool lit READ IsLit WRITE SetLit)
    Q_PROPERTY(QColor color READ Color WRITE SetColor)
public:
    explicit TLedLabel(QWidget *parent = nullptr);
    void SetText(const QString &t); QString Text() const;
    void SetLit(bool on); bool IsLit() const;
    void SetColor(const QColor &c); QColor Color() const;
    QSize sizeHint() const override;
private:
    TLedLamp *lamp_;
    class QLabel *label_;
};

// Rows of toggle buttons of which at most one is down (all may be up).
class TLetterBar : public QWidget {
    Q_OBJECT
public:
    explicit TLetterBar(QWidget *parent = nullptr);
    // rows of captions; buttons are numbered 1.. in reading order
    void SetRows(const QList<QStringList> &rows);
    int ButtonCount() const;
    void SetDown(int number);           // 0 or out of range: all up
    int Down() const;                   // 0 when none is down
    QString Caption(int number) const;
signals:
    void Changed(int number);
private:
    QList<class QToolButton *> buttons_;
    int down_ = 0;
};

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
