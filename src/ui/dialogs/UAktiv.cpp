#include "dialogs/UAktiv.h"
#include "ui_UAktiv.h"

#include <QEvent>
#include <QWindow>

TFAktiv *FAktiv = nullptr;

TFAktiv::TFAktiv(QWidget *parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), ui(new Ui::TFAktiv)
{
    ui->setupUi(this);
    setFixedSize(296, 113);
    setAttribute(Qt::WA_QuitOnClose, false);
    ui->StaticText1->installEventFilter(this);
}

TFAktiv::~TFAktiv()
{
    if (FAktiv == this)
        FAktiv = nullptr;
    delete ui;
}

void TFAktiv::ShowProgress(QWidget *owner, int count)
{
    CancelRequested = false;
    if (owner) {
        // Integer halves round toward zero, as the placement rule wants.
        move(owner->x() + owner->width() / 2 - 100, owner->y() + owner->height() / 2 - 50);
        winId();
        if (QWindow *top = owner->window()->windowHandle())
            windowHandle()->setTransientParent(top);
    }
    ui->ProgressBar1->setMaximum(count);
    ui->ProgressBar1->setValue(1);
    show();
}

void TFAktiv::HideProgress()
{
    hide();
    if (windowHandle())
        windowHandle()->setTransientParent(nullptr);
}

QProgressBar *TFAktiv::ProgressBar1() const
{
    return ui->ProgressBar1;
}

void TFAktiv::StaticText1Click()
{
    CancelRequested = true;
}

bool TFAktiv::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->StaticText1 && event->type() == QEvent::MouseButtonPress)
        StaticText1Click();
    return QWidget::eventFilter(watched, event);
}

void TFAktiv::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
