#include "dialogs/UPC_Setup.h"
#include "ui_UPC_Setup.h"
#include "dialogs/UMqttSetup.h"
#include <QToolButton>
#include <QFileDialog>
#include <QDir>

#include "datafile/Hygiene.h"
#include "widgets/MessageBox.h"
#include "link/Link.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QEvent>

TFPC_Setup::TFPC_Setup(QWidget *parent) : QDialog(parent), ui(new Ui::TFPC_Setup)
{
    ui->setupUi(this);
    portChanged_ = false;
    const int baud = BaudForSpeedIndex(LinkValues().SpeedIndex);
    LinkPort *port = TLink::Instance() ? TLink::Instance()->ComPort1() : nullptr;
    if (port)
        port->SetBaudRate(baud);
    ui->BaudLabel->setText(QStringLiteral("%1 Baud").arg(baud));
    for (int n = 1; n <= 8; ++n) {
        QRadioButton *b = PortButton(n);
        b->setEnabled(port && port->PortExists(n));
        b->setToolTip(PortDeviceName(n));
        b->setChecked(n == LinkValues().ComNumber);
        connect(b, &QRadioButton::clicked, this, [this, n] { ComSelectClick(n); });
    }
    chosenPort_ = LinkValues().ComNumber;

    ui->RefTempSelect->setValue(Plants().RefTemp);
    ui->CelsiusCheck->setChecked(Plants().ImperialUnits);
    if (Plants().ImperialUnits)
        CelsiusCheckClick();
    shownRefTemp_ = ui->RefTempSelect->value();
    shownImperial_ = Plants().ImperialUnits;
    ui->ShowRefCheck->setChecked(Settings().ShowRefDepth);
    ui->RefTempSelect->setEnabled(Settings().ShowRefDepth);
    ui->DispOffsetSelect->setValue(Settings().DisplayOffset + 1);
    shownCriterion_ = ReadSetting(QStringLiteral("COM"), QStringLiteral("KRITERIUM"),
                                  QString::fromLatin1(DefaultHygieneCriterion()));
    for (const HygieneCriterion &c : HygieneCriteria())
        ui->KriteriumSelect->addItem(QCoreApplication::translate("Hygiene", c.title), QString::fromLatin1(c.name));
    ui->KriteriumSelect->setCurrentIndex(qMax(0, ui->KriteriumSelect->findData(shownCriterion_)));
    // The site's working days, for the criteria that ask for a measurement on each.
    shownWorkingDays_ = ReadSetting(QStringLiteral("COM"), QStringLiteral("ARBEITSTAGE"), QStringLiteral("1-5"));
    ui->ArbeitstageEdit->setText(shownWorkingDays_);
    shownHolidays_ = ReadHygieneCalendar().holidays;
    ui->FeiertageSelect->addItem(tr("keine"), QString());
    for (const char *state : {"BW", "BY", "BE", "BB", "HB", "HH", "HE", "MV", "NI", "NW", "RP", "SL", "SN", "ST", "SH", "TH"})
        ui->FeiertageSelect->addItem(QString::fromLatin1(state), QString::fromLatin1(state));
    ui->FeiertageSelect->setCurrentIndex(qMax(0, ui->FeiertageSelect->findData(shownHolidays_)));
    shownPaper_ = ProtocolPaper();
    for (Paper paper : {Paper::A4, Paper::Letter})
        ui->PapierSelect->addItem(PaperName(paper), int(paper));
    ui->PapierSelect->setCurrentIndex(ui->PapierSelect->findData(int(shownPaper_)));
    shownArchive_ = ArchiveRoot();
    ui->ArchivEdit->setText(QDir::toNativeSeparators(shownArchive_));
    connect(ui->ArchivButton, &QToolButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Archivordner"), ui->ArchivEdit->text());
        if (!folder.isEmpty())
            ui->ArchivEdit->setText(QDir::toNativeSeparators(folder));
    });

    connect(ui->CelsiusCheck, &QCheckBox::clicked, this, &TFPC_Setup::CelsiusCheckClick);
    connect(ui->ShowRefCheck, &QCheckBox::clicked, this, &TFPC_Setup::ShowRefCheckClick);
    connect(ui->OKBtn, &QPushButton::clicked, this, &TFPC_Setup::OKBtnClick);
    connect(ui->MqttBtn, &QPushButton::clicked, this, &TFPC_Setup::MqttBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TFPC_Setup::CancelBtnClick);
}

TFPC_Setup::~TFPC_Setup() { delete ui; }

