#include "widgets/PlantTabBar.h"

#include "plant/Plant.h"
#include "support/SharedState.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TestPlantTabBar : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { support::ResetSharedState(); }
    void fillWithOffset();
    void wrapsIntoRows();
    void mouseSelects();
    void keyboard();
    void layoutUsesHeightForWidth();
};

void TestPlantTabBar::fillWithOffset()
{
    PlantTabBar tabs;
    tabs.AddTab("old");
    Settings().DisplayOffset = 10;
    QSignalSpy spy(&tabs, &PlantTabBar::CurrentChanged);
    FillPlantTabs(&tabs, 32);
    QCOMPARE(tabs.Count(), 32);
    QCOMPARE(tabs.TabText(0), QString("11"));     // tab index 0 is plant 1
    QCOMPARE(tabs.TabText(31), QString("42"));
    QCOMPARE(tabs.CurrentIndex(), 0);
    QCOMPARE(spy.size(), 0);                       // filling is silent
    Settings().DisplayOffset = 0;
    FillPlantTabs(&tabs, 3);
    QCOMPARE(tabs.Count(), 3);
    QCOMPARE(tabs.TabText(2), QString("3"));
    QCOMPARE(tabs.TabText(3), QString());
    FillPlantTabs(nullptr, 3);                     // harmless
}

void TestPlantTabBar::wrapsIntoRows()
{
    PlantTabBar tabs;
    tabs.SetBold(true);
    FillPlantTabs(&tabs, 32);
    const int w = 420;
    tabs.resize(w, tabs.heightForWidth(w));
    QVERIFY(tabs.RowCount() >= 2);
    const QRect all = tabs.rect();
    for (int i = 0; i < 32; ++i) {
        const QRect r = tabs.TabRect(i);
        QVERIFY2(all.contains(r), qPrintable(QString::number(i)));
        QVERIFY(r.width() >= QFontMetrics(tabs.font()).horizontalAdvance(tabs.TabText(i)));
        for (int j = 0; j < i; ++j)
            QVERIFY(!r.intersects(tabs.TabRect(j)));
    }
    // Reading order: left to right, then the next row.
    QVERIFY(tabs.TabRect(1).left() > tabs.TabRect(0).left());
    QVERIFY(tabs.TabRect(31).top() > tabs.TabRect(0).top());

    // Rows are evened out: no row holds only a stub of tabs.
    QMap<int, int> perRow;
    for (int i = 0; i < 32; ++i)
        perRow[tabs.TabRect(i).top()]++;
    QCOMPARE(perRow.size(), tabs.RowCount());
    QVERIFY(perRow.last() >= perRow.first() / 2);

    // Wider means fewer rows, never more.
    QVERIFY(tabs.heightForWidth(1600) <= tabs.heightForWidth(w));
    QVERIFY(tabs.heightForWidth(1600) < tabs.heightForWidth(200));
    QCOMPARE(tabs.TabRect(32), QRect());
}

void TestPlantTabBar::mouseSelects()
{
    PlantTabBar tabs;
    FillPlantTabs(&tabs, 32);
    tabs.resize(400, tabs.heightForWidth(400));
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    QSignalSpy spy(&tabs, &PlantTabBar::CurrentChanged);
    for (int i : {20, 31, 5}) {
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabRect(i).center());
        QCOMPARE(tabs.CurrentIndex(), i);
        QCOMPARE(spy.last().at(0).toInt(), i);
    }
    // Edges belong to exactly one tab.
    QCOMPARE(tabs.TabAt(tabs.TabRect(7).topLeft()), 7);
    QCOMPARE(tabs.TabAt(tabs.TabRect(7).bottomRight()), 7);
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.TabRect(5).center());   // same tab: no signal
    QTest::mouseClick(&tabs, Qt::RightButton, {}, tabs.TabRect(9).center());  // right button ignored
    QCOMPARE(spy.size(), 3);
    QCOMPARE(tabs.CurrentIndex(), 5);
}

void TestPlantTabBar::keyboard()
{
    PlantTabBar tabs;
    FillPlantTabs(&tabs, 32);
    tabs.resize(400, tabs.heightForWidth(400));
    tabs.SetCurrentIndex(1);
    QTest::keyClick(&tabs, Qt::Key_Right);
    QCOMPARE(tabs.CurrentIndex(), 2);
    QTest::keyClick(&tabs, Qt::Key_Left);
    QTest::keyClick(&tabs, Qt::Key_Left);
    QTest::keyClick(&tabs, Qt::Key_Left);      // stops at the first tab
    QCOMPARE(tabs.CurrentIndex(), 0);
    QTest::keyClick(&tabs, Qt::Key_Down);      // same column, next row
    QCOMPARE(tabs.TabRect(tabs.CurrentIndex()).left(), tabs.TabRect(0).left());
    QVERIFY(tabs.CurrentIndex() > 0);
    QTest::keyClick(&tabs, Qt::Key_End);
    QCOMPARE(tabs.CurrentIndex(), 31);
    QTest::keyClick(&tabs, Qt::Key_Right);     // stops at the last tab
    QCOMPARE(tabs.CurrentIndex(), 31);
    QTest::keyClick(&tabs, Qt::Key_Home);
    QCOMPARE(tabs.CurrentIndex(), 0);
    QTest::keyClick(&tabs, Qt::Key_Up);        // first row: stays
    QCOMPARE(tabs.CurrentIndex(), 0);

    tabs.SetCurrentIndex(40);                  // out of range: unchanged
    tabs.SetCurrentIndex(-1);
    QCOMPARE(tabs.CurrentIndex(), 0);
    tabs.Clear();
    QCOMPARE(tabs.CurrentIndex(), -1);
    QTest::keyClick(&tabs, Qt::Key_Right);     // no tabs: nothing happens
    QCOMPARE(tabs.CurrentIndex(), -1);
}

void TestPlantTabBar::layoutUsesHeightForWidth()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *tabs = new PlantTabBar;
    layout->addWidget(tabs);
    layout->addStretch();
    FillPlantTabs(tabs, 32);
    window.resize(360, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The layout gives the bar the height its rows need at its width.
    QCOMPARE(tabs->height(), tabs->heightForWidth(tabs->width()));
    QVERIFY(tabs->rect().contains(tabs->TabRect(31)));
}

QTEST_MAIN(TestPlantTabBar)
#include "tst_planttabbar.moc"
