#pragma once
// The main program in-process: its home folder's settings file, its controls by
// name, and modal dialogs answered the way an operator would.

#include "settings/SettingsFile.h"
#include "support/SharedState.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace support {

// Writes Haldrix.ini with CR LF line ends, as the program's own files have them.
inline bool WriteIni(const QTemporaryDir &home, const QString &text)
{
    QFile f(home.filePath(QStringLiteral("Haldrix.ini")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(QString(text).replace(QLatin1String("\n"), QLatin1String("\r\n")).toUtf8()) > 0;
}

inline QString IniValue(const QTemporaryDir &home, const QString &section, const QString &key)
{
    TSettingsFile file(home.filePath(QStringLiteral("Haldrix.ini")));
    return file.ReadString(section, key, QStringLiteral("<none>"));
}

// Program-start state of everything the main window's start-up reads or sets.
inline void FreshProgram(const QTemporaryDir &home)
{
    ResetSharedState();
    SetProgramFolder(home.path());
}

template <class T> T *Find(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("control %s missing", name);
    return c;
}

// Hands the next modal dialog to `answer` once it is up (tries for 5 s).
inline void AnswerNextDialog(std::function<void(QDialog *)> answer, int triesLeft = 250)
{
    QTimer::singleShot(20, qApp, [answer = std::move(answer), triesLeft]() mutable {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            answer(d);
        else if (triesLeft > 0)
            AnswerNextDialog(std::move(answer), triesLeft - 1);
    });
}

} // namespace support
