#include "datafile/Register.h"

#include "base/AtomicFile.h"
#include "base/DisplayFormat.h"
#include "datafile/Archive.h"
#include "datafile/Journal.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Register", text); }

QString Folder(const QString &path) { return QDir::cleanPath(QFileInfo(path).absolutePath()); }

// The plant whose settings name this file or its folder (as shown); 0 for none.
int PlantOf(const QString &path)
{
    for (int n = 1; n <= MaxPlants; ++n) {
        for (const QString &datei : {ReadSetting(QString::number(n), QStringLiteral("Datei"), QString()), Plants().PlantTable[n].Datei})
            if (!datei.isEmpty() && SameDataFile(datei, path))
                return n + Settings().DisplayOffset;
    }
    for (int n = 1; n <= MaxPlants; ++n) {
        const QString pfad = ReadSetting(QString::number(n), QStringLiteral("Pfad"), QString());
        if (!pfad.isEmpty() && QDir::cleanPath(QDir(QDir::fromNativeSeparators(pfad)).absolutePath()) == Folder(path))
            return n + Settings().DisplayOffset;
    }
    return 0;
}

bool InArchiveFolder(const QString &path)
{
    return QFileInfo::exists(QDir(Folder(path)).filePath(QString::fromLatin1(ManifestName)));
}

} // namespace

QStringList DefaultRegisterFolders()
{
    QStringList out;
    auto add = [&out](const QString &folder) {
        const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(folder));
        if (!folder.trimmed().isEmpty() && QFileInfo(clean).isDir() && !out.contains(clean))
            out << clean;
    };
    // Where the plants write: their folder for new files and the folder of the file
    // they write now, as the settings and the plant table have them.
    for (int n = 1; n <= MaxPlants; ++n) {
        const TAnlageParameter &p = Plants().PlantTable[n];
        add(ReadSetting(QString::number(n), QStringLiteral("Pfad"), QString()));
        add(p.Pfad);
        for (const QString &file : {ReadSetting(QString::number(n), QStringLiteral("Datei"), QString()), p.Datei})
            if (!file.isEmpty())
                add(QFileInfo(QDir::fromNativeSeparators(file)).absolutePath());
    }
    add(ArchiveRoot());
    return out;
}

