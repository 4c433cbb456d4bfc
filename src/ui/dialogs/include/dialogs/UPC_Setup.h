#pragma once
// The PC setup: serial port, °C/°F, reference depth and temperature, display offset,
// and the way to the site view's settings.
// OK writes what changed at once to the settings file (section COM) and the shared
// settings, and re-opens the line after a port change; Cancel writes nothing.

#include <QDialog>

#include "settings/SettingsFile.h"

namespace Ui { class TFPC_Setup; }
class QRadioButton;

class TFPC_Setup : public QDialog {
    Q_OBJECT
public:
    explicit TFPC_Setup(QWidget *parent = nullptr);
    ~TFPC_Setup() override;

    // Read by the opener after the close: re-learn the plants, renew the title.
    bool PortChanged() const { return portChanged_; }
    bool OffsetChanged() const { return offsetChanged_; }
    bool SiteViewChanged() const { return siteViewChanged_; }

    void ComSelectClick(int port);
    void CelsiusCheckClick();
    void ShowRefCheckClick();
    void MqttBtnClick();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    QRadioButton *PortButton(int n) const;

    Ui::TFPC_Setup *ui;
    int chosenPort_ = 1;
    bool portChanged_ = false;
    bool offsetChanged_ = false;
    bool siteViewChanged_ = false;      // the site view's settings were written (at once, by their window)
    // What the reference edit showed at the start, in which unit: OK leaves RefTemp
    // alone when neither was touched (the edit shows no decimals).
    double shownRefTemp_ = 0;
    bool shownImperial_ = false;
    QString shownCriterion_;            // as the settings held it at the start
    Paper shownPaper_ = Paper::A4;
    QString shownWorkingDays_, shownHolidays_, shownArchive_;
};
