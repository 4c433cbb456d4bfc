#include "widgets/FormPlacement.h"

#include "settings/SettingsFile.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QPointer>
#include <QTimer>
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

void FitFrameIntoScreen(QWidget *w)
{
    if (!w || !w->isVisible() || (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QRect frame = w->frameGeometry(), inner = w->geometry();
    if (free.contains(frame))
        return;
    const int extraW = frame.width() - inner.width(), extraH = frame.height() - inner.height();
    const QSize fitted(qBound(w->minimumWidth(), w->width(), qMax(w->minimumWidth(), free.width() - extraW)),
                       qBound(w->minimumHeight(), w->height(), qMax(w->minimumHeight(), free.height() - extraH)));
    if (fitted != w->size())
        w->resize(fitted);
    // For a window, move() places its frame: the title bar comes to lie on the screen.
    const int x = qBound(free.left(), frame.left(), qMax(free.left(), free.right() + 1 - fitted.width() - extraW));
    const int y = qBound(free.top(), frame.top(), qMax(free.top(), free.bottom() + 1 - fitted.height() - extraH));
    if (QPoint(x, y) != frame.topLeft())
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
                && !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
                FitIntoScreen(w);
                // A window manager frames the window only once it is mapped, and
                // places it by its contents, which can push the title bar above the
                // screen: fitted again when the frame is known.
                QPointer<QWidget> shown(w);
                for (int ms : {0, 150, 500})
                    QTimer::singleShot(ms, w, [shown] { FitFrameIntoScreen(shown); });
            }
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