std::vector<RegisterRow> BuildRegister(const QStringList &folders, int year, const HygieneCriterion &criterion,
                                       double refTemp, const HygieneCalendar &calendar)
{
    std::vector<RegisterRow> rows;
    QHash<QString, size_t> byPile;      // pile, first save and first line: one pile
    QSet<QString> seen;
    for (const QString &root : folders) {
        QDirIterator it(root, {QStringLiteral("*.csv"), QStringLiteral("*.CSV")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = QDir::cleanPath(QFileInfo(it.next()).absoluteFilePath());
            if (seen.contains(path) || !QFileInfo(path).isFile())
                continue;
            seen.insert(path);
            DataFileContent file;
            if (!LoadDataFile(path, file, nullptr) || !file.FileValid)
                continue;
            const HygieneResult r = EvaluateHygiene(file, criterion, refTemp, calendar);
            if (year > 0 && (!r.first.isValid() || r.first.date().year() > year || r.last.date().year() < year))
                continue;
            RegisterRow row;
            row.plant = PlantOf(path);
            row.pile = file.PileName.trimmed();
            row.file = path;
            row.first = r.first;
            row.last = r.last;
            row.records = r.records;
            row.met = r.CoreMet();
            if (!r.ok)
                row.verdict = r.error;
            else if (!r.Checkable())
                row.verdict = Tr(QT_TRANSLATE_NOOP("Register", "nicht prüfbar"));
            else
                row.verdict = row.met ? Tr(QT_TRANSLATE_NOOP("Register", "erfüllt")) : Tr(QT_TRANSLATE_NOOP("Register", "nicht erfüllt"));
            const QString turnings = TurningsText(r.depths[0], criterion);
            if (!turnings.isEmpty())
                row.verdict += QStringLiteral(" (%1)").arg(turnings);
            row.seal = VerifySeal(path);
            for (const DataFileContent::Lost &l : file.LostInFlight)
                row.lost += l.count;
            Journal journal;
            LoadJournal(path, journal);
            row.journalEntries = int(journal.entries.size());
            const bool archived = InArchiveFolder(path);
            if (archived)
                row.archiveFolder = Folder(path);
            const QString key = row.pile + u'\n' + file.FirstSaveLine + u'\n' + file.Lines.value(0);
            const auto at = byPile.constFind(key);
            if (at == byPile.constEnd()) {
                byPile.insert(key, rows.size());
                rows.push_back(row);
                continue;
            }
            // The same pile again: the pile's own file is the row, the copy names its folder.
            RegisterRow &kept = rows[*at];
            if (archived) {
                kept.archiveFolder = row.archiveFolder;
            } else {
                row.archiveFolder = kept.archiveFolder;
                kept = row;
            }
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const RegisterRow &a, const RegisterRow &b) {
        if ((a.plant == 0) != (b.plant == 0))
            return b.plant == 0;
        return a.plant != b.plant ? a.plant < b.plant : a.first < b.first;
    });
    return rows;
}

QStringList RegisterHeadings()
{
    return {Tr(QT_TRANSLATE_NOOP("Register", "Anlage")),       Tr(QT_TRANSLATE_NOOP("Register", "Miete")),
            Tr(QT_TRANSLATE_NOOP("Register", "Datei")),        Tr(QT_TRANSLATE_NOOP("Register", "Erster Datensatz")),
            Tr(QT_TRANSLATE_NOOP("Register", "Letzter Datensatz")), Tr(QT_TRANSLATE_NOOP("Register", "Datensätze")),
            Tr(QT_TRANSLATE_NOOP("Register", "Ergebnis")),     Tr(QT_TRANSLATE_NOOP("Register", "Siegel (Prüfwert)")),
            Tr(QT_TRANSLATE_NOOP("Register", "Verloren")),     Tr(QT_TRANSLATE_NOOP("Register", "Tagebuch")),
            Tr(QT_TRANSLATE_NOOP("Register", "Archiv"))};
}

QStringList RegisterCells(const RegisterRow &row)
{
    // Intact: its check value, as the protocols print it; else what is wrong.
    const QString seal = row.seal.state == SealCheck::Intact ? row.seal.checkValue : row.seal.ShortText();
    return {row.plant > 0 ? QString::number(row.plant) : QStringLiteral("–"),
            row.pile,
            QDir::toNativeSeparators(QFileInfo(row.file).fileName()),
            row.first.isValid() ? DisplayStampText(row.first) : QString(),
            row.last.isValid() ? DisplayStampText(row.last) : QString(),
            QString::number(row.records),
            row.verdict,
            seal,
            QString::number(row.lost),
            QString::number(row.journalEntries),
            row.archiveFolder.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(row.archiveFolder).fileName())};
}

bool WriteRegisterCsv(const QString &path, const std::vector<RegisterRow> &rows, QString *error)
{
    // Office programs take ";" and quotes around a field that holds one.
    auto line = [](const QStringList &cells) {
        QStringList out;
        for (QString c : cells) {
            if (c.contains(u';') || c.contains(u'"') || c.contains(u'\n')) {
                c.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                c = u'"' + c + u'"';
            }
            out << c;
        }
        return out.join(u';') + QStringLiteral("\r\n");
    };
    QString text = line(RegisterHeadings());
    for (const RegisterRow &r : rows) {
        QStringList cells = RegisterCells(r);
        cells[0] = r.plant > 0 ? cells[0] : QString();            // a number column: no dash
        cells[2] = QDir::toNativeSeparators(r.file);             // the whole path: the file is to be found
        cells[10] = QDir::toNativeSeparators(r.archiveFolder);
        text += line(cells);
    }
    return WriteFileAtomically(path, QByteArray("\xEF\xBB\xBF") + text.toUtf8(), error);
}
