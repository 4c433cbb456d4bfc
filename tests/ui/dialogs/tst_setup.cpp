// The plant set-up and PC setup dialogs against the in-process simulator: what goes
// to the plant (only the changed groups, in order, never out of range) and what
// reaches the settings file.

#include "piles/Messages.h"
#include "datafile/Hygiene.h"
#include "dialogs/UAnlDatumSet.h"
#include "dialogs/UO2MessSetup.h"
#include "dialogs/UPC_Setup.h"
#include "link/Commands.h"
#include "link/SetupValues.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include "support/Files.h"
#include "support/SimSite.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QLineEdit>
#include <QtTest>

namespace {

using support::SimSite;

plantsim::PlantConfig PlantWith(int n, int o2Ein, int o2Aus, bool running = true)
{
    plantsim::PlantConfig p = support::Plant(n, running);
    p.setup.O2Ein = o2Ein;
    p.setup.O2Aus = o2Aus;
    return p;
}

// The set-up writes the host sent, as "<plant> <command letter>".
QStringList Writes(const SimSite &site)
{
    QStringList out;
    for (const QString &f : site.Sent())
        if (QStringLiteral("IpEOnN").contains(f.section(' ', 1).left(1)))
            out << f.section(' ', 0, 0) + u' ' + f.section(' ', 1).left(1);
    return out;
}

} // namespace

class TstSetup : public QObject {
    Q_OBJECT
private slots:
    // The threshold rule in whole tenths, its chains and its limits.
    void thresholdsStayApart()
    {
        int on = 50, off = 51;
        KeepO2Apart(on, off, FieldO2Ein);
        QCOMPARE(QPair(on, off), QPair(50, 52));
        on = 209, off = 205;
        KeepO2Apart(on, off, FieldO2Ein);
        QCOMPARE(QPair(on, off), QPair(208, 210));
        on = 80, off = 82;                          // exactly 0.2 apart: left alone
        KeepO2Apart(on, off, FieldO2Aus);
        QCOMPARE(QPair(on, off), QPair(80, 82));
        on = 80, off = 1;
        KeepO2Apart(on, off, FieldO2Aus);
        QCOMPARE(QPair(on, off), QPair(0, 2));      // the on-threshold cannot go below 0.0
    }

