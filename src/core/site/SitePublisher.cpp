#include "site/SitePublisher.h"

#include "site/Outbox.h"

#include "base/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <QUuid>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>

#include <mosquitto.h>

namespace {

std::atomic<int> g_firstDelay{1}, g_longestDelay{30};

// At most this many durable messages are with the network at a time; the rest wait
// in the outbox, in order.
constexpr int kWindow = 200;

// A dashboard entry (retained discovery config) of the shape the monitor makes; only
// those are remembered and taken back, whatever the file beside the outbox holds.
bool IsDiscoveryTopic(const QByteArray &topic)
{
    static const QRegularExpression entry(QStringLiteral("^homeassistant/sensor/[A-Za-z0-9_-]+_anlage[0-9]+/(t[1-5]|o2)/config$"));
    return topic.startsWith("homeassistant/") && entry.match(QString::fromUtf8(topic)).hasMatch();
}

} // namespace

void SitePublisher::SetReconnectDelays(int first, int longest)
{
    g_firstDelay = std::max(1, first);
    g_longestDelay = std::max(g_firstDelay.load(), longest);
}

// Everything below runs on `thread`, except the three library callbacks, which only
// post to it, and the final wait of the destructor.
struct SitePublisher::Worker : QObject {
    SitePublisher *owner = nullptr;
    SiteSettings settings;
    QString outboxPath;
    SiteMessage online, offline;
    QThread thread;
    mosquitto *m = nullptr;
    Outbox outbox;
    bool connected = false, outboxBroken = false;
    QList<OutboxMessage> held;                  // durable ones the outbox could not take
    QList<OutboxMessage> toWrite;               // durable ones posted, for the next sync
    bool writeDue = false;
    std::map<int, quint64> inFlight;            // library message id → outbox id
    quint64 handedUpTo = 0;                     // outbox ids up to this one are with the library
    QHash<QByteArray, SiteMessage> retained;    // last of each retained topic
    QList<QByteArray> retainedOrder;
    // Dashboard entries announced and not yet taken back, remembered across runs in a
    // file beside the outbox: one that no running pile needs any more is removed at
    // the next connection, also when its pile ended while the broker or the program
    // was away.
    QString announcedPath;
    QSet<QByteArray> announced;
    bool told = false;                          // the monitor has said what is needed
    // The first connection is retried here (the library retries only a connection
    // it once had): 1 s, then longer each time up to the longest delay.
    QTimer *retry = nullptr;
    int retryDelay = 1;
    bool loopRunning = false;

    mutable std::mutex stateMutex;
    State state;

    std::mutex finalMutex;
    std::condition_variable finalAck;
    int finalMid = -1;
    bool finalDone = false;

    void SetState(const std::function<void(State &)> &change)
    {
        {
            const std::lock_guard lock(stateMutex);
            change(state);
            state.Waiting = qsizetype(outbox.Pending().size()) + held.size() + toWrite.size();
        }
        emit owner->StateChanged();
    }

