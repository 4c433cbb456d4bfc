#include "site/SiteJournal.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

SiteMessage JournalMessage(const QString &base, int plant, const QString &pile, const QString &file, const JournalEntry &e)
{
    QJsonObject o{{"plant", plant},
                  {"pile", pile},
                  {"file", QFileInfo(file).fileName()},
                  {"number", e.number},
                  {"time", e.time.toString(QStringLiteral("yyyy-MM-ddTHH:mm"))},
                  {"kind", QString::fromLatin1(JournalKindName(e.kind))},
                  {"text", e.text},
                  {"by", e.by}};
    if (e.corrects > 0)
        o.insert("corrects", e.corrects);
    if (e.kind == JournalKind::ProbeCheck && e.HasReadings()) {
        o.insert("depthCm", e.depthCm);
        o.insert("reference", e.reference);
        o.insert("reading", e.plant);
    }
    const QByteArray topic = (base + QStringLiteral("/plant/") + QString::number(plant) + QStringLiteral("/journal")).toUtf8();
    return {topic, QJsonDocument(o).toJson(QJsonDocument::Compact), 1, false, true};
}
