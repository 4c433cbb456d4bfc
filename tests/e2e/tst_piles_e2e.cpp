// Piles end to end: the program's windows and menus against the plant simulator on a
// pseudo-terminal; what went over the line is read back from the simulator's trace.

#include "piles/Messages.h"
#include "data/UDatenLesen.h"
#include "base/DisplayFormat.h"
#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/Seal.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "live/LiveGrid.h"
#include "live/UAnzeige.h"
#include "piles/Piles.h"
#include "settings/SettingsFile.h"
#include "shell/UMain.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

#include "support/Files.h"
#include "support/Program.h"
#include "support/Records.h"
#include "support/SimProcess.h"

namespace {

using support::Find;
using support::IniValue;
using support::Simulator;
using support::TraceLine;

using support::CompareWithRecords;
using support::ExpectedLine;
using support::RecordsSent;

QStringList FramesTo(const Simulator &sim, int plant)
{
    QStringList out;
    for (const TraceLine &l : sim.Frames())
        if (l.plant == plant)
            out << l.frame;
    return out;
}

} // namespace

class TestPilesEndToEnd : public QObject {
    Q_OBJECT
private:
    QStringList messages_;
    QList<bool> answers_;           // for questions, in order; none left answers No

    // `com`: more lines for the [COM] section.
    void Start(const QTemporaryDir &home, Simulator &sim, const QString &com)
    {
        QVERIFY(support::WriteIni(home, QStringLiteral("[COM]\nCOM=1\nTIMEOUT=40\n%1[Ports]\nCOM1=%2\n").arg(com, sim.Pty())));
        support::FreshProgram(home);
        SetMessageHandler([this](MsgKind kind, const QString &text) {
            messages_ << text;
            if (kind != MsgKind::Confirmation && kind != MsgKind::RiskyConfirmation)
                return MsgAnswer::Ok;
            return !answers_.isEmpty() && answers_.takeFirst() ? MsgAnswer::Yes : MsgAnswer::No;
        });
    }

private slots:
    void init()
    {
        messages_.clear();
        answers_.clear();
    }
    void cleanup() { support::ResetSharedState(); }

