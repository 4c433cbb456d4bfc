#pragma once
// Sends the site view's messages to the broker from a thread of its own, so that no
// poll or transfer ever waits for the network or the outbox's disk sync. Durable
// messages (records, alarms) go through the Outbox; retained ones are kept, the last
// of each topic, and sent again on every new connection. It never subscribes:
// nothing from the broker reaches the program.

#include "site/SiteMonitor.h"
#include "site/SiteSettings.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class SitePublisher : public QObject {
    Q_OBJECT
public:
    // `online`/`offline` are the status messages (offline is the last will).
    SitePublisher(const SiteSettings &settings, const QString &outboxPath, const SiteMessage &online,
                  const SiteMessage &offline, QObject *parent = nullptr);
    // Says "offline", waits up to a second for the broker to have it and stops; what
    // the broker has not acknowledged stays in the outbox for the next start.
    ~SitePublisher() override;

    // From any thread; never blocks.
    void Post(const QList<SiteMessage> &messages);

    struct State {
        bool Connected = false;
        qsizetype Waiting = 0;      // durable messages not yet acknowledged
        quint64 Acknowledged = 0;   // since the start
        QString Error;              // why it is not connected (empty: no fault known)
    };
    State CurrentState() const;     // from any thread

    // For tests and benchmarks: the reconnect delays (seconds), before the start.
    static void SetReconnectDelays(int first, int longest);

signals:
    // The connection or the outbox changed (delivered on the receiver's thread).
    void StateChanged();

private:
    struct Worker;
    std::unique_ptr<Worker> w_;
};