    void Start()
    {
        LoadAnnounced();
        QString why;
        outbox.SetTopicFilter([this](const QByteArray &topic) { return OwnSiteTopic(settings, topic); });
        if (!outbox.Open(outboxPath, &why)) {
            outboxBroken = true;
            SetState([&](State &s) { s.Error = QCoreApplication::translate("Site", "MQTT-Ausgang %1 kann nicht benutzt werden: %2").arg(outboxPath, why); });
        } else if (!outbox.Refused().isEmpty()) {
            QStringList topics;
            for (const QByteArray &t : outbox.Refused().mid(0, 3))
                topics << QString::fromUtf8(t);
            if (outbox.Refused().size() > 3)
                topics << QStringLiteral("…");
            SetState([&](State &s) {
                s.Error = QCoreApplication::translate("Site", "MQTT-Ausgang %1: Nachrichten mit fremdem Thema nicht gesendet: %2")
                              .arg(outboxPath, topics.join(QStringLiteral(", ")));
            });
        }
        QByteArray password;
        if (!settings.User.isEmpty() && !settings.PasswordFile.isEmpty()
            && !ReadPasswordFile(settings.PasswordFile, &password, &why)) {
            SetState([&](State &s) { s.Error = why; });
            return;                         // refused: no connection with a password others can read
        }
        mosquitto_lib_init();
        const QByteArray id = "o2haldrix-" + QUuid::createUuid().toByteArray(QUuid::Id128).left(12);
        m = mosquitto_new(id.constData(), true, this);
        if (!m) {
            SetState([&](State &s) { s.Error = QCoreApplication::translate("Site", "Die MQTT-Verbindung kann nicht angelegt werden."); });
            return;
        }
        mosquitto_will_set(m, offline.Topic.constData(), int(offline.Payload.size()), offline.Payload.constData(), 1, true);
        ApplyLogin(m, settings, password);   // refused TLS shows as the connection's failure
        mosquitto_max_inflight_messages_set(m, kWindow);
        mosquitto_reconnect_delay_set(m, unsigned(g_firstDelay.load()), unsigned(g_longestDelay.load()), true);
        mosquitto_connect_callback_set(m, [](mosquitto *, void *obj, int rc) {
            auto *w = static_cast<Worker *>(obj);
            QMetaObject::invokeMethod(w, [w, rc] { w->Connected(rc); }, Qt::QueuedConnection);
        });
        mosquitto_disconnect_callback_set(m, [](mosquitto *, void *obj, int rc) {
            auto *w = static_cast<Worker *>(obj);
            QMetaObject::invokeMethod(w, [w, rc] { w->Disconnected(rc); }, Qt::QueuedConnection);
        });
        mosquitto_publish_callback_set(m, [](mosquitto *, void *obj, int mid) {
            auto *w = static_cast<Worker *>(obj);
            {
                // Stop holds the lock from publishing "offline" until it waits, so
                // its acknowledgement is never taken for an outbox message's.
                const std::lock_guard lock(w->finalMutex);
                if (mid == w->finalMid) {
                    w->finalDone = true;
                    w->finalAck.notify_all();
                    return;
                }
            }
            QMetaObject::invokeMethod(w, [w, mid] { w->Acknowledged(mid); }, Qt::QueuedConnection);
        });
        retry = new QTimer(this);
        retry->setSingleShot(true);
        connect(retry, &QTimer::timeout, this, [this] { Connect(); });
        retryDelay = g_firstDelay;
        Connect();
    }

    void Connect()
    {
        const int rc = mosquitto_connect_async(m, settings.Host.toUtf8().constData(), settings.Port, 30);
        if (rc != MOSQ_ERR_SUCCESS) {
            SetState([&](State &s) { s.Error = QCoreApplication::translate("Site", "Keine Verbindung zu %1:%2: %3").arg(settings.Host).arg(settings.Port)
                                                   .arg(QString::fromUtf8(mosquitto_strerror(rc))); });
            retry->start(retryDelay * 1000);
            retryDelay = std::min(retryDelay * 2, g_longestDelay.load());
            return;
        }
        // From here the library's own thread reads, writes, keeps the connection
        // alive and connects again after a loss.
        if (!loopRunning)
            loopRunning = mosquitto_loop_start(m) == MOSQ_ERR_SUCCESS;
        SetState([](State &) {});
    }

    void LoadAnnounced()
    {
        announcedPath = QFileInfo(outboxPath).absoluteDir().filePath(QStringLiteral("mqtt-discovery.txt"));
        QFile f(announcedPath);
        if (!QFileInfo(announcedPath).isFile() || !f.open(QIODevice::ReadOnly))
            return;
        for (const QByteArray &line : f.readAll().split('\n'))
            if (IsDiscoveryTopic(line))
                announced.insert(line);
    }

