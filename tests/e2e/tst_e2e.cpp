// End to end: the program and the plant simulator on a pseudo-terminal, checked
// through the simulator's trace of the line, the settings file and the windows.

#include "live/LiveGrid.h"
#include "live/UAnzeige.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "settings/SettingsFile.h"
#include "shell/UMain.h"
#include "widgets/LedNumber.h"
#include "widgets/LedLabel.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include <QAction>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QSpinBox>
#include <QtTest>

#include "support/Broker.h"
#include "support/SharedState.h"
#include "support/Program.h"
#include "support/SimProcess.h"

namespace {

using support::Simulator;
using support::TraceLine;

using support::Find;
using support::FreshProgram;
using support::IniValue;

void WriteIni(const QTemporaryDir &home, const QString &text) { QVERIFY(support::WriteIni(home, text)); }

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
private:
    QStringList messages_;

private slots:
    void init()
    {
        support::ResetSharedState();
        messages_.clear();
        SetMessageHandler([this](MsgKind, const QString &text) {
            messages_ << text;
            return MsgAnswer::Ok;
        });
    }
    void cleanup() { support::ResetSharedState(); }

    // Only plants 3 and 7 answer; 7 runs a pile in control mode; plants are shown from 11.
    void discoveryOffsetAndLiveDisplay()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "3,7", "--running", "7", "--mode", "7:4"},
                          home.filePath(QStringLiteral("trace.txt"))));
        const QString staleFile = home.filePath(QStringLiteral("Ost_01.12.2026.CSV"));
        WriteIni(home, QStringLiteral("[COM]\nCOM=1\nDISPOFFSET=11\nTIMEOUT=40\n[Ports]\nCOM1=%1\n"
                                      "[3]\nName=Ost\nDatei=%2\nAnzahl=12\n").arg(sim.Pty(), staleFile));
        FreshProgram(home);

        TFMain main;
        QVERIFY(LinkValues().LinkOpen);
        QCOMPARE(main.windowTitle(), QStringLiteral("O2- Haldrix-11 .. 42"));
        QCOMPARE(int(Plants().SelectedPlant), 3);
        for (int n = 1; n <= MaxPlants; ++n)
            QCOMPARE(bool(Plants().PlantTable[n].Present), n == 3 || n == 7);
        QVERIFY(Plants().PlantTable[7].Running && !Plants().PlantTable[3].Running);
        QCOMPARE(int(Plants().PlantTable[7].Mode), 3);               // control mode is held as O2 control

        // The running pile without a file got one, written at once; the stopped
        // plant's old file is dropped from the table but stays in the settings.
        const QString newFile = IniValue(home, QStringLiteral("7"), QStringLiteral("Datei"));
        QVERIFY2(newFile.startsWith(home.path()) && newFile.endsWith(QLatin1String(".CSV")), qPrintable(newFile));
        QCOMPARE(Plants().PlantTable[7].Datei, newFile);
        QCOMPARE(IniValue(home, QStringLiteral("7"), QStringLiteral("Anzahl")), QStringLiteral("0"));
        QVERIFY(Plants().PlantTable[3].Datei.isEmpty());
        QCOMPARE(IniValue(home, QStringLiteral("3"), QStringLiteral("Datei")), staleFile);

        // Discovery asked plants 1..32 strictly in ascending order, "B" before "S".
        QList<int> firstAsked;
        for (const TraceLine &l : sim.Frames())
            if (l.frame == QLatin1String("B") && (firstAsked.isEmpty() || firstAsked.last() != l.plant))
                firstAsked << l.plant;
        QList<int> ascending;
        for (int n = 1; n <= MaxPlants; ++n)
            ascending << n;
        QCOMPARE(firstAsked, ascending);

        TFAnzeige live(&main);
        live.show();
        auto *tabs = Find<PlantTabBar>(&live, "TabControl1");
        auto *name = Find<QLabel>(&live, "MieteName");
        for (int n = 1; n <= MaxPlants; ++n) {
            QCOMPARE(tabs->TabText(n - 1), QString::number(n + 10));
            QCOMPARE(live.Grid()->Cells(0, n), QStringLiteral("Anl %1").arg(n + 10));
        }
        QCOMPARE(tabs->CurrentIndex(), 2);
        QCOMPARE(name->text(), QStringLiteral("Angeschlossene ANLAGE ist abgeschaltet!!"));

        // Set-up values of a present plant are read without a complaint, and the
        // set-up dialog opens with them.
        int shownInterval = -1;
        support::AnswerNextDialog([&](QDialog *d) {
            shownInterval = Find<QSpinBox>(d, "SpeicherEdit")->value();
            d->reject();
        });
        Find<QAction>(&live, "Zeiten1")->trigger();
        QCOMPARE(shownInterval, 60);
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('|')));
        bool setupRead = false;
        for (const TraceLine &l : sim.Frames())
            setupRead |= l.plant == 3 && l.frame == QLatin1String("R") && l.event == QLatin1String("RX");
        QVERIFY(setupRead);
        QVERIFY(live.DispTimer()->isActive() && main.Link()->LeseTimer()->isActive());

        tabs->SetCurrentIndex(0);                           // shown as 11, stands for plant 1
        QCOMPARE(int(Plants().SelectedPlant), 1);
        QCOMPARE(name->text(), QStringLiteral("KEINE ANLAGE ANGESCHLOSSEN!!"));
        tabs->SetCurrentIndex(6);
        QCOMPARE(name->text(), QStringLiteral("Anl-Nr7"));
        QVERIFY(Find<QAction>(&live, "Mietebeenden1")->isEnabled());

        // Shorter poll rounds (8 plants) so that plant 7 is reached within seconds.
        Plants().PlantCount = 8;
        QTRY_VERIFY_WITH_TIMEOUT(Plants().LiveTable[7].Valid, 8000);
        QTRY_COMPARE_WITH_TIMEOUT(live.Grid()->Cells(3, 7), QStringLiteral("Steuerbetrieb"), 3000);
        QVERIFY(Find<TLedLabel>(&live, "SteuerLED")->IsLit());
        QVERIFY(Find<TLedNumber>(&live, "T1Anz")->IsOn());
        QCOMPARE(live.Grid()->Cells(1, 3), QStringLiteral("---"));

        for (const TraceLine &l : sim.Frames())
            if (l.frame == QLatin1String("c"))
                QCOMPARE(l.plant, 7);                       // only the running pile is polled
        QCOMPARE(sim.FramesOverReply(), 0);
        live.close();
        QVERIFY(messages_.isEmpty());
    }

    // A plant that stops answering loses its values on the fifth missed round.
    void silentPlantLosesValues()
    {
        QTemporaryDir home;
        Simulator sim;
        // Plant 2 answers its status read ("B", "S") and two polls, then falls silent.
        QVERIFY(sim.Start({"--plants", "1,2", "--running", "1,2", "--fault", "2:mute-after=4"},
                          home.filePath(QStringLiteral("trace.txt"))));
        WriteIni(home, QStringLiteral("[COM]\nTIMEOUT=40\n[Ports]\nCOM1=%1\n").arg(sim.Pty()));
        FreshProgram(home);
        TFMain main;
        QVERIFY(Plants().PlantTable[1].Present && Plants().PlantTable[2].Present);
        Plants().PlantCount = 2;                                     // one round per second
        TFAnzeige live(&main);
        live.show();
        QTRY_VERIFY_WITH_TIMEOUT(Plants().LiveTable[2].Valid, 4000);
        QTRY_VERIFY_WITH_TIMEOUT(live.Grid()->Cells(4, 2) != QLatin1String("---"), 3000);

        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(!Plants().LiveTable[2].Valid, 10000);
        // The last answer came at most 2 polls ago; five misses take 4.5 s of ticks after it.
        QVERIFY2(clock.elapsed() > 2500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(Plants().LiveTable[1].Valid);
        QCOMPARE(Plants().LiveTable[2].MissCount, quint16(4));
        QTRY_COMPARE_WITH_TIMEOUT(live.Grid()->Cells(3, 2), QStringLiteral("antwortet nicht"), 3000);
        QVERIFY2(live.Grid()->Cells(4, 2).startsWith(QStringLiteral("seit ")), qPrintable(live.Grid()->Cells(4, 2)));
        QTRY_COMPARE(Find<PlantTabBar>(&live, "TabControl1")->TabTextColor(1), QColor(200, 0, 0));
        QVERIFY(live.Grid()->Cells(4, 1) != QLatin1String("---"));
        QCOMPARE(sim.FramesOverReply(), 0);
        Find<PlantTabBar>(&live, "TabControl1")->SetCurrentIndex(1);
        QVERIFY(!Find<TLedNumber>(&live, "O2Anz")->IsOn());
        live.close();
    }

    // The adapter is pulled and plugged in again: values go invalid at once, the
    // live display says so, the port is reopened by itself and the plants relearned.
    void lineVanishesAndComesBack()
    {
        QTemporaryDir home;
        Simulator sim;
        const QString device = home.filePath(QStringLiteral("ttyHaldrix"));
        QVERIFY(sim.Start({"--plants", "1,2", "--running", "1,2", "--vanish", "7", "--return-after", "1",
                           "--link", device},
                          home.filePath(QStringLiteral("trace.txt"))));
        WriteIni(home, QStringLiteral("[COM]\nTIMEOUT=40\n[Ports]\nCOM1=%1\n").arg(device));
        FreshProgram(home);
        TFMain main;
        Plants().PlantCount = 2;
        TFAnzeige live(&main);
        live.show();
        QTRY_VERIFY_WITH_TIMEOUT(Plants().LiveTable[1].Valid && Plants().LiveTable[2].Valid, 6800);
        QTRY_VERIFY_WITH_TIMEOUT(!LinkValues().LinkOpen, 3000);
        QVERIFY(!Plants().LiveTable[1].Valid && !Plants().LiveTable[2].Valid);
        QCOMPARE(main.StatusPanel()->text(), QStringLiteral("Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!"));
        QTRY_VERIFY_WITH_TIMEOUT(Find<QLabel>(&live, "StatusLink")->text().startsWith(QLatin1String("Keine Verbindung")), 1500);
        QVERIFY(!Find<TLedNumber>(&live, "T1Anz")->IsOn());

        QTRY_VERIFY_WITH_TIMEOUT(LinkValues().LinkOpen, 8000);
        QTRY_VERIFY_WITH_TIMEOUT(Plants().LiveTable[1].Valid, 6000);
        QCOMPARE(main.StatusPanel()->text(), QStringLiteral("Serielle Verbindung auf :COM1"));
        bool back = false, relearned = false;
        for (const TraceLine &l : sim.Trace()) {
            back |= l.event == QLatin1String("RETURN");
            relearned |= back && l.event == QLatin1String("RX") && l.frame == QLatin1String("B");
        }
        QVERIFY(back && relearned);
        QVERIFY(messages_.isEmpty());           // no message box storm, none at all
        live.close();
    }

    // A port that cannot be opened: the message first, then the status text; no discovery.
    void missingPort()
    {
        QTemporaryDir home;
        WriteIni(home, QStringLiteral("[COM]\nCOM=1\n[Ports]\nCOM1=%1\n")
                           .arg(home.filePath(QStringLiteral("no-such-line"))));
        FreshProgram(home);
        QString statusAtMessage = QStringLiteral("<no message>");
        SetMessageHandler([&](MsgKind kind, const QString &text) {
            messages_ << text;
            statusAtMessage = FMain && FMain->StatusPanel() ? FMain->StatusPanel()->text() : QString();
            return kind == MsgKind::Confirmation ? MsgAnswer::No : MsgAnswer::Ok;
        });
        TFMain main;
        QCOMPARE(messages_, QStringList{QStringLiteral("Fehler beim Öffnen der seriellen Schnittstelle !\nBitte überprüfen!!")});
        QVERIFY(!statusAtMessage.startsWith(QLatin1String("Keine Verbindung")));
        QCOMPARE(main.StatusPanel()->text(), QStringLiteral("Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!"));
        QVERIFY(!LinkValues().LinkOpen);
        QVERIFY(Settings().LearnRequest);
        QVERIFY(!main.Link()->LeseTimer()->isActive());
        for (int n = 1; n <= MaxPlants; ++n)
            QVERIFY(!Plants().PlantTable[n].Present);

        TFAnzeige live(&main);
        live.show();
        QCOMPARE(Find<QLabel>(&live, "MieteName")->text(), QStringLiteral("KEINE ANLAGE ANGESCHLOSSEN!!"));
        QVERIFY(!Find<QAction>(&live, "Mieteneustarten1")->isEnabled());
        QCOMPARE(live.Grid()->Cells(1, 1), QStringLiteral("---"));
    }

    // An unattended run ends on time even while start-up waits in the port-failure box.
    void executableQuitsDespiteOpenFailure()
    {
        QTemporaryDir home;
        WriteIni(home, QStringLiteral("[Ports]\nCOM1=%1\n").arg(home.filePath(QStringLiteral("no-such-line"))));
        QProcess prog;
        prog.start(QStringLiteral(HALDRIX_EXE), {"--home", home.path(), "--quit-after", "300"});
        QVERIFY(prog.waitForFinished(10000));
        QCOMPARE(prog.exitCode(), 0);
    }

    // The executable with a broker named: the running plants' live values reach it
    // within 5 s of the poll's start, dashboards learn them (and not the idle plant),
    // and the status says "offline" once the program has ended.
    void executablePublishesTheSite()
    {
        support::Broker broker;
        QVERIFY(broker.Start());
        support::Subscriber sub(broker.Port(), "#", "tst-e2e");
        QTRY_VERIFY_WITH_TIMEOUT(sub.Subscribed(), 5000);
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "1-3", "--running", "1,3"}, home.filePath(QStringLiteral("trace.txt"))));
        WriteIni(home, QStringLiteral("[COM]\nCOM=1\nTIMEOUT=40\n[Ports]\nCOM1=%1\n[MQTT]\nHost=127.0.0.1\nPort=%2\nStandort=E2E\n")
                           .arg(sim.Pty()).arg(broker.Port()));
        QProcess prog;
        prog.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        prog.start(QStringLiteral(HALDRIX_EXE), {"--home", home.path(), "--show-live", "--quit-after", "12000"});
        auto validLive = [&](int n) {
            for (const auto &m : sub.On(QByteArray("o2haldrix/E2E/plant/") + QByteArray::number(n) + "/live"))
                if (QJsonDocument::fromJson(m.payload).object().value("valid").toBool())
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(validLive(1) || validLive(3), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(validLive(1) && validLive(3), 5000);
        QVERIFY(!validLive(2));
        QVERIFY(!sub.On("homeassistant/sensor/o2haldrix_E2E_anlage1/t5/config").isEmpty());
        QVERIFY(!sub.On("homeassistant/sensor/o2haldrix_E2E_anlage3/o2/config").isEmpty());
        QVERIFY(sub.On("homeassistant/sensor/o2haldrix_E2E_anlage2/t5/config").isEmpty());
        QVERIFY(prog.waitForFinished(30000));
        QCOMPARE(prog.exitCode(), 0);
        const auto status = sub.On("o2haldrix/E2E/status");
        QVERIFY(status.size() >= 2);
        QCOMPARE(QJsonDocument::fromJson(status.first().payload).object().value("state").toString(), "online");
        QCOMPARE(QJsonDocument::fromJson(status.last().payload).object().value("state").toString(), "offline");
    }

    // The executable reads one running pile per 500 ms tick, in order, passing over
    // the plant without a pile, and gives every running pile a data file name.
    void executablePollRhythm()
    {
        QTemporaryDir home;
        Simulator sim;
        QVERIFY(sim.Start({"--plants", "1-32", "--running", "1,2,4-32", "--baud", "2400"},
                          home.filePath(QStringLiteral("trace.txt"))));
        WriteIni(home, QStringLiteral("[COM]\nCOM=1\n[Ports]\nCOM1=%1\n").arg(sim.Pty()));
        QProcess prog;
        prog.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        prog.start(QStringLiteral(HALDRIX_EXE), {"--home", home.path(), "--show-live", "--quit-after", "9000"});
        QVERIFY(prog.waitForFinished(40000));
        QCOMPARE(prog.exitStatus(), QProcess::NormalExit);
        QCOMPARE(prog.exitCode(), 0);
        sim.Stop();

        QList<TraceLine> polls;
        double lastDiscovery = 0;
        for (const TraceLine &l : sim.Frames()) {
            if (l.frame == QLatin1String("c"))
                polls << l;
            else if (polls.isEmpty())
                lastDiscovery = l.ms;
        }
        QVERIFY2(polls.size() >= 10, qPrintable(QString::number(polls.size())));
        QCOMPARE(polls.first().plant, 1);
        QVERIFY(polls.first().ms >= lastDiscovery);
        int ticks = 0;
        for (int i = 1; i < polls.size(); ++i) {
            // Every tick reads the next running pile: plant 3, without one, takes none.
            const int expected = polls[i - 1].plant == 2 ? 4 : polls[i - 1].plant % MaxPlants + 1;
            QCOMPARE(polls[i].plant, expected);
            const double gap = polls[i].ms - polls[i - 1].ms;
            QVERIFY2(qAbs(gap - 500.0) < 150, qPrintable(QStringLiteral("gap %1 ms").arg(gap)));
            ++ticks;
        }
        QCOMPARE(sim.FramesOverReply(), 0);
        // A 500 ms timer may run up to 5 % early or late per tick.
        const double period = (polls.last().ms - polls.first().ms) / ticks;
        QVERIFY2(qAbs(period - 500.0) < 40, qPrintable(QStringLiteral("period %1 ms").arg(period)));

        for (int n = 1; n <= MaxPlants; ++n) {
            const QString file = IniValue(home, QString::number(n), QStringLiteral("Datei"));
            if (n == 3)
                QCOMPARE(file, QStringLiteral("<none>"));
            else
                QVERIFY2(file.endsWith(QLatin1String(".CSV")), qPrintable(file));
        }
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