    // Only what was changed goes to the plant, in the plant's order, and the plant
    // holds it afterwards; nothing is sent for OK without a change.
    void writesOnlyChangedGroups()
    {
        SimSite site({PlantWith(3, 40, 51)}, 0);
        QVERIFY(ReadPlantSetup(3));
        site.trace.clear();
        Plants().SelectedPlant = 3;
        QStringList asked;
        SetMessageHandler([&](MsgKind, const QString &text) { asked << text; return MsgAnswer::Yes; });
        {
            TFO2MessSetup d;
            QCOMPARE(d.findChild<QLabel *>("MieteName")->text(), QString("Miete3"));
            d.findChild<QPushButton *>("OKBtn")->click();
        }
        QCOMPARE(Writes(site), QStringList());
        {
            TFO2MessSetup d;
            d.findChild<QSpinBox *>("SpeicherEdit")->setValue(30);
            d.findChild<QPushButton *>("OKBtn")->click();
        }
        QCOMPARE(Writes(site), QStringList{"3 I"});
        QCOMPARE(site.P(3).Setup().Speicher, 30);
        site.trace.clear();
        QVERIFY(ReadPlantSetup(3));
        {
            TFO2MessSetup d;
            d.findChild<QSpinBox *>("MaxAUSEdit")->setValue(200);
            d.findChild<QSpinBox *>("NotEINEdit")->setValue(7);
            d.findChild<QSpinBox *>("IntAUSEdit")->setValue(25);
            d.findChild<QDoubleSpinBox *>("O2EINEdit")->setValue(5.0);     // off 5.1 → 5.2 once confirmed
            QCOMPARE(d.findChild<QDoubleSpinBox *>("O2AUSEdit")->value(), 5.1);
            emit d.findChild<QDoubleSpinBox *>("O2EINEdit")->editingFinished();
            QCOMPARE(d.findChild<QDoubleSpinBox *>("O2AUSEdit")->value(), 5.2);
            QCOMPARE(d.findChild<QLabel *>("HinweisLabel")->text(), QString("O2-Ausschaltwert auf 5,2 angehoben"));
            asked.clear();
            d.findChild<QPushButton *>("OKBtn")->click();
            QCOMPARE(asked, QStringList{"An Anlage 3 senden:\nLüfter- AUS- Intervall: 20 → 25\nO2-Einschaltwert: 4,0 → 5,0\n"
                                        "O2-Ausschaltwert: 5,1 → 5,2\nSteuerbetrieb EIN- Zeit: 5 → 7\n"
                                        "Max. Lüfter- AUS- Zeit: 240 → 200"});
        }
        QCOMPARE(Writes(site), QStringList({"3 p", "3 O", "3 n", "3 N"}));
        QCOMPARE(site.P(3).Setup().O2Ein, 50);
        QCOMPARE(site.P(3).Setup().O2Aus, 52);
        QCOMPARE(site.P(3).Setup().MaxAus, 200);

        // Values outside their ranges are clamped before they are sent.
        TPlantSetup wild = LinkValues().PlantSetup;
        wild.Speicher = 5000;
        wild.O2Ein = -4;
        wild.O2Aus = 300;
        WriteSetupGroups(3, wild, GroupStore | GroupO2);
        QTRY_COMPARE(site.P(3).Setup().Speicher, 1440);
        QCOMPARE(site.P(3).Setup().O2Ein, 0);
        QCOMPARE(site.P(3).Setup().O2Aus, 210);
    }

    // Typing never moves the partner threshold, an emptied field says it stays, and
    // a No to the summary sends nothing and keeps what was typed.
    void typedValuesStayAsTyped()
    {
        SimSite site({PlantWith(2, 40, 50)}, 0);
        QVERIFY(ReadPlantSetup(2));
        Plants().SelectedPlant = 2;
        QStringList asked;
        SetMessageHandler([&](MsgKind, const QString &text) { asked << text; return MsgAnswer::No; });
        TFO2MessSetup d;
        d.show();
        auto *on = d.findChild<QDoubleSpinBox *>("O2EINEdit");
        auto *off = d.findChild<QDoubleSpinBox *>("O2AUSEdit");
        off->setFocus();
        off->selectAll();
        QTest::keyClicks(off, "15");
        QCOMPARE(on->value(), 4.0);                     // "1" on the way did not move it
        QTest::keyClick(off, Qt::Key_Return);
        QCOMPARE(QPair(on->value(), off->value()), QPair(4.0, 15.0));
        on->setFocus();
        on->selectAll();
        QTest::keyClick(on, Qt::Key_Backspace);
        QTest::keyClick(on, Qt::Key_Return);            // an empty field confirmed
        QCOMPARE(on->value(), 4.0);
        QCOMPARE(d.findChild<QLabel *>("HinweisLabel")->text(), QString("O2-Einschaltwert war leer und bleibt 4,0."));
        site.trace.clear();
        d.findChild<QPushButton *>("OKBtn")->click();
        QCOMPARE(asked.size(), 3);                      // Enter is OK too: each time the summary
        QCOMPARE(asked.last(), QString("An Anlage 2 senden:\nO2-Ausschaltwert: 5,0 → 15,0"));
        QVERIFY(d.isVisible() && Writes(site).isEmpty() && off->value() == 15.0);
        SetMessageHandler({});
    }

