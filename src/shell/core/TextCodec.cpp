#include "shell/TextCodec.h"

#include <QStringDecoder>

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
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

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

QString DecodeText(QByteArrayView bytes)
{
    if (!HasHighByte(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
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
