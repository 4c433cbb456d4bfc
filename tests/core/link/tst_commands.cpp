// Plant operations against a scripted plant: what they send, their single retry,
// and what they leave in the shared records on success and failure.

#include "support/ScriptedPlant.h"
#include "link/Commands.h"

#include <QTest>

class TestCommands : public QObject {
    Q_OBJECT
private slots:

    void readPlantStatus()
    {
        LinkFixture fx;
        Plants().PlantCount = 2;
        fx.plant.Answer('B', "B3;");
        fx.plant.Answer('S', "S1;1;");
        QVERIFY(ReadPlantStatus(2));
        QCOMPARE(fx.plant.Commands(), QByteArray("BS"));
        QCOMPARE(fx.plant.frames.first().plant, 2);
        const TAnlageParameter &slot = Plants().PlantTable[2];
        QVERIFY(slot.Present && slot.Running && slot.MemStatus);
        QCOMPARE(slot.Mode, quint8(3));

        // "B" answered, "S" never: two "S" attempts, Present cleared, new mode kept.
        fx.plant.frames.clear();
        fx.plant.Answer('B', "B1;");
        fx.plant.Silence('S');
        QVERIFY(!ReadPlantStatus(2));
        QCOMPARE(fx.plant.Commands(), QByteArray("BSS"));
        QVERIFY(!slot.Present && !slot.Running && !slot.MemStatus);
        QCOMPARE(slot.Mode, quint8(1));

        // First "B" lost, the retry answered.
        fx.plant.frames.clear();
        fx.plant.Then('B', "xx");
        fx.plant.Answer('S', "S0;1;");
        QVERIFY(ReadPlantStatus(2));
        QCOMPARE(fx.plant.Commands(), QByteArray("BBS"));

        // Silent plant: two "B", no "S".
        fx.plant.frames.clear();
        fx.plant.Silence('B');
        QVERIFY(!ReadPlantStatus(1));
        QCOMPARE(fx.plant.Commands(), QByteArray("BB"));
        QVERIFY(!ReadPlantStatus(0));
        QVERIFY(!ReadPlantStatus(33));
    }

    // Echoed frames start with the plant byte; their command characters ("B", "S",
    // "T", "c") must not be taken for reply letters.
    void echoingAdapter()
    {
        LinkFixture fx;
        Plants().PlantCount = 3;
        fx.plant.echo = true;
        fx.plant.Answer('B', "B2;");
        fx.plant.Answer('S', "S1;1;");
        fx.plant.Answer('r', "r5;");
        fx.plant.Answer('6', "T10:00:00 01.01.30 ............");
        QVERIFY(ReadPlantStatus(3));
        QCOMPARE(fx.plant.Commands(), QByteArray("BS"));
        QVERIFY(SetPlantMode(3, 2));            // "T" (interval) itself draws no reply
        QCOMPARE(Plants().PlantTable[3].Mode, quint8(2));
        QVERIFY(ReadStoredRecordCount(3));
        QCOMPARE(LinkValues().StoredCount, 5);
        QVERIFY(ReadPlantClock(3));
        QVERIFY(LinkValues().ClockText.startsWith(QLatin1String("T10:00:00")));
        QCOMPARE(fx.plant.Count('6'), 1);       // every exchange succeeded at once
        QCOMPARE(fx.plant.Count('B'), 2);
    }

    void readSetupAndClock()
    {
        LinkFixture fx;
        fx.plant.Answer('R', "R15;5;10;120;140;2;3;60;30;");
        fx.plant.Answer('6', "T10:00:00 01.01.30 ............");
        QVERIFY(!ReadPlantSetup(1));     // not present: nothing sent
        QVERIFY(!ReadPlantClock(1));
        QVERIFY(fx.plant.frames.isEmpty());

        Plants().PlantTable[1].Present = 1;
        fx.plant.Then('R', "R15;5;x;");  // first reply broken: retried
        QVERIFY(ReadPlantSetup(1));
        QCOMPARE(fx.plant.Commands(), QByteArray("RR"));
        QCOMPARE(LinkValues().PlantSetup.Valid, quint8(1));
        QCOMPARE(LinkValues().PlantSetup.MaxAus, 30);
        QVERIFY(ReadPlantClock(1));
        QCOMPARE(LinkValues().ClockText, QString("T10:00:00 01.01.30 ..........."));

        fx.plant.Silence('R');
        QVERIFY(!ReadPlantSetup(1));
        QCOMPARE(LinkValues().PlantSetup.Valid, quint8(0));
        QCOMPARE(fx.plant.Count('R'), 4);
    }

