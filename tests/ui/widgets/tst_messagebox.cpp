#include "widgets/MessageBox.h"
#include "support/SharedState.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { support::ResetSharedState(); }
    void handlerRouting();
    void realBoxes();
};

void TestMessageBox::handlerRouting()
{
    QList<QPair<MsgKind, QString>> seen;
    MsgAnswer answer = MsgAnswer::Yes;
    SetMessageHandler([&](MsgKind kind, const QString &text) {
        seen.append({kind, text});
        return answer;
    });
    ShowInfo(nullptr, "Eins\nZwei");
    ShowError(nullptr, "Fehler");
    QVERIFY(AskYesNo(nullptr, "Wirklich?"));
    answer = MsgAnswer::No;
    QVERIFY(!AskYesNo(nullptr, "Wirklich?"));
    answer = MsgAnswer::Ok;                      // only "Yes" is consent
    QVERIFY(!AskYesNo(nullptr, "Wirklich?"));
    QCOMPARE(ShowMessage(nullptr, MsgKind::Warning, "W"), MsgAnswer::Ok);

    QCOMPARE(seen.size(), 6);
    QCOMPARE(seen[0].first, MsgKind::Information);
    QCOMPARE(seen[0].second, QString("Eins\nZwei"));  // text passed on unchanged
    QCOMPARE(seen[1].first, MsgKind::Error);
    QCOMPARE(seen[2].first, MsgKind::Confirmation);
    QCOMPARE(seen[5].first, MsgKind::Warning);

    // A handler may replace itself while it runs.
    int inner = 0;
    SetMessageHandler([&](MsgKind, const QString &) {
        SetMessageHandler([&](MsgKind, const QString &) { ++inner; return MsgAnswer::No; });
        return MsgAnswer::Yes;
    });
    QVERIFY(AskYesNo(nullptr, "a"));
    QVERIFY(!AskYesNo(nullptr, "b"));
    QCOMPARE(inner, 1);
}

// Without a handler real boxes appear; the tests answer them from a timer.
void TestMessageBox::realBoxes()
{
    // A notice returns at once and blocks nothing; it goes when read.
    ShowNotice(nullptr, "Platte voll");
    QVERIFY(!QApplication::activeModalWidget());
    QMessageBox *notice = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->text() == "Platte voll")
            notice = b;
    QVERIFY(notice && notice->isVisible() && !notice->isModal());
    QPointer<QMessageBox> gone(notice);
    // A modal window opened later (the live display) takes it over: in view and closable.
    QDialog modal;
    modal.setModal(true);
    modal.show();
    MoveNoticesOver(&modal);
    QCOMPARE(notice->parentWidget(), &modal);
    QVERIFY(notice->isVisible());
    notice->button(QMessageBox::Ok)->click();
    QTRY_VERIFY(!gone);
    modal.close();

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        icon = box->icon();
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    ShowError(nullptr, "Zeile 1\r\nZeile 2");
    QCOMPARE(text, QString("Zeile 1\nZeile 2"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(title, QString("O2-Haldrix"));

    auto answer = [&](QMessageBox::StandardButton b) {
        QTimer::singleShot(0, [b] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::Question);
            if (b == QMessageBox::NoButton)
                box->reject();
            else
                box->button(b)->click();
        });
        return AskYesNo(nullptr, "Frage?");
    };
    QVERIFY(answer(QMessageBox::Yes));
    QVERIFY(!answer(QMessageBox::No));
    QVERIFY(!answer(QMessageBox::NoButton));    // closed without an answer: no

    // A question whose Yes loses data or switches a plant off: Enter answers No.
    for (MsgKind kind : {MsgKind::Confirmation, MsgKind::RiskyConfirmation}) {
        QTimer::singleShot(0, [] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(ShowMessage(nullptr, kind, "Anlage ausschalten?"),
                 kind == MsgKind::RiskyConfirmation ? MsgAnswer::No : MsgAnswer::Yes);
    }
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
