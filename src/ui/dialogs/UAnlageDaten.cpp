#include "dialogs/UAnlageDaten.h"
#include "ui_UAnlageDaten.h"

#include "datafile/DataFile.h"
#include "dialogs/UPfadsetzen.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QShowEvent>
#include <QStyle>

TFAnlageDaten::TFAnlageDaten(int plant, QWidget *parent)
    : QDialog(parent), ui(new Ui::TFAnlageDaten), plant_(qBound(1, plant, MaxPlants))
{
    ui->setupUi(this);
    const TAnlageParameter &slot = Plants().PlantTable[plant_];
    ui->AnlNr->setText(QString::number(plant_));
    ui->Edit1->setText(slot.Name);
    ui->Edit2->setText(slot.Komm);
    folder_ = slot.Pfad;
    ui->DirLabel->setText(folder_);
    // The name becomes part of a file name: letters, digits, "_" and "-" only. What
    // else is typed is left out, and the operator is told which characters those were.
    connect(ui->Edit1, &QLineEdit::textEdited, this, [this](const QString &typed) {
        QString kept, dropped;
        for (const QChar c : typed) {
            if (FileNameCharacter(c))
                kept += c;
            else if (!dropped.contains(c))
                dropped += c;
        }
        if (dropped.isEmpty())
            return;
        for (const QChar c : dropped)
            if (!dropped_.contains(c))
                dropped_ += c;      // all left out since the dialog opened
        const int cursor = qMax(0, ui->Edit1->cursorPosition() - int(typed.size() - kept.size()));
        ui->Edit1->setText(kept);
        ui->Edit1->setCursorPosition(qMin(cursor, int(kept.size())));
        QStringList shown;
        for (const QChar c : std::as_const(dropped_))
            shown << (c == u' ' ? tr("Leerzeichen") : QStringLiteral("„%1“").arg(c));
        ui->NameHinweis->setText(tr("Nicht im Namen möglich (er wird Teil des Dateinamens), weggelassen: %1. "
                                    "Erlaubt sind A–Z, a–z, 0–9, _ und -.").arg(shown.join(QStringLiteral(", "))));
    });
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
    folder_ = Settings().ProgramFolder;
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
    TAnlageParameter &slot = Plants().PlantTable[plant_];
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
