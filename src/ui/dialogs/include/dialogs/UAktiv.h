#pragma once
// The busy window shown during memory readouts: a borderless box with a text and a
// progress bar, created once at program start and reused. A click on the text asks
// the running readout to stop.

#include <QWidget>

namespace Ui { class TFAktiv; }
class QProgressBar;

class TFAktiv : public QWidget {
    Q_OBJECT
public:
    explicit TFAktiv(QWidget *parent = nullptr);
    ~TFAktiv() override;

    bool CancelRequested = false;

    // Clears CancelRequested, centres the box over owner (100 left and 50 above the
    // owner's middle), sets the bar to 1 of count and shows the box, not modally.
    // While shown it belongs to the owner's window, so that a modal owner does not
    // block the click on the text.
    void ShowProgress(QWidget *owner, int count);
    void HideProgress();
    QProgressBar *ProgressBar1() const;

public slots:
    void StaticText1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui::TFAktiv *ui;
};

extern TFAktiv *FAktiv;     // the one busy window (created by the program entry)
