#pragma once
// Spin boxes that take what an operator types: "25,7" and "25.7" alike in every
// language, a value beyond the range as the range's end (the window says so), and a
// separator in a whole-number field kept visible instead of dropped, so that digits
// never run together ("25.7" must not become 257). ReadTypedNumber decides.

#include "base/TypedNumber.h"

#include <QDoubleSpinBox>
#include <QSpinBox>

class TWholeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;
    // The typed text as the field would take it.
    TypedNumber Typed() const;
protected:
    QValidator::State validate(QString &input, int &pos) const override;
    // Never drops separators (the base class takes "." for a group separator).
    void fixup(QString &input) const override;
    int valueFromText(const QString &text) const override;
};

class TDecimalSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    using QDoubleSpinBox::QDoubleSpinBox;
    TypedNumber Typed() const;          // in tenths
protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    double valueFromText(const QString &text) const override;
};
