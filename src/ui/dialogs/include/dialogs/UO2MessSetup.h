#pragma once
// The plant set-up dialog: the nine values a plant keeps for its fan switching,
// read from the plant, edited here and written back group by group (only the
// groups that were changed). One tab per plant; the opener has read PlantSetup.

#include "base/TypedNumber.h"
#include "link/SetupValues.h"

#include <QDialog>
#include <QString>

namespace Ui { class TFO2MessSetup; }
class QAbstractSpinBox;

class TFO2MessSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFO2MessSetup(QWidget *parent = nullptr);
    ~TFO2MessSetup() override;

    int ShownPlant() const { return plant_; }
    unsigned ChangedGroups() const { return changed_; }
    // The values as the edits show them (O2 in tenths).
    TPlantSetup ShownValues() const;

    void TabControl1Change();
    void OKBtnClick();

protected:
    void changeEvent(QEvent *event) override;

private:
    void ShowCaption();
    void Fill(const TPlantSetup &values);
    void SetEditsEnabled(bool enabled);
    void EditChanged(SetupField field);
    void EditConfirmed(SetupField field);
    TypedNumber Typed(SetupField field) const;
    void MarkRefused(SetupField field, bool refused);
    QString FieldName(SetupField field) const;
    QString ValueText(SetupField field, int value) const;
    void Write();
    QAbstractSpinBox *Edit(SetupField field) const;

    Ui::TFO2MessSetup *ui;
    int plant_ = 1;
    unsigned changed_ = 0;
    unsigned emptied_ = 0;          // fields whose text was emptied (bit per field)
    int o2Pending_ = -1;            // the O2 threshold changed but not yet confirmed
    TPlantSetup original_;          // as read from the plant
    TPlantSetup confirmed_;         // as last confirmed (a refused text goes back to it)
    bool filling_ = false;
    QString typed_[SetupFieldCount];    // text typed since the field was last confirmed
    bool holdOk_ = false;           // a refused text was just confirmed by Enter
};
