#include "datafile/Seal.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <vector>

QString SealPath(const QString &dataFile) { return dataFile + QStringLiteral(".seal"); }

QByteArray SealHash(const QByteArray &previous, const QByteArray &line)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(previous);
    h.addData(line);
    return h.result();
}

QByteArray SealLine(qint64 number, const QByteArray &hash)
{
    return QByteArray::number(number) + ';' + hash.toHex() + '\n';
}

QString CheckValueText(const QByteArray &hash)
{
    return QString::fromLatin1(hash.toHex().left(16)).toUpper();
}

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Seal", text); }

// The lines of `bytes`, each with its line end; a last line without one counts too.
std::vector<QByteArrayView> RawLines(const QByteArray &bytes)
{
    std::vector<QByteArrayView> out;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        out.emplace_back(bytes.constData() + start, end - start);
        start = end;
    }
    return out;
}

// The seal as read: record numbers and the hashes, all in one buffer (a long file
// has tens of thousands).
struct Links {
    std::vector<qint64> numbers;
    QByteArray hashes;      // 32 bytes each
    size_t size() const { return numbers.size(); }
    QByteArrayView Hash(size_t i) const { return QByteArrayView(hashes.constData() + 32 * i, 32); }
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ParseSeal(const QByteArray &seal, Links &links)
{
    for (QByteArrayView line : RawLines(seal)) {
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype semi = line.indexOf(';');
        if (semi <= 0 || line.size() - semi - 1 != 64)
            return false;
        bool ok = false;
        links.numbers.push_back(line.first(semi).toLongLong(&ok));
        if (!ok)
            return false;
        for (qsizetype i = semi + 1; i < line.size(); i += 2) {
            const int hi = HexDigit(line[i]), lo = HexDigit(line[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            links.hashes.append(char(hi * 16 + lo));
        }
    }
    return links.size() > 0;
}

// The chain's hashes, one object for all lines.
class Chain {
public:
    // The link after `previous` for `line`; valid until the next call.
    QByteArrayView Next(QByteArrayView previous, QByteArrayView line)
    {
        hash_.reset();
        hash_.addData(previous);
        hash_.addData(line);
        return hash_.resultView();
    }

private:
    QCryptographicHash hash_{QCryptographicHash::Sha256};
};

} // namespace

SealCheck VerifySealBytes(const QByteArray &data, const QByteArray &seal)
{
    SealCheck c;
    Links links;
    if (!ParseSeal(seal, links) || links.numbers.front() != 0) {
        c.state = SealCheck::Broken;
        c.fault = SealCheck::SealDamaged;
        return c;
    }
    const std::vector<QByteArrayView> lines = RawLines(data);
    c.state = SealCheck::Broken;
    if (lines.size() < size_t(SealHeaderLines)) {
        c.fault = SealCheck::HeaderChanged;
        c.line = 1;
        return c;
    }
    const qsizetype headerSize = lines[SealHeaderLines - 1].constData() + lines[SealHeaderLines - 1].size() - data.constData();
    Chain chain;
    QByteArray last = chain.Next({}, QByteArrayView(data.constData(), headerSize)).toByteArray();
    if (last != links.Hash(0)) {
        c.fault = SealCheck::HeaderChanged;
        c.line = 1;
        return c;
    }
    const size_t dataLines = lines.size() - SealHeaderLines;
    const size_t sealed = links.size() - 1;
    auto lineAt = [&](size_t k) { return lines[SealHeaderLines + k]; };     // k-th data line
    size_t k = 0;
    for (; k < dataLines && k < sealed; ++k) {
        if (chain.Next(last, lineAt(k)) == links.Hash(k + 1)) {
            std::memcpy(last.data(), links.Hash(k + 1).data(), 32);
            continue;
        }
        c.line = qint64(SealHeaderLines + k + 1);
        c.record = links.numbers[k + 1];
        // Which fault: one line changed, one removed or one inserted; the chain after
        // it tells.
        if (k + 1 < dataLines && k + 2 <= sealed && chain.Next(links.Hash(k + 1), lineAt(k + 1)) == links.Hash(k + 2))
            c.fault = SealCheck::LineChanged;
        else if (k + 2 <= sealed && chain.Next(links.Hash(k + 1), lineAt(k)) == links.Hash(k + 2))
            c.fault = SealCheck::LineRemoved;
        else if (k + 1 < dataLines && chain.Next(last, lineAt(k + 1)) == links.Hash(k + 1))
            c.fault = SealCheck::LineInserted;
        else
            c.fault = SealCheck::LineChanged;
        c.records = qint64(k);
        c.checkValue = CheckValueText(last);
        return c;
    }
    c.records = qint64(k);
    c.checkValue = CheckValueText(last);
    if (sealed > dataLines) {
        c.fault = SealCheck::TailRemoved;
        c.line = qint64(lines.size() + 1);
        c.record = links.numbers[dataLines + 1];
        return c;
    }
    if (dataLines > sealed + 1 || (dataLines == sealed + 1 && !lines.back().endsWith('\n'))) {
        // More than the one line a crash may leave unsealed, or a torn one.
        c.fault = dataLines > sealed + 1 ? SealCheck::LineInserted : SealCheck::TailUnsealed;
        c.line = qint64(SealHeaderLines + sealed + 1);
        return c;
    }
    c.state = SealCheck::Intact;
    c.lastUnsealed = dataLines == sealed + 1;
    return c;
}

SealCheck VerifySeal(const QString &dataFile)
{
    SealCheck c;
    QFile data(dataFile);
    if (!data.open(QIODevice::ReadOnly)) {
        c.error = QStringLiteral("%1: %2").arg(dataFile, data.errorString());
        return c;
    }
    QFile seal(SealPath(dataFile));
    if (!seal.exists()) {
        c.state = SealCheck::NoSeal;
        return c;
    }
    if (!seal.open(QIODevice::ReadOnly)) {
        c.error = QStringLiteral("%1: %2").arg(seal.fileName(), seal.errorString());
        return c;
    }
    return VerifySealBytes(data.readAll(), seal.readAll());
}

QString SealCheck::Text() const
{
    switch (state) {
    case Unreadable:
        return error;
    case NoSeal:
        return Tr(QT_TRANSLATE_NOOP("Seal", "ohne Siegel"));
    case Intact:
        return QCoreApplication::translate("Seal", "%n Datensätze, Siegel intakt, Prüfwert %1", nullptr, int(records)).arg(checkValue)
               + (lastUnsealed ? Tr(QT_TRANSLATE_NOOP("Seal", " (der letzte Datensatz ist noch ohne Siegel)")) : QString());
    case Broken:
        break;
    }
    switch (fault) {
    case HeaderChanged:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: der Dateikopf (Zeilen 1 bis 9) wurde verändert"));
    case LineChanged:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: Zeile %1 (Datensatz %2) wurde verändert")).arg(line).arg(record);
    case LineRemoved:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: Datensatz %1 fehlt (vor Zeile %2)")).arg(record).arg(line);
    case LineInserted:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: Zeile %1 wurde eingefügt")).arg(line);
    case TailRemoved:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: die Datensätze ab %1 fehlen")).arg(record);
    case TailUnsealed:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: Zeile %1 ist unvollständig")).arg(line);
    case SealDamaged:
    case None:
        break;
    }
    return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: die Siegeldatei ist beschädigt"));
}

QString SealCheck::ShortText() const
{
    switch (state) {
    case Intact: return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel intakt"));
    case NoSeal: return Tr(QT_TRANSLATE_NOOP("Seal", "ohne Siegel"));
    case Broken: return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt"));
    case Unreadable: break;
    }
    return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel nicht lesbar"));
}

QString SealCheck::PrintValue(bool inGerman) const
{
    const auto text = [inGerman](const char *german) { return inGerman ? QString::fromUtf8(german) : Tr(german); };
    switch (state) {
    case Intact: return checkValue;
    case NoSeal: return text(QT_TRANSLATE_NOOP("Seal", "ohne Siegel"));
    case Broken: return line > 0 ? text(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt (Zeile %1)")).arg(line) : text(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt"));
    case Unreadable: break;
    }
    return text(QT_TRANSLATE_NOOP("Seal", "Siegel nicht lesbar"));
}
