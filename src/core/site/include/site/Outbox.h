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
#include <set>

struct OutboxMessage {
    quint64 Id = 0;                 // assigned by Append, rising
    QByteArray Topic, Payload;      // sent with QoS 1, not retained
};

class Outbox {
public:
    // Opens (or creates) the file and reads back what is not acknowledged; a line cut
    // off by a crash is dropped. False with *why when the file cannot be used.
    bool Open(const QString &path, QString *why = nullptr);
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
    std::deque<OutboxMessage> pending_;
    std::set<quint64> ackedAhead_;  // acknowledged while an older one is still out
    quint64 nextId_ = 1;
    int notesSinceCompact_ = 0;
};
