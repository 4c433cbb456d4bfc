#include "data/UDatenLesen.h"
#include "ui_UDatenLesen.h"

#include "datafile/DataFile.h"
#include "dialogs/UAbout.h"
#include "dialogs/UAktiv.h"
#include "piles/Piles.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHeaderView>
#include "base/DisplayFormat.h"
#include "piles/Messages.h"

#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>

namespace {

constexpr int kColumns = 12;
constexpr int kRestRows = 20;           // grid rows at rest, the title row included

// A stamp that forms no date shows the start of the time scale; the file keeps its texts.
QDateTime StampTime(const TStoredStamp &s)
{
    const QDateTime t = StampDateTime(s);
    return t.isValid() ? QDateTime(t.date(), t.time()) : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QString Temp(int celsius) { return QString::asprintf("%4d", Plants().ImperialUnits ? CelsiusToFahrenheit(celsius) : celsius); }

} // namespace

QStringList ReadoutCells(const TLiveValues &v, const TStoredStamp &stamp)
{
    QStringList cells;
    cells << QLocale().toString(StampTime(stamp), ShortDateFormat() + QStringLiteral("  hh:mm"));
    for (int t : {v.T5, v.T4, v.T3, v.T2, v.T1})
        cells << Temp(t);
    cells << QString::asprintf("%4.1f", v.O2 / 10.0).replace(u'.', QLocale().decimalPoint());
    cells << QString::asprintf("%1d", int(v.Betriebsart));
    cells << QString::asprintf("%5d", v.Luefterlaufzeit);
    cells << QString::asprintf("%5d", v.LuefterZyklen);
    cells << (Settings().ShowRefDepth ? QString::asprintf("%4d", Plants().ImperialUnits ? CmToInch(v.RefMarke) : v.RefMarke) : QString());
    return cells;
}

// The readout's view of the transfer: counts, grid rows and the busy window.
class TFDatenLesen1::Readout : public PileObserver {
public:
    explicit Readout(TFDatenLesen1 *window) : w_(window) {}
    void TransferStarted(int, int records) override
    {
        w_->ui->AnzDaten1->setText(QString::number(records));
        w_->recordsRead_ = 0;
        w_->ui->StringGrid1->setRowCount(records);          // + the title row
        if (FAktiv)
            FAktiv->ShowProgress(w_, records);
    }
    void RecordReceived(int, int number) override
    {
        if (FAktiv)
            FAktiv->ProgressBar1()->setValue(number);
        w_->recordsRead_ = number;
        w_->ui->DatenNr->setText(QString::number(number));
        QTableWidget *grid = w_->ui->StringGrid1;
        if (grid->rowCount() < number)
            grid->setRowCount(number);
        const int row = number - 1;                         // grid row `number`
        grid->setItem(row, 0, new QTableWidgetItem(QString::number(number)));
        const QStringList cells = ReadoutCells(LinkValues().StoredValues, LinkValues().StoredStamp);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c > 0)                  // values line up at the right
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, c + 1, item);
        }
        grid->setCurrentCell(row, 0);
    }
    bool StopRequested() override { return FAktiv && FAktiv->CancelRequested; }
    void TransferEnded(int) override
    {
        if (FAktiv)
            FAktiv->HideProgress();
    }

private:
    TFDatenLesen1 *w_;
};

