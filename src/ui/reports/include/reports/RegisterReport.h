#pragma once
// The site register on paper: A4 landscape, one row per pile, kept as PDF/A-1b like
// the archive's prints.

#include "datafile/Register.h"

#include <QString>
#include <vector>

// `scope` says what the register covers ("2026", the folders), `criterion` the
// criterion's title.
bool WriteRegisterPdf(const QString &path, const std::vector<RegisterRow> &rows, const QString &scope,
                      const QString &criterion, QString *error = nullptr, int *pages = nullptr);
