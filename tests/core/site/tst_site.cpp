// The site view: settings and the password file, the outbox across restarts and
// cuts, the alarms, and delivery to a real broker: live values, every record of a
// readout once and in order, with the broker away meanwhile, and after a restart.

#include "datafile/DataFile.h"
#include "piles/Piles.h"
#include "site/Outbox.h"
#include "site/SiteSettings.h"
#include "support/Files.h"

#include <sys/stat.h>
#include "site/SiteMonitor.h"
#include "site/SitePublisher.h"
#include "site/SiteSettings.h"
#include "site/SiteView.h"

#include "support/Broker.h"
#include "support/SimSite.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

namespace {

using support::Broker;
using support::Subscriber;

QJsonObject Parse(const QByteArray &payload) { return QJsonDocument::fromJson(payload).object(); }

// Home Assistant's discovery topic (ids of ASCII letters, digits, "_" and "-"), and
// the ids it takes.
const QRegularExpression kDiscoveryTopic(QStringLiteral("^homeassistant/[a-z_]+/([a-zA-Z0-9_-]+/)?[a-zA-Z0-9_-]+/config$"));
const QRegularExpression kId(QStringLiteral("^[a-zA-Z0-9_-]+$"));
const QString kSite = QStringLiteral("Kompostwerk Süd GmbH & Co. KG");

// A value template of the one form the program uses, "{{ value_json.KEY }}", rendered
// against a payload as the dashboard does: the value, or null when the key is missing.
QJsonValue Render(const QString &tmpl, const QByteArray &payload)
{
    static const QRegularExpression form(QStringLiteral("^\\{\\{ value_json\\.([a-z0-9_]+) \\}\\}$"));
    const QRegularExpressionMatch m = form.match(tmpl);
    return m.hasMatch() ? Parse(payload).value(m.captured(1)) : QJsonValue();
}

// Checks one discovery config against the dashboard's rules: the keys a sensor needs,
// ids it accepts, availability from both the program's status and the plant.
void CheckDiscoveryConfig(const QByteArray &topic, const QJsonObject &c, const QString &base, const QByteArray &live,
                          const QByteArray &status)
{
    QVERIFY2(kDiscoveryTopic.match(QString::fromUtf8(topic)).hasMatch(), topic.constData());
    QVERIFY2(kId.match(c.value("unique_id").toString()).hasMatch(), qPrintable(c.value("unique_id").toString()));
    const QJsonObject device = c.value("device").toObject();
    QVERIFY(kId.match(device.value("identifiers").toArray().first().toString()).hasMatch());
    QVERIFY2(device.value("name").toString().startsWith(kSite), qPrintable(device.value("name").toString()));
    const QString stateTopic = c.value("state_topic").toString();
    QVERIFY2(stateTopic.startsWith(base + "/plant/") && stateTopic.endsWith("/live"), qPrintable(stateTopic));
    QCOMPARE(c.value("availability_mode").toString(), QString("all"));
    const QJsonArray av = c.value("availability").toArray();
    QCOMPARE(av.size(), 2);
    QCOMPARE(av[0].toObject().value("topic").toString(), base + "/status");
    QCOMPARE(Render(av[0].toObject().value("value_template").toString(), status).toString(), QString("online"));
    QCOMPARE(av[1].toObject().value("topic").toString(), stateTopic.chopped(4) + "availability");
    QVERIFY(Render(c.value("value_template").toString(), live).isDouble());
}

QStringList AlarmsIn(const QList<SiteMessage> &messages)
{
    QStringList out;
    for (const SiteMessage &m : messages)
        if (m.Topic.endsWith("/alarm"))
            out << Parse(m.Payload).value("alarm").toString();
    return out;
}

void UseBroker(int port)
{
    WriteSetting(QStringLiteral("MQTT"), QStringLiteral("Host"), QStringLiteral("127.0.0.1"));
    WriteSetting(QStringLiteral("MQTT"), QStringLiteral("Port"), port);
    WriteSetting(QStringLiteral("MQTT"), QStringLiteral("Standort"), QStringLiteral("Nord/West"));
}

// The record messages' (file, number) in arrival order; fails on a message that is
// not a record of this readout.
QList<QPair<QString, int>> Records(const Subscriber &sub)
{
    QList<QPair<QString, int>> out;
    for (const Subscriber::Message &m : sub.Got())
        if (m.topic.endsWith("/record")) {
            const QJsonObject o = Parse(m.payload);
            out.append({o.value("file").toString(), o.value("record").toInt()});
        }
    return out;
}

// Every line of every data file of the plants, as (file name, number), in file order.
QList<QPair<QString, int>> LinesOnDisk(const QList<int> &plants)
{
    QList<QPair<QString, int>> out;
    for (int n : plants) {
        DataFileContent c;
        if (!LoadDataFile(Plants().PlantTable[n].Datei, c, nullptr))
            continue;
        for (int i = 0; i < c.Lines.size(); ++i)
            out.append({QFileInfo(Plants().PlantTable[n].Datei).fileName(), i + 1});
    }
    return out;
}

// Per file, the record numbers arrived, to compare with the lines on disk.
QMap<QString, QList<int>> ByFile(const QList<QPair<QString, int>> &records)
{
    QMap<QString, QList<int>> out;
    for (const auto &[file, number] : records)
        out[file].append(number);
    return out;
}

} // namespace

