#include "dialogs/UO2MessSetup.h"
#include "ui_UO2MessSetup.h"

#include "link/Commands.h"
#include "link/PollPause.h"
#include "widgets/Instruments.h"
#include "widgets/MessageBox.h"

#include <QEvent>
#include <QLineEdit>

TFO2MessSetup::TFO2MessSetup(QWidget *parent) : QDialog(parent), ui(new Ui::TFO2MessSetup)
{
    ui->setupUi(this);
    for (QDoubleSpinBox *o2 : {ui->O2EINEdit, ui->O2AUSEdit})
        o2->findChild<QLineEdit *>()->setMaxLength(4);
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            connect(whole, &QSpinBox::valueChanged, this, [this, field] { EditChanged(field); });
        else
            connect(static_cast<QDoubleSpinBox *>(Edit(field)), &QDoubleSpinBox::valueChanged, this,
                    [this, field] { EditChanged(field); });
    }
    connect(ui->OKBtn, &QPushButton::clicked, this, &TFO2MessSetup::OKBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FillPlantTabs(ui->TabControl1, PlantCount);
    plant_ = qBound(1, int(SelectedPlant), MaxPlants);
    {
        QSignalBlocker block(ui->TabControl1);
        ui->TabControl1->SetCurrentIndex(plant_ - 1);
    }
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, &TFO2MessSetup::TabControl1Change);
    ShowCaption();
    Fill(PlantSetup);
    SetEditsEnabled(true);
    changed_ = 0;
}

TFO2MessSetup::~TFO2MessSetup() { delete ui; }

QAbstractSpinBox *TFO2MessSetup::Edit(SetupField field) const
{
    switch (field) {
    case FieldSpeicher: return ui->SpeicherEdit;
    case FieldIntEin: return ui->IntEINEdit;
    case FieldIntAus: return ui->IntAUSEdit;
    case FieldO2Ein: return ui->O2EINEdit;
    case FieldO2Aus: return ui->O2AUSEdit;
    case FieldNotEin: return ui->NotEINEdit;
    case FieldNotAus: return ui->NotAUSEdit;
    case FieldMaxEin: return ui->MaxEinEdit;
    default: return ui->MaxAUSEdit;
    }
}

void TFO2MessSetup::ShowCaption()
{
    ui->MieteName->setText(PlantStateCaption(plant_));
}

void TFO2MessSetup::Fill(const TPlantSetup &values)
{
    filling_ = true;
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        const int v = SetupFieldValue(values, field);
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            whole->setValue(v);         // a value outside the range shows as its limit
        else
            static_cast<QDoubleSpinBox *>(Edit(field))->setValue(v / 10.0);
    }
    filling_ = false;
    changed_ = 0;
}

void TFO2MessSetup::SetEditsEnabled(bool enabled)
{
    for (int f = 0; f < SetupFieldCount; ++f)
        Edit(SetupField(f))->setEnabled(enabled);
}

TPlantSetup TFO2MessSetup::ShownValues() const
{
    TPlantSetup v;
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            SetupFieldValue(v, field) = whole->value();
        else    // the edit shows one decimal, so its tenths are whole
            SetupFieldValue(v, field) = qRound(static_cast<QDoubleSpinBox *>(Edit(field))->value() * 10);
    }
    return v;
}

void TFO2MessSetup::EditChanged(SetupField field)
{
    if (filling_)
        return;
    changed_ |= SetupFieldGroup(field);
    if (field != FieldO2Ein && field != FieldO2Aus)
        return;
    const TPlantSetup shown = ShownValues();
    int on = shown.O2Ein, off = shown.O2Aus;
    KeepO2Apart(on, off, field);
    QSignalBlocker a(ui->O2EINEdit), b(ui->O2AUSEdit);
    ui->O2EINEdit->setValue(on / 10.0);
    ui->O2AUSEdit->setValue(off / 10.0);
}

void TFO2MessSetup::Write()
{
    // What is typed but not yet taken (Enter on the default button) counts, clamped.
    for (int f = 0; f < SetupFieldCount; ++f)
        Edit(SetupField(f))->interpretText();
    WriteSetupGroups(plant_, ShownValues(), changed_);
}

void TFO2MessSetup::OKBtnClick()
{
    Write();
    accept();
}

void TFO2MessSetup::TabControl1Change()
{
    if (changed_ && AskYesNo(this, tr("Setup gändert, in Steuerung laden?")))
        Write();
    plant_ = qBound(1, ui->TabControl1->CurrentIndex() + 1, MaxPlants);
    ShowCaption();
    if (!PlantTable[plant_].Present) {
        SetEditsEnabled(false);
        changed_ = 0;
        return;
    }
    bool ok;
    {
        const PollPause pause;
        ok = ReadPlantSetup(plant_);
    }
    if (ok) {
        Fill(PlantSetup);
        SetEditsEnabled(true);
        return;
    }
    SetEditsEnabled(false);
    changed_ = 0;
    ShowInfo(this, tr("TIMEOUT, bei der seriellen Kommunikation!\n"
                      "Bitte Kabel und PC- Einstellung überprüfen!\n"
                      "Bitte Kabel und PC- Einstellung überprüfen!"));
}

void TFO2MessSetup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ShowCaption();
    }
    QDialog::changeEvent(event);
}
