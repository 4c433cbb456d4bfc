// The live display against tables set directly: captions, menu states, units,
// display offset, invalid values and the window's size rules.

#include "piles/Messages.h"
#include "live/LiveGrid.h"
#include "live/UAnzeige.h"
#include "piles/Piles.h"
#include "site/SiteMonitor.h"
#include "link/Link.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"
#include "widgets/LedNumber.h"
#include "widgets/BarGauge.h"
#include "widgets/LedLabel.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"
#include "widgets/Picture.h"
#include "support/SharedState.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTabBar>
#include <QTimer>
#include <QScreen>
#include <QtTest>

class TestAnzeige : public QObject {
    Q_OBJECT
private:
    template <class T> static T *Find(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        if (!c)
            qFatal("control %s missing", name);
        return c;
    }
    static bool Enabled(QWidget *w, const char *action) { return Find<QAction>(w, action)->isEnabled(); }
    static QString Name(QWidget *w) { return Find<QLabel>(w, "MieteName")->text(); }

    static TLiveValues Values(int t5, int t4, int t3, int t2, int t1)
    {
        TLiveValues v;
        v.Valid = 1;
        v.T5 = t5; v.T4 = t4; v.T3 = t3; v.T2 = t2; v.T1 = t1;
        v.O2 = 205; v.FanOn = 1; v.Betriebsart = ModeO2Control;
        v.Luefterlaufzeit = 1234; v.LuefterZyklen = 56;
        ComputeRefDepth(v);
        return v;
    }

private slots:
    void init()
    {
        support::ResetSharedState();
        Plants().PlantCount = MaxPlants;
        LinkValues().LinkOpen = true;        // the display as it runs on an open line
    }

    // A plant's memory never fills unseen: the status band says the daily readout
    // is off, and warns from 800 waiting records (700 read, 100 more at 15 min), the
    // site view's alarm with it, once.
    void memoryFillingIsWarned()
    {
        QDateTime now(QDate(2026, 12, 8), QTime(9, 0));
        SetPilesClock([&] { return now; });
        Plants().PlantTable[3].Present = Plants().PlantTable[3].Running = 1;
        Plants().PlantTable[3].Stored = 700;
        Plants().SelectedPlant = 3;
        SiteMonitor site(SiteSettings{});
        TFAnzeige w;
        w.show();
        auto *band = Find<QLabel>(&w, "MemoryBand");
        auto *readout = Find<QLabel>(&w, "StatusMemory");
        auto alarms = [&] {
            QStringList out;
            for (const SiteMessage &m : site.Tick())
                if (m.Topic.endsWith("/alarm"))
                    out << QString::fromUtf8(m.Payload);
            return out;
        };
        w.DispTimerOnTimer();
        QVERIFY(alarms().isEmpty());
        QVERIFY(readout->isVisible() && !band->isVisible());
        QCOMPARE(readout->text(), QString("Tägliches Auslesen: AUS"));
        now = now.addSecs(99 * 15 * 60);
        w.DispTimerOnTimer();
        QVERIFY(!band->isVisible());
        now = now.addSecs(15 * 60);
        w.DispTimerOnTimer();
        QVERIFY(band->isVisible());
        QCOMPARE(band->text(), QString("Speicher von Anlage 3 zu 80 % voll – bitte auslesen"));
        const QStringList told = alarms();
        QVERIFY2(told.size() == 1 && told[0].contains("memory_filling") && told[0].contains("zu 80 % voll"), qPrintable(told.join('\n')));
        QVERIFY(alarms().isEmpty());
        Settings().ReadoutHour = 6;
        Plants().PlantTable[3].Stored = 0;                  // read out
        w.DispTimerOnTimer();
        QVERIFY(!band->isVisible() && !readout->isVisible());
        SetPilesClock({});
    }

