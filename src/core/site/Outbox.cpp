#include "site/Outbox.h"

#include "base/AtomicFile.h"
#include "site/SiteSettings.h"

#include <QFileInfo>

#include <QSaveFile>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

// File format, one line each, fields split by a tab (topics and compact JSON hold
// none):  "M <id> <topic> <payload>"  and  "A <id>"  (acknowledged).

namespace {

constexpr int kCompactAfterNotes = 4096;

bool SyncData(QFile &f)
{
#ifndef Q_OS_WIN
    return ::fdatasync(f.handle()) == 0;
#else
    return f.flush();
#endif
}

QByteArray Clean(QByteArray text)
{
    text.replace('\t', ' ');
    text.replace('\n', ' ');
    text.replace('\r', ' ');
    return text;
}

QByteArray MessageLine(const OutboxMessage &m)
{
    return "M\t" + QByteArray::number(m.Id) + '\t' + m.Topic + '\t' + m.Payload + '\n';
}

} // namespace

bool Outbox::Open(const QString &path, QString *why)
{
    Close();
    refused_.clear();
    QFile in(path);
    QByteArray all;
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
        if (why)
            *why = QStringLiteral("not a regular file");
        return false;
    }
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            if (why)
                *why = in.errorString();
            return false;
        }
        all = in.readAll();
        in.close();
    }
    std::set<quint64> acked;
    qsizetype complete = 0;
    for (qsizetype from = 0; from < all.size();) {
        const qsizetype end = all.indexOf('\n', from);
        if (end < 0)
            break;                          // cut off by a crash: never handed over
        const QList<QByteArray> f = all.mid(from, end - from).split('\t');
        bool ok = false;
        const quint64 id = f.value(1).toULongLong(&ok);
        if (ok && f[0] == "M" && f.size() == 4 && accept_ && !accept_(f[2])) {
            refused_ << f[2];
            acked.insert(id);       // dropped for good: the file is compacted without it
            nextId_ = std::max(nextId_, id + 1);
        } else if (ok && f[0] == "M" && f.size() == 4) {
            pending_.push_back({id, f[2], f[3]});
            nextId_ = std::max(nextId_, id + 1);
        } else if (ok && f[0] == "A" && f.size() == 2) {
            acked.insert(id);
        }
        from = complete = end + 1;
    }
    std::erase_if(pending_, [&](const OutboxMessage &m) { return acked.contains(m.Id); });
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        if (why)
            *why = file_.errorString();
        pending_.clear();
        return false;
    }
    if (complete != file_.size())
        file_.resize(complete);
    file_.seek(file_.size());
    if (!acked.empty())
        Compact();
    return true;
}

void Outbox::Close()
{
    if (file_.isOpen())
        file_.close();
    pending_.clear();
    ackedAhead_.clear();
    notesSinceCompact_ = 0;
}

bool Outbox::Append(QList<OutboxMessage> &messages, QString *why)
{
    if (!file_.isOpen()) {
        if (why)
            *why = QStringLiteral("not open");
        return false;
    }
    QByteArray bytes;
    quint64 id = nextId_;
    for (OutboxMessage &m : messages) {
        m.Id = id++;
        m.Topic = Clean(m.Topic);
        m.Payload = Clean(m.Payload);
        bytes += MessageLine(m);
    }
    const qint64 before = file_.size();
    if (file_.write(bytes) != bytes.size() || !SyncData(file_)) {
        if (why)
            *why = file_.errorString();
        file_.resize(before);       // no torn line: the next start must not lose a later one
        file_.seek(before);
        return false;
    }
    nextId_ = id;
    for (const OutboxMessage &m : messages)
        pending_.push_back(m);
    return true;
}

void Outbox::Acknowledge(quint64 id)
{
    if (pending_.empty() || id < pending_.front().Id)
        return;
    if (id != pending_.front().Id) {
        ackedAhead_.insert(id);
    } else {
        pending_.pop_front();
        while (!pending_.empty() && ackedAhead_.erase(pending_.front().Id))
            pending_.pop_front();
    }
    if (pending_.empty()) {
        // Nothing left to send: the file starts again from nothing.
        ackedAhead_.clear();
        file_.resize(0);
        file_.seek(0);
        notesSinceCompact_ = 0;
        return;
    }
    file_.write("A\t" + QByteArray::number(id) + '\n');
    if (++notesSinceCompact_ >= kCompactAfterNotes)
        Compact();
}

void Outbox::Compact()
{
    QByteArray bytes;
    for (const OutboxMessage &m : pending_)
        if (!ackedAhead_.contains(m.Id))
            bytes += MessageLine(m);
    for (quint64 id : ackedAhead_)
        bytes += "A\t" + QByteArray::number(id) + '\n';
    const QString path = file_.fileName();
    if (!WriteFileAtomically(path, bytes))
        return;                     // the longer file still says the same
    file_.close();
    file_.setFileName(path);
    if (file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        file_.seek(file_.size());
    notesSinceCompact_ = 0;
}

bool OwnSiteTopic(const SiteSettings &settings, const QByteArray &topic)
{
    const QByteArray base = SiteTopicBase(settings).toUtf8();
    if (topic == base || topic.startsWith(base + '/'))
        return true;
    // homeassistant/sensor/<prefix>_<site>_anlage<n>/<key>/config, as SiteMonitor makes it
    const QByteArray node = TopicLevel(settings.Prefix + u'_' + settings.Site + QStringLiteral("_anlage")).replace(u' ', u'_').toUtf8();
    const QByteArray head = "homeassistant/sensor/" + node;
    if (!settings.HomeAssistant || !topic.startsWith(head) || !topic.endsWith("/config"))
        return false;
    const QList<QByteArray> rest = topic.mid(head.size()).split('/');
    if (rest.size() != 3 || rest[0].isEmpty() || rest[0].size() > 3)
        return false;
    for (char c : rest[0])
        if (c < '0' || c > '9')
            return false;
    static const QList<QByteArray> keys = {"t1", "t2", "t3", "t4", "t5", "o2"};
    return keys.contains(rest[1]);
}
