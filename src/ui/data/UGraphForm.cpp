#include "data/UGraphForm.h"
#include "ui_UGraphForm.h"

#include "datafile/DataFile.h"
#include "datafile/Seal.h"

#include "dialogs/UAbout.h"
#include "plant/Plant.h"
#include "models/UMessDaten.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"
#include "widgets/PlantTabBar.h"
#include "widgets/MessageBox.h"

#include <QEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QMenuBar>
#include <qcustomplot.h>

TFGraphForm::TFGraphForm(QWidget *parent)
    : QDialog(parent), ui(new Ui::TFGraphForm), model_(std::make_unique<TMessDaten>(this))
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto *menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(menu);
    auto add = [this](QMenu *m, const char *name, const char *text, auto slot) {
        connect(AddTranslatedAction(m, "TFGraphForm", text, name), &QAction::triggered, this, slot);
    };
    QMenu *datei = AddTranslatedMenu(menu, "TFGraphForm", QT_TR_NOOP("&Datei"));
    add(datei, "ffnen1", QT_TR_NOOP("Ö&ffnen"), &TFGraphForm::OpenButtonClick);
    add(datei, "Schliessen1", QT_TR_NOOP("&Schliessen"), &TFGraphForm::Schliessen1Click);
    datei->addSeparator();
    add(datei, "Ende2", QT_TR_NOOP("&Ende"), &QDialog::reject);
    QMenu *drucken = AddTranslatedMenu(menu, "TFGraphForm", QT_TR_NOOP("&Drucken"));
    add(drucken, "Druckvorschau1", QT_TR_NOOP("Druck&vorschau"), &TFGraphForm::PreviewButtonClick);
    add(drucken, "Drucken1", QT_TR_NOOP("&Drucken"), &TFGraphForm::PrintButtonClick);
    QAction *about = AddTranslatedAction(menu, "TFGraphForm", QT_TR_NOOP("&Info"), "About1");
    connect(about, &QAction::triggered, this, [this] {
        TFAbout box(this);
        box.exec();
    });

    const char *texts[4] = {QT_TR_NOOP("Pfad:"), "", QT_TR_NOOP("Anzahl Speicherwerte:"), ""};
    const int widths[4] = {35, 400, 115, 60};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(*texts[i] ? tr(texts[i]) : QString(), ui->StatusBar1);
        panels_[i]->setMinimumWidth(widths[i]);
        ui->StatusBar1->addWidget(panels_[i]);
    }

    QCustomPlot *chart = ui->Chart1;
    chart->setBackground(Qt::white);
    // Long piles have tens of thousands of points per curve: curves without
    // antialiasing keep a replot of seven of them near 10 ms (the print keeps it).
    chart->setNotAntialiasedElements(QCP::aePlottables);
    chart->xAxis2->setVisible(false);
    // "T" until a file brings its own title.
    chart->plotLayout()->insertRow(0);
    placeholder_ = new QCPTextElement(chart, QStringLiteral("T"));
    chart->plotLayout()->addElement(0, 0, placeholder_);
    // A drag rectangle zooms the measurement numbers only; the right button pans.
    chart->setSelectionRectMode(QCP::srmZoom);
    chart->axisRect()->setRangeZoomAxes(chart->xAxis, nullptr);
    connect(chart->selectionRect(), &QCPSelectionRect::accepted, this, [this](const QRect &rect, QMouseEvent *) {
        QCPAxis *x = ui->Chart1->xAxis;
        const double a = x->pixelToCoord(rect.left()), b = x->pixelToCoord(rect.right());
        QTimer::singleShot(0, this, [this, a, b] { ZoomTo(qMin(a, b), qMax(a, b)); });
    });
    connect(chart, &QCustomPlot::mouseDoubleClick, this, &TFGraphForm::Chart1UndoZoom);
    // The right button pans, and only pans: the chart never sees it, so its drag
    // rectangle (which starts on any button) cannot zoom when the button is let go.
    chart->installEventFilter(this);
    model_->AttachSeries(chart);
    model_->SetErrorSink([this](const QString &text) { ShowError(this, text); });

    plant_ = qBound(1, int(Plants().SelectedPlant), MaxPlants);
    ui->MieteName->setText(Plants().PlantTable[plant_].Name);
    boxes_ = {ui->CheckT1, ui->CheckT2, ui->CheckT3, ui->CheckT4, ui->CheckT5, ui->CheckT55,
              ui->CheckO2, ui->CheckWert, ui->CheckLuftZeit, ui->CheckZyklen, ui->CheckZeitachse};
    const GraphCurves c = GraphCurves::FromSettings();
    QCheckBox *temps[5] = {ui->CheckT1, ui->CheckT2, ui->CheckT3, ui->CheckT4, ui->CheckT5};
    for (int i = 0; i < 5; ++i)
        temps[i]->setChecked(c.temp[i]);
    ui->CheckT55->setVisible(Settings().ShowRefDepth);
    ui->CheckT55->setChecked(Settings().ShowRefDepth && c.ref);
    ui->CheckO2->setChecked(c.o2);
    ui->CheckWert->setChecked(c.perDay);
    ui->CheckLuftZeit->setChecked(c.runTime);
    ui->CheckZyklen->setChecked(c.cycles);
    ui->CheckZeitachse->setChecked(c.timeAxis);
    ShowCaptions();
    for (QCheckBox *box : boxes_)
        connect(box, &QCheckBox::clicked, this, [this, box] { CheckClick(box); });
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &TFGraphForm::PageControl1Change);
    connect(ui->OpenButton, &QToolButton::clicked, this, &TFGraphForm::OpenButtonClick);
    connect(ui->PreviewButton, &QToolButton::clicked, this, &TFGraphForm::PreviewButtonClick);
    connect(ui->PrintButton, &QToolButton::clicked, this, &TFGraphForm::PrintButtonClick);
    connect(ui->ZoomUndoButton, &QToolButton::clicked, this, &TFGraphForm::Chart1UndoZoom);
    creating_ = false;
    changed_ = false;
    FillPlantTabs(ui->TabControl1, Plants().PlantCount);
    {
        QSignalBlocker block(ui->TabControl1);
        ui->TabControl1->SetCurrentIndex(plant_ - 1);
    }
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, &TFGraphForm::TabControl1Change);
    ShowCurves();
}

