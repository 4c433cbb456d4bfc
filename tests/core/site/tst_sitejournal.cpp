// A journal entry for the site view: its topic under the plant as shown, the
// probe readings, and delivery at least once through the outbox.

#include "site/SiteJournal.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TstSiteJournal : public QObject {
    Q_OBJECT
private slots:
    void message()
    {
        JournalEntry e;
        e.number = 7;
        e.kind = JournalKind::ProbeCheck;
        e.time = QDateTime(QDate(2026, 12, 9), QTime(7, 45), Qt::UTC);
        e.by = QString::fromUtf8("Prüfer Weiß");
        e.depthCm = 50, e.reference = 60.5, e.plant = 57;
        e.corrects = 3;
        const SiteMessage m = JournalMessage("kompostwerk/süd", 12, "Nord", "/daten/Nord_07-12-2026.CSV", e);
        QCOMPARE(m.Topic, QString::fromUtf8("kompostwerk/süd/plant/12/journal").toUtf8());
        QCOMPARE(m.Qos, 1);
        QVERIFY(m.Durable && !m.Retain);
        const QJsonObject o = QJsonDocument::fromJson(m.Payload).object();
        QCOMPARE(o["kind"].toString(), QString("probe-check"));
        QCOMPARE(o["time"].toString(), QString("2026-12-09T07:45"));
        QCOMPARE(o["file"].toString(), QString("Nord_07-12-2026.CSV"));
        QCOMPARE(o["by"].toString(), QString::fromUtf8("Prüfer Weiß"));
        QCOMPARE(o["reading"].toDouble(), 57.0);
        QCOMPARE(o["reference"].toDouble(), 60.5);
        QCOMPARE(o["corrects"].toInt(), 3);
        e.kind = JournalKind::Turned;
        QVERIFY(!QJsonDocument::fromJson(JournalMessage("b", 1, "N", "f", e).Payload).object().contains("reading"));
    }
};

QTEST_GUILESS_MAIN(TstSiteJournal)
#include "tst_sitejournal.moc"
