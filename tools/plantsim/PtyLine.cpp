#include "PtyLine.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool MakeRaw(int fd, int baud)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    speed_t speed = 0;
    switch (baud) {
    case 1200: speed = B1200; break;
    case 2400: speed = B2400; break;
    case 4800: speed = B4800; break;
    case 9600: speed = B9600; break;
    case 19200: speed = B19200; break;
    case 38400: speed = B38400; break;
    case 57600: speed = B57600; break;
    case 115200: speed = B115200; break;
    default: break;
    }
    if (speed) {
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
    }
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

QString Errno()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PtyLine::PtyLine(QObject *parent) : QObject(parent) {}

PtyLine::~PtyLine()
{
    Close();
}

bool PtyLine::OpenPty(QString *slavePath, QString *error)
{
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("openpty: ") + Errno();
        return false;
    }
    MakeRaw(slave, 0);
    MakeRaw(master, 0);
    fd_ = master;
    slave_ = slave;
    *slavePath = QString::fromLocal8Bit(name);
    Attach();
    return true;
}

bool PtyLine::OpenDevice(const QString &path, int baud, QString *error)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *error = path + QStringLiteral(": ") + Errno();
        return false;
    }
    if (!MakeRaw(fd, baud)) {
        *error = path + QStringLiteral(": not a serial device (") + Errno() + QLatin1Char(')');
        ::close(fd);
        return false;
    }
    fd_ = fd;
    Attach();
    return true;
}

void PtyLine::Attach()
{
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
    readNotifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PtyLine::ReadReady);
    writeNotifier_ = new QSocketNotifier(fd_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PtyLine::WriteReady);
}

void PtyLine::Close()
{
    delete readNotifier_;
    readNotifier_ = nullptr;
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    if (fd_ >= 0)
        ::close(fd_);
    if (slave_ >= 0)
        ::close(slave_);
    fd_ = slave_ = -1;
    pending_.clear();
}

void PtyLine::ReadReady()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            emit Received(QByteArray(buf, int(n)));
            if (fd_ < 0)
                return;   // closed from within the handler
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        readNotifier_->setEnabled(false);
        emit Lost();
        return;
    }
}

void PtyLine::Write(const QByteArray &bytes)
{
    if (fd_ < 0)
        return;
    pending_ += bytes;
    WriteReady();
}

void PtyLine::WriteReady()
{
    while (!pending_.isEmpty()) {
        const ssize_t n = ::write(fd_, pending_.constData(), size_t(pending_.size()));
        if (n > 0) {
            pending_.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            writeNotifier_->setEnabled(true);
            return;
        }
        pending_.clear();
        return;
    }
    if (writeNotifier_)
        writeNotifier_->setEnabled(false);
}
