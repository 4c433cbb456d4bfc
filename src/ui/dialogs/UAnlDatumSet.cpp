#include "dialogs/UAnlDatumSet.h"
#include "ui_UAnlDatumSet.h"

#include "link/Commands.h"
#include "link/PlantTable.h"
#include "piles/Piles.h"
#include "widgets/MessageBox.h"
#include "widgets/PlantTabBar.h"

#include "base/DisplayFormat.h"

#include <QDateTime>
#include <QEvent>

TFAnlDatumSetup::TFAnlDatumSetup(QWidget *parent) : QDialog(parent), ui(new Ui::TFAnlDatumSetup)
{
    ui->setupUi(this);
    FillPlantTabs(ui->TabControl1, Plants().PlantCount);
    plant_ = qBound(1, int(Plants().SelectedPlant), int(qMax<quint16>(Plants().PlantCount, 1)));
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
    const TAnlageParameter &slot = Plants().PlantTable[plant_];
    ui->SetBtn->setEnabled(slot.Present);
    if (!slot.Present) {
        ui->MieteName->setText(tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
        ui->Edit1->clear();
        ui->ZeitEdit->clear();
        return;
    }
    ui->MieteName->setText(slot.Running ? slot.Name : tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
    // The plant's date and time in the program's language; a reply that forms no
    // date shows "--" and keeps its text as the tool tip.
    QDateTime clock;
    const bool read = ReadPlantClockTime(plant_, clock);
    ui->Edit1->setText(read ? ShortDateText(clock.date()) : QStringLiteral("--"));
    ui->ZeitEdit->setText(read ? clock.time().toString(QStringLiteral("hh:mm:ss")) : QStringLiteral("--"));
    ui->Edit1->setToolTip(read ? QString() : LinkValues().ClockText.trimmed());
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