QRadioButton *TFPC_Setup::PortButton(int n) const
{
    QRadioButton *buttons[8] = {ui->COM1Button, ui->COM2Button, ui->COM3Button, ui->COM4Button,
                                ui->COM5Button, ui->COM6Button, ui->COM7Button, ui->COM8Button};
    return buttons[qBound(1, n, 8) - 1];
}

void TFPC_Setup::ComSelectClick(int port) { chosenPort_ = port; }

void TFPC_Setup::CelsiusCheckClick()
{
    // The range first, so the converted value is clamped to it.
    QDoubleSpinBox *t = ui->RefTempSelect;
    const double shown = t->value();
    if (ui->CelsiusCheck->isChecked()) {
        t->setRange(CelsiusToFahrenheitF(30), CelsiusToFahrenheitF(80));
        t->setValue(CelsiusToFahrenheitF(shown));
        ui->SelectEinheit->setText(QStringLiteral("°F"));
    } else {
        t->setRange(30, 80);
        t->setValue(FahrenheitToCelsiusF(shown));
        ui->SelectEinheit->setText(QStringLiteral("°C"));
    }
}

void TFPC_Setup::ShowRefCheckClick() { ui->RefTempSelect->setEnabled(ui->ShowRefCheck->isChecked()); }

void TFPC_Setup::MqttBtnClick()
{
    TFMqttSetup mqtt(this);
    mqtt.exec();
    siteViewChanged_ = siteViewChanged_ || mqtt.Changed();
}

void TFPC_Setup::OKBtnClick()
{
    QList<int> weekdays;
    if (!ParseWeekdays(ui->ArbeitstageEdit->text(), weekdays)) {
        // Kept open: the typed text stays for the operator to mend.
        ShowInfo(this, tr("Arbeitstage: ISO-Wochentage angeben, z. B. 1-5 (Mo–Fr) oder 1-6 (Mo–Sa)."));
        ui->ArbeitstageEdit->setFocus();
        return;
    }
    const QString com = QStringLiteral("COM");
    if (chosenPort_ != LinkValues().ComNumber) {
        LinkValues().ComNumber = quint16(chosenPort_);
        WriteSetting(com, QStringLiteral("COM"), chosenPort_);
        portChanged_ = true;
    }
    if (portChanged_)
        OpenLink();
    const bool imperial = ui->CelsiusCheck->isChecked();
    if (imperial != Plants().ImperialUnits) {
        Plants().ImperialUnits = imperial;
        WriteSettingBool(com, QStringLiteral("Metric"), imperial);
    }
    if (ui->ShowRefCheck->isChecked() != Settings().ShowRefDepth) {
        Settings().ShowRefDepth = ui->ShowRefCheck->isChecked();
        WriteSettingBool(com, QStringLiteral("SHOWREF"), Settings().ShowRefDepth);
    }
    const double shown = ui->RefTempSelect->value();
    if (shown != shownRefTemp_ || imperial != shownImperial_) {
        const double celsius = imperial ? FahrenheitToCelsiusF(shown) : shown;
        if (celsius != Plants().RefTemp) {
            Plants().RefTemp = celsius;
            WriteSettingFloat(com, QStringLiteral("REFTEMP"), celsius);
        }
    }
    BuildRefCaption();
    const QString criterion = ui->KriteriumSelect->currentData().toString();
    if (criterion != shownCriterion_)
        WriteSetting(com, QStringLiteral("KRITERIUM"), criterion);
    const QString workingDays = ui->ArbeitstageEdit->text().trimmed();
    if (workingDays != shownWorkingDays_)
        WriteSetting(com, QStringLiteral("ARBEITSTAGE"), workingDays);
    const QString holidays = ui->FeiertageSelect->currentData().toString();
    if (holidays != shownHolidays_)
        WriteSetting(com, QStringLiteral("FEIERTAGE"), holidays);
    const QString archive = QDir::fromNativeSeparators(ui->ArchivEdit->text().trimmed());
    if (!archive.isEmpty() && archive != shownArchive_)
        WriteSetting(com, QStringLiteral("ARCHIV"), QDir::toNativeSeparators(archive));
    const auto paper = Paper(ui->PapierSelect->currentData().toInt());
    if (paper != shownPaper_)
        WriteSetting(com, QStringLiteral("PAPIER"), PaperName(paper));
    const int offset = int(ui->DispOffsetSelect->value());
    if (offset != Settings().DisplayOffset + 1) {
        Settings().DisplayOffset = offset - 1;
        WriteSetting(com, QStringLiteral("DISPOFFSET"), offset);
        offsetChanged_ = true;
    }
    accept();
}

void TFPC_Setup::CancelBtnClick()
{
    portChanged_ = false;
    reject();
}

void TFPC_Setup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
