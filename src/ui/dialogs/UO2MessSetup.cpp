#include "dialogs/UO2MessSetup.h"
#include "ui_UO2MessSetup.h"

#include "link/Commands.h"
#include "link/PollPause.h"
#include "widgets/PlantTabBar.h"
#include "piles/MemoryFill.h"
#include "piles/Messages.h"
#include "widgets/MessageBox.h"

#include "widgets/TypedSpinBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

#include "settings/SettingsFile.h"

TFO2MessSetup::TFO2MessSetup(QWidget *parent) : QDialog(parent), ui(new Ui::TFO2MessSetup)
{
    ui->setupUi(this);
    for (QDoubleSpinBox *o2 : {ui->O2EINEdit, ui->O2AUSEdit})
        o2->findChild<QLineEdit *>()->setMaxLength(6);
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            connect(whole, &QSpinBox::valueChanged, this, [this, field] { EditChanged(field); });
        else
            connect(static_cast<QDoubleSpinBox *>(Edit(field)), &QDoubleSpinBox::valueChanged, this,
                    [this, field] { EditChanged(field); });
        // The threshold rule and the note on an emptied field come once the value
        // is confirmed (Enter, or the focus leaves), never on a keystroke.
        connect(Edit(field), &QAbstractSpinBox::editingFinished, this, [this, field] { EditConfirmed(field); });
        if (auto *line = Edit(field)->findChild<QLineEdit *>())
            connect(line, &QLineEdit::textEdited, this, [this, field](const QString &text) {
                if (text.trimmed().isEmpty())
                    emptied_ |= 1u << field;
                typed_[field] = text;
                MarkRefused(field, Typed(field).kind == TypedNumber::NotWhole);
            });
    }
    connect(ui->OKBtn, &QPushButton::clicked, this, &TFO2MessSetup::OKBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FillPlantTabs(ui->TabControl1, Plants().PlantCount);
    plant_ = qBound(1, int(Plants().SelectedPlant), MaxPlants);
    {
        QSignalBlocker block(ui->TabControl1);
        ui->TabControl1->SetCurrentIndex(plant_ - 1);
    }
    connect(ui->TabControl1, &PlantTabBar::CurrentChanged, this, &TFO2MessSetup::TabControl1Change);
    ShowCaption();
    Fill(LinkValues().PlantSetup);
    SetEditsEnabled(true);
    changed_ = 0;
}

TFO2MessSetup::~TFO2MessSetup()
{
    // The edits lose their focus as they are destroyed after this, which confirms a
    // value typed in them: nothing of this dialog may answer then.
    for (int f = 0; f < SetupFieldCount; ++f) {
        Edit(SetupField(f))->disconnect(this);
        if (auto *line = Edit(SetupField(f))->findChild<QLineEdit *>())
            line->disconnect(this);
    }
    delete ui;
}

QAbstractSpinBox *TFO2MessSetup::Edit(SetupField field) const
{
    switch (field) {
    case FieldSpeicher: return ui->SpeicherEdit;
    case FieldIntEin: return ui->IntEINEdit;
    case FieldIntAus: return ui->IntAUSEdit;
    case FieldO2Ein: return ui->O2EINEdit;
    case FieldO2Aus: return ui->O2AUSEdit;
    case FieldNotEin: return ui->NotEINEdit;
    case FieldNotAus: return ui->NotAUSEdit;
    case FieldMaxEin: return ui->MaxEinEdit;
    default: return ui->MaxAUSEdit;
    }
}

void TFO2MessSetup::ShowCaption()
{
    ui->MieteName->setText(PlantStateCaption(plant_));
}

void TFO2MessSetup::Fill(const TPlantSetup &values)
{
    filling_ = true;
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        const int v = SetupFieldValue(values, field);
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            whole->setValue(v);         // a value outside the range shows as its limit
        else
            static_cast<QDoubleSpinBox *>(Edit(field))->setValue(v / 10.0);
    }
    filling_ = false;
    NoteStorageInterval(plant_, values.Speicher);      // for the memory-fill estimate
    changed_ = 0;
    emptied_ = 0;
    for (int f = 0; f < SetupFieldCount; ++f) {
        typed_[f].clear();
        MarkRefused(SetupField(f), false);
    }
    o2Pending_ = -1;
    original_ = confirmed_ = ShownValues();
    ui->HinweisLabel->clear();
}

