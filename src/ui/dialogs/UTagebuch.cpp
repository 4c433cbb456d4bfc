#include "dialogs/UTagebuch.h"

#include "datafile/DataFile.h"
#include "datafile/Journal.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

TFTagebuch::TFTagebuch(const QString &dataFile, int plant, QWidget *parent) : QDialog(parent), file_(dataFile), plant_(plant)
{
    setObjectName(QStringLiteral("FTagebuch"));
    DataFileContent data;
    PileHeaderOf(dataFile, data);
    setWindowTitle(tr("Tagebuch – %1").arg(data.PileName.trimmed().isEmpty() ? QFileInfo(dataFile).fileName() : data.PileName.trimmed()));
    auto *layout = new QVBoxLayout(this);
    Eintraege = new QTableWidget(0, 6, this);
    Eintraege->setHorizontalHeaderLabels({tr("Nr"), tr("Zeit"), tr("Art"), tr("Text"), tr("Von"), tr("berichtigt")});
    Eintraege->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Eintraege->setSelectionBehavior(QAbstractItemView::SelectRows);
    Eintraege->verticalHeader()->hide();
    Eintraege->horizontalHeader()->setStretchLastSection(false);
    Eintraege->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    layout->addWidget(Eintraege, 1);
    seal_ = new QLabel(this);
    layout->addWidget(seal_);

    auto *box = new QGroupBox(tr("Neuer Eintrag"), this);
    auto *form = new QFormLayout(box);
    Art = new QComboBox(box);
    for (JournalKind k : {JournalKind::Turned, JournalKind::Watered, JournalKind::Sample, JournalKind::ProbeCheck, JournalKind::Remark})
        Art->addItem(JournalKindText(k), int(k));
    form->addRow(tr("Art:"), Art);
    Zeit = new QDateTimeEdit(QDateTime::currentDateTime(), box);
    Zeit->setDisplayFormat(QStringLiteral("dd.MM.yyyy hh:mm"));
    Zeit->setCalendarPopup(true);
    form->addRow(tr("Zeit:"), Zeit);
    Von = new QLineEdit(ReadSetting(QStringLiteral("COM"), QStringLiteral("TAGEBUCHVON"), QString()), box);
    form->addRow(tr("Von:"), Von);
    Text = new QLineEdit(box);
    Text->setPlaceholderText(tr("Wetter, Außentemperatur, Labornummer der Probe …"));
    form->addRow(tr("Text:"), Text);
    Tiefe = new QComboBox(box);
    for (int cm : {100, 75, 50, 25, 0})
        Tiefe->addItem(QStringLiteral("%1 cm").arg(cm), cm);
    form->addRow(tr("Fühler:"), Tiefe);
    Referenz = new QDoubleSpinBox(box);
    Anlage = new QDoubleSpinBox(box);
    for (QDoubleSpinBox *s : {Referenz, Anlage}) {
        s->setRange(-40, 100);
        s->setDecimals(1);
        s->setSuffix(QStringLiteral(" °C"));
    }
    form->addRow(tr("Referenzthermometer:"), Referenz);
    form->addRow(tr("Anzeige der Anlage:"), Anlage);
    Berichtigt = new QSpinBox(box);
    Berichtigt->setRange(0, 0);
    Berichtigt->setSpecialValueText(tr("keinen"));
    form->addRow(tr("Berichtigt Eintrag:"), Berichtigt);
    layout->addWidget(box);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *add = buttons->addButton(tr("Eintragen"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Schließen"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(add, &QPushButton::clicked, this, &TFTagebuch::EintragenClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(Art, &QComboBox::currentIndexChanged, this, &TFTagebuch::KindChanged);
    connect(Tiefe, &QComboBox::currentIndexChanged, this, &TFTagebuch::KindChanged);
    // A double click on an entry chooses it for correction.
    connect(Eintraege, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        Berichtigt->setValue(Eintraege->item(row, 0)->text().toInt());
    });
    resize(720, 560);
    KindChanged();
    ShowEntries();
}

void TFTagebuch::KindChanged()
{
    const bool probe = JournalKind(Art->currentData().toInt()) == JournalKind::ProbeCheck;
    for (QWidget *w : {static_cast<QWidget *>(Tiefe), static_cast<QWidget *>(Referenz), static_cast<QWidget *>(Anlage)})
        w->setEnabled(probe);
    // The plant's reading at that depth now (T5 is 100 cm … T1 is 0 cm).
    if (probe && plant_ >= 1 && plant_ <= MaxPlants) {
        const TLiveValues &v = Plants().LiveTable[plant_];
        const qint32 byDepth[5] = {v.T5, v.T4, v.T3, v.T2, v.T1};
        Anlage->setValue(byDepth[qBound(0, Tiefe->currentIndex(), 4)]);
    }
}

void TFTagebuch::ShowEntries()
{
    Journal journal;
    QString error;
    if (!LoadJournal(file_, journal, &error))
        ShowError(this, error);
    const std::vector<JournalEntry> standing = journal.Standing();
    Eintraege->setRowCount(int(journal.entries.size()));
    for (int r = 0; r < int(journal.entries.size()); ++r) {
        const JournalEntry &e = journal.entries[size_t(r)];
        const bool stands = std::any_of(standing.begin(), standing.end(), [&](const JournalEntry &s) { return s.number == e.number; });
        QString text = e.text;
        if (e.kind == JournalKind::ProbeCheck && e.HasReadings())
            text = e.Summary().mid(JournalKindText(e.kind).size()).trimmed();
        const QStringList cells{QString::number(e.number), e.time.toString(QStringLiteral("dd.MM.yyyy hh:mm")),
                                JournalKindText(e.kind), text, e.by,
                                e.corrects > 0 ? QString::number(e.corrects) : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (!stands) {
                QFont f = item->font();
                f.setStrikeOut(true);       // corrected by a later entry
                item->setFont(f);
            }
            Eintraege->setItem(r, c, item);
        }
    }
    Eintraege->resizeColumnsToContents();
    Eintraege->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    Eintraege->scrollToBottom();
    Berichtigt->setRange(0, journal.entries.empty() ? 0 : int(journal.entries.back().number));
    seal_->setText(QFileInfo::exists(JournalPath(file_)) ? JournalCheckText(VerifyJournal(file_)) : tr("Noch keine Einträge."));
}

bool TFTagebuch::EintragenClick()
{
    JournalEntry e;
    e.kind = JournalKind(Art->currentData().toInt());
    const QDateTime t = Zeit->dateTime();
    e.time = QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()), Qt::UTC);     // a wall time, as the stamps
    e.text = Text->text();
    e.by = Von->text().trimmed();
    e.corrects = Berichtigt->value();
    if (e.kind == JournalKind::ProbeCheck) {
        e.depthCm = Tiefe->currentData().toInt();
        e.reference = Referenz->value();
        e.plant = Anlage->value();
    }
    QString error;
    if (!AddJournalEntry(file_, e, &error)) {
        ShowError(this, tr("Der Eintrag wurde nicht gespeichert.\n%1").arg(error));
        return false;
    }
    WriteSetting(QStringLiteral("COM"), QStringLiteral("TAGEBUCHVON"), e.by);
    Text->clear();
    Berichtigt->setValue(0);
    ShowEntries();
    return true;
}
