#include "reports/UCSV_Lesen.h"
#include "ui_UCSV_Lesen.h"

#include "dialogs/UAbout.h"
#include "plant/Plant.h"
#include "datafile/Seal.h"
#include "reports/HygieneFill.h"
#include "reports/PileArchive.h"
#include "piles/Piles.h"
#include "dialogs/UTagebuch.h"
#include "reports/ProtocolFill.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>

TFCSV_Lesen::TFCSV_Lesen(QWidget *parent) : QDialog(parent), ui(new Ui::TFCSV_Lesen)
{
    ui->setupUi(this);
    auto *menu = new QMenuBar(this);
    layout()->setMenuBar(menu);
    auto add = [this](QMenu *m, const char *name, const char *text, const QKeySequence &key, auto slot) {
        connect(AddTranslatedAction(m, "TFCSV_Lesen", text, name, key), &QAction::triggered, this, slot);
    };
    QMenu *datei = AddTranslatedMenu(menu, "TFCSV_Lesen", QT_TR_NOOP("&Datei"));
    add(datei, "ffnen1", QT_TR_NOOP("Ö&ffnen"), QKeySequence(Qt::CTRL | Qt::Key_F), &TFCSV_Lesen::OpenButtonClick);
    add(datei, "Schliessen1", QT_TR_NOOP("&Schliessen"), QKeySequence(Qt::CTRL | Qt::Key_S), &TFCSV_Lesen::Schliessen1Click);
    archive_ = AddTranslatedAction(datei, "TFCSV_Lesen", QT_TR_NOOP("Miete &archivieren"), "Archivieren1");
    connect(archive_, &QAction::triggered, this, &TFCSV_Lesen::Archivieren1Click);
    journal_ = AddTranslatedAction(datei, "TFCSV_Lesen", QT_TR_NOOP("&Tagebuch …"), "Tagebuch1");
    connect(journal_, &QAction::triggered, this, [this] {
        if (!file_.FileValid)
            return;
        TFTagebuch journal(file_.Path, PlantWritingTo(file_.Path, 0), this);
        journal.exec();
    });
    datei->addSeparator();
    add(datei, "Ende2", QT_TR_NOOP("&Ende"), QKeySequence(Qt::CTRL | Qt::Key_X), &QDialog::reject);
    QMenu *drucken = AddTranslatedMenu(menu, "TFCSV_Lesen", QT_TR_NOOP("D&rucken"));
    add(drucken, "Druckvorschau1", QT_TR_NOOP("Druck&vorschau"), QKeySequence(Qt::CTRL | Qt::Key_V), &TFCSV_Lesen::PreviewButtonClick);
    add(drucken, "Drucken1", QT_TR_NOOP("&Drucken"), QKeySequence(Qt::CTRL | Qt::Key_D), &TFCSV_Lesen::PrintButtonClick);
    QAction *info = AddTranslatedAction(menu, "TFCSV_Lesen", QT_TR_NOOP("&Info"), "Info1");
    connect(info, &QAction::triggered, this, [this] {
        TFAbout about(this);
        about.exec();
    });

    const int widths[4] = {35, 200, 115, 50};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(ui->StatusBar1);
        panels_[i]->setMinimumWidth(widths[i]);
        ui->StatusBar1->addWidget(panels_[i], i == 1 ? 1 : 0);
    }
    panels_[0]->setText(tr("Pfad:"));
    panels_[2]->setText(tr("Anzahl Speicherwerte:"));
    connect(ui->CheckGraph, &QCheckBox::clicked, this, &TFCSV_Lesen::CheckClick);
    connect(ui->CheckTag, &QCheckBox::clicked, this, &TFCSV_Lesen::CheckClick);
    connect(ui->CheckHygiene, &QCheckBox::clicked, this, &TFCSV_Lesen::CheckClick);
    connect(ui->OpenButton, &QPushButton::clicked, this, &TFCSV_Lesen::OpenButtonClick);
    connect(ui->PreviewButton, &QPushButton::clicked, this, &TFCSV_Lesen::PreviewButtonClick);
    connect(ui->PrintButton, &QPushButton::clicked, this, &TFCSV_Lesen::PrintButtonClick);
    plant_ = qBound(1, int(Plants().SelectedPlant), MaxPlants);
    FillPlantTabs(ui->TabControl1, Plants().PlantCount);
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, &TFCSV_Lesen::TabControl1Change);
    ShowFile();
    setMinimumSize(sizeHint());
}

TFCSV_Lesen::~TFCSV_Lesen() { delete ui; }

void TFCSV_Lesen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFCSV_Lesen::FormActivate()
{
    if (!firstActivation_)
        return;
    setWindowTitle(QualityMode ? tr("Haldrix Protokoll Gütegemeinschaft") : tr("Haldrix Protokoll"));
    const QString com = QStringLiteral("COM");
    ui->CheckGraph->setChecked(ReadSettingBool(com, QualityMode ? "GGRAPH" : "PGRAPH", false));
    ui->CheckTag->setChecked(ReadSettingBool(com, QualityMode ? "GTAG" : "PTAG", false));
    ui->CheckHygiene->setChecked(ReadSettingBool(com, QStringLiteral("HYGIENE"), false));
    changed_ = false;
    firstActivation_ = false;
}

void TFCSV_Lesen::CheckClick()
{
    if (!firstActivation_)
        changed_ = true;
}

