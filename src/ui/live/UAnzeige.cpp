#include "live/UAnzeige.h"
#include "ui_UAnzeige.h"

#include "data/UDatenLesen.h"
#include "dialogs/UAbout.h"
#include "dialogs/UAktiv.h"
#include "dialogs/UAnlDatumSet.h"
#include "dialogs/UAnlageDaten.h"
#include "dialogs/UO2MessSetup.h"
#include "dialogs/UTagebuch.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "datafile/DataFile.h"
#include "piles/Discovery.h"
#include "piles/MemoryFill.h"
#include "piles/Piles.h"
#include "reports/PileArchive.h"
#include "reports/UProtokKopf.h"
#include "settings/SettingsFile.h"
#include "live/LiveGrid.h"
#include "live/PileView.h"
#include "widgets/FormPlacement.h"
#include "widgets/LedNumber.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"
#include "widgets/Picture.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressBar>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include "base/DisplayFormat.h"
#include "piles/Messages.h"
#include <QSignalBlocker>
#include <QStatusBar>
#include <QBoxLayout>

#include "site/SiteView.h"
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

int DispHeartbeat = 0;
TFAnzeige *FAnzeige = nullptr;

void ResetLiveValues()
{
    DispHeartbeat = 0;
}

namespace {

constexpr int GridRows = MaxPlants + 1;     // title row + one per plant
constexpr int GridCols = 7;
constexpr int RefColumn = 6;
constexpr int LeastColWidth = 44;          // the window's designed size gives each 84

const TLiveValues &LiveOf(int plant)
{
    return Plants().LiveTable[qBound(1, plant, MaxPlants)];
}

const TAnlageParameter &SlotOf(int plant)
{
    return Plants().PlantTable[qBound(1, plant, MaxPlants)];
}


// The pile sequences speak to the operator through the window's message boxes and
// show transfers in the busy window and status panel 3.
class WindowObserver : public PileObserver {
public:
    WindowObserver(TFAnzeige *window, bool quiet) : window_(window), quiet_(quiet) {}
    void Inform(const QString &text) override
    {
        if (!quiet_)
            ShowInfo(window_, text);
    }
    bool Confirm(const QString &text) override { return !quiet_ && AskYesNo(window_, text); }
    bool ConfirmRisky(const QString &text) override { return !quiet_ && AskNoYes(window_, text); }
    void TransferStarted(int plant, int records) override
    {
        window_->SetStatusPanelText(3, QString::number(qint64(Plants().PlantTable[plant].Anzahl) + records));
        if (FAktiv)
            FAktiv->ShowProgress(window_, records);
    }
    void RecordTransferred(int, int done) override
    {
        if (FAktiv)
            FAktiv->ProgressBar1()->setValue(done);
    }
    void TransferEnded(int) override
    {
        if (FAktiv)
            FAktiv->HideProgress();
        window_->SetStatusPanelText(3, QString());
    }
    void Noted(int plant, const QString &text) override
    {
        notes << TFAnzeige::tr("Anlage %1:").arg(plant + Settings().DisplayOffset) + u'\n' + text;
    }
    QStringList notes;      // shown after the readout, when the poll runs again

private:
    TFAnzeige *window_;
    bool quiet_;
};

} // namespace

