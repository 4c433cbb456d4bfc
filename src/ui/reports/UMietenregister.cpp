#include "reports/UMietenregister.h"

#include "plant/Plant.h"
#include "reports/HygieneFill.h"
#include "reports/RegisterReport.h"
#include "settings/SettingsFile.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

TFMietenregister::TFMietenregister(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FMietenregister"));
    setWindowTitle(tr("Mietenregister"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(tr("Ordner (mit Unterordnern):"), this));
    Ordner = new QListWidget(this);
    Ordner->setMaximumHeight(90);
    for (const QString &f : DefaultRegisterFolders())
        Ordner->addItem(QDir::toNativeSeparators(f));
    left->addWidget(Ordner);
    top->addLayout(left, 1);
    auto *right = new QVBoxLayout;
    QPushButton *add = new QPushButton(tr("Ordner hinzufügen …"), this);
    QPushButton *remove = new QPushButton(tr("Ordner entfernen"), this);
    right->addWidget(add);
    right->addWidget(remove);
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(tr("Jahr:"), this));
    Jahr = new QSpinBox(this);
    Jahr->setRange(1999, 2200);
    Jahr->setSpecialValueText(tr("alle"));
    Jahr->setValue(QDate::currentDate().year());
    yearRow->addWidget(Jahr);
    right->addLayout(yearRow);
    right->addStretch();
    top->addLayout(right);
    layout->addLayout(top);

    Mieten = new QTableWidget(0, int(RegisterHeadings().size()), this);
    Mieten->setHorizontalHeaderLabels(RegisterHeadings());
    Mieten->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Mieten->setSelectionBehavior(QAbstractItemView::SelectRows);
    Mieten->verticalHeader()->hide();
    layout->addWidget(Mieten, 1);
    summary_ = new QLabel(this);
    layout->addWidget(summary_);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *refresh = buttons->addButton(tr("Aktualisieren"), QDialogButtonBox::ActionRole);
    QPushButton *pdf = buttons->addButton(tr("Als PDF speichern …"), QDialogButtonBox::ActionRole);
    QPushButton *csv = buttons->addButton(tr("Als CSV speichern …"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("Schließen"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(refresh, &QPushButton::clicked, this, &TFMietenregister::AktualisierenClick);
    connect(pdf, &QPushButton::clicked, this, [this] { PdfClick(); });
    connect(csv, &QPushButton::clicked, this, [this] { CsvClick(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Ordner hinzufügen"), Settings().ProgramFolder);
        if (!folder.isEmpty()) {
            Ordner->addItem(QDir::toNativeSeparators(folder));
            AktualisierenClick();
        }
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        delete Ordner->currentItem();
        AktualisierenClick();
    });
    connect(Jahr, &QSpinBox::valueChanged, this, &TFMietenregister::AktualisierenClick);
    resize(1000, 600);
    AktualisierenClick();
}

QStringList TFMietenregister::Folders() const
{
    QStringList out;
    for (int i = 0; i < Ordner->count(); ++i)
        out << QDir::fromNativeSeparators(Ordner->item(i)->text());
    return out;
}

QString TFMietenregister::Scope() const
{
    QStringList shown;
    for (const QString &f : Folders())
        shown << QDir::toNativeSeparators(f);
    return (Jahr->value() > Jahr->minimum() ? QString::number(Jahr->value()) + QStringLiteral(", ") : QString())
           + shown.join(QStringLiteral(", "));
}

void TFMietenregister::AktualisierenClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    rows_ = BuildRegister(Folders(), Jahr->value() > Jahr->minimum() ? Jahr->value() : 0, ChosenHygieneCriterion(),
                          Plants().RefTemp, ReadHygieneCalendar());
    QApplication::restoreOverrideCursor();
    Mieten->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r) {
        const QStringList cells = RegisterCells(rows_[size_t(r)]);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c == 2)
                item->setToolTip(QDir::toNativeSeparators(rows_[size_t(r)].file));
            Mieten->setItem(r, c, item);
        }
    }
    Mieten->resizeColumnsToContents();
    summary_->setText(tr("%1 Mieten, Kriterium: %2")
                          .arg(rows_.size())
                          .arg(QCoreApplication::translate("Hygiene", ChosenHygieneCriterion().title)));
}

bool TFMietenregister::PdfClick(QString path)
{
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this, tr("Mietenregister als PDF speichern"),
                                            QDir(Settings().ProgramFolder).filePath(QStringLiteral("Mietenregister.pdf")),
                                            tr("PDF (*.pdf)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (!WriteRegisterPdf(path, rows_, Scope(), QCoreApplication::translate("Hygiene", ChosenHygieneCriterion().title), &error)) {
        ShowError(this, tr("Das Mietenregister konnte nicht gespeichert werden.\n%1").arg(error));
        return false;
    }
    return true;
}

bool TFMietenregister::CsvClick(QString path)
{
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this, tr("Mietenregister als CSV speichern"),
                                            QDir(Settings().ProgramFolder).filePath(QStringLiteral("Mietenregister.csv")),
                                            tr("CSV (*.csv)"));
    if (path.isEmpty())
        return false;
    QString error;
    if (!WriteRegisterCsv(path, rows_, &error)) {
        ShowError(this, tr("Das Mietenregister konnte nicht gespeichert werden.\n%1").arg(error));
        return false;
    }
    return true;
}