    // A lost line looks lost: the band, grey tabs, no pile actions and no mode
    // tabs, each saying why; all back once the line is.
    void lostLineIsShown()
    {
        Plants().PlantTable[5].Present = 1;
        Plants().PlantTable[5].Running = 1;
        Plants().PlantTable[5].MemStatus = 1;
        Plants().SelectedPlant = 5;
        TFAnzeige w;
        w.show();
        auto *band = Find<QLabel>(&w, "LineBand");
        QVERIFY(!band->isVisible() && Enabled(&w, "Mietebeenden1"));
        LinkValues().LinkOpen = false;
        w.DispTimerOnTimer();
        QVERIFY(band->isVisible());
        QVERIFY2(band->text().startsWith("Verbindung zu COM1 verloren seit ") && band->text().endsWith("neuer Versuch alle 3 s"),
                 qPrintable(band->text()));
        QVERIFY(!Enabled(&w, "Mietebeenden1") && !Find<QTabBar>(&w, "BetriebsArtTab")->isEnabled());
        QCOMPARE(Find<QAction>(&w, "Mietebeenden1")->toolTip(), band->text());
        QVERIFY(!Find<TLedLabel>(&w, "MEMLabel")->IsLit());
        LinkValues().LinkOpen = true;
        w.DispTimerOnTimer();
        QVERIFY(!band->isVisible() && Enabled(&w, "Mietebeenden1") && Find<QTabBar>(&w, "BetriebsArtTab")->isEnabled());
    }

    void noPlantPresent()
    {
        TFAnzeige w;
        auto *tabs = Find<PlantTabBar>(&w, "TabControl1");
        QCOMPARE(tabs->Count(), MaxPlants);
        for (int i = 0; i < MaxPlants; ++i) {
            tabs->SetCurrentIndex(i);
            QCOMPARE(int(Plants().SelectedPlant), i + 1);
            QCOMPARE(Name(&w), QStringLiteral("KEINE ANLAGE ANGESCHLOSSEN!!"));
            for (const char *a : {"Mieteneustarten1", "Mietefortfuehren1", "Mietebeenden1", "Zeiten1", "Datumsetzen1"})
                QVERIFY2(!Enabled(&w, a), a);
        }
        QVERIFY(Enabled(&w, "OfflineDatenauslesen1"));
        w.ShowGrid();
        for (int n = 1; n <= MaxPlants; ++n)
            for (int c = 1; c <= 6; ++c)
                QCOMPARE(w.Grid()->Cells(c, n), QStringLiteral("---"));
        QCOMPARE(w.StatusPanelText(0), QStringLiteral("Datei:"));
        QCOMPARE(w.StatusPanelText(1), QString());
        QCOMPARE(w.StatusPanelText(3), QString());
    }

    void plantStatesFollowSelection()
    {
        Plants().PlantTable[2].Present = 1;
        Plants().PlantTable[2].MemStatus = 1;
        Plants().PlantTable[2].Datei = QStringLiteral("/daten/Miete_1.CSV");
        Plants().PlantTable[2].Anzahl = 17;
        Plants().PlantTable[5].Present = 1;
        Plants().PlantTable[5].Running = 1;
        Plants().PlantTable[5].Name = QStringLiteral("Nordmiete");
        TFAnzeige w;
        auto *tabs = Find<PlantTabBar>(&w, "TabControl1");
        auto *mem = Find<TLedLabel>(&w, "MEMLabel");

        tabs->SetCurrentIndex(1);
        QCOMPARE(Name(&w), QStringLiteral("Angeschlossene ANLAGE ist abgeschaltet!!"));
        QVERIFY(Enabled(&w, "Mieteneustarten1"));
        QVERIFY(Enabled(&w, "Mietefortfuehren1"));
        QVERIFY(!Enabled(&w, "Mietebeenden1"));
        QVERIFY(Enabled(&w, "Zeiten1") && Enabled(&w, "Datumsetzen1"));
        QVERIFY(mem->IsLit());
        QCOMPARE(w.StatusPanelText(1), Plants().PlantTable[2].Datei);
        QCOMPARE(w.StatusPanelText(3), QStringLiteral("17"));

        tabs->SetCurrentIndex(4);
        QCOMPARE(Name(&w), QStringLiteral("Nordmiete"));
        QVERIFY(!Enabled(&w, "Mieteneustarten1") && !Enabled(&w, "Mietefortfuehren1"));
        QVERIFY(Enabled(&w, "Mietebeenden1"));
        QVERIFY(!mem->IsLit());
        QCOMPARE(w.StatusPanelText(3), QStringLiteral("0"));

        tabs->SetCurrentIndex(0);       // back to an absent plant: nothing stale remains
        QCOMPARE(Name(&w), QStringLiteral("KEINE ANLAGE ANGESCHLOSSEN!!"));
        QVERIFY(!mem->IsLit() && !Enabled(&w, "Mietebeenden1") && !Enabled(&w, "Zeiten1"));
        QCOMPARE(w.StatusPanelText(1), QString());
    }