bool TFGraphForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->Chart1)
        return QDialog::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    auto *e = static_cast<QMouseEvent *>(event);
    const bool right = e->button() == Qt::RightButton || (type == QEvent::MouseMove && (e->buttons() & Qt::RightButton));
    if (!right)
        return QDialog::eventFilter(watched, event);
    QCPAxis *x = ui->Chart1->xAxis;
    if (type == QEvent::MouseButtonPress) {
        panStartPixel_ = int(e->position().x());
        panStartLower_ = x->range().lower;
    } else if (type == QEvent::MouseMove && panStartPixel_ >= 0) {
        const double delta = x->pixelToCoord(panStartPixel_) - x->pixelToCoord(e->position().x());
        Pan(panStartLower_ + delta - x->range().lower);
    } else if (type == QEvent::MouseButtonRelease) {
        panStartPixel_ = -1;
        ReplotWithLegendPlaced();
    }
    return true;
}

TFGraphForm::~TFGraphForm()
{
    model_->AttachSeries(nullptr);      // the series leave the chart before either goes
    delete ui;
}

QCustomPlot *TFGraphForm::Chart() const { return ui->Chart1; }

QString TFGraphForm::StatusText(int panel) const { return panels_[qBound(0, panel, 3)]->text(); }

// Whether the loaded file is still the one the program wrote; empty: no file.
void TFGraphForm::ShowSeal(const QString &path)
{
    sealPath_ = path;
    if (path.isEmpty()) {
        panels_[1]->setToolTip(QString());
        return;
    }
    const SealCheck seal = VerifySeal(path);
    panels_[1]->setText(model_->FileNameText + QStringLiteral("  (%1)").arg(seal.ShortText()));
    panels_[1]->setToolTip(seal.Text());
}

