#include "datafile/Journal.h"

#include "base/AtomicFile.h"
#include "base/DisplayFormat.h"
#include "base/Numbers.h"
#include "base/TextCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Journal", text); }

const char *const kKindNames[] = {"turned", "watered", "sample", "probe-check", "remark"};
const char *const kKindTexts[] = {QT_TRANSLATE_NOOP("Journal", "Umsetzen"), QT_TRANSLATE_NOOP("Journal", "Bewässern"),
                                  QT_TRANSLATE_NOOP("Journal", "Probenahme"), QT_TRANSLATE_NOOP("Journal", "Fühlerprüfung"),
                                  QT_TRANSLATE_NOOP("Journal", "Bemerkung")};

const QString kStampFormat = QStringLiteral("dd.MM.yyyy hh:mm");
constexpr int kFields = 9;

// A field as the file keeps it: no separator, no line break.
QString Field(QString text)
{
    text.replace(u';', u',');
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text.trimmed();
}

// "," as decimal separator, as in the data file; empty for no value.
QString Reading(double v)
{
    if (std::isnan(v))
        return {};
    QString s = QString::number(v, 'f', 1);
    if (s.endsWith(QLatin1String(".0")))
        s.chop(2);
    return s.replace(u'.', u',');
}

// A reading in the program's language, its tenth only when it has one.
QString Shown(double v) { return DisplayNumber(v, v == std::round(v) ? 0 : 1); }

bool Sync(QFile &f)
{
    if (!f.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(f.handle()) == 0;
#else
    return ::fsync(f.handle()) == 0;
#endif
}

bool Append(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append) || f.write(bytes) != bytes.size() || !Sync(f)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

// The journal's first nine lines, from the data file's header.
QByteArray Header(const DataFileContent &data)
{
    const QStringList lines{data.Title1,
                            data.Title2,
                            data.Title3,
                            QString(),
                            QStringLiteral("Anlagen- Name:") + data.PileName,
                            QStringLiteral("Datei  - Name:") + data.FileNameText,
                            data.Comment,
                            QStringLiteral("Tagebuch angelegt : ") + FileDateText(QDateTime::currentDateTime().date()),
                            QStringLiteral("Nr;Zeit;Art;Text;Von;Korrigiert;Tiefe;Referenz;Anlage;")};
    return EncodeWindows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

JournalListener &Listener()
{
    static JournalListener listener;
    return listener;
}

bool Fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

const char *JournalKindName(JournalKind kind) { return kKindNames[int(kind)]; }

bool ParseJournalKind(const QString &name, JournalKind &kind)
{
    for (int k = 0; k < 5; ++k)
        if (name == QLatin1String(kKindNames[k])) {
            kind = JournalKind(k);
            return true;
        }
    return false;
}

QString JournalKindText(JournalKind kind) { return Tr(kKindTexts[int(kind)]); }

QString JournalEntry::Summary() const
{
    QString s = JournalKindText(kind);
    if (kind == JournalKind::ProbeCheck && HasReadings())
        s += Tr(QT_TRANSLATE_NOOP("Journal", " %1 cm: Referenz %2 °C, Anlage %3 °C"))
                 .arg(depthCm)
                 .arg(Shown(reference), Shown(plant));
    if (!text.isEmpty())
        s += QStringLiteral(": ") + text;
    if (corrects > 0)
        s += Tr(QT_TRANSLATE_NOOP("Journal", " (berichtigt Eintrag %1)")).arg(corrects);
    return s;
}

std::vector<JournalEntry> Journal::Standing() const
{
    QSet<qint64> corrected;
    for (const JournalEntry &e : entries)
        if (e.corrects > 0)
            corrected.insert(e.corrects);
    std::vector<JournalEntry> out;
    for (const JournalEntry &e : entries)
        if (!corrected.contains(e.number))
            out.push_back(e);
    return out;
}

std::vector<JournalEntry> Journal::OnDay(const QDate &day) const
{
    std::vector<JournalEntry> out;
    for (const JournalEntry &e : Standing())
        if (e.time.date() == day)
            out.push_back(e);
    std::stable_sort(out.begin(), out.end(), [](const JournalEntry &a, const JournalEntry &b) { return a.time < b.time; });
    return out;
}

bool PileHeaderOf(const QString &dataFile, DataFileContent &data, QString *error)
{
    if (!LoadDataFile(dataFile, data, error))
        return false;
    if (data.FileValid)
        return true;
    // A pile just started: the header the program wrote, no record yet.
    QFile f(dataFile);
    const QStringList lines = f.open(QIODevice::ReadOnly) ? DecodeText(f.read(64 * 1024)).split(u'\n') : QStringList();
    const auto line = [&](int i) { return lines.value(i).endsWith(u'\r') ? lines.value(i).chopped(1) : lines.value(i); };
    const auto afterColon = [](const QString &l) { return l.contains(u':') ? l.mid(l.indexOf(u':') + 1) : l; };
    if (lines.size() < 9 || !line(8).startsWith(QLatin1String(" ;Speicherzeit;")) || (lines.size() > 10 && !line(9).isEmpty()))
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "%1 ist keine Datendatei dieses Programms.")).arg(dataFile));
    data.Title1 = line(0);
    data.Title2 = line(1);
    data.Title3 = line(2);
    data.PileName = afterColon(line(4));
    data.FileNameText = afterColon(line(5));
    data.Comment = line(6);
    data.FirstSaveLine = line(7);
    return true;
}

