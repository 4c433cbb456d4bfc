#pragma once
// The one guard every test fixture uses: it puts the shared values of every library
// the test links back to their program-start state when it is made and again when
// it goes, so no test can leak state into the next. Each library has one reset
// routine; a library the test does not link is left out.

#include <QLocale>
#include <optional>

#if __has_include("plant/Plant.h")
#include "plant/Plant.h"
#define O2H_SUPPORT_PLANT 1
#endif
#if __has_include("link/PlantTable.h")
#include "link/PlantTable.h"
#define O2H_SUPPORT_LINK 1
#endif
#if __has_include("settings/SettingsFile.h")
#include "settings/SettingsFile.h"
#define O2H_SUPPORT_SETTINGS 1
#endif
#if __has_include("datafile/DataFile.h")
#include "datafile/DataFile.h"
#define O2H_SUPPORT_DATAFILE 1
#endif
#if __has_include("piles/Piles.h")
#include "piles/Piles.h"
#define O2H_SUPPORT_PILES 1
#endif
#if __has_include("widgets/MessageBox.h")
#include "widgets/MessageBox.h"
#define O2H_SUPPORT_WIDGETS 1
#endif
#if __has_include("reports/ReportForms.h")
#include "reports/ReportForms.h"
#define O2H_SUPPORT_REPORTS 1
#endif
#if __has_include("live/UAnzeige.h")
#include "live/UAnzeige.h"
#define O2H_SUPPORT_LIVE 1
#endif
#if __has_include("shell/UMain.h")
#include "shell/UMain.h"
#define O2H_SUPPORT_SHELL 1
#endif

namespace support {

inline void ResetSharedState()
{
#ifdef O2H_SUPPORT_PILES
    ResetPilesValues();
#endif
#ifdef O2H_SUPPORT_DATAFILE
    ResetDataFileState();
#endif
#ifdef O2H_SUPPORT_SETTINGS
    ResetSettingsValues();
#endif
#ifdef O2H_SUPPORT_LINK
    ResetLinkTables();          // the plant model with it
#elif defined(O2H_SUPPORT_PLANT)
    ResetPlantModel();
#endif
#ifdef O2H_SUPPORT_WIDGETS
    ResetWidgetValues();
#endif
#ifdef O2H_SUPPORT_REPORTS
    ResetReportValues();
#endif
#ifdef O2H_SUPPORT_LIVE
    ResetLiveValues();
#endif
#ifdef O2H_SUPPORT_SHELL
    ResetShellValues();
#endif
    QLocale::setDefault(QLocale::system());   // the number and date format the process started with
}

class SharedStateGuard {
public:
    SharedStateGuard() { ResetSharedState(); }
    ~SharedStateGuard() { ResetSharedState(); }
    SharedStateGuard(const SharedStateGuard &) = delete;
    SharedStateGuard &operator=(const SharedStateGuard &) = delete;
};

} // namespace support
