#include "dialogs/UAbout.h"
#include "ui_UAbout.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace {

// A control of window w itself, not of a window (such as this box) opened from it.
template <typename T>
T *OwnChild(QWidget *w, const char *name)
{
    const auto found = w->findChildren<T *>(QString::fromLatin1(name));
    for (T *child : found) {
        if (child->window() == w)
            return child;
    }
    return nullptr;
}

bool HoldsProductTexts(QWidget *w)
{
    return w && !qobject_cast<TFAbout *>(w) && OwnChild<QLabel>(w, "ProductName");
}

QString LabelText(QWidget *main, const char *name)
{
    auto *label = OwnChild<QLabel>(main, name);
    return label ? label->text() : QString();
}

} // namespace

TFAbout::TFAbout(QWidget *parent) : QDialog(parent), ui(new Ui::TFAbout)
{
    ui->setupUi(this);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    CopyFromMain();
}

TFAbout::~TFAbout()
{
    delete ui;
}

QWidget *TFAbout::FindMainWindow(QWidget *from)
{
    for (QWidget *w = from; w; w = w->parentWidget()) {
        if (HoldsProductTexts(w->window()))
            return w->window();
    }
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->objectName() == QLatin1String("FMain") && HoldsProductTexts(w))
            return w;
    }
    for (QWidget *w : windows) {
        if (HoldsProductTexts(w))
            return w;
    }
    return nullptr;
}

void TFAbout::CopyFromMain()
{
    QWidget *main = FindMainWindow(parentWidget());
    if (!main)
        return;
    ui->ProductName->setText(LabelText(main, "ProductName"));
    ui->Version->setText(LabelText(main, "Version"));
    ui->Comments->setText(LabelText(main, "Comments"));
    if (auto *logo = OwnChild<QWidget>(main, "MakerLogo")) {
        // Whatever widget shows the logo, its rendering is the picture.
        const QPixmap picture = logo->grab();
        ui->ProgramIcon->setPixmap(picture);
        ui->ProgramIcon->setFixedSize(logo->size());
    }
}

void TFAbout::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // The main window re-captions in the same round; copy once it has.
        QMetaObject::invokeMethod(this, &TFAbout::CopyFromMain, Qt::QueuedConnection);
    }
    QDialog::changeEvent(event);
}