QString JournalPath(const QString &dataFile) { return dataFile + QStringLiteral(".journal"); }

bool LoadJournal(const QString &dataFile, Journal &journal, QString *error)
{
    journal = Journal();
    journal.path = JournalPath(dataFile);
    const QFileInfo info(journal.path);
    if (!info.exists())
        return true;
    QFile f(journal.path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("%1: %2").arg(journal.path, info.isFile() ? f.errorString() : QStringLiteral("not a regular file")));
    const QStringList lines = DecodeText(f.readAll()).split(u'\n');
    for (qsizetype i = SealHeaderLines; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() && i == lines.size() - 1)
            break;                      // after the last line end
        const QStringList f = line.split(u';');
        JournalEntry e;
        qint32 number = 0, corrects = 0, depth = -1;
        bool ok = f.size() >= kFields && ParseInt32(QStringView(f[0]), number, NumberBlanks) && number > 0
                  && ParseJournalKind(f[2].trimmed(), e.kind);
        e.time = QDateTime(QDate::fromString(f.value(1).trimmed().left(10), QStringLiteral("dd.MM.yyyy")),
                           QTime::fromString(f.value(1).trimmed().mid(11), QStringLiteral("hh:mm")), Qt::UTC);
        ok = ok && e.time.isValid() && (f[5].trimmed().isEmpty() || ParseInt32(QStringView(f[5]), corrects, NumberBlanks))
             && (f[6].trimmed().isEmpty() || ParseInt32(QStringView(f[6]), depth, NumberBlanks))
             && (f[7].trimmed().isEmpty() || ParseReal(f[7], e.reference))
             && (f[8].trimmed().isEmpty() || ParseReal(f[8], e.plant));
        if (!ok) {
            journal.badLines.push_back(i + 1);
            continue;
        }
        e.number = number;
        e.text = f[3];
        e.by = f[4];
        e.corrects = corrects;
        e.depthCm = depth;
        journal.entries.push_back(e);
    }
    return true;
}

QString FormatJournalLine(const JournalEntry &e)
{
    const bool probe = e.kind == JournalKind::ProbeCheck;
    return QStringLiteral("%1;%2;%3;%4;%5;%6;%7;%8;%9;")
        .arg(QString::number(e.number), e.time.toString(kStampFormat), QString::fromLatin1(JournalKindName(e.kind)),
             Field(e.text), Field(e.by), e.corrects > 0 ? QString::number(e.corrects) : QString(),
             probe && e.depthCm >= 0 ? QString::number(e.depthCm) : QString(), probe ? Reading(e.reference) : QString(),
             probe ? Reading(e.plant) : QString());
}

