#pragma once
#include <QDateTime>
#include <functional>
// Operations on one plant. Each exchange is tried at most twice; results land in
// the shared records. Callers stop the poll timer around them and show messages.

bool ReadPlantStatus(int plant);
bool ReadPlantSetup(int plant);
bool SetPlantMode(int plant, int mode);
bool SwitchPlantOff(int plant);
bool SwitchPlantOn(int plant);
bool ReadStoredRecordCount(int plant);
bool ReadPlantClock(int plant);
bool ReadStoredRecord(int plant);   // one "G" exchange, RecordTimeout, one attempt
void SendDate();                    // PC date / time to SelectedPlant, no reply awaited
void SendTime();
void SendDateTo(int plant);         // the same to another plant (the clock dialog)
void SendTimeTo(int plant);
// Reads the plant's clock ("TZeit: hh:mm:ss Datum:dd.MM.yy"); false when it did not
// answer or its text forms no time. The plant's clock knows no zone: UTC.
bool ReadPlantClockTime(int plant, QDateTime &clock);
// The PC time that SendDate/SendTime would send now, as a wall time (UTC).
QDateTime CommandClockTime();

// The PC clock that SendDate/SendTime read; tests put in a fixed time. Empty: system clock.
void SetCommandClock(std::function<QDateTime()> now);
