#pragma once
// What the site view has to say, made from the program's own state on the line's
// thread: live values and piles that changed since they were last told, records as
// they are written, alarms when a state turns bad (or good again), and everything a
// dashboard keeps (retained) for a new connection. It only reads; the messages go
// to a SitePublisher.

#include "piles/Piles.h"
#include "site/SiteSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <functional>

constexpr int MaxSitePlants = 32;

struct SiteMessage {
    QByteArray Topic, Payload;
    int Qos = 0;
    bool Retain = false;
    bool Durable = false;           // through the outbox: never lost, never twice
};

enum class SiteAlarm {
    LineLost, LineBack, PlantSilent, PlantBack, TransferFailed, WriteFailed, WriteOk,
    HygieneBroken, FanOnFailed, MemoryFilling,
};
const char *SiteAlarmName(SiteAlarm alarm);     // "line_lost", …

class SiteMonitor {
public:
    explicit SiteMonitor(SiteSettings settings, QString version = {});

    // After each poll tick: live values and piles that changed, and the alarms the
    // state now shows (a plant silent, a write failure, the hygiene stretch broken,
    // the fan not running in "Lüfter EIN").
    QList<SiteMessage> Tick();
    // A data line was appended (plant number as the program counts, 1..32).
    QList<SiteMessage> RecordWritten(int plant, const QString &file, qint32 number, const QString &line);
    QList<SiteMessage> LineState(bool open);
    QList<SiteMessage> TransferEnded(int plant, TransferOutcome outcome);
    QList<SiteMessage> ModeChanged(int plant, int mode, bool ok);

    SiteMessage Status(bool online) const;  // retained; offline also serves as the last will
    QString Base() const { return base_; }
    // The threshold of the chosen hygiene criterion the core temperature must keep (°C).
    double CoreThreshold() const { return threshold_; }

    // "Now" for the messages' time stamps (tests put in their own).
    void SetClock(std::function<QDateTime()> now) { now_ = std::move(now); }

private:
    struct PileKey {
        quint8 running = 0, present = 0, mode = 0;
        qint32 records = -1;
        QString name, comment, file;
        bool operator==(const PileKey &) const = default;
    };
    struct PlantMemory {
        PileKey pile;                   // as last told
        QByteArray live;                // last told, without the time
        bool wasValid = false, silentTold = false;
        bool reached = false, brokenTold = false;
        QString hygieneFile;
        int fanOffPolls = 0;
        bool fanTold = false;
        bool memoryTold = false;        // the plant's memory is filling (800 records on)
        qint64 lastStamp = -1;
        bool discovery = false;         // dashboard entries are out there
        int available = -1;             // as last told: 1 online, 0 offline, -1 not yet
    };

    QByteArray Topic(int plant, const char *leaf) const;
    QString Time() const;
    SiteMessage Alarm(SiteAlarm alarm, int plant, const QString &text) const;
    void Discovery(int plant, bool on, QList<SiteMessage> &out);
    void Availability(int plant, QList<SiteMessage> &out);
    int Shown(int plant) const;

    SiteSettings settings_;
    QString version_, base_;
    double threshold_ = 55.0;
    std::array<PlantMemory, MaxSitePlants + 1> plants_{};
    bool lineOpen_ = true;
    quint64 runningMask_ = 0;
    QString writeFailure_;
    std::function<QDateTime()> now_;
};
