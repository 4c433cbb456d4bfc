#pragma once
// The archive of a pile: one folder with the data file, its seal, the printed
// protocols as PDF/A and "MANIFEST.txt", which lists each file's SHA-256 in the
// form sha256sum reads ("<hex>  <name>").

#include "datafile/DataFile.h"

#include <QString>
#include <QStringList>

inline constexpr const char *ManifestName = "MANIFEST.txt";

// "<pile name>_<first save date dd-MM-yyyy>", in the characters file names keep;
// the data file's base name when the file names no first save date.
QString ArchiveFolderName(const DataFileContent &file);
// A folder under `root` of that name that does not exist yet ("-2", "-3", … after it).
QString FreeArchiveFolder(const QString &root, const QString &name);

// Writes the manifest over every other file in `folder` (atomically).
bool WriteManifest(const QString &folder, QString *error = nullptr);

struct ArchiveCheck {
    bool ok = false;
    QStringList faults;     // one line each: a file changed, missing, not listed; the seal
    QString checkValue;     // of the data file's seal, when intact
    qint64 records = 0;
    QString Text() const;   // "Archiv intakt: 3 Dateien, …" or the faults
    int files = 0;
};
// Checks every file of the manifest and the data file's seal.
ArchiveCheck VerifyArchive(const QString &folder);
