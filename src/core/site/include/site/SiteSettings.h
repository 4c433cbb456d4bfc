#pragma once
// Where the site view publishes: the broker and the names, from [MQTT] in
// Haldrix.ini. An empty Host means the site view is off (the default).

#include <QByteArray>
#include <QString>

struct SiteSettings {
    QString Host;                   // empty: off
    int Port = 1883;
    bool Tls = false;
    QString CaFile;                 // with Tls: the authority that signed the broker
    QString User;                   // empty: no login
    QString PasswordFile;           // read at connect; must be readable by its owner only
    QString Site;                   // topic level of this PC's line; default the company line
    QString Prefix = QStringLiteral("o2haldrix");
    bool HomeAssistant = true;      // discovery messages for dashboards
    bool Enabled() const { return !Host.trimmed().isEmpty(); }
    bool operator==(const SiteSettings &) const = default;
};

struct mosquitto;
// Puts the login and TLS of these settings on a client before it connects; false
// when the TLS settings are refused.
bool ApplyLogin(mosquitto *client, const SiteSettings &s, const QByteArray &password);

SiteSettings ReadSiteSettings();
void WriteSiteSettings(const SiteSettings &s);

// The password from the file's first line. False, with *why for the operator, when
// the file cannot be read or others than its owner may read it (a password that
// everybody on the PC can read is no password).
bool ReadPasswordFile(const QString &path, QByteArray *password, QString *why);

// A text made fit for one topic level: "/", "+", "#" and control characters become
// "_", surrounding blanks go; empty becomes "-".
QString TopicLevel(const QString &text);
// An id for dashboards that take only "a-zA-Z0-9_-": umlauts spelt out (ü → ue,
// ß → ss), every other character "_"; the same text always gives the same id.
QString IdSlug(const QString &text);
// "<prefix>/<site>" of these settings.
QString SiteTopicBase(const SiteSettings &s);

// Connects once with these settings and waits up to timeoutMs for the broker's
// answer. Empty on success, otherwise what went wrong (for "Verbindung testen").
// Blocks the calling thread; windows run it off their own thread.
QString TestSiteConnection(const SiteSettings &s, int timeoutMs = 5000);
