#include "shell/UMain.h"

#include "ui_UMain.h"

#include "data/UDatenLesen.h"
#include "data/UGraphForm.h"
#include "reports/UCSV_Lesen.h"
#include "reports/UProtokKopf.h"
#include "reports/UMietenregister.h"

#include "base/AtomicFile.h"


#include "datafile/DataFile.h"
#include "dialogs/UAbout.h"
#include "dialogs/UPC_Setup.h"
#include "site/SiteView.h"
#include "dialogs/UZeitSelect.h"
#include "i18n/Languages.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/Port.h"
#include "piles/LinkSettings.h"
#include "piles/Discovery.h"
#include "live/UAnzeige.h"
#include "widgets/FormPlacement.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTimer>

#ifndef O2H_VERSION
#define O2H_VERSION "0"
#endif

TFMain *FMain = nullptr;
QString ApplicationTitle = QStringLiteral("O2-Haldrix");

void ResetShellValues()
{
    ApplicationTitle = QStringLiteral("O2-Haldrix");
}

namespace {

// The link's status text in the current language, derived from the link's state
// (the link words it the same way).
QString LinkStatusText()
{
    if (LinkValues().LinkOpen)
        return QCoreApplication::translate("TLink", "Serielle Verbindung auf :") + QStringLiteral("COM")
               + QString::number(LinkValues().ComNumber);
    return QCoreApplication::translate("TLink", "Keine Verbindung\nBitte Kabel und PC- Einstellung überprüfen!");
}

} // namespace

TFMain::TFMain(QWidget *parent, std::unique_ptr<LinkPort> port) : QMainWindow(parent), ui(new Ui::TFMain)
{
    FMain = this;
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ui->Version->setText(tr("Version %1").arg(QStringLiteral(O2H_VERSION)));
    // Progress and loading text are hidden between discoveries; keep their room so
    // the panel does not jump when they appear.
    for (QWidget *w : {static_cast<QWidget *>(ui->LadeLabel), static_cast<QWidget *>(ui->Anzeige1)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->hide();
    }
    // The window is disabled while it learns the plants; the loading text, its
    // progress and the link status stay fully readable meanwhile.
    for (QWidget *w : {static_cast<QWidget *>(ui->LadeLabel), static_cast<QWidget *>(ui->Anzeige1),
                       static_cast<QWidget *>(ui->StatusPanel)}) {
        QPalette palette = w->palette();
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto r = QPalette::ColorRole(role);
            palette.setColor(QPalette::Disabled, r, palette.color(QPalette::Active, r));
        }
        w->setPalette(palette);
    }
    setFixedSize(size().expandedTo(minimumSizeHint()));
    ConnectMenu();
    FormCreate(std::move(port));
}

TFMain::~TFMain()
{
    FormClose();
    if (FMain == this)
        FMain = nullptr;
    delete ui;
}

QLabel *TFMain::StatusPanel() const
{
    return ui->StatusPanel;
}

QProgressBar *TFMain::Anzeige1() const
{
    return ui->Anzeige1;
}

void TFMain::ConnectMenu()
{
    connect(ui->Ende2, &QAction::triggered, this, &TFMain::Ende2Click);
    connect(ui->PCSoftware1, &QAction::triggered, this, &TFMain::PCSoftware1Click);
    connect(ui->Speicherzeit1, &QAction::triggered, this, &TFMain::Speicherzeit1Click);
    connect(ui->Firmendaten1, &QAction::triggered, this, &TFMain::Firmendaten1Click);
    connect(ui->PCAufzeichnung, &QAction::triggered, this, &TFMain::PCAufzeichnungClick);
    connect(ui->Lernen1, &QAction::triggered, this, &TFMain::Lernen1Click);
    connect(ui->Datenauslesen1, &QAction::triggered, this, &TFMain::Datenauslesen1Click);
    connect(ui->Messwertedrucken1, &QAction::triggered, this, &TFMain::Messwertedrucken1Click);
    connect(ui->ProtokollGtegemeinschaft1, &QAction::triggered, this, &TFMain::ProtokollGtegemeinschaft1Click);
    connect(ui->Grafikerstellen1, &QAction::triggered, this, &TFMain::Grafikerstellen1Click);
    connect(ui->About1, &QAction::triggered, this, &TFMain::About1Click);
    connect(AddTranslatedAction(ui->Daten1, "TFMain", QT_TR_NOOP("Mietenregister …"), "Mietenregister1"), &QAction::triggered,
            this, [this] {
        TFMietenregister r(this);
        r.exec();
    });
}