TFAnzeige::TFAnzeige(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFAnzeige>()), dispTimer_(new QTimer(this))
{
    FAnzeige = this;
    ui->setupUi(this);
    // The heartbeat moves every second. The default style draws its bar with stripes
    // whose rasterising wakes the painter's thread pool each time, several times the
    // CPU of the whole poll; the plain style fills rectangles.
    if (QStyle *plain = QStyleFactory::create(QStringLiteral("Windows"))) {
        plain->setParent(ui->Progressbar1);
        ui->Progressbar1->setStyle(plain);
    }
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    layout()->setMenuBar(ui->MainMenu1);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(pal);
    setAutoFillBackground(true);

    // Status bar: "Datei:", file, "Anzahl Speicherwerte:", count.
    // The file panel gives way first, so that the counts and the readout state stay whole.
    const int widths[4] = {35, 240, 115, 50};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(ui->StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setMinimumWidth(widths[i]);
        ui->StatusBar1->addWidget(panels_[i], i == 1 ? 1 : 0);
    }
    panels_[1]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    savePanel_ = new QLabel(ui->StatusBar1);
    savePanel_->setObjectName(QStringLiteral("StatusSave"));
    savePanel_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    savePanel_->hide();
    ui->StatusBar1->addPermanentWidget(savePanel_);
    memoryPanel_ = new QLabel(ui->StatusBar1);
    memoryPanel_->setObjectName(QStringLiteral("StatusMemory"));
    memoryPanel_->setStyleSheet(QStringLiteral("color: #a04000"));
    memoryPanel_->hide();
    ui->StatusBar1->addPermanentWidget(memoryPanel_);
    // Plant memories filling up: a band above the status bar that wraps its lines,
    // so that warnings for several plants never widen the window.
    memoryBand_ = new QLabel(this);
    memoryBand_->setObjectName(QStringLiteral("MemoryBand"));
    memoryBand_->setWordWrap(true);
    memoryBand_->setStyleSheet(QStringLiteral("background: #fff0c0; color: #b00000; font-weight: bold; padding: 2px 6px;"));
    memoryBand_->hide();
    static_cast<QBoxLayout *>(layout())->insertWidget(layout()->indexOf(ui->StatusBar1), memoryBand_);
    sitePanel_ = new QLabel(ui->StatusBar1);
    sitePanel_->setObjectName(QStringLiteral("StatusSite"));
    sitePanel_->hide();
    ui->StatusBar1->addPermanentWidget(sitePanel_);
    linkPanel_ = new QLabel(ui->StatusBar1);
    linkPanel_->setObjectName(QStringLiteral("StatusLink"));
    ui->StatusBar1->addPermanentWidget(linkPanel_);
    panels_[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    QFont nameFont = ui->MieteName->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.35);
    ui->MieteName->setFont(nameFont);
    QFont modeFont = ui->BetriebsArtTab->font();
    modeFont.setBold(true);
    ui->BetriebsArtTab->setFont(modeFont);
    ui->BetriebsArtTab->setExpanding(true);
    ui->BetriebsArtTab->setDrawBase(false);
    for (int i = 0; i < 4; ++i)
        ui->BetriebsArtTab->addTab(QString());
    ui->MEMLabel->SetColor(QColor(40, 200, 40));

    ui->Luft1->hide();

    PlaceInstruments();
    ui->TabControl1->SetBold(true);
    FillPlantTabs(ui->TabControl1, MaxPlants);
    SetupGrids();
    ApplyUnits();
    Retranslate();

    for (TLedNumber *led : {ui->T1Anz, ui->T2Anz, ui->T3Anz, ui->T4Anz, ui->T5Anz,
                            ui->O2Anz, ui->LaufzeitAnz, ui->ZyklenAnz})
        led->SwitchOff();
    ShowGrid();

    connect(dispTimer_, &QTimer::timeout, this, &TFAnzeige::DispTimerOnTimer);
    if (TLink *link = TLink::Instance())
        connect(link, &TLink::LineStateChanged, this, [this](bool open) {
            lostSince_ = open ? QDateTime() : QDateTime::currentDateTime();
            UpdateSelectionState();
            ShowPlant();
        });
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, [this] { TabControl1Change(); });
    connect(ui->BetriebsArtTab, &QTabBar::currentChanged, this, &TFAnzeige::BetriebsArtTabChange);
    connect(ui->StatusAnzeige, &TTitledGrid::Clicked, this, &TFAnzeige::StatusAnzeigeClick);

    connect(ui->Ende1, &QAction::triggered, this, &TFAnzeige::Ende1Click);
    connect(ui->OfflineDatenauslesen1, &QAction::triggered, this, &TFAnzeige::OfflineDatenauslesen1Click);
    connect(ui->Mieteneustarten1, &QAction::triggered, this, &TFAnzeige::Mieteneustarten1Click);
    connect(ui->Mietefortfuehren1, &QAction::triggered, this, &TFAnzeige::Mietefortfuehren1Click);
    connect(ui->Mietebeenden1, &QAction::triggered, this, &TFAnzeige::Mietebeenden1Click);
    connect(ui->Speicherstatus1, &QAction::triggered, this, &TFAnzeige::Speicherstatus1Click);
    connect(ui->Zeiten1, &QAction::triggered, this, &TFAnzeige::Einstellwerte1Click);
    connect(ui->Datumsetzen1, &QAction::triggered, this, &TFAnzeige::Datumsetzen1Click);
    connect(ui->About1, &QAction::triggered, this, &TFAnzeige::About1Click);
    // The selected pile's journal: written on the PC, no word on the line.
    ui->MietenVerwaltung1->addSeparator();
    connect(AddTranslatedAction(ui->MietenVerwaltung1, "TFAnzeige", QT_TR_NOOP("Tagebuch …"), "Tagebuch1"), &QAction::triggered,
            this, [this] {
        const int plant = qBound(1, int(Plants().SelectedPlant), MaxPlants);
        const QString file = Plants().PlantTable[plant].Datei;
        if (file.isEmpty() || !QFileInfo(file).isFile()) {
            ShowError(this, tr("Anlage %1 hat noch keine Datendatei; das Tagebuch gehört zu ihr.").arg(plant + Settings().DisplayOffset));
            return;
        }
        TFTagebuch journal(file, plant, this);
        journal.exec();
    });

    // Until a plant is selected the menus follow the (initial) selection.
    {
        QSignalBlocker block(ui->TabControl1);
        ui->TabControl1->SetCurrentIndex(qBound(1, int(Plants().SelectedPlant), MaxPlants) - 1);
    }
    UpdateSelectionState();

    // Opens at its designed size where the screen has room; may shrink to what its
    // contents need (a 1024 × 768 screen).
    layout()->activate();
    setMinimumSize(minimumSizeHint());
    FitIntoScreen(this);
}