    void SaveAnnounced()
    {
        QList<QByteArray> topics(announced.begin(), announced.end());
        std::sort(topics.begin(), topics.end());
        QByteArray text;
        for (const QByteArray &t : topics)
            text += t + '\n';
        WriteFileAtomically(announcedPath, text);   // not kept: at worst an entry stays behind
    }

    // Takes back every announced entry that nothing posted needs now.
    void RemoveUnneeded()
    {
        if (!connected || !told)
            return;
        bool changed = false;
        for (auto it = announced.begin(); it != announced.end();) {
            if (retained.contains(*it)) {
                ++it;
                continue;
            }
            Send({*it, {}, 1, true, false});
            it = announced.erase(it);
            changed = true;
        }
        if (changed)
            SaveAnnounced();
    }

    void Connected(int rc)
    {
        if (rc != 0) {
            SetState([&](State &s) {
                s.Connected = false;
                s.Error = QCoreApplication::translate("Site", "Der Broker %1:%2 lehnt ab: %3").arg(settings.Host).arg(settings.Port)
                              .arg(QString::fromUtf8(mosquitto_connack_string(rc)));
            });
            return;
        }
        connected = true;
        Send(online);
        for (const QByteArray &topic : retainedOrder)
            Send(retained.value(topic));
        RemoveUnneeded();
        // Durable messages handed over before are the library's to send again; the
        // ones after them follow now.
        HandOver();
        SetState([](State &s) { s.Connected = true; s.Error.clear(); });
    }

    void Disconnected(int rc)
    {
        connected = false;
        SetState([&](State &s) {
            s.Connected = false;
            if (rc != 0)
                s.Error = QCoreApplication::translate("Site", "Die Verbindung zum Broker %1:%2 ist unterbrochen.").arg(settings.Host).arg(settings.Port);
        });
    }

    void Send(const SiteMessage &msg)
    {
        if (m && connected)
            mosquitto_publish(m, nullptr, msg.Topic.constData(), int(msg.Payload.size()), msg.Payload.constData(),
                              msg.Qos, msg.Retain);
    }

    void HandOver()
    {
        if (!m || !connected)
            return;
        for (const OutboxMessage &o : outbox.Pending()) {
            if (o.Id <= handedUpTo)
                continue;
            if (int(inFlight.size()) >= kWindow)
                break;
            int mid = 0;
            if (mosquitto_publish(m, &mid, o.Topic.constData(), int(o.Payload.size()), o.Payload.constData(), 1, false)
                != MOSQ_ERR_SUCCESS)
                break;                      // not connected after all: next connection
            inFlight[mid] = o.Id;
            handedUpTo = o.Id;
        }
    }

    void Acknowledged(int mid)
    {
        const auto it = inFlight.find(mid);
        if (it == inFlight.end())
            return;                         // a QoS 0 or retained message
        outbox.Acknowledge(it->second);
        inFlight.erase(it);
        HandOver();
        SetState([](State &s) { ++s.Acknowledged; });
    }

    void Take(const QList<SiteMessage> &messages)
    {
        const bool first = !told;
        told = true;
        for (const SiteMessage &msg : messages) {
            if (msg.Durable) {
                toWrite.append({0, msg.Topic, msg.Payload});
                continue;
            }
            if (msg.Retain) {
                if (msg.Payload.isEmpty()) {
                    retained.remove(msg.Topic);
                    retainedOrder.removeAll(msg.Topic);
                } else {
                    if (!retained.contains(msg.Topic))
                        retainedOrder.append(msg.Topic);
                    retained.insert(msg.Topic, msg);
                }
            }
            if (IsDiscoveryTopic(msg.Topic)) {
                // Remembered before it goes out; forgotten only once its removal went.
                if (!msg.Payload.isEmpty() && !announced.contains(msg.Topic)) {
                    announced.insert(msg.Topic);
                    SaveAnnounced();
                } else if (msg.Payload.isEmpty() && connected && announced.remove(msg.Topic)) {
                    Send(msg);
                    SaveAnnounced();
                    continue;
                }
            }
            Send(msg);
        }
        if (first)
            RemoveUnneeded();
        // Everything posted meanwhile goes to the disk with one sync.
        if (!toWrite.isEmpty() && !writeDue) {
            writeDue = true;
            QTimer::singleShot(0, this, [this] { WriteDurable(); });
        }
    }

