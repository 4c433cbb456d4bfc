// Program entry: options, the main window (whose creation runs the start-up), the
// busy window, the message loop.

#include "shell/SettingsFile.h"
#include "shell/UAktiv.h"
#include "shell/UMain.h"
#include "live/UAnzeige.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#ifndef O2H_VERSION
#define O2H_VERSION "0"
#endif

namespace {

// --screenshots: the main window after discovery, then the live display after it
// has shown a few display ticks; then the program ends.
void TakeScreenshots(TFMain *main, const QString &folder)
{
    QDir().mkpath(folder);
    const QString mainFile = QDir(folder).filePath(QStringLiteral("main.png"));
    if (!main->grab().save(mainFile))
        std::fprintf(stderr, "o2-haldrix: cannot write %s\n", qPrintable(mainFile));
    QTimer::singleShot(3200, main, [main, folder] {
        if (FAnzeige) {
            const QString liveFile = QDir(folder).filePath(QStringLiteral("live.png"));
            if (!FAnzeige->grab().save(liveFile))
                std::fprintf(stderr, "o2-haldrix: cannot write %s\n", qPrintable(liveFile));
        }
        main->CloseProgram();
    });
    main->PCAufzeichnungClick();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("o2-haldrix"));
    QApplication::setApplicationVersion(QStringLiteral(O2H_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral(
        "O2-Haldrix: runs up to 32 compost aeration plants on one serial line."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption home(QStringLiteral("home"),
        QStringLiteral("Folder of Haldrix.ini and KompLogo.BMP (default: the program's folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption showLive(QStringLiteral("show-live"),
        QStringLiteral("Open the live display after start-up."));
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
        QStringLiteral("After start-up save DIR/main.png, open the live display, save DIR/live.png after about 3 s, quit."),
        QStringLiteral("DIR"));
    const QCommandLineOption quitAfter(QStringLiteral("quit-after"),
        QStringLiteral("End the program MS milliseconds after start-up."), QStringLiteral("MS"));
    options.addOptions({home, showLive, screenshots, quitAfter});
    options.process(app);

    if (options.isSet(home)) {
        const QFileInfo folder(options.value(home));
        if (!folder.isDir()) {
            std::fprintf(stderr, "o2-haldrix: --home %s is not a folder\n", qPrintable(options.value(home)));
            return 2;
        }
        SetProgramFolder(folder.absoluteFilePath());
    }
    bool quitAfterOk = true;
    const int quitAfterMs = options.isSet(quitAfter) ? options.value(quitAfter).toInt(&quitAfterOk) : -1;
    if (!quitAfterOk || (options.isSet(quitAfter) && quitAfterMs < 0)) {
        std::fprintf(stderr, "o2-haldrix: --quit-after needs a number of milliseconds\n");
        return 2;
    }

    TFMain main;
    TFAktiv busy;
    FAktiv = &busy;

    if (quitAfterMs >= 0)
        QTimer::singleShot(quitAfterMs, &main, &TFMain::CloseProgram);
    if (options.isSet(screenshots)) {
        const QString folder = QFileInfo(options.value(screenshots)).absoluteFilePath();
        QTimer::singleShot(0, &main, [&main, folder] { TakeScreenshots(&main, folder); });
    } else if (options.isSet(showLive)) {
        QTimer::singleShot(0, &main, &TFMain::PCAufzeichnungClick);
    }

    const int result = app.exec();
    FAktiv = nullptr;
    return result;
}