TFAnzeige::~TFAnzeige()
{
    if (FAnzeige == this)
        FAnzeige = nullptr;
}

TTitledGrid *TFAnzeige::Grid() const { return ui->BPAnzGrid; }
TTitledGrid *TFAnzeige::StatusGrid() const { return ui->StatusAnzeige; }

QString TFAnzeige::StatusPanelText(int panel) const
{
    return panel >= 0 && panel < 4 ? panels_[panel]->text() : QString();
}

void TFAnzeige::SetStatusPanelText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 4 && panels_[panel]->text() != text)
        panels_[panel]->setText(text);
}

void TFAnzeige::PlaceInstruments()
{
    // Picture units of pile.svg (420 x 300): the probes' depth lines run at
    // y = 50 (0 cm, the surface) to 250 (100 cm, the core), the lance at x = 210.
    TPileView *pile = ui->Image2;
    TLedNumber *temps[5] = {ui->T5Anz, ui->T4Anz, ui->T3Anz, ui->T2Anz, ui->T1Anz};
    for (int i = 0; i < 5; ++i)
        pile->Place(temps[i], QRectF(72, 50 * (i + 1) - 24, 128, 48));
    pile->Place(ui->O2Anz, QRectF(224, 26, 136, 52));
    pile->Place(ui->LaufzeitAnz, QRectF(224, 82, 136, 52));
    pile->Place(ui->ZyklenAnz, QRectF(224, 138, 136, 52));
    pile->Place(ui->Luft1, QRectF(252, 196, 76, 66));
    pile->Place(ui->T55Anz, QRectF(354, 26, 64, 236));
}

void TFAnzeige::SetupGrids()
{
    TTitledGrid *g = ui->BPAnzGrid;
    g->SetColCount(GridCols);
    g->SetRowCount(GridRows);
    for (int c = 1; c < GridCols; ++c)
        g->SetColWidth(c, LeastColWidth);
    // Every column keeps room for its longest text (the mode texts: Retranslate).
    g->SetColMinText(2, {QStringLiteral("100.0")});
    g->SetColMinText(4, {QStringLiteral("99999")});
    g->SetColMinText(5, {QStringLiteral("99999")});
    g->SetColMinText(6, {QStringLiteral("100")});

    TTitledGrid *s = ui->StatusAnzeige;
    s->SetColCount(2);
    s->SetRowCount(GridRows);
    // The result column takes the grid's whole width beside the row titles.
    s->horizontalHeader()->setStretchLastSection(true);
    s->hide();
    FillRowTitles();
}

void TFAnzeige::FillRowTitles()
{
    ui->BPAnzGrid->SetRowCount(GridRows);
    ui->StatusAnzeige->SetRowCount(GridRows);
    for (int n = 1; n <= MaxPlants; ++n) {
        const QString title = tr("Anl ") + QString::number(n + Settings().DisplayOffset);
        ui->BPAnzGrid->SetCells(0, n, title);
        ui->StatusAnzeige->SetCells(0, n, ui->BPAnzGrid->Cells(0, n));
    }
}

void TFAnzeige::ApplyUnits()
{
    if (Settings().ShowRefDepth) {
        ui->T55Anz->SetCaption(Plants().RefCaption);
        ui->T55Anz->show();
        ui->BPAnzGrid->SetCells(RefColumn, 0, Plants().RefCaption);
        ui->BPAnzGrid->setColumnHidden(RefColumn - 1, false);
    } else {
        ui->T55Anz->hide();
        ui->BPAnzGrid->SetCells(RefColumn, 0, QString());
        // Without the reference depth its column would only ever read "---".
        ui->BPAnzGrid->setColumnHidden(RefColumn - 1, true);
    }
    const QString tempUnit = Plants().ImperialUnits ? QStringLiteral("°F") : QStringLiteral("°C");
    for (TLedNumber *led : {ui->T1Anz, ui->T2Anz, ui->T3Anz, ui->T4Anz, ui->T5Anz})
        led->SetUnit(tempUnit);
    ui->T55Anz->SetUnit(Plants().ImperialUnits ? QStringLiteral("in") : QStringLiteral("cm"));
    ui->T55Anz->SetMaximum(Plants().ImperialUnits ? CmToInch(100) : 100);
}

