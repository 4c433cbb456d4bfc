#include "widgets/MessageBox.h"

#include <QTest>

// Without a window system a message must neither crash nor count as consent.
class TestMessageBoxNoGui : public QObject {
    Q_OBJECT
private slots:
    void withoutWindows()
    {
        QTest::ignoreMessage(QtWarningMsg, "Wirklich?");
        QVERIFY(!AskYesNo(nullptr, "Wirklich?"));
        QTest::ignoreMessage(QtWarningMsg, "Fehler");
        QCOMPARE(ShowMessage(nullptr, MsgKind::Error, "Fehler"), MsgAnswer::Ok);
    }
};

QTEST_GUILESS_MAIN(TestMessageBoxNoGui)
#include "tst_messagebox_nogui.moc"
