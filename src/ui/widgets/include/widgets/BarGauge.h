#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

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
