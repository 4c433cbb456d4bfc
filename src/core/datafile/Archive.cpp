#include "datafile/Archive.h"
#include "datafile/Seal.h"

#include "base/AtomicFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Archive", text); }

QByteArray FileHash(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return {};
    }
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (!h.addData(&f)) {
        if (error)
            *error = f.errorString();
        return {};
    }
    return h.result().toHex();
}

QStringList ArchiveFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    files.removeAll(QString::fromLatin1(ManifestName));
    return files;
}

} // namespace

QString ArchiveFolderName(const DataFileContent &file)
{
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("(\\d{2})\\.(\\d{2})\\.(\\d{4})")).match(file.FirstSaveLine);
    QString name = file.PileName.trimmed();
    if (name.isEmpty() || !m.hasMatch())
        name = QFileInfo(file.Path).completeBaseName();
    else
        name += u'_' + m.captured(1) + u'-' + m.captured(2) + u'-' + m.captured(3);
    for (QChar &c : name)
        if (!FileNameCharacter(c))
            c = u'-';
    return name.isEmpty() ? QStringLiteral("Miete") : name;
}

QString FreeArchiveFolder(const QString &root, const QString &name)
{
    const QDir dir(root);
    QString path = dir.filePath(name);
    for (int k = 2; QFileInfo::exists(path); ++k)
        path = dir.filePath(name + u'-' + QString::number(k));
    return path;
}

bool WriteManifest(const QString &folder, QString *error)
{
    QByteArray text;
    for (const QString &name : ArchiveFiles(folder)) {
        QString why;
        const QByteArray hash = FileHash(QDir(folder).filePath(name), &why);
        if (hash.isEmpty()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(name, why);
            return false;
        }
        text += hash + "  " + name.toUtf8() + '\n';
    }
    return WriteFileAtomically(QDir(folder).filePath(QString::fromLatin1(ManifestName)), text, error);
}

ArchiveCheck VerifyArchive(const QString &folder)
{
    ArchiveCheck c;
    const QString manifestPath = QDir(folder).filePath(QString::fromLatin1(ManifestName));
    QFile manifest(manifestPath);
    // A FIFO or a device in its place would block the read for good.
    if (!QFileInfo(manifestPath).isFile() || !manifest.open(QIODevice::ReadOnly)) {
        c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "%1 fehlt oder ist nicht lesbar")).arg(QString::fromLatin1(ManifestName));
        return c;
    }
    QStringList listed;
    const QList<QByteArray> lines = manifest.readAll().split('\n');
    for (const QByteArray &raw : lines) {
        QByteArray line = raw;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        // As sha256sum writes it: the hash, a blank, then a blank (text) or "*"
        // (binary) before the name; hex digits in either case.
        const QByteArray hash = line.left(64).toLower();
        const bool hex = hash.size() == 64
                         && std::all_of(hash.begin(), hash.end(), [](char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f'); });
        if (!hex || line.size() < 67 || line[64] != ' ' || (line[65] != ' ' && line[65] != '*')) {
            c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "%1: Zeile ohne Prüfsumme: %2")).arg(QString::fromLatin1(ManifestName), QString::fromUtf8(line));
            continue;
        }
        const QString name = QString::fromUtf8(line.mid(66));
        listed << name;
        const QString path = QDir(folder).filePath(name);
        if (name.contains(u'/') || name.contains(u'\\') || !QFileInfo(path).isFile()) {
            c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "%1 fehlt")).arg(name);
            continue;
        }
        if (FileHash(path, nullptr) != hash)
            c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "%1 wurde verändert")).arg(name);
    }
    for (const QString &name : ArchiveFiles(folder))
        if (!listed.contains(name))
            c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "%1 steht nicht im Verzeichnis %2")).arg(name, QString::fromLatin1(ManifestName));
    c.files = int(listed.size());
    // An archive stands on its data file and that file's seal: a manifest made anew
    // over what is left proves nothing without them.
    int dataFiles = 0;
    for (const QString &name : ArchiveFiles(folder)) {
        if (!name.endsWith(QLatin1String(".CSV"), Qt::CaseInsensitive) || name.compare(QStringLiteral("lost.csv"), Qt::CaseInsensitive) == 0)
            continue;
        ++dataFiles;
        const SealCheck s = VerifySeal(QDir(folder).filePath(name));
        if (s.state == SealCheck::Intact) {
            c.checkValue = s.checkValue;
            c.records = s.records;
        } else if (s.state == SealCheck::NoSeal) {
            c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "%1: das Siegel fehlt")).arg(name);
        } else {
            c.faults << name + QStringLiteral(": ") + s.Text();
        }
    }
    if (dataFiles == 0)
        c.faults << Tr(QT_TRANSLATE_NOOP("Archive", "Die Datendatei fehlt"));
    c.ok = c.faults.isEmpty();
    return c;
}

QString ArchiveCheck::Text() const
{
    if (!ok)
        return faults.join(u'\n');
    QString t = QCoreApplication::translate("Archive", "Archiv intakt: %n Dateien", nullptr, int(files));
    if (!checkValue.isEmpty())
        t += QCoreApplication::translate("Archive", ", %n Datensätze, Prüfwert %1", nullptr, int(records)).arg(checkValue);
    return t;
}
