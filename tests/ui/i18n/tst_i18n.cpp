// Language switching at run time, the stored choice, and the completeness of the
// English and French translations.

#include "dialogs/UZeitSelect.h"
#include "i18n/Languages.h"
#include "link/Link.h"
#include "live/UAnzeige.h"
#include "plant/Plant.h"
#include "link/Port.h"
#include "settings/SettingsFile.h"
#include "dialogs/UAktiv.h"
#include "shell/UMain.h"
#include "widgets/LetterBar.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"
#include "support/SharedState.h"

#include <QProcess>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QString MenuTitle(QWidget *main, const char *name)
{
    auto *menu = main->findChild<QMenu *>(QString::fromLatin1(name));
    return menu ? menu->title() : QStringLiteral("<missing>");
}

QString ActionText(QWidget *main, const char *name)
{
    auto *action = main->findChild<QAction *>(QString::fromLatin1(name));
    return action ? action->text() : QStringLiteral("<missing>");
}

QString LabelText(QWidget *w, const char *name)
{
    auto *label = w->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

QString StoredChoice()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("O2-Haldrix"))
        .value(QStringLiteral("Locales/LocalizerExt")).toString();
}

} // namespace

class TestI18n : public QObject {
    Q_OBJECT
    QTemporaryDir userSettings;
    QTemporaryDir home;
    std::unique_ptr<TFMain> main;

