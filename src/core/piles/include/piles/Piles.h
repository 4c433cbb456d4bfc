#pragma once
// The life of a pile without a window: operating modes, starting, continuing and
// ending a pile, and the memory transfer that moves a plant's stored records into
// the pile's data file. Every exchange runs with the poll paused (PollPause).

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// How the sequences speak to the operator and show a transfer's progress; the live
// display implements it with its message boxes, busy window and status panel.
class PileObserver {
public:
    virtual ~PileObserver() = default;
    virtual void Inform(const QString &text) { Q_UNUSED(text); }
    virtual bool Confirm(const QString &text) { Q_UNUSED(text); return false; }
    // A question whose safe answer is No (the window makes No its default button).
    virtual bool ConfirmRisky(const QString &text) { return Confirm(text); }
    // A transfer of plant `plant` expects `records` records (its count reply).
    virtual void TransferStarted(int plant, int records) { Q_UNUSED(plant); Q_UNUSED(records); }
    // Record `number` (1, 2, …) has arrived and is in StoredValues / StoredStamp; it
    // is appended next.
    virtual void RecordReceived(int plant, int number) { Q_UNUSED(plant); Q_UNUSED(number); }
    virtual void RecordTransferred(int plant, int done) { Q_UNUSED(plant); Q_UNUSED(done); }
    // Asked after every record appended: true ends the transfer there (Stopped).
    virtual bool StopRequested() { return false; }
    virtual void TransferEnded(int plant) { Q_UNUSED(plant); }
    // What the operator should know about the records a silent transfer wrote
    // (undated, older than the file); told once per transfer, after it.
    virtual void Noted(int plant, const QString &text) { Q_UNUSED(plant); Q_UNUSED(text); }
};

// Records a transfer wrote that the operator should look at: they are in the file
// as the plant sent them, but their stamps form no date or go back in time.
struct TransferNotes {
    QList<qint32> undated;      // record numbers (data-file field 1)
    int older = 0;              // stamped before the file's last record
    QStringList file;           // what taking up the data file found (lines without seal, torn)
    bool Empty() const { return undated.isEmpty() && older == 0 && file.isEmpty(); }
};
// The message for the notes, one line each; empty when there is nothing to tell.
QString TransferNotesText(const TransferNotes &notes);
// The message for a data file that could not be written: the failure and how many
// received records of the plant's file wait for room.
QString DataWriteFailedText(int plant);

enum class TransferOutcome {
    Done,           // every record the plant counted is in the data file (0 records too)
    OpenFailed,     // the data file could not be opened or created
    CountFailed,    // no count, or one outside 0..1000: nothing was taken
    TimedOut,       // a record did not come; the records before it are in the file
    WriteFailed,    // a line could not be written; the lines before it are intact
    Stopped,        // the observer asked to stop; every record received is in the file
};

// The memory transfer of plant n: opens the data file, reads the count, takes the
// records one by one and appends each, closes the file on every path (which stores
// Anzahl). A record that comes after its time-out is still taken, once, before the
// next one is asked for. No messages; progress goes to the observer.
TransferOutcome TransferStoredRecords(int plant, PileObserver *observer = nullptr, TransferNotes *notes = nullptr);
// The silent transfer of the daily readout: success at once for a plant without a
// running pile; a plant missing from the line (PlantMissing) is asked first and,
// when it still does not answer, fails.
bool TransferForReadout(int plant, PileObserver *observer = nullptr);
// The transfer for the operator: the same, with the messages for each failure.
bool SaveCurrentPlant(int plant, PileObserver &ui);

// The mode tabs: sends mode 0..3 and reads the status back. On failure the slot is
// put back as it was (present, running, its mode and memory status); no message.
bool ChangePlantMode(int plant, int mode);

// After the plant data dialog closed with OK: sets the plant's clock, puts it into
// its mode, switches it on and derives a new data file name. False: not started.
// A data folder that cannot take a file (read-only, full) starts nothing: `ui` is
// told why and the settings keep no file name for the plant.
bool StartPile(int plant, PileObserver *ui = nullptr);

// The question to ask before the plant's clock is set from the PC, when that would
// put it back more than 5 minutes under a pile that runs (or, with pileGoesOn, is
// continued); empty when there is nothing to ask (or the clock cannot be read).
QString ClockStepBackQuestion(int plant, bool pileGoesOn = false);

// At start-up, after the status reads: of plants whose Datei is one file, the
// plant whose pile runs keeps it (of two running ones the lower number; a plant
// that did not answer counts only when none is known to run). The others lose it
// in slot and settings. The message for the operator names each plant whose pile
// runs, or may run, without its file; empty when there is none.
QString ReleaseSharedDataFiles();

struct DataFileContent;
// The archive folder that holds a copy of this data file (the first of them);
// empty when the pile has not been archived.
QString FindPileArchive(const DataFileContent &file);
// What speaks against continuing the pile of `file` on `plant`, one line each: it
// was ended (archived, or its plant has started a later pile of that name), its
// last record is later than the plant's clock (the PC's when the plant does not
// tell), or the settings or its pile name say another plant wrote it. `except`: a
// plant not to count (one whose file the operator already let go). Reads the
// plant's clock; sends nothing else.
QStringList ContinueDoubts(int plant, const DataFileContent &file, int except = 0);
// The question before the protocol window archives `file`: a pile that still runs,
// or one archived before (a second folder is made); empty when there is none.
QString ArchiveQuestion(const DataFileContent &file);

enum class ContinueOutcome { Started, NotStarted, InvalidFile, Unreadable };
// Continues a pile from the data file at `path`: the slot and the settings take its
// name, comment, file, folder and record count; then as StartPile without a new name.
// A header-only file of ours is continued as an empty pile. Before anything is sent:
// a file that a plant not answering holds is let go only on the operator's Yes
// (that plant's slot and section lose it; nothing goes to it); ContinueDoubts are
// put to the operator as one question. No to either changes nothing.
ContinueOutcome ContinuePile(int plant, const QString &path, PileObserver &ui);

enum class EndOutcome { Declined, KeptRunning, SwitchedOff, SwitchOffFailed };
// The ending dialogue: confirmation, the last memory transfer (a failed one asks
// again), switch-off, and its message.
EndOutcome EndPileWithOperator(int plant, PileObserver &ui);

// The daily readout: due when a readout hour is set and `now` has reached
// NextReadout. RunDailyReadout transfers every plant 1..PlantCount (result per
// plant: NotReached for a pile whose plant did not answer) and moves NextReadout on
// by exactly one day, so missed days are caught up one per call.
enum class ReadoutResult { Saved, Failed, NotReached };
bool DailyReadoutDue(const QDateTime &now);
void RunDailyReadout(const std::function<void(int plant, ReadoutResult result)> &result,
                     PileObserver *observer = nullptr);

// Told after every memory transfer and every mode change (the site view listens);
// empty members are not called.
struct PileEvents {
    std::function<void(int plant, TransferOutcome outcome)> TransferEnded;
    std::function<void(int plant, int mode, bool ok)> ModeChanged;
};
void SetPileEvents(PileEvents events);

// The clock the live display asks for "now" (tests put in their own; empty: the PC's).
void SetPilesClock(std::function<QDateTime()> now);
QDateTime PilesNow();
// Back to the program-start state.
void ResetPilesValues();
