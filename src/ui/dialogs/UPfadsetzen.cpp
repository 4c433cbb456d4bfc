#include "dialogs/UPfadsetzen.h"
#include "ui_UPfadsetzen.h"

#include <QDir>
#include <QEvent>
#include <QFileSystemModel>

TFPfadsetzen::TFPfadsetzen(QWidget *parent)
    : QDialog(parent), ui(new Ui::TFPfadsetzen), model_(new QFileSystemModel(this))
{
    ui->setupUi(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QString());
    ui->DirListBox1->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c)
        ui->DirListBox1->hideColumn(c);
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives())
        ui->DriveBox1->addItem(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());
#else
    ui->DriveBox1->addItem(QStringLiteral("/"), QStringLiteral("/"));
    ui->DriveBox1->addItem(QDir::homePath(), QDir::homePath());
#endif
    connect(ui->DriveBox1, &QComboBox::activated, this, &TFPfadsetzen::DriveBox1Change);
    connect(ui->DirListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ui->Label2->setText(QDir::toNativeSeparators(Folder())); });
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TFPfadsetzen::~TFPfadsetzen()
{
    delete ui;
}

void TFPfadsetzen::SetFolder(const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    const QModelIndex index = model_->index(QDir(path).exists() ? QDir(path).absolutePath() : QDir::homePath());
    ui->DirListBox1->setCurrentIndex(index);
    ui->DirListBox1->expand(index);
    ui->DirListBox1->scrollTo(index);
    ui->Label2->setText(QDir::toNativeSeparators(Folder()));
}

QString TFPfadsetzen::Folder() const
{
    return model_->filePath(ui->DirListBox1->currentIndex());
}

void TFPfadsetzen::DriveBox1Change(int index)
{
    SetFolder(ui->DriveBox1->itemData(index).toString());
}

void TFPfadsetzen::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
