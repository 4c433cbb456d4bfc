#include "base/TypedNumber.h"

#include "base/Numbers.h"

#include <cmath>

TypedNumber ReadTypedNumber(QStringView text, int decimals, int min, int max)
{
    TypedNumber out;
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return out;
    qsizetype i = 0;
    if (t[0] == u'-' || t[0] == u'+')
        ++i;
    int digits = 0, separators = 0, digitsAfter = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            ++digits;
            digitsAfter += separators;
        } else if (c == u',' || c == u'.') {
            ++separators;
        } else {
            out.kind = TypedNumber::NotNumber;
            return out;
        }
    }
    if (separators > 1) {
        out.kind = decimals == 0 ? TypedNumber::NotWhole : TypedNumber::NotNumber;
        return out;
    }
    if (separators == 1 && decimals == 0) {
        out.kind = TypedNumber::NotWhole;
        return out;
    }
    if (digits == 0 || (separators == 1 && digitsAfter == 0)) {
        out.kind = TypedNumber::Partial;
        return out;
    }
    double v = 0;
    if (!ParseReal(t, v)) {
        out.kind = TypedNumber::NotNumber;
        return out;
    }
    const double scaled = std::round(v * (decimals > 0 ? 10.0 : 1.0));
    out.kind = TypedNumber::Number;
    if (scaled < min) {
        out.value = min;
        out.clamped = -1;
    } else if (scaled > max) {
        out.value = max;
        out.clamped = 1;
    } else {
        out.value = int(scaled);
    }
    return out;
}