TFDatenLesen1::TFDatenLesen1(QWidget *parent) : QDialog(parent), ui(new Ui::TFDatenLesen1)
{
    ui->setupUi(this);
    auto *menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(menu);
    auto add = [this](QMenu *m, const char *name, const char *text, const QKeySequence &key, auto slot) {
        connect(AddTranslatedAction(m, "TFDatenLesen1", text, name, key), &QAction::triggered, this, slot);
    };
    QMenu *ende = AddTranslatedMenu(menu, "TFDatenLesen1", QT_TR_NOOP("&Ende"));
    add(ende, "Ende2", QT_TR_NOOP("&Ende"), QKeySequence(Qt::CTRL | Qt::Key_X), &TFDatenLesen1::Ende2Click);
    QMenu *drucken = AddTranslatedMenu(menu, "TFDatenLesen1", QT_TR_NOOP("&Drucken"));
    add(drucken, "Druckvorschau1", QT_TR_NOOP("Druck&vorschau"), QKeySequence(Qt::CTRL | Qt::Key_V), &TFDatenLesen1::PreviewButtonClick);
    add(drucken, "Drucken1", QT_TR_NOOP("&Drucken"), QKeySequence(Qt::CTRL | Qt::Key_D), &TFDatenLesen1::PrintButtonClick);
    QAction *info = AddTranslatedAction(menu, "TFDatenLesen1", QT_TR_NOOP("&Info"), "Info1");
    connect(info, &QAction::triggered, this, &TFDatenLesen1::Info1Click);

    panels_[0] = new QLabel(ui->StatusBar1);
    panels_[1] = new QLabel(ui->StatusBar1);
    panels_[0]->setText(tr("Status:"));
    panels_[1]->setMinimumWidth(500);
    ui->StatusBar1->addWidget(panels_[0]);
    ui->StatusBar1->addWidget(panels_[1], 1);

    QTableWidget *grid = ui->StringGrid1;
    grid->setColumnCount(kColumns);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    ClearGrid();
    // The columns' widths, wider where a title would not fit (°F, other languages).
    static const int widths[kColumns] = {30, 120, 40, 40, 40, 40, 40, 47, 88, 71, 59, 89};
    const QFontMetrics header(grid->horizontalHeader()->font());
    int total = 0;
    for (int c = 0; c < kColumns; ++c) {
        const int w = qMax(widths[c], header.horizontalAdvance(Cells(c, 0)) + 14);
        grid->setColumnWidth(c, w);
        total += w;
    }
    grid->setMinimumSize(total + grid->frameWidth() * 2 + grid->verticalScrollBar()->sizeHint().width(),
                         grid->horizontalHeader()->sizeHint().height() + 15 * grid->verticalHeader()->defaultSectionSize());

    connect(ui->ToolButton1, &QToolButton::clicked, this, &TFDatenLesen1::DatenAuslesen);
    connect(ui->PreviewButton, &QToolButton::clicked, this, &TFDatenLesen1::PreviewButtonClick);
    connect(ui->PrintButton, &QToolButton::clicked, this, &TFDatenLesen1::PrintButtonClick);
    FillPlantTabs(ui->TabControl1, Plants().PlantCount);
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, &TFDatenLesen1::TabControl1Change);
    // The plant chosen elsewhere is the one shown and read here from the start.
    const int current = qBound(1, int(Plants().SelectedPlant), qMax(1, int(Plants().PlantCount))) - 1;
    {
        QSignalBlocker block(ui->TabControl1);
        ui->TabControl1->SetCurrentIndex(current);
    }
    TabControl1Change();
}

TFDatenLesen1::~TFDatenLesen1() { delete ui; }

void TFDatenLesen1::SetTitles()
{
    const QString unit = Plants().ImperialUnits ? QStringLiteral("[°F]") : QStringLiteral("[°C]");
    QStringList titles{QString(), tr("Datum")};
    for (int t = 5; t >= 1; --t)
        titles << QStringLiteral("T%1%2").arg(t).arg(unit);
    titles << QStringLiteral("% O2") << tr("Betriebsart") << tr("Laufzeit") << tr("Zyklen")
           << (Settings().ShowRefDepth ? Plants().RefCaption : QString());
    ui->StringGrid1->setHorizontalHeaderLabels(titles);
}

void TFDatenLesen1::ClearGrid()
{
    ui->StringGrid1->clearContents();
    SetTitles();
    recordsRead_ = 0;
    ui->StringGrid1->setRowCount(kRestRows - 1);
    ui->AnzDaten1->setText(QStringLiteral("0"));
    ui->DatenNr->setText(QStringLiteral("0"));
}

