#pragma once
// What an operator typed into a number field, read the same in every language:
// "25,7" and "25.7" are one value, never 257; a value outside the field's range
// is taken at the range's end and said so, never cut to its first digits.

#include <QStringView>

struct TypedNumber {
    enum Kind {
        Number,         // a value (perhaps clamped, see Clamped)
        Empty,          // nothing typed
        Partial,        // on the way to a number ("-", "25,")
        NotWhole,       // a separator in a field of whole numbers
        NotNumber,      // anything else
    };
    Kind kind = Empty;
    int value = 0;      // in the field's units (tenths for one decimal), inside the range
    int clamped = 0;    // -1 raised to the minimum, +1 lowered to the maximum
};

// `decimals` 0 or 1; `min` and `max` in the field's units (tenths for 1). More
// decimals than the field shows are rounded.
TypedNumber ReadTypedNumber(QStringView text, int decimals, int min, int max);
