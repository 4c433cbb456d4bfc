#pragma once
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

// The PC clock that SendDate/SendTime read; tests put in a fixed time. Empty: system clock.
#include <QDateTime>
#include <functional>
void SetCommandClock(std::function<QDateTime()> now);
