#include "base/TextCodec.h"

#include <QStringDecoder>

#include <cstring>

namespace {

// 0x80..0x9F; the five unassigned bytes map to the control character of the same
// code, as Windows itself does, so they round-trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool HasHighByte(QByteArrayView bytes)
{
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    // Eight bytes at a time: any set top bit.
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ULL)
            return true;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return true;
    return false;
}

// Is a character one that the texts of these files plausibly hold? Latin letters
// of every European language, punctuation, currency and technical symbols, emoji.
// Rare scripts are out: their two- and three-byte forms are exactly what ordinary
// Windows-1252 pairs such as "ß°" (DF B0 = U+07F0) look like as UTF-8.
bool PlausibleChar(char32_t c)
{
    return (c >= 0x00A0 && c <= 0x024F)        // Latin-1 supplement, Latin Extended-A/B
           || (c >= 0x1E00 && c <= 0x1EFF)     // Latin Extended Additional
           || (c >= 0x2010 && c <= 0x205E)     // dashes, quotes, bullets, ellipsis, per mille
           || (c >= 0x20A0 && c <= 0x20BF)     // currency (€)
           || (c >= 0x2100 && c <= 0x215F)     // letterlike (℃, №, ™), fractions
           || (c >= 0x2190 && c <= 0x22FF)     // arrows, mathematical operators
           || (c >= 0x1F300 && c <= 0x1FAFF);  // emoji
}

// Well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF) whose
// characters are all plausible; stops at the first fault, so a Windows-1252 file is
// told apart quickly.
bool PlausibleUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned char lo = 0x80, hi = 0xBF;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (i + len > n || p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (!PlausibleChar(cp))
            return false;
        i += len;
    }
    return true;
}

constexpr char kBom[] = "\xEF\xBB\xBF";

} // namespace

QByteArrayView SkipByteOrderMarks(QByteArrayView bytes)
{
    // Some editors add a second mark when they save a file that already has one.
    while (bytes.startsWith(QByteArrayView(kBom, 3)))
        bytes = bytes.sliced(3);
    return bytes;
}

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return out;
}

TextEncoding DetectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView(kBom, 3)))
        return TextEncoding::Utf8;
    if (!HasHighByte(bytes))
        return TextEncoding::Ascii;
    return PlausibleUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

QString Decode(QByteArrayView bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Ascii:
        return QString::fromLatin1(bytes.data(), bytes.size());
    case TextEncoding::Utf8: {
        // Keep every mark as a character; SkipByteOrderMarks has dropped the leading ones.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }
    case TextEncoding::Windows1252:
        break;
    }
    return DecodeWindows1252(bytes);
}

QString DecodeText(QByteArrayView bytes)
{
    const TextEncoding enc = DetectEncoding(bytes);
    return Decode(enc == TextEncoding::Utf8 ? SkipByteOrderMarks(bytes) : bytes, enc);
}

QByteArray EncodeText(QStringView text)
{
    bool lossless = true;
    QByteArray bytes = EncodeWindows1252(text, &lossless);
    // Windows-1252 whenever it holds the text and reads back as itself; otherwise
    // UTF-8 behind a byte order mark, which no reader can take for anything else.
    if (lossless && DetectEncoding(bytes) != TextEncoding::Utf8)
        return bytes;
    bytes = QByteArray(kBom, 3);
    bytes += text.toUtf8();
    return bytes;
}

QByteArray EncodeWindows1252(QStringView text, bool *lossless)
{
    QByteArray out;
    out.reserve(text.size());
    bool ok = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(static_cast<char>(u));
            continue;
        }
        int k = 0;
        while (k < 32 && kHigh[k] != u)
            ++k;
        if (k < 32) {
            out.append(static_cast<char>(0x80 + k));
            continue;
        }
        ok = false;
        out.append('?');
        // A surrogate pair is one character: one '?' for both halves.
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    if (lossless)
        *lossless = ok;
    return out;
}
