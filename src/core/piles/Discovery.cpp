#include "piles/Discovery.h"

#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "plant/Plant.h"
#include "link/PollPause.h"
#include "piles/Interrupted.h"
#include "piles/Piles.h"
#include "settings/SettingsFile.h"

void RunPlantDiscovery(const std::function<void(int plant)> &progress, QString *notice)
{
    if (!LinkValues().LinkOpen) {
        StopPolling();            // no line: nothing to poll either
        ForgetPlantPresence();
        return;
    }
    const PollPause pause;
    ForgetPlantPresence();
    for (int n = 1; n <= Plants().PlantCount; ++n)
        LoadPlantSettings(n);
    for (int n = 1; n <= Plants().PlantCount; ++n) {
        if (progress)
            progress(n);
        ReadPlantStatus(n);
    }
    // A pile the settings know of is worth asking again at once: one lost reply
    // must not leave it unread until the poll's question finds it.
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n)
        for (int again = 0; again < 2 && PlantMissing(n); ++again)
            ReadPlantStatus(n);
    // Only the status replies tell which of two sections naming one file runs its pile.
    const QString shared = ReleaseSharedDataFiles();
    if (notice)
        *notice = shared;
    ApplyDiscovery();
    const QString cut = CheckInterruptedTransfer();
    if (notice && !cut.isEmpty())
        *notice += (notice->isEmpty() ? QString() : QStringLiteral("\n\n")) + cut;
    Settings().LearnRequest = false;
}

namespace {

void ApplyStatusOf(int n)
{
    TAnlageParameter &plant = Plants().PlantTable[n];
    if (!plant.Present)
        return;     // a missing plant keeps its pile's file: it is asked again
    if (plant.Mode == ModeControl)
        plant.Mode = ModeO2Control;
    if (plant.Running) {
        if (plant.Datei.isEmpty())
            MakeDataFileName(n);
    } else {
        plant.Datei.clear();
        plant.Anzahl = 0;
    }
}

bool InsideExchange()
{
    return PollPause::Active() || (TLink::Instance() && TLink::Instance()->WaitActive());
}

} // namespace

bool PlantMissing(int n)
{
    return n >= 1 && n <= MaxPlants && !Plants().PlantTable[n].Present && !Plants().PlantTable[n].Datei.isEmpty();
}

bool LearnPlant(int n)
{
    if (n < 1 || n > Plants().PlantCount || n > MaxPlants || !LinkValues().LinkOpen)
        return false;
    if (Plants().PlantTable[n].Present)
        return true;
    const PollPause pause;
    // Twice: on a line that loses replies one lost answer must not cost a cycle.
    if (!ReadPlantStatus(n) && !ReadPlantStatus(n))
        return false;
    ApplyStatusOf(n);
    return true;
}

void FollowLateAnswers(const std::function<void(int plant)> &learned)
{
    TLink *link = TLink::Instance();
    if (!link)
        return;
    QObject::connect(link, &TLink::AddressAnswered, link, [learned](int n) {
        // Inside another sequence the next cycle's question finds the plant again.
        if (InsideExchange() || !LearnPlant(n))
            return;
        if (learned)
            learned(n);
    }, Qt::QueuedConnection);
}

void ApplyDiscovery()
{
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n)
        ApplyStatusOf(n);
    Plants().SelectedPlant = 1;
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n) {
        if (Plants().PlantTable[n].Present) {
            Plants().SelectedPlant = quint16(n);
            break;
        }
    }
}
