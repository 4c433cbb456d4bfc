#include "dialogs/UZeitSelect.h"
#include "ui_UZeitSelect.h"

#include "widgets/LetterBar.h"

#include <QEvent>

TFZeitSelect::TFZeitSelect(QWidget *parent) : QDialog(parent), ui(new Ui::TFZeitSelect)
{
    ui->setupUi(this);
    FillButtons();
    connect(ui->Button1, &QPushButton::clicked, this, &TFZeitSelect::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TFZeitSelect::~TFZeitSelect()
{
    delete ui;
}

TLetterBar *TFZeitSelect::TextSelect1() const
{
    return ui->TextSelect1;
}

void TFZeitSelect::SetPressedButton(int number)
{
    ui->TextSelect1->SetDown(number);
}

int TFZeitSelect::PressedButton() const
{
    return ui->TextSelect1->Down();
}

void TFZeitSelect::Button1Click()
{
    accept();
}

void TFZeitSelect::FillButtons()
{
    const int down = ui->TextSelect1->Down();
    QList<QStringList> rows;
    rows.append({tr("AUS")});
    for (int first = 1; first <= 19; first += 6) {
        QStringList row;
        for (int hour = first; hour < first + 6; ++hour)
            row.append(tr("%1h").arg(hour));
        rows.append(row);
    }
    ui->TextSelect1->SetRows(rows);
    ui->TextSelect1->SetDown(down);
}

void TFZeitSelect::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        FillButtons();
    }
    QDialog::changeEvent(event);
}
