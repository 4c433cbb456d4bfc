#pragma once
// The journal of a pile: what was done to it and by whom, "<data file>.journal"
// beside the data file. Windows-1252, ";"-separated, CR LF, like the data file:
// nine header lines (the data file's company, pile, file and comment lines, the
// journal's creation, the column line), then one line per entry
//   <Nr>;<dd.MM.yyyy hh:mm>;<kind>;<text>;<by>;<corrects>;<depth>;<reference>;<plant>;
// sealed by "<journal>.seal" exactly as the data file is by its seal. Entries are
// only ever added: a correction is a new entry naming the number it corrects.

#include "datafile/DataFile.h"
#include "datafile/Seal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cmath>
#include <functional>
#include <vector>

enum class JournalKind { Turned, Watered, Sample, ProbeCheck, Remark };

// "turned", "watered", "sample", "probe-check", "remark" (files and command line).
const char *JournalKindName(JournalKind kind);
bool ParseJournalKind(const QString &name, JournalKind &kind);
// "Umsetzen", "Bewässern", "Probenahme", "Fühlerprüfung", "Bemerkung", in the
// program's language.
QString JournalKindText(JournalKind kind);

struct JournalEntry {
    qint64 number = 0;              // 1, 2, … in the order written
    QDateTime time;                 // wall time without a zone (UTC), as the data file's stamps
    JournalKind kind = JournalKind::Remark;
    QString text;                   // a sample's laboratory reference, the weather, …
    QString by;                     // who did it
    qint64 corrects = 0;            // the entry this one corrects (0: none)
    // probe-check: the depth checked and both readings (°C); NaN when not given.
    int depthCm = -1;
    double reference = std::nan("");
    double plant = std::nan("");
    bool HasReadings() const { return depthCm >= 0 && !std::isnan(reference) && !std::isnan(plant); }
    // "Umsetzen, Radlader (K. Weiß)"-like one-liner for forms: kind, text, readings.
    QString Summary() const;
};

struct Journal {
    QString path;
    std::vector<JournalEntry> entries;      // in file order
    std::vector<qint64> badLines;           // 1-based lines that are no entry
    // The entries that stand: every entry that no later one corrects.
    std::vector<JournalEntry> Standing() const;
    // The standing entries of one day, in time order.
    std::vector<JournalEntry> OnDay(const QDate &day) const;
};

QString JournalPath(const QString &dataFile);
// The header of a data file of this program, also of one without a record yet (a
// pile just started); false with *error for any other file.
bool PileHeaderOf(const QString &dataFile, DataFileContent &header, QString *error = nullptr);

// Reads the journal of a data file; an absent journal is an empty one (true). False
// with *error when it exists and cannot be read.
bool LoadJournal(const QString &dataFile, Journal &journal, QString *error = nullptr);

// The line an entry is stored as, without its line end. Text and name lose ";" and
// line breaks to "," and blanks: the file has no quoting.
QString FormatJournalLine(const JournalEntry &entry);

// Appends `entry` to the journal of `dataFile` (made, with its header from the data
// file and a seal, when it does not exist). Its number is the next free one. The
// entry reaches the disk before its seal line. False with *error when the data file
// is unreadable, the text cannot be stored in Windows-1252, the entry corrects one
// that does not exist, the journal's last line is torn, or a write fails.
bool AddJournalEntry(const QString &dataFile, JournalEntry &entry, QString *error = nullptr);

// Told of every entry added, after it and its seal line were written (the site view
// listens). A reset of the data-file state forgets it.
using JournalListener = std::function<void(const QString &dataFile, const JournalEntry &entry)>;
void SetJournalListener(JournalListener listener);

// The journal against its seal (NoSeal also when there is no journal at all).
SealCheck VerifyJournal(const QString &dataFile);
// "3 Einträge, Siegel intakt, Prüfwert …", "Eintrag 2 (Zeile 11) wurde verändert", …
QString JournalCheckText(const SealCheck &check);

// Plant readings of probe checks that differ from the reference by more than this.
constexpr double ProbeFaultCelsius = 2.0;
