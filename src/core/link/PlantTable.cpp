#include "link/PlantTable.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/Port.h"

#include <QElapsedTimer>

TLiveValues PollReply;
TLiveValues StoredValues;
TStoredStamp StoredStamp;
TPlantSetup PlantSetup;

quint8 AddressedPlant = 0;
quint16 PollPlant = 1;
qint32 StoredCount = 0;
QString ClockText;

qint64 LinkClockMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed() + 1;     // never 0, which means "never received"
}

void ResetLinkTables()
{
    ResetPlantModel();
    PollReply = TLiveValues();
    StoredValues = TLiveValues();
    StoredStamp = TStoredStamp();
    PlantSetup = TPlantSetup();
    AddressedPlant = 0;
    PollPlant = 1;
    StoredCount = 0;
    ClockText.clear();
    // Transient reply state too, so one test cannot leak a reply into the next.
    RxBuffer.clear();
    ReplyCode = 0;
    ReplyTimedOut = false;
    AwaitedReply = AnyReply;
    StrayReplies = 0;
    ReplyGuard = 50;
    ProbeAbsentPlants = true;
    if (TLink::Instance())
        TLink::Instance()->ForgetLateAnswers();
    ComNumber = 1;
    SpeedIndex = 0;
    BaseTimeout = 300;
    SetupTimeout = 600;
    RecordTimeout = 900;
    if (!TLink::Instance())
        LinkOpen = false;
    SetPortNameResolver({});
    SetCommandClock({});
}

