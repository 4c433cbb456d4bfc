#pragma once
// Records and alarms on their way to the broker: one file, appended and synced before
// a message is handed to the network, a note appended when the broker acknowledged
// it. Whatever is not acknowledged when the program ends (or dies) is sent again at
// the next start, in its order. Used by one thread only.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <set>

struct OutboxMessage {
    quint64 Id = 0;                 // assigned by Append, rising
    QByteArray Topic, Payload;      // sent with QoS 1, not retained
};

struct SiteSettings;
// Whether the program itself publishes `topic` under these settings: below its
// prefix and site, or a Home Assistant discovery topic of its own nodes.
bool OwnSiteTopic(const SiteSettings &settings, const QByteArray &topic);

class Outbox {
public:
    // Opens (or creates) the file and reads back what is not acknowledged; a line cut
    // off by a crash is dropped. False with *why when the file cannot be used (also
    // a FIFO, device or folder in its place).
    bool Open(const QString &path, QString *why = nullptr);
    // Which queued topics Open takes back (all when unset): a line someone put into
    // the file is not published under the program's name. The others are dropped
    // and their topics listed in Refused().
    void SetTopicFilter(std::function<bool(const QByteArray &topic)> accept) { accept_ = std::move(accept); }
    const QList<QByteArray> &Refused() const { return refused_; }
    void Close();
    bool IsOpen() const { return file_.isOpen(); }
    // Appends the messages (their Id is set) with one write and one sync. False: the
    // file could not take them; they are not in the outbox.
    bool Append(QList<OutboxMessage> &messages, QString *why = nullptr);
    // The broker has message `id`: noted without a sync, since a lost note only means
    // the message goes once more after a crash.
    void Acknowledge(quint64 id);
    const std::deque<OutboxMessage> &Pending() const { return pending_; }
    QString Path() const { return file_.fileName(); }

private:
    void Compact();

    QFile file_;
    std::function<bool(const QByteArray &)> accept_;
    QList<QByteArray> refused_;
    std::deque<OutboxMessage> pending_;
    std::set<quint64> ackedAhead_;  // acknowledged while an older one is still out
    quint64 nextId_ = 1;
    int notesSinceCompact_ = 0;
};

struct SiteSettings;
// Whether the program itself publishes `topic` under these settings: below its
// prefix and site, or a Home Assistant discovery topic of its own nodes.
bool OwnSiteTopic(const SiteSettings &settings, const QByteArray &topic);
