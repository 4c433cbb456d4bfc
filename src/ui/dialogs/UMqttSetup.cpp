#include "dialogs/UMqttSetup.h"
#include "ui_UMqttSetup.h"

#include "site/SiteSettings.h"

#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QThread>

TFMqttSetup::TFMqttSetup(QWidget *parent) : QDialog(parent), ui(new Ui::TFMqttSetup)
{
    ui->setupUi(this);
    const SiteSettings s = ReadSiteSettings();
    ui->HostEdit->setText(s.Host);
    ui->PortSelect->setValue(s.Port);
    ui->TlsCheck->setChecked(s.Tls);
    ui->CaFileEdit->setText(QDir::toNativeSeparators(s.CaFile));
    ui->UserEdit->setText(s.User);
    ui->PasswortDateiEdit->setText(QDir::toNativeSeparators(s.PasswordFile));
    ui->StandortEdit->setText(s.Site);
    ui->PrefixEdit->setText(s.Prefix);
    ui->HomeAssistantCheck->setChecked(s.HomeAssistant);
    auto choose = [this](QLineEdit *edit, const QString &title) {
        const QString file = QFileDialog::getOpenFileName(this, title, edit->text());
        if (!file.isEmpty())
            edit->setText(QDir::toNativeSeparators(file));
    };
    connect(ui->CaFileButton, &QToolButton::clicked, this, [this, choose] { choose(ui->CaFileEdit, tr("CA-Datei")); });
    connect(ui->PasswortDateiButton, &QToolButton::clicked, this,
            [this, choose] { choose(ui->PasswortDateiEdit, tr("Passwortdatei")); });
    for (QLineEdit *e : {ui->StandortEdit, ui->PrefixEdit})
        connect(e, &QLineEdit::textChanged, this, &TFMqttSetup::ShowTopics);
    connect(ui->TestBtn, &QPushButton::clicked, this, &TFMqttSetup::TestBtnClick);
    connect(ui->OKBtn, &QPushButton::clicked, this, &TFMqttSetup::OKBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &TFMqttSetup::CancelBtnClick);
    ShowTopics();
}

TFMqttSetup::~TFMqttSetup() { delete ui; }

SiteSettings TFMqttSetup::Shown() const
{
    SiteSettings s;
    s.Host = ui->HostEdit->text().trimmed();
    s.Port = ui->PortSelect->value();
    s.Tls = ui->TlsCheck->isChecked();
    s.CaFile = QDir::fromNativeSeparators(ui->CaFileEdit->text().trimmed());
    s.User = ui->UserEdit->text().trimmed();
    s.PasswordFile = QDir::fromNativeSeparators(ui->PasswortDateiEdit->text().trimmed());
    s.Site = ui->StandortEdit->text().trimmed();
    s.Prefix = ui->PrefixEdit->text().trimmed();
    if (s.Prefix.isEmpty())
        s.Prefix = QStringLiteral("o2haldrix");
    s.HomeAssistant = ui->HomeAssistantCheck->isChecked();
    return s;
}

void TFMqttSetup::ShowTopics()
{
    ui->ThemenLabel->setText(tr("Themen: %1/…").arg(SiteTopicBase(Shown())));
}

void TFMqttSetup::TestBtnClick()
{
    const SiteSettings s = Shown();
    ui->TestBtn->setEnabled(false);
    ui->TestErgebnis->setText(tr("Verbindung wird geprüft …"));
    // The test may wait seconds for a broker that does not answer; the window (and
    // the poll behind it) goes on meanwhile.
    QString result;
    QEventLoop wait;
    QThread *worker = QThread::create([&result, s] { result = TestSiteConnection(s); });
    connect(worker, &QThread::finished, &wait, &QEventLoop::quit);
    worker->start();
    wait.exec();
    worker->wait();
    delete worker;
    ui->TestErgebnis->setText(result.isEmpty() ? tr("Verbindung hergestellt.") : result);
    ui->TestBtn->setEnabled(true);
}

void TFMqttSetup::OKBtnClick()
{
    const SiteSettings s = Shown();
    changed_ = !(s == ReadSiteSettings());
    if (changed_)
        WriteSiteSettings(s);
    accept();
}

void TFMqttSetup::CancelBtnClick() { reject(); }

void TFMqttSetup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ShowTopics();
    }
    QDialog::changeEvent(event);
}
