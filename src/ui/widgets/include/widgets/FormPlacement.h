#pragma once
// Window placement kept in the settings file: restore at start-up (fitted to the
// desktop), save at close.

#include <QSize>
#include <QString>

class QWidget;

// Size of the whole desktop the window lives on.
QSize DesktopSize(const QWidget *w);

// Does nothing unless the section exists. Sets left, top, width, height and state,
// in this order. A window of fixed size keeps a fixed size, the restored one.
void RestoreFormPlacement(QWidget *w, const QString &section);
void SaveFormPlacement(const QWidget *w, const QString &section);

// Shrinks a window that is larger than its screen's free area (a 1024 × 768 screen
// with a task bar), down to its minimum size at most, and moves it inside, title bar
// included. Call before the window is first shown.
void FitIntoScreen(QWidget *w);
// Once shown and framed by a window manager: moves (and if need be shrinks) the
// window so that its frame, title bar included, lies inside the screen's free area.
void FitFrameIntoScreen(QWidget *w);
// From now on every window and dialog of the application is fitted so each time it
// opens (after its layout has sized it).
void KeepWindowsOnScreen();
// Whether the window, frame and title bar included, lies inside its screen's free area.
bool OpensOnScreen(const QWidget *w);
