#pragma once
// The one number parser of the program: reply fields, settings values and data file
// fields. Never the C library's locale, never QLocale's group separators.

#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

enum NumberSyntax : unsigned {
    NumberStrict = 0,       // optional sign and digits, nothing else
    NumberBlanks = 1,       // blanks before and after are allowed
    NumberHex = 2,          // "0x…" or "$…" hexadecimal (settings); 0xFFFFFFFF is -1
};

// A whole 32-bit number with optional "+" or "-"; false for anything else or a value
// outside 32 bits (no wrap-around). `out` is left alone on failure.
bool ParseInt32(QByteArrayView text, qint32 &out, unsigned syntax = NumberStrict);
bool ParseInt32(QStringView text, qint32 &out, unsigned syntax = NumberStrict);

// A finite real with "," or "." as decimal separator (at most one of them), optional
// sign and exponent, blanks around it allowed; no group separators, so that "55.5"
// is never read as 555 under another number format.
bool ParseReal(QStringView text, double &out);