    void setPlantMode()
    {
        LinkFixture fx;
        fx.plant.Answer('B', "B3;");
        fx.plant.Answer('S', "S1;1;");
        QVERIFY(!SetPlantMode(1, 1));    // not present: nothing sent
        QVERIFY(fx.plant.frames.isEmpty());
        Plants().PlantTable[1].Present = 1;
        const char expect[] = "oeTqq";
        for (int mode = 0; mode <= 4; ++mode) {
            fx.plant.frames.clear();
            QVERIFY(SetPlantMode(1, mode));
            QCOMPARE(fx.plant.Commands(), QByteArray(1, expect[mode]) + "BS");
        }
        fx.plant.frames.clear();
        QVERIFY(!SetPlantMode(1, 5));
        QVERIFY(fx.plant.frames.isEmpty());

        fx.plant.Silence('S');
        QVERIFY(!SetPlantMode(1, 2));
        QCOMPARE(fx.plant.Commands(), QByteArray("TBSSTBSS"));
        QVERIFY(!Plants().PlantTable[1].Present);
    }

    void switchOff()
    {
        LinkFixture fx;
        TAnlageParameter &slot = Plants().PlantTable[1];
        slot.Present = 1;
        slot.Datei = "/data/Miete_07.12.26.CSV";
        slot.Anzahl = 40;
        QVERIFY(SwitchPlantOff(1));     // not running: counts as off at once
        QVERIFY(fx.plant.frames.isEmpty());
        QVERIFY(slot.Datei.isEmpty());
        QCOMPARE(slot.Anzahl, 0);

        slot.Running = 1;
        slot.Datei = "x.CSV";
        fx.plant.Answer('S', "S1;1;");  // refuses to stop
        QVERIFY(!SwitchPlantOff(1));
        QCOMPARE(fx.plant.Commands(), QByteArray("ASAS"));
        QCOMPARE(slot.Datei, QString("x.CSV"));

        fx.plant.frames.clear();
        fx.plant.Then('S', "S1;1;");
        fx.plant.Answer('S', "S0;0;");
        QVERIFY(SwitchPlantOff(1));
        QCOMPARE(fx.plant.Commands(), QByteArray("ASAS"));
        QVERIFY(slot.Datei.isEmpty());
    }

    void switchOn()
    {
        LinkFixture fx;
        fx.plant.Answer('S', "S0;1;");   // running but no memory
        QVERIFY(!SwitchPlantOn(1));
        QCOMPARE(fx.plant.Commands(), QByteArray("FS"));
        fx.plant.Answer('S', "S1;1;");
        QVERIFY(SwitchPlantOn(1));
        fx.plant.frames.clear();
        fx.plant.Silence('S');
        QVERIFY(!SwitchPlantOn(1));
        QCOMPARE(fx.plant.Commands(), QByteArray("FSFS"));
    }

    void storedRecords()
    {
        LinkFixture fx;
        QVERIFY(!ReadStoredRecordCount(1));
        QVERIFY(fx.plant.frames.isEmpty());
        Plants().PlantTable[1].Present = 1;
        fx.plant.Answer('r', "r1001;");
        QVERIFY(!ReadStoredRecordCount(1));
        QCOMPARE(LinkValues().StoredCount, 0);
        QCOMPARE(fx.plant.Count('r'), 1);   // answered, so not retried
        fx.plant.Answer('r', "r-1;");
        QVERIFY(!ReadStoredRecordCount(1));
        QCOMPARE(LinkValues().StoredCount, 0);
        fx.plant.Answer('r', "r0;");
        QVERIFY(ReadStoredRecordCount(1));
        fx.plant.Answer('r', "r1000;");
        QVERIFY(ReadStoredRecordCount(1));
        QCOMPARE(LinkValues().StoredCount, 1000);

        fx.plant.Answer('G', "G600;600;600;600;600;200;2;255;30;12;07;12;26;99;3;");
        QVERIFY(ReadStoredRecord(1));
        QCOMPARE(LinkValues().StoredValues.T5, 60);
        QCOMPARE(LinkValues().StoredStamp.Year, QString("2026"));
        fx.plant.frames.clear();
        fx.plant.Silence('G');
        QVERIFY(!ReadStoredRecord(1));
        QVERIFY(LinkValues().ReplyTimedOut);
        QCOMPARE(fx.plant.Commands(), QByteArray("G"));    // one attempt only
    }

    void dateAndTime()
    {
        LinkFixture fx;
        Plants().PlantCount = 4;
        Plants().SelectedPlant = 4;
        SetCommandClock([] { return QDateTime(QDate(2030, 1, 1), QTime(9, 5, 0)); });
        SendDate();
        SendTime();
        QCOMPARE(fx.port->Written(), QByteArray("\x04" "D010130" "\x04" "Z090500"));
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
