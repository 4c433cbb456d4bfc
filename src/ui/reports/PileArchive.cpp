#include "reports/PileArchive.h"

#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/Hygiene.h"
#include "datafile/Journal.h"
#include "datafile/Seal.h"
#include "base/AtomicFile.h"
#include "plant/Plant.h"
#include "reports/HygieneFill.h"
#include "reports/ProtocolFill.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Archive", text); }

PileArchiveResult Failed(const QString &error)
{
    PileArchiveResult r;
    r.error = error;
    return r;
}

} // namespace

PileArchiveResult ArchivePile(const QString &dataFile, const QString &root)
{
    QString error;
    if (!QFileInfo(dataFile).isFile())
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "%1 kann nicht ins Archiv kopiert werden.")).arg(QDir::toNativeSeparators(dataFile)));
    if (!QDir().mkpath(root))
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "Der Archivordner %1 kann nicht angelegt werden.")).arg(QDir::toNativeSeparators(root)));
    QTemporaryDir work(QDir(root).filePath(QStringLiteral(".archiv-XXXXXX")));
    if (!work.isValid())
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "Im Archivordner %1 kann nichts geschrieben werden: %2"))
                          .arg(QDir::toNativeSeparators(root), work.errorString()));
    const QDir dir(work.path());
    const QString name = QFileInfo(dataFile).fileName();
    if (!QFile::copy(dataFile, dir.filePath(name)))
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "%1 kann nicht ins Archiv kopiert werden.")).arg(QDir::toNativeSeparators(dataFile)));
    // A FIFO or a device in place of the seal would block the copy for good.
    if (QFileInfo::exists(SealPath(dataFile)) && !QFileInfo(SealPath(dataFile)).isFile())
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "%1 ist keine gewöhnliche Datei.")).arg(QDir::toNativeSeparators(SealPath(dataFile))));
    if (QFileInfo::exists(SealPath(dataFile)) && !QFile::copy(SealPath(dataFile), dir.filePath(name + QStringLiteral(".seal"))))
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "%1 kann nicht ins Archiv kopiert werden.")).arg(QDir::toNativeSeparators(SealPath(dataFile))));
    // The pile's journal and its seal are part of the proof.
    for (const QString &from : {JournalPath(dataFile), SealPath(JournalPath(dataFile))})
        if (QFileInfo::exists(from) && !QFile::copy(from, dir.filePath(name + from.mid(dataFile.size()))))
            return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "%1 kann nicht ins Archiv kopiert werden.")).arg(QDir::toNativeSeparators(from)));

    // Everything from the copy in the archive: what is printed is what is kept.
    DataFileContent copy;
    if (!LoadDataFile(dir.filePath(name), copy, &error))
        return Failed(error);
    if (!copy.FileValid)
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "%1 ist keine Datendatei dieses Programms.")).arg(QDir::toNativeSeparators(dataFile)));
    // The losses the program noted for the file are kept with it (they are noted by
    // its path in the program folder, which the archive does not have).
    copy.LostInFlight = LostInFlightOf(dataFile);
    if (!copy.LostInFlight.isEmpty() && !WriteLostInFlight(dir.filePath(QString::fromLatin1(ArchiveLostName)), name, copy.LostInFlight, &error))
        return Failed(error);
    // The protocols as the operator prints them (the per-day and graph choices of
    // each protocol window).
    auto pdf = [&](std::unique_ptr<TReportForm> form, const QString &fileName) {
        QString why;
        if (!form->ExportPdf(dir.filePath(fileName), &why, nullptr, true)) {
            error = why;
            return false;
        }
        return true;
    };
    // A print the data does not allow (a stamp that is no date) is left out and the
    // reason kept in HINWEIS.txt; the data file and its seal are the record.
    QStringList notes;
    const QString com = QStringLiteral("COM");
    const struct {
        ProtocolKind kind;
        const char *perDay, *graph, *file;
    } protocols[] = {{ProtocolKind::Measurement, "PTAG", "PGRAPH", "Messprotokoll.pdf"},
                     {ProtocolKind::Quality, "GTAG", "GGRAPH", "Temperaturprotokoll.pdf"}};
    for (const auto &p : protocols) {
        ProtocolResult made = MakeProtocol(p.kind, copy, ReadSettingBool(com, p.perDay, false), ReadSettingBool(com, p.graph, false));
        const QString fileName = QString::fromLatin1(p.file);
        if (!made.form)
            notes << fileName + QStringLiteral(": ") + made.error;
        else if (!pdf(std::move(made.form), fileName))
            return Failed(error);
    }
    const HygieneResult evidence = EvaluateHygiene(copy, ChosenHygieneCriterion(), Plants().RefTemp, ReadHygieneCalendar());
    if (!evidence.ok)
        notes << QStringLiteral("Hygienenachweis.pdf: ") + evidence.error;
    else if (!pdf(MakeHygienePage(evidence, copy), QStringLiteral("Hygienenachweis.pdf")))
        return Failed(error);
    if (!notes.isEmpty()) {
        const QString text = Tr(QT_TRANSLATE_NOOP("Archive", "Nicht im Archiv, weil die Daten es nicht erlauben:")) + u'\n' + notes.join(u'\n') + u'\n';
        if (!WriteFileAtomically(dir.filePath(QStringLiteral("HINWEIS.txt")), text.toUtf8(), &error))
            return Failed(error);
    }
    if (!WriteManifest(work.path(), &error))
        return Failed(error);

    QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                           | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString target = FreeArchiveFolder(root, ArchiveFolderName(copy));
    if (!QDir().rename(work.path(), target))
        return Failed(Tr(QT_TRANSLATE_NOOP("Archive", "Der Archivordner %1 kann nicht angelegt werden.")).arg(QDir::toNativeSeparators(target)));
    work.setAutoRemove(false);
    PileArchiveResult r;
    r.ok = true;
    r.folder = target;
    r.notes = notes.join(u'\n');
    return r;
}