void TFMain::FormCreate(std::unique_ptr<LinkPort> port)
{
    if (Settings().ProgramFolder.isEmpty())
        SetProgramFolder(QCoreApplication::applicationDirPath());

    TLanguages::SetSearchFolders({QCoreApplication::applicationDirPath(), Settings().ProgramFolder});
    TLanguages::Instance()->Init();
    TLanguages::Instance()->Attach(ui->MenuLanguage);

    setEnabled(false);

    // A notice that stops nothing: the write may fail in the middle of a readout,
    // which goes on, and so does the poll.
    SetSettingsWriteFailedHandler([this](const QString &path, const QString &why) {
        QTimer::singleShot(0, this, [this, path, why] {
            ShowNotice(this, tr("Einstellungen konnten nicht gespeichert werden:\n%1\n%2\nBitte Speichermedium überprüfen !!")
                                 .arg(QDir::toNativeSeparators(path), why));
        });
    });
    // Temporary files of a settings write cut by a crash are of no use to anyone.
    RemoveAtomicWriteLeftovers(Settings().ProgramFolder + QStringLiteral("Haldrix.ini"));
    settings_ = std::make_unique<TSettingsFile>(Settings().ProgramFolder + QStringLiteral("Haldrix.ini"));
    Settings().SettingsFile = settings_.get();
    // Received records a full disk kept from their file; lines changed in the
    // journal are told, once, not in the way of the start-up.
    if (const QString refusedPending = LoadPendingRecords(); !refusedPending.isEmpty())
        QTimer::singleShot(0, this, [this, refusedPending] { ShowInfo(this, refusedPending); });

    RestoreFormPlacement(this, QStringLiteral("Form"));

    Plants().PlantCount = MaxPlants;
    const QStringList refused = LoadProgramSettings();
    ApplyLinkSettings();
    SetHeader();

    LoadPartnerLogo();

    show();

    link_ = new TLink(this);
    link_->SetPort(port ? std::move(port) : MakeSerialPort());
    // The failure message comes before the status text and, asked for by the
    // operator, waits for its OK; at start-up it stops nothing (nobody may be there).
    connect(link_, &TLink::OpenFailed, this, [this](const QString &message) {
        if (starting_)
            ShowNotice(this, message);
        else
            ShowInfo(this, message);
    });
    connect(link_, &TLink::StatusText, ui->StatusPanel, &QLabel::setText);
    // A line that came back by itself: learn the plants again, as "Anlagen einlernen".
    connect(link_, &TLink::LineStateChanged, this, [this](bool open) {
        if (open)
            QTimer::singleShot(0, this, &TFMain::Lernen1Click);
    });
    // A plant missed at discovery and found by the poll later joins the display.
    FollowLateAnswers([](int) {
        if (FAnzeige)
            FAnzeige->UpdateSelectionState();
    });
    OpenLinkFromSettings([](const QString &section, const QString &key, int def) {
        return Settings().SettingsFile ? Settings().SettingsFile->ReadInteger(section, key, def) : def;
    });
    StartSiteView();

    setEnabled(true);

    RunDiscovery();
    starting_ = false;
    // Once the plants are learned, and in nobody's way: a box that waited for its OK
    // would hold the poll of an unattended restart (power cut) until someone came.
    if (!refused.isEmpty())
        QTimer::singleShot(0, this, [this, refused] { ShowNotice(this, refused.join(u'\n')); });
}

void TFMain::StartSiteView()
{
    site_.reset();              // the old one says "offline" and keeps its outbox
    site_ = std::make_unique<SiteView>(link_, QStringLiteral(O2H_VERSION));
}

void TFMain::LoadPartnerLogo()
{
    const QDir folder(Settings().ProgramFolder);
    const QString name = QStringLiteral("KompLogo.BMP");
    QString path = folder.filePath(name);
    if (!QFileInfo::exists(path)) {
        // Files copied from other systems often change the case of the name.
        const QStringList hits = folder.entryList({name}, QDir::Files);
        if (hits.isEmpty())
            return;
        path = folder.filePath(hits.first());
    }
    ui->PartnerLogo->SetSource(path);   // an unreadable file leaves the designed picture
}

void TFMain::SetHeader()
{
    const QString header = ui->ProductName->text() + QLatin1Char('-') + QString::number(1 + Settings().DisplayOffset)
                           + QStringLiteral(" .. ") + QString::number(MaxPlants + Settings().DisplayOffset);
    setWindowTitle(header);
    ApplicationTitle = header;
}

void TFMain::StartTimer()
{
    StartPolling();
}

void TFMain::StopTimer()
{
    StopPolling();
}

void TFMain::RunDiscovery()
{
    if (!Settings().LearnRequest || !LinkValues().LinkOpen || discovering_)
        return;
    const QScopedValueRollback busy(discovering_, true);
    setEnabled(false);
    ui->LadeLabel->show();
    ui->Anzeige1->setMaximum(Plants().PlantCount);
    ui->Anzeige1->setValue(0);
    ui->Anzeige1->show();

    DiscoverPlants();

    ui->Anzeige1->hide();
    ui->LadeLabel->hide();
    setEnabled(true);
    ui->StatusPanel->setText(CurrentStatusText());
    LinkValues().PollPlant = 1;
    StartTimer();
    SendCommand(1, cmdReadLive);
}

