#pragma once
// The link's shared values: the line's settings, the state of the exchange under
// way and the records its replies fill. One LinkState exists (LinkValues()); the
// reset puts it back to its program-start state.

#include "link/Port.h"
#include "plant/Plant.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

enum TCommand : quint8 {
    cmdNone = 0, cmdReadMode = 1, cmdReadSetup = 2, cmdFanOn = 3, cmdFanOff = 4,
    cmdInterval = 5, cmdO2Control = 6, cmdSwitchOff = 7, cmdSetTime = 8, cmdSetDate = 9,
    cmdSetStoreInterval = 10, cmdSetIntervalOn = 11, cmdSetIntervalOff = 12,
    cmdSetControlTimes = 13, cmdSetMaxTimes = 14, cmdSetO2Limits = 15,
    cmdReadStoredCount = 16, cmdSwitchOn = 17, cmdReadState = 18, cmdReadLive = 19,
    cmdReadStored = 20, cmdReadClock = 21
};

// Replies carry no plant number, so only the reply the link is waiting for may
// change the shared tables: AwaitedReply is that command (cmdNone while nothing is
// outstanding, AnyReply for callers that feed the parser themselves).
constexpr quint8 AnyReply = 0xFF;

struct LinkState {
    // The line
    quint16 ComNumber = 1;          // serial port number
    quint8 SpeedIndex = 0;          // 0→2400, 1→4800, 2→9600, 3→19200, else 2400
    bool LinkOpen = false;
    quint16 BaseTimeout = 300;      // ms ([COM] TIMEOUT)
    quint16 SetupTimeout = 600;     // ms
    quint16 RecordTimeout = 900;    // ms
    PortNameResolver PortNames;     // port number → device; empty: the default mapping
    // The exchange
    quint8 ReplyCode = 0;
    bool ReplyTimedOut = false;
    QByteArray RxBuffer;            // received characters not yet parsed
    quint8 AwaitedReply = AnyReply;
    quint32 StrayReplies = 0;       // replies and bytes nobody waited for, dropped
    quint8 LastStrayReply = cmdNone;    // the command the last dropped reply answered
    // After a time-out the line must have been quiet this long (ms) before the next
    // frame, other than a retry of the same frame, goes out; bytes meanwhile are
    // dropped and restart it. It grows to cover replies seen later than that.
    quint16 ReplyGuard = 50;
    // The poll asks every address that has not answered (slot not Present) for its
    // mode in that address's own slot of the cycle; an answer is signalled
    // (TLink::AddressAnswered). Tests that count frames may switch it off.
    bool ProbeAbsentPlants = true;
    quint8 AddressedPlant = 0;      // plant of the last frame sent
    quint16 PollPlant = 1;
    std::function<QDateTime()> CommandClock;    // the PC's time for clock commands; empty: now
    // What the replies filled
    TLiveValues PollReply;          // from a live ("c") reply
    TLiveValues StoredValues;       // from a stored-record ("G") reply
    TStoredStamp StoredStamp;       // stamp of the last "G" reply
    TPlantSetup PlantSetup;         // from an "R" reply
    qint32 StoredCount = 0;         // from the "r" reply
    QString ClockText;              // 30 characters of the last "T" reply
};

LinkState &LinkValues();