    // A new pile from the menu, its mode changed from the tabs, and a pile of 40
    // records ended: every record in the file once, in order, byte for byte.
    void startChangeModeAndEnd()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "1,2", "--running", "2", "--history", "2", "--mode", "1:2",
                           "--setup", "2:72,10,20,80,150,5,25,60,240", "--fault", "2:stamp-spoil=0.2"},
                          home.filePath(QStringLiteral("trace.txt"))));
        Start(home, sim, QString());
        TFMain main;
        TFAnzeige live(&main);
        live.show();
        auto *tabs = Find<PlantTabBar>(&live, "TabControl1");
        auto *modes = Find<QTabBar>(&live, "BetriebsArtTab");

        tabs->SetCurrentIndex(0);
        // The company lines are asked for first: they go into the new file's header.
        support::AnswerNextDialog([](QDialog *company) {
            QVERIFY(Find<QLabel>(company, "FirstPileNote")->isVisible());
            QVERIFY(Find<QLineEdit>(company, "Edit2")->text().isEmpty());   // the placeholder is a hint only
            Find<QLineEdit>(company, "Edit1")->setText(QStringLiteral("Kompostwerk Süd GmbH & Co. KG"));
            support::AnswerNextDialog([](QDialog *d) {
                Find<QLineEdit>(d, "Edit1")->clear();
                QTest::keyClicks(Find<QLineEdit>(d, "Edit1"), QStringLiteral("Nord"));
                Find<QPushButton>(d, "OKBtn")->click();
            });
            Find<QPushButton>(company, "OKBtn")->click();
        });
        Find<QAction>(&live, "Mieteneustarten1")->trigger();
        QVERIFY(Plants().PlantTable[1].Running);
        QCOMPARE(IniValue(home, "Firma", "Titel"), QStringLiteral("Kompostwerk Süd GmbH & Co. KG"));
        QVERIFY(!CompanyLinesArePlaceholders());
        QStringList sent = FramesTo(sim, 1);
        const qsizetype d = sent.indexOf(QRegularExpression(QStringLiteral("^D\\d{6}$")));
        QVERIFY2(d > 0 && d + 3 < sent.size(), qPrintable(sent.join(u' ')));
        QVERIFY(sent[d + 1].contains(QRegularExpression(QStringLiteral("^Z\\d{6}$"))));
        QCOMPARE(sent[d + 2], QStringLiteral("T"));                     // mode 2 (interval) ...
        QVERIFY(sent.indexOf("F", d + 3) > d);                          // ... then on
        const QString file = IniValue(home, "1", "Datei");
        QVERIFY2(file.startsWith(home.path()) && QFileInfo(file).fileName().startsWith("Nord_"), qPrintable(file));
        QCOMPARE(IniValue(home, "1", "Name"), QStringLiteral("Nord"));
        QCOMPARE(IniValue(home, "1", "Anzahl"), QStringLiteral("0"));

        const qsizetype sentBefore = FramesTo(sim, 1).size();
        modes->setCurrentIndex(1);                                      // fan on: confirmed
        QVERIFY(FramesTo(sim, 1).mid(sentBefore).contains(QStringLiteral("e")));
        QCOMPARE(int(Plants().PlantTable[1].Mode), 1);
        QCOMPARE(modes->currentIndex(), 1);

        // Ending plant 2's pile: both questions, the transfer, switch-off.
        tabs->SetCurrentIndex(1);
        const QString file2 = Plants().PlantTable[2].Datei;
        answers_ = {true};
        messages_.clear();
        Find<QAction>(&live, "Mietebeenden1")->trigger();
        QVERIFY(!Plants().PlantTable[2].Running);
        // Records with spoilt stamps are in the file as they came, and told.
        const QStringList records = RecordsSent(sim, 2);
        QVERIFY2(records.size() >= 40, qPrintable(QString::number(records.size())));
        QStringList spoilt;
        for (int i = 0; i < records.size(); ++i)
            if (records[i].contains(u'x'))
                spoilt << QString::number(i + 1);
        QVERIFY(!spoilt.isEmpty());
        QCOMPARE(messages_, QStringList({"Soll die aktuell aktive Anlage ausgeschaltet werden ?\n"
                                         "Es werden keine weiteren Messwerte gespeichert.\n"
                                         "Einschalten durch Start einer neuen Miete!!",
                                         QString("%1 Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %2)")
                                             .arg(spoilt.size()).arg(spoilt.join(", ")),
                                         "Anlage ist ausgeschaltet!!\nEinschalten durch Start einer neuen Miete!"}));
        CompareWithRecords(file2, records, 1);
        QCOMPARE(IniValue(home, "2", "Anzahl").toInt(), int(records.size()));
        // The ended pile is archived: its file and seal as they are, verified; the
        // protocols its spoilt stamps do not allow are named in the note.
        const QStringList archives = QDir(home.filePath("Archiv")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(archives.size(), 1);
        const QString archive = home.filePath("Archiv/" + archives[0]);
        const ArchiveCheck check = VerifyArchive(archive);
        QVERIFY2(check.ok, qPrintable(check.Text()));
        QCOMPARE(check.records, records.size());
        QCOMPARE(check.checkValue, VerifySeal(file2).checkValue);
        QVERIFY(QFile::exists(archive + "/" + QFileInfo(file2).fileName() + ".seal"));
        QVERIFY(QFile::exists(archive + "/HINWEIS.txt"));

        // No pile on plant 2 now: a mode tab click is refused, nothing is sent.
        const int before = int(FramesTo(sim, 2).size());
        const int shown = modes->currentIndex();
        modes->setCurrentIndex(shown == 0 ? 1 : 0);
        QCOMPARE(modes->currentIndex(), shown);
        const QStringList after = FramesTo(sim, 2).mid(before);
        QVERIFY2(!after.contains("o") && !after.contains("e"), qPrintable(after.join(u' ')));
        QCOMPARE(sim.FramesOverReply(), 0);
        live.close();
    }

    // The offline readout from the main window's menu and from the live display's:
    // the plant's memory into grid and file byte for byte, the poll back afterwards.
    void offlineReadoutFromBothMenus()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "3", "--running", "3", "--history", "1"}, home.filePath(QStringLiteral("trace.txt"))));
        Start(home, sim, QString());
        TFMain main;
        Plants().SelectedPlant = 3;
        int rows = -1;
        support::AnswerNextDialog([&](QDialog *d) {
            auto *readout = qobject_cast<TFDatenLesen1 *>(d);
            QVERIFY(readout);
            QCOMPARE(Find<QLabel>(d, "MieteName")->text(), Plants().PlantTable[3].Name);
            Find<QToolButton>(d, "ToolButton1")->click();
            rows = readout->RecordsRead();
            Find<QAction>(d, "Ende2")->trigger();
        });
        Find<QAction>(&main, "Datenauslesen1")->trigger();
        const QStringList records = RecordsSent(sim, 3);
        QVERIFY2(records.size() >= 20, qPrintable(QString::number(records.size())));
        QCOMPARE(rows, int(records.size()));
        QCOMPARE(messages_, QStringList{"INFO Daten auslesen abgeschlossen."});
        CompareWithRecords(Plants().PlantTable[3].Datei, records, 1);
        QVERIFY(main.Link()->LeseTimer()->isActive());

        TFAnzeige live(&main);
        live.show();
        bool opened = false;
        support::AnswerNextDialog([&](QDialog *d) {
            opened = qobject_cast<TFDatenLesen1 *>(d) != nullptr;
            d->close();
        });
        Find<QAction>(&live, "OfflineDatenauslesen1")->trigger();
        QVERIFY(opened);
        QVERIFY(main.Link()->LeseTimer()->isActive());
        live.close();
    }

    // A transfer cut by a silent plant keeps what came; a pile continued from a
    // file of 250 lines goes on with record 251.
    void cutTransferAndContinuedPile()
    {
        QTemporaryDir home;
        Simulator sim;
        // Plant 4 answers "B", "S", the count and 9 records, then falls silent.
        // Plant 5 stores a record every simulated minute, one a second here.
        QVERIFY(sim.Start({"--plants", "4,5", "--running", "4", "--history", "1", "--fault", "4:mute-after=12",
                           "--time-factor", "60", "--setup", "5:1,10,20,80,150,5,25,60,240"},
                          home.filePath(QStringLiteral("trace.txt"))));
        Start(home, sim, QString());
        TFMain main;
        main.Link()->LeseTimer()->stop();       // no polls before the transfer: its replies are counted
        TFAnzeige live(&main);
        auto *tabs = Find<PlantTabBar>(&live, "TabControl1");
        tabs->SetCurrentIndex(3);
        QCOMPARE(int(Plants().SelectedPlant), 4);

        answers_ = {true, false};               // end it: yes; switch off despite the loss: no
        Find<QAction>(&live, "Mietebeenden1")->trigger();
        QCOMPARE(messages_.value(1), TimeoutMessage());
        QCOMPARE(messages_.value(2), QStringLiteral("Nicht alle Daten wurden korrekt gespeichert!!\nTrotzdem Anlage ausschalten???"));
        QCOMPARE(messages_.size(), 3);
        QVERIFY(Plants().PlantTable[4].Running);
        const QStringList records = RecordsSent(sim, 4);
        QCOMPARE(records.size(), 9);
        CompareWithRecords(Plants().PlantTable[4].Datei, records, 1);
        QCOMPARE(IniValue(home, "4", "Anzahl"), QStringLiteral("9"));
        QVERIFY(main.Link()->LeseTimer()->isActive());  // polling is back

        const QString old = home.filePath(QStringLiteral("Alt_01-12-2026.CSV"));
        QVERIFY(support::WriteAll(old, support::PileDataFile("Alt", "01.12.2026", 250)));
        QString startedIn;
        SetFileChooser([&](QWidget *, const QString &folder) {
            startedIn = folder;
            return old;
        });
        tabs->SetCurrentIndex(4);
        messages_.clear();
        const QString cwd = QDir::currentPath();
        Find<QAction>(&live, "Mietefortfuehren1")->trigger();
        // The simulator's clock runs 60 times as fast: the question whether to put
        // it back may come (and is answered No); nothing else is said.
        messages_.removeIf([](const QString &m) { return m.startsWith(QLatin1String("Die Uhr der Anlage 5 geht um")); });
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join(u'|')));
        QCOMPARE(QDir::currentPath(), cwd);
        QVERIFY(!startedIn.isEmpty());
        QVERIFY(Plants().PlantTable[5].Running);
        QVERIFY(FramesTo(sim, 5).contains(QStringLiteral("F")));
        QCOMPARE(IniValue(home, "5", "Datei"), QDir::toNativeSeparators(old));
        QCOMPARE(IniValue(home, "5", "Anzahl"), QStringLiteral("250"));

        QTest::qWait(2500);                     // two or more records stored
        answers_ = {true};
        Find<QAction>(&live, "Mietebeenden1")->trigger();
        const QStringList more = RecordsSent(sim, 5);
        QVERIFY2(more.size() >= 2, qPrintable(QString::number(more.size())));
        CompareWithRecords(old, more, 251);
        SetFileChooser({});
    }

    // An ended (and so archived) pile's file chosen to go on with: the operator is
    // asked, No being the default; No switches nothing on, Yes continues it.
    void endedPileIsContinuedOnlyWhenConfirmed()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "6", "--running", "6", "--history", "1"}, home.filePath(QStringLiteral("trace.txt"))));
        Start(home, sim, QString());
        QList<MsgKind> kinds;
        SetMessageHandler([&](MsgKind kind, const QString &text) {
            messages_ << text;
            kinds << kind;
            if (kind != MsgKind::Confirmation && kind != MsgKind::RiskyConfirmation)
                return MsgAnswer::Ok;
            return !answers_.isEmpty() && answers_.takeFirst() ? MsgAnswer::Yes : MsgAnswer::No;
        });
        TFMain main;
        TFAnzeige live(&main);
        live.show();
        Find<PlantTabBar>(&live, "TabControl1")->SetCurrentIndex(5);
        const QString file = Plants().PlantTable[6].Datei;
        answers_ = {true};
        Find<QAction>(&live, "Mietebeenden1")->trigger();
        QVERIFY(!Plants().PlantTable[6].Running && QFileInfo::exists(file));
        const int records = IniValue(home, "6", "Anzahl").toInt();
        QVERIFY(records >= 20);
        SetFileChooser([&](QWidget *, const QString &) { return file; });

        messages_.clear();
        kinds.clear();
        const qsizetype before = FramesTo(sim, 6).size();
        Find<QAction>(&live, "Mietefortfuehren1")->trigger();
        QCOMPARE(kinds, QList<MsgKind>{MsgKind::RiskyConfirmation});
        QVERIFY2(messages_[0].contains(QStringLiteral("Die Miete wurde beendet und archiviert: ")), qPrintable(messages_[0]));
        QVERIFY(!Plants().PlantTable[6].Running);
        const QStringList sent = FramesTo(sim, 6).mid(before);
        QVERIFY2(!sent.contains(QStringLiteral("F")), qPrintable(sent.join(u' ')));

        answers_ = {true};
        Find<QAction>(&live, "Mietefortfuehren1")->trigger();
        QVERIFY(Plants().PlantTable[6].Running);
        QVERIFY(FramesTo(sim, 6).mid(before).contains(QStringLiteral("F")));
        QCOMPARE(IniValue(home, "6", "Datei"), QDir::toNativeSeparators(file));
        QCOMPARE(IniValue(home, "6", "Anzahl").toInt(), records);
        SetFileChooser({});
        live.close();
    }

    // The daily readout at its hour, then after two missed days one day per tick;
    // a plant that does not answer its count fails, the next is still read.
    void dailyReadout()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "1-3", "--running", "1-3", "--history", "1", "--fault", "2:mute-after=2"},
                          home.filePath(QStringLiteral("trace.txt"))));
        Start(home, sim, QStringLiteral("ZEIT=6\n"));
        TFMain main;
        QCOMPARE(Settings().ReadoutHour, 6);
        QDateTime now(QDate(2026, 12, 7), QTime(5, 59, 30));
        SetPilesClock([&now] { return now; });
        ComputeNextReadout(now);
        Plants().PlantCount = 3;
        TFAnzeige live(&main);
        live.show();
        TTitledGrid *status = live.StatusGrid();

        // One readout asks "r" once, or twice when the first reply is late (a busy
        // machine): a retry within the same exchange is not another readout.
        auto reads = [&](int plant) {
            QList<double> at;
            for (const TraceLine &l : sim.Frames())
                if (l.plant == plant && l.frame == QLatin1String("r") && (at.isEmpty() || l.ms - at.last() > 250))
                    at << l.ms;
            return at;
        };
        QTest::qWait(1200);
        QVERIFY(reads(1).isEmpty());

        now = QDateTime(QDate(2026, 12, 7), QTime(6, 0, 5));
        QTRY_COMPARE_WITH_TIMEOUT(reads(3).size(), 1, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(status->Cells(1, 3), QStringLiteral("Ergebnis OK !"), 2000);
        QCOMPARE(status->Cells(1, 1), QStringLiteral("Ergebnis OK !"));
        QCOMPARE(status->Cells(1, 2), QStringLiteral("Fehler beim sichern!"));
        QVERIFY2(status->Cells(1, 0).startsWith(QStringLiteral("Sicherung am ") + ShortDateText(now.date())),
                 qPrintable(status->Cells(1, 0)));
        QVERIFY(IniValue(home, "1", "Anzahl").toInt() >= 20);
        QCOMPARE(Settings().NextReadout, QDateTime(QDate(2026, 12, 8), QTime(6, 0)));

        // The program was kept from its readout on the 8th and 9th.
        now = QDateTime(QDate(2026, 12, 10), QTime(7, 0));
        QTRY_COMPARE_WITH_TIMEOUT(Settings().NextReadout, QDateTime(QDate(2026, 12, 11), QTime(6, 0)), 5000);
        QTest::qWait(1200);
        const QList<double> at = reads(1);
        QCOMPARE(at.size(), 4);
        for (int i = 2; i < at.size(); ++i)
            QVERIFY2(at[i] - at[i - 1] > 300, qPrintable(QString::number(at[i] - at[i - 1])));  // one a tick
        QCOMPARE(reads(3).size(), 4);
        QCOMPARE(sim.FramesOverReply(), 0);
        live.close();
    }

    // Lost replies at discovery and a plant slower than TIMEOUT: the poll finds
    // every pile, and the slow plant's pile is really read.
    void missedPilesAreFoundAndSlowOnesRead()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "1-6", "--running", "1-6", "--history", "1", "--seed", "7",
                           "--fault", "1-5:drop=0.3", "--fault", "6:late=250"},
                          home.filePath(QStringLiteral("trace.txt"))));
        Start(home, sim, QString());
        QVERIFY(support::WriteIni(home, QStringLiteral("[COM]\nCOM=1\nTIMEOUT=100\n[Ports]\nCOM1=%1\n").arg(sim.Pty())));
        TFMain main;
        QCOMPARE(LinkValues().BaseTimeout, quint16(100));
        QVERIFY(!Plants().PlantTable[6].Present);
        Plants().PlantCount = 6;             // a cycle: the piles found, then one address not found
        TFAnzeige live(&main);
        live.show();
        auto allPresent = [] {
            for (int n = 1; n <= 6; ++n)
                if (!Plants().PlantTable[n].Present || !Plants().PlantTable[n].Running)
                    return false;
            return true;
        };
        // One missing address is asked a cycle (at most 3 s here), and a lost reply costs its turn.
        QTRY_VERIFY_WITH_TIMEOUT(allPresent(), 20000);
        QVERIFY(main.Link()->PlantTimeout(6, LinkValues().BaseTimeout) > 250);

        QVERIFY(TransferForReadout(6));
        const QStringList records = RecordsSent(sim, 6);
        QVERIFY2(records.size() >= 20, qPrintable(QString::number(records.size())));
        CompareWithRecords(Plants().PlantTable[6].Datei, records, 1);
        // A plant later than both tries of its first question cannot be known before
        // it is heard: at discovery its reply may meet the next address's frame. Once
        // it is known, nothing is sent over its replies.
        double firstPoll = -1;
        int over = 0;
        for (const TraceLine &l : sim.Trace()) {
            if (firstPoll < 0 && l.event == QLatin1String("RX") && l.frame == QLatin1String("c"))
                firstPoll = l.ms;
            over += firstPoll >= 0 && l.event == QLatin1String("OVER");
        }
        QCOMPARE(over, 0);
        live.close();
    }
};

QTEST_MAIN(TestPilesEndToEnd)
#include "tst_piles_e2e.moc"
