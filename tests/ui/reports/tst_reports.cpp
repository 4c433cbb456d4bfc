// The company data dialog and its sample protocol; the quality-association form's
// headings. PDFs are read back with pdftotext.

#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/Seal.h"
#include "piles/Piles.h"
#include "plant/Plant.h"
#include "reports/PileArchive.h"
#include "reports/ReportForms.h"
#include "reports/UCSV_Lesen.h"
#include "reports/UProtokKopf.h"
#include "settings/SettingsFile.h"

#include "support/Files.h"

#include "widgets/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "support/SharedState.h"

namespace {

QString PdfText(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstReports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    // An ended pile's archive: five files and the manifest, the prints as PDF/A-1b
    // with the file's check value; a changed file of the folder is found.
    void archiveOfAPile()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetProgramFolder(dir.path());
        TAnlageParameter &p = Plants().PlantTable[1];
        p.Name = "Nord 7";
        p.Pfad = dir.path();
        QVERIFY(OpenDataFile(1));
        for (int k = 0; k < 48; ++k) {
            TLiveValues v;
            v.T5 = 62, v.T4 = 60, v.T3 = 56, v.T2 = 45, v.T1 = 30, v.O2 = 140, v.RefMarke = 30, v.Betriebsart = 3;
            QVERIFY(AppendDataLine(1, QString("%1.12.2026  %2:00").arg(8 + k / 24, 2, 10, QChar('0')).arg(k % 24, 2, 10, QChar('0')), v));
        }
        CloseDataFile(1);
        const QString checkValue = VerifySeal(p.Datei).checkValue;
        QVERIFY(RecordLostInFlight(p.Datei, {20, 2, QDateTime(QDate(2026, 12, 8), QTime(20, 5)), 1}));

        const PileArchiveResult r = ArchivePile(p.Datei, dir.filePath("Archiv"));
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY2(r.folder.endsWith("/Nord-7_" + FileDateText(DataFileToday()).replace('.', '-')), qPrintable(r.folder));
        const QStringList files = QDir(r.folder).entryList(QDir::Files, QDir::Name);
        const QString data = QFileInfo(p.Datei).fileName();
        QCOMPARE(files, QStringList({"Hygienenachweis.pdf", "MANIFEST.txt", "Messprotokoll.pdf", data, data + ".seal",
                                     "Temperaturprotokoll.pdf", "lost.csv"}));
        // The losses stay with the pile: on the archived evidence page and beside it.
        QVERIFY(PdfText(r.folder + "/Hygienenachweis.pdf").contains("2 Messwerte von Anlage 1 verloren"));
        DataFileContent archived;
        QVERIFY(LoadDataFile(r.folder + "/" + data, archived, nullptr));
        SetProgramFolder(dir.filePath("elsewhere"));
        QCOMPARE(LostInFlightOf(r.folder + "/" + data).size(), 1);
        SetProgramFolder(dir.path());
        for (const char *pdf : {"Hygienenachweis.pdf", "Messprotokoll.pdf", "Temperaturprotokoll.pdf"}) {
            const QString path = r.folder + "/" + pdf;
            QVERIFY2(support::ReadAll(path).contains("pdfaid:part=\"1\" pdfaid:conformance=\"B\""), pdf);
            QVERIFY2(PdfText(path).contains(checkValue), pdf);
        }
        ArchiveCheck check = VerifyArchive(r.folder);
        QVERIFY2(check.ok, qPrintable(check.Text()));
        QCOMPARE(check.Text(), QString("Archiv intakt: 6 Dateien, 48 Datensätze, Prüfwert %1").arg(checkValue));
        // The archive is found for the file (continuing it asks); archiving it again
        // asks first and gets a folder of its own.
        DataFileContent content;
        QVERIFY(LoadDataFile(p.Datei, content, nullptr));
        QCOMPARE(FindPileArchive(content), r.folder);
        QVERIFY(ArchiveQuestion(content).contains("Ein zweiter Archivordner wird angelegt."));
        QVERIFY(ArchivePile(p.Datei, dir.filePath("Archiv")).folder.endsWith("-2"));

        QByteArray pdf = support::ReadAll(r.folder + "/Messprotokoll.pdf");
        pdf[pdf.size() / 2] = char(pdf[pdf.size() / 2] ^ 1);
        QVERIFY(support::WriteAll(r.folder + "/Messprotokoll.pdf", pdf));
        QVERIFY(support::WriteAll(r.folder + "/extra.txt", "x"));
        check = VerifyArchive(r.folder);
        QVERIFY(!check.ok);
        QCOMPARE(check.faults, QStringList({"Messprotokoll.pdf wurde verändert", "extra.txt steht nicht im Verzeichnis MANIFEST.txt"}));
    }

