// The graph window: curves from the ticked boxes, x-only zoom and its undo, panning
// limits, the report that borrows the curves, and settings kept only after a click.

#include "data/UGraphForm.h"
#include "datafile/DataFile.h"
#include "models/UMessDaten.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include "support/Files.h"
#include "support/SharedState.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

namespace {

// A data file of `hours` hourly records from 7 Dec 2026 00:00.
QString WriteFile(const QTemporaryDir &dir, int hours)
{
    QByteArray text = support::DataFileHeader("Firma", "Probe", "probe.csv", "07.12.2026");
    for (int i = 0; i < hours; ++i) {
        const QDateTime t = QDateTime(QDate(2026, 12, 7), QTime(0, 0)).addSecs(3600 * i);
        TLiveValues v;
        v.T5 = 40 + i % 20;
        v.T4 = v.T3 = v.T2 = v.T1 = 30;
        v.O2 = 150;
        v.RefMarke = 75;
        v.Luefterlaufzeit = i * 5;
        v.LuefterZyklen = i;
        text += FormatDataLine(i + 1, t.toString("dd.MM.yyyy  hh:mm"), v).toLatin1() + "\r\n";
    }
    const QString path = dir.filePath("probe.csv");
    support::WriteAll(path, text);
    return path;
}

int VisibleCurves(TFGraphForm &w)
{
    int n = 0;
    for (int s = 0; s < SeriesCountTotal; ++s)
        n += w.Model().Plottable(s) && w.Model().Plottable(s)->visible();
    return n;
}

} // namespace

class TstGraph : public QObject {
    Q_OBJECT
private slots:
    void zoomPanAndSettings()
    {
        support::SharedStateGuard guard;
        QTemporaryDir dir;
        TSettingsFile ini(dir.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        SetProgramFolder(dir.path());
        QVERIFY(ini.WriteString("COM", "SHOWREF", "0"));
        QVERIFY(ini.WriteString("COM", "WRT", "0"));
        LoadProgramSettings();
        const QString file = WriteFile(dir, 72);
        SetFileChooser([&](QWidget *, const QString &) { return file; });
        const QByteArray before = support::ReadAll(dir.filePath("Haldrix.ini"));
        {
            TFGraphForm w;
            w.show();
            QVERIFY(w.findChild<QCheckBox *>("CheckT55")->isHidden());
            w.OpenButtonClick();
            QCOMPARE(w.StatusText(3), QString("72"));
            QCOMPARE(VisibleCurves(w), 6);              // five depths and O2, no reference
            QVERIFY(!w.Model().Plottable(SeriesRef)->visible());

            w.ZoomTo(10, 20);
            QCOMPARE(w.Chart()->xAxis->range().lower, 10.0);
            QCOMPARE(w.Chart()->yAxis->range(), QCPRange(0, 100));     // value axes untouched
            w.Pan(-100);
            QCOMPARE(w.Chart()->xAxis->range().lower, 0.9);
            QCOMPARE(w.Chart()->xAxis->range().size(), 10.0);
            w.Pan(1000);
            QCOMPARE(w.Chart()->xAxis->range().upper, 72.1);            // 0.1 beyond the last point

            // A right-drag pans and only pans: on release the range keeps its width.
            w.ZoomTo(10, 20);
            QWidget *plot = w.Chart();
            const QPoint from = plot->rect().center();
            QTest::mousePress(plot, Qt::RightButton, {}, from);
            QMouseEvent drag(QEvent::MouseMove, from - QPoint(40, 0), plot->mapToGlobal(from - QPoint(40, 0)),
                             Qt::NoButton, Qt::RightButton, {});
            QCoreApplication::sendEvent(plot, &drag);
            QTest::mouseRelease(plot, Qt::RightButton, {}, from - QPoint(40, 0));
            QCoreApplication::processEvents();
            QVERIFY(w.Chart()->xAxis->range().lower > 10.0);
            QCOMPARE(w.Chart()->xAxis->range().size(), 10.0);

            // Lüfterdaten: only the bars.
            w.findChild<QTabWidget *>("PageControl1")->setCurrentIndex(1);
            QCOMPARE(VisibleCurves(w), 2);
            QVERIFY(w.Model().Plottable(SeriesRunTime)->visible());
            w.findChild<QTabWidget *>("PageControl1")->setCurrentIndex(0);

            // The report borrows the curves and gives them back.
            int pages = 0;
            SetReportSink([&](TReportForm &form, bool) {
                QVERIFY(form.ExportPdf(dir.filePath("g.pdf"), nullptr, &pages));
            });
            w.ZoomTo(30, 40);
            w.PreviewButtonClick();
            QCOMPARE(pages, 1);
            QCOMPARE(w.Model().AttachedChart(), w.Chart());
            QCOMPARE(VisibleCurves(w), 6);
            QCOMPARE(w.Chart()->xAxis->range().lower, 30.0);
            w.close();
        }
        QCOMPARE(support::ReadAll(dir.filePath("Haldrix.ini")), before);    // no click, nothing written
        {
            TFGraphForm w;
            w.show();
            w.OpenButtonClick();
            w.ZoomTo(5, 9);
            w.findChild<QCheckBox *>("CheckWert")->click();                // one per day, zoom undone
            QCOMPARE(w.StatusText(3), QString("3"));
            QCOMPARE(w.Chart()->xAxis->range().lower, 0.7);
            w.findChild<QCheckBox *>("CheckT2")->click();
            QCOMPARE(VisibleCurves(w), 5);
            // The time axis: the same points, each tick named by its record's date.
            w.findChild<QCheckBox *>("CheckZeitachse")->click();
            w.Chart()->replot();
            const QVector<QString> labels = w.Chart()->xAxis->tickVectorLabels();
            QVERIFY(!labels.isEmpty());
            for (const QString &l : labels)
                QVERIFY2(l.isEmpty() || QRegularExpression("2026\\n\\d\\d:\\d\\d$").match(l).hasMatch(), qPrintable(l));
            QCOMPARE(w.StatusText(3), QString("3"));
            w.close();
        }
        QCOMPARE(ini.ReadBool("COM", "WRT", false), true);
        QCOMPARE(ini.ReadBool("COM", "T2", true), false);
        QCOMPARE(ini.ReadBool("COM", "T55", true), false);                  // hidden: unticked
        QCOMPARE(ini.ReadString("COM", "ZEIT", "-"), QString("-"));          // the readout hour is left alone
        QCOMPARE(ini.ReadBool("COM", GraphRunTimeKey, false), true);
        QCOMPARE(ini.ReadBool("COM", "ZEITACHSE", false), true);
        Settings().SettingsFile = nullptr;
    }
};

QTEST_MAIN(TstGraph)
#include "tst_graph.moc"
