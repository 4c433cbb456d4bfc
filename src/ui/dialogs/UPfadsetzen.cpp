#include "dialogs/UPfadsetzen.h"
#include "ui_UPfadsetzen.h"

#include "widgets/MessageBox.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSignalBlocker>

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
            [this] { ui->Label2->setText(QDir::toNativeSeparators(model_->filePath(ui->DirListBox1->currentIndex()))); });
    // A typed path that names a folder is shown in the tree as well; Enter there
    // takes it like OK.
    connect(ui->Label2, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString path = QDir::fromNativeSeparators(text.trimmed());
        if (!path.isEmpty() && QFileInfo(path).isDir())
            ShowInTree(path);
    });
    // The tree fills in the background: the folder is shown once its parent is read.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (ui->DirListBox1->currentIndex().isValid())
            ui->DirListBox1->scrollTo(ui->DirListBox1->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    connect(ui->Button1, &QPushButton::clicked, this, [this] {
        const QString typed = ui->Label2->text().trimmed();
        if (!typed.isEmpty() && !QFileInfo(QDir::fromNativeSeparators(typed)).isDir()) {
            ShowInfo(this, tr("Den Ordner %1 gibt es nicht.").arg(typed));
            return;         // stays open with the text for the operator to mend
        }
        accept();
    });
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TFPfadsetzen::~TFPfadsetzen()
{
    delete ui;
}

void TFPfadsetzen::SetFolder(const QString &folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    ShowInTree(QDir(path).exists() ? QDir(path).absolutePath() : QDir::homePath());
    ui->Label2->setText(QDir::toNativeSeparators(model_->filePath(ui->DirListBox1->currentIndex())));
}

void TFPfadsetzen::ShowInTree(const QString &path)
{
    const QModelIndex index = model_->index(path);
    QSignalBlocker block(ui->DirListBox1->selectionModel());
    // Every folder above it opened, so that it is seen, not only selected.
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        ui->DirListBox1->expand(up);
    ui->DirListBox1->setCurrentIndex(index);
    ui->DirListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString TFPfadsetzen::Folder() const
{
    // What the field says is the choice, typed or picked; a typed path must name a
    // folder (none is created here).
    const QString typed = QDir::fromNativeSeparators(ui->Label2->text().trimmed());
    if (!typed.isEmpty() && QFileInfo(typed).isDir())
        return QDir(typed).absolutePath();
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
