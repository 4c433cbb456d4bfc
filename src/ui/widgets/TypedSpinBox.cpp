#include "widgets/TypedSpinBox.h"

#include <QLineEdit>

namespace {

QValidator::State StateOf(const TypedNumber &t)
{
    switch (t.kind) {
    case TypedNumber::Number: return QValidator::Acceptable;
    case TypedNumber::NotNumber: return QValidator::Invalid;
    default: return QValidator::Intermediate;   // kept on screen, never taken
    }
}

} // namespace

TypedNumber TWholeSpinBox::Typed() const
{
    return ReadTypedNumber(lineEdit()->text(), 0, minimum(), maximum());
}

QValidator::State TWholeSpinBox::validate(QString &input, int &) const
{
    return StateOf(ReadTypedNumber(input, 0, minimum(), maximum()));
}

void TWholeSpinBox::fixup(QString &) const {}

int TWholeSpinBox::valueFromText(const QString &text) const
{
    const TypedNumber t = ReadTypedNumber(text, 0, minimum(), maximum());
    return t.kind == TypedNumber::Number ? t.value : value();
}

TypedNumber TDecimalSpinBox::Typed() const
{
    return ReadTypedNumber(lineEdit()->text(), 1, qRound(minimum() * 10), qRound(maximum() * 10));
}

QValidator::State TDecimalSpinBox::validate(QString &input, int &) const
{
    return StateOf(ReadTypedNumber(input, 1, qRound(minimum() * 10), qRound(maximum() * 10)));
}

void TDecimalSpinBox::fixup(QString &) const {}

double TDecimalSpinBox::valueFromText(const QString &text) const
{
    const TypedNumber t = ReadTypedNumber(text, 1, qRound(minimum() * 10), qRound(maximum() * 10));
    return t.kind == TypedNumber::Number ? t.value / 10.0 : value();
}
