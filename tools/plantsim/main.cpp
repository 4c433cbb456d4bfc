// plantsim: simulated aeration plants on a pseudo-terminal (or a serial device).
#include "PtyLine.h"
#include "plantsim/Bus.h"
#include "plantsim/Options.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &b, 1);
}

void Print(FILE *f, const QString &text)
{
    const QByteArray b = text.toLocal8Bit();
    std::fwrite(b.constData(), 1, size_t(b.size()), f);
    std::fflush(f);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    plantsim::CliOptions options;
    QString error;
    if (!plantsim::ParseArguments(app.arguments().mid(1), options, &error)) {
        Print(stderr, QStringLiteral("plantsim: ") + error + QLatin1Char('\n'));
        return 2;
    }
    if (options.help) {
        Print(stdout, plantsim::UsageText());
        return 0;
    }
    if (options.version) {
        Print(stdout, QStringLiteral("plantsim " O2H_VERSION "\n"));
        return 0;
    }

    QFile traceFile;
    FILE *traceStream = nullptr;
    if (options.trace == QLatin1String("-")) {
        traceStream = stderr;
    } else if (!options.trace.isEmpty()) {
        traceFile.setFileName(options.trace);
        if (!traceFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            Print(stderr, QStringLiteral("plantsim: cannot write %1: %2\n").arg(options.trace, traceFile.errorString()));
            return 2;
        }
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        Print(stderr, QStringLiteral("plantsim: socketpair failed\n"));
        return 1;
    }
    struct sigaction sa{};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&]() {
        char b;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &b, 1);
        app.quit();
    });

    // The plants (and their history) exist before the path is printed: a host that
    // starts talking at once must not run into its time-outs.
    plantsim::Bus bus(options.bus);
    // The site goes on where the last run left it, as real plants do across a PC
    // restart: no history is made up twice.
    auto saveSite = [&]() {
        if (options.state.isEmpty())
            return true;
        QSaveFile out(options.state);
        const QByteArray bytes = bus.SaveState();
        const bool ok = out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.flush()
            && out.error() == QFileDevice::NoError && out.commit();
        if (!ok)
            Print(stderr, QStringLiteral("plantsim: cannot save %1: %2\n").arg(options.state, out.errorString()));
        return ok;
    };
    // A FIFO or a device there would block the start (and every signal with it) for
    // good; a folder cannot take the state.
    if (!options.state.isEmpty() && QFileInfo::exists(options.state) && !QFileInfo(options.state).isFile()) {
        Print(stderr, QStringLiteral("plantsim: %1: not a regular file\n").arg(options.state));
        return 2;
    }
    if (!options.state.isEmpty() && QFile::exists(options.state)) {
        QFile in(options.state);
        if (!in.open(QIODevice::ReadOnly) || !bus.LoadState(in.readAll(), &error)) {
            Print(stderr, QStringLiteral("plantsim: %1: %2\n").arg(options.state, error.isEmpty() ? in.errorString() : error));
            return 2;
        }
    }
    QTimer saveTimer;
    if (!options.state.isEmpty()) {
        // Every simulated hour, at most once a second.
        saveTimer.setInterval(int(std::clamp(3'600'000.0 / options.bus.timeFactor, 1000.0, 3'600'000.0)));
        QObject::connect(&saveTimer, &QTimer::timeout, &app, saveSite);
        saveTimer.start();
    }
    PtyLine line;
    // The host finds the line under the link's fixed name, also after it returned.
    auto pointLink = [&options](const QString &path) {
        if (options.link.isEmpty())
            return true;
        const QByteArray target = QFile::encodeName(path), name = QFile::encodeName(options.link);
        const QByteArray temp = name + ".new";
        ::unlink(temp.constData());
        return ::symlink(target.constData(), temp.constData()) == 0 && ::rename(temp.constData(), name.constData()) == 0;
    };
    if (options.device.isEmpty()) {
        QString path;
        if (!line.OpenPty(&path, &error) || !pointLink(path)) {
            Print(stderr, QStringLiteral("plantsim: ") + (error.isEmpty() ? QStringLiteral("cannot make the link") : error) + QLatin1Char('\n'));
            return 1;
        }
        Print(stdout, (options.link.isEmpty() ? path : options.link) + QLatin1Char('\n'));
    } else {
        if (!line.OpenDevice(options.device, options.bus.baud, &error)) {
            Print(stderr, QStringLiteral("plantsim: ") + error + QLatin1Char('\n'));
            return 1;
        }
        Print(stdout, options.device + QLatin1Char('\n'));
    }

    QObject::connect(&line, &PtyLine::Received, &bus, &plantsim::Bus::Receive);
    QObject::connect(&bus, &plantsim::Bus::Transmit, &line, &PtyLine::Write);
    QObject::connect(&bus, &plantsim::Bus::Trace, &app, [&](const QString &text) {
        const QByteArray b = text.toUtf8() + '\n';
        if (traceStream) {
            std::fwrite(b.constData(), 1, size_t(b.size()), traceStream);
            std::fflush(traceStream);
        } else if (traceFile.isOpen()) {
            traceFile.write(b);
        }
    });
    QObject::connect(&bus, &plantsim::Bus::LineVanished, &app, [&]() {
        line.Close();
        if (options.returnAfterMs < 0 || !options.device.isEmpty()) {
            app.quit();
            return;
        }
        if (!options.link.isEmpty())
            QFile::remove(options.link);
        QTimer::singleShot(options.returnAfterMs, &app, [&]() {
            QString path, why;
            if (!line.OpenPty(&path, &why) || !pointLink(path)) {
                Print(stderr, QStringLiteral("plantsim: the line cannot return: ") + why + QLatin1Char('\n'));
                app.quit();
                return;
            }
            bus.Return();
        });
    });
    int status = 0;
    QObject::connect(&line, &PtyLine::Lost, &app, [&]() {
        Print(stderr, QStringLiteral("plantsim: the line went away\n"));
        status = 1;
        app.quit();
    });

    const int rc = app.exec();
    line.Close();
    if (!saveSite() && !status)
        status = 1;
    return status ? status : rc;
}
