#pragma once
// An in-process plant behind a LoopbackPort: splits what the host writes into
// frames and answers them from a script. Replies are injected, so they arrive
// through the event loop like real received bytes.

#include "link/Link.h"
#include "link/Port.h"
#include "support/SharedState.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <functional>

struct Frame {
    int plant = 0;
    char command = 0;
    QByteArray params;
};

class ScriptedPlant {
public:
    explicit ScriptedPlant(LoopbackPort *port) : port_(port)
    {
        port_->SetPeer([this](const QByteArray &bytes) { Receive(bytes); });
    }

    // Answer for command character `c`; an empty answer means silence. Answers
    // set with Then() are used once each, in order, before the standing one.
    void Answer(char c, const QByteArray &reply) { standing_[c] = reply; }
    void Then(char c, const QByteArray &reply) { queued_[c].append(reply); }
    void Silence(char c) { standing_.remove(c); queued_.remove(c); }
    // Called for each frame before the script; may change the script.
    std::function<void(const Frame &)> onFrame;
    bool echo = false;

    QList<Frame> frames;
    int Count(char c) const
    {
        int n = 0;
        for (const Frame &f : frames)
            n += f.command == c;
        return n;
    }
    QByteArray Commands() const
    {
        QByteArray s;
        for (const Frame &f : frames)
            s.append(f.command);
        return s;
    }

private:
    static int ParamLength(char c)
    {
        switch (c) {
        case 'Z': case 'D': return 6;
        case 'I': case 'E': case 'O': return 4;
        case 'n': case 'N': case 'p': return 8;
        default: return 0;
        }
    }

    void Receive(const QByteArray &bytes)
    {
        if (echo)
            port_->Inject(bytes);       // a half-duplex adapter hears its own frame
        pending_.append(bytes);
        while (pending_.size() >= 2) {
            const int need = 2 + ParamLength(pending_.at(1));
            if (pending_.size() < need)
                return;
            Frame f{quint8(pending_.at(0)), pending_.at(1), pending_.mid(2, need - 2)};
            pending_.remove(0, need);
            frames.append(f);
            if (onFrame)
                onFrame(f);
            QByteArray reply;
            if (!queued_.value(f.command).isEmpty())
                reply = queued_[f.command].takeFirst();
            else
                reply = standing_.value(f.command);
            if (!reply.isEmpty())
                port_->Inject(reply);
        }
    }

    LoopbackPort *port_;
    QByteArray pending_;
    QMap<char, QByteArray> standing_;
    QMap<char, QList<QByteArray>> queued_;
};

// A TLink on a LoopbackPort, opened, with a plant behind it and short time-outs.
struct LinkFixture {
    support::SharedStateGuard guard;
    TLink link;
    LoopbackPort *port;
    ScriptedPlant plant;

    LinkFixture() : port(MakePort()), plant(port)
    {
        LinkValues().BaseTimeout = 40;
        LinkValues().SetupTimeout = 60;
        LinkValues().RecordTimeout = 60;
        link.SetPort(std::unique_ptr<LinkPort>(port));
        link.OpenLink();
        link.StopTimer();   // tests drive the poll by hand
    }

private:
    static LoopbackPort *MakePort() { return new LoopbackPort; }
};
