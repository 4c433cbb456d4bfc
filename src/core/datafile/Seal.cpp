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

// The seal as read: record numbers (or kTorn, kForeign) and the hashes, all in one
// buffer (a long file has tens of thousands).
constexpr qint64 kTorn = -1, kForeign = -2;
struct Links {
    std::vector<qint64> numbers;
    std::vector<qsizetype> offsets;     // where each seal line starts
    QByteArray hashes;      // 32 bytes each
    qsizetype validBytes = 0;           // the seal's whole lines
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

// False for a seal damaged before its last line. A last line without its line end
// was cut short by a full disk or a crash: it was never complete, so it counts as
// not written.
bool ParseSeal(const QByteArray &seal, Links &links)
{
    qsizetype at = 0;
    for (QByteArrayView line : RawLines(seal)) {
        const qsizetype offset = at;
        at += line.size();
        if (!line.endsWith('\n'))
            break;
        line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype semi = line.indexOf(';');
        if (semi <= 0 || line.size() - semi - 1 != 64)
            return false;
        const QByteArrayView kind = line.first(semi);
        qint64 number = 0;
        if (kind == "torn") {
            number = kTorn;
        } else if (kind == "foreign") {
            number = kForeign;
        } else {
            bool ok = false;
            number = kind.toLongLong(&ok);
            if (!ok || number < 0)
                return false;
        }
        for (qsizetype i = semi + 1; i < line.size(); i += 2) {
            const int hi = HexDigit(line[i]), lo = HexDigit(line[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            links.hashes.append(char(hi * 16 + lo));
        }
        links.numbers.push_back(number);
        links.offsets.push_back(offset);
        links.validBytes = at;
    }
    return links.size() > 0 && links.numbers.front() == 0;
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

namespace {

// The data file walked along its seal: how far they match.
struct Walk {
    bool parsed = false, headerOk = false;
    Links links;
    std::vector<QByteArrayView> lines;      // all lines of the data file
    size_t matched = 0;                     // data lines matching their seal lines
    QByteArray last;                        // the chain's hash after them
    qint64 records = 0;                     // record seal lines among them
    qint64 tornLine = 0, foreignLine = 0;   // the first of each kind among them

    size_t DataLines() const { return lines.size() - SealHeaderLines; }
    size_t SealedLines() const { return links.size() - 1; }
    QByteArrayView Line(size_t k) const { return lines[SealHeaderLines + k]; }
};

Walk WalkSeal(const QByteArray &data, const QByteArray &seal)
{
    Walk w;
    w.parsed = ParseSeal(seal, w.links);
    if (!w.parsed)
        return w;
    w.lines = RawLines(data);
    if (w.lines.size() < size_t(SealHeaderLines) || !w.lines[SealHeaderLines - 1].endsWith('\n'))
        return w;
    const qsizetype headerSize = w.lines[SealHeaderLines - 1].constData() + w.lines[SealHeaderLines - 1].size() - data.constData();
    Chain chain;
    w.last = chain.Next({}, QByteArrayView(data.constData(), headerSize)).toByteArray();
    if (w.last != w.links.Hash(0))
        return w;
    w.headerOk = true;
    for (size_t k = 0; k < w.DataLines() && k < w.SealedLines(); ++k) {
        if (chain.Next(w.last, w.Line(k)) != w.links.Hash(k + 1))
            break;
        std::memcpy(w.last.data(), w.links.Hash(k + 1).data(), 32);
        const qint64 number = w.links.numbers[k + 1];
        const qint64 line = qint64(SealHeaderLines + k + 1);
        if (number == kTorn && !w.tornLine)
            w.tornLine = line;
        else if (number == kForeign && !w.foreignLine)
            w.foreignLine = line;
        else if (number > 0)
            ++w.records;
        w.matched = k + 1;
    }
    return w;
}

} // namespace

SealCheck VerifySealBytes(const QByteArray &data, const QByteArray &seal)
{
    SealCheck c;
    c.state = SealCheck::Broken;
    const Walk w = WalkSeal(data, seal);
    if (!w.parsed) {
        c.fault = SealCheck::SealDamaged;
        return c;
    }
    if (!w.headerOk) {
        c.fault = SealCheck::HeaderChanged;
        c.line = 1;
        return c;
    }
    c.records = w.records;
    c.checkValue = CheckValueText(w.last);
    c.tornLine = w.tornLine;
    const size_t k = w.matched, dataLines = w.DataLines(), sealed = w.SealedLines();
    Chain chain;
    if (k < dataLines && k < sealed) {
        const bool lastAnnounced = k + 1 == sealed && w.links.numbers[k + 1] > 0;
        if (lastAnnounced && k + 1 == dataLines && !w.Line(k).endsWith('\n')) {
            // The announced line, cut short by a crash before the file was taken up
            // again: no record, and nothing but it is unproven.
            c.tornLine = qint64(SealHeaderLines + k + 1);
        } else {
            c.line = qint64(SealHeaderLines + k + 1);
            c.record = w.links.numbers[k + 1];
            // Which fault: one line changed, one removed or one inserted; the chain
            // after it tells.
            const QByteArrayView next = w.links.Hash(k + 1);
            if (k + 1 < dataLines && k + 2 <= sealed && chain.Next(next, w.Line(k + 1)) == w.links.Hash(k + 2))
                c.fault = SealCheck::LineChanged;
            else if (k + 2 <= sealed && chain.Next(next, w.Line(k)) == w.links.Hash(k + 2))
                c.fault = SealCheck::LineRemoved;
            else if (k + 1 < dataLines && chain.Next(w.last, w.Line(k + 1)) == next)
                c.fault = SealCheck::LineInserted;
            else
                c.fault = SealCheck::LineChanged;
            return c;
        }
    } else if (sealed > dataLines) {
        if (sealed > dataLines + 1 || w.links.numbers.back() <= 0) {
            c.fault = SealCheck::TailRemoved;
            c.line = qint64(w.lines.size() + 1);
            c.record = w.links.numbers[dataLines + 1];
            return c;
        }
        // Announced, and the program ended before the line was written.
        c.announcedMissing = true;
    } else if (dataLines > sealed) {
        // A line the seal never announced: no crash leaves one.
        c.fault = SealCheck::Unannounced;
        c.line = qint64(SealHeaderLines + sealed + 1);
        return c;
    }
    if (w.foreignLine) {
        // Taken up earlier: the records after it are sealed, the line itself never.
        c.fault = SealCheck::Unannounced;
        c.line = w.foreignLine;
        return c;
    }
    c.state = SealCheck::Intact;
    return c;
}

SealTakeUp PlanSealTakeUp(const QByteArray &data, const QByteArray &seal, bool tornTail)
{
    SealTakeUp t;
    const Walk w = WalkSeal(data, seal);
    if (!w.parsed || !w.headerOk)
        return t;
    t.keepSealBytes = w.links.validBytes;
    QByteArray last = w.last;
    size_t k = w.matched;
    const size_t dataLines = w.DataLines(), sealed = w.SealedLines();
    if (sealed > k) {
        // Only the last announced record may be missing or torn.
        if (sealed > k + 1 || w.links.numbers.back() <= 0)
            return t;
        if (k == dataLines) {
            t.keepSealBytes = w.links.offsets.back();
        } else if (k + 1 == dataLines && tornTail) {
            t.keepSealBytes = w.links.offsets.back();
            last = SealHash(last, w.Line(k).toByteArray());
            t.append += "torn;" + last.toHex() + '\n';
            t.tornLine = qint64(SealHeaderLines + k + 1);
            ++k;
        } else {
            return t;
        }
    }
    for (; k < dataLines; ++k) {
        last = SealHash(last, w.Line(k).toByteArray());
        t.append += "foreign;" + last.toHex() + '\n';
        t.foreignLines << qint64(SealHeaderLines + k + 1);
    }
    t.last = last;
    t.ok = true;
    return t;
}

namespace {

// A FIFO or a device in place of a file would block the read for good.
bool OpenRegular(QFile &f, QString *error)
{
    if (QFileInfo::exists(f.fileName()) && !QFileInfo(f.fileName()).isFile()) {
        *error = QStringLiteral("%1: %2").arg(f.fileName(), Tr(QT_TRANSLATE_NOOP("Seal", "keine gewöhnliche Datei")));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(f.fileName(), f.errorString());
        return false;
    }
    return true;
}

} // namespace

SealCheck VerifySeal(const QString &dataFile)
{
    SealCheck c;
    QFile data(dataFile);
    if (!OpenRegular(data, &c.error))
        return c;
    QFile seal(SealPath(dataFile));
    if (!seal.exists()) {
        c.state = SealCheck::NoSeal;
        return c;
    }
    if (!OpenRegular(seal, &c.error))
        return c;
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
               + (tornLine ? Tr(QT_TRANSLATE_NOOP("Seal", " (Zeile %1 wurde beim Abbruch nur zum Teil geschrieben; sie ist kein Datensatz)")).arg(tornLine) : QString())
               + (announcedMissing ? Tr(QT_TRANSLATE_NOOP("Seal", " (der letzte Datensatz kam beim Abbruch nicht mehr in die Datei)")) : QString());
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
    case Unannounced:
        return Tr(QT_TRANSLATE_NOOP("Seal", "Siegel verletzt: Zeile %1 ist ohne Siegel (nicht von diesem Programm geschrieben)")).arg(line);
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
