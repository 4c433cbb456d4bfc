#include "reports/ReportForms.h"

#include "plant/Plant.h"
#include "settings/SettingsFile.h"
#include "base/DisplayFormat.h"


#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <qcustomplot.h>

TReportForm::TReportForm() = default;
TReportForm::~TReportForm() = default;

void TReportForm::SetLabel(const QString &name, const QString &text)
{
    if (labels_.contains(name))
        labels_[name] = text;
}

QString TReportForm::Label(const QString &name) const { return labels_.value(name); }

QCustomPlot *TReportForm::QRChart1()
{
    if (!chart_) {
        chart_ = std::make_unique<QCustomPlot>();
        chart_->resize(1000, 420);
    }
    return chart_.get();
}

void TReportForm::Append(std::unique_ptr<TReportForm> next)
{
    TReportForm *last = this;
    while (last->next_)
        last = last->next_.get();
    last->next_ = std::move(next);
}

namespace {
std::vector<BandReport *> Pointers(std::vector<BandReport> &all)
{
    std::vector<BandReport *> out;
    for (BandReport &r : all)
        out.push_back(&r);
    return out;
}
} // namespace

int TReportForm::RenderTo(QPagedPaintDevice &device)
{
    std::vector<BandReport> all = Layouts();
    return BandReport::RenderAll(device, Pointers(all));
}

std::vector<BandReport> TReportForm::Layouts()
{
    std::vector<BandReport> all;
    for (TReportForm *f = this; f; f = f->next_.get())
        all.push_back(f->Layout());
    return all;
}

void TReportForm::RemoveChart()
{
    hasSummary_ = false;
    chart_.reset();
}

void TReportForm::DrawChart(QPainter &p, const QRectF &rect)
{
    if (!chart_)
        return;
    // Recorded as drawing commands, so the chart stays vector graphics on paper.
    // Laid out at the band's aspect ratio, so that text is not stretched.
    const int w = chart_->width();
    const int h = rect.width() > 0 ? qMax(50, qRound(w * rect.height() / rect.width())) : chart_->height();
    QPicture picture;
    {
        QCPPainter cp(&picture);
        chart_->toPainter(&cp, w, h);
    }
    // A picture played on another device is scaled from its own resolution to the
    // device's already; the rest fits it into the band.
    const double dpi = p.device() ? p.device()->logicalDpiX() / double(picture.logicalDpiX()) : 1.0;
    const double dpiY = p.device() ? p.device()->logicalDpiY() / double(picture.logicalDpiY()) : 1.0;
    p.translate(rect.topLeft());
    p.scale(rect.width() / w / dpi, rect.height() / h / dpiY);
    p.drawPicture(0, 0, picture);
}

BandReport TReportForm::Base(const QStringList &detailLabels)
{
    detail_ = detailLabels;
    BandReport r;
    r.NextRow = [this] { return NeedData && NeedData(); };
    r.CellText = [this](int column) {
        const QString name = detail_.value(column);
        return name.isEmpty() || !PrintLabel ? QString() : PrintLabel(name);
    };
    if (hasSummary_) {
        r.SummaryHeightMm = 90;
        r.DrawSummary = [this](QPainter &p, const QRectF &rect) { DrawChart(p, rect); };
    }
    return r;
}

namespace {
ReportSink g_reportSink;    // takes rendered reports instead of the preview (SetReportSink)
}

void SetReportSink(ReportSink sink) { g_reportSink = std::move(sink); }

void ResetReportValues() { SetReportSink({}); }

void TReportForm::Preview(QWidget *parent)
{
    if (g_reportSink)
        return g_reportSink(*this, true);
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [this](QPrinter *pr) {
        RenderTo(*pr);
    });
    preview.exec();
}

bool TReportForm::Print(QWidget *parent)
{
    if (g_reportSink) {
        g_reportSink(*this, false);
        return true;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return RenderTo(printer) > 0;
}

bool TReportForm::ExportPdf(const QString &path, QString *error, int *pages, bool archive)
{
    // Written beside the target and renamed into place: no half-written file at `path`.
    const QFileInfo target(path);
    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!temp.open()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), temp.errorString());
        return false;
    }
    temp.close();
    std::vector<BandReport> all = Layouts();
    if (!BandReport::WritePdfAll(temp.fileName(), Pointers(all), error, pages, archive))
        return false;
    // The temporary file is private; the protocol is not.
    temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::remove(path);
    if (!temp.rename(path)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), temp.errorString());
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

