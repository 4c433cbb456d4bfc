// The journal where the proof is read: the quality association's protocol gives a
// day's entries and names, the evidence page lists them, the archive keeps the
// journal and its seal under its manifest.

#include "base/DisplayFormat.h"
#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/Journal.h"
#include "plant/Plant.h"
#include "reports/PileArchive.h"
#include "settings/SettingsFile.h"
#include "support/Files.h"
#include "support/SharedState.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString PdfText(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstJournalPrints : public QObject {
    Q_OBJECT
private slots:
    void archivedWithItsJournal()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetProgramFolder(dir.path());
        TAnlageParameter &p = Plants().PlantTable[1];
        p.Name = QString::fromUtf8("Süd & Co. KG");
        p.Pfad = dir.path();
        QVERIFY(OpenDataFile(1));
        for (int k = 0; k < 48; ++k) {
            TLiveValues v;
            v.T5 = 62, v.T4 = 60, v.T3 = 56, v.T2 = 45, v.T1 = 30, v.O2 = 140, v.RefMarke = 30, v.Betriebsart = 3;
            QVERIFY(AppendDataLine(1, QString("%1.12.2026  %2:00").arg(8 + k / 24, 2, 10, QChar('0')).arg(k % 24, 2, 10, QChar('0')), v));
        }
        CloseDataFile(1);
        JournalEntry e;
        e.kind = JournalKind::Turned;
        e.time = QDateTime(QDate(2026, 12, 9), QTime(10, 0), Qt::UTC);
        e.text = "Radlader";
        e.by = QString::fromUtf8("K. Weiß");
        QVERIFY(AddJournalEntry(p.Datei, e));

        const PileArchiveResult r = ArchivePile(p.Datei, dir.filePath("Archiv"));
        QVERIFY2(r.ok, qPrintable(r.error));
        const QString data = QFileInfo(p.Datei).fileName();
        const QStringList files = QDir(r.folder).entryList(QDir::Files);
        QVERIFY(files.contains(data + ".journal") && files.contains(data + ".journal.seal"));
        QCOMPARE(VerifyJournal(QDir(r.folder).filePath(data)).state, SealCheck::Intact);
        QVERIFY2(VerifyArchive(r.folder).ok, qPrintable(VerifyArchive(r.folder).Text()));

        // The day's first row carries the entry and the name; no other row does.
        const QStringList quality = PdfText(r.folder + "/Temperaturprotokoll.pdf").split('\n');
        QStringList rows;
        for (const QString &l : quality)
            if (l.contains("Umsetzen: Radlader"))
                rows << l;
        QCOMPARE(rows.size(), 1);
        QVERIFY2(rows[0].contains("09.12.2026") && rows[0].contains("00:00") && rows[0].contains(QString::fromUtf8("K. Weiß")), qPrintable(rows[0]));
        const QString evidence = PdfText(r.folder + "/Hygienenachweis.pdf");
        QVERIFY2(evidence.contains("Tagebuch der Miete: 1 Eintrag") && evidence.contains("Umsetzen: Radlader"), qPrintable(evidence));

        // A journal changed in the archive fails its manifest.
        QVERIFY(support::WriteAll(r.folder + "/" + data + ".journal", support::ReadAll(r.folder + "/" + data + ".journal") + "x"));
        QVERIFY(!VerifyArchive(r.folder).ok);
    }
};

QTEST_MAIN(TstJournalPrints)
#include "tst_journalprints.moc"
