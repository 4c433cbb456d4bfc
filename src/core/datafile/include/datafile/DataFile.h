#pragma once
// The per-pile measurement data file: naming, creating with header, appending one
// line per stored record, and reading both layouts.

#include "plant/Plant.h"
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The date as the files hold it, never the locale's: "08.12.2026" (file names take
// it as "08-12-2026").
QString FileDateText(const QDate &date);

// "Today" for file names and headers; tests inject a fixed day (empty: the PC clock).
void SetDataFileToday(std::function<QDate()> today);
QDate DataFileToday();

// Back to the program-start state: an open data file is closed (nothing written to
// the settings), "today" is the PC clock again.
void ResetDataFileState();

// True while a data file is open (at most one at a time).
bool DataFileIsOpen();

// What a data-file name keeps of a pile name: A–Z, a–z, 0–9, "_" and "-".
bool FileNameCharacter(QChar c);
// Names a new data file for the plant's pile. It never names a file that exists or
// that another plant's pile writes into: then "-2", "-3", … follow the date, and
// the result is true.
bool MakeDataFileName(int plant);
// Whether two paths name the same data file (the folder as the system sees it, the
// file name without regard to case, as Windows would).
bool SameDataFile(const QString &a, const QString &b);
// The plant other than `except` whose pile writes into `path`; 0 for none.
int PlantWritingTo(const QString &path, int except);
// Whether a data file can be written in `folder` now (it exists, may be written and
// has room for a page); otherwise *why names the folder and the reason.
bool DataFolderWritable(const QString &folder, QString *why = nullptr);
bool OpenDataFile(int plant);
// What taking up the file OpenDataFile opened found in it (lines the seal never
// announced, a line torn by a crash), for the operator; emptied by the call.
QStringList TakeDataFileNotices();
// The last data file found changed at take-up (a line the seal never announced),
// short, for a status band that keeps it in view ("Siegel verletzt: Nord_….CSV,
// Zeile 49"); empty when none was since the program started.
QString LastSealProblem();
bool AppendDataLine(int plant, const QString &stamp, const TLiveValues &values);
// Told of every line that reached a data file (its record number and the line
// without its line end), after it was written; the site view listens. A reset of
// the data-file state forgets it.
using DataLineListener = std::function<void(int plant, const QString &file, qint32 number, const QString &line)>;
void SetDataLineListener(DataLineListener listener);
void CloseDataFile(int plant);

// Records the plant handed over that could not be written (disk full): kept in
// memory and, where the program folder has room, in its journal "pending.csv", so
// that a restart keeps them too. They belong to the file they were meant for.
// KeepPendingRecord adds one for the plant's Datei; WritePendingRecords appends the
// open file's waiting records in order (numbered as they land) and is true when
// none is left; the count is what waits for a file.
void KeepPendingRecord(int plant, const QString &stamp, const TLiveValues &values);
bool WritePendingRecords(int plant);
int PendingRecordCount(const QString &file);
// Reads the journal at start-up (records for files that are gone are kept too).
// Each line must carry the check it was written with and hold a record as the
// program formats one; others are left out, and the text says which (empty when
// all are taken).
QString LoadPendingRecords();
// The last data-file write that failed ("file: reason"); empty once a write to
// that file succeeded again. For the status band and the messages.
QString LastDataWriteFailure();

// Builds the Speicherzeit text from StoredStamp.
QString StampText(const TStoredStamp &stamp);
// The date and time a stamp's texts form (whole digits only); invalid when they
// form none. Plant clocks are wall clocks without a zone: the result is UTC.
QDateTime StampDateTime(const TStoredStamp &stamp);
// The stamp of the last dated record in the file OpenDataFile opened; invalid for a
// new file or one without a dated record.
QDateTime OpenFileLastStamp();
// The stamp of the last dated record in the data file at `path`; invalid when there
// is none (or no such file). `before` gets the dated record's before it, if any.
QDateTime LastRecordStamp(const QString &path, QDateTime *before = nullptr);
// One data line without its line end (byte-exact format, "," as decimal separator).
QString FormatDataLine(qint32 number, const QString &stamp, const TLiveValues &values);

// What a data file holds, as LoadFile finds it.
struct DataFileContent {
    QString Path;               // the file read (empty for content made otherwise)
    bool FileValid = false;
    // Our header and no record under it yet (a pile ended before its first
    // record): not FileValid, but the header fields are read.
    bool NoRecords = false;
    bool O2InPercent = true;
    QString Title1, Title2, Title3, PileName, FileNameText, Comment, FirstSaveLine;
    QStringList Lines;
    qint64 LineCount = 0;
    QDateTime LastModified;     // of the file when it was read (local time)
    // Records lost on the wire when a transfer into this file was cut (the program
    // killed, the power gone), as the program found them after the restart.
    struct Lost { qint64 afterRecord = 0; int count = 0; QDateTime when; int plant = 0; };
    QList<Lost> LostInFlight;
};

// Notes records lost in a cut transfer into `file` (journal "lost.csv" in the
// program folder); LoadDataFile gives them back with the file's content.
bool RecordLostInFlight(const QString &file, const DataFileContent::Lost &lost);
// An archive folder (one with a manifest) keeps its file's losses beside it in
// "lost.csv", which is read too.
QList<DataFileContent::Lost> LostInFlightOf(const QString &file);
inline constexpr const char *ArchiveLostName = "lost.csv";
// Writes `lost` as the lines of `file` to a journal of that form at `path`.
bool WriteLostInFlight(const QString &path, const QString &file, const QList<DataFileContent::Lost> &lost, QString *error);
// "Beim Abbruch am … ist 1 Messwert von Anlage 3 verloren gegangen" (plant numbers
// as shown, with DisplayOffset).
QString LostInFlightText(const DataFileContent::Lost &lost);
// "Die Datei enthält noch keine Messwerte": what a reader says of a NoRecords file.
QString NoRecordsText();
// False with errorText set when the file cannot be opened for reading; true otherwise
// (content.FileValid tells whether it is a data file).
bool LoadDataFile(const QString &path, DataFileContent &content, QString *errorText);