QString TFDatenLesen1::Cells(int col, int row) const
{
    const QTableWidget *grid = ui->StringGrid1;
    if (row == 0) {
        const QTableWidgetItem *h = grid->horizontalHeaderItem(col);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem *item = grid->item(row - 1, col);
    return item ? item->text() : QString();
}

int TFDatenLesen1::RowCount() const { return ui->StringGrid1->rowCount() + 1; }

QString TFDatenLesen1::StatusText() const { return panels_[1]->text(); }

void TFDatenLesen1::TabControl1Change()
{
    const int index = ui->TabControl1->CurrentIndex();
    if (index < 0 || index >= MaxPlants)
        return;
    Plants().SelectedPlant = quint16(index + 1);
    ClearGrid();
    const TAnlageParameter &slot = Plants().PlantTable[Plants().SelectedPlant];
    ui->ToolBar1->setEnabled(slot.Present);
    ui->PreviewButton->setEnabled(false);
    ui->PrintButton->setEnabled(false);
    panels_[1]->setText(slot.Datei);
    ShowPlantState();
}

void TFDatenLesen1::ShowPlantState()
{
    ui->MieteName->setText(PlantStateCaption(Plants().SelectedPlant));
}

void TFDatenLesen1::DatenAuslesen()
{
    if (reading_)
        return;
    const int plant = qBound(1, int(Plants().SelectedPlant), MaxPlants);
    ClearGrid();
    const TAnlageParameter &slot = Plants().PlantTable[plant];
    if (slot.Present && slot.Running) {     // only a running pile has a data file to append to
        // Disabled while reading: only the busy window's text takes a click. The
        // messages come after, so that their boxes are not disabled with the window.
        reading_ = true;
        setEnabled(false);
        Readout readout(this);
        TransferNotes notes;
        const TransferOutcome outcome = TransferStoredRecords(plant, &readout, &notes);
        setEnabled(true);
        reading_ = false;
        Report(outcome, plant);
        if (!notes.Empty())
            ShowInfo(this, TransferNotesText(notes));
    }
    ui->PreviewButton->setEnabled(recordsRead_ > 0);
    ui->PrintButton->setEnabled(recordsRead_ > 0);
}

void TFDatenLesen1::Report(TransferOutcome outcome, int plant)
{
    // Nothing was taken: only the reason. A time-out kept the records before it.
    if (outcome == TransferOutcome::OpenFailed || outcome == TransferOutcome::CountFailed) {
        ShowError(this, TransferOutcomeMessage(outcome, plant));
        return;
    }
    if (outcome == TransferOutcome::TimedOut)
        ShowError(this, TimeoutMessage());
    ShowMessage(this, MsgKind::Warning, tr("INFO Daten auslesen abgeschlossen."));
    if (outcome == TransferOutcome::WriteFailed) {
        ShowInfo(this, DataWriteFailedText(plant));
        panels_[1]->clear();
    } else if (const int waiting = PendingRecordCount(Plants().PlantTable[plant].Datei); waiting > 0) {
        // Records kept from an earlier failed write are not in the file yet.
        panels_[1]->setText(tr("%n Messwerte warten auf Platz im Datenträger", nullptr, waiting));
    } else {
        panels_[1]->setText(tr("Werte in Datei gespeichert !"));
    }
}

std::unique_ptr<TFQRKompForm> TFDatenLesen1::GridProtocol()
{
    auto form = std::make_unique<TFQRKompForm>();
    for (int line = 1; line <= 3; ++line)
        form->SetLabel(QStringLiteral("QRKopf%1").arg(line), CompanyLine(line));
    const TAnlageParameter &slot = Plants().PlantTable[qBound(1, int(Plants().SelectedPlant), MaxPlants)];
    form->SetLabel("AnlName", slot.Name);
    form->SetLabel("DateiName", slot.Datei);
    form->SetUnitHeadings();
    // The rows as the grid shows them now; the form may outlive a later readout.
    auto rows = std::make_shared<std::vector<QStringList>>();
    for (int r = 1; r <= recordsRead_; ++r) {
        QStringList row;
        for (int c = 0; c < kColumns; ++c)
            row << Cells(c, r);
        rows->push_back(row);
    }
    auto counter = std::make_shared<size_t>(0);
    form->NeedData = [rows, counter] {
        if (*counter < rows->size()) {
            ++*counter;
            return true;
        }
        *counter = 0;                   // the form may run again (preview, then print)
        return false;
    };
    form->PrintLabel = [rows, counter](const QString &label) {
        static const QMap<QString, int> column = {{"QRDat", 1}, {"QRT1", 2}, {"QRT2", 3}, {"QRT3", 4}, {"QRT4", 5},
                                                  {"QRT5", 6}, {"QRO2", 7}, {"QRZeit", 9}, {"QRZyklen", 10},
                                                  {"QR55Gr", 11}};
        if (*counter == 0 || *counter > rows->size())
            return QString();
        if (label == QLatin1String("QRNr"))
            return QString::number(*counter);
        const int c = column.value(label, -1);
        return c < 0 ? QString() : (*rows)[*counter - 1].value(c);
    };
    form->RemoveChart();                // the readout protocol has no graph
    return form;
}

void TFDatenLesen1::PreviewButtonClick()
{
    if (!ui->PreviewButton->isEnabled() || recordsRead_ == 0)
        return;
    GridProtocol()->Preview(this);
}

void TFDatenLesen1::PrintButtonClick()
{
    if (!ui->PrintButton->isEnabled() || recordsRead_ == 0)
        return;
    if (GridProtocol()->Print(this))
        panels_[1]->setText(tr("Werte ausgedruckt !"));
}

void TFDatenLesen1::Ende2Click() { close(); }

void TFDatenLesen1::Info1Click()
{
    TFAbout about(this);
    about.exec();
}

void TFDatenLesen1::reject()
{
    if (!reading_)              // the readout ends by itself or by the busy window's text
        QDialog::reject();
}

void TFDatenLesen1::closeEvent(QCloseEvent *event)
{
    if (reading_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TFDatenLesen1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        RetranslateCodeTexts(this);
        panels_[0]->setText(tr("Status:"));
        SetTitles();
        ShowPlantState();
    }
    QDialog::changeEvent(event);
}
