// Program entry: options, the main window (whose creation runs the start-up), the
// busy window, the message loop.

#include "settings/SettingsFile.h"
#include "data/UDatenLesen.h"
#include "data/UGraphForm.h"
#include "dialogs/UO2MessSetup.h"
#include "dialogs/UPC_Setup.h"
#include "link/Commands.h"
#include "models/UMessDaten.h"
#include "dialogs/UAktiv.h"
#include "i18n/Languages.h"
#include "dialogs/UAnlDatumSet.h"
#include "dialogs/UAnlageDaten.h"
#include "dialogs/UPfadsetzen.h"
#include "plant/Plant.h"
#include "reports/HygieneFill.h"
#include "reports/ReportForms.h"
#include "reports/UCSV_Lesen.h"
#include "reports/UProtokKopf.h"
#include "shell/Screenshots.h"
#include "shell/UMain.h"
#include "live/UAnzeige.h"
#include "widgets/FormPlacement.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#ifndef O2H_VERSION
#define O2H_VERSION "0"
#endif

namespace {

// Command-line options of the program.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption home{QStringLiteral("home"),
        QStringLiteral("Folder of Haldrix.ini and KompLogo.BMP (default: the program's folder; "
                       "installed, the user's data folder)."),
        QStringLiteral("DIR")};
    QCommandLineOption showLive{QStringLiteral("show-live"),
        QStringLiteral("Open the live display after start-up.")};
    QCommandLineOption screenshots{QStringLiteral("screenshots"),
        QStringLiteral("After start-up save DIR/main.png, open the live display, save DIR/live.png after about 3 s and the pictures of its dialogs, quit."),
        QStringLiteral("DIR")};
    QCommandLineOption language{QStringLiteral("language"),
        QStringLiteral("Show the windows in this language for this run (de, en, fr or a language file's)."),
        QStringLiteral("CODE")};
    QCommandLineOption quitAfter{QStringLiteral("quit-after"),
        QStringLiteral("End the program MS milliseconds after start-up."), QStringLiteral("MS")};

    Options()
    {
        parser.setApplicationDescription(QStringLiteral(
            "O2-Haldrix: runs up to 32 compost aeration plants on one serial line."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({home, showLive, screenshots, language, quitAfter});
    }
};

void SetNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("o2-haldrix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(O2H_VERSION));
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version need no display: answer them before the window system starts.
    {
        QCoreApplication early(argc, argv);
        SetNames();
        Options o;
        o.parser.parse(early.arguments());
        if (o.parser.isSet(QStringLiteral("help")))
            o.parser.showHelp();
        if (o.parser.isSet(QStringLiteral("version")))
            o.parser.showVersion();
    }

    QApplication app(argc, argv);
    KeepWindowsOnScreen();
    SetNames();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("O2-Haldrix"));
    Options o;
    o.parser.process(app);

    if (o.parser.isSet(o.home)) {
        const QFileInfo folder(o.parser.value(o.home));
        if (!folder.isDir()) {
            std::fprintf(stderr, "o2-haldrix: --home %s is not a folder\n", qPrintable(o.parser.value(o.home)));
            return 2;
        }
        SetProgramFolder(folder.absoluteFilePath());
    } else if (QFileInfo::exists(QCoreApplication::applicationDirPath()
                                 + QStringLiteral("/../share/metainfo/org.o2haldrix.O2Haldrix.metainfo.xml"))) {
        // Installed: the program's folder is not the user's to write; nothing is made
        // there until the first setting is written.
        SetProgramFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    bool quitAfterOk = true;
    const int quitAfterMs = o.parser.isSet(o.quitAfter) ? o.parser.value(o.quitAfter).toInt(&quitAfterOk) : -1;
    if (!quitAfterOk || (o.parser.isSet(o.quitAfter) && quitAfterMs < 0)) {
        std::fprintf(stderr, "o2-haldrix: --quit-after needs a number of milliseconds\n");
        return 2;
    }

    if (o.parser.isSet(o.screenshots)) {
        // Unattended: nobody can answer a message box, so print it and answer it safely.
        SetMessageHandler([](MsgKind kind, const QString &text) {
            std::fprintf(stderr, "o2-haldrix: %s\n", qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
            return kind == MsgKind::Confirmation ? MsgAnswer::No : MsgAnswer::Ok;
        });
    }

    // Armed before the main window exists: its start-up may sit in a modal message
    // box (port failure) that nobody will answer in an unattended run.
    bool quitDue = false;
    TFMain *mainWindow = nullptr;
    if (quitAfterMs >= 0) {
        QTimer::singleShot(quitAfterMs, &app, [&quitDue, &mainWindow] {
            quitDue = true;
            for (int i = 0; i < 8; ++i) {       // nested boxes; bounded in case one refuses
                QWidget *modal = QApplication::activeModalWidget();
                if (!modal)
                    break;
                modal->close();
            }
            if (mainWindow)
                mainWindow->CloseProgram();
        });
    }

    TFMain main;
    mainWindow = &main;
    if (o.parser.isSet(o.language) && !TLanguages::Instance()->UseLanguage(o.parser.value(o.language)))
        std::fprintf(stderr, "o2-haldrix: no language %s\n", qPrintable(o.parser.value(o.language)));
    TFAktiv busy;
    FAktiv = &busy;

    if (quitDue)
        QTimer::singleShot(0, &main, &TFMain::CloseProgram);
    if (o.parser.isSet(o.screenshots)) {
        const QString folder = QFileInfo(o.parser.value(o.screenshots)).absoluteFilePath();
        QTimer::singleShot(0, &main, [&main, folder] { TakeScreenshots(&main, folder); });
    } else if (o.parser.isSet(o.showLive)) {
        QTimer::singleShot(0, &main, &TFMain::PCAufzeichnungClick);
    }

    const int result = app.exec();
    FAktiv = nullptr;
    return result;
}
