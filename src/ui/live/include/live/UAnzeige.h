#pragma once
// The live display: instruments for the selected plant, a status row per plant,
// the plant tabs and the pile-management menu. It never asks the plants itself;
// the main window's poll keeps LiveTable current and this window shows it once a second.

#include "plant/Plant.h"

#include <QDateTime>
#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QAction;

namespace Ui { class TFAnzeige; }
class QLabel;
class QTimer;
class TTitledGrid;

class TFAnzeige;

// Heartbeat position 1..10 of the live display, kept across openings of the window.
extern int DispHeartbeat;
// The live display while it exists (it is made for one showing), else nullptr.
extern TFAnzeige *FAnzeige;
// Puts the values above back to their program-start state.
void ResetLiveValues();

class TFAnzeige : public QDialog {
    Q_OBJECT
public:
    // Tabs, menus, pile name and status bar after the plant table changed.
    void UpdateSelectionState();
    explicit TFAnzeige(QWidget *parent = nullptr);
    ~TFAnzeige() override;

    // Display timer (1000 ms) and the link's poll timer; every plant exchange
    // started from this window is bracketed by StopTimer / StartTimer.
    void StartTimer();
    void StopTimer();

    void FillRowTitles();
    void ShowPlant();
    void ShowGrid();
    void ShowGridRow(int n);

    // Activation: select the current plant's tab, refresh, start the timers.
    void FormActivate();
    // Plant selection from TabControl1: menus, captions and status bar follow the slot.
    void TabControl1Change();
    void DispTimerOnTimer();

    // Menu handlers.
    void Ende1Click();
    void OfflineDatenauslesen1Click();
    void Mieteneustarten1Click();
    void Mietefortfuehren1Click();
    void Mietebeenden1Click();
    void Speicherstatus1Click();
    void StatusAnzeigeClick();
    void Einstellwerte1Click();
    void Datumsetzen1Click();
    void About1Click();

    // Mode tabs: a user's change is allowed only for a plant with a running pile.
    bool BetriebsArtTabChanging() const;
    void BetriebsArtTabChange(int index);

    // Pile management (the sequences themselves are in the piles library).
    void EndPile();
    bool SaveCurrentPlant();
    bool SavePlant(int n);

    QTimer *DispTimer() const { return dispTimer_; }
    TTitledGrid *Grid() const;              // BPAnzGrid
    TTitledGrid *StatusGrid() const;        // StatusAnzeige
    QString StatusPanelText(int panel) const;
    void SetStatusPanelText(int panel, const QString &text);

    // The mode tab index shown for a mode value (0..3 as is; control mode on the
    // O2 tab it falls back from); -1 leaves the tab unchanged.
    static int ModeTabIndex(int mode);

protected:
    // The daily readout check, fourth step of every display tick: at the readout
    // hour (and once per tick for each day missed) every running pile's memory goes
    // into its data file; the results are listed in StatusAnzeige.
    virtual void CheckDailyReadout();

    bool event(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    std::unique_ptr<Ui::TFAnzeige> ui;
    QTimer *dispTimer_;
    QLabel *panels_[4];
    QLabel *savePanel_ = nullptr;
    QDateTime lostSince_;                   // when the line was lost (invalid: it is open)
    QLabel *sitePanel_ = nullptr;
    QLabel *memoryPanel_ = nullptr;         // the daily readout off
    QLabel *memoryBand_ = nullptr;          // plant memories filling
    QLabel *linkPanel_;                     // link state and age of the shown values
    bool settingModeTab_ = false;
    int modeTabShown_ = 0;                  // mode tab last set from the plant
    QString statusTitle_;                   // initial title of the readout column

    void PlaceInstruments();
    void SetupGrids();
    void ApplyUnits();
    void Retranslate();
    void SetModeTab(int mode);
    void ShowPlantTabStates();
    void ShowLinkState();
    void ShowSaveState();
    void ShowSiteState();      // the site view's connection, while one is set up
    void ShowMemoryState();
    void ShowLineBand();
    QString LineLostText() const;
    QString SilentText(int plant) const;
    QString SilentTime(int plant) const;
    std::array<QString, MaxPlants + 1> heldShown_;    // the memory column's own text per row
    std::array<QAction *, 5> PlantActions() const;
};
