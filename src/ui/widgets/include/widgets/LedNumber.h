#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

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
