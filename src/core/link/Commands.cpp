#include "link/Commands.h"
#include "link/Link.h"

namespace {

std::function<QDateTime()> &Clock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QDateTime Now()
{
    return Clock() ? Clock()() : QDateTime::currentDateTime();
}

bool ValidPlant(int plant)
{
    return plant >= 1 && plant <= MaxPlants;
}

// One exchange, tried at most twice.
bool Exchange(int timeout, int plant, TCommand command)
{
    return SendAndWait(timeout, plant, command) || SendAndWait(timeout, plant, command);
}

} // namespace

void SetCommandClock(std::function<QDateTime()> now)
{
    Clock() = std::move(now);
}

bool ReadPlantStatus(int plant)
{
    if (!ValidPlant(plant))
        return false;
    tAnlageParameter &slot = PlantTable[plant];
    slot.Present = 0;
    slot.Running = 0;
    slot.MemStatus = 0;
    if (!Exchange(BaseTimeout, plant, cmdReadMode))
        return false;
    if (!Exchange(BaseTimeout, plant, cmdReadState))
        return false;
    slot.Present = 1;
    return true;
}

bool ReadPlantSetup(int plant)
{
    if (!ValidPlant(plant) || !PlantTable[plant].Present)
        return false;
    PlantSetup.Valid = 0;
    if (!Exchange(SetupTimeout, plant, cmdReadSetup))
        return false;
    PlantSetup.Valid = 1;
    return true;
}

bool SetPlantMode(int plant, int mode)
{
    if (!ValidPlant(plant) || !PlantTable[plant].Present)
        return false;
    TCommand command = cmdNone;
    switch (mode) {
    case ModeFanOff: command = cmdFanOff; break;
    case ModeFanOn: command = cmdFanOn; break;
    case ModeInterval: command = cmdInterval; break;
    case ModeO2Control:
    case ModeControl: command = cmdO2Control; break;
    default: return false;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        SendCommand(plant, command, {0});
        if (ReadPlantStatus(plant))
            return true;
    }
    return false;
}

bool SwitchPlantOff(int plant)
{
    if (!ValidPlant(plant))
        return false;
    tAnlageParameter &slot = PlantTable[plant];
    if (slot.Present && slot.Running) {
        for (int attempt = 0; attempt < 2 && slot.Running; ++attempt) {
            SendCommand(plant, cmdSwitchOff, {0});
            SendAndWait(BaseTimeout, plant, cmdReadState);   // a reply updates Running
        }
        if (slot.Running)
            return false;
    }
    slot.Datei.clear();
    slot.Anzahl = 0;
    return true;
}

bool SwitchPlantOn(int plant)
{
    if (!ValidPlant(plant))
        return false;
    bool answered = false;
    for (int attempt = 0; attempt < 2 && !answered; ++attempt) {
        SendCommand(plant, cmdSwitchOn, {0});
        answered = SendAndWait(BaseTimeout, plant, cmdReadState);
    }
    if (!answered)
        return false;
    const tAnlageParameter &slot = PlantTable[plant];
    return slot.Running && slot.MemStatus;
}

bool ReadStoredRecordCount(int plant)
{
    if (!ValidPlant(plant) || !PlantTable[plant].Present)
        return false;
    if (Exchange(BaseTimeout, plant, cmdReadStoredCount) && StoredCount >= 0 && StoredCount <= 1000) {
        PlantTable[plant].Stored = StoredCount;
        return true;
    }
    StoredCount = 0;
    return false;
}

bool ReadPlantClock(int plant)
{
    if (!ValidPlant(plant) || !PlantTable[plant].Present)
        return false;
    return Exchange(SetupTimeout, plant, cmdReadClock);
}

bool ReadStoredRecord(int plant)
{
    return SendAndWait(RecordTimeout, plant, cmdReadStored);
}

void SendDate() { SendDateTo(SelectedPlant); }
void SendTime() { SendTimeTo(SelectedPlant); }

void SendDateTo(int plant)
{
    const QDate date = Now().date();
    SendCommand(plant, cmdSetDate,
                {quint16(date.day()), quint16(date.month()), quint16(((date.year() % 100) + 100) % 100)});
}

void SendTimeTo(int plant)
{
    const QTime time = Now().time();
    SendCommand(plant, cmdSetTime,
                {quint16(time.hour()), quint16(time.minute()), quint16(time.second())});
}

bool ReadPlantClockTime(int plant, QDateTime &clock)
{
    if (!ReadPlantClock(plant))
        return false;
    const qsizetype at = ClockText.indexOf(QLatin1String("Zeit:"));
    const qsizetype on = ClockText.indexOf(QLatin1String("Datum:"));
    if (at < 0 || on < 0)
        return false;
    const QTime time = QTime::fromString(ClockText.mid(at + 5, on - at - 5).trimmed(), QStringLiteral("hh:mm:ss"));
    const QDate date = QDate::fromString(ClockText.mid(on + 6).trimmed(), QStringLiteral("dd.MM.yy"));
    if (!time.isValid() || !date.isValid())
        return false;
    // Two-digit years are this century's, as the plant counts them.
    clock = QDateTime(QDate(2000 + date.year() % 100, date.month(), date.day()), time, Qt::UTC);
    return true;
}

QDateTime CommandClockTime()
{
    const QDateTime now = Now();
    return QDateTime(now.date(), now.time(), Qt::UTC);
}
