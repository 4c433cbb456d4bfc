#include "base/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {
int g_failCountdown = 0;    // atomic writes left until an injected failure (FailAtomicWriteNumber)
}

void FailAtomicWriteNumber(int n) { g_failCountdown = n > 0 ? n : 0; }

bool WriteFileAtomically(const QString &path, QByteArrayView bytes, QString *error)
{
    const bool injected = g_failCountdown > 0 && --g_failCountdown == 0;
    QSaveFile f(path);
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) {
        const qint64 part = injected ? bytes.size() / 2 : bytes.size();
        ok = f.write(bytes.data(), part) == part && !injected;
    }
    // commit() alone is not enough: it may report success although its own final
    // flush failed for lack of space, and then renames a short or empty file over
    // the target. So flush first and check for any error on the way.
    if (ok)
        ok = f.flush() && f.error() == QFileDevice::NoError;
    if (ok)
        ok = f.commit();
    if (!ok) {
        if (error)
            *error = injected ? QStringLiteral("injected write failure") : f.errorString();
        f.cancelWriting();
    }
    return ok;
}

void RemoveAtomicWriteLeftovers(const QString &path)
{
    const QFileInfo target(path);
    QDir dir = target.absoluteDir();
    const QString prefix = target.fileName() + u'.';
    for (const QString &name : dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden)) {
        bool ours = true;
        for (QChar c : QStringView(name).mid(prefix.size()))
            ours = ours && c.unicode() < 128 && c.isLetterOrNumber();
        if (ours)
            dir.remove(name);
    }
}
