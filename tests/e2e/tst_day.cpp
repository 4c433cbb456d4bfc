// An operator's day, end to end: the program's windows, driven through their object
// names, against the plant simulator on a pseudo-terminal whose clock runs 7200
// times as fast. Six plants are learned, a pile is started, two daily readouts
// take its records, its mode is changed, it is ended, and its file is printed as
// both protocols and as a graph. Every record in the file is the simulator's, once
// and in order, byte for byte; every PDF is read back.

#include "data/UGraphForm.h"
#include "link/Commands.h"
#include "plant/Plant.h"
#include "live/LiveGrid.h"
#include "live/UAnzeige.h"
#include "piles/Piles.h"
#include "reports/ReportForms.h"
#include "reports/UCSV_Lesen.h"
#include "settings/SettingsFile.h"
#include "shell/UMain.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include "support/Program.h"
#include "support/Records.h"
#include "support/SimProcess.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

namespace {

using support::Find;

constexpr qint64 Factor = 7200;             // simulated seconds per second

QString PdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestOperatorDay : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { support::ResetSharedState(); }

    void day()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QElapsedTimer took;
        took.start();
        QTemporaryDir home;
        const QDateTime start(QDate(2026, 12, 7), QTime(5, 0));
        support::Simulator sim;
        QVERIFY(sim.Start({"--plants", "1-6", "--time-factor", QString::number(Factor), "--start",
                           start.toString(Qt::ISODate)},
                          home.filePath(QStringLiteral("trace.txt"))));
        QElapsedTimer clock;
        clock.start();
        // The PC's clock runs with the plants': readout hours and the clocks sent at
        // the start of a pile are in simulated time.
        const auto now = [&] { return start.addMSecs(clock.elapsed() * Factor); };
        QVERIFY(support::WriteIni(home, QStringLiteral("[COM]\nCOM=1\nTIMEOUT=40\nZEIT=6\n[Firma]\nTitel=Kompostwerk Tag\nZeile2=\nZeile3=\n"
                                                       "[Ports]\nCOM1=%1\n").arg(sim.Pty())));
        support::FreshProgram(home);
        QStringList told;
        SetMessageHandler([&](MsgKind kind, const QString &text) {
            told << text;
            return kind == MsgKind::Confirmation || kind == MsgKind::RiskyConfirmation ? MsgAnswer::Yes : MsgAnswer::Ok;
        });
        SetCommandClock(now);
        SetPilesClock(now);

        TFMain main;
        for (int n = 1; n <= MaxPlants; ++n)
            QCOMPARE(bool(Plants().PlantTable[n].Present), n <= 6);
        ComputeNextReadout(now());
        TFAnzeige live(&main);
        live.show();
        Find<PlantTabBar>(&live, "TabControl1")->SetCurrentIndex(2);
        support::AnswerNextDialog([](QDialog *d) {
            Find<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Tag"));
            Find<QPushButton>(d, "OKBtn")->click();
        });
        Find<QAction>(&live, "Mieteneustarten1")->trigger();
        QVERIFY(Plants().PlantTable[3].Running);
        const QString file = Plants().PlantTable[3].Datei;

        // The readouts at 6:00 on two days, each taking what the plant stored.
        TTitledGrid *status = live.StatusGrid();
        const QDateTime first = Settings().NextReadout;
        QTRY_VERIFY_WITH_TIMEOUT(Settings().NextReadout > first, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(status->Cells(1, 3), QStringLiteral("Ergebnis OK !"), 5000);
        const int afterFirst = ReadSetting("3", "Anzahl", -1);
        QVERIFY2(afterFirst >= 1, qPrintable(QString::number(afterFirst)));
        Find<QTabBar>(&live, "BetriebsArtTab")->setCurrentIndex(1);     // fan on, confirmed
        QCOMPARE(int(Plants().PlantTable[3].Mode), 1);
        QTRY_VERIFY_WITH_TIMEOUT(Settings().NextReadout > first.addDays(1), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(ReadSetting("3", "Anzahl", -1) >= afterFirst + 20, 5000);

        told.clear();
        Find<QAction>(&live, "Mietebeenden1")->trigger();
        QVERIFY2(told.contains("Anlage ist ausgeschaltet!!\nEinschalten durch Start einer neuen Miete!"), qPrintable(told.join('|')));
        QVERIFY(!Plants().PlantTable[3].Running);
        live.close();
        const QStringList records = support::RecordsSent(sim, 3);
        QVERIFY2(records.size() >= 25, qPrintable(QString::number(records.size())));
        support::CompareWithRecords(file, records, 1);

        // The file printed: both protocols and the graph.
        SetFileChooser([&](QWidget *, const QString &) { return file; });
        QString pdf;
        SetReportSink([&](TReportForm &form, bool) {
            QVERIFY(form.ExportPdf(home.filePath("out.pdf")));
            pdf = PdfText(home.filePath("out.pdf"));
        });
        auto print = [&](const char *menu, const char *open, const char *preview) {
            pdf.clear();
            support::AnswerNextDialog([=](QDialog *d) {
                d->findChild<QAbstractButton *>(QString::fromLatin1(open))->click();
                d->findChild<QAbstractButton *>(QString::fromLatin1(preview))->click();
                d->close();
            });
            Find<QAction>(&main, menu)->trigger();
            return pdf;
        };
        const QString protocol = print("Messwertedrucken1", "OpenButton", "PreviewButton");
        QVERIFY2(protocol.contains("Haldrix Messprotokoll") && protocol.contains("Kompostwerk Tag")
                     && protocol.contains("Tag") && protocol.contains(QStringLiteral(" %1 ").arg(records.size())),
                 qPrintable(protocol.left(1500)));
        const QString quality = print("ProtokollGtegemeinschaft1", "OpenButton", "PreviewButton");
        QVERIFY2(quality.contains("Temperatur- Protokoll Eigenuntersuchung von Kompost"), qPrintable(quality.left(800)));
        const QString graph = print("Grafikerstellen1", "OpenButton", "PreviewButton");
        QVERIFY2(graph.contains("Haldrix Messprotokoll") && graph.contains("Seitennr. : 1"), qPrintable(graph.left(800)));
        qInfo("the day took %lld ms, %lld records", qlonglong(took.elapsed()), qlonglong(records.size()));
        QVERIFY(took.elapsed() < 120000);
    }
};

QTEST_MAIN(TestOperatorDay)
#include "tst_day.moc"
