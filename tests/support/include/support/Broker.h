#pragma once
// A real MQTT broker for tests and benchmarks: mosquitto on a free port of
// 127.0.0.1, with its own folder (persistence on, so a stop and start keeps the
// sessions and their queued messages), and a subscriber that collects what arrives.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <mutex>

#include <arpa/inet.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace support {

inline int FreeTcpPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

inline bool PortAccepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

class Broker {
public:
    Broker() : port_(FreeTcpPort()) {}
    ~Broker() { Stop(); }

    static QString Program()
    {
        return QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {"/usr/sbin", "/usr/bin", "/usr/local/sbin"});
    }
    int Port() const { return port_; }

    bool Start()
    {
        if (Program().isEmpty() || port_ == 0)
            return false;
        QFile conf(dir_.filePath(QStringLiteral("mosquitto.conf")));
        if (!conf.open(QIODevice::WriteOnly))
            return false;
        conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence true\n"
                                  "persistence_location %2/\nmax_queued_messages 0\n")
                       .arg(port_).arg(dir_.path()).toUtf8());
        conf.close();
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(Program(), {"-c", conf.fileName()});
        if (!process_.waitForStarted(5000))
            return false;
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired()) {
            if (PortAccepts(port_))
                return true;
            if (process_.state() != QProcess::Running)
                return false;
            QThread::msleep(20);
        }
        return false;
    }
    void Stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();       // mosquitto saves its sessions on SIGTERM
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    QByteArray Log() { return process_.readAll(); }

private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_;
};

// Subscribes to everything under `filter` with QoS 1 on a session the broker keeps
// (fixed id, no clean start), so messages sent while it is away still reach it.
class Subscriber {
public:
    struct Message { QByteArray topic, payload; bool retained; };

    Subscriber(int port, QByteArray filter, QByteArray id = "tst-subscriber") : filter_(std::move(filter))
    {
        mosquitto_lib_init();
        m_ = mosquitto_new(id.constData(), false, this);
        mosquitto_connect_callback_set(m_, [](mosquitto *m, void *obj, int rc) {
            auto *s = static_cast<Subscriber *>(obj);
            if (rc == 0)
                mosquitto_subscribe(m, nullptr, s->filter_.constData(), 1);
        });
        mosquitto_subscribe_callback_set(m_, [](mosquitto *, void *obj, int, int, const int *) {
            auto *s = static_cast<Subscriber *>(obj);
            const std::lock_guard lock(s->mutex_);
            s->subscribed_ = true;
        });
        mosquitto_message_callback_set(m_, [](mosquitto *, void *obj, const mosquitto_message *msg) {
            auto *s = static_cast<Subscriber *>(obj);
            const std::lock_guard lock(s->mutex_);
            s->got_.append({QByteArray(msg->topic),
                            QByteArray(static_cast<const char *>(msg->payload), msg->payloadlen), msg->retain});
        });
        mosquitto_reconnect_delay_set(m_, 1, 1, false);
        mosquitto_connect_async(m_, "127.0.0.1", port, 30);
        mosquitto_loop_start(m_);
    }
    ~Subscriber()
    {
        mosquitto_disconnect(m_);
        mosquitto_loop_stop(m_, false);
        mosquitto_destroy(m_);
    }
    bool Subscribed() const
    {
        const std::lock_guard lock(mutex_);
        return subscribed_;
    }
    QList<Message> Got() const
    {
        const std::lock_guard lock(mutex_);
        return got_;
    }
    QList<Message> On(const QByteArray &topic) const
    {
        QList<Message> out;
        for (const Message &m : Got())
            if (m.topic == topic)
                out.append(m);
        return out;
    }

private:
    QByteArray filter_;
    mosquitto *m_ = nullptr;
    mutable std::mutex mutex_;
    bool subscribed_ = false;
    QList<Message> got_;
};

// What the broker keeps (retained) under `filter`, read by mosquitto_sub, a client of
// its own: topic and payload of each, as a dashboard that connects now gets them.
inline QList<QPair<QByteArray, QByteArray>> RetainedOnBroker(int port, const QByteArray &filter)
{
    QProcess sub;
    sub.start(QStringLiteral("mosquitto_sub"), {"-h", "127.0.0.1", "-p", QString::number(port), "-t",
                                                QString::fromUtf8(filter), "--retained-only", "-W", "1", "-F", "%t\t%p"});
    sub.waitForFinished(10000);
    QList<QPair<QByteArray, QByteArray>> out;
    for (const QByteArray &line : sub.readAllStandardOutput().split('\n'))
        if (const qsizetype tab = line.indexOf('\t'); tab > 0)
            out.append({line.left(tab), line.mid(tab + 1)});
    return out;
}

} // namespace support