    // What is typed is what is sent, or the operator is told: a separator in a
    // minute field is refused visibly (never 257 from "25.7"), a value above the
    // range is its end with a note (never its first digits), and the O2 fields take
    // "25,7" and "25.7" in every language.
    void typingRules()
    {
        SimSite site({PlantWith(2, 80, 150)}, 0);
        QVERIFY(ReadPlantSetup(2));
        Plants().SelectedPlant = 2;
        QStringList asked;
        SetMessageHandler([&](MsgKind, const QString &text) { asked << text; return MsgAnswer::No; });
        auto type = [](QAbstractSpinBox *box, const char *text) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, text);
        };
        const QLocale was;
        for (const QLocale &language : {QLocale(QLocale::German), QLocale(QLocale::French)}) {
            QLocale::setDefault(language);
            TFO2MessSetup d;
            d.show();
            auto *interval = d.findChild<QSpinBox *>("IntEINEdit");
            auto *on = d.findChild<QDoubleSpinBox *>("O2EINEdit");
            auto *off = d.findChild<QDoubleSpinBox *>("O2AUSEdit");
            auto *note = d.findChild<QLabel *>("HinweisLabel");
            const int before = interval->value();
            type(interval, "25.7");
            QCOMPARE(interval->findChild<QLineEdit *>()->text(), QString("25.7"));        // kept, not run together
            QVERIFY(note->text().endsWith("nur ganze Minuten"));
            asked.clear();
            QTest::keyClick(interval, Qt::Key_Return);
            QCOMPARE(interval->value(), before);
            QVERIFY2(note->text().contains("nur ganze Minuten, \"25.7\" nicht übernommen"), qPrintable(note->text()));
            QVERIFY(asked.isEmpty() && d.isVisible());                      // Enter did not send
            type(interval, "99999");
            QTest::keyClick(interval, Qt::Key_Return);
            QCOMPARE(interval->value(), 300);
            QCOMPARE(note->text(), QString("Lüfter- EIN- Intervall auf den Höchstwert 300 begrenzt"));
            for (const char *text : {"25,7", "25.7"}) {
                type(off, text);
                QTest::keyClick(off, Qt::Key_Return);
                QCOMPARE(QPair(on->value(), off->value()), QPair(8.0, 21.0));
                off->setValue(15.0);
            }
            type(on, "6.5");
            QTest::keyClick(on, Qt::Key_Return);
            QCOMPARE(on->value(), 6.5);
        }
        QLocale::setDefault(was);
        SetMessageHandler({});
    }

    // The clock dialog reads the plant's text in either layout; where it cannot,
    // the question before setting the clock back comes from the running pile's
    // file (its last record is two days ahead of this PC's clock), default No.
    void plantClockInAnyLayout()
    {
        SimSite site({support::Plant(4, true)}, 0);
        Plants().SelectedPlant = 4;
        site.P(4).SetTime(14, 30, 0);
        QList<MsgKind> kinds;
        QStringList asked;
        SetMessageHandler([&](MsgKind kind, const QString &text) { kinds << kind; asked << text; return MsgAnswer::No; });
        for (int layout : {0, 1, 2}) {
            site.P(4).GetFaults().clockLayout = layout;
            TFAnlDatumSetup d;
            const QString shown = d.findChild<QLineEdit *>("KlartextEdit")->text();
            const QString date = d.findChild<QLineEdit *>("Edit1")->text(), time = d.findChild<QLineEdit *>("ZeitEdit")->text();
            if (layout == 2) {
                QCOMPARE(QStringList({shown, date, time}), QStringList({"Uhr gestellt", "--", "--"}));
            } else {
                QCOMPARE(QPair(date, time.left(5)), QPair(QString("08.12.2026"), QString("14:30")));
                QVERIFY2(shown.startsWith(layout == 0 ? "Zeit: 14:30" : "14:30"), qPrintable(shown));
            }
        }
        // The plant's text says nothing; the file's last record is from 10.12.2026.
        const QString file = site.home.filePath("Miete4_08-12-2026.CSV");
        TLiveValues v;
        QVERIFY(support::WriteAll(file, support::DataFileHeader("Kompostwerk Süd GmbH & Co. KG", "Miete4", "x", "08.12.2026")
                                            + FormatDataLine(1, "10.12.2026  12:00", v).toLatin1() + "\r\n"));
        Plants().PlantTable[4].Datei = file;
        site.trace.clear();
        {
            TFAnlDatumSetup d;
            d.findChild<QPushButton *>("SetBtn")->click();
        }
        QCOMPARE(kinds.last(), MsgKind::RiskyConfirmation);
        QVERIFY2(asked.last().startsWith("Der letzte Messwert der laufenden Miete von Anlage 4 ist 2 Tage jünger"),
                 qPrintable(asked.last()));
        for (const QString &frame : site.Sent())        // No: the clock stays
            QVERIFY2(!frame.section(' ', 1).startsWith('D') && !frame.section(' ', 1).startsWith('Z'), qPrintable(frame));
        SetMessageHandler({});
    }

    // A tab change asks about unsent changes; an absent plant disables the edits, a
    // silent one too with the time-out message.
    void tabChanges()
    {
        plantsim::PlantConfig silent = PlantWith(6, 80, 150, false);
        SimSite site({PlantWith(4, 205, 209), PlantWith(5, 60, 90, false), silent}, 0);
        QVERIFY(ReadPlantSetup(4));
        site.P(6).GetFaults().muteAfter = site.P(6).RepliesSent();
        QStringList asked;
        QList<MsgAnswer> answers{MsgAnswer::No, MsgAnswer::Yes};
        QList<MsgKind> kinds;
        SetMessageHandler([&](MsgKind kind, const QString &text) {
            asked << text;
            kinds << kind;
            return answers.isEmpty() ? MsgAnswer::Ok : answers.takeFirst();
        });
        Plants().SelectedPlant = 4;
        TFO2MessSetup d;
        auto *tabs = d.findChild<PlantTabBar *>("TabControl1");
        auto *on = d.findChild<QDoubleSpinBox *>("O2EINEdit");
        auto *off = d.findChild<QDoubleSpinBox *>("O2AUSEdit");
        on->setValue(20.9);                                     // off 20.9 → 21.0 → on 20.8
        emit on->editingFinished();
        QCOMPARE(off->value(), 21.0);
        QCOMPARE(on->value(), 20.8);
        site.trace.clear();
        tabs->SetCurrentIndex(4);                               // No: nothing for plant 4
        QCOMPARE(asked, QStringList{"Setup gändert, in Steuerung laden?"});
        QCOMPARE(Writes(site), QStringList());
        QCOMPARE(d.findChild<QLabel *>("MieteName")->text(), QString("Angeschlossene ANLAGE ist abgeschaltet!!"));
        QCOMPARE(on->value(), 6.0);                             // plant 5's values, editable
        QVERIFY(on->isEnabled());
        d.findChild<QSpinBox *>("IntEINEdit")->setValue(12);
        tabs->SetCurrentIndex(3);                               // Yes: sent to plant 5
        QCOMPARE(Writes(site), QStringList{"5 E"});
        QTRY_COMPARE(site.P(5).Setup().IntEin, 12);
        asked.clear();
        site.trace.clear();
        tabs->SetCurrentIndex(9);                               // absent
        QCOMPARE(d.findChild<QLabel *>("MieteName")->text(), QString("KEINE ANLAGE ANGESCHLOSSEN!!"));
        QVERIFY(!on->isEnabled() && site.Sent().isEmpty() && asked.isEmpty());
        tabs->SetCurrentIndex(5);                               // present, but silent
        QVERIFY(!on->isEnabled());
        QCOMPARE(asked.size(), 1);
        // An error, each line of it once.
        QCOMPARE(asked[0], TimeoutMessage());
        QCOMPARE(kinds.last(), MsgKind::Error);
        QStringList lines = asked[0].split('\n');
        QCOMPARE(lines.removeDuplicates(), 0);
        QCOMPARE(d.ChangedGroups(), 0u);
    }

    // The PC setup: unit switching and its stored value, the offset, and OK without
    // a change writing nothing.
    void pcSetup()
    {
        SimSite site({support::Plant(1, false)}, 0);
        const QString ini = site.home.filePath("Haldrix.ini");
        QVERIFY(site.ini->WriteString("COM", "COM", "1"));
        const QByteArray before = support::ReadAll(ini);
        {
            TFPC_Setup d;
            QVERIFY(d.findChild<QRadioButton *>("COM1Button")->isChecked());
            d.findChild<QPushButton *>("OKBtn")->click();
            QVERIFY(!d.PortChanged() && !d.OffsetChanged());
        }
        QCOMPARE(support::ReadAll(ini), before);
        {
            TFPC_Setup d;
            auto *unit = d.findChild<QCheckBox *>("CelsiusCheck");
            auto *temp = d.findChild<QDoubleSpinBox *>("RefTempSelect");
            unit->click();
            QCOMPARE(temp->value(), 131.0);
            QCOMPARE(d.findChild<QLabel *>("SelectEinheit")->text(), QString("°F"));
            unit->click();
            QCOMPARE(temp->value(), 55.0);
            unit->click();
            d.findChild<QDoubleSpinBox *>("DispOffsetSelect")->setValue(10);
            auto *criterion = d.findChild<QComboBox *>("KriteriumSelect");
            QCOMPARE(criterion->currentData().toString(), QString("bioabfv-open"));
            criterion->setCurrentIndex(criterion->findData("pfrp-asp"));
            // The site's working days: a text that is none keeps the dialog open.
            auto *days = d.findChild<QLineEdit *>("ArbeitstageEdit");
            QCOMPARE(days->text(), QString("1-5"));
            days->setText("Mo-Sa");
            QStringList told;
            SetMessageHandler([&](MsgKind, const QString &t) { told << t; return MsgAnswer::Ok; });
            d.findChild<QPushButton *>("OKBtn")->click();
            SetMessageHandler({});
            QVERIFY(d.result() != QDialog::Accepted && told.size() == 1 && days->text() == "Mo-Sa");
            QCOMPARE(site.ini->ReadString("COM", "KRITERIUM", "-"), QString("-"));
            days->setText("1-6");
            auto *holidays = d.findChild<QComboBox *>("FeiertageSelect");
            holidays->setCurrentIndex(holidays->findData("NW"));
            d.findChild<QPushButton *>("OKBtn")->click();
            QVERIFY(d.OffsetChanged());
        }
        QCOMPARE(ReadHygieneCalendar().weekdays, (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(ReadHygieneCalendar().holidays, QString("NW"));
        QVERIFY(Plants().ImperialUnits);
        QCOMPARE(Plants().RefTemp, 55.1);
        QCOMPARE(site.ini->ReadString("COM", "REFTEMP", "-").replace(u',', u'.').toDouble(), 55.1);
        QCOMPARE(site.ini->ReadString("COM", "DISPOFFSET", "-"), QString("10"));
        QCOMPARE(site.ini->ReadString("COM", "KRITERIUM", "-"), QString("pfrp-asp"));
        QCOMPARE(Plants().RefCaption, QString("s 131°F[in]"));
        // After a restart the first tab reads 10.
        Settings().DisplayOffset = 0;
        LoadProgramSettings();
        PlantTabBar tabs;
        FillPlantTabs(&tabs, 4);
        QCOMPARE(tabs.TabText(0), QString("10"));
        // A port set outside the dialog beyond COM8: no button, OK keeps it.
        LinkValues().ComNumber = 9;
        {
            TFPC_Setup d;
            for (int n = 1; n <= 8; ++n)
                QVERIFY(!d.findChild<QRadioButton *>(QStringLiteral("COM%1Button").arg(n))->isChecked());
            d.findChild<QPushButton *>("OKBtn")->click();
            QVERIFY(!d.PortChanged());
        }
        QCOMPARE(LinkValues().ComNumber, quint16(9));
    }
};

QTEST_MAIN(TstSetup)
#include "tst_setup.moc"
