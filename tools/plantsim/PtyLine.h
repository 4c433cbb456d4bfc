#pragma once
// The simulator's end of a serial line: the master side of a new pseudo-terminal,
// or an existing serial device, in raw mode.

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

class PtyLine : public QObject {
    Q_OBJECT
public:
    explicit PtyLine(QObject *parent = nullptr);
    ~PtyLine() override;

    // Opens a pseudo-terminal; slavePath receives the path the host should open.
    bool OpenPty(QString *slavePath, QString *error);
    // Opens a serial device at the given speed (0: leave it as it is).
    bool OpenDevice(const QString &path, int baud, QString *error);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

public slots:
    void Write(const QByteArray &bytes);

signals:
    void Received(const QByteArray &bytes);
    void Lost();

private:
    void Attach();
    void ReadReady();
    void WriteReady();

    int fd_ = -1;         // master or device
    int slave_ = -1;      // kept open so the master never sees a hang-up between host sessions
    QSocketNotifier *readNotifier_ = nullptr;
    QSocketNotifier *writeNotifier_ = nullptr;
    QByteArray pending_;
};
