#pragma once
// The serial line as the link sees it: select a port by number, test it, set the
// speed, open/close, write, read, and a received-bytes event on the UI thread.
// QSerialPort backs the real one; LoopbackPort connects to an in-process peer.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class LinkPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~LinkPort() override = default;

    virtual void SetPortNumber(int n) = 0;
    virtual int PortNumber() const = 0;
    virtual void SetBaudRate(int baud) = 0;
    virtual int BaudRate() const = 0;
    // True when port n exists and can be opened (tested without keeping it open);
    // the port this object holds open counts as existing.
    virtual bool PortExists(int n) = 0;
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool WriteByte(quint8 b) = 0;
    virtual bool WriteBytes(const QByteArray &bytes) = 0;
    virtual int ReadByte() = 0;                 // -1 when nothing is waiting
    virtual int BytesAvailable() const = 0;
    virtual QString ErrorText() const = 0;      // reason of the last failure
    // The last Open failed because this user may not use the device.
    virtual bool AccessDenied() const { return false; }
    // The frame just written is usually answered with about `bytes` bytes (0: not
    // known). A port may let them gather and tell of them together instead of once a
    // byte; it must never hold back more than that many byte times.
    virtual void ExpectReply(int bytes) { Q_UNUSED(bytes); }
    // Tells at once (TriggerAvail, before returning) of every byte received so far;
    // the link calls it before it judges a reply missing or the line quiet.
    virtual void TakeGathered() {}

signals:
    // Received bytes are waiting; delivered through the event loop.
    void TriggerAvail(int count);
    // The line went away (device removed, other end of a pty closed); the port
    // has closed itself already.
    void LineLost();
};

// Maps a port number to a device: "COMn" on Windows; elsewhere whatever the
// resolver says (the settings file's [Ports] section), default /dev/ttyS<n-1>.
using PortNameResolver = std::function<QString(int)>;
void SetPortNameResolver(PortNameResolver resolver);   // empty: default mapping
QString PortDeviceName(int n);

std::unique_ptr<LinkPort> MakeSerialPort(QObject *parent = nullptr);

// In-process port for tests, benchmarks and the demo: bytes written go to the
// peer function; Inject() delivers bytes as if received, asynchronously.
class LoopbackPort : public LinkPort {
    Q_OBJECT
public:
    explicit LoopbackPort(QObject *parent = nullptr);
    void SetPeer(std::function<void(const QByteArray &)> hostWrites);
    void SetExists(bool exists);                // PortExists/Open fail when false
    QByteArray Written() const;                 // everything written since the last Clear
    void ClearWritten();

    void SetPortNumber(int n) override;
    int PortNumber() const override;
    void SetBaudRate(int baud) override;
    int BaudRate() const override;
    bool PortExists(int n) override;
    bool Open() override;
    void Close() override;
    bool IsOpen() const override;
    bool WriteByte(quint8 b) override;
    bool WriteBytes(const QByteArray &bytes) override;
    int ReadByte() override;
    int BytesAvailable() const override;
    QString ErrorText() const override;

public slots:
    void Inject(const QByteArray &bytes);       // plant → host
    void Vanish();                              // simulate the line going away

private:
    std::function<void(const QByteArray &)> peer_;
    QByteArray rx_, written_;
    int number_ = 1, baud_ = 2400;
    bool exists_ = true, open_ = false, notifyPending_ = false;
};