void TFAnzeige::Retranslate()
{
    for (int i = ModeFanOff; i <= ModeO2Control; ++i)
        ui->BetriebsArtTab->setTabText(i, ModeTabText(i));

    TTitledGrid *g = ui->BPAnzGrid;
    g->SetCells(1, 0, tr("Lüfter"));
    g->SetCells(2, 0, tr("%/O2"));
    g->SetCells(3, 0, tr("Betriebsart"));
    g->SetCells(4, 0, tr("Laufzeit"));
    g->SetCells(5, 0, tr("Zyklen"));
    g->SetColMinText(1, {tr("EIN"), tr("AUS")});
    g->SetColMinText(3, {ModeGridText(ModeFanOff), ModeGridText(ModeFanOn), ModeGridText(ModeO2Control),
                         ModeGridText(ModeControl)});
    // The title of the result column carries the time of the last daily readout
    // once one ran; only the initial title is a translatable text.
    const QString statusTitle = ui->StatusAnzeige->Cells(1, 0);
    if (statusTitle.isEmpty() || statusTitle == statusTitle_)
        ui->StatusAnzeige->SetCells(1, 0, statusTitle_ = tr("Speicherstatus"));
    FillRowTitles();

    SetStatusPanelText(0, tr("Datei:"));
    SetStatusPanelText(2, tr("Anzahl Speicherwerte:"));
    for (int i : {0, 2})
        panels_[i]->setMinimumWidth(panels_[i]->fontMetrics().horizontalAdvance(panels_[i]->text()) + 8);
    UpdateSelectionState();
}

int TFAnzeige::ModeTabIndex(int mode)
{
    if (mode >= ModeFanOff && mode <= ModeO2Control)
        return mode;
    // Control mode is the plant's fall-back out of O2 regulation and has no tab of
    // its own (the "Steuerbetrieb" lamp shows it); keep the O2 tab, as discovery does.
    if (mode == ModeControl)
        return ModeO2Control;
    return -1;
}

void TFAnzeige::SetModeTab(int mode)
{
    const int index = ModeTabIndex(mode);
    if (index < 0)
        return;
    modeTabShown_ = index;
    if (index == ui->BetriebsArtTab->currentIndex())
        return;
    settingModeTab_ = true;
    ui->BetriebsArtTab->setCurrentIndex(index);
    settingModeTab_ = false;
}

void TFAnzeige::StartTimer()
{
    dispTimer_->setInterval(1000);
    dispTimer_->start();
    StartPolling();
}

void TFAnzeige::StopTimer()
{
    StopPolling();
    dispTimer_->stop();
}

void TFAnzeige::FormActivate()
{
    {
        QSignalBlocker block(ui->TabControl1);
        ui->TabControl1->SetCurrentIndex(qBound(1, int(Plants().SelectedPlant), MaxPlants) - 1);
    }
    TabControl1Change();
    SetModeTab(SlotOf(Plants().SelectedPlant).Mode);
    // A window activation inside a running exchange (its wait handles events) must
    // not restart the poll in the middle of it; the exchange restarts it itself.
    if (!PollPause::Active())
        StartTimer();
}

void TFAnzeige::TabControl1Change()
{
    const int index = ui->TabControl1->CurrentIndex();
    if (index < 0 || index >= MaxPlants)
        return;
    Plants().SelectedPlant = quint16(index + 1);
    SetModeTab(SlotOf(Plants().SelectedPlant).Mode);
    ShowPlant();
    UpdateSelectionState();
}

void TFAnzeige::ShowPlantTabStates()
{
    // The state of every plant at a glance: grey without plant, dark blue without
    // pile, green with a running pile; the tool tip says which.
    const bool lost = !LinkValues().LinkOpen;
    for (int n = 1; n <= MaxPlants; ++n) {
        const TAnlageParameter &s = Plants().PlantTable[n];
        if (lost)
            ui->TabControl1->SetTabState(n - 1, QColor(150, 150, 150), LineLostText());
        else if (PlantMissing(n))
            ui->TabControl1->SetTabState(n - 1, QColor(200, 0, 0),
                                         tr("Anlage nicht erreicht, Miete: %1").arg(s.Name));
        else if (!s.Present)
            ui->TabControl1->SetTabState(n - 1, QColor(150, 150, 150), tr("Keine Anlage"));
        else if (PlantSilentSince(n))
            ui->TabControl1->SetTabState(n - 1, QColor(200, 0, 0), SilentText(n) + QStringLiteral(", ") + tr("Miete: %1").arg(s.Name));
        else if (!s.Running)
            ui->TabControl1->SetTabState(n - 1, QColor(0, 0, 160), tr("Anlage ohne Miete"));
        else
            ui->TabControl1->SetTabState(n - 1, QColor(0, 130, 0), tr("Miete läuft: %1").arg(s.Name));
    }
}

// The menu items that talk to the selected plant.
std::array<QAction *, 5> TFAnzeige::PlantActions() const
{
    return {ui->Mieteneustarten1, ui->Mietefortfuehren1, ui->Mietebeenden1, ui->Zeiten1, ui->Datumsetzen1};
}

// A running pile's plant that stopped answering the poll.
QString TFAnzeige::SilentText(int n) const
{
    return tr("antwortet nicht seit %1").arg(SilentTime(n));
}

