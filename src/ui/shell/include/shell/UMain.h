#pragma once
// The main window: its creation runs the program's start-up (settings, window
// placement, serial link, discovery of the plants on the line); its menu opens every
// other window; closing it ends the program.

#include "link/Port.h"

#include <QMainWindow>
#include <memory>

namespace Ui { class TFMain; }
class QLabel;
class QProgressBar;
class TFAnzeige;
class TLink;
class TSettingsFile;
class SiteView;

class TFMain : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up. port replaces the serial port before the link is opened
    // (tests and demos plug in an in-process line); nullptr keeps the real port.
    explicit TFMain(QWidget *parent = nullptr, std::unique_ptr<LinkPort> port = nullptr);
    ~TFMain() override;

    // Caption and application title: product name and the range of shown plant numbers.
    void SetHeader();
    // Discovery with progress display, then polling; only when due and the link is open.
    void RunDiscovery();
    // The status panel: the line's state, or that the last discovery found no plant.
    QString CurrentStatusText() const;
    void DiscoverPlants();
    void StartTimer();
    void StopTimer();

    TLink *Link() const { return link_; }
    QLabel *StatusPanel() const;
    QProgressBar *Anzeige1() const;
    bool Discovering() const { return discovering_; }

    // Ends the program from outside the menu (timers of --quit-after / --screenshots):
    // closes an open modal window first, then the main window.
    void CloseProgram();

public slots:
    void Ende2Click();
    void PCSoftware1Click();
    void Speicherzeit1Click();
    void Firmendaten1Click();
    void PCAufzeichnungClick();
    void Lernen1Click();
    void Datenauslesen1Click();
    void Messwertedrucken1Click();
    void ProtokollGtegemeinschaft1Click();
    void Grafikerstellen1Click();
    void About1Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate(std::unique_ptr<LinkPort> port);
    void FormClose();
    void LoadPartnerLogo();
    // (Re)starts the site view from [MQTT]; it does nothing while no broker is named.
    void StartSiteView();
    void ConnectMenu();

    Ui::TFMain *ui;
    std::unique_ptr<TSettingsFile> settings_;
    TLink *link_ = nullptr;
    std::unique_ptr<SiteView> site_;
    bool discovering_ = false;
    bool closePending_ = false;     // close asked for while discovery ran
    bool starting_ = true;          // the constructor runs: nobody need be at the PC
    bool closed_ = false;
};

extern TFMain *FMain;               // the main window while it exists
extern QString ApplicationTitle;    // "O2-Haldrix", then the caption set by SetHeader
// Puts the values above back to their program-start state.
void ResetShellValues();