    // The texts of the open windows that a language switch must change.
    QStringList Take(TFZeitSelect &zeit, TFAktiv &busy)
    {
        return {main->windowTitle(), MenuTitle(main.get(), "ENde1"), MenuTitle(main.get(), "MenuLanguage"),
                 MenuTitle(main.get(), "Datenlesen1"), ActionText(main.get(), "Lernen1"),
                 ActionText(main.get(), "PCAufzeichnung"), LabelText(main.get(), "Comments"),
                 LabelText(main.get(), "LadeLabel"), main->StatusPanel()->text(),
                 zeit.windowTitle(), LabelText(&zeit, "Label1"),
                 zeit.findChild<QPushButton *>(QStringLiteral("Button2"))->text(),
                 LabelText(&busy, "StaticText1")};
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userSettings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userSettings.path());
        support::ResetSharedState();
        LinkValues().BaseTimeout = 10;
        SetProgramFolder(home.path());
        SetMessageHandler([](MsgKind, const QString &) { return MsgAnswer::Ok; });
        // A line that does not exist: start-up ends at once with the no-link status.
        auto port = std::make_unique<LoopbackPort>();
        port->SetExists(false);
        main = std::make_unique<TFMain>(nullptr, std::move(port));
    }

    void cleanupTestCase()
    {
        main.reset();
        support::ResetSharedState();
    }

    void menuListsLanguages()
    {
        auto *menu = main->findChild<QMenu *>(QStringLiteral("MenuLanguage"));
        const auto items = menu->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("Deutsch"));
        QCOMPARE(items[1]->text(), QStringLiteral("English"));
        QCOMPARE(items[2]->text(), QStringLiteral("Français"));
        for (QAction *item : items)
            QVERIFY(item->isCheckable());
        QVERIFY(items[0]->isChecked());
        items[2]->trigger();
        QCOMPARE(TLanguages::Instance()->Current(), QStringLiteral("fr"));
        QVERIFY(items[2]->isChecked());
        QVERIFY(!items[0]->isChecked());
        items[0]->trigger();
        QCOMPARE(TLanguages::Instance()->Current(), QStringLiteral("de"));
    }

    void switchingRecaptionsOpenWindows()
    {
        TFZeitSelect zeit;
        zeit.show();
        TFAktiv busy;
        const QStringList german = Take(zeit, busy);
        QCOMPARE(german[0], QStringLiteral("O2- Haldrix-1 .. 32"));
        QCOMPARE(german[1], QStringLiteral("Ende"));
        QCOMPARE(german[2], QStringLiteral("Sprache"));
        QCOMPARE(german[4], QStringLiteral("Anlagen einlernen"));
        QCOMPARE(german[8], QStringLiteral("Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!"));

        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("en")));
        const QStringList english = Take(zeit, busy);
        QCOMPARE(english[0], german[0]);        // product name and numbers
        QCOMPARE(english[2], QStringLiteral("Language"));
        QCOMPARE(english[4], QStringLiteral("Learn plants"));
        QCOMPARE(english[8], QStringLiteral("No connection\nPlease check the cable and the PC settings!"));
        for (int i = 1; i < german.size(); ++i)
            QVERIFY2(english[i] != german[i], qPrintable(german[i]));
        QCOMPARE(zeit.TextSelect1()->Caption(1), QStringLiteral("OFF"));

        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("fr")));
        const QStringList french = Take(zeit, busy);
        QCOMPARE(french[2], QStringLiteral("Langue"));
        for (int i = 1; i < german.size(); ++i)
            QVERIFY2(french[i] != english[i], qPrintable(english[i]));

        // Back to German: every text exactly as designed.
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("de")));
        QCOMPARE(Take(zeit, busy), german);
        QCOMPARE(zeit.TextSelect1()->Caption(25), QStringLiteral("24h"));

        // The live display follows as well.
        TFAnzeige live(main.get());
        live.show();
        QCOMPARE(live.windowTitle(), QStringLiteral("Kompost- Messwerterfassung"));
        TLanguages::Instance()->SetLanguage(QStringLiteral("fr"));
        QCOMPARE(live.windowTitle(), QStringLiteral("Acquisition des mesures du compost"));
        TLanguages::Instance()->SetLanguage(QStringLiteral("de"));
        QCOMPARE(live.windowTitle(), QStringLiteral("Kompost- Messwerterfassung"));
        live.close();

        // A window made while English is on comes up in English.
        TLanguages::Instance()->SetLanguage(QStringLiteral("en"));
        TFZeitSelect later;
        QCOMPARE(later.windowTitle(), english[9]);
        TLanguages::Instance()->SetLanguage(QStringLiteral("de"));
    }

    void choicePersists()
    {
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("fr")));
        QCOMPARE(StoredChoice(), QStringLiteral("fr"));
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("de")));
        QCOMPARE(StoredChoice(), QStringLiteral("EXE"));
        QVERIFY(!TLanguages::Instance()->SetLanguage(QStringLiteral("xx")));
        QCOMPARE(StoredChoice(), QStringLiteral("EXE"));

        // What the next start reads.
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("O2-Haldrix"))
            .setValue(QStringLiteral("Locales/LocalizerExt"), QStringLiteral("en"));
        TLanguages::Instance()->Init();
        QCOMPARE(TLanguages::Instance()->Current(), QStringLiteral("en"));
        QCOMPARE(MenuTitle(main.get(), "MenuLanguage"), QStringLiteral("Language"));
        auto *menu = main->findChild<QMenu *>(QStringLiteral("MenuLanguage"));
        QVERIFY(menu->actions()[1]->isChecked());

        // Values of older language tools (a .lng extension) fall back to German.
        QCOMPARE(TLanguages::CodeFromStored(QStringLiteral("ENG")), QStringLiteral("de"));
        QCOMPARE(TLanguages::CodeFromStored(QStringLiteral("EXE")), QStringLiteral("de"));
        QCOMPARE(TLanguages::CodeFromStored(QStringLiteral("FR")), QStringLiteral("fr"));
        TLanguages::Instance()->SetLanguage(QStringLiteral("de"));
    }

    // A language file next to the program or in the home folder: a compiled
    // translation that adds its language or replaces a built-in one.
    void languageFiles()
    {
        QTemporaryDir dir;
        auto make = [&](const char *lang, const char *title, const char *file) {
            const QString ts = dir.filePath(QStringLiteral("x.ts"));
            QFile f(ts);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS><TS version=\"2.1\" language=\"") + lang
                    + "\"><context><name>TFMain</name><message><source>Sprache</source><translation>" + title
                    + "</translation></message></context></TS>");
            f.close();
            QCOMPARE(QProcess::execute(QStringLiteral("/usr/lib/qt6/bin/lrelease"),
                                       {"-silent", ts, "-qm", dir.filePath(QString::fromLatin1(file))}), 0);
        };
        make("nl_NL", "Taal", "nederlands.lng");
        make("en", "Tongue", "mine.lng");
        TLanguages::SetSearchFolders({dir.path()});
        QVERIFY(TLanguages::Codes().contains("nl"));
        QCOMPARE(TLanguages::NativeName("nl"), QStringLiteral("Nederlands"));
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("nl")));
        QCOMPARE(MenuTitle(main.get(), "MenuLanguage"), QStringLiteral("Taal"));
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("en")));
        QCOMPARE(MenuTitle(main.get(), "MenuLanguage"), QStringLiteral("Tongue"));
        TLanguages::SetSearchFolders({});
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("de")));
        QVERIFY(TLanguages::Instance()->SetLanguage(QStringLiteral("en")));
        QCOMPARE(MenuTitle(main.get(), "MenuLanguage"), QStringLiteral("Language"));     // built in again
        TLanguages::Instance()->SetLanguage(QStringLiteral("de"));
    }

    void translationsComplete_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("en") << QStringLiteral(O2H_TS_DIR "/o2haldrix_en.ts");
        QTest::newRow("fr") << QStringLiteral(O2H_TS_DIR "/o2haldrix_fr.ts");
        // German is the texts' own language: its file holds the counts' singular forms.
        QTest::newRow("de") << QStringLiteral(O2H_TS_DIR "/o2haldrix_de.ts");
    }

    void translationsComplete()
    {
        QFETCH(QString, file);
        QFile ts(file);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString context, source;
        int messages = 0;
        QStringList problems;
        static const QRegularExpression placeholder(QStringLiteral("%\\d"));
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const QString type = xml.attributes().value(QStringLiteral("type")).toString();
                // Counts have one <numerusform> per plural form: all of them are read.
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (type == QLatin1String("unfinished") || text.trimmed().isEmpty())
                    problems.append(context + QStringLiteral(": ") + source);
                // Arguments must survive translation, or values vanish from the texts.
                auto it = placeholder.globalMatch(source);
                while (it.hasNext()) {
                    const QString arg = it.next().captured();
                    if (!text.contains(arg))
                        problems.append(context + QStringLiteral(": ") + source + QStringLiteral(" lacks ") + arg);
                }
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > (file.endsWith("_de.ts") ? 5 : 50));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestI18n)
#include "tst_i18n.moc"
