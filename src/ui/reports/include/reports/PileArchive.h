#pragma once
// The archive folder of a pile: the data file and its seal as they are, the
// measurement protocol, the quality association's protocol and the hygienisation
// evidence as PDF/A-1b, and the manifest over them all.

#include <QString>

struct PileArchiveResult {
    bool ok = false;
    QString folder;     // the archive folder made
    QString error;      // for the operator, when not ok
    QString notes;      // prints left out (HINWEIS.txt), one line each
};

// Makes "<root>/<pile name>_<start date>/" (with "-2", … when it exists). Built in
// a temporary folder beside it and renamed into place, so a folder of that name is
// always complete.
PileArchiveResult ArchivePile(const QString &dataFile, const QString &root);