bool AddJournalEntry(const QString &dataFile, JournalEntry &entry, QString *error)
{
    if (!entry.time.isValid())
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Der Eintrag hat keine gültige Zeit.")));
    if (entry.kind == JournalKind::ProbeCheck && !entry.HasReadings())
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Eine Fühlerprüfung braucht die Tiefe und beide Messwerte.")));
    if (entry.kind == JournalKind::ProbeCheck && (entry.depthCm > 100 || entry.depthCm % 25 != 0))
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Fühler gibt es in 0, 25, 50, 75 und 100 cm Tiefe.")));
    Journal journal;
    if (!LoadJournal(dataFile, journal, error))
        return false;
    const QString path = journal.path, sealPath = SealPath(path);
    QByteArray bytes, seal;
    if (QFileInfo(path).size() > 0) {       // an empty one (made by hand) is made anew
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return Fail(error, QStringLiteral("%1: %2").arg(path, f.errorString()));
        bytes = f.readAll();
        QFile s(sealPath);
        if (s.exists() && s.open(QIODevice::ReadOnly))
            seal = s.readAll();
    } else {
        DataFileContent data;
        if (!PileHeaderOf(dataFile, data, error))
            return false;
        bytes = Header(data);
        seal = SealLine(0, SealHash({}, bytes));
        // The header alone first, its seal after it: a crash leaves no seal ahead of
        // its lines.
        QString why;
        if (!WriteFileAtomically(path, bytes, &why) || !WriteFileAtomically(sealPath, seal, &why))
            return Fail(error, why);
    }
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Die letzte Zeile von %1 ist unvollständig; es wird nichts angefügt.")).arg(path));

    qint64 next = 1;
    for (const JournalEntry &e : journal.entries)
        next = std::max(next, e.number + 1);
    if (entry.corrects >= next || entry.corrects < 0)
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Eintrag %1 gibt es nicht.")).arg(entry.corrects));
    entry.number = next;
    entry.text = Field(entry.text);     // as it will read back
    entry.by = Field(entry.by);
    bool lossless = true;
    const QByteArray line = EncodeWindows1252(FormatJournalLine(entry), &lossless) + "\r\n";
    if (!lossless)
        return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Der Text enthält Zeichen, die das Tagebuch nicht speichern kann.")));

    // A journal whose seal never came after its header (a crash) gets one now; one
    // with entries but no seal stays without (nothing would vouch for them).
    if (seal.isEmpty() && !bytes.isEmpty() && journal.entries.empty() && journal.badLines.empty()) {
        seal = SealLine(0, SealHash({}, bytes));
        if (!Append(sealPath, seal, error))
            return false;
    }
    QByteArray sealAdd;
    if (!seal.isEmpty()) {
        // Taken up as the data file's writer does: an entry announced but never
        // written (a crash) is withdrawn; lines nobody announced stay unsealed
        // ("foreign") and verify names them.
        const SealTakeUp up = PlanSealTakeUp(bytes, seal, false);
        if (!up.ok || up.last.isEmpty())
            return Fail(error, Tr(QT_TRANSLATE_NOOP("Journal", "Die Siegeldatei %1 ist beschädigt; es wird nichts angefügt.")).arg(sealPath));
        if (up.keepSealBytes != seal.size() || !up.append.isEmpty()) {
            QString why;
            if (!WriteFileAtomically(sealPath, seal.left(up.keepSealBytes) + up.append, &why))
                return Fail(error, why);
        }
        sealAdd = SealLine(entry.number, SealHash(up.last, line));
    }
    // The seal announces the entry before it is written: a crash in between leaves
    // an announced entry missing, which the next entry withdraws, never an entry
    // that looks appended by hand.
    if (!sealAdd.isEmpty() && !Append(sealPath, sealAdd, error))
        return false;
    if (!Append(path, line, error))
        return false;
    if (Listener())
        Listener()(dataFile, entry);
    return true;
}

void SetJournalListener(JournalListener listener) { Listener() = std::move(listener); }

SealCheck VerifyJournal(const QString &dataFile)
{
    if (!QFileInfo::exists(JournalPath(dataFile))) {
        SealCheck c;
        c.state = SealCheck::NoSeal;
        return c;
    }
    return VerifySeal(JournalPath(dataFile));
}

QString JournalCheckText(const SealCheck &c)
{
    QString t;
    switch (c.state) {
    case SealCheck::Unreadable:
        return c.error;
    case SealCheck::NoSeal:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch ohne Siegel"));
    case SealCheck::Intact:
        return (c.records == 1 ? Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch: 1 Eintrag, Siegel intakt, Prüfwert %1"))
                               : QCoreApplication::translate("Journal", "Tagebuch: %n Einträge, Siegel intakt, Prüfwert %1",
                                                             nullptr, int(c.records)))
                   .arg(c.checkValue)
               + (c.announcedMissing ? Tr(QT_TRANSLATE_NOOP("Journal", " (der letzte Eintrag kam beim Abbruch nicht mehr ins Tagebuch)")) : QString());
    case SealCheck::Broken:
        break;
    }
    switch (c.fault) {
    case SealCheck::HeaderChanged:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: der Kopf (Zeilen 1 bis 9) wurde verändert"));
    case SealCheck::LineChanged:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: Eintrag %1 (Zeile %2) wurde verändert")).arg(c.record).arg(c.line);
    case SealCheck::LineRemoved:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: Eintrag %1 fehlt (vor Zeile %2)")).arg(c.record).arg(c.line);
    case SealCheck::LineInserted:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: Zeile %1 wurde eingefügt")).arg(c.line);
    case SealCheck::TailRemoved:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: die Einträge ab %1 fehlen")).arg(c.record);
    case SealCheck::Unannounced:
        return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: Zeile %1 ist ohne Siegel (nicht von diesem Programm geschrieben)")).arg(c.line);
    case SealCheck::SealDamaged:
    case SealCheck::None:
        break;
    }
    return Tr(QT_TRANSLATE_NOOP("Journal", "Tagebuch-Siegel verletzt: die Siegeldatei ist beschädigt"));
}
