// The offline readout window against the in-process simulator: what reaches the
// grid and the data file, what the operator is told, and the grid's protocol.

#include "piles/Messages.h"
#include "data/UDatenLesen.h"
#include "dialogs/UAktiv.h"
#include "reports/ReportForms.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include "support/Files.h"
#include "support/Records.h"
#include "support/SimSite.h"

#include <QLabel>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

namespace {

using support::Plant;
using support::SimSite;

// The window with a busy window and every message recorded (all answered OK).
struct Readout {
    TFAktiv busy;
    QStringList told;
    std::unique_ptr<TFDatenLesen1> w;
    Readout()
    {
        FAktiv = &busy;
        SetMessageHandler([this](MsgKind, const QString &text) {
            told << text;
            return MsgAnswer::Ok;
        });
        w = std::make_unique<TFDatenLesen1>();
        w->show();
    }
    ~Readout() { FAktiv = nullptr; }
    void Choose(int plant) { w->findChild<PlantTabBar *>("TabControl1")->SetCurrentIndex(plant - 1); }
    void Read() { w->findChild<QToolButton *>("ToolButton1")->click(); }
    QString Name() const { return w->findChild<QLabel *>("MieteName")->text(); }
    bool CanPrint() const { return w->findChild<QToolButton *>("PrintButton")->isEnabled(); }
};

const QString kDone = QStringLiteral("INFO Daten auslesen abgeschlossen.");
const QString kSaved = QStringLiteral("Werte in Datei gespeichert !");

QString PdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The data lines of plant n's file must be exactly the records it sent, numbered from 1.
void CompareFile(const SimSite &site, int n)
{
    QByteArray expected;
    const QStringList records = site.RecordReplies(n);
    for (int i = 0; i < records.size(); ++i)
        expected += support::ExpectedLine(i + 1, records[i]).toLatin1() + "\r\n";
    const QByteArray bytes = support::ReadAll(Plants().PlantTable[n].Datei);
    QVERIFY2(bytes.endsWith(expected) && bytes.count("\r\n") == 9 + records.size(),
             (bytes.right(300) + "\nexpected:\n" + expected.right(300)).constData());
    QCOMPARE(ReadSetting(QString::number(n), "Anzahl", -1), int(records.size()));
}

} // namespace

