// The journal window: an entry made in it reaches the file as the core reads it, a
// probe check takes the plant's live reading, a correction strikes the corrected
// entry out, and a refused entry is told, not lost silently.

#include "datafile/Journal.h"
#include "dialogs/UTagebuch.h"
#include "plant/Plant.h"
#include "support/Files.h"
#include "support/SharedState.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TstTagebuch : public QObject {
    Q_OBJECT
private slots:
    void entriesRoundTrip()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        const QString file = dir.filePath("Nord.CSV");
        QVERIFY(support::WriteAll(file, support::DataFileHeader("Kompostwerk S\xfc" "d GmbH & Co. KG", "Nord", file.toLatin1(), "07.12.2026")));
        Plants().LiveTable[3].T3 = 57;              // 50 cm
        QStringList told;
        SetMessageHandler([&](MsgKind, const QString &text) { told << text; return MsgAnswer::Ok; });
        TFTagebuch w(file, 3);
        w.Art->setCurrentIndex(w.Art->findData(int(JournalKind::ProbeCheck)));
        w.Tiefe->setCurrentIndex(w.Tiefe->findData(50));
        QCOMPARE(w.Anlage->value(), 57.0);
        w.Referenz->setValue(60.5);
        w.Zeit->setDateTime(QDateTime(QDate(2026, 12, 9), QTime(7, 45)));
        w.Von->setText(QString::fromUtf8("Prüfer Weiß"));
        QVERIFY2(w.EintragenClick(), qPrintable(told.join('\n')));
        Journal j;
        QVERIFY(LoadJournal(file, j));
        QCOMPARE(j.entries.size(), size_t(1));
        QCOMPARE(j.entries[0].depthCm, 50);
        QCOMPARE(j.entries[0].reference, 60.5);
        QCOMPARE(j.entries[0].plant, 57.0);
        QCOMPARE(j.entries[0].time, QDateTime(QDate(2026, 12, 9), QTime(7, 45), Qt::UTC));
        QCOMPARE(j.entries[0].by, QString::fromUtf8("Prüfer Weiß"));

        w.Art->setCurrentIndex(w.Art->findData(int(JournalKind::Remark)));
        w.Berichtigt->setValue(1);
        w.Text->setText("Messung wiederholt");
        QVERIFY(w.EintragenClick());
        QCOMPARE(w.Eintraege->rowCount(), 2);
        QVERIFY(w.Eintraege->item(0, 2)->font().strikeOut());
        QVERIFY(!w.Eintraege->item(1, 2)->font().strikeOut());
        QCOMPARE(w.Berichtigt->value(), 0);

        w.Text->setText(QString::fromUtf8("Temperatur ≈ 3 °C"));
        QVERIFY(!w.EintragenClick());
        QCOMPARE(told.size(), 1);
        QCOMPARE(w.Text->text(), QString::fromUtf8("Temperatur ≈ 3 °C"));     // kept for mending
        QVERIFY(LoadJournal(file, j));
        QCOMPARE(j.entries.size(), size_t(2));
        SetMessageHandler({});
    }
};

QTEST_MAIN(TstTagebuch)
#include "tst_tagebuch.moc"
