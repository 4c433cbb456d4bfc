#include "piles/Discovery.h"

#include "datafile/DataFile.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "piles/Piles.h"
#include "settings/SettingsFile.h"

void RunPlantDiscovery(const std::function<void(int plant)> &progress, QString *notice)
{
    if (!LinkOpen) {
        StopTimer();            // no line: nothing to poll either
        ResetPlantTables();
        return;
    }
    const PollPause pause;
    ResetPlantTables();
    for (int n = 1; n <= PlantCount; ++n)
        LoadPlantSettings(n);
    const QString shared = ReleaseSharedDataFiles();
    if (notice)
        *notice = shared;
    for (int n = 1; n <= PlantCount; ++n) {
        if (progress)
            progress(n);
        ReadPlantStatus(n);
    }
    ApplyDiscovery();
    LearnRequest = false;
}

void ApplyDiscovery()
{
    for (int n = 1; n <= PlantCount && n <= MaxPlants; ++n) {
        tAnlageParameter &plant = PlantTable[n];
        if (plant.Present && plant.Mode == ModeControl)
            plant.Mode = ModeO2Control;
        if (plant.Present && plant.Running) {
            if (plant.Datei.isEmpty())
                MakeDataFileName(n);
        } else {
            plant.Datei.clear();
            plant.Anzahl = 0;
        }
    }
    SelectedPlant = 1;
    for (int n = 1; n <= PlantCount && n <= MaxPlants; ++n) {
        if (PlantTable[n].Present) {
            SelectedPlant = quint16(n);
            break;
        }
    }
}
