#include "site/SiteSettings.h"

#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

#include <mosquitto.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kSection = QStringLiteral("MQTT");

} // namespace

SiteSettings ReadSiteSettings()
{
    SiteSettings s;
    s.Host = ReadSetting(kSection, QStringLiteral("Host"), QString()).trimmed();
    s.Port = ReadSetting(kSection, QStringLiteral("Port"), qint32(1883));
    if (s.Port < 1 || s.Port > 65535)
        s.Port = 1883;
    s.Tls = ReadSettingBool(kSection, QStringLiteral("TLS"), false);
    s.CaFile = ReadSetting(kSection, QStringLiteral("CAFile"), QString()).trimmed();
    s.User = ReadSetting(kSection, QStringLiteral("User"), QString()).trimmed();
    s.PasswordFile = ReadSetting(kSection, QStringLiteral("PasswortDatei"), QString()).trimmed();
    s.Site = ReadSetting(kSection, QStringLiteral("Standort"), QString()).trimmed();
    if (s.Site.isEmpty())
        s.Site = CompanyLine(1).trimmed();
    s.Prefix = ReadSetting(kSection, QStringLiteral("Prefix"), QStringLiteral("o2haldrix")).trimmed();
    if (s.Prefix.isEmpty())
        s.Prefix = QStringLiteral("o2haldrix");
    s.HomeAssistant = ReadSettingBool(kSection, QStringLiteral("HomeAssistant"), true);
    return s;
}

void WriteSiteSettings(const SiteSettings &s)
{
    if (!Settings().SettingsFile)
        return;
    Settings().SettingsFile->WriteStrings(kSection, {
        {QStringLiteral("Host"), s.Host.trimmed()},
        {QStringLiteral("Port"), QString::number(s.Port)},
        {QStringLiteral("TLS"), s.Tls ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("CAFile"), s.CaFile},
        {QStringLiteral("User"), s.User},
        {QStringLiteral("PasswortDatei"), s.PasswordFile},
        {QStringLiteral("Standort"), s.Site},
        {QStringLiteral("Prefix"), s.Prefix},
        {QStringLiteral("HomeAssistant"), s.HomeAssistant ? QStringLiteral("1") : QStringLiteral("0")},
    });
}

bool ReadPasswordFile(const QString &path, QByteArray *password, QString *why)
{
    auto fail = [&](const QString &text) {
        if (why)
            *why = text;
        return false;
    };
    if (path.isEmpty())
        return fail(QCoreApplication::translate("Site", "Keine Passwortdatei angegeben."));
#ifndef Q_OS_WIN
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return fail(QCoreApplication::translate("Site", "Die Passwortdatei %1 fehlt.").arg(path));
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0 || st.st_uid != ::getuid())
        return fail(QCoreApplication::translate("Site", "Die Passwortdatei %1 ist auch für andere lesbar und wird nicht benutzt.\n"
                       "Nur ihr Besitzer darf sie lesen (chmod 600).").arg(path));
#endif
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(QCoreApplication::translate("Site", "Die Passwortdatei %1 kann nicht gelesen werden: %2").arg(path, f.errorString()));
    QByteArray line = f.readLine(4096);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (password)
        *password = line;
    return true;
}

QString TopicLevel(const QString &text)
{
    QString out = text.trimmed();
    for (QChar &c : out)
        if (c == u'/' || c == u'+' || c == u'#' || c.category() == QChar::Other_Control)
            c = u'_';
    return out.isEmpty() ? QStringLiteral("-") : out;
}

QString IdSlug(const QString &text)
{
    QString out;
    for (const QChar c : text.trimmed()) {
        switch (c.unicode()) {
        case u'ä': out += QStringLiteral("ae"); continue;
        case u'ö': out += QStringLiteral("oe"); continue;
        case u'ü': out += QStringLiteral("ue"); continue;
        case u'Ä': out += QStringLiteral("Ae"); continue;
        case u'Ö': out += QStringLiteral("Oe"); continue;
        case u'Ü': out += QStringLiteral("Ue"); continue;
        case u'ß': out += QStringLiteral("ss"); continue;
        default: break;
        }
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
                           || c == u'_' || c == u'-';
        out += plain ? c : QChar(u'_');
    }
    return out.isEmpty() ? QStringLiteral("-") : out;
}

QString SiteTopicBase(const SiteSettings &s)
{
    return TopicLevel(s.Prefix) + u'/' + TopicLevel(s.Site);
}

bool ApplyLogin(mosquitto *client, const SiteSettings &s, const QByteArray &password)
{
    if (!s.User.isEmpty())
        mosquitto_username_pw_set(client, s.User.toUtf8().constData(), password.isEmpty() ? nullptr : password.constData());
    // Without a CA file the system's certificates vouch for the broker.
    return !s.Tls || mosquitto_tls_set(client, s.CaFile.isEmpty() ? nullptr : QFile::encodeName(s.CaFile).constData(),
                                       s.CaFile.isEmpty() ? "/etc/ssl/certs" : nullptr, nullptr, nullptr, nullptr)
                         == MOSQ_ERR_SUCCESS;
}

QString TestSiteConnection(const SiteSettings &s, int timeoutMs)
{
    if (!s.Enabled())
        return QCoreApplication::translate("Site", "Kein Broker angegeben.");
    QByteArray password;
    QString why;
    if (!s.User.isEmpty() && !s.PasswordFile.isEmpty() && !ReadPasswordFile(s.PasswordFile, &password, &why))
        return why;
    mosquitto_lib_init();
    struct Answer { bool got = false; int rc = -1; } answer;
    mosquitto *m = mosquitto_new(nullptr, true, &answer);
    if (!m)
        return QCoreApplication::translate("Site", "Die MQTT-Verbindung kann nicht angelegt werden.");
    mosquitto_connect_callback_set(m, [](mosquitto *, void *obj, int rc) {
        auto *a = static_cast<Answer *>(obj);
        a->got = true;
        a->rc = rc;
    });
    QString result;
    if (!ApplyLogin(m, s, password)) {
        result = QCoreApplication::translate("Site", "Die TLS-Einstellungen sind ungültig (CAFile %1).").arg(s.CaFile);
    } else if (const int rc = mosquitto_connect(m, s.Host.toUtf8().constData(), s.Port, 10); rc != MOSQ_ERR_SUCCESS) {
        result = QCoreApplication::translate("Site", "Keine Verbindung zu %1:%2: %3").arg(s.Host).arg(s.Port)
                     .arg(QString::fromUtf8(rc == MOSQ_ERR_ERRNO ? strerror(errno) : mosquitto_strerror(rc)));
    } else {
        const QDeadlineTimer deadline(timeoutMs);
        while (!answer.got && !deadline.hasExpired())
            if (mosquitto_loop(m, int(std::clamp<qint64>(deadline.remainingTime(), 1, 200)), 1) != MOSQ_ERR_SUCCESS)
                break;
        if (!answer.got)
            result = QCoreApplication::translate("Site", "Der Broker %1:%2 antwortet nicht.").arg(s.Host).arg(s.Port);
        else if (answer.rc != 0)
            result = QCoreApplication::translate("Site", "Der Broker %1:%2 lehnt ab: %3").arg(s.Host).arg(s.Port)
                         .arg(QString::fromUtf8(mosquitto_connack_string(answer.rc)));
        mosquitto_disconnect(m);
    }
    mosquitto_destroy(m);
    return result;
}
