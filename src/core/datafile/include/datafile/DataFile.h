#pragma once
// The per-pile measurement data file: naming, creating with header, appending one
// line per stored record, and reading both layouts.

#include "link/PlantTable.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

// The system's short date format with the year widened to four digits
// (German: dd.MM.yyyy); used for file names, header line 7 and chart labels.
QString ShortDateFormat();
QString ShortDateText(const QDate &date);

// "Today" for file names and headers; tests inject a fixed day (empty: the PC clock).
void SetDataFileToday(std::function<QDate()> today);
QDate DataFileToday();

// Back to the program-start state: an open data file is closed (nothing written to
// the settings), "today" is the PC clock again.
void ResetDataFileState();

// True while a data file is open (at most one at a time).
bool DataFileIsOpen();

void MakeDataFileName(int plant);
// Whether a data file can be written in `folder` now (it exists, may be written and
// has room for a page); otherwise *why names the folder and the reason.
bool DataFolderWritable(const QString &folder, QString *why = nullptr);
bool OpenDataFile(int plant);
bool AppendDataLine(int plant, const QString &stamp, const TLiveValues &values);
void CloseDataFile(int plant);

// Builds the Speicherzeit text from StoredStamp.
QString StampText(const TStoredStamp &stamp);
// One data line without its line end (byte-exact format, "," as decimal separator).
QString FormatDataLine(qint32 number, const QString &stamp, const TLiveValues &values);

// What a data file holds, as LoadFile finds it.
struct DataFileContent {
    bool FileValid = false;
    bool O2InPercent = true;
    QString Title1, Title2, Title3, PileName, FileNameText, Comment, FirstSaveLine;
    QStringList Lines;
    qint64 LineCount = 0;
};
// False with errorText set when the file cannot be opened for reading; true otherwise
// (content.FileValid tells whether it is a data file).
bool LoadDataFile(const QString &path, DataFileContent &content, QString *errorText);
