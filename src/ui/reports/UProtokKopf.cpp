#include "reports/UProtokKopf.h"
#include "ui_UProtokKopf.h"

#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"

#include <QEvent>

TFProtokKopf::TFProtokKopf(QWidget *parent) : QDialog(parent), ui(new Ui::TFProtokKopf)
{
    ui->setupUi(this);
    connect(ui->OKBtn, &QPushButton::clicked, this, &TFProtokKopf::OKBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->Button1, &QPushButton::clicked, this, &TFProtokKopf::Button1Click);
    FormActivate();
}

TFProtokKopf::~TFProtokKopf() { delete ui; }

void TFProtokKopf::FormActivate()
{
    QLineEdit *edits[3] = {ui->Edit1, ui->Edit2, ui->Edit3};
    for (int i = 0; i < 3; ++i) {
        edits[i]->setText(CompanyLine(i + 1));
        edits[i]->setModified(false);
    }
}

void TFProtokKopf::AskBeforeFirstPile()
{
    ui->FirstPileNote->show();
    QLineEdit *edits[3] = {ui->Edit1, ui->Edit2, ui->Edit3};
    for (int i = 0; i < 3; ++i) {
        if (edits[i]->text() == CompanyLineDefault(i + 1)) {
            edits[i]->setPlaceholderText(CompanyLineDefault(i + 1));
            edits[i]->clear();
        }
    }
    writeAll_ = true;
}

void TFProtokKopf::OKBtnClick()
{
    // Only what the user changed is written.
    QLineEdit *edits[3] = {ui->Edit1, ui->Edit2, ui->Edit3};
    for (int i = 0; i < 3; ++i)
        if (writeAll_ || edits[i]->isModified())
            WriteSetting(QStringLiteral("Firma"), QString::fromLatin1(CompanyLineKey(i + 1)), edits[i]->text());
    accept();
}

std::unique_ptr<TFQRKompForm> TFProtokKopf::SampleForm()
{
    auto form = std::make_unique<TFQRKompForm>();
    form->SetLabel("QRKopf1", ui->Edit1->text());
    form->SetLabel("QRKopf2", ui->Edit2->text());
    form->SetLabel("QRKopf3", ui->Edit3->text());
    form->SetLabel("AnlName", QStringLiteral("Anlagen- Name: "));
    form->QRChart1();                   // the chart band stays, empty
    sampleRow_ = 0;
    // Ready again after the last row: a preview renders the form more than once.
    form->NeedData = [this] {
        if (sampleRow_ < 20) {
            ++sampleRow_;
            return true;
        }
        sampleRow_ = 0;
        return false;
    };
    form->PrintLabel = [this](const QString &label) {
        static const QMap<QString, QString> fixed = {
            {"QRDat", "12:00 03.10.1999"}, {"QRT1", "52.0"}, {"QRT2", "53.0"}, {"QRT3", "54.0"}, {"QRT4", "55.0"},
            {"QRT5", "56.0"}, {"QR55Gr", "80.0"}, {"QRO2", "19.6"}, {"QRZeit", "123"}, {"QRZyklen", "234"}};
        return label == QLatin1String("QRNr") ? QString::number(sampleRow_) : fixed.value(label);
    };
    return form;
}

void TFProtokKopf::Button1Click()
{
    ui->Button1->setEnabled(false);
    {
        const std::unique_ptr<TFQRKompForm> form = SampleForm();
        form->Preview(this);
    }
    ui->Button1->setEnabled(true);
}

void TFProtokKopf::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