// --- measurement protocol ---------------------------------------------------

namespace {
// The measurement protocol and the graph print follow the language; the quality
// association's form stays as the association prints it.
QString KompText(const char *text) { return QCoreApplication::translate("TFQRKompForm", text); }
} // namespace

std::vector<HeaderItem> TReportForm::FileHeader() const
{
    return {{{}, Label("QRKLabel1"), 12, true, Qt::AlignHCenter},
            {{}, Label("QRKopf1"), 11, true},
            {{}, Label("QRKopf2")},
            {{}, Label("QRKopf3")},
            {KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Anlagen- Name :")), Label("AnlName")},
            {KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Datei- Name :")), Label("DateiName")},
            {{}, Label("QRKomment1")},
            {{}, Label("QRKomment2")}};
}

void TReportForm::AddCheckValue(std::vector<HeaderItem> &header, const QString &label) const
{
    const QString value = Label(QStringLiteral("Pruefwert"));
    if (!value.isEmpty())
        header.push_back({label, value});
}

QPageSize ProtocolPageSize()
{
    return QPageSize(ProtocolPaper() == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

TFQRKompForm::TFQRKompForm()
{
    for (const char *name : {"QRKopf1", "QRKopf2", "QRKopf3", "AnlName", "DateiName", "QRKomment1", "QRKomment2", "Pruefwert"})
        labels_[QString::fromLatin1(name)] = QString();
    labels_["QRKLabel1"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Haldrix Messprotokoll"));
    labels_["QRLabel8"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Nr.:"));
    labels_["QRDatum"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Datum/Zeit"));
    labels_["QRLabel5"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Temperatur an Messtelle"));
    labels_["QRTemp1"] = QStringLiteral("T5[°C]");
    labels_["QRTemp2"] = QStringLiteral("T4[°C]");
    labels_["QRTemp3"] = QStringLiteral("T3[°C]");
    labels_["QRTemp4"] = QStringLiteral("T2[°C]");
    labels_["QRTemp5"] = QStringLiteral("T1[°C]");
    labels_["QRLabel3"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "O2[vol%]"));
    labels_["QRLabel4"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Lüfter"));
    labels_["QRLabel11"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Laufzeit[min]"));
    labels_["QRLabel14"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Zyklen"));
    labels_["QRLabel7"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Tiefe"));
    labels_["QRLabel6"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "S 55°C[cm]"));
}

void TFQRKompForm::SetUnitHeadings()
{
    if (Plants().ImperialUnits)
        for (int i = 1; i <= 5; ++i)
            SetLabel(QStringLiteral("QRTemp%1").arg(i), QStringLiteral("T%1[°F]").arg(6 - i));
    if (Settings().ShowRefDepth) {
        SetLabel("QRLabel6", Plants().RefCaption);
    } else {
        SetLabel("QRLabel6", QString());
        SetLabel("QRLabel7", QString());
    }
}

BandReport TFQRKompForm::Layout()
{
    BandReport r = Base({"QRNr", "QRDat", "QRT1", "QRT2", "QRT3", "QRT4", "QRT5", "QRO2", "QRZeit", "QRZyklen", "QR55Gr"});
    r.PageSize = ProtocolPageSize();
    r.MarginsMm = QMarginsF(10, 10, 10, 10);
    r.Title = Label("QRKLabel1");
    r.Header = FileHeader();
    AddCheckValue(r.Header, KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Prüfwert :")));
    r.FooterDateLabel = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Druckdatum/-zeit :"));
    r.FooterPageLabel = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Seitennr. :"));
    const QString temps = Label("QRLabel5"), fan = Label("QRLabel4"), depth = Label("QRLabel7");
    r.Columns = {{{}, Label("QRLabel8"), 0.7},
                 {{}, Label("QRDatum"), 2.2, Qt::AlignLeft},
                 {temps, Label("QRTemp1")}, {temps, Label("QRTemp2")}, {temps, Label("QRTemp3")},
                 {temps, Label("QRTemp4")}, {temps, Label("QRTemp5")},
                 {{}, Label("QRLabel3"), 1.1},
                 {fan, Label("QRLabel11"), 1.3}, {fan, Label("QRLabel14")},
                 {depth, Label("QRLabel6"), 1.2}};
    return r;
}

// --- quality-association protocol -------------------------------------------

TFQRKompProtokoll::TFQRKompProtokoll()
{
    for (const char *name : {"QRKopf1", "QRKopf2", "QRKopf3", "AnlName", "Pruefwert"})
        labels_[QString::fromLatin1(name)] = QString();
    labels_["QRKLabel1"] = QStringLiteral("Temperatur- Protokoll Eigenuntersuchung von Kompost");
    labels_["QRDatum"] = QStringLiteral("Datum");
    labels_["QRLabel5"] = QStringLiteral("Messwerte");
    labels_["QRTemp1"] = QStringLiteral("Rand ");
    labels_["QRTemp2"] = QStringLiteral("Kern ");
    labels_["QRTemp3"] = QStringLiteral("Basis ");
    labels_["QRLabel7"] = QStringLiteral("Bemerkung über Behandlungen und Witterung ( z.B. Umsetzen, Bewässern, Wetter, Aussentemperatur)");
    labels_["QRLabel3"] = QStringLiteral("Prüfer/ Unterschrift");
}

BandReport TFQRKompProtokoll::Layout()
{
    BandReport r = Base({"QRDat", "QR55Gr", "QRT1", "QRT5", "QRBemerkung", "QRPruefer"});
    r.PageSize = ProtocolPageSize();
    r.MarginsMm = QMarginsF(10, 10, 10, 10);
    r.FooterDateLabel = QStringLiteral("Druckdatum/-zeit :");
    r.FooterPageLabel = QStringLiteral("Seitennr. :");
    {
        const GermanDisplayForms german;
        r.FooterDateText = DisplayStampText(QDateTime::currentDateTime());
    }
    r.Title = Label("QRKLabel1");
    r.DetailPointSize = 8.5;
    r.Header = {{{}, Label("QRKLabel1"), 12, true, Qt::AlignLeft},
                {QStringLiteral("Betrieb:"), Label("QRKopf1"), 10},
                {QStringLiteral("        "), Label("QRKopf2"), 10},
                {QStringLiteral("        "), Label("QRKopf3"), 10},
                {QStringLiteral("Mieten-Nr:"), Label("AnlName"), 10}};
    AddCheckValue(r.Header, QStringLiteral("Prüfwert:"));
    const QString values = Label("QRLabel5");
    r.Columns = {{{}, Label("QRDatum"), 2.1, Qt::AlignLeft, true},
                 {values, Label("QRTemp1"), 1.3, Qt::AlignRight, true},
                 {values, Label("QRTemp2"), 1.3, Qt::AlignRight, true},
                 {values, Label("QRTemp3"), 1.4, Qt::AlignRight, true},
                 {{}, Label("QRLabel7"), 3.8, Qt::AlignLeft},
                 {{}, Label("QRLabel3"), 1.8, Qt::AlignLeft, true}};
    return r;
}

// --- graph report -----------------------------------------------------------

TFQRGraphForm::TFQRGraphForm()
{
    for (const char *name : {"QRKopf1", "QRKopf2", "QRKopf3", "AnlName", "DateiName", "QRKomment1", "QRKomment2"})
        labels_[QString::fromLatin1(name)] = QString();
    // The same title as the measurement protocol: it is this program's print.
    labels_["QRKLabel1"] = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Haldrix Messprotokoll"));
}

BandReport TFQRGraphForm::Layout()
{
    BandReport r = Base({});
    r.PageSize = QPageSize(QPageSize::A4);
    r.Orientation = QPageLayout::Landscape;
    r.MarginsMm = QMarginsF(10, 10, 10, 10);
    r.Title = Label("QRKLabel1");
    r.Header = FileHeader();
    r.SummaryFillsPage = true;
    r.FooterDateLabel = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Druckdatum/-zeit :"));
    r.FooterPageLabel = KompText(QT_TRANSLATE_NOOP("TFQRKompForm", "Seitennr. :"));
    return r;
}
