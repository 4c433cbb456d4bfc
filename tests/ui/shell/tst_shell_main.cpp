// Main window start-up, discovery, readout time dialog, placement and closing,
// against simulated plants on an in-process line.

#include "dialogs/UZeitSelect.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "piles/Discovery.h"
#include "link/Port.h"
#include "plantsim/Bus.h"
#include "settings/SettingsFile.h"
#include "dialogs/UAktiv.h"
#include "shell/UMain.h"
#include "widgets/MessageBox.h"
#include "widgets/Picture.h"
#include "support/SharedState.h"
#include "support/Files.h"
#include "support/SimLine.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using support::Plant;

// Every plant answers, so no status read waits for its time-out.
QList<plantsim::PlantConfig> AllPlants(const QList<int> &running = {})
{
    QList<plantsim::PlantConfig> plants;
    for (int n = 1; n <= 32; ++n)
        plants.append(Plant(n, running.contains(n)));
    return plants;
}

// One program start in a temporary home folder with simulated plants on the line.
struct Rig {
    support::SharedStateGuard guard;
    QTemporaryDir home;
    std::unique_ptr<plantsim::Bus> bus;
    LoopbackPort *port = nullptr;
    std::unique_ptr<TFMain> main;
    QStringList messages;
    std::function<void(const QString &)> onMessage;

    Rig()
    {
        LinkValues().BaseTimeout = 10;       // silent plants cost 2 × this each
        SetProgramFolder(home.path());
        SetMessageHandler([this](MsgKind, const QString &text) {
            messages.append(text);
            if (onMessage)
                onMessage(text);
            return MsgAnswer::Ok;
        });
    }
    ~Rig()
    {
        main.reset();
        bus.reset();
    }

    QString IniPath() const { return home.filePath(QStringLiteral("Haldrix.ini")); }
    void WriteIni(const QByteArray &text) const
    {
        QByteArray crlf = text;
        crlf.replace("\n", "\r\n");
        QVERIFY(support::WriteAll(IniPath(), crlf));
    }
    QByteArray Ini() const { return support::ReadAll(IniPath()); }

    void Start(const QList<plantsim::PlantConfig> &plants, bool portExists = true)
    {
        plantsim::BusConfig config;
        config.plants = plants;
        bus = std::make_unique<plantsim::Bus>(config);
        auto line = std::make_unique<LoopbackPort>();
        port = line.get();
        port->SetExists(portExists);
        support::WireToBus(port, bus.get());
        main = std::make_unique<TFMain>(nullptr, std::move(line));
    }
};

// Plant numbers of the status reads ("B" frames) in the order they went out.
QList<int> ModeReads(const QByteArray &written)
{
    QList<int> plants;
    for (int i = 0; i + 1 < written.size(); ++i) {
        const auto b = quint8(written[i]);
        if (b >= 1 && b <= 32 && written[i + 1] == 'B') {
            plants.append(b);
            ++i;
        }
    }
    return plants;
}

