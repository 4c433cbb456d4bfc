#pragma once
// Replaces a file's contents completely or not at all.

#include <QByteArrayView>
#include <QString>

// Writes `bytes` to a temporary file beside `path`, flushes and syncs it and renames
// it over `path`. On any failure (disk full, read-only folder) `path` keeps exactly
// its previous contents, no temporary file stays, and *error says why.
bool WriteFileAtomically(const QString &path, QByteArrayView bytes, QString *error = nullptr);

// For tests: the n-th atomic write from now (1 = the next one) fails after writing
// half of its bytes, as a full disk would; 0 switches the fault off.
void FailAtomicWriteNumber(int n);

// Removes the temporary files a crash during WriteFileAtomically(path) left beside
// `path` (named like it plus "." and six letters or digits).
void RemoveAtomicWriteLeftovers(const QString &path);