class TstSite : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(!Broker::Program().isEmpty(), "mosquitto is missing (scripts/install-deps installs it)");
        SitePublisher::SetReconnectDelays(1, 1);
    }
    void cleanup()
    {
        support::ResetSharedState();
        SitePublisher::SetReconnectDelays(1, 1);
    }

    void settingsPasswordFileAndTopics()
    {
        support::SharedStateGuard guard;
        QTemporaryDir home;
        SetProgramFolder(home.path());
        TSettingsFile ini(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        WriteSetting(QStringLiteral("Firma"), QStringLiteral("Titel"), QStringLiteral("Kompostwerk Süd"));
        SiteSettings s = ReadSiteSettings();
        QVERIFY(!s.Enabled());                                  // off until a broker is named
        QCOMPARE(s.Site, QStringLiteral("Kompostwerk Süd"));
        QCOMPARE(s.Port, 1883);
        s.Host = QStringLiteral("broker.local");
        s.Site = QStringLiteral("Werk #2/Nord");
        s.HomeAssistant = false;
        WriteSiteSettings(s);
        const SiteSettings back = ReadSiteSettings();
        QVERIFY(back.Enabled() && !back.HomeAssistant);
        QCOMPARE(SiteTopicBase(back), QStringLiteral("o2haldrix/Werk _2_Nord"));

        const QString pw = home.filePath("pw");
        QFile f(pw);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("geheim\n");
        f.close();
        QByteArray password;
        QString why;
        QFile::setPermissions(pw, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        QVERIFY(!ReadPasswordFile(pw, &password, &why));
        QVERIFY2(why.contains(QStringLiteral("für andere lesbar")), qPrintable(why));
        QVERIFY(password.isEmpty());
        QFile::setPermissions(pw, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(ReadPasswordFile(pw, &password, &why));
        QCOMPARE(password, QByteArray("geheim"));
        Settings().SettingsFile = nullptr;
    }

    // "Verbindung testen" and the publisher: a broker that answers, a port where none
    // listens, and a password file others can read, which is never used.
    void connectionTestAndRefusedPassword()
    {
        Broker broker;
        QVERIFY(broker.Start());
        SiteSettings s;
        s.Host = QStringLiteral("127.0.0.1");
        s.Port = broker.Port();
        QCOMPARE(TestSiteConnection(s), QString());
        SiteSettings none = s;
        none.Port = support::FreeTcpPort();
        QVERIFY2(TestSiteConnection(none).contains(QStringLiteral("Keine Verbindung")), qPrintable(TestSiteConnection(none)));

        QTemporaryDir dir;
        const QString pw = dir.filePath("pw");
        QFile f(pw);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("geheim\n");
        f.close();
        QFile::setPermissions(pw, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        s.User = QStringLiteral("haldrix");
        s.PasswordFile = pw;
        QVERIFY(TestSiteConnection(s).contains(QStringLiteral("lesbar")));
        SiteMonitor monitor(s);
        SitePublisher publisher(s, dir.filePath("outbox.txt"), monitor.Status(true), monitor.Status(false));
        QTRY_VERIFY(publisher.CurrentState().Error.contains(QStringLiteral("lesbar")));
        QTest::qWait(300);
        QVERIFY(!publisher.CurrentState().Connected);
    }

    // Unacknowledged messages come back after a restart in their order; a line cut
    // off by a crash is dropped, and many acknowledgements still leave a short file.
    void outboxAcrossRestartsAndCuts()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("outbox.txt");
        {
            Outbox box;
            QVERIFY(box.Open(path));
            QList<OutboxMessage> batch;
            for (int i = 1; i <= 5; ++i)
                batch.append({0, "a/record", QByteArray("{\"n\":") + QByteArray::number(i) + "}"});
            QVERIFY(box.Append(batch));
            box.Acknowledge(batch[0].Id);
            box.Acknowledge(batch[2].Id);                       // out of order
        }
        {
            QFile raw(path);
            QVERIFY(raw.open(QIODevice::Append));
            raw.write("M\t99\ta/record\t{\"torn\":");            // the crash came mid-line
        }
        Outbox box;
        QVERIFY(box.Open(path));
        QStringList left;
        for (const OutboxMessage &m : box.Pending())
            left << QString::fromUtf8(m.Payload);
        QCOMPARE(left, (QStringList{"{\"n\":2}", "{\"n\":4}", "{\"n\":5}"}));
        QList<OutboxMessage> more{{0, "a/record", "{\"n\":6}"}};
        QVERIFY(box.Append(more));
        QVERIFY(more[0].Id > box.Pending()[1].Id);

        QList<OutboxMessage> many;
        for (int i = 0; i < 10000; ++i)
            many.append({0, "a/record", "{\"x\":" + QByteArray::number(i) + "}"});
        QVERIFY(box.Append(many));
        for (int i = 0; i < 9990; ++i)
            box.Acknowledge(many[i].Id);
        QVERIFY2(QFileInfo(path).size() < 200 * 1024, qPrintable(QString::number(QFileInfo(path).size())));
        box.Close();
        QVERIFY(box.Open(path));
        QCOMPARE(box.Pending().size(), size_t(4 + 10));
        QCOMPARE(box.Pending().back().Payload, QByteArray("{\"x\":9999}"));
        while (!box.Pending().empty())
            box.Acknowledge(box.Pending().front().Id);
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    // Only the program's own topics leave the outbox: a line someone put into it is
    // dropped and listed; a FIFO in its place is refused, not read.
    void outboxSendsOnlyOwnTopics()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("outbox.txt");
        SiteSettings s;
        s.Site = QStringLiteral("Kompostwerk Süd GmbH & Co. KG");
        const QByteArray base = SiteTopicBase(s).toUtf8();
        QVERIFY(support::WriteAll(path, "M\t1\t" + base + "/anlage3/record\t{}\n"
                                        "M\t2\tother/site/anlage3/record\t{}\n"
                                        "M\t3\thomeassistant/sensor/o2haldrix_Kompostwerk_Süd_GmbH_&_Co._KG_anlage3/t5/config\t{}\n"
                                        "M\t4\thomeassistant/switch/o2haldrix_x/config\t{}\n"));
        Outbox box;
        box.SetTopicFilter([&](const QByteArray &t) { return OwnSiteTopic(s, t); });
        QVERIFY(box.Open(path));
        QCOMPARE(box.Pending().size(), size_t(2));
        QCOMPARE(box.Refused(), (QList<QByteArray>{"other/site/anlage3/record", "homeassistant/switch/o2haldrix_x/config"}));
        box.Close();
        QVERIFY(QFile::remove(path));
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QString why;
        QVERIFY(!box.Open(path, &why));
        QVERIFY(!why.isEmpty());
    }

    // Each bad turn is told once, and again only after it had come good.
    void alarmsOncePerTurn()
    {
        support::SharedStateGuard guard;
        Plants().PlantCount = 2;
        TAnlageParameter &slot = Plants().PlantTable[1];
        slot.Present = slot.Running = 1;
        slot.Mode = ModeFanOn;
        slot.Name = QStringLiteral("Nord");
        slot.Datei = QStringLiteral("/tmp/Nord_08-12-2026.csv");
        SiteMonitor monitor(SiteSettings{});
        QCOMPARE(monitor.CoreThreshold(), 55.0);
        TLiveValues &v = Plants().LiveTable[1];
        auto tick = [&](int t5, bool valid = true, bool fan = true) {
            v.Valid = valid;
            v.T5 = t5;
            v.FanOn = fan;
            ++v.StampMs;
            return monitor.Tick();
        };
        QList<SiteMessage> first = tick(40);
        QVERIFY(std::any_of(first.begin(), first.end(), [](const SiteMessage &m) { return m.Topic.endsWith("/plant/1/pile") && m.Retain; }));
        QVERIFY(AlarmsIn(first).isEmpty());                     // never hot yet: nothing broken
        QVERIFY(AlarmsIn(tick(60)).isEmpty());
        QCOMPARE(AlarmsIn(tick(54)), QStringList{"hygienisation_broken"});
        QVERIFY(AlarmsIn(tick(50)).isEmpty());
        tick(56);
        QCOMPARE(AlarmsIn(tick(54)), QStringList{"hygienisation_broken"});

        QCOMPARE(AlarmsIn(tick(54, false)), QStringList{"plant_not_answering"});
        QVERIFY(AlarmsIn(tick(54, false)).isEmpty());
        QCOMPARE(AlarmsIn(tick(54, true)), QStringList{"plant_answering"});

        QVERIFY(AlarmsIn(tick(54, true, false)).isEmpty());
        QVERIFY(AlarmsIn(tick(54, true, false)).isEmpty());
        QCOMPARE(AlarmsIn(tick(54, true, false)), QStringList{"fan_on_failed"});
        QVERIFY(AlarmsIn(tick(54, true, false)).isEmpty());

        // Unchanged values are not told again; the line lost is one alarm, not one a plant.
        v.StampMs++;
        QVERIFY(monitor.Tick().isEmpty());
        QCOMPARE(AlarmsIn(monitor.LineState(false)), QStringList{"line_lost"});
        v.Valid = 0;
        ++v.StampMs;
        QVERIFY(AlarmsIn(monitor.Tick()).isEmpty());
        QCOMPARE(AlarmsIn(monitor.TransferEnded(1, TransferOutcome::TimedOut)), QStringList{"transfer_failed"});
        QVERIFY(monitor.TransferEnded(1, TransferOutcome::Done).isEmpty());
    }

    // A site named as most German ones are, against the dashboard's rules; no live
    // value that was never measured; a plant muted mid-run goes offline within 5 of
    // its polls, and online again when it answers.
    void dashboardEntriesAvailabilityAndNoInventedValues()
    {
        support::SimSite site({support::Plant(1, true), support::Plant(2, true)}, 1);
        Plants().PlantCount = 2;
        SiteSettings s;
        s.Site = kSite;
        SiteMonitor monitor(s);
        const QString base = monitor.Base();
        QList<SiteMessage> got = monitor.Tick();           // before the first poll: offline, no values
        QCOMPARE(std::count_if(got.begin(), got.end(), [](const SiteMessage &m) {
                     return m.Topic.endsWith("/live") || (m.Topic.endsWith("/availability") && m.Payload == "offline"); }), 2);
        QObject::connect(&site.link, &TLink::Polled, [&] { got += monitor.Tick(); });
        auto last = [&](const QByteArray &leaf) {
            QByteArray payload;
            for (const SiteMessage &m : got)
                if (m.Topic == (base + "/plant/1/").toUtf8() + leaf)
                    payload = m.Payload;
            return payload;
        };
        site.link.StartTimer();
        QTRY_COMPARE_WITH_TIMEOUT(last("availability"), QByteArray("online"), 5000);

        int configs = 0;
        for (const SiteMessage &m : got)
            if (m.Topic.startsWith("homeassistant/")) {
                ++configs;
                CheckDiscoveryConfig(m.Topic, Parse(m.Payload), base, last("live"), monitor.Status(true).Payload);
            }
        QCOMPARE(configs, 12);

        site.trace.clear();
        site.P(1).GetFaults().muteAfter = site.P(1).RepliesSent();
        const qsizetype before = got.size();
        QTRY_COMPARE_WITH_TIMEOUT(last("availability"), QByteArray("offline"), 20000);
        const QStringList polls = site.Sent().filter(QRegularExpression("^1 "));
        QVERIFY2(polls.size() <= 5, qPrintable(polls.join(", ")));
        site.P(1).GetFaults().muteAfter = -1;
        QTRY_COMPARE_WITH_TIMEOUT(last("availability"), QByteArray("online"), 5000);
        site.link.StopTimer();

        QCOMPARE(AlarmsIn(got.mid(before)), (QStringList{"plant_not_answering", "plant_answering"}));
        for (const SiteMessage &m : got)
            if (m.Topic.endsWith("/live")) {
                const QJsonObject o = Parse(m.Payload);
                QVERIFY2(o.value("valid").toBool() && o.value("t5").toInt() != 0 && o.value("mode").toInt() != 0, m.Payload.constData());
            }
        const QByteArray record = monitor.RecordWritten(1, "Nord_08-12-2026.csv", 1, "1;x").first().Payload;
        QVERIFY(record.contains(R"("depthUnit":"cm")") && record.contains(R"("unit":"°C")"));
    }

    // With the program's own wiring: live values of the running plants within 5 s,
    // and every record of a daily readout once, in order, as written to the files.
    void readoutAndLiveValuesReachTheBroker()
    {
        Broker broker;
        QVERIFY(broker.Start());
        Subscriber sub(broker.Port(), "o2haldrix/#", "tst-live");
        QTRY_VERIFY_WITH_TIMEOUT(sub.Subscribed(), 5000);
        support::SimSite site({support::Plant(1, true), support::Plant(2, true), support::Plant(3, false)}, 1);
        Plants().PlantCount = 3;
        UseBroker(broker.Port());
        SiteView view(&site.link, QStringLiteral("test"));
        QVERIFY(view.Active());
        site.link.StartTimer();
        auto validLive = [&](int n) {
            for (const Subscriber::Message &m : sub.On(QByteArray("o2haldrix/Nord_West/plant/") + QByteArray::number(n) + "/live"))
                if (const QJsonObject o = Parse(m.payload); o.value("valid").toBool() && o.contains("t5") && o.contains("time"))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(validLive(1) && validLive(2), 5000);
        QVERIFY(sub.On("o2haldrix/Nord_West/plant/4/pile").isEmpty());   // no plant there
        QTRY_VERIFY_WITH_TIMEOUT(!sub.On("o2haldrix/Nord_West/status").isEmpty(), 5000);
        QCOMPARE(Parse(sub.On("o2haldrix/Nord_West/status").last().payload).value("state").toString(), "online");

        Settings().ReadoutHour = 6;
        Settings().NextReadout = QDateTime(QDate(2026, 12, 8), QTime(6, 0));
        RunDailyReadout({});
        const QList<QPair<QString, int>> disk = LinesOnDisk({1, 2});
        QVERIFY(disk.size() > 40);
        QTRY_COMPARE_WITH_TIMEOUT(Records(sub).size(), disk.size(), 10000);
        QCOMPARE(ByFile(Records(sub)), ByFile(disk));
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(SiteView::OutboxPath()).size(), 0, 5000);
        site.link.StopTimer();
    }

    // The broker away during a readout: the records wait in the outbox and all of
    // them arrive, in order and once, when it is back.
    void brokerAwayDuringAReadout()
    {
        Broker broker;
        QVERIFY(broker.Start());
        auto sub = std::make_unique<Subscriber>(broker.Port(), "o2haldrix/+/plant/+/record", "tst-away");
        QTRY_VERIFY_WITH_TIMEOUT(sub->Subscribed(), 5000);
        support::SimSite site({support::Plant(4, true), support::Plant(5, true)}, 1);
        UseBroker(broker.Port());
        SiteView view(&site.link, QStringLiteral("test"));
        QTRY_VERIFY_WITH_TIMEOUT(view.Publisher()->CurrentState().Connected, 5000);
        broker.Stop();
        QTRY_VERIFY_WITH_TIMEOUT(!view.Publisher()->CurrentState().Connected, 5000);
        sub.reset();

        Settings().ReadoutHour = 6;
        Settings().NextReadout = QDateTime(QDate(2026, 12, 8), QTime(6, 0));
        RunDailyReadout({});
        const QList<QPair<QString, int>> disk = LinesOnDisk({4, 5});
        QTRY_COMPARE_WITH_TIMEOUT(view.Publisher()->CurrentState().Waiting, disk.size(), 5000);
        QVERIFY(QFileInfo(SiteView::OutboxPath()).size() > 0);

        QVERIFY(broker.Start());
        Subscriber back(broker.Port(), "o2haldrix/+/plant/+/record", "tst-away");
        QTRY_COMPARE_WITH_TIMEOUT(Records(back).size(), disk.size(), 15000);
        QCOMPARE(Records(back), disk);
        QTRY_COMPARE_WITH_TIMEOUT(view.Publisher()->CurrentState().Waiting, 0, 5000);
        QTest::qWait(300);
        QCOMPARE(Records(back).size(), disk.size());
    }

    // Broker down when the program starts, up 10 s later: connected, every queued
    // record delivered once, within 40 s, with the reconnect delays the program uses.
    // A pile ended while the broker was away (and the program restarted meanwhile)
    // loses its dashboard entries at that connection; a running one keeps them.
    void brokerDownAtStartAndEntriesOfEndedPiles()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        const QString outbox = dir.filePath("mqtt-outbox.txt");
        Broker broker;
        QVERIFY(broker.Start());
        SiteSettings s;
        s.Host = QStringLiteral("127.0.0.1");
        s.Port = broker.Port();
        s.Site = kSite;
        Plants().PlantCount = 4;
        for (int n : {3, 4}) {
            Plants().PlantTable[n].Present = Plants().PlantTable[n].Running = 1;
            Plants().PlantTable[n].Datei = QStringLiteral("/tmp/Miete%1_08-12-2026.csv").arg(n);
        }
        auto configs = [&] {
            QStringList out;
            for (const auto &[topic, payload] : support::RetainedOnBroker(broker.Port(), "homeassistant/#"))
                out << QString::fromUtf8(topic).section('/', 2, 2);
            out.removeDuplicates();
            return out;
        };
        const QStringList both{"o2haldrix_Kompostwerk_Sued_GmbH___Co__KG_anlage3", "o2haldrix_Kompostwerk_Sued_GmbH___Co__KG_anlage4"};
        {
            // The broker keeps this session, so the records reach it whenever they go.
            Subscriber early(broker.Port(), "o2haldrix/+/plant/+/record", "tst-down-at-start");
            QTRY_VERIFY_WITH_TIMEOUT(early.Subscribed(), 5000);
        }
        {
            SiteMonitor monitor(s);
            SitePublisher first(s, outbox, monitor.Status(true), monitor.Status(false));
            first.Post(monitor.Tick());
            QTRY_VERIFY_WITH_TIMEOUT(first.CurrentState().Connected, 5000);
            QTRY_COMPARE_WITH_TIMEOUT(configs(), both, 5000);
            broker.Stop();
            QTRY_VERIFY_WITH_TIMEOUT(!first.CurrentState().Connected, 5000);
            Plants().PlantTable[4].Running = 0;             // ended while the broker is away
            first.Post(monitor.Tick());
            for (int i = 1; i <= 50; ++i)
                first.Post(monitor.RecordWritten(3, QStringLiteral("Miete3_08-12-2026.csv"), i, QStringLiteral("%1;x").arg(i)));
            QTRY_COMPARE_WITH_TIMEOUT(first.CurrentState().Waiting, 50, 5000);
        }                                                   // the program ends

        SitePublisher::SetReconnectDelays(1, 30);          // as the program runs it
        SiteMonitor monitor(s);
        SitePublisher second(s, outbox, monitor.Status(true), monitor.Status(false));
        second.Post(monitor.Tick());
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(10000);
        QVERIFY(!second.CurrentState().Connected);
        QVERIFY(broker.Start());
        Subscriber sub(broker.Port(), "o2haldrix/+/plant/+/record", "tst-down-at-start");
        QTRY_VERIFY_WITH_TIMEOUT(second.CurrentState().Connected && second.CurrentState().Waiting == 0, 40000 - clock.elapsed());
        qInfo("connected and drained %lld ms after the start", qint64(clock.elapsed()));
        QTRY_COMPARE_WITH_TIMEOUT(Records(sub).size(), 50, 5000);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(Records(sub)[i].second, i + 1);
        QTRY_COMPARE_WITH_TIMEOUT(configs(), QStringList{both[0]}, 5000);
        QTest::qWait(300);
        QCOMPARE(Records(sub).size(), 50);
    }

    // A program that ends with a full outbox sends it all at its next start, once.
    void restartWithAFullOutbox()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        const QString path = dir.filePath("mqtt-outbox.txt");
        Broker broker;                  // not started yet
        SiteSettings s;
        s.Host = QStringLiteral("127.0.0.1");
        s.Port = broker.Port();
        s.Site = QStringLiteral("West");
        SiteMonitor monitor(s);
        {
            SitePublisher first(s, path, monitor.Status(true), monitor.Status(false));
            for (int i = 1; i <= 300; ++i)
                first.Post(monitor.RecordWritten(1, QStringLiteral("West_08-12-2026.csv"), i, QStringLiteral("%1;x").arg(i)));
            QTRY_COMPARE_WITH_TIMEOUT(first.CurrentState().Waiting, 300, 5000);
            QVERIFY(!first.CurrentState().Connected);
        }
        QVERIFY(broker.Start());
        Subscriber sub(broker.Port(), "o2haldrix/West/#", "tst-restart");
        QTRY_VERIFY_WITH_TIMEOUT(sub.Subscribed(), 5000);
        SitePublisher second(s, path, monitor.Status(true), monitor.Status(false));
        QTRY_COMPARE_WITH_TIMEOUT(Records(sub).size(), 300, 10000);
        QList<QPair<QString, int>> expected;
        for (int i = 1; i <= 300; ++i)
            expected.append({QStringLiteral("West_08-12-2026.csv"), i});
        QCOMPARE(Records(sub), expected);
        QTRY_COMPARE_WITH_TIMEOUT(second.CurrentState().Waiting, 0, 5000);
        QCOMPARE(QFileInfo(path).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TstSite)
#include "tst_site.moc"
