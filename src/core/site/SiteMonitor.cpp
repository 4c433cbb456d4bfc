#include "site/SiteMonitor.h"

#include "piles/MemoryFill.h"

#include "datafile/DataFile.h"
#include "datafile/Hygiene.h"
#include "link/LinkState.h"
#include "piles/Messages.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

QByteArray Json(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

int Temperature(qint32 celsius)
{
    return Plants().ImperialUnits ? CelsiusToFahrenheit(celsius) : celsius;
}

int Depth(qint32 cm) { return Plants().ImperialUnits ? CmToInch(cm) : cm; }

// The data line's decimal comma as JSON number; null for what is no number.
QJsonValue Number(const QString &field)
{
    bool ok = false;
    const double v = QString(field).replace(u',', u'.').trimmed().toDouble(&ok);
    return ok ? QJsonValue(v) : QJsonValue();
}

// "Anlage 3 …" started on the date its file name carries ("…_10-12-2026.csv").
QString StartedFromFileName(const QString &path)
{
    static const QRegularExpression date(QStringLiteral("(\\d\\d)-(\\d\\d)-(\\d{4})"));
    const QRegularExpressionMatch m = date.match(QFileInfo(path).fileName());
    if (!m.hasMatch())
        return {};
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

} // namespace

const char *SiteAlarmName(SiteAlarm alarm)
{
    switch (alarm) {
    case SiteAlarm::LineLost: return "line_lost";
    case SiteAlarm::LineBack: return "line_back";
    case SiteAlarm::PlantSilent: return "plant_not_answering";
    case SiteAlarm::PlantBack: return "plant_answering";
    case SiteAlarm::TransferFailed: return "transfer_failed";
    case SiteAlarm::WriteFailed: return "disk_full";
    case SiteAlarm::WriteOk: return "disk_ok";
    case SiteAlarm::HygieneBroken: return "hygienisation_broken";
    case SiteAlarm::FanOnFailed: return "fan_on_failed";
    case SiteAlarm::MemoryFilling: return "memory_filling";
    }
    return "";
}

SiteMonitor::SiteMonitor(SiteSettings settings, QString version)
    : settings_(std::move(settings)), version_(std::move(version)), base_(SiteTopicBase(settings_))
{
    // The stretch is broken when the core falls below the lowest temperature the
    // criterion accepts at all.
    const QString name = ReadSetting(QStringLiteral("COM"), QStringLiteral("KRITERIUM"),
                                     QString::fromLatin1(DefaultHygieneCriterion()));
    const HygieneCriterion *c = FindHygieneCriterion(name);
    if (!c)
        c = FindHygieneCriterion(QString::fromLatin1(DefaultHygieneCriterion()));
    if (c && !c->anyOf.empty()) {
        threshold_ = c->anyOf.front().celsius;
        for (const auto &need : c->anyOf)
            threshold_ = std::min(threshold_, need.celsius);
    }
}

int SiteMonitor::Shown(int plant) const { return plant + Settings().DisplayOffset; }

QByteArray SiteMonitor::Topic(int plant, const char *leaf) const
{
    QString t = base_;
    if (plant > 0)
        t += QStringLiteral("/plant/") + QString::number(Shown(plant));
    return (t + u'/' + QLatin1String(leaf)).toUtf8();
}

QString SiteMonitor::Time() const
{
    const QDateTime t = now_ ? now_() : QDateTime::currentDateTime();
    return t.toOffsetFromUtc(t.offsetFromUtc()).toString(Qt::ISODate);
}

SiteMessage SiteMonitor::Alarm(SiteAlarm alarm, int plant, const QString &text) const
{
    QJsonObject o{{"alarm", QLatin1String(SiteAlarmName(alarm))}, {"site", settings_.Site},
                  {"text", text}, {"time", Time()}};
    if (plant > 0) {
        o.insert("plant", Shown(plant));
        o.insert("pile", Plants().PlantTable[plant].Name);
    }
    return {(base_ + QStringLiteral("/alarm")).toUtf8(), Json(o), 1, false, true};
}

SiteMessage SiteMonitor::Status(bool online) const
{
    QJsonObject o{{"state", online ? "online" : "offline"}, {"site", settings_.Site},
                  {"program", "O2-Haldrix"}, {"version", version_}};
    if (online) {
        QJsonArray running;
        for (int n = 1; n <= std::min<int>(Plants().PlantCount, MaxSitePlants); ++n)
            if (Plants().PlantTable[n].Running)
                running.append(Shown(n));
        o.insert("line", lineOpen_ ? "open" : "lost");
        o.insert("running", running);
        o.insert("time", Time());
    }
    return {(base_ + QStringLiteral("/status")).toUtf8(), Json(o), 1, true, false};
}

void SiteMonitor::Discovery(int plant, bool on, QList<SiteMessage> &out)
{
    if (!settings_.HomeAssistant || plants_[plant].discovery == on)
        return;
    plants_[plant].discovery = on;
    // Dashboards take only ASCII letters, digits, "_" and "-" in ids; the readable
    // name stays in the device's name.
    const QString node = IdSlug(settings_.Prefix) + u'_' + IdSlug(settings_.Site) + QStringLiteral("_anlage")
                         + QString::number(Shown(plant));
    const QString unitT = Plants().ImperialUnits ? QStringLiteral("°F") : QStringLiteral("°C");
    struct Sensor { const char *key, *name; int depthCm; };
    static const Sensor sensors[] = {{"t1", "T1", 0}, {"t2", "T2", 25}, {"t3", "T3", 50},
                                     {"t4", "T4", 75}, {"t5", "T5", 100}, {"o2", "O2", -1}};
    for (const Sensor &s : sensors) {
        const QByteArray topic = (QStringLiteral("homeassistant/sensor/") + node + u'/' + QLatin1String(s.key)
                                  + QStringLiteral("/config")).toUtf8();
        QByteArray payload;     // empty and retained: the entry goes away
        if (on) {
            const bool o2 = s.depthCm < 0;
            QJsonObject o{
                {"name", o2 ? QStringLiteral("O2") : QStringLiteral("%1 (%2 %3)").arg(QLatin1String(s.name))
                                                                   .arg(Depth(s.depthCm))
                                                                   .arg(Plants().ImperialUnits ? "in" : "cm")},
                {"unique_id", node + u'_' + QLatin1String(s.key)},
                {"state_topic", QString::fromUtf8(Topic(plant, "live"))},
                {"value_template", QStringLiteral("{{ value_json.%1 }}").arg(QLatin1String(s.key))},
                {"unit_of_measurement", o2 ? QStringLiteral("%") : unitT},
                {"state_class", "measurement"},
                // Unavailable while the program is away or the plant does not answer.
                {"availability", QJsonArray{
                    QJsonObject{{"topic", base_ + QStringLiteral("/status")}, {"value_template", "{{ value_json.state }}"},
                                {"payload_available", "online"}, {"payload_not_available", "offline"}},
                    QJsonObject{{"topic", QString::fromUtf8(Topic(plant, "availability"))},
                                {"payload_available", "online"}, {"payload_not_available", "offline"}}}},
                {"availability_mode", "all"},
                {"device", QJsonObject{{"identifiers", QJsonArray{node}},
                                       {"name", QStringLiteral("%1 Anlage %2").arg(settings_.Site).arg(Shown(plant))},
                                       {"model", "O2-Haldrix"}}},
            };
            if (!o2)
                o.insert("device_class", "temperature");
            payload = Json(o);
        }
        out.append({topic, payload, 1, true, false});
    }
}

void SiteMonitor::Availability(int plant, QList<SiteMessage> &out)
{
    const TAnlageParameter &slot = Plants().PlantTable[plant];
    PlantMemory &mem = plants_[plant];
    if (!slot.Present && !slot.Running && mem.available < 0)
        return;                     // no plant there, and none was told
    // Online from a measured reply; offline until the first one and once the link
    // has given the plant up (its values no longer valid).
    const int available = Plants().LiveTable[plant].Valid ? 1 : 0;
    if (available == mem.available)
        return;
    mem.available = available;
    out.append({Topic(plant, "availability"), available ? QByteArray("online") : QByteArray("offline"), 1, true, false});
}

QList<SiteMessage> SiteMonitor::Tick()
{
    QList<SiteMessage> out;
    quint64 running = 0;
    const int count = std::min<int>(Plants().PlantCount, MaxSitePlants);
    for (int n = 1; n <= count; ++n) {
        const TAnlageParameter &slot = Plants().PlantTable[n];
        const TLiveValues &v = Plants().LiveTable[n];
        PlantMemory &mem = plants_[n];

        // The pile, when anything about it changed.
        const PileKey key{slot.Running, slot.Present, slot.Mode, slot.Anzahl, slot.Name, slot.Komm, slot.Datei};
        // Addresses without a plant are not told about until one turns up there.
        const bool known = slot.Present || slot.Running || mem.pile.records >= 0;
        if (known && !(key == mem.pile)) {
            mem.pile = key;
            const QJsonObject pile{{"plant", Shown(n)}, {"running", slot.Running != 0}, {"present", slot.Present != 0},
                                   {"pile", slot.Name}, {"comment", slot.Komm},
                                   {"file", slot.Datei.isEmpty() ? QString() : QFileInfo(slot.Datei).fileName()},
                                   {"started", StartedFromFileName(slot.Datei)}, {"mode", slot.Mode},
                                   {"modeText", ModeGridText(slot.Mode)}, {"records", slot.Anzahl}, {"time", Time()}};
            out.append({Topic(n, "pile"), Json(pile), 1, true, false});
        }
        if (slot.Running)
            running |= quint64(1) << n;
        Discovery(n, slot.Running != 0, out);
        if (!slot.Present && !slot.Running) {
            Availability(n, out);       // a plant gone from its address goes offline
            continue;
        }

        // Live values: only measured ones (a silent plant is told by its availability),
        // only new ones, and only when they say something new.
        if (v.Valid && v.StampMs != mem.lastStamp) {
            mem.lastStamp = v.StampMs;
            QJsonObject live{{"plant", Shown(n)}, {"valid", true},
                             {"t1", Temperature(v.T1)}, {"t2", Temperature(v.T2)}, {"t3", Temperature(v.T3)},
                             {"t4", Temperature(v.T4)}, {"t5", Temperature(v.T5)}, {"o2", v.O2 / 10.0},
                             {"fan", v.FanOn != 0}, {"mode", v.Betriebsart}, {"modeText", ModeGridText(v.Betriebsart)},
                             {"runTimeMin", v.Luefterlaufzeit}, {"cycles", v.LuefterZyklen},
                             {"refDepth", Depth(v.RefMarke)},
                             {"unit", Plants().ImperialUnits ? QStringLiteral("°F") : QStringLiteral("°C")},
                             {"depthUnit", Plants().ImperialUnits ? "in" : "cm"}};
            if (const QByteArray l = Json(live); l != mem.live) {
                mem.live = l;
                live.insert("time", Time());
                out.append({Topic(n, "live"), Json(live), 0, true, false});
            }
        }
        Availability(n, out);           // after the values it vouches for

        if (!slot.Running) {
            mem.wasValid = mem.silentTold = mem.reached = mem.brokenTold = mem.fanTold = mem.memoryTold = false;
            mem.hygieneFile.clear();
            mem.fanOffPolls = 0;
            continue;
        }
        // A running pile's plant that stops answering, and comes back.
        if (v.Valid) {
            if (mem.silentTold)
                out.append(Alarm(SiteAlarm::PlantBack, n, QCoreApplication::translate("Site", "Anlage %1 antwortet wieder.").arg(Shown(n))));
            mem.wasValid = true;
            mem.silentTold = false;
        } else if (mem.wasValid && !mem.silentTold && lineOpen_) {
            mem.silentTold = true;
            out.append(Alarm(SiteAlarm::PlantSilent, n, QCoreApplication::translate("Site", "Anlage %1 antwortet nicht.").arg(Shown(n))));
        }
        // The plant's memory filling up, as the live display warns of it.
        if (const QString memory = MemoryWarningText(n, PilesNow()); memory.isEmpty()) {
            mem.memoryTold = false;
        } else if (!mem.memoryTold) {
            mem.memoryTold = true;
            out.append(Alarm(SiteAlarm::MemoryFilling, n, memory));
        }
        if (!v.Valid)
            continue;
        // The hygienisation stretch: broken when the core (the deepest probe) falls
        // below the threshold after it had reached it, once per fall.
        if (mem.hygieneFile != slot.Datei) {
            mem.hygieneFile = slot.Datei;
            mem.reached = mem.brokenTold = false;
        }
        if (v.T5 >= threshold_) {
            mem.reached = true;
            mem.brokenTold = false;
        } else if (mem.reached && !mem.brokenTold) {
            mem.brokenTold = true;
            out.append(Alarm(SiteAlarm::HygieneBroken, n,
                             QCoreApplication::translate("Site", "Miete %1 (Anlage %2): Kerntemperatur %3 liegt unter %4; die Hygienisierungsstrecke ist unterbrochen.")
                                 .arg(slot.Name).arg(Shown(n)).arg(v.T5).arg(threshold_)));
        }
        // "Lüfter EIN" with the fan reported off three polls in a row.
        if (slot.Mode == ModeFanOn && !v.FanOn) {
            if (++mem.fanOffPolls >= 3 && !mem.fanTold) {
                mem.fanTold = true;
                out.append(Alarm(SiteAlarm::FanOnFailed, n,
                                 QCoreApplication::translate("Site", "Anlage %1: Lüfter EIN, aber der Lüfter läuft nicht.").arg(Shown(n))));
            }
        } else {
            mem.fanOffPolls = 0;
            mem.fanTold = false;
        }
    }
    if (running != runningMask_) {
        runningMask_ = running;
        out.append(Status(true));
    }
    // A data file that cannot be written (disk full, medium gone), and when it can again.
    const QString failure = LastDataWriteFailure();
    if (failure != writeFailure_) {
        if (!failure.isEmpty())
            out.append(Alarm(SiteAlarm::WriteFailed, 0, QCoreApplication::translate("Site", "Speicherdatei kann nicht geschrieben werden: %1").arg(failure)));
        else
            out.append(Alarm(SiteAlarm::WriteOk, 0, QCoreApplication::translate("Site", "Die Speicherdatei wird wieder geschrieben.")));
        writeFailure_ = failure;
    }
    return out;
}

QList<SiteMessage> SiteMonitor::RecordWritten(int plant, const QString &file, qint32 number, const QString &line)
{
    if (plant < 1 || plant > MaxSitePlants)
        return {};
    const QStringList f = line.split(u';');
    // The file's values, whatever the display shows.
    QJsonObject o{{"plant", Shown(plant)}, {"pile", Plants().PlantTable[plant].Name},
                  {"file", QFileInfo(file).fileName()}, {"record", number}, {"line", line},
                  {"unit", QStringLiteral("°C")}, {"depthUnit", "cm"}};
    if (f.size() >= 12) {
        o.insert("stamp", f[1].trimmed());
        static const char *const keys[] = {"t5", "t4", "t3", "t2", "t1", "refDepth", "o2", "mode", "runTimeMin", "cycles"};
        for (int i = 0; i < 10; ++i)
            o.insert(QLatin1String(keys[i]), Number(f[2 + i]));
    }
    return {{Topic(plant, "record"), Json(o), 1, false, true}};
}

QList<SiteMessage> SiteMonitor::LineState(bool open)
{
    if (open == lineOpen_)
        return {};
    lineOpen_ = open;
    QList<SiteMessage> out{Alarm(open ? SiteAlarm::LineBack : SiteAlarm::LineLost, 0,
                                 open ? QCoreApplication::translate("Site", "Die Verbindung zu den Anlagen ist wieder da.")
                                      : QCoreApplication::translate("Site", "Die Verbindung zu den Anlagen ist unterbrochen."))};
    out.append(Status(true));
    if (!open) {
        for (PlantMemory &m : plants_)
            m.wasValid = false;     // every plant is silent now: that is one alarm, not 32
        // No poll tick comes while the line is away: the plants go offline now.
        for (int n = 1; n <= std::min<int>(Plants().PlantCount, MaxSitePlants); ++n)
            Availability(n, out);
    }
    return out;
}

QList<SiteMessage> SiteMonitor::TransferEnded(int plant, TransferOutcome outcome)
{
    if (outcome == TransferOutcome::Done || outcome == TransferOutcome::Stopped)
        return {};
    QString text = TransferOutcomeMessage(outcome, plant);
    if (text.isEmpty())
        text = QCoreApplication::translate("Site", "Die Übertragung von Anlage %1 ist fehlgeschlagen.").arg(Shown(plant));
    return {Alarm(SiteAlarm::TransferFailed, plant, text.simplified())};
}

QList<SiteMessage> SiteMonitor::ModeChanged(int plant, int mode, bool ok)
{
    if (ok || mode != ModeFanOn)
        return {};
    return {Alarm(SiteAlarm::FanOnFailed, plant, QCoreApplication::translate("Site", "Anlage %1: Lüfter EIN konnte nicht eingeschaltet werden.").arg(Shown(plant)))};
}
