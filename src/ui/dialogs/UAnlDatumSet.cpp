#include "dialogs/UAnlDatumSet.h"
#include "ui_UAnlDatumSet.h"

#include "link/Commands.h"
#include "link/PlantTable.h"
#include "piles/Piles.h"
#include "widgets/MessageBox.h"
#include "widgets/Instruments.h"

#include <QEvent>

TFAnlDatumSetup::TFAnlDatumSetup(QWidget *parent) : QDialog(parent), ui(new Ui::TFAnlDatumSetup)
{
    ui->setupUi(this);
    FillPlantTabs(ui->TabControl1, PlantCount);
    plant_ = qBound(1, int(SelectedPlant), int(qMax<quint16>(PlantCount, 1)));
    ui->TabControl1->SetCurrentIndex(plant_ - 1);
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, &TFAnlDatumSetup::TabControl1Change);
    connect(ui->SetBtn, &QPushButton::clicked, this, &TFAnlDatumSetup::SetBtnClick);
    connect(ui->FertiglBtn, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

TFAnlDatumSetup::~TFAnlDatumSetup()
{
    delete ui;
}

void TFAnlDatumSetup::Refresh()
{
    const tAnlageParameter &slot = PlantTable[plant_];
    ui->SetBtn->setEnabled(slot.Present);
    if (!slot.Present) {
        ui->MieteName->setText(tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
        ui->Edit1->clear();
        return;
    }
    ui->MieteName->setText(slot.Running ? slot.Name : tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
    ui->Edit1->setText(ReadPlantClock(plant_) ? ClockText : QString());
}

void TFAnlDatumSetup::TabControl1Change()
{
    const int index = ui->TabControl1->CurrentIndex();
    if (index < 0 || index >= MaxPlants)
        return;
    plant_ = index + 1;
    Refresh();
}

void TFAnlDatumSetup::SetBtnClick()
{
    // Default No: the running pile's records would get earlier times.
    const QString question = ClockStepBackQuestion(plant_);
    if (!question.isEmpty() && !AskNoYes(this, question)) {
        Refresh();
        return;
    }
    SendDateTo(plant_);
    SendTimeTo(plant_);
    Refresh();
}

void TFAnlDatumSetup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        Refresh();
    }
    QDialog::changeEvent(event);
}