    // Only the changed line is stored; the sample shows what is typed, stored or not.
    void companyDataAndSample()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        QVERIFY(ini.WriteString("Firma", "Titel", "Kompostwerk Nord"));
        {
            TFProtokKopf d;
            auto *line2 = d.findChild<QLineEdit *>("Edit2");
            QCOMPARE(d.findChild<QLineEdit *>("Edit1")->text(), QString("Kompostwerk Nord"));
            QCOMPARE(d.findChild<QLineEdit *>("Edit3")->text(), QString("* Text *"));
            line2->selectAll();
            QTest::keyClicks(line2, "Am Feldrand 3");
            d.findChild<QPushButton *>("OKBtn")->click();
        }
        QCOMPARE(ini.ReadString("Firma", "Zeile2", "-"), QString("Am Feldrand 3"));
        QCOMPARE(ini.ReadString("Firma", "Zeile3", "-"), QString("-"));     // untouched: not written

        TFProtokKopf d;
        QTest::keyClicks(d.findChild<QLineEdit *>("Edit3"), " 12345 Ort");
        const QString pdf = dir.filePath("sample.pdf");
        int pages = 0;
        const std::unique_ptr<TFQRKompForm> sample = d.SampleForm();
        QVERIFY(sample->ExportPdf(dir.filePath("once.pdf"), nullptr, &pages));
        QVERIFY(sample->ExportPdf(pdf, nullptr, &pages));      // rendered again: the rows again
        d.findChild<QPushButton *>("CancelBtn")->click();
        const QString text = PdfText(pdf);
        QCOMPARE(text.count("12:00 03.10.1999"), 20);
        QVERIFY2(text.contains("Haldrix Messprotokoll") && text.contains("Kompostwerk Nord") && text.contains("Am Feldrand 3")
                     && text.contains("* Text * 12345 Ort") && text.contains("Anlagen- Name : Anlagen- Name:"),
                 qPrintable(text.left(800)));
        // Headings left to right on their line.
        const QString headingLine = text.section(u'\n', text.left(text.indexOf("T5[°C]")).count(u'\n'),
                                                 text.left(text.indexOf("T5[°C]")).count(u'\n'));
        qsizetype at = 0;
        for (const char *h : {"T5[°C]", "T4[°C]", "T3[°C]", "T2[°C]", "T1[°C]", "Laufzeit[min]", "Zyklen", "S 55°C[cm]"}) {
            const qsizetype next = headingLine.indexOf(QString::fromUtf8(h), at);
            QVERIFY2(next >= at, qPrintable(QString::fromUtf8(h) + " in " + headingLine));
            at = next;
        }
        static const QRegularExpression row(
            QStringLiteral("^\\s*(\\d+)\\s+12:00 03\\.10\\.1999\\s+52\\.0\\s+53\\.0\\s+54\\.0\\s+55\\.0\\s+56\\.0\\s+19\\.6\\s+123\\s+234\\s+80\\.0\\s*$"),
            QRegularExpression::MultilineOption);
        QList<int> numbers;
        for (auto m = row.globalMatch(text); m.hasNext();)
            numbers << m.next().captured(1).toInt();
        QList<int> expected;
        for (int i = 1; i <= 20; ++i)
            expected << i;
        QCOMPARE(numbers, expected);
        QVERIFY(text.contains("Seitennr. : 1") && text.contains("Druckdatum/-zeit :"));
        Settings().SettingsFile = nullptr;
    }

    void qualityProtocolHeadings()
    {
        QTemporaryDir dir;
        TFQRKompProtokoll form;
        form.RemoveChart();
        form.SetLabel("QRKopf1", "Kompostwerk Nord");
        form.SetLabel("AnlName", "Miete 7");
        form.SetLabel("QRTemp1", "Rand [in]");
        form.SetLabel("QRTemp2", "Kern [°F]");
        form.SetLabel("QRTemp3", "Basis [°F]");
        int row = 0;
        form.NeedData = [&] { return ++row <= 3; };
        form.PrintLabel = [&](const QString &label) {
            if (label == "QRDat")
                return QStringLiteral("0%1.12.2026").arg(row);
            return label == "QRT1" ? QString(" 140") : label == "QRT5" ? QString("  95") : QString("  40");
        };
        const QString pdf = dir.filePath("q.pdf");
        QVERIFY(form.ExportPdf(pdf));
        if (qEnvironmentVariableIsSet("O2H_REPORT_OUT"))       // a copy to look at
            QFile::copy(pdf, qEnvironmentVariable("O2H_REPORT_OUT"));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains("Temperatur- Protokoll Eigenuntersuchung von Kompost") && text.contains("Betrieb: Kompostwerk Nord")
                     && text.contains("Mieten-Nr: Miete 7") && text.contains("Seitennr. : 1") && text.contains("Druckdatum/-zeit :"),
                 qPrintable(text.left(800)));
        const qsizetype rand = text.indexOf("Rand [in]"), kern = text.indexOf("Kern [°F]"), basis = text.indexOf("Basis [°F]");
        QVERIFY2(rand > 0 && kern > rand && basis > kern, qPrintable(text.left(1200)));
        QVERIFY(text.contains(QRegularExpression("01\\.12\\.2026\\s+40\\s+140\\s+95")));
        // An output path that cannot be written: false, and nothing left there.
        QString why;
        QVERIFY(!form.ExportPdf(dir.filePath("no/such/folder/q.pdf"), &why));
        QVERIFY(!why.isEmpty());
    }

    // The protocol window: check boxes from their keys, written back only after a
    // click; a quality protocol per day from a file; a cancelled open disables printing.
    void protocolWindow()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetProgramFolder(dir.path());
        QVERIFY(ini.WriteString("COM", "GTAG", "1"));
        const QString file = QStringLiteral(O2H_TESTDATA "/files/old-layout.csv");
        QString chosen = file;
        SetFileChooser([&](QWidget *, const QString &) { return chosen; });
        QString text;
        SetReportSink([&](TReportForm &form, bool) {
            QVERIFY(form.ExportPdf(dir.filePath("w.pdf")));
            text = PdfText(dir.filePath("w.pdf"));
        });
        {
            TFCSV_Lesen w;
            w.QualityMode = true;
            w.show();
            QCOMPARE(w.windowTitle(), QString::fromUtf8("Haldrix Protokoll Gütegemeinschaft"));
            QVERIFY(w.findChild<QCheckBox *>("CheckTag")->isChecked());
            QVERIFY(!w.findChild<QCheckBox *>("CheckGraph")->isChecked());
            w.findChild<QPushButton *>("OpenButton")->click();
            QVERIFY(w.findChild<QPushButton *>("PreviewButton")->isEnabled());
            w.findChild<QPushButton *>("PreviewButton")->click();
            QVERIFY2(text.contains("Temperatur- Protokoll Eigenuntersuchung von Kompost") && text.contains("Datum"),
                     qPrintable(text.left(600)));
            w.close();
        }
        {
            // In °F the window's protocol converts: the file's 60 °C at 100 cm is 140.
            Plants().ImperialUnits = true;
            QString first;
            SetReportSink([&](TReportForm &form, bool) {
                QVERIFY(form.NeedData());
                first = form.PrintLabel("QRT1");
                QCOMPARE(form.Label("QRTemp1"), QString("T5[°F]"));
            });
            TFCSV_Lesen w;
            w.show();
            w.findChild<QCheckBox *>("CheckTag")->setChecked(false);
            w.findChild<QPushButton *>("OpenButton")->click();
            w.findChild<QPushButton *>("PreviewButton")->click();
            QCOMPARE(first, QString(" 140"));
            Plants().ImperialUnits = false;
            SetReportSink([&](TReportForm &form, bool) {
                QVERIFY(form.ExportPdf(dir.filePath("w.pdf")));
                text = PdfText(dir.filePath("w.pdf"));
            });
        }
        QCOMPARE(ini.ReadString("COM", "GGRAPH", "-"), QString("-"));      // no click: nothing written
        {
            TFCSV_Lesen w;
            w.show();
            QCOMPARE(w.windowTitle(), QString("Haldrix Protokoll"));
            w.findChild<QCheckBox *>("CheckGraph")->click();
            w.findChild<QPushButton *>("OpenButton")->click();
            chosen.clear();
            w.findChild<QPushButton *>("OpenButton")->click();              // cancelled
            QVERIFY(!w.findChild<QPushButton *>("PreviewButton")->isEnabled());
            w.close();
        }
        QCOMPARE(ini.ReadBool("COM", "PGRAPH", false), true);
        QCOMPARE(ini.ReadBool("COM", "PTAG", true), false);
        Settings().SettingsFile = nullptr;
    }

    // The evidence page after the protocol: its verdict, its table and the days
    // without records; the box is kept only after a click.
    void evidencePage()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetProgramFolder(dir.path());
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QByteArray text = support::DataFileHeader("Kompostwerk Nord", "Heiss", "h.csv", "07.12.2026");
        const QDateTime start(QDate(2026, 12, 7), QTime(0, 0));
        int n = 0;
        for (int h = 0; h <= 16 * 24; ++h) {
            const QDateTime t = start.addSecs(3600LL * h);
            if (t.date() == QDate(2026, 12, 10))        // a Thursday without records
                continue;
            text += QByteArray::number(++n) + ';' + t.toString("dd.MM.yyyy  hh:mm").toLatin1()
                + ";   58;   57;   50;   40;   20;   50; 18,5;3;    0;    0;\r\n";
        }
        const QString file = dir.filePath("h.csv");
        QVERIFY(support::WriteAll(file, text));
        QVERIFY(support::SetLastChange(file, QDateTime(QDate(2026, 12, 24), QTime(1, 0))));
        SetFileChooser([&](QWidget *, const QString &) { return file; });
        QString pdf;
        int pages = 0;
        SetReportSink([&](TReportForm &form, bool) {
            QVERIFY(form.ExportPdf(dir.filePath("e.pdf"), nullptr, &pages));
            pdf = PdfText(dir.filePath("e.pdf"));
        });
        {
            TFCSV_Lesen w;
            w.show();
            w.findChild<QCheckBox *>("CheckHygiene")->click();
            w.findChild<QPushButton *>("OpenButton")->click();
            w.findChild<QPushButton *>("PreviewButton")->click();
            w.close();
        }
        QCOMPARE(ini.ReadBool("COM", "HYGIENE", false), true);
        const QString page = pdf.mid(pdf.lastIndexOf("Hygienenachweis"));
        QVERIFY2(pages >= 2 && page.contains("Bioabfallverordnung")
                     && page.contains("nicht erfüllt (14 Tage gefordert)") && page.contains("NICHT erfüllt")
                     && page.contains("10.12.2026") && page.contains("Kompostwerk Nord"),
                 qPrintable(page.left(3000)));
        // The gap leaves 11 to 23 December as the longest stretch: not met at the core.
        QVERIFY2(page.contains("12 d 00 h"), qPrintable(page.left(3000)));
        if (!qEnvironmentVariableIsEmpty("O2H_REPORT_OUT"))
            QFile::copy(dir.filePath("e.pdf"), QDir(qEnvironmentVariable("O2H_REPORT_OUT")).filePath("evidence.pdf"));
        Settings().SettingsFile = nullptr;
    }
};

QTEST_MAIN(TstReports)
#include "tst_reports.moc"
