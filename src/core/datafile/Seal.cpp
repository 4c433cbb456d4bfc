#include "datafile/Seal.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

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

struct Link {
    qint64 number = 0;
    QByteArray hash;        // raw
};

bool ParseSeal(const QByteArray &seal, std::vector<Link> &links)
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
        Link l;
        l.number = line.first(semi).toLongLong(&ok);
        l.hash = QByteArray::fromHex(line.sliced(semi + 1).toByteArray());
        if (!ok || l.hash.size() != 32)
            return false;
        links.push_back(std::move(l));
    }
    return !links.empty();
}

QByteArray Bytes(QByteArrayView v) { return v.toByteArray(); }

} // namespace

SealCheck VerifySealBytes(const QByteArray &data, const QByteArray &seal)
{
    SealCheck c;
    std::vector<Link> links;
    if (!ParseSeal(seal, links) || links.front().number != 0) {
        c.state = SealCheck::Broken;
        c.fault = SealCheck::SealDamaged;
        return c;
    }
    const std::vector<QByteArrayView> lines = RawLines(data);
    QByteArray header;
    for (size_t i = 0; i < lines.size() && i < size_t(SealHeaderLines); ++i)
        header += Bytes(lines[i]);
    QByteArray last = SealHash({}, header);
    c.state = SealCheck::Broken;
    if (lines.size() < size_t(SealHeaderLines) || last != links.front().hash) {
        c.fault = SealCheck::HeaderChanged;
        c.line = 1;
        return c;
    }
    c.checkValue = CheckValueText(last);
    const size_t dataLines = lines.size() - SealHeaderLines;
    const size_t sealed = links.size() - 1;
    auto lineAt = [&](size_t k) { return Bytes(lines[SealHeaderLines + k]); };     // k-th data line
    size_t k = 0;
    for (; k < dataLines && k < sealed; ++k) {
        const QByteArray h = SealHash(last, lineAt(k));
        if (h == links[k + 1].hash) {
            last = h;
            continue;
        }
        c.line = qint64(SealHeaderLines + k + 1);
        c.record = links[k + 1].number;
        // Which fault: one line changed, one removed or one inserted; the chain after
        // it tells.
        if (k + 1 < dataLines && k + 2 <= sealed && SealHash(links[k + 1].hash, lineAt(k + 1)) == links[k + 2].hash)
            c.fault = SealCheck::LineChanged;
        else if (k + 2 <= sealed && SealHash(links[k + 1].hash, lineAt(k)) == links[k + 2].hash)
            c.fault = SealCheck::LineRemoved;
        else if (k + 1 < dataLines && SealHash(last, lineAt(k + 1)) == links[k + 1].hash)
            c.fault = SealCheck::LineInserted;
        else
            c.fault = SealCheck::LineChanged;
        c.records = qint64(k);
        return c;
    }
    c.records = qint64(k);
    c.checkValue = CheckValueText(last);
    if (sealed > dataLines) {
        c.fault = SealCheck::TailRemoved;
        c.line = qint64(lines.size() + 1);
        c.record = links[dataLines + 1].number;
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
        return Tr(QT_TRANSLATE_NOOP("Seal", "%1 Datensätze, Siegel intakt, Prüfwert %2")).arg(records).arg(checkValue)
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

QString SealCheck::PrintValue() const
{
    switch (state) {
    case Intact: return checkValue;
    case NoSeal: return Tr(QT_TRANSLATE_NOOP("Seal", "ohne Siegel"));
    case Broken: return line > 0 ? Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt (Zeile %1)")).arg(line) : Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt"));
    case Unreadable: break;
    }
    return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel nicht lesbar"));
}
