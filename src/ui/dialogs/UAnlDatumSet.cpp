#include "dialogs/UAnlDatumSet.h"
#include "ui_UAnlDatumSet.h"

#include "link/Commands.h"
#include "link/PlantTable.h"
#include "piles/Piles.h"
#include "widgets/MessageBox.h"
#include "widgets/PlantTabBar.h"

#include "base/ClockText.h"
#include "base/DisplayFormat.h"
#include "link/LinkState.h"

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
        ui->KlartextEdit->clear();
        return;
    }
    ui->MieteName->setText(slot.Running ? slot.Name : tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
    // The plant's text as received; its time and date wherever it holds them, in
    // the program's language, "--" where it holds none.
    const bool read = ReadPlantClock(plant_);
    const QString text = read ? LinkValues().ClockText : QString();
    const ClockReading clock = ReadClockText(text);
    ui->KlartextEdit->setText(text.mid(text.startsWith(u'T') ? 1 : 0).trimmed());
    ui->Edit1->setText(clock.date.isValid() ? ShortDateText(clock.date) : QStringLiteral("--"));
    ui->ZeitEdit->setText(clock.time.isValid() ? clock.time.toString(QStringLiteral("hh:mm:ss")) : QStringLiteral("--"));
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