    void WriteDurable()
    {
        writeDue = false;
        if (!held.isEmpty()) {      // first in, first out, also after a full disk
            toWrite = held + toWrite;
            held.clear();
        }
        if (toWrite.isEmpty())
            return;
        if (outboxBroken) {
            // No outbox at all: sent as they come, and lost while the broker is away
            // (the status bar says why).
            for (const OutboxMessage &o : toWrite)
                Send({o.Topic, o.Payload, 1, false, false});
            toWrite.clear();
            return;
        }
        QString why;
        if (outbox.Append(toWrite, &why)) {
            toWrite.clear();
            HandOver();
            SetState([](State &) {});
            return;
        }
        // The outbox's disk is full: keep them in memory and try again, first of all.
        held = std::move(toWrite);
        toWrite.clear();
        if (!writeDue) {
            writeDue = true;
            QTimer::singleShot(10000, this, [this] { WriteDurable(); });
        }
        SetState([&](State &s) { s.Error = QCoreApplication::translate("Site", "MQTT-Ausgang %1 kann nicht geschrieben werden: %2").arg(outboxPath, why); });
    }

    // On the worker's thread, the last thing it does.
    void Stop()
    {
        WriteDurable();
        if (retry)
            retry->stop();
        if (m) {
            if (connected) {
                int mid = 0;
                std::unique_lock lock(finalMutex);
                finalDone = false;
                if (mosquitto_publish(m, &mid, offline.Topic.constData(), int(offline.Payload.size()),
                                      offline.Payload.constData(), 1, true) == MOSQ_ERR_SUCCESS) {
                    finalMid = mid;
                    finalAck.wait_for(lock, std::chrono::seconds(1), [this] { return finalDone; });
                }
            }
            mosquitto_disconnect(m);
            if (loopRunning)
                mosquitto_loop_stop(m, false);
            mosquitto_destroy(m);
            m = nullptr;
        }
        outbox.Close();
    }
};

SitePublisher::SitePublisher(const SiteSettings &settings, const QString &outboxPath, const SiteMessage &online,
                             const SiteMessage &offline, QObject *parent)
    : QObject(parent), w_(std::make_unique<Worker>())
{
    w_->owner = this;
    w_->settings = settings;
    w_->outboxPath = outboxPath;
    w_->online = online;
    w_->offline = offline;
    w_->thread.setObjectName(QStringLiteral("site view"));
    w_->moveToThread(&w_->thread);
    w_->thread.start();
    QMetaObject::invokeMethod(w_.get(), [w = w_.get()] { w->Start(); }, Qt::QueuedConnection);
}

SitePublisher::~SitePublisher()
{
    // Queued after everything posted before: those reach the outbox first.
    QMetaObject::invokeMethod(w_.get(), [w = w_.get()] {
        w->Stop();
        w->moveToThread(QCoreApplication::instance() ? QCoreApplication::instance()->thread() : nullptr);
        w->thread.quit();
    }, Qt::QueuedConnection);
    w_->thread.wait();
}

void SitePublisher::Post(const QList<SiteMessage> &messages)
{
    if (messages.isEmpty())
        return;
    QMetaObject::invokeMethod(w_.get(), [w = w_.get(), messages] { w->Take(messages); }, Qt::QueuedConnection);
}

SitePublisher::State SitePublisher::CurrentState() const
{
    const std::lock_guard lock(w_->stateMutex);
    return w_->state;
}
