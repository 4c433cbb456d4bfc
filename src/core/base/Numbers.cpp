#include "base/Numbers.h"

#include <charconv>
#include <cmath>

namespace {

// Copies a short field into ASCII, blanks dropped when allowed. Fields are short
// (a few digits); anything longer than the buffer is no number of ours.
template <typename Char>
bool ToAscii(const Char *p, qsizetype n, bool blanks, char *buf, qsizetype cap, qsizetype &len)
{
    if (blanks) {
        while (n > 0 && (p[0] == ' ' || p[0] == '\t'))
            ++p, --n;
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\t' || p[n - 1] == '\r' || p[n - 1] == '\n'))
            --n;
    }
    if (n <= 0 || n >= cap)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned>(p[i]);
        if (c >= 0x80 || c == 0)
            return false;
        buf[i] = static_cast<char>(c);
    }
    len = n;
    return true;
}

bool ParseAsciiInt(const char *b, const char *e, qint32 &out, unsigned syntax)
{
    bool negative = false;
    if (b < e && (*b == '+' || *b == '-'))
        negative = *b++ == '-';
    int base = 10;
    if (syntax & NumberHex) {
        if (e - b > 2 && b[0] == '0' && (b[1] == 'x' || b[1] == 'X'))
            base = 16, b += 2;
        else if (e - b > 1 && b[0] == '$')
            base = 16, b += 1;
    }
    if (b == e || *b == '+' || *b == '-')
        return false;
    quint64 magnitude = 0;
    const auto r = std::from_chars(b, e, magnitude, base);
    if (r.ec != std::errc() || r.ptr != e)
        return false;
    qint64 v;
    if (base == 16 && !negative && magnitude <= 0xFFFFFFFFull)
        v = magnitude > 0x7FFFFFFFull ? qint64(magnitude) - 0x100000000LL : qint64(magnitude);
    else if (magnitude > 0x80000000ull)
        return false;
    else
        v = negative ? -qint64(magnitude) : qint64(magnitude);
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    out = qint32(v);
    return true;
}

template <typename Char>
bool ParseInt(const Char *p, qsizetype n, qint32 &out, unsigned syntax)
{
    char buf[40];
    qsizetype len = 0;
    if (!ToAscii(p, n, syntax & NumberBlanks, buf, sizeof buf, len))
        return false;
    return ParseAsciiInt(buf, buf + len, out, syntax);
}

} // namespace

bool ParseInt32(QByteArrayView text, qint32 &out, unsigned syntax)
{
    return ParseInt(text.data(), text.size(), out, syntax);
}

bool ParseInt32(QStringView text, qint32 &out, unsigned syntax)
{
    return ParseInt(text.utf16(), text.size(), out, syntax);
}

bool ParseReal(QStringView text, double &out)
{
    char buf[64];
    qsizetype len = 0;
    if (!ToAscii(text.utf16(), text.size(), true, buf, sizeof buf, len))
        return false;
    int separators = 0;
    for (qsizetype i = 0; i < len; ++i) {
        if (buf[i] == ',' || buf[i] == '.') {
            buf[i] = '.';
            ++separators;
        }
    }
    if (separators > 1)
        return false;
    const char *b = buf;
    if (*b == '+')
        ++b;
    if (b == buf + len || (b != buf && *b == '-'))
        return false;
    double v = 0.0;
    const auto r = std::from_chars(b, buf + len, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != buf + len || !std::isfinite(v))
        return false;
    out = v;
    return true;
}
