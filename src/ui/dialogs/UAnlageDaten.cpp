#include "dialogs/UAnlageDaten.h"
#include "ui_UAnlageDaten.h"

#include "datafile/DataFile.h"
#include "dialogs/UPfadsetzen.h"
#include "link/PlantTable.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QStyle>

TFAnlageDaten::TFAnlageDaten(int plant, QWidget *parent)
    : QDialog(parent), ui(new Ui::TFAnlageDaten), plant_(qBound(1, plant, MaxPlants))
{
    ui->setupUi(this);
    const tAnlageParameter &slot = PlantTable[plant_];
    ui->AnlNr->setText(QString::number(plant_));
    ui->Edit1->setText(slot.Name);
    ui->Edit2->setText(slot.Komm);
    folder_ = slot.Pfad;
    ui->DirLabel->setText(folder_);
    // The name becomes part of a file name: letters, digits, "_" and "-" only.
    ui->Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9_-]*")), ui->Edit1));
    ui->PfadButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(ui->Edit1, &QLineEdit::textEdited, this, [this] { nameEdited_ = true; });
    connect(ui->Edit2, &QLineEdit::textEdited, this, [this] { commentEdited_ = true; });
    connect(ui->PfadButton1, &QToolButton::clicked, this, &TFAnlageDaten::PfadButton1Click);
    connect(ui->OKBtn, &QPushButton::clicked, this, &TFAnlageDaten::OKBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    chooser_ = [this](const QString &start) {
        TFPfadsetzen chooser(this);
        chooser.SetFolder(start);
        return chooser.exec() == QDialog::Accepted ? chooser.Folder() : QString();
    };
}

TFAnlageDaten::~TFAnlageDaten()
{
    delete ui;
}

void TFAnlageDaten::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

void TFAnlageDaten::FormActivate()
{
    if (!folder_.isEmpty() && QFileInfo(folder_).isDir())
        return;
    ShowInfo(this, tr("Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad.."));
    folder_ = ProgramFolder;
    ui->DirLabel->setText(folder_);
}

void TFAnlageDaten::PfadButton1Click()
{
    QString chosen = chooser_ ? chooser_(folder_) : QString();
    if (chosen.isEmpty())
        return;
    chosen = QDir::toNativeSeparators(chosen);
    if (!chosen.endsWith(QDir::separator()))
        chosen += QDir::separator();
    if (chosen == folder_)
        return;
    folder_ = chosen;
    ui->DirLabel->setText(folder_);
    folderChanged_ = true;
}

void TFAnlageDaten::OKBtnClick()
{
    tAnlageParameter &slot = PlantTable[plant_];
    if (nameEdited_ && ui->Edit1->text().isEmpty()) {
        // An empty name would make a nameless file: the old name comes back.
        ui->Edit1->setText(slot.Name);
        nameEdited_ = false;
        return;
    }
    if (nameEdited_ || commentEdited_ || folderChanged_) {
        slot.Name = ui->Edit1->text();
        slot.Pfad = folder_;
        slot.Komm = ui->Edit2->text();
        if (nameEdited_ || folderChanged_)
            MakeDataFileName(plant_);
        StorePlantSettings(plant_);
    }
    accept();
}

void TFAnlageDaten::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