QString TFAnzeige::SilentTime(int n) const
{
    return QDateTime::fromMSecsSinceEpoch(PlantSilentSince(n)).time().toString(QStringLiteral("hh:mm:ss"));
}

QString TFAnzeige::LineLostText() const
{
    const QDateTime since = lostSince_.isValid() ? lostSince_ : QDateTime::currentDateTime();
    return tr("Verbindung zu COM%1 verloren seit %2 – neuer Versuch alle %3 s")
        .arg(LinkValues().ComNumber)
        .arg(since.time().toString(QStringLiteral("hh:mm:ss")))
        .arg(ReopenIntervalMs / 1000);
}

void TFAnzeige::ShowLineBand()
{
    // A lost line must not look like plants without piles: a band says so.
    const bool lost = !LinkValues().LinkOpen;
    if (lost && !lostSince_.isValid())
        lostSince_ = QDateTime::currentDateTime();
    if (!lost)
        lostSince_ = QDateTime();
    const QString text = lost ? LineLostText() : QString();
    if (ui->LineBand->text() != text)
        ui->LineBand->setText(text);
    if (ui->LineBand->isVisible() != lost) {
        ui->LineBand->setVisible(lost);
        UpdateSelectionState();
    }
}

void TFAnzeige::ShowSaveState()
{
    // A data file that could not be written stays in view until a write succeeds.
    const QString failure = LastDataWriteFailure();
    QString text;
    if (!failure.isEmpty()) {
        int waiting = 0;
        for (int n = 1; n <= MaxPlants; ++n)
            if (!Plants().PlantTable[n].Datei.isEmpty())
                waiting += PendingRecordCount(Plants().PlantTable[n].Datei);
        text = tr("Nicht gesichert: %1").arg(failure);
        if (waiting > 0)
            text += tr(" | %n Messwerte warten", nullptr, waiting);
    }
    // A data file found changed (a line nobody announced) stays in view: it is proof.
    const QString seal = LastSealProblem();
    if (!seal.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(" | ")) + seal;
    if (savePanel_->text() != text)
        savePanel_->setText(text);
    savePanel_->setVisible(!text.isEmpty());
}

void TFAnzeige::ShowSiteState()
{
    const QString text = SiteViewStatusText();
    if (sitePanel_->text() != text)
        sitePanel_->setText(text);
    if (sitePanel_->isVisible() == text.isEmpty())
        sitePanel_->setVisible(!text.isEmpty());
}

void TFAnzeige::ShowMemoryState()
{
    // Records a plant cannot store are lost for good: a filling memory is warned of,
    // and so is the daily readout that would empty it being off.
    QStringList warnings;
    const QDateTime now = PilesNow();
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n)
        if (const QString w = MemoryWarningText(n, now); !w.isEmpty())
            warnings << w;
    const QString band = warnings.join(QStringLiteral(" | "));
    if (memoryBand_->text() != band)
        memoryBand_->setText(band);
    if (memoryBand_->isVisible() == band.isEmpty())
        memoryBand_->setVisible(!band.isEmpty());
    const QString off = Settings().ReadoutHour == 0 ? tr("Tägliches Auslesen: AUS") : QString();
    if (memoryPanel_->text() != off)
        memoryPanel_->setText(off);
    if (memoryPanel_->isVisible() == off.isEmpty())
        memoryPanel_->setVisible(!off.isEmpty());
}

void TFAnzeige::ShowLinkState()
{
    ShowSaveState();
    ShowMemoryState();
    ShowSiteState();
    ShowLineBand();
    QString text = LinkValues().LinkOpen ? QStringLiteral("COM%1").arg(LinkValues().ComNumber) : tr("Keine Verbindung");
    const TLiveValues &v = LiveOf(Plants().SelectedPlant);
    if (v.Valid && v.StampMs > 0)
        text += tr(" | Messwert vor %1 s").arg((LinkClockMs() - v.StampMs) / 1000);
    if (linkPanel_->text() == text)
        return;
    // The value's age changes every second. A label of fixed size repaints only
    // itself; one that may grow makes the whole status bar lay out and repaint.
    const int needed = linkPanel_->fontMetrics().horizontalAdvance(text) + 2 * linkPanel_->margin()
                       + linkPanel_->fontMetrics().averageCharWidth() * 3;
    if (needed > linkPanel_->minimumWidth() || linkPanel_->minimumHeight() == 0) {
        linkPanel_->setFixedSize(qMax(needed, linkPanel_->minimumWidth()), linkPanel_->sizeHint().height());
    }
    linkPanel_->setText(text);
}

