#include "widgets/LedLabel.h"
#include "widgets/LedLamp.h"

#include <QHBoxLayout>
#include <QLabel>

TLedLabel::TLedLabel(QWidget *parent) : QWidget(parent), lamp_(new TLedLamp(this)), label_(new QLabel(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(QFontMetrics(font()).averageCharWidth());
    layout->addWidget(lamp_, 0, Qt::AlignVCenter);
    layout->addWidget(label_, 1, Qt::AlignVCenter);
}

void TLedLabel::SetText(const QString &t) { label_->setText(t); updateGeometry(); }
QString TLedLabel::Text() const { return label_->text(); }
void TLedLabel::SetLit(bool on) { lamp_->SetLit(on); }
bool TLedLabel::IsLit() const { return lamp_->IsLit(); }
void TLedLabel::SetColor(const QColor &c) { lamp_->SetColor(c); }
QColor TLedLabel::Color() const { return lamp_->Color(); }

QSize TLedLabel::sizeHint() const { return layout()->sizeHint(); }
