// o2-haldrix-cli journal: adds an entry to a pile's journal or lists it.
//   journal FILE --add KIND [--at "dd.MM.yyyy hh:mm"] [--by NAME] [--text TEXT]
//                [--corrects N] [--depth CM --reference T --plant T]
//   journal FILE [--json]

#include "JournalCommand.h"

#include "base/Numbers.h"
#include "datafile/DataFile.h"
#include "datafile/Journal.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

#include <cstdio>

namespace {

void Print(FILE *to, const QString &text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), to);
}

constexpr int UsageError = 64;

int Usage()
{
    Print(stderr, QStringLiteral("usage: o2-haldrix-cli journal FILE --add KIND [--at \"dd.MM.yyyy hh:mm\"] [--by NAME] [--text TEXT]\n"
                                 "                                 [--corrects N] [--depth CM --reference T --plant T]\n"
                                 "       o2-haldrix-cli journal FILE [--json]\n"
                                 "KIND: turned, watered, sample, probe-check, remark\n"));
    return UsageError;
}

// Now as a wall time, as the plants' stamps are kept.
QDateTime WallNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()), Qt::UTC);
}

QJsonValue Reading(double v) { return std::isnan(v) ? QJsonValue() : QJsonValue(v); }

int List(const QString &path, bool json)
{
    Journal journal;
    QString error;
    if (!LoadJournal(path, journal, &error)) {
        Print(stderr, error + u'\n');
        return 1;
    }
    const SealCheck seal = VerifyJournal(path);
    QSet<qint64> corrected;
    for (const JournalEntry &e : journal.entries)
        if (e.corrects > 0)
            corrected.insert(e.corrects);
    if (json) {
        QJsonArray entries, bad;
        for (const JournalEntry &e : journal.entries) {
            QJsonObject o{{"number", e.number}, {"time", e.time.toString(QStringLiteral("yyyy-MM-ddTHH:mm"))},
                          {"kind", QString::fromLatin1(JournalKindName(e.kind))}, {"kindText", JournalKindText(e.kind)},
                          {"text", e.text}, {"by", e.by}, {"standing", !corrected.contains(e.number)}};
            if (e.corrects > 0)
                o.insert("corrects", e.corrects);
            if (e.kind == JournalKind::ProbeCheck)
                o.insert("depth_cm", e.depthCm), o.insert("reference", Reading(e.reference)), o.insert("plant", Reading(e.plant));
            entries.append(o);
        }
        for (qint64 line : journal.badLines)
            bad.append(line);
        static const char *states[] = {"intact", "no seal", "broken", "unreadable"};
        const QJsonObject o{{"file", path}, {"journal", journal.path}, {"entries", entries}, {"badLines", bad},
                            {"seal", QJsonObject{{"state", states[seal.state]}, {"text", JournalCheckText(seal)}}}};
        Print(stdout, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + u'\n');
        return 0;
    }
    QString t;
    for (const JournalEntry &e : journal.entries)
        t += QStringLiteral("%1  %2  %3  %4%5\n")
                 .arg(e.number, 3)
                 .arg(e.time.toString(QStringLiteral("dd.MM.yyyy hh:mm")), e.by.isEmpty() ? QStringLiteral("-") : e.by,
                      e.Summary(), corrected.contains(e.number) ? QStringLiteral("  [berichtigt]") : QString());
    for (qint64 line : journal.badLines)
        t += QStringLiteral("line %1: no entry\n").arg(line);
    if (QFileInfo::exists(journal.path))
        t += JournalCheckText(seal) + u'\n';
    else
        t += QStringLiteral("no journal\n");
    Print(stdout, t);
    return 0;
}

} // namespace

int JournalCommand(QStringList args)
{
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")))
        return Usage();
    const QString path = args.takeFirst();
    bool json = false, add = false;
    JournalEntry e;
    e.time = WallNow();
    e.by = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--json")) {
            json = true;
            continue;
        }
        if (args.isEmpty())
            return Usage();
        const QString v = args.takeFirst();
        qint32 n = 0;
        if (a == QLatin1String("--add")) {
            if (!ParseJournalKind(v, e.kind))
                return Usage();
            add = true;
        } else if (a == QLatin1String("--at")) {
            e.time = QDateTime(QDate::fromString(v.left(10), QStringLiteral("dd.MM.yyyy")),
                               QTime::fromString(v.mid(10).trimmed(), QStringLiteral("hh:mm")), Qt::UTC);
            if (!e.time.isValid()) {
                Print(stderr, QStringLiteral("--at %1: \"dd.MM.yyyy hh:mm\" expected\n").arg(v));
                return UsageError;
            }
        } else if (a == QLatin1String("--by")) {
            e.by = v;
        } else if (a == QLatin1String("--text")) {
            e.text = v;
        } else if (a == QLatin1String("--corrects") && ParseInt32(QStringView(v), n) && n > 0) {
            e.corrects = n;
        } else if (a == QLatin1String("--depth") && ParseInt32(QStringView(v), n)) {
            e.depthCm = n;
        } else if (a == QLatin1String("--reference") && ParseReal(v, e.reference)) {
        } else if (a == QLatin1String("--plant") && ParseReal(v, e.plant)) {
        } else {
            return Usage();
        }
    }
    if (add && json)
        return Usage();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        Print(stderr, QStringLiteral("%1: not a regular file\n").arg(path));
        return 2;
    }
    if (!info.exists()) {
        Print(stderr, QStringLiteral("%1: no such data file\n").arg(path));
        return 1;
    }
    if (!add)
        return List(path, json);
    DataFileContent data;
    QString error;
    if (!LoadDataFile(path, data, &error)) {
        Print(stderr, error + u'\n');
        return 1;
    }
    if (!PileHeaderOf(path, data)) {
        Print(stderr, QStringLiteral("%1: not a data file of this program\n").arg(path));
        return 2;
    }
    if (!AddJournalEntry(path, e, &error)) {
        Print(stderr, error + u'\n');
        return 4;
    }
    Print(stdout, QStringLiteral("%1: %2\n").arg(e.number).arg(e.Summary()));
    return 0;
}

QString JournalVerifyLine(const QString &dataFile, bool &broken)
{
    broken = false;
    if (!QFileInfo::exists(JournalPath(dataFile)))
        return {};
    const SealCheck c = VerifyJournal(dataFile);
    broken = c.state != SealCheck::Intact;
    return JournalCheckText(c);
}