class TstDatenLesen : public QObject {
    Q_OBJECT
private slots:
    // A whole memory read: every record once, in order, in grid and file; the
    // plant's memory is empty afterwards, nothing but "r" and "G" went out; the
    // protocol has one row per record and no graph.
    void readsEveryRecordIntoGridAndFile()
    {
        SimSite site({Plant(4, true), Plant(6, false)}, 2);
        const int stored = site.P(4).StoredCount();
        QVERIFY(stored >= 40);
        Settings().ShowRefDepth = false;
        Readout r;
        r.Choose(4);
        QCOMPARE(r.Name(), QString("Miete4"));
        QCOMPARE(r.w->StatusText(), Plants().PlantTable[4].Datei);
        r.Read();
        QCOMPARE(r.told, QStringList{kDone});
        QCOMPARE(r.w->RecordsRead(), stored);
        QCOMPARE(r.w->RowCount(), stored + 1);
        QCOMPARE(r.w->Cells(0, stored), QString::number(stored));
        QCOMPARE(r.w->Cells(2, 0), QString("T5[°C]"));
        QCOMPARE(r.w->Cells(11, 0), QString());         // no reference depth shown
        const QStringList records = site.RecordReplies(4);
        const QString first = support::ExpectedLine(1, records[0]);
        QCOMPARE(r.w->Cells(1, 1), first.section(u';', 1, 1));
        QCOMPARE(r.w->Cells(2, 1), first.section(u';', 2, 2).mid(1));
        QCOMPARE(r.w->StatusText(), kSaved);
        QVERIFY(r.CanPrint());
        QCOMPARE(site.P(4).StoredCount(), 0);
        QCOMPARE(site.Sent().filter(QRegularExpression("^4 [^rG]")), QStringList());
        CompareFile(site, 4);

        QString text;
        bool chart = true;
        SetReportSink([&](TReportForm &form, bool) {
            chart = form.HasChart();
            QVERIFY(form.ExportPdf(site.home.filePath("grid.pdf")));
            text = PdfText(site.home.filePath("grid.pdf"));
        });
        r.w->findChild<QToolButton *>("PrintButton")->click();
        QVERIFY(!chart);
        QCOMPARE(r.w->StatusText(), QString("Werte ausgedruckt !"));
        QVERIFY2(text.contains("Miete4") && text.contains(first.section(u';', 1, 1).left(10)), qPrintable(text.left(800)));
        const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+\\d\\d\\.\\d\\d\\.\\d{4}\\s+\\d\\d:\\d\\d"),
                                     QRegularExpression::MultilineOption);
        QList<int> numbers;
        for (auto it = row.globalMatch(text); it.hasNext();)
            numbers << it.next().captured(1).toInt();
        QCOMPARE(numbers.size(), stored);
        QCOMPARE(numbers.first(), 1);
        QCOMPARE(numbers.last(), stored);
    }

    // The states a tab can show, and the readouts that take nothing.
    void emptyMemoryAndPlantsWithoutPile()
    {
        SimSite site({Plant(2, true), Plant(3, false)}, 0);
        QCOMPARE(site.P(2).StoredCount(), 0);
        Readout r;
        r.Choose(5);
        QCOMPARE(r.Name(), QString("KEINE ANLAGE ANGESCHLOSSEN!!"));
        QVERIFY(!r.w->findChild<QWidget *>("ToolBar1")->isEnabled());
        r.Choose(3);
        QCOMPARE(r.Name(), QString("Angeschlossene ANLAGE ist abgeschaltet!!"));
        QVERIFY(r.w->findChild<QWidget *>("ToolBar1")->isEnabled());
        r.Read();
        QVERIFY(site.Sent().isEmpty() && r.told.isEmpty() && !r.CanPrint());
        r.Choose(2);
        r.Read();
        QCOMPARE(site.Sent(), QStringList{"2 r"});          // no record asked for
        QCOMPARE(r.told, QStringList{kDone});
        QCOMPARE(r.w->StatusText(), kSaved);
        QVERIFY(!r.CanPrint());
        QVERIFY(support::ReadAll(Plants().PlantTable[2].Datei).count("\r\n") == 9);     // created with its header
        QCOMPARE(Plants().SelectedPlant, quint16(2));                // the choice holds program-wide
    }

    // A record that does not come, a click on the busy window, a full disk: the
    // records before stay in grid and file, and each way out has its messages.
    void timeOutCancelAndFullDisk()
    {
        {
            SimSite site({Plant(7, true)}, 1);
            QVERIFY(site.P(7).StoredCount() >= 3);
            site.P(7).GetFaults().muteAfter = site.P(7).RepliesSent() + 2;     // the count and one record
            Readout r;
            r.Choose(7);
            r.Read();
            QCOMPARE(r.told, QStringList({TimeoutMessage(),
                                          kDone}));
            QCOMPARE(r.w->RecordsRead(), 1);
            QVERIFY(r.CanPrint());
            QCOMPARE(r.w->StatusText(), kSaved);
            CompareFile(site, 7);
        }
        {
            SimSite site({Plant(8, true)}, 2);
            const int stored = site.P(8).StoredCount();
            Readout r;
            r.Choose(8);
            // The operator clicks the busy window's text while the third record comes,
            // with the window modal as the program opens it.
            QObject::connect(site.bus.get(), &plantsim::Bus::Trace, &r.busy, [&](const QString &l) {
                if (l.section(' ', 1, 1) == "TX" && site.RecordsSent() == 3 && r.busy.isVisible())
                    QTimer::singleShot(0, &r.busy, [&] {
                        // Through the window system, where a modal window blocks others.
                        const QWidget *text = r.busy.findChild<QWidget *>("StaticText1");
                        QTest::mouseClick(r.busy.windowHandle(), Qt::LeftButton, {},
                                          text->mapTo(&r.busy, text->rect().center()));
                    });
            });
            r.w->hide();
            QTimer::singleShot(0, r.w.get(), [&] { r.Read(); r.w->accept(); });
            r.w->exec();
            QCOMPARE(r.told, QStringList{kDone});
            QVERIFY2(r.w->RecordsRead() >= 3 && r.w->RecordsRead() < stored, qPrintable(QString::number(r.w->RecordsRead())));
            // What the plant handed over is in the file, what it still holds was not taken.
            QCOMPARE(site.P(8).StoredCount(), stored - r.w->RecordsRead());
            QCOMPARE(r.w->StatusText(), kSaved);
            CompareFile(site, 8);
            QVERIFY(!r.busy.isVisible());
        }
        support::SmallFileSystem fs;
        if (!fs.Mounted())
            QSKIP("cannot mount a small tmpfs here (needs root)");
        SimSite site({Plant(9, true)}, 3);
        Plants().PlantTable[9].Pfad = fs.Path(QString());
        QVERIFY(OpenDataFile(9));
        CloseDataFile(9);
        fs.Fill();
        Readout r;
        r.Choose(9);
        r.Read();
        QCOMPARE(r.told.size(), 2);
        QCOMPARE(r.told[0], kDone);
        QVERIFY(r.told[1].startsWith("Daten wurden nicht korrekt gespeichert!!\nBitte Speichermedium überprüfen !!\n"));
        // The writer learns of a full disk one record late: one or two records wait.
        QVERIFY2(r.told[1].contains(QRegularExpression("[12] empfangene\\S* Messwert\\S* warte\\S* auf Speicherplatz")), qPrintable(r.told[1]));
        QCOMPARE(r.w->StatusText(), QString());
        QVERIFY(support::ReadAll(Plants().PlantTable[9].Datei).endsWith("\r\n"));
    }

    // Grid texts: units, reference depth, the decimal separator, and stamps that
    // form no date.
    void cellsFollowUnitsAndNumberFormat()
    {
        support::SharedStateGuard guard;
        TLiveValues v;
        v.T5 = 60;
        v.T1 = -3;
        v.O2 = 209;
        v.RefMarke = 75;
        v.Betriebsart = 3;
        v.Luefterlaufzeit = 125;
        v.LuefterZyklen = 7;
        const TStoredStamp stamp{"7", "14", "8", "12", "2026"};
        Settings().ShowRefDepth = false;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ReadoutCells(v, stamp),
                 QStringList({"08.12.2026  14:07", "  60", "   0", "   0", "   0", "  -3", "20,9", "3", "  125", "    7", ""}));
        Plants().ImperialUnits = true;
        Settings().ShowRefDepth = true;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        v.O2 = 5;
        const QStringList f = ReadoutCells(v, {"7", "x", "8", "12", "2026"});
        QCOMPARE(f[0], QString("30/12/1899  00:00"));
        QCOMPARE(f[1], QString(" 140"));
        QCOMPARE(f[6], QString(" 0.5"));
        QCOMPARE(f[10], QString("  29"));
        QCOMPARE(ReadoutCells(v, {"7", "14", "31", "2", "2026"})[0], QString("30/12/1899  00:00"));
    }
};

QTEST_MAIN(TstDatenLesen)
#include "tst_datenlesen.moc"
