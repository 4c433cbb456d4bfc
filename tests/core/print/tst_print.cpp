// The banded report on PDF, read back page by page with pdftotext: header, column
// header and footer on every page, every row exactly once and never split across a
// page break, the summary band after the last row.

#include "print/BandReport.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TstPrint : public QObject {
    Q_OBJECT
private slots:
    void pagesRowsAndBands()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        BandReport r;
        r.Title = "Probe";
        r.Header = {{{}, "Haldrix Messprotokoll", 12, true, Qt::AlignHCenter}, {"Anlagen- Name :", "Nord"}};
        r.Columns = {{{}, "Nr.:", 0.6}, {{}, "Datum/Zeit", 2, Qt::AlignLeft},
                     {"Temperatur an Messtelle", "T5[°C]"}, {"Temperatur an Messtelle", "T4[°C]"}, {{}, "O2[vol%]"}};
        const int rows = 130;
        int row = 0;
        r.NextRow = [&] { return ++row <= rows; };
        r.CellText = [&](int c) {
            switch (c) {
            case 0: return QString::number(row);
            case 1: return QStringLiteral("08.12.2026  %1:00").arg(row % 24, 2, 10, QLatin1Char('0'));
            case 4: return QStringLiteral("20,9");
            default: return QString::number(50 + c);
            }
        };
        int summaries = 0;
        QRectF summaryRect;
        r.SummaryHeightMm = 80;
        r.DrawSummary = [&](QPainter &p, const QRectF &rect) {
            ++summaries;
            summaryRect = rect;
            p.drawText(rect, Qt::AlignCenter, "SUMMARY");
        };
        r.FooterDateText = "09.12.2026 10:00";
        const QString pdf = dir.filePath("r.pdf");
        int pages = 0;
        QVERIFY(r.WritePdf(pdf, nullptr, &pages));
        if (qEnvironmentVariableIsSet("O2H_REPORT_OUT"))       // a copy to look at
            QFile::copy(pdf, qEnvironmentVariable("O2H_REPORT_OUT"));
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        QCOMPARE(summaries, 1);
        QVERIFY(summaryRect.height() > 0);

        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        QStringList pageTexts = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
        if (pageTexts.last().trimmed().isEmpty())
            pageTexts.removeLast();
        QCOMPARE(pageTexts.size(), pages);
        QMap<int, int> seen;
        for (int i = 0; i < pages; ++i) {
            const QString &t = pageTexts[i];
            QVERIFY2(t.contains("Haldrix Messprotokoll") && t.contains("Anlagen- Name : Nord"), qPrintable(t.left(300)));
            QVERIFY(t.contains("Temperatur an Messtelle") && t.contains("T5[°C]") && t.contains("O2[vol%]"));
            QVERIFY(t.contains(QStringLiteral("Seitennr. : %1").arg(i + 1)) && t.contains("Druckdatum/-zeit : 09.12.2026 10:00"));
            static const QRegularExpression line(QStringLiteral("^\\s*(\\d+)\\s+08\\.12\\.2026\\s+\\d\\d:00\\s+52\\s+53\\s+20,9\\s*$"),
                                                 QRegularExpression::MultilineOption);
            for (auto m = line.globalMatch(t); m.hasNext();)
                ++seen[m.next().captured(1).toInt()];
        }
        QCOMPARE(seen.size(), rows);                // every row whole on one line of one page
        for (auto it = seen.begin(); it != seen.end(); ++it)
            QCOMPARE(it.value(), 1);
        QVERIFY(pageTexts.last().contains("SUMMARY"));
    }
};

QTEST_MAIN(TstPrint)
#include "tst_print.moc"