void TFMain::DiscoverPlants()
{
    const QScopedValueRollback busy(discovering_, true);
    QString shared;
    RunPlantDiscovery([this](int) { ui->Anzeige1->setValue(ui->Anzeige1->value() + 1); }, &shared);
    if (!shared.isEmpty())      // once, after the poll runs again, holding nothing up
        QTimer::singleShot(0, this, [this, shared] { ShowNotice(this, shared); });

    // A close asked for while the plants were asked (only then can it arrive).
    if (closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TFMain::Ende2Click()
{
    close();
}

void TFMain::PCSoftware1Click()
{
    bool portChanged, offsetChanged, siteChanged;
    {
        TFPC_Setup setup(this);
        setup.exec();
        portChanged = setup.PortChanged();
        offsetChanged = setup.OffsetChanged();
        siteChanged = setup.SiteViewChanged();
    }
    if (siteChanged)
        StartSiteView();
    if (offsetChanged)
        SetHeader();
    if (portChanged) {
        Settings().LearnRequest = true;
        RunDiscovery();
    }
}

void TFMain::Speicherzeit1Click()
{
    auto dialog = std::make_unique<TFZeitSelect>(this);
    dialog->move(x() + 100, y() + 50);
    dialog->SetPressedButton(Settings().ReadoutHour + 1);
    if (dialog->exec() != QDialog::Accepted)
        return;
    // All buttons may be up; that choice keeps the stored hour.
    const int pressed = dialog->PressedButton();
    if (pressed < 1)
        return;
    const int hour = pressed - 1;
    if (hour == Settings().ReadoutHour)
        return;
    Settings().ReadoutHour = hour;
    WriteSetting(QStringLiteral("COM"), QStringLiteral("ZEIT"), hour);
    ComputeNextReadout();
}

void TFMain::Firmendaten1Click()
{
    TFProtokKopf dialog(this);
    dialog.exec();
}

void TFMain::PCAufzeichnungClick()
{
    TFAnzeige live(this);
    live.exec();
}

void TFMain::Lernen1Click()
{
    Settings().LearnRequest = true;
    if (!LinkValues().LinkOpen && link_ && !discovering_)
        link_->OpenLink();          // a closed port is opened before the plants are learned
    RunDiscovery();
}

QString TFMain::CurrentStatusText() const
{
    if (!LinkValues().LinkOpen || Settings().LearnRequest)
        return LinkStatusText();
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n)
        if (Plants().PlantTable[n].Present)
            return LinkStatusText();
    return tr("Keine Anlage gefunden!\nBitte Kabel und Anlagen überprüfen!");
}

void TFMain::Datenauslesen1Click()
{
    TFDatenLesen1 readout(this);
    readout.exec();
}

void TFMain::Messwertedrucken1Click()
{
    TFCSV_Lesen protocol(this);
    protocol.exec();
}

void TFMain::ProtokollGtegemeinschaft1Click()
{
    TFCSV_Lesen protocol(this);
    protocol.QualityMode = true;
    protocol.exec();
}

void TFMain::Grafikerstellen1Click()
{
    TFGraphForm graph(this);
    graph.setWindowState(Qt::WindowMaximized);
    graph.exec();
}

void TFMain::About1Click()
{
    TFAbout about(this);
    about.exec();
}

void TFMain::CloseProgram()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != this) {
        modal->close();
        QTimer::singleShot(0, this, &TFMain::CloseProgram);
        return;
    }
    close();
}

void TFMain::closeEvent(QCloseEvent *event)
{
    // The discovery still uses the settings file and the link; close after it.
    if (discovering_) {
        closePending_ = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFMain::FormClose()
{
    if (closed_)
        return;
    closed_ = true;
    SaveFormPlacement(this, QStringLiteral("Form"));
    site_.reset();              // what the broker has not acknowledged waits in the outbox
    if (Settings().SettingsFile == settings_.get())
        Settings().SettingsFile = nullptr;
    SetSettingsWriteFailedHandler({});
    settings_.reset();
    StopTimer();
    if (link_) {
        link_->LeseTimer()->stop();
        link_->CloseLink();
    }
}

void TFMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ui->Version->setText(tr("Version %1").arg(QStringLiteral(O2H_VERSION)));
        SetHeader();
        if (!ui->StatusPanel->text().isEmpty())
            ui->StatusPanel->setText(CurrentStatusText());
    }
    QMainWindow::changeEvent(event);
}
