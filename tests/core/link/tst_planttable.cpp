// Shared plant-table routines: reference depth, unit conversions, the caption of
// the reference column, text splitting and the table reset.

#include "link/PlantTable.h"
#include "support/SharedState.h"

#include <QTest>

namespace {
TLiveValues Profile(int t5, int t4, int t3, int t2, int t1)
{
    TLiveValues v;
    v.T5 = t5; v.T4 = t4; v.T3 = t3; v.T2 = t2; v.T1 = t1;
    v.RefMarke = -1;
    ComputeRefDepth(v);
    return v;
}
} // namespace

class TestPlantTable : public QObject {
    Q_OBJECT
private slots:
    void init() { support::ResetSharedState(); }

    void refDepth()
    {
        QCOMPARE(Profile(60, 50, 40, 30, 20).RefMarke, 87);   // x = 12.5 -> 12 + 75
        QCOMPARE(Profile(56, 55, 54, 52, 51).RefMarke, 75);
        QCOMPARE(Profile(55, 55, 55, 55, 55).RefMarke, 0);    // equal is not below
        QCOMPARE(Profile(54, 90, 90, 90, 90).RefMarke, 100);
        QCOMPARE(Profile(70, 70, 70, 70, 54).RefMarke, 1);    // (55-54)*25/16 = 1.56
        Plants().RefTemp = 55.5;
        QCOMPARE(Profile(56, 55, 54, 52, 51).RefMarke, 87);   // 0.5*25/1 = 12.5
        Plants().RefTemp = 40;
        QCOMPARE(Profile(-5, -5, -5, -5, -5).RefMarke, 100);
    }

    void conversions()
    {
        QCOMPARE(CelsiusToFahrenheit(-7), 20);
        QCOMPARE(CelsiusToFahrenheit(55), 131);
        QCOMPARE(CelsiusToFahrenheit(-40), -40);
        QCOMPARE(CmToInch(100), 39);
        QCOMPARE(CmToInch(-100), -39);
        QCOMPARE(CelsiusToFahrenheitF(55.0), 131.1);
        QCOMPARE(CelsiusToFahrenheitF(-20.0), -3.9);  // trunc(-4.0) + 0.1
        QCOMPARE(FahrenheitToCelsiusF(131.0), 55.1);
        QCOMPARE(CmToInchF(100.0), 39.1);
    }

    void refCaption()
    {
        const QString deg(QChar(0xB0));
        BuildRefCaption();
        QCOMPARE(Plants().RefCaption, "s 55" + deg + "C[cm]");
        Plants().RefTemp = 54.5;             // halves go to the even neighbour
        BuildRefCaption();
        QCOMPARE(Plants().RefCaption, "s 54" + deg + "C[cm]");
        Plants().RefTemp = 55.5;
        BuildRefCaption();
        QCOMPARE(Plants().RefCaption, "s 56" + deg + "C[cm]");
        Plants().RefTemp = 60.4;
        Plants().ImperialUnits = true;
        BuildRefCaption();
        QCOMPARE(Plants().RefCaption, "s 140" + deg + "F[in]");
    }

    void textHelpers()
    {
        QCOMPARE(CountChar(';', QString()), 0);
        QCOMPARE(CountChar(';', "a;b;;c"), 3);

        QString text = "12.03.09;55;x", out = "keep";
        QVERIFY(CutField(';', text, out));
        QCOMPARE(out, QString("12.03.09"));
        QCOMPARE(text, QString("55;x"));
        text = "last";
        out = "keep";
        QVERIFY(CutField(';', text, out));
        QCOMPARE(out, QString("keep"));
        QCOMPARE(text, QString("last"));
        text.clear();
        QVERIFY(!CutField(';', text, out));
    }

    void resetOnlyTouchesPlantsInUse()
    {
        Plants().PlantCount = 2;
        for (int n = 1; n <= 3; ++n) {
            Plants().PlantTable[n].Present = Plants().PlantTable[n].Running = Plants().PlantTable[n].MemStatus = 1;
            Plants().PlantTable[n].Name = "Miete";
            Plants().LiveTable[n].Valid = 1;
            Plants().LiveTable[n].T3 = 70;
            Plants().LiveTable[n].Aux = 3;
        }
        ForgetPlantPresence();
        QCOMPARE(Plants().PlantTable[2].Present, quint8(0));
        QCOMPARE(Plants().PlantTable[2].Running, quint8(0));
        QCOMPARE(Plants().PlantTable[2].MemStatus, quint8(1));
        QCOMPARE(Plants().PlantTable[2].Name, QString("Miete"));
        QCOMPARE(Plants().LiveTable[2].Valid, quint8(0));
        QCOMPARE(Plants().LiveTable[2].T3, 0);
        QCOMPARE(Plants().LiveTable[2].Aux, quint16(255));
        QCOMPARE(Plants().LiveTable[2].RefMarke, 100);
        QCOMPARE(Plants().PlantTable[3].Present, quint8(1));
        QCOMPARE(Plants().LiveTable[3].T3, 70);
    }

    void modeTexts()
    {
        QCOMPARE(ModeTabText(0), QString::fromUtf8("Lüfter AUS"));
        QCOMPARE(ModeTabText(3), QString("O2- Regelung"));
        QVERIFY(ModeTabText(4).isEmpty());
        QCOMPARE(ModeGridText(1), QString("Manuell- EIN"));
        QCOMPARE(ModeGridText(3), QString("O2-Regelung"));
        QCOMPARE(ModeGridText(4), QString("Steuerbetrieb"));
        QVERIFY(ModeGridText(5).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlantTable)
#include "tst_planttable.moc"