void TFGraphForm::ShowCaptions()
{
    static const char *const metric[5] = {"T 100cm [°C]", "T  75cm [°C]", "T  50cm [°C]", "T  25cm [°C]", "T  0cm [°C]"};
    static const char *const imperial[5] = {"T 40in", "T 30in", "T 20in", "T 10in", "T 0in"};
    QCheckBox *temps[5] = {ui->CheckT1, ui->CheckT2, ui->CheckT3, ui->CheckT4, ui->CheckT5};
    for (int i = 0; i < 5; ++i)
        temps[i]->setText(QString::fromUtf8(Plants().ImperialUnits ? imperial[i] : metric[i]));
}

GraphCurves TFGraphForm::Curves() const
{
    GraphCurves c;
    QCheckBox *temps[5] = {ui->CheckT1, ui->CheckT2, ui->CheckT3, ui->CheckT4, ui->CheckT5};
    for (int i = 0; i < 5; ++i)
        c.temp[i] = temps[i]->isChecked();
    c.ref = Settings().ShowRefDepth && ui->CheckT55->isChecked();
    c.o2 = ui->CheckO2->isChecked();
    c.perDay = ui->CheckWert->isChecked();
    c.runTime = ui->CheckLuftZeit->isChecked();
    c.cycles = ui->CheckZyklen->isChecked();
    c.fanView = ui->PageControl1->currentWidget() == ui->Sheet2;
    c.timeAxis = ui->CheckZeitachse->isChecked();
    return c;
}

void TFGraphForm::ShowCurves()
{
    if (!loaded_) {
        for (int s = 0; s < SeriesCountTotal; ++s)
            model_->ShowSeries(s, false);
        ui->Chart1->replot();
        return;
    }
    ShowGraphCurves(*model_, Curves(), ui->Chart1);
    ReplotWithLegendPlaced();
}

void TFGraphForm::ReplotWithLegendPlaced()
{
    // The first replot lays the chart out for the view; the legend then moves to
    // where it hides least of it.
    ui->Chart1->replot();
    TMessDaten::PlaceLegend(ui->Chart1);
    ui->Chart1->replot();
}

void TFGraphForm::TabControl1Change()
{
    plant_ = qBound(1, ui->TabControl1->CurrentIndex() + 1, MaxPlants);
    ui->MieteName->setText(Plants().PlantTable[plant_].Name);
    panels_[1]->clear();
    ShowSeal({});
    ui->PreviewButton->setEnabled(false);
    ui->PrintButton->setEnabled(false);
    loaded_ = false;                    // the file stays in the model, off the chart
    ShowCurves();
}

void TFGraphForm::OpenButtonClick()
{
    const QString path = ChooseDataFile(this, Plants().PlantTable[plant_].Pfad);
    if (path.isEmpty()) {
        ui->PreviewButton->setEnabled(false);
        ui->PrintButton->setEnabled(false);
        return;
    }
    OpenFile(path);
}

void TFGraphForm::OpenFile(const QString &path)
{
    if (!model_->LoadFile(path)) {
        // Unreadable (the model has said why): nothing may print the curves before.
        ShowSeal({});
        ui->PreviewButton->setEnabled(false);
        ui->PrintButton->setEnabled(false);
        loaded_ = false;
        ShowCurves();
        return;
    }
    if (!model_->FileValid) {
        ui->PreviewButton->setEnabled(false);
        ui->PrintButton->setEnabled(false);
        loaded_ = false;
        ShowCurves();
        DataFileContent header;
        if (LoadDataFile(path, header, nullptr) && header.NoRecords)
            ShowInfo(this, NoRecordsText());
        else
            ShowInfo(this, tr("Kein gültiger Dateiaufbau\nDatei war nicht von dieser Software erzeugt!"));
        return;
    }
    ui->PreviewButton->setEnabled(true);
    ui->PrintButton->setEnabled(true);
    panels_[1]->setText(model_->FileNameText);
    ShowSeal(path);
    model_->FanView = Curves().fanView;
    if (placeholder_) {
        ui->Chart1->plotLayout()->remove(placeholder_);
        ui->Chart1->plotLayout()->simplify();
    }
    model_->BuildSeries(ui->CheckWert->isChecked(), ui->Chart1);
    panels_[3]->setText(QString::number(model_->PointCount));
    loaded_ = true;
    ShowCurves();
}

