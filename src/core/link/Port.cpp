#include "link/Port.h"
#include "link/LinkState.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSerialPort>
#include <QTimer>
#include <climits>

#ifndef Q_OS_WIN
#include <sys/ioctl.h>
#endif

namespace {

// The real line. A line that goes away (adapter unplugged, other end of a pty
// closed) makes QSerialPort report ReadError over and over while it stays open;
// the first such report closes the port and announces LineLost, once.
class SerialLinkPort : public LinkPort {
public:
    explicit SerialLinkPort(QObject *parent) : LinkPort(parent), port_(this)
    {
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        port_.setBaudRate(baud_);
        QObject::connect(&port_, &QSerialPort::readyRead, this, [this] {
            if (!port_.isOpen())
                return;
            if (gated_) {
                // The reply's first byte: the rest comes over the next byte times.
                // QSerialPort takes no more while its one-byte buffer is full, so the
                // system gathers them without waking the program for each (10 bits a
                // byte; a millisecond more, so the last one is there too). Bytes the
                // system has already (a line faster than its speed) do not wait.
                const int missing = gatedBytes_ - 1 - SystemQueued();
                if (missing <= 0)
                    OpenGate(true);
                else
                    gateTimer_.start(int(missing * 10000LL / qMax(baud_, 1)) + 1);
                return;
            }
            emit TriggerAvail(BytesAvailable());
        });
        gateTimer_.setSingleShot(true);
        gateTimer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&gateTimer_, &QTimer::timeout, this, [this] { OpenGate(true); });
        QObject::connect(&port_, &QSerialPort::errorOccurred, this,
                         [this](QSerialPort::SerialPortError e) { OnError(e); });
    }

    ~SerialLinkPort() override
    {
        QObject::disconnect(&port_, nullptr, this, nullptr);
        if (port_.isOpen())
            port_.close();
    }

    void SetPortNumber(int n) override { number_ = n; }
    int PortNumber() const override { return number_; }

    void SetBaudRate(int baud) override
    {
        baud_ = baud;
        port_.setBaudRate(baud);
    }
    int BaudRate() const override { return baud_; }

    bool PortExists(int n) override
    {
        if (n < 1) {
            error_ = QStringLiteral("no port number %1").arg(n);
            return false;
        }
        const QString name = PortDeviceName(n);
        if (port_.isOpen() && openedName_ == name)
            return true;        // ours: a test open would only fail on our own lock
#ifndef Q_OS_WIN
        // The device node is the port: one that another program holds, or that this
        // user may not open, still exists (opening it says why it fails).
        if (!QFileInfo::exists(name)) {
            error_ = name + QStringLiteral(": no such device");
            return false;
        }
        return true;
#else
        QSerialPort probe;
        probe.setPortName(name);
        if (!probe.open(QIODevice::ReadWrite)) {
            error_ = name + QStringLiteral(": ") + probe.errorString();
            return probe.error() == QSerialPort::PermissionError;   // held by another program
        }
        probe.close();
        return true;
#endif
    }

    bool Open() override
    {
        if (port_.isOpen())
            return true;
        if (number_ < 1) {
            error_ = QStringLiteral("no port number %1").arg(number_);
            return false;
        }
        gated_ = false;
        gateTimer_.stop();
        held_.clear();
        port_.setReadBufferSize(0);
        openedName_ = PortDeviceName(number_);
        port_.setPortName(openedName_);
        port_.setBaudRate(baud_);
        lost_ = false;
        accessDenied_ = false;
        if (!port_.open(QIODevice::ReadWrite)) {
            error_ = openedName_ + QStringLiteral(": ") + port_.errorString();
#ifndef Q_OS_WIN
            // Busy and forbidden both come as a permission error; only the device's
            // rights tell whether this user may open it at all.
            accessDenied_ = port_.error() == QSerialPort::PermissionError
                            && !(QFileInfo(openedName_).isReadable() && QFileInfo(openedName_).isWritable());
#else
            accessDenied_ = port_.error() == QSerialPort::PermissionError;
#endif
            return false;
        }
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        port_.clear();
        return true;
    }

    void Close() override
    {
        OpenGate();
        held_.clear();
        if (port_.isOpen())
            port_.close();
    }

    void TakeGathered() override { OpenGate(true); }

    // Only at slow speeds, where a byte takes milliseconds and each would otherwise
    // be a wake-up of its own; never with bytes already waiting (they would hold the
    // one-byte buffer full and nothing would tell of the reply).
    void ExpectReply(int bytes) override
    {
        OpenGate();
#ifdef Q_OS_WIN
        Q_UNUSED(bytes);        // the system's driver gathers bytes by itself there
#else
        if (bytes < 8 || baud_ > 4800 || !port_.isOpen() || BytesAvailable() > 0)
            return;
        gated_ = true;
        gatedBytes_ = bytes;
        port_.setReadBufferSize(1);
#endif
    }

    bool IsOpen() const override { return port_.isOpen(); }

    bool WriteByte(quint8 b) override
    {
        return port_.isOpen() && port_.putChar(char(b));
    }

    bool WriteBytes(const QByteArray &bytes) override
    {
        return port_.isOpen() && port_.write(bytes) == bytes.size();
    }

    int ReadByte() override
    {
        if (!held_.isEmpty()) {
            const quint8 b = quint8(held_.front());
            held_.remove(0, 1);
            return b;
        }
        char c = 0;
        if (!port_.isOpen() || !port_.getChar(&c))
            return -1;
        return quint8(c);
    }