void TFAnzeige::UpdateSelectionState()
{
    ShowPlantTabStates();
    const TAnlageParameter &s = SlotOf(Plants().SelectedPlant);
    const bool lost = !LinkValues().LinkOpen;
    ui->BetriebsArtTab->setEnabled(!lost);
    ui->BetriebsArtTab->setToolTip(lost ? LineLostText() : QString());
    if (lost) {
        // Nothing can reach a plant now; say why instead of ignoring clicks.
        for (QAction *a : PlantActions()) {
            a->setEnabled(false);
            a->setToolTip(LineLostText());
        }
        ui->MEMLabel->SetLit(false);
        ui->MieteName->setText(s.Present ? (s.Running ? s.Name : tr("Angeschlossene ANLAGE ist abgeschaltet!!"))
                                         : tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
        SetStatusPanelText(1, s.Datei);
        SetStatusPanelText(3, s.Datei.isEmpty() ? QString() : QString::number(s.Anzahl));
        return;
    }
    for (QAction *a : PlantActions())
        a->setToolTip(QString());
    if (s.Present) {
        ui->Mieteneustarten1->setEnabled(!s.Running);
        ui->Mietefortfuehren1->setEnabled(!s.Running);
        ui->Mietebeenden1->setEnabled(s.Running);
        ui->MEMLabel->SetLit(s.MemStatus != 0);
        ui->Zeiten1->setEnabled(true);
        ui->Datumsetzen1->setEnabled(true);
        ui->MieteName->setText(s.Running ? s.Name : tr("Angeschlossene ANLAGE ist abgeschaltet!!"));
        SetStatusPanelText(1, s.Datei);
        // The file's records, and those still waiting in the plant when known.
        SetStatusPanelText(3, s.Running && s.Stored > 0 ? tr("%1 + %2 in der Anlage").arg(s.Anzahl).arg(s.Stored)
                                                        : QString::number(s.Anzahl));
    } else {
        ui->Mieteneustarten1->setEnabled(false);
        ui->Mietefortfuehren1->setEnabled(false);
        ui->Mietebeenden1->setEnabled(false);
        ui->Zeiten1->setEnabled(false);
        ui->Datumsetzen1->setEnabled(false);
        ui->MEMLabel->SetLit(false);
        if (PlantMissing(Plants().SelectedPlant)) {
            // Its pile goes on in the plant; the program asks for it every cycle.
            ui->MieteName->setText(tr("Anlage nicht erreicht: %1").arg(s.Name));
            SetStatusPanelText(1, s.Datei);
            SetStatusPanelText(3, QString::number(s.Anzahl));
        } else {
            ui->MieteName->setText(tr("KEINE ANLAGE ANGESCHLOSSEN!!"));
            SetStatusPanelText(1, QString());
            SetStatusPanelText(3, QString());
        }
    }
}

void TFAnzeige::DispTimerOnTimer()
{
    DispHeartbeat = DispHeartbeat % 10 + 1;
    ui->Progressbar1->setValue(DispHeartbeat);
    ShowPlant();
    ShowGrid();
    ShowPlantTabStates();       // a plant falls silent between selections too
    CheckDailyReadout();
}

void TFAnzeige::CheckDailyReadout()
{
    const QDateTime now = PilesNow();
    // Not inside another exchange (a discovery after the line came back): next tick.
    if (!DailyReadoutDue(now) || PollPause::Active())
        return;
    TTitledGrid *s = ui->StatusAnzeige;
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n)
        s->SetCells(1, n, QString());
    s->SetCells(1, 0, tr("Sicherung am ") + ShortDateText(now.date()) + u' '
                          + now.time().toString(QStringLiteral("hh:mm:ss")));
    WindowObserver quiet(this, true);
    {
        const PollPause pause({dispTimer_});
        setEnabled(false);
        RunDailyReadout([s](int n, ReadoutResult r) {
            s->SetCells(1, n, r == ReadoutResult::Saved    ? tr("Ergebnis OK !")
                              : r == ReadoutResult::Failed ? tr("Fehler beim sichern!")
                                                           : tr("nicht erreicht"));
        }, &quiet);
        setEnabled(true);
    }
    UpdateSelectionState();
    if (!quiet.notes.isEmpty())
        ShowNotice(this, quiet.notes.join(QStringLiteral("\n\n")));
}

