#include "widgets/FormPlacement.h"

#include "settings/SettingsFile.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QPointer>
#include <QWidget>

QSize DesktopSize(const QWidget *w)
{
    QScreen *screen = w ? w->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize(1024, 768);
}

void RestoreFormPlacement(QWidget *w, const QString &section)
{
    if (!w)
        return;
    FormPlacement p;
    if (!ReadFormPlacement(section, p))
        return;
    // A hand-edited size below what the window's contents need would leave an
    // unusable window; raise it to the layout's minimum, then fit to the desktop.
    const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
    p.Width = qMax(p.Width, least.width());
    p.Height = qMax(p.Height, least.height());
    const QSize desktop = DesktopSize(w);
    p = FitFormPlacement(p, desktop.width(), desktop.height());

    w->move(p.Left, p.Top);
    const bool fixed = w->minimumSize() == w->maximumSize();
    if (fixed)
        w->setFixedSize(p.Width, p.Height);
    else
        w->resize(p.Width, p.Height);

    Qt::WindowStates state = w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (p.State == 1)
        state |= Qt::WindowMinimized;
    else if (p.State == 2)
        state |= Qt::WindowMaximized;
    w->setWindowState(state);
}

void SaveFormPlacement(const QWidget *w, const QString &section)
{
    if (!w)
        return;
    FormPlacement p;
    p.Left = w->x();
    p.Top = w->y();
    p.Width = w->width();
    p.Height = w->height();
    p.State = w->isMinimized() ? 1 : w->isMaximized() ? 2 : 0;
    WriteFormPlacement(section, p);
}

void FitIntoScreen(QWidget *w)
{
    if (!w)
        return;
    QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    // Room for a title bar and frame the window system adds around the contents.
    constexpr int frameW = 8, frameH = 32;
    const QSize fitted(qBound(w->minimumWidth(), w->width(), qMax(w->minimumWidth(), free.width() - frameW)),
                       qBound(w->minimumHeight(), w->height(), qMax(w->minimumHeight(), free.height() - frameH)));
    if (fitted != w->size())
        w->resize(fitted);
    const int x = qBound(free.left(), w->x(), qMax(free.left(), free.right() - fitted.width() - frameW));
    const int y = qBound(free.top(), w->y(), qMax(free.top(), free.bottom() - fitted.height() - frameH));
    if (QPoint(x, y) != w->pos())
        w->move(x, y);
}

namespace {

class ScreenKeeper : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType()) {
            auto *w = static_cast<QWidget *>(o);
            const Qt::WindowType type = w->windowType();
            if (w->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen
                && !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                FitIntoScreen(w);
        }
        return false;
    }
};

} // namespace

void KeepWindowsOnScreen()
{
    static QPointer<ScreenKeeper> keeper;
    if (!keeper && qApp) {
        keeper = new ScreenKeeper(qApp);
        qApp->installEventFilter(keeper);
    }
}

bool OpensOnScreen(const QWidget *w)
{
    QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return true;
    const QRect frame = w->frameGeometry();
    // Before the window system has framed it, its contents plus the usual frame.
    const QRect outer = frame.size() == w->size() ? frame.adjusted(0, 0, 8, 32) : frame;
    return screen->availableGeometry().contains(outer);
}
