#pragma once

#include <QColor>
#include <QWidget>

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