void TFGraphForm::Schliessen1Click()
{
    ui->PreviewButton->setEnabled(false);
    ui->PrintButton->setEnabled(false);
    loaded_ = false;
    ShowCurves();
}

void TFGraphForm::CheckClick(QCheckBox *box)
{
    if (creating_)
        return;
    if (box == ui->CheckWert && loaded_) {
        Chart1UndoZoom();
        model_->BuildSeries(ui->CheckWert->isChecked(), ui->Chart1);
        panels_[3]->setText(QString::number(model_->PointCount));
    }
    changed_ = true;
    ShowCurves();
}

void TFGraphForm::PageControl1Change()
{
    model_->FanView = Curves().fanView;
    ShowCurves();
}

void TFGraphForm::ZoomTo(double from, double to)
{
    if (to - from > 0)
        ui->Chart1->xAxis->setRange(from, to);
    model_->SetAxisRanges(ui->Chart1);      // a zoom never acts on the value axes
    ReplotWithLegendPlaced();
}

void TFGraphForm::Chart1UndoZoom()
{
    if (loaded_)
        model_->SetAxes(ui->Chart1);
    model_->SetAxisRanges(ui->Chart1);
    ReplotWithLegendPlaced();
}

bool TFGraphForm::PanLimits(double &low, double &high) const
{
    // n: the points of the first curve shown, its start point included.
    for (int s = 0; s < SeriesCountTotal; ++s) {
        const QCPAbstractPlottable *p = model_->Plottable(s);
        if (p && p->visible()) {
            low = 0.9;
            high = double(model_->Series[size_t(s)].Count()) - 0.9;
            return true;
        }
    }
    return false;
}

void TFGraphForm::Pan(double delta)
{
    double low, high;
    if (!loaded_ || delta == 0 || !PanLimits(low, high))
        return;
    QCPAxis *x = ui->Chart1->xAxis;
    const QCPRange r = x->range();
    // The view stops at the limit it would pass; a view wider than them stays put.
    double shift = delta;
    if (r.lower + shift < low)
        shift = qMin(0.0, low - r.lower);
    if (r.upper + shift > high)
        shift = qMax(0.0, high - r.upper);
    if (shift == 0)
        return;
    x->setRange(r.lower + shift, r.upper + shift);
    ui->Chart1->replot();
}

void TFGraphForm::PreviewButtonClick() { Run(true); }
void TFGraphForm::PrintButtonClick() { Run(false); }

void TFGraphForm::Run(bool preview)
{
    if (!loaded_ || !ui->PreviewButton->isEnabled())
        return;
    {
        std::unique_ptr<TFQRGraphForm> form = MakeGraphReport(*model_, Curves(), ui->Chart1);
        if (preview)
            form->Preview(this);
        else
            form->Print(this);
        // The curves come back to the window before the report and its chart go.
        model_->AttachSeries(ui->Chart1);
    }
    const QCPRange zoom = ui->Chart1->xAxis->range();
    ShowCurves();
    ui->Chart1->xAxis->setRange(zoom);
    ui->Chart1->replot();
}

void TFGraphForm::done(int result)
{
    // The ticks are kept only when the user changed them; a hidden reference box
    // counts as unticked.
    if (changed_ && !saved_) {
        saved_ = true;
        Curves().Store();
    }
    QDialog::done(result);
}

void TFGraphForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        RetranslateCodeTexts(this);
        panels_[0]->setText(tr("Pfad:"));
        panels_[2]->setText(tr("Anzahl Speicherwerte:"));
        ShowSeal(sealPath_);
        ShowCaptions();
    }
    QDialog::changeEvent(event);
}