// Runs body once the readout time dialog is up, then lets exec() return.
void WithReadoutDialog(TFMain *main, const std::function<void(TFZeitSelect *)> &body)
{
    bool seen = false;
    QTimer::singleShot(0, main, [&] {
        auto *dialog = qobject_cast<TFZeitSelect *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        body(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    main->Speicherzeit1Click();
    QVERIFY(seen);
}

} // namespace

class TestShellMain : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;

private slots:
    void initTestCase()
    {
        // The language choice must not land in the real user's settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userSettings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
    }

    void firstStartWithoutSettingsFile()
    {
        Rig rig;
        rig.Start({Plant(2, true), Plant(5, false)});
        QCOMPARE(rig.main->windowTitle(), QStringLiteral("O2- Haldrix-1 .. 32"));
        QCOMPARE(rig.main->StatusPanel()->text(), QStringLiteral("Serielle Verbindung auf :COM1"));
        QCOMPARE(LinkValues().ComNumber, quint16(1));
        QCOMPARE(Plants().PlantCount, quint16(32));
        QVERIFY(rig.messages.isEmpty());
        QVERIFY(rig.main->isVisible());
        QVERIFY(rig.main->isEnabled());
        QVERIFY(!rig.main->Anzeige1()->isVisible());
        QCOMPARE(Plants().SelectedPlant, quint16(2));
        QVERIFY(!Settings().LearnRequest);
        QCOMPARE(Plants().PlantTable[2].Pfad, Settings().ProgramFolder);
        QVERIFY(rig.main->Link()->LeseTimer()->isActive());
        QCOMPARE(LinkValues().PollPlant, quint16(1));
        // Every plant asked once or twice, strictly ascending.
        QList<int> asked = ModeReads(rig.port->Written());
        QList<int> ascending = asked;
        std::sort(ascending.begin(), ascending.end());
        QCOMPARE(asked, ascending);
        QCOMPARE(asked.first(), 1);
        QCOMPARE(asked.last(), 32);
    }

    void discoveryOfPlants3And7()
    {
        Rig rig;
        rig.WriteIni("[4]\nDatei=/data/old.CSV\nAnzahl=12\n[7]\nName=Miete7\n");
        rig.Start({Plant(3, false, 4), Plant(7, true, 4)});
        QCOMPARE(Plants().SelectedPlant, quint16(3));
        for (int n = 1; n <= 32; ++n)
            QCOMPARE(bool(Plants().PlantTable[n].Present), n == 3 || n == 7);
        QVERIFY(!Plants().PlantTable[3].Running);
        QVERIFY(Plants().PlantTable[7].Running);
        // Control mode is held as O2 regulation.
        QCOMPARE(int(Plants().PlantTable[3].Mode), 3);
        QCOMPARE(int(Plants().PlantTable[7].Mode), 3);
        QCOMPARE(Plants().PlantTable[7].Name, QStringLiteral("Miete7"));
        // An absent plant keeps its pile's file: it is missing, not forgotten.
        QVERIFY(PlantMissing(4) && !PlantMissing(5));
        QCOMPARE(Plants().PlantTable[4].Datei, QStringLiteral("/data/old.CSV"));
        QCOMPARE(Plants().PlantTable[4].Anzahl, 12);
        QVERIFY(rig.Ini().contains("Datei=/data/old.CSV"));
    }

    // No plant answered: the status panel says so instead of reading as if all were
    // well. "Anlagen einlernen" opens a port that was closed before it learns.
    void noPlantFoundAndLearningReopens()
    {
        Rig rig;
        rig.WriteIni("");
        rig.Start({Plant(3, true)}, false);
        QVERIFY(!LinkValues().LinkOpen);
        rig.port->SetExists(true);
        rig.bus->GetPlant(3)->GetFaults().muteAfter = 0;
        rig.main->findChild<QAction *>("Lernen1")->trigger();
        QVERIFY(LinkValues().LinkOpen);
        QVERIFY(ModeReads(rig.port->Written()).contains(3));
        QCOMPARE(rig.main->StatusPanel()->text(), QStringLiteral("Keine Anlage gefunden!\nBitte Kabel und Anlagen überprüfen!"));
        rig.bus->GetPlant(3)->GetFaults().muteAfter = -1;
        rig.main->findChild<QAction *>("Lernen1")->trigger();
        QVERIFY(Plants().PlantTable[3].Present);
        QCOMPARE(rig.main->StatusPanel()->text(), QStringLiteral("Serielle Verbindung auf :COM1"));
    }

    void runningPileFileNames()
    {
        Rig rig;
        rig.WriteIni("[1]\nName=Alt\nDatei=/data/Alt_01-01-2026.CSV\nAnzahl=17\n"
                     "[3]\nDatei=/data/stale.CSV\nAnzahl=5\n");
        rig.Start({Plant(1, true), Plant(2, true), Plant(3, false)});
        // Polling starts with a live request to plant 1 right after discovery.
        QVERIFY(rig.port->Written().endsWith("\x01" "c"));
        // A running pile keeps its file across a restart of the program.
        QCOMPARE(Plants().PlantTable[1].Datei, QStringLiteral("/data/Alt_01-01-2026.CSV"));
        QCOMPARE(Plants().PlantTable[1].Anzahl, 17);
        // A running pile without one gets a new name, stored with Anzahl 0.
        const QString made = Plants().PlantTable[2].Datei;
        QVERIFY(made.contains(QStringLiteral("Anl-Nr2_")));
        QVERIFY(made.endsWith(QStringLiteral(".CSV")));
        TSettingsFile reread(rig.IniPath());
        QCOMPARE(reread.ReadString(QStringLiteral("2"), QStringLiteral("Datei"), QString()), made);
        QCOMPARE(reread.ReadInteger(QStringLiteral("2"), QStringLiteral("Anzahl"), -1), 0);
        // A plant without a pile is cleared in the table; the file keeps its values.
        QVERIFY(Plants().PlantTable[3].Datei.isEmpty());
        QCOMPARE(Plants().PlantTable[3].Anzahl, 0);
        QCOMPARE(reread.ReadString(QStringLiteral("3"), QStringLiteral("Datei"), QString()), QStringLiteral("/data/stale.CSV"));
    }

    void startupReadsSettingsBeforeTheLine()
    {
        Rig rig;
        rig.WriteIni("[COM]\nDISPOFFSET=11\nZEIT=30\nMetric=1\nREFTEMP=60\nSHOWREF=0\nTIMEOUT=25\n");
        QString titleAtMessage, statusAtMessage;
        bool visibleAtMessage = false;
        rig.onMessage = [&](const QString &) {
            titleAtMessage = FMain->windowTitle();
            statusAtMessage = FMain->StatusPanel()->text();
            visibleAtMessage = FMain->isVisible();
        };
        rig.Start({Plant(1, false)}, /*portExists=*/false);
        QCOMPARE(rig.messages, QStringList{QStringLiteral("Fehler beim Öffnen der seriellen Schnittstelle !\nBitte überprüfen!!")});
        // Title and visibility come before the line; the status text after the message.
        QCOMPARE(titleAtMessage, QStringLiteral("O2- Haldrix-11 .. 42"));
        QCOMPARE(Settings().DisplayOffset, 10);
        QVERIFY(visibleAtMessage);
        QVERIFY(statusAtMessage.isEmpty());
        QCOMPARE(rig.main->StatusPanel()->text(), QStringLiteral("Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!"));
        QCOMPARE(Settings().ReadoutHour, 0);           // out of range reads as off
        QVERIFY(!Settings().ReadoutEnabled);
        QVERIFY(Plants().ImperialUnits);
        QCOMPARE(Plants().RefTemp, 60.0);
        QVERIFY(!Settings().ShowRefDepth);
        QCOMPARE(LinkValues().BaseTimeout, quint16(25));
        QVERIFY(!Plants().RefCaption.isEmpty());
        // No link: discovery is skipped, stays due, and the menus stay usable.
        QVERIFY(Settings().LearnRequest);
        QVERIFY(rig.main->isEnabled());
        QVERIFY(rig.port->Written().isEmpty());
        rig.main->Lernen1Click();
        QVERIFY(Settings().LearnRequest);
        QVERIFY(rig.port->Written().isEmpty());
        QVERIFY(!rig.main->Link()->LeseTimer()->isActive());
    }

    void zeroTimeoutKeepsDefault()
    {
        Rig rig;
        rig.WriteIni("[COM]\nTIMEOUT=65536\n");     // 0 after the 16-bit cut
        rig.Start(AllPlants());
        QCOMPARE(LinkValues().BaseTimeout, quint16(10));
    }

    // A hand-edited value out of range is refused by name, not taken (TIMEOUT=-1
    // once made the start-up take an hour).
    void outOfRangeSettingsAreRefusedByName()
    {
        Rig rig;
        rig.WriteIni("[COM]\nTIMEOUT=-1\nZEIT=25\n");
        // The message must not hold the start-up: it comes after the plants were learned.
        bool learnedBefore = false;
        rig.onMessage = [&](const QString &) { learnedBefore = !Settings().LearnRequest && !TLink::Instance()->LineBusy(); };
        rig.Start(AllPlants());
        QCOMPARE(LinkValues().BaseTimeout, quint16(10));
        QCOMPARE(Settings().ReadoutHour, 0);
        QTRY_VERIFY(rig.messages.join('\n').contains("[COM] TIMEOUT=-1 liegt nicht im Bereich 20 bis 5000"));
        QVERIFY(rig.messages.join('\n').contains("[COM] ZEIT=25 liegt nicht im Bereich 0 bis 24"));
        QVERIFY(learnedBefore);
    }

    void rediscoveryAfterPlantsChanged()
    {
        Rig rig;
        rig.Start(AllPlants({3, 7}));
        QCOMPARE(Plants().SelectedPlant, quint16(1));
        rig.bus->GetPlant(3)->SwitchOff();
        rig.main->Lernen1Click();
        QVERIFY(!Settings().LearnRequest);
        QVERIFY(Plants().PlantTable[3].Present);
        QVERIFY(!Plants().PlantTable[3].Running);
        QVERIFY(Plants().PlantTable[3].Datei.isEmpty());
        QVERIFY(!Plants().PlantTable[7].Datei.isEmpty());
        QVERIFY(rig.main->Link()->LeseTimer()->isActive());
        QVERIFY(rig.main->isEnabled());
    }

    void readoutTimeDialog()
    {
        Rig rig;
        rig.WriteIni("[COM]\nZEIT=6\n");
        rig.Start(AllPlants());
        QCOMPARE(Settings().ReadoutHour, 6);
        const QByteArray before = rig.Ini();

        // Abbruch writes nothing.
        WithReadoutDialog(rig.main.get(), [&](TFZeitSelect *d) {
            QCOMPARE(d->PressedButton(), 7);
            QCOMPARE(d->pos(), rig.main->pos() + QPoint(100, 50));
            d->SetPressedButton(1);
            d->findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        });
        QCOMPARE(rig.Ini(), before);
        QCOMPARE(Settings().ReadoutHour, 6);

        // OK with the stored hour writes nothing.
        WithReadoutDialog(rig.main.get(), [](TFZeitSelect *d) {
            d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        QCOMPARE(rig.Ini(), before);

        // OK with every button up keeps the stored hour.
        WithReadoutDialog(rig.main.get(), [](TFZeitSelect *d) {
            d->SetPressedButton(0);
            QCOMPARE(d->PressedButton(), 0);
            d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        QCOMPARE(rig.Ini(), before);
        QCOMPARE(Settings().ReadoutHour, 6);
        QVERIFY(Settings().ReadoutEnabled);

        // OFF writes ZEIT=0 and switches the readout off.
        WithReadoutDialog(rig.main.get(), [](TFZeitSelect *d) {
            d->SetPressedButton(1);
            d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        QCOMPARE(Settings().ReadoutHour, 0);
        QVERIFY(!Settings().ReadoutEnabled);
        QVERIFY(rig.Ini().contains("ZEIT=0\r\n"));

        // Hour 24: the coming midnight.
        WithReadoutDialog(rig.main.get(), [](TFZeitSelect *d) {
            QCOMPARE(d->PressedButton(), 1);
            d->SetPressedButton(25);
            d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        QCOMPARE(Settings().ReadoutHour, 24);
        QVERIFY(Settings().ReadoutEnabled);
        QCOMPARE(Settings().NextReadout, QDateTime(QDate::currentDate().addDays(1), QTime(0, 0)));
        TSettingsFile reread(rig.IniPath());
        QCOMPARE(reread.ReadInteger(QStringLiteral("COM"), QStringLiteral("ZEIT"), -1), 24);
    }

    void placementSavedAtCloseAndFittedAtStart()
    {
        const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
        {
            Rig rig;
            rig.Start(AllPlants({1}));
            const QSize designed = rig.main->size();
            QVERIFY(designed.width() < desktop.width());
            rig.main->move(33, 44);
            rig.main->close();
            // Closing frees the settings file, stops polling and closes the line.
            QVERIFY(!Settings().SettingsFile);
            QVERIFY(!rig.main->Link()->LeseTimer()->isActive());
            QVERIFY(!rig.port->IsOpen());
            TSettingsFile reread(rig.IniPath());
            QCOMPARE(reread.ReadInteger(QStringLiteral("Form"), QStringLiteral("Left"), -1), 33);
            QCOMPARE(reread.ReadInteger(QStringLiteral("Form"), QStringLiteral("Top"), -1), 44);
            QCOMPARE(reread.ReadInteger(QStringLiteral("Form"), QStringLiteral("Width"), -1), designed.width());
            QCOMPARE(reread.ReadInteger(QStringLiteral("Form"), QStringLiteral("State"), -1), 0);
        }
        {
            Rig rig;
            rig.WriteIni("[Form]\nLeft=200\nTop=-40\nWidth=5000\nHeight=10\nState=0\n");
            rig.Start(AllPlants());
            QCOMPARE(rig.main->width(), desktop.width());
            QVERIFY(rig.main->x() <= 0);
            QCOMPARE(rig.main->y(), -40);           // no lower bound
            QVERIFY(rig.main->height() >= rig.main->minimumSizeHint().height() || rig.main->height() == desktop.height());
        }
    }

    void closeDuringDiscoveryWaitsForIt()
    {
        Rig rig;
        bool closeTried = false;
        QTimer::singleShot(30, [&] {
            closeTried = true;
            QVERIFY(FMain->Discovering());
            FMain->close();
            QVERIFY(Settings().SettingsFile);          // still in use by the discovery
        });
        rig.Start({Plant(1, false), Plant(32, true)});
        QVERIFY(closeTried);
        QVERIFY(Plants().PlantTable[32].Present);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.main->isVisible(), 2000);
        QVERIFY(!Settings().SettingsFile);
    }

    void partnerLogoFromHomeFolder()
    {
        auto picture = [](Rig &rig) { return rig.main->findChild<TPicture *>(QStringLiteral("PartnerLogo")); };
        {
            Rig rig;
            QImage logo(40, 20, QImage::Format_RGB32);
            logo.fill(Qt::red);
            QVERIFY(logo.save(rig.home.filePath(QStringLiteral("komplogo.bmp")), "BMP"));
            rig.Start(AllPlants());
            QCOMPARE(picture(rig)->Source(), rig.home.filePath(QStringLiteral("komplogo.bmp")));
        }
        {
            Rig rig;
            QFile broken(rig.home.filePath(QStringLiteral("KompLogo.BMP")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("not a picture");
            broken.close();
            rig.Start(AllPlants());
            QCOMPARE(picture(rig)->Source(), QStringLiteral(":/pictures/partner.svg"));
        }
    }

    void busyWindowPlacement()
    {
        QWidget owner;
        owner.setGeometry(100, 200, 601, 401);
        TFAktiv busy;
        QCOMPARE(busy.size(), QSize(296, 113));
        QVERIFY(busy.windowFlags() & Qt::FramelessWindowHint);
        busy.CancelRequested = true;
        busy.ShowProgress(&owner, 57);
        QVERIFY(!busy.CancelRequested);
        QCOMPARE(busy.pos(), QPoint(100 + 300 - 100, 200 + 200 - 50));
        QCOMPARE(busy.ProgressBar1()->maximum(), 57);
        QCOMPARE(busy.ProgressBar1()->value(), 1);
        QVERIFY(busy.isVisible());
        QVERIFY(!busy.isModal());
        QTest::mouseClick(busy.findChild<QLabel *>(QStringLiteral("StaticText1")), Qt::LeftButton);
        QVERIFY(busy.CancelRequested);

        // Reused: the next readout starts with a cleared request, placed by its owner.
        owner.move(-300, 10);
        busy.ShowProgress(&owner, 3);
        QVERIFY(!busy.CancelRequested);
        QCOMPARE(busy.pos(), QPoint(-300 + 300 - 100, 10 + 200 - 50));
    }
};

QTEST_MAIN(TestShellMain)
#include "tst_shell_main.moc"