void TFAnzeige::ShowPlant()
{
    const TLiveValues &v = LiveOf(Plants().SelectedPlant);
    TLedNumber *temps[5] = {ui->T1Anz, ui->T2Anz, ui->T3Anz, ui->T4Anz, ui->T5Anz};
    ShowLinkState();
    if (!v.Valid) {
        for (TLedNumber *led : temps)
            led->SwitchOff();
        ui->O2Anz->SwitchOff();
        ui->LaufzeitAnz->SwitchOff();
        ui->ZyklenAnz->SwitchOff();
        // Off, not 0 cm: an empty value must not read as a pile hot all through.
        ui->T55Anz->SwitchOff();
        ui->Luft1->setVisible(false);
        ui->SteuerLED->SetLit(false);
        return;
    }
    // T1Anz is the 100 cm instrument and shows T5, down to T5Anz at the surface.
    const int values[5] = {v.T5, v.T4, v.T3, v.T2, v.T1};
    for (int i = 0; i < 5; ++i)
        temps[i]->SetValue(Plants().ImperialUnits ? CelsiusToFahrenheit(values[i]) : values[i]);
    ui->T55Anz->SetValue(Plants().ImperialUnits ? CmToInch(v.RefMarke) : v.RefMarke);
    ui->O2Anz->SetDecimalPoint(QLocale().decimalPoint().at(0));
    ui->O2Anz->SetValue(v.O2 / 10.0);
    ui->LaufzeitAnz->SetValue(int(v.Luefterlaufzeit));
    ui->ZyklenAnz->SetValue(int(v.LuefterZyklen));
    ui->Luft1->setVisible(v.FanOn != 0);
    ui->SteuerLED->SetLit(v.Betriebsart >= ModeControl);
    SetModeTab(v.Betriebsart);
}

void TFAnzeige::ShowGrid()
{
    for (int n = 1; n <= MaxPlants; ++n)
        ShowGridRow(n);
    // Until a readout has a result for it, the memory column says what each plant holds.
    TTitledGrid *status = ui->StatusAnzeige;
    if (!status->isVisible())
        return;
    for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n) {
        const QString cell = status->Cells(1, n);
        const QString held = Plants().PlantTable[n].Present && Plants().PlantTable[n].Stored >= 0
                                 ? tr("%n Messwerte in der Anlage", nullptr, Plants().PlantTable[n].Stored)
                                 : QString();
        // A readout's result stays; only what this column said itself is replaced.
        if (cell.isEmpty() || (cell != held && cell == heldShown_[size_t(n)])) {
            status->SetCells(1, n, held);
            heldShown_[size_t(n)] = held;
        }
    }
}

void TFAnzeige::ShowGridRow(int n)
{
    if (n < 1 || n > MaxPlants)
        return;
    TTitledGrid *g = ui->BPAnzGrid;
    const TLiveValues &v = Plants().LiveTable[n];
    if (!v.Valid) {
        for (int c = 1; c < GridCols; ++c)
            g->SetCells(c, n, QStringLiteral("---"));
        if (PlantMissing(n))
            g->SetCells(3, n, tr("nicht erreicht"));
        else if (PlantSilentSince(n)) {
            // Two cells, so that the time fits: "antwortet nicht" | "seit hh:mm:ss".
            g->SetCells(3, n, tr("antwortet nicht"));
            g->SetCells(4, n, tr("seit %1").arg(SilentTime(n)));
        }
        return;
    }
    if (Settings().ShowRefDepth)
        g->SetCells(RefColumn, n, QString::number(Plants().ImperialUnits ? CmToInch(v.RefMarke) : v.RefMarke));
    g->SetCells(1, n, v.FanOn ? tr("EIN") : tr("AUS"));
    g->SetCells(2, n, QLocale().toString(v.O2 / 10.0, 'f', 1));
    const QString mode = ModeGridText(v.Betriebsart);
    if (!mode.isEmpty())                // unknown mode: the cell keeps its text
        g->SetCells(3, n, mode);
    g->SetCells(4, n, QString::number(v.Luefterlaufzeit));
    g->SetCells(5, n, QString::number(v.LuefterZyklen));
}

bool TFAnzeige::BetriebsArtTabChanging() const
{
    const TAnlageParameter &s = SlotOf(Plants().SelectedPlant);
    return s.Present && s.Running;
}

void TFAnzeige::BetriebsArtTabChange(int index)
{
    if (settingModeTab_)
        return;
    if (!BetriebsArtTabChanging()) {
        SetModeTab(modeTabShown_);      // refused: the tab stays, nothing is sent
        return;
    }
    bool ok;
    {
        const PollPause pause({dispTimer_});
        ok = ChangePlantMode(Plants().SelectedPlant, index);
    }
    if (ok) {
        ShowGridRow(Plants().SelectedPlant);
        ShowPlant();
    }
    // The mode the plant confirmed; without confirmation the tab shown before.
    const int shown = modeTabShown_;
    if (ok)
        SetModeTab(SlotOf(Plants().SelectedPlant).Mode);
    else
        SetModeTab(shown);
}

void TFAnzeige::Ende1Click()
{
    close();
}

void TFAnzeige::OfflineDatenauslesen1Click()
{
    // The display stands still meanwhile; the readout window is modal, and its
    // exchanges pause the poll themselves.
    dispTimer_->stop();
    {
        TFDatenLesen1 readout(this);
        readout.exec();
    }
    FormActivate();             // restarts the display; the readout may have chosen another plant
}


