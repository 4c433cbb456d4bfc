#pragma once
// The plant simulator program on its own pseudo-terminal, for tests that need the
// real serial port or the real program; and its line trace as records.

#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace support {

struct TraceLine {
    double ms = 0;
    QString event;
    int plant = 0;
    QString frame;      // command character and digits
};

// One simulator process on its own pseudo-terminal, tracing into a file.
class Simulator {
public:
    ~Simulator() { Stop(); }

    // Starts it and reads the terminal's path; with a trace file its line trace goes there.
    bool Start(const QStringList &args, const QString &traceFile = QString())
    {
        trace_ = traceFile;
        proc_.setProgram(QStringLiteral(O2H_PLANTSIM_EXE));
        proc_.setArguments(traceFile.isEmpty() ? args : args + QStringList{QStringLiteral("--trace"), traceFile});
        proc_.setProcessChannelMode(QProcess::SeparateChannels);
        proc_.start();
        if (!proc_.waitForStarted(5000))
            return false;
        while (!proc_.canReadLine())
            if (!proc_.waitForReadyRead(5000))
                return false;
        pty_ = QString::fromLocal8Bit(proc_.readLine()).trimmed();
        return pty_.startsWith(QLatin1Char('/'));
    }

    void Stop()
    {
        if (proc_.state() == QProcess::NotRunning)
            return;
        proc_.terminate();
        if (!proc_.waitForFinished(3000)) {
            proc_.kill();
            proc_.waitForFinished(3000);
        }
    }

    QString Pty() const { return pty_; }
    QProcess &Process() { return proc_; }

    QList<TraceLine> Trace() const
    {
        QList<TraceLine> lines;
        QFile f(trace_);
        if (!f.open(QIODevice::ReadOnly))
            return lines;
        for (const QByteArray &raw : f.readAll().split('\n')) {
            const QList<QByteArray> t = raw.trimmed().split(' ');
            if (t.size() < 2)
                continue;
            TraceLine l;
            l.ms = t[0].toDouble();
            l.event = QString::fromLatin1(t[1]);
            if (t.size() > 2)
                l.plant = t[2].toInt();
            if (t.size() > 3)
                l.frame = QString::fromLatin1(t[3]);
            lines << l;
        }
        return lines;
    }

    // Frames the program sent to plants that answer (RX) or not (IGN), in order.
    QList<TraceLine> Frames() const
    {
        QList<TraceLine> out;
        for (const TraceLine &l : Trace())
            if (l.event == QLatin1String("RX") || l.event == QLatin1String("IGN"))
                out << l;
        return out;
    }

    // Frames the program sent while another plant's reply was due (the line monitor).
    int FramesOverReply() const
    {
        int n = 0;
        for (const TraceLine &l : Trace())
            n += l.event == QLatin1String("OVER");
        return n;
    }

private:
    QProcess proc_;
    QString pty_, trace_;
};

} // namespace support
