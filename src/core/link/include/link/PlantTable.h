#pragma once
// What the link keeps of the last exchanges: the records its replies fill, the
// plant addressed and polled, the reply clock; and the reset of all the link's
// shared values. The plants themselves are in plant/Plant.h.

#include "plant/Plant.h"

#include <QString>
#include <QtGlobal>

extern TLiveValues PollReply;       // filled from a live ("c") reply
extern TLiveValues StoredValues;    // filled from a stored-record ("G") reply
extern TStoredStamp StoredStamp;    // stamp of the last "G" reply
extern TPlantSetup PlantSetup;      // filled from an "R" reply

extern quint8 AddressedPlant;       // plant of the last frame sent
extern quint16 PollPlant;           // initially 1
extern qint32 StoredCount;          // from the "r" reply
extern QString ClockText;           // 30 characters of the last "T" reply

// Milliseconds on a monotonic clock (for the age of live values).
qint64 LinkClockMs();
// Puts every shared value of the link back to its program-start state: the plant
// model, the records and values above, the reply state (RxBuffer, ReplyCode,
// ReplyTimedOut), port number, speed, time-outs, the port-name mapping and the
// command clock; LinkOpen too while no link exists.
void ResetLinkTables();
