// Readout time dialog buttons, the information box's copy of the main window, and
// the plant data dialog's rules for names, folders and new data files.

#include "dialogs/UAbout.h"
#include "dialogs/UAnlageDaten.h"
#include "dialogs/UPfadsetzen.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"
#include "dialogs/UZeitSelect.h"
#include "widgets/LetterBar.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "support/SharedState.h"

namespace {

// Stands in for the main window: only the named controls matter.
struct FakeMain : QMainWindow {
    FakeMain()
    {
        setObjectName(QStringLiteral("FMain"));
        auto *panel = new QWidget(this);
        auto *layout = new QVBoxLayout(panel);
        for (auto [name, text] : {std::pair{"ProductName", "O2- Haldrix"}, {"Version", "Version 9.9"},
                                  {"Comments", "Zeile eins\nZeile zwei"}}) {
            auto *label = new QLabel(QString::fromUtf8(text), panel);
            label->setObjectName(QString::fromLatin1(name));
            layout->addWidget(label);
        }
        logo = new QLabel(panel);
        logo->setObjectName(QStringLiteral("MakerLogo"));
        logo->setFixedSize(60, 30);
        logo->setStyleSheet(QStringLiteral("background: rgb(0, 128, 0)"));
        layout->addWidget(logo);
        setCentralWidget(panel);
    }
    QLabel *logo;
};

QString Text(QWidget *w, const char *name)
{
    auto *label = w->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void readoutButtons()
    {
        TFZeitSelect dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Speicherzeit auswählen"));
        QCOMPARE(Text(&dialog, "Label1"),
                 QStringLiteral("Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung ausgelesen werden !"));
        TLetterBar *bar = dialog.TextSelect1();
        QCOMPARE(bar->ButtonCount(), 25);
        QCOMPARE(bar->Caption(1), QStringLiteral("AUS"));
        QCOMPARE(bar->Caption(2), QStringLiteral("1h"));
        QCOMPARE(bar->Caption(7), QStringLiteral("6h"));
        QCOMPARE(bar->Caption(8), QStringLiteral("7h"));
        QCOMPARE(bar->Caption(25), QStringLiteral("24h"));
        auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("Button1"));
        auto *cancel = dialog.findChild<QPushButton *>(QStringLiteral("Button2"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(cancel->text(), QStringLiteral("Abbruch"));
        QVERIFY(ok->isDefault());
        ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.show();
        cancel->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void aboutCopiesMainWindow()
    {
        FakeMain main;
        main.show();
        QWidget child(&main, Qt::Window);       // e.g. the live display opening the box
        TFAbout about(&child);
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(Text(&about, "ProductName"), QStringLiteral("O2- Haldrix"));
        QCOMPARE(Text(&about, "Version"), QStringLiteral("Version 9.9"));
        QCOMPARE(Text(&about, "Comments"), QStringLiteral("Zeile eins\nZeile zwei"));
        auto *icon = about.findChild<QLabel *>(QStringLiteral("ProgramIcon"));
        QCOMPARE(icon->size(), QSize(60, 30));
        const QImage picture = icon->pixmap().toImage();
        QVERIFY(!picture.isNull());
        QCOMPARE(QColor(picture.pixel(picture.width() / 2, picture.height() / 2)), QColor(0, 128, 0));
        const auto buttons = about.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.first()->text(), QStringLiteral("OK"));

        // Without a parent chain the main window is found among the top-level windows,
        // never the box itself.
        TFAbout orphan;
        QCOMPARE(TFAbout::FindMainWindow(&orphan), static_cast<QWidget *>(&main));
        QCOMPARE(Text(&orphan, "Version"), QStringLiteral("Version 9.9"));
    }

    void aboutWithoutMainWindowStaysEmpty()
    {
        TFAbout about;
        QVERIFY(Text(&about, "ProductName").isEmpty());
    }

    void plantDataDialog()
    {
        support::SharedStateGuard guard;
        QTemporaryDir home;
        SetProgramFolder(home.path());
        TSettingsFile ini(home.filePath("Haldrix.ini"));
        Settings().SettingsFile = &ini;
        QStringList told;
        SetMessageHandler([&](MsgKind, const QString &text) { told << text; return MsgAnswer::Ok; });
        TAnlageParameter &slot = Plants().PlantTable[4];
        slot.Name = "Ost";
        slot.Pfad = home.filePath("weg/");              // a folder that is gone
        slot.Datei = "alt.CSV";

        {   // Only the comment changes: the pile keeps its data file.
            TFAnlageDaten d(4);
            d.show();
            QCOMPARE(told, QStringList{"Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad.."});
            QTest::keyClicks(d.findChild<QLineEdit *>("Edit2"), "Halle 2");
            d.findChild<QPushButton *>("OKBtn")->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QCOMPARE(slot.Datei, QString("alt.CSV"));
        QCOMPARE(slot.Komm, QString("Halle 2"));
        QCOMPARE(slot.Pfad, Settings().ProgramFolder);

        {   // A name that becomes part of a file name: filtered, at most 20 characters.
            TFAnlageDaten d(4);
            auto *name = d.findChild<QLineEdit *>("Edit1");
            name->clear();
            QTest::keyClicks(name, "Nord/Sued: 7 .abcdefghijklmnopqrstuvwxyz");
            QCOMPARE(name->text(), QString("NordSued7abcdefghijk"));
            // Said, not silent: which characters were left out.
            QVERIFY2(d.findChild<QLabel *>("NameHinweis")->text().contains("weggelassen: „/“, „:“, Leerzeichen, „.“"),
                     qPrintable(d.findChild<QLabel *>("NameHinweis")->text()));
            d.findChild<QPushButton *>("OKBtn")->click();
        }
        QCOMPARE(slot.Name, QString("NordSued7abcdefghijk"));
        QVERIFY2(slot.Datei.startsWith(Settings().ProgramFolder + "NordSued7abcdefghijk_"), qPrintable(slot.Datei));
        QCOMPARE(ReadSetting("4", "Datei", QString()), slot.Datei);
        Settings().SettingsFile = nullptr;
    }

    // The folder chooser opens at the plant's folder and takes a typed path; a typed
    // path that names no folder keeps it open.
    void folderChooserTakesTypedPath()
    {
        QTemporaryDir home;
        QDir(home.path()).mkpath("Kompostwerk Süd/Daten 2026");
        const QString start = home.filePath("Kompostwerk Süd");
        TFPfadsetzen d;
        d.SetFolder(start);
        QCOMPARE(d.Folder(), start);
        auto *path = d.findChild<QLineEdit *>("Label2");
        QCOMPARE(path->text(), QDir::toNativeSeparators(start));
        path->setText(start + "/Daten 2026");
        QCOMPARE(d.Folder(), start + "/Daten 2026");
        QStringList told;
        SetMessageHandler([&](MsgKind, const QString &text) { told << text; return MsgAnswer::Ok; });
        d.show();
        path->setText(start + "/gibt es nicht");
        d.findChild<QPushButton *>("Button1")->click();
        QVERIFY(d.isVisible() && d.result() != QDialog::Accepted);
        QCOMPARE(told.size(), 1);
        SetMessageHandler({});
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