void TFCSV_Lesen::done(int result)
{
    // The check boxes are kept only when the user changed them.
    if (changed_ && !saved_) {
        saved_ = true;
        const QString com = QStringLiteral("COM");
        WriteSettingBool(com, QualityMode ? "GGRAPH" : "PGRAPH", ui->CheckGraph->isChecked());
        WriteSettingBool(com, QualityMode ? "GTAG" : "PTAG", ui->CheckTag->isChecked());
        WriteSettingBool(com, QStringLiteral("HYGIENE"), ui->CheckHygiene->isChecked());
    }
    QDialog::done(result);
}

// The heading names the loaded file's pile; "--" until a file is loaded.
void TFCSV_Lesen::ShowPlant()
{
    ui->MieteName->setText(file_.FileValid ? file_.PileName.trimmed() : QStringLiteral("--"));
}

void TFCSV_Lesen::ShowFile()
{
    ShowPlant();
    // A long path is cut in the middle, so the count beside it stays readable.
    // Beside it, whether the file is still the one the program wrote.
    const QString path = file_.FileValid ? file_.FileNameText : QStringLiteral("--");
    const SealCheck seal = file_.FileValid ? VerifySeal(file_.Path) : SealCheck();
    const QString state = file_.FileValid ? QStringLiteral("  (%1)").arg(seal.ShortText()) : QString();
    const QFontMetrics fm = panels_[1]->fontMetrics();
    panels_[1]->setToolTip(file_.FileValid ? path + u'\n' + seal.Text() : QString());
    panels_[1]->setText(fm.elidedText(path, Qt::ElideMiddle, qMax(200, panels_[1]->width()) - fm.horizontalAdvance(state)) + state);
    panels_[3]->setText(file_.FileValid ? QString::number(file_.LineCount) : QStringLiteral("--"));
    archive_->setEnabled(file_.FileValid);
    journal_->setEnabled(file_.FileValid);
}

void TFCSV_Lesen::Archivieren1Click()
{
    if (!file_.FileValid)
        return;
    // A running pile's archive would be a snapshot; a second one is a second folder.
    if (const QString question = ArchiveQuestion(file_); !question.isEmpty() && !AskNoYes(this, question))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PileArchiveResult r = ArchivePile(file_.Path, ArchiveRoot());
    QApplication::restoreOverrideCursor();
    if (r.ok)
        ShowInfo(this, tr("Die Miete ist archiviert in\n%1").arg(QDir::toNativeSeparators(r.folder))
                           + (r.notes.isEmpty() ? QString() : QStringLiteral("\n\n") + r.notes));
    else
        ShowError(this, tr("Die Miete konnte nicht archiviert werden.\n%1").arg(r.error));
}

void TFCSV_Lesen::TabControl1Change()
{
    plant_ = qBound(1, ui->TabControl1->CurrentIndex() + 1, MaxPlants);
    ShowPlant();
}

void TFCSV_Lesen::OpenButtonClick()
{
    const QString path = ChooseDataFile(this, Plants().PlantTable[plant_].Pfad);
    if (path.isEmpty()) {
        ui->PreviewButton->setEnabled(false);
        ui->PrintButton->setEnabled(false);
        return;
    }
    OpenFile(path);
}

void TFCSV_Lesen::OpenFile(const QString &path)
{
    DataFileContent loaded;
    QString error;
    if (!LoadDataFile(path, loaded, &error)) {
        file_ = DataFileContent();      // the file before is no longer what is shown
        ui->PreviewButton->setEnabled(false);
        ui->PrintButton->setEnabled(false);
        ShowFile();
        ShowInfo(this, error);
        return;
    }
    file_ = loaded;
    ui->PreviewButton->setEnabled(file_.FileValid);
    ui->PrintButton->setEnabled(file_.FileValid);
    ShowFile();
    if (file_.NoRecords)
        ShowInfo(this, NoRecordsText());
    else if (!file_.FileValid)
        ShowInfo(this, tr("Kein gültiger Dateiaufbau\nDatei war nicht von dieser Software erzeugt!"));
}

void TFCSV_Lesen::Schliessen1Click()
{
    ui->PreviewButton->setEnabled(false);
    ui->PrintButton->setEnabled(false);
}

void TFCSV_Lesen::PreviewButtonClick() { Run(true); }
void TFCSV_Lesen::PrintButtonClick() { Run(false); }

void TFCSV_Lesen::Run(bool preview)
{
    if (!file_.FileValid || !ui->PreviewButton->isEnabled())
        return;
    ProtocolResult p = MakeProtocol(QualityMode ? ProtocolKind::Quality : ProtocolKind::Measurement, file_,
                                    ui->CheckTag->isChecked(), ui->CheckGraph->isChecked());
    if (!p.form) {
        ShowInfo(this, p.error);
        return;
    }
    panels_[3]->setText(QString::number(p.points));
    if (ui->CheckHygiene->isChecked()) {
        // One page more after the protocol, which itself stays as it is.
        const HygieneResult evidence = EvaluateHygiene(file_, ChosenHygieneCriterion(), Plants().RefTemp, ReadHygieneCalendar());
        if (!evidence.ok) {
            ShowInfo(this, evidence.error);
            return;
        }
        p.form->Append(MakeHygienePage(evidence, file_));
    }
    if (preview)
        p.form->Preview(this);
    else
        p.form->Print(this);
}                                       // the form and its chart are freed here

void TFCSV_Lesen::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        RetranslateCodeTexts(this);
        panels_[0]->setText(tr("Pfad:"));
        panels_[2]->setText(tr("Anzahl Speicherwerte:"));
        if (file_.FileValid)
            ShowFile();
        if (!firstActivation_)
            setWindowTitle(QualityMode ? tr("Haldrix Protokoll Gütegemeinschaft") : tr("Haldrix Protokoll"));
    }
    QDialog::changeEvent(event);
}