void TFO2MessSetup::SetEditsEnabled(bool enabled)
{
    for (int f = 0; f < SetupFieldCount; ++f)
        Edit(SetupField(f))->setEnabled(enabled);
}

TPlantSetup TFO2MessSetup::ShownValues() const
{
    TPlantSetup v;
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            SetupFieldValue(v, field) = whole->value();
        else    // the edit shows one decimal, so its tenths are whole
            SetupFieldValue(v, field) = qRound(static_cast<QDoubleSpinBox *>(Edit(field))->value() * 10);
    }
    return v;
}

void TFO2MessSetup::EditChanged(SetupField field)
{
    if (filling_)
        return;
    changed_ |= SetupFieldGroup(field);
    if (field == FieldO2Ein || field == FieldO2Aus)
        o2Pending_ = field;
}

QString TFO2MessSetup::FieldName(SetupField field) const
{
    QLabel *labels[SetupFieldCount] = {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5,
                                       ui->Label6, ui->Label7, ui->Label8, ui->Label9};
    QString name = labels[field]->text().trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return name;
}

QString TFO2MessSetup::ValueText(SetupField field, int value) const
{
    if (field == FieldO2Ein || field == FieldO2Aus)
        return QLocale().toString(value / 10.0, 'f', 1);
    return QString::number(value);
}

TypedNumber TFO2MessSetup::Typed(SetupField field) const
{
    if (auto *whole = qobject_cast<TWholeSpinBox *>(Edit(field)))
        return whole->Typed();
    return static_cast<TDecimalSpinBox *>(Edit(field))->Typed();
}

void TFO2MessSetup::MarkRefused(SetupField field, bool refused)
{
    // The field itself shows that its text is not taken, and the note says why.
    QAbstractSpinBox *edit = Edit(field);
    QString style = edit->styleSheet().remove(QStringLiteral(" background: #ffd0d0;"));
    const QString note = tr("%1: nur ganze Minuten").arg(FieldName(field));
    if (refused) {
        style += QStringLiteral(" background: #ffd0d0;");
        ui->HinweisLabel->setText(note);
    } else if (ui->HinweisLabel->text() == note) {
        ui->HinweisLabel->clear();
    }
    edit->setStyleSheet(style);
}

void TFO2MessSetup::EditConfirmed(SetupField field)
{
    if (filling_)
        return;
    QStringList notes;
    // What was typed, read as the field read it: a refused text or a value taken at
    // the end of the range is said, not passed over.
    const QString typed = typed_[field];
    typed_[field].clear();
    const TypedNumber t = typed.isEmpty() ? TypedNumber{} : ReadTypedNumber(typed, field == FieldO2Ein || field == FieldO2Aus,
                                                                               SetupFieldRange(field).min, SetupFieldRange(field).max);
    MarkRefused(field, false);
    if (t.kind == TypedNumber::NotWhole) {
        // Back to the value before the typing: its first digits are no choice either.
        if (auto *whole = qobject_cast<QSpinBox *>(Edit(field)))
            whole->setValue(SetupFieldValue(confirmed_, field));
        notes << tr("%1: nur ganze Minuten, \"%2\" nicht übernommen, bleibt %3")
                     .arg(FieldName(field), typed.trimmed(), ValueText(field, SetupFieldValue(ShownValues(), field)));
        // Enter that confirmed the field must not also send the dialog's values.
        holdOk_ = true;
        QTimer::singleShot(0, this, [this] { holdOk_ = false; });
    } else if (t.kind == TypedNumber::Number && t.clamped > 0) {
        notes << tr("%1 auf den Höchstwert %2 begrenzt").arg(FieldName(field), ValueText(field, t.value));
    } else if (t.kind == TypedNumber::Number && t.clamped < 0) {
        notes << tr("%1 auf den Mindestwert %2 angehoben").arg(FieldName(field), ValueText(field, t.value));
    }
    if (emptied_ & (1u << field)) {
        emptied_ &= ~(1u << field);
        notes << tr("%1 war leer und bleibt %2.").arg(FieldName(field), ValueText(field, SetupFieldValue(ShownValues(), field)));
    }
    if (field == FieldO2Ein || field == FieldO2Aus) {
        o2Pending_ = -1;
        const TPlantSetup shown = ShownValues();
        int on = shown.O2Ein, off = shown.O2Aus;
        KeepO2Apart(on, off, field);
        if (off != shown.O2Aus)
            notes << (off > shown.O2Aus ? tr("%1 auf %2 angehoben") : tr("%1 auf %2 gesenkt"))
                         .arg(FieldName(FieldO2Aus), ValueText(FieldO2Aus, off));
        if (on != shown.O2Ein)
            notes << (on > shown.O2Ein ? tr("%1 auf %2 angehoben") : tr("%1 auf %2 gesenkt"))
                         .arg(FieldName(FieldO2Ein), ValueText(FieldO2Ein, on));
        if (on != shown.O2Ein || off != shown.O2Aus) {
            QSignalBlocker a(ui->O2EINEdit), b(ui->O2AUSEdit);
            ui->O2EINEdit->setValue(on / 10.0);
            ui->O2AUSEdit->setValue(off / 10.0);
            changed_ |= GroupO2;
        }
    }
    confirmed_ = ShownValues();
    if (!notes.isEmpty())
        ui->HinweisLabel->setText(notes.join(QStringLiteral("; ")));
}