    int BytesAvailable() const override
    {
        return port_.isOpen() ? int(qMin<qint64>(port_.bytesAvailable() + held_.size(), INT_MAX)) : 0;
    }

    QString ErrorText() const override { return error_; }
    bool AccessDenied() const override { return accessDenied_; }

private:
    // Bytes received that the system holds and QSerialPort has not read yet.
    int SystemQueued() const
    {
#ifndef Q_OS_WIN
        int n = 0;
        return ::ioctl(int(port_.handle()), FIONREAD, &n) == 0 ? n : 0;
#else
        return 0;
#endif
    }

    // Back to reading every byte as it comes. What gathered meanwhile is told of in
    // any case (a late byte must not be kept back for the next reply); with `now`
    // (the reply's time is up) at once, from the system's buffer too.
    void OpenGate(bool now = false)
    {
        if (!gated_)
            return;
        gated_ = false;
        gateTimer_.stop();
        port_.setReadBufferSize(0);
        if (!port_.isOpen())
            return;
        // Reading the buffer empty re-arms QSerialPort's notifier, which then takes
        // all the system gathered in one go and tells of it (readyRead).
        held_ += port_.readAll();
        if (now)
            port_.waitForReadyRead(0);      // reads what waits; its readyRead tells of it
        if (!held_.isEmpty())
            QMetaObject::invokeMethod(this, [this] {
                if (!gated_ && BytesAvailable() > 0)
                    emit TriggerAvail(BytesAvailable());
            }, Qt::QueuedConnection);
    }

    void OnError(QSerialPort::SerialPortError e)
    {
        if (e != QSerialPort::ReadError && e != QSerialPort::ResourceError)
            return;             // NoError follows every good open; others are per call
        if (lost_ || !port_.isOpen())
            return;
        lost_ = true;
        error_ = openedName_ + QStringLiteral(": ") + port_.errorString();
        port_.close();          // stops the read notifier that keeps reporting
        emit LineLost();
    }

    QSerialPort port_;
    QTimer gateTimer_;
    bool gated_ = false;        // the expected reply gathers in the system's buffer
    int gatedBytes_ = 0;
    QByteArray held_;           // taken from QSerialPort when the gate opened, not yet read
    QString error_;
    QString openedName_;    // device path as given; portName() drops "/dev/"
    int number_ = 1;
    int baud_ = 2400;
    bool lost_ = false;
    bool accessDenied_ = false;
};

} // namespace

void SetPortNameResolver(PortNameResolver resolver)
{
    LinkValues().PortNames = std::move(resolver);
}

QString PortDeviceName(int n)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    if (const PortNameResolver &names = LinkValues().PortNames) {
        const QString name = names(n);
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

std::unique_ptr<LinkPort> MakeSerialPort(QObject *parent)
{
    return std::make_unique<SerialLinkPort>(parent);
}

// ---------------------------------------------------------------------------

LoopbackPort::LoopbackPort(QObject *parent) : LinkPort(parent) {}

void LoopbackPort::SetPeer(std::function<void(const QByteArray &)> hostWrites)
{
    peer_ = std::move(hostWrites);
}

void LoopbackPort::SetExists(bool exists) { exists_ = exists; }
QByteArray LoopbackPort::Written() const { return written_; }
void LoopbackPort::ClearWritten() { written_.clear(); }
void LoopbackPort::SetPortNumber(int n) { number_ = n; }
int LoopbackPort::PortNumber() const { return number_; }
void LoopbackPort::SetBaudRate(int baud) { baud_ = baud; }
int LoopbackPort::BaudRate() const { return baud_; }
bool LoopbackPort::PortExists(int n) { return exists_ && n >= 1; }

bool LoopbackPort::Open()
{
    if (!exists_ || number_ < 1)
        return false;
    open_ = true;
    return true;
}

void LoopbackPort::Close()
{
    open_ = false;
    rx_.clear();
}

bool LoopbackPort::IsOpen() const { return open_; }

bool LoopbackPort::WriteByte(quint8 b)
{
    return WriteBytes(QByteArray(1, char(b)));
}

bool LoopbackPort::WriteBytes(const QByteArray &bytes)
{
    if (!open_)
        return false;
    written_.append(bytes);
    if (peer_)
        peer_(bytes);
    return true;
}

int LoopbackPort::ReadByte()
{
    if (rx_.isEmpty())
        return -1;
    const int b = quint8(rx_.at(0));
    rx_.remove(0, 1);
    return b;
}

int LoopbackPort::BytesAvailable() const { return int(rx_.size()); }

QString LoopbackPort::ErrorText() const
{
    return exists_ ? QString() : QStringLiteral("loopback port disabled");
}

void LoopbackPort::Inject(const QByteArray &bytes)
{
    if (!open_ || bytes.isEmpty())
        return;                 // a closed port receives nothing
    rx_.append(bytes);
    if (notifyPending_)
        return;                 // one pending notification covers everything queued
    notifyPending_ = true;
    QMetaObject::invokeMethod(this, [this] {
        notifyPending_ = false;
        if (open_ && !rx_.isEmpty())
            emit TriggerAvail(int(rx_.size()));
    }, Qt::QueuedConnection);
}

void LoopbackPort::Vanish()
{
    if (!open_)
        return;
    open_ = false;
    rx_.clear();
    emit LineLost();
}
