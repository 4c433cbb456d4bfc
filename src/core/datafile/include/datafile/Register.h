#pragma once
// The site register: one row per pile whose data file lies under the folders given,
// for the yearly inspection. Each row is judged as `hygiene` judges the file.

#include "datafile/Hygiene.h"
#include "datafile/Seal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

struct RegisterRow {
    int plant = 0;              // as shown (DisplayOffset applied); 0: no plant writes there
    QString pile;               // the pile's name, trimmed
    QString file;               // the data file (the pile's own, else its archive copy)
    QDateTime first, last;      // first and last record
    qint64 records = 0;
    bool met = false;
    QString verdict;            // "erfüllt", "nicht erfüllt (4 Umsetzungen, 5 nötig)", "nicht prüfbar", …
    SealCheck seal;
    int lost = 0;               // records reported lost in cut transfers
    int journalEntries = 0;
    QString archiveFolder;      // the archive folder holding a copy; empty when none
};

// The plants' data folders ([n] Pfad) and the archive root, each once.
QStringList DefaultRegisterFolders();

// Every data file of this program under `folders` (searched through), one row per
// pile: a pile's file and its archive copy make one row. With `year` > 0 only piles
// with records in that year. Rows in plant, then first-record order.
std::vector<RegisterRow> BuildRegister(const QStringList &folders, int year, const HygieneCriterion &criterion,
                                       double refTemp, const HygieneCalendar &calendar);

// The column headings, in the program's language, and a row's cells in that order.
QStringList RegisterHeadings();
QStringList RegisterCells(const RegisterRow &row);
// The register as CSV for office programs: UTF-8 with a byte order mark, ";".
bool WriteRegisterCsv(const QString &path, const std::vector<RegisterRow> &rows, QString *error = nullptr);