void TFO2MessSetup::Write()
{
    // What is typed but not yet taken (Enter on the default button) counts, clamped.
    for (int f = 0; f < SetupFieldCount; ++f)
        Edit(SetupField(f))->interpretText();
    WriteSetupGroups(plant_, ShownValues(), changed_);
    if (changed_ & GroupStore)
        NoteStorageInterval(plant_, ShownValues().Speicher);
}

void TFO2MessSetup::OKBtnClick()
{
    if (holdOk_)
        return;
    for (int f = 0; f < SetupFieldCount; ++f)
        if (Typed(SetupField(f)).kind == TypedNumber::NotWhole) {
            Edit(SetupField(f))->setFocus();
            Edit(SetupField(f))->interpretText();
            EditConfirmed(SetupField(f));
            return;     // stays open: the operator sees what was not taken
        }
    for (int f = 0; f < SetupFieldCount; ++f)
        Edit(SetupField(f))->interpretText();
    if (o2Pending_ >= 0)
        EditConfirmed(SetupField(o2Pending_));     // a threshold typed but not yet confirmed
    // What goes to the plant, before it goes: each changed value, old → new.
    const TPlantSetup shown = ShownValues();
    QStringList lines;
    for (int f = 0; f < SetupFieldCount; ++f) {
        const auto field = SetupField(f);
        const int before = SetupFieldValue(original_, field), after = SetupFieldValue(shown, field);
        if ((changed_ & SetupFieldGroup(field)) && before != after)
            lines << QStringLiteral("%1: %2 → %3").arg(FieldName(field), ValueText(field, before), ValueText(field, after));
    }
    if (!lines.isEmpty()
        && !AskYesNo(this, tr("An Anlage %1 senden:\n%2").arg(plant_ + Settings().DisplayOffset).arg(lines.join(u'\n'))))
        return;         // stays open with the values as typed
    if (!lines.isEmpty())
        Write();
    accept();
}

void TFO2MessSetup::TabControl1Change()
{
    if (changed_ && AskYesNo(this, tr("Setup gändert, in Steuerung laden?")))
        Write();
    plant_ = qBound(1, ui->TabControl1->CurrentIndex() + 1, MaxPlants);
    ShowCaption();
    if (!Plants().PlantTable[plant_].Present) {
        SetEditsEnabled(false);
        changed_ = 0;
        return;
    }
    bool ok;
    {
        const PollPause pause;
        ok = ReadPlantSetup(plant_);
    }
    if (ok) {
        Fill(LinkValues().PlantSetup);
        SetEditsEnabled(true);
        return;
    }
    SetEditsEnabled(false);
    changed_ = 0;
    ShowError(this, TimeoutMessage());
}

void TFO2MessSetup::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ShowCaption();
    }
    QDialog::changeEvent(event);
}