void TFAnzeige::Mieteneustarten1Click()
{
    const TAnlageParameter &s = SlotOf(Plants().SelectedPlant);
    if (!s.Present || s.Running)
        return;
    if (CompanyLinesArePlaceholders()) {
        // The new file's header takes the company lines for good: ask for them first.
        TFProtokKopf company(this);
        company.AskBeforeFirstPile();
        company.exec();
    }
    {
        TFAnlageDaten data(Plants().SelectedPlant, this);
        if (data.exec() != QDialog::Accepted)
            return;
    }
    {
        WindowObserver window(this, false);
        const PollPause pause({dispTimer_});
        StartPile(Plants().SelectedPlant, &window);
    }
    TabControl1Change();
}

void TFAnzeige::Mietefortfuehren1Click()
{
    TAnlageParameter &s = Plants().PlantTable[qBound(1, int(Plants().SelectedPlant), MaxPlants)];
    if (!s.Present || s.Running)
        return;
    // The chooser starts in the plant's folder; the program's current directory
    // stays as it is.
    if (!QFileInfo(s.Pfad).isDir())
        s.Pfad = Settings().ProgramFolder;
    const QString file = ChooseDataFile(this, s.Pfad);
    if (file.isEmpty())
        return;
    WindowObserver window(this, false);
    {
        const PollPause pause({dispTimer_});
        ContinuePile(Plants().SelectedPlant, file, window);
    }
    TabControl1Change();
}

void TFAnzeige::Mietebeenden1Click()
{
    setEnabled(false);
    EndPile();
    setEnabled(true);
}

void TFAnzeige::EndPile()
{
    WindowObserver window(this, false);
    {
        const PollPause pause({dispTimer_});
        const QString file = Plants().PlantTable[Plants().SelectedPlant].Datei;
        if (EndPileWithOperator(Plants().SelectedPlant, window) == EndOutcome::SwitchedOff && QFileInfo::exists(file)) {
            // The ended pile goes into the archive with its protocols, as it stands now.
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const PileArchiveResult archived = ArchivePile(file, ArchiveRoot());
            QApplication::restoreOverrideCursor();
            // Success is said in passing; the ending dialogue has said enough.
            if (archived.ok)
                ui->StatusBar1->showMessage(tr("Die Miete ist archiviert in %1").arg(QDir::toNativeSeparators(archived.folder))
                                                + (archived.notes.isEmpty() ? QString() : QStringLiteral(" (") + archived.notes + u')'),
                                            15000);
            else
                ShowError(this, tr("Die Miete konnte nicht archiviert werden.\n%1").arg(archived.error));
        }
    }
    TabControl1Change();
}

bool TFAnzeige::SaveCurrentPlant()
{
    WindowObserver window(this, false);
    const PollPause pause({dispTimer_});
    return ::SaveCurrentPlant(Plants().SelectedPlant, window);
}

bool TFAnzeige::SavePlant(int n)
{
    WindowObserver quiet(this, true);
    const PollPause pause({dispTimer_});
    return TransferForReadout(n, &quiet);
}

void TFAnzeige::Speicherstatus1Click()
{
    // The menu item is checked while the readout results are shown.
    ui->StatusAnzeige->setVisible(ui->Speicherstatus1->isChecked());
    if (ui->StatusAnzeige->isVisible())
        ui->StatusAnzeige->raise();
}

void TFAnzeige::StatusAnzeigeClick()
{
    ui->StatusAnzeige->setVisible(!ui->StatusAnzeige->isVisible());
    if (ui->StatusAnzeige->isVisible())
        ui->StatusAnzeige->raise();
    ui->Speicherstatus1->setChecked(ui->StatusAnzeige->isVisible());
}

void TFAnzeige::Einstellwerte1Click()
{
    bool ok = false;
    {
        const PollPause pause({dispTimer_});
        ok = ReadPlantSetup(Plants().SelectedPlant);
    }
    if (!ok) {
        ShowError(this, TimeoutMessage());
        return;
    }
    TFO2MessSetup setup(this);
    setup.exec();
}

void TFAnzeige::Datumsetzen1Click()
{
    TFAnlDatumSetup clock(this);
    clock.exec();
}

void TFAnzeige::About1Click()
{
    TFAbout about(this);
    about.exec();
}

bool TFAnzeige::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TFAnzeige::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        Retranslate();
        ApplyUnits();
    }
    QDialog::changeEvent(e);
}

void TFAnzeige::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // A notice of the start-up must not end up behind the display, where it
    // could neither be read nor closed.
    QTimer::singleShot(0, this, [this] { MoveNoticesOver(this); });
    // Platforms without window activation (offscreen) still get a running display.
    if (!e->spontaneous())
        FormActivate();
}

void TFAnzeige::hideEvent(QHideEvent *e)
{
    // The display timer ends with the window; the main window's poll goes on.
    if (!e->spontaneous())
        dispTimer_->stop();
    QDialog::hideEvent(e);
}

void TFAnzeige::keyPressEvent(QKeyEvent *e)
{
    // Escape would close the live display unasked; it closes through its menu only.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