    void instrumentsAndGrid_data()
    {
        QTest::addColumn<bool>("imperial");
        QTest::newRow("metric") << false;
        QTest::newRow("imperial") << true;
    }
    void instrumentsAndGrid()
    {
        QFETCH(bool, imperial);
        Plants().ImperialUnits = imperial;
        BuildRefCaption();
        Plants().LiveTable[1] = Values(60, 50, 45, 40, -7);
        QCOMPARE(Plants().LiveTable[1].RefMarke, 87);
        TFAnzeige w;
        w.ShowPlant();
        w.ShowGridRow(1);
        auto *t100 = Find<TLedNumber>(&w, "T1Anz");
        auto *t0 = Find<TLedNumber>(&w, "T5Anz");
        auto *gauge = Find<TBarGauge>(&w, "T55Anz");
        QCOMPARE(t100->Text().trimmed(), imperial ? QStringLiteral("140") : QStringLiteral("60"));
        QCOMPARE(t0->Text().trimmed(), imperial ? QStringLiteral("20") : QStringLiteral("-7"));
        QCOMPARE(Find<TLedNumber>(&w, "T3Anz")->Text().trimmed(), imperial ? QStringLiteral("113") : QStringLiteral("45"));
        QCOMPARE(t100->Unit(), imperial ? QStringLiteral("°F") : QStringLiteral("°C"));
        QCOMPARE(gauge->Value(), imperial ? 34 : 87);
        QCOMPARE(gauge->Maximum(), imperial ? 39 : 100);
        QCOMPARE(gauge->Unit(), imperial ? QStringLiteral("in") : QStringLiteral("cm"));
        QCOMPARE(gauge->Caption(), Plants().RefCaption);
        QCOMPARE(w.Grid()->Cells(6, 0), Plants().RefCaption);
        QCOMPARE(w.Grid()->Cells(6, 1), imperial ? QStringLiteral("34") : QStringLiteral("87"));
        QCOMPARE(Find<TLedNumber>(&w, "O2Anz")->Text().trimmed(), QStringLiteral("20.5"));
        QCOMPARE(Find<TLedNumber>(&w, "LaufzeitAnz")->Text().trimmed(), QStringLiteral("1234"));
        QCOMPARE(w.Grid()->Cells(1, 1), QStringLiteral("EIN"));
        QCOMPARE(w.Grid()->Cells(2, 1), QStringLiteral("20.5"));
        QCOMPARE(w.Grid()->Cells(3, 1), QStringLiteral("O2-Regelung"));
        QCOMPARE(w.Grid()->Cells(4, 1), QStringLiteral("1234"));
        QCOMPARE(w.Grid()->Cells(5, 1), QStringLiteral("56"));
        QVERIFY(!Find<TPicture>(&w, "Luft1")->isHidden());
    }

    void oxygenUsesSystemDecimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Plants().LiveTable[3] = Values(60, 60, 60, 60, 60);
        Plants().LiveTable[3].O2 = 7;
        TFAnzeige w;
        w.ShowGridRow(3);
        QCOMPARE(w.Grid()->Cells(2, 3), QStringLiteral("0,7"));
        QCOMPARE(w.Grid()->Cells(6, 3), QStringLiteral("0"));     // all above RefTemp
    }

    void modesLampAndTabs()
    {
        Plants().LiveTable[1] = Values(60, 50, 40, 30, 20);
        TFAnzeige w;
        auto *lamp = Find<TLedLabel>(&w, "SteuerLED");
        auto *modes = Find<QTabBar>(&w, "BetriebsArtTab");
        QCOMPARE(modes->count(), 4);
        QCOMPARE(modes->tabText(3), QStringLiteral("O2- Regelung"));
        const struct { int mode; bool lit; int tab; const char *grid; } cases[] = {
            {0, false, 0, "Manuell- AUS"}, {1, false, 1, "Manuell- EIN"}, {2, false, 2, "Intervall"},
            {4, true, 3, "Steuerbetrieb"}, {3, false, 3, "O2-Regelung"}, {9, true, 3, "O2-Regelung"},
        };
        for (const auto &c : cases) {
            Plants().LiveTable[1].Betriebsart = quint8(c.mode);
            w.ShowPlant();
            w.ShowGridRow(1);
            QCOMPARE(lamp->IsLit(), c.lit);
            QCOMPARE(modes->currentIndex(), c.tab);
            QCOMPARE(w.Grid()->Cells(3, 1), QString::fromUtf8(c.grid));
        }
    }

    void modeTabRefusesUserChange()
    {
        Plants().PlantTable[1].Present = 1;
        Plants().LiveTable[1] = Values(60, 50, 40, 30, 20);
        Plants().LiveTable[1].Betriebsart = ModeInterval;
        TFAnzeige w;
        w.ShowPlant();
        auto *modes = Find<QTabBar>(&w, "BetriebsArtTab");
        modes->setCurrentIndex(0);      // as a click would
        QCOMPARE(modes->currentIndex(), 2);
        Plants().PlantTable[1].Running = 1;
        QVERIFY(w.BetriebsArtTabChanging());
        modes->setCurrentIndex(1);      // no line: the change is not confirmed, the tab goes back
        QCOMPARE(modes->currentIndex(), 2);
    }

    void displayOffset()
    {
        Settings().DisplayOffset = 10;
        TFAnzeige w;
        auto *tabs = Find<PlantTabBar>(&w, "TabControl1");
        for (int n = 1; n <= MaxPlants; ++n) {
            QCOMPARE(w.Grid()->Cells(0, n), QStringLiteral("Anl %1").arg(n + 10));
            QCOMPARE(w.StatusGrid()->Cells(0, n), QStringLiteral("Anl %1").arg(n + 10));
            QCOMPARE(tabs->TabText(n - 1), QString::number(n + 10));
        }
        QCOMPARE(w.Grid()->RowCount(), 33);
        QCOMPARE(w.Grid()->ColCount(), 7);
        tabs->SetCurrentIndex(8);
        QCOMPARE(int(Plants().SelectedPlant), 9);
        tabs->SetCurrentIndex(0);
        QCOMPARE(int(Plants().SelectedPlant), 1);
    }

    void invalidSwitchesInstrumentsOff()
    {
        Plants().LiveTable[1] = Values(60, 50, 40, 30, 20);
        TFAnzeige w;
        w.ShowPlant();
        auto *t = Find<TLedNumber>(&w, "T1Anz");
        QVERIFY(t->IsOn());
        Plants().LiveTable[1].Valid = 0;
        w.ShowPlant();
        w.ShowGridRow(1);
        for (const char *n : {"T1Anz", "T2Anz", "T3Anz", "T4Anz", "T5Anz", "O2Anz", "LaufzeitAnz", "ZyklenAnz"})
            QVERIFY2(!Find<TLedNumber>(&w, n)->IsOn(), n);
        QVERIFY(!Find<TBarGauge>(&w, "T55Anz")->IsOn());    // not "0 cm", which reads as hot all through
        QVERIFY(Find<TPicture>(&w, "Luft1")->isHidden());
        QCOMPARE(w.Grid()->Cells(1, 1), QStringLiteral("---"));
        QCOMPARE(w.Grid()->Cells(6, 1), QStringLiteral("---"));
    }

    void referenceDepthHidden()
    {
        Settings().ShowRefDepth = false;
        TFAnzeige w;
        QVERIFY(Find<TBarGauge>(&w, "T55Anz")->isHidden());
        QCOMPARE(w.Grid()->Cells(6, 0), QString());
        QVERIFY(w.Grid()->isColumnHidden(5));
    }

    void tickHeartbeatAndTimers()
    {
        TLink link;
        TFAnzeige w;
        DispHeartbeat = 9;
        w.DispTimerOnTimer();
        QCOMPARE(DispHeartbeat, 10);
        w.DispTimerOnTimer();
        QCOMPARE(DispHeartbeat, 1);
        QCOMPARE(w.findChild<QProgressBar *>(QStringLiteral("Progressbar1"))->value(), 1);
        w.StartTimer();
        QVERIFY(w.DispTimer()->isActive());
        QCOMPARE(w.DispTimer()->interval(), 1000);
        QVERIFY(link.LeseTimer()->isActive());
        w.StopTimer();
        QVERIFY(!w.DispTimer()->isActive());
        QVERIFY(!link.LeseTimer()->isActive());
    }

    void showingActivatesSelectedPlant()
    {
        Plants().PlantTable[7].Present = 1;
        Plants().PlantTable[7].Mode = ModeFanOn;
        Plants().SelectedPlant = 7;
        TFAnzeige w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Find<PlantTabBar>(&w, "TabControl1")->CurrentIndex(), 6);
        QCOMPARE(Find<QTabBar>(&w, "BetriebsArtTab")->currentIndex(), 1);
        QVERIFY(w.DispTimer()->isActive());
        QCOMPARE(Name(&w), QStringLiteral("Angeschlossene ANLAGE ist abgeschaltet!!"));
    }

    void statusGridToggles()
    {
        TFAnzeige w;
        w.show();
        QVERIFY(w.StatusGrid()->isHidden());
        QCOMPARE(w.StatusGrid()->Cells(1, 0), QStringLiteral("Speicherstatus"));
        Find<QAction>(&w, "Speicherstatus1")->trigger();
        QVERIFY(w.StatusGrid()->isVisible());
        QTest::mouseClick(w.StatusGrid()->viewport(), Qt::LeftButton);
        QVERIFY(w.StatusGrid()->isHidden());
    }

    void setupReadTimeoutShowsMessageAndResumes()
    {
        TLink link;                     // no port opened: the read times out
        LinkValues().SetupTimeout = 20;
        Plants().PlantTable[1].Present = 1;
        QStringList shown;
        SetMessageHandler([&](MsgKind, const QString &text) { shown << text; return MsgAnswer::Ok; });
        TFAnzeige w;
        Find<QAction>(&w, "Zeiten1")->trigger();
        QCOMPARE(shown, QStringList{TimeoutMessage()});
        QVERIFY(w.DispTimer()->isActive());
        QVERIFY(link.LeseTimer()->isActive());
        LinkValues().SetupTimeout = 600;
    }

    void languageChangeKeepsRuntimeTexts()
    {
        Plants().ImperialUnits = true;
        BuildRefCaption();
        TFAnzeige w;
        w.StatusGrid()->SetCells(1, 0, QStringLiteral("Sicherung am 08.12.26 06:00:00"));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&w, &change);
        QCOMPARE(Find<TLedNumber>(&w, "T5Anz")->Unit(), QStringLiteral("°F"));
        QCOMPARE(Find<TBarGauge>(&w, "T55Anz")->Caption(), Plants().RefCaption);
        QCOMPARE(Find<TBarGauge>(&w, "T55Anz")->Maximum(), 39);
        QCOMPARE(w.Grid()->Cells(6, 0), Plants().RefCaption);
        QCOMPARE(w.Grid()->Cells(3, 0), QStringLiteral("Betriebsart"));
        QCOMPARE(w.StatusGrid()->Cells(1, 0), QStringLiteral("Sicherung am 08.12.26 06:00:00"));
        QCOMPARE(Find<QAction>(&w, "Mieteneustarten1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(Find<QTabBar>(&w, "BetriebsArtTab")->tabText(0), QStringLiteral("Lüfter AUS"));
    }

    void aboutBoxAndClosing()
    {
        TFAnzeige w;
        w.show();
        QString title;
        QTimer::singleShot(0, [&] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                title = box->windowTitle();
                box->close();
            }
        });
        Find<QAction>(&w, "About1")->trigger();
        QCOMPARE(title, QStringLiteral("Info"));
        QVERIFY(w.DispTimer()->isActive());
        Find<QAction>(&w, "Ende1")->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.DispTimer()->isActive());
    }

    // Opens at its designed size, shrinks no further than its contents allow, and
    // that fits a 1024 × 768 screen.
    void designedSizeAndLeast()
    {
        TFAnzeige w;
        const QSize designed = w.size();
        // The designed 1100 × 740, or what of it the screen's free area holds.
        const QSize room = w.screen()->availableGeometry().size() - QSize(8, 32);
        QCOMPARE(designed, QSize(1100, 740).boundedTo(room).expandedTo(w.minimumSize()));
        QVERIFY(w.minimumSize().width() <= 1024 && w.minimumSize().height() <= 768);
        w.show();
        w.resize(400, 300);
        QCOMPARE(w.size(), w.minimumSize());
        w.resize(designed + QSize(200, 100));
        QCOMPARE(w.size(), designed + QSize(200, 100));
        QCOMPARE(w.palette().color(QPalette::Window), QColor(240, 240, 240));
        QCOMPARE(w.windowTitle(), QStringLiteral("Kompost- Messwerterfassung"));
    }
};

QTEST_MAIN(TestAnzeige)
#include "tst_anzeige.moc"
