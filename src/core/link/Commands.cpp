#include "link/Commands.h"
#include "link/Link.h"

namespace {

QDateTime Now()
{
    const auto &clock = LinkValues().CommandClock;
    return clock ? clock() : QDateTime::currentDateTime();
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
    LinkValues().CommandClock = std::move(now);
}

bool ReadPlantStatus(int plant)
{
    if (!ValidPlant(plant))
        return false;
    TAnlageParameter &slot = Plants().PlantTable[plant];
    slot.Present = 0;
    slot.Running = 0;
    slot.MemStatus = 0;
    if (!Exchange(LinkValues().BaseTimeout, plant, cmdReadMode))
        return false;
    if (!Exchange(LinkValues().BaseTimeout, plant, cmdReadState))
        return false;
    slot.Present = 1;
    return true;
}

bool ReadPlantSetup(int plant)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present)
        return false;
    LinkValues().PlantSetup.Valid = 0;
    if (!Exchange(LinkValues().SetupTimeout, plant, cmdReadSetup))
        return false;
    LinkValues().PlantSetup.Valid = 1;
    return true;
}

bool SetPlantMode(int plant, int mode)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present)
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
    TAnlageParameter &slot = Plants().PlantTable[plant];
    if (slot.Present && slot.Running) {
        for (int attempt = 0; attempt < 2 && slot.Running; ++attempt) {
            SendCommand(plant, cmdSwitchOff, {0});
            SendAndWait(LinkValues().BaseTimeout, plant, cmdReadState);   // a reply updates Running
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
        answered = SendAndWait(LinkValues().BaseTimeout, plant, cmdReadState);
    }
    if (!answered)
        return false;
    const TAnlageParameter &slot = Plants().PlantTable[plant];
    return slot.Running && slot.MemStatus;
}

bool ReadStoredRecordCount(int plant)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present)
        return false;
    if (Exchange(LinkValues().BaseTimeout, plant, cmdReadStoredCount) && LinkValues().StoredCount >= 0 && LinkValues().StoredCount <= 1000) {
        Plants().PlantTable[plant].Stored = LinkValues().StoredCount;
        return true;
    }
    LinkValues().StoredCount = 0;
    return false;
}

bool ReadPlantClock(int plant)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present)
        return false;
    return Exchange(LinkValues().SetupTimeout, plant, cmdReadClock);
}

bool ReadStoredRecord(int plant)
{
    return SendAndWait(LinkValues().RecordTimeout, plant, cmdReadStored);
}

void SendDate() { SendDateTo(Plants().SelectedPlant); }
void SendTime() { SendTimeTo(Plants().SelectedPlant); }

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
    const qsizetype at = LinkValues().ClockText.indexOf(QLatin1String("Zeit:"));
    const qsizetype on = LinkValues().ClockText.indexOf(QLatin1String("Datum:"));
    if (at < 0 || on < 0)
        return false;
    const QTime time = QTime::fromString(LinkValues().ClockText.mid(at + 5, on - at - 5).trimmed(), QStringLiteral("hh:mm:ss"));
    const QDate date = QDate::fromString(LinkValues().ClockText.mid(on + 6).trimmed(), QStringLiteral("dd.MM.yy"));
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
