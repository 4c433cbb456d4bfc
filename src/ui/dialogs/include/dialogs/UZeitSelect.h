#pragma once
// Daily readout time: a letter bar with "OFF" and the hours 1 to 24; at most one
// button is down, and the user may release all of them.

#include <QDialog>

namespace Ui { class TFZeitSelect; }
class TLetterBar;

class TFZeitSelect : public QDialog {
    Q_OBJECT
public:
    explicit TFZeitSelect(QWidget *parent = nullptr);
    ~TFZeitSelect() override;

    TLetterBar *TextSelect1() const;
    // Button 1 is "OFF", button h + 1 the hour h; 0 when no button is down.
    void SetPressedButton(int number);
    int PressedButton() const;

public slots:
    void Button1Click();

protected:
    void changeEvent(QEvent *event) override;

private:
    void FillButtons();
    Ui::TFZeitSelect *ui;
};
