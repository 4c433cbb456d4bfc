// Every window in every language opens inside a 1024 × 768 screen (the test runs on
// one) and, at its smallest, fits it with no label, box or button showing less than
// its whole text.

#include "data/UDatenLesen.h"
#include "data/UGraphForm.h"
#include "dialogs/UAbout.h"
#include "dialogs/UAktiv.h"
#include "dialogs/UAnlDatumSet.h"
#include "dialogs/UAnlageDaten.h"
#include "dialogs/UO2MessSetup.h"
#include "dialogs/UPC_Setup.h"
#include "dialogs/UPfadsetzen.h"
#include "dialogs/UZeitSelect.h"
#include "i18n/Languages.h"
#include "link/Link.h"
#include "link/Port.h"
#include "live/UAnzeige.h"
#include "reports/UCSV_Lesen.h"
#include "reports/UProtokKopf.h"
#include "shell/UMain.h"
#include "widgets/FormPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include "widgets/MessageBox.h"

#include "support/SharedState.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

int TextWidth(const QWidget *w, const QString &text)
{
    int widest = 0;
    for (const QString &line : QString(text).remove(u'&').split(u'\n'))
        widest = qMax(widest, w->fontMetrics().horizontalAdvance(line.trimmed()));   // blanks at the ends do not show
    return widest;
}

// The controls of `window` whose text is cut at the window's minimum size.
QStringList Clipped(QWidget *window)
{
    QStringList out;
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (!l->isVisibleTo(window) || l->wordWrap() || l->text().isEmpty() || l->textFormat() == Qt::RichText
            || !l->pixmap().isNull())
            continue;
        const int room = l->contentsRect().width() - 2 * l->margin() - l->indent() * (l->indent() > 0);
        if (TextWidth(l, l->text()) > room + 1)
            out << QStringLiteral("%1 \"%2\" (%3 > %4)").arg(l->objectName(), l->text()).arg(TextWidth(l, l->text())).arg(room);
    }
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty())
            continue;
        if (b->width() < b->sizeHint().width() - 1 && (qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b)))
            out << QStringLiteral("%1 \"%2\" (%3 < %4)").arg(b->objectName(), b->text()).arg(b->width()).arg(b->sizeHint().width());
    }
    return out;
}

} // namespace

class TstFit : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings, home;
    std::unique_ptr<TFMain> main;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userSettings.path());
        support::ResetSharedState();
        LinkValues().BaseTimeout = 10;
        SetProgramFolder(home.path());
        SetMessageHandler([](MsgKind, const QString &) { return MsgAnswer::Ok; });
        KeepWindowsOnScreen();
        QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().size(), QSize(1024, 768));
        auto port = std::make_unique<LoopbackPort>();
        port->SetExists(false);
        main = std::make_unique<TFMain>(nullptr, std::move(port));
        Plants().PlantTable[1].Present = Plants().PlantTable[1].Running = 1;
        Plants().PlantTable[1].Name = QStringLiteral("Miete Nord");
    }
    void cleanupTestCase()
    {
        TLanguages::Instance()->UseLanguage(QStringLiteral("de"));
        main.reset();
        support::ResetSharedState();
    }

    void windowsFitAndShowTheirTexts_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *l : {"de", "en", "fr"})
            QTest::newRow(l) << QString::fromLatin1(l);
    }
    void windowsFitAndShowTheirTexts()
    {
        QFETCH(QString, language);
        QVERIFY(TLanguages::Instance()->UseLanguage(language));
        const std::vector<std::pair<const char *, std::function<QWidget *()>>> windows = {
            {"TFMain", [&] { return main.get(); }},
            {"TFAnzeige", [&] { return new TFAnzeige(main.get()); }},
            {"TFAnlageDaten", [&] { return new TFAnlageDaten(1, main.get()); }},
            {"TFPfadsetzen", [&] { return new TFPfadsetzen(main.get()); }},
            {"TFAnlDatumSetup", [&] { return new TFAnlDatumSetup(main.get()); }},
            {"TFZeitSelect", [&] { return new TFZeitSelect(main.get()); }},
            {"TFAbout", [&] { return new TFAbout(main.get()); }},
            {"TFProtokKopf", [&] { return new TFProtokKopf(main.get()); }},
            {"TFCSV_Lesen", [&] { return new TFCSV_Lesen(main.get()); }},
            {"TFDatenLesen1", [&] { return new TFDatenLesen1(main.get()); }},
            {"TFO2MessSetup", [&] { return new TFO2MessSetup(main.get()); }},
            {"TFPC_Setup", [&] { return new TFPC_Setup(main.get()); }},
            {"TFGraphForm", [&] { return new TFGraphForm(main.get()); }},
        };
        QStringList faults;
        for (const auto &[name, make] : windows) {
            QWidget *w = make();
            w->show();
            QCoreApplication::processEvents();
            if (!OpensOnScreen(w))
                faults << QStringLiteral("%1 opens at %2 × %3 + %4 + %5")
                              .arg(name).arg(w->frameGeometry().width()).arg(w->frameGeometry().height())
                              .arg(w->x()).arg(w->y());
            if (w->layout())
                w->layout()->activate();
            const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
            if (least.width() > 1024 || least.height() > 768)
                faults << QStringLiteral("%1: %2 × %3").arg(name).arg(least.width()).arg(least.height());
            w->resize(least);
            QCoreApplication::processEvents();
            for (const QString &c : Clipped(w))
                faults << QStringLiteral("%1: %2").arg(name, c);
            if (w != main.get()) {
                w->close();
                delete w;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_MAIN(TstFit)
#include "tst_fit.moc"
