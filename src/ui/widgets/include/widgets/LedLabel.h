#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;
class TLedLamp;

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
