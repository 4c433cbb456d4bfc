#pragma once
// Plant clock: shows a plant's date and time as it reports them and sets them from
// the PC clock; one plant tab per plant.

#include <QDialog>

namespace Ui { class TFAnlDatumSetup; }

class TFAnlDatumSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFAnlDatumSetup(QWidget *parent = nullptr);
    ~TFAnlDatumSetup() override;

    int PlantShown() const { return plant_; }

public slots:
    void TabControl1Change();
    void SetBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    void Refresh();
    Ui::TFAnlDatumSetup *ui;
    int plant_ = 1;
};
