#include "piles/Piles.h"
#include "piles/Messages.h"

#include "datafile/DataFile.h"
#include "piles/Discovery.h"
#include "piles/Interrupted.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "link/PlantTable.h"
#include "link/PollPause.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

std::function<QDateTime()> g_now;     // the piles' clock (SetPilesClock); empty: the PC's
PileEvents g_events;                  // who is told of transfers and mode changes

QString Tr(const char *text) { return QCoreApplication::translate("Piles", text); }

bool ValidPlant(int n) { return n >= 1 && n <= MaxPlants; }

bool HasRunningPile(int n) { return ValidPlant(n) && Plants().PlantTable[n].Present && Plants().PlantTable[n].Running; }

// Ends the observer's transfer display on every way out.
struct TransferDisplay {
    PileObserver *observer;
    int plant;
    bool started = false;
    void Start(int records)
    {
        started = true;
        if (observer)
            observer->TransferStarted(plant, records);
    }
    ~TransferDisplay()
    {
        if (started && observer)
            observer->TransferEnded(plant);
    }
};

// Clock, mode and switch-on: what starting and continuing a pile share. The clock
// is left alone when it would go back under a pile that goes on and `ui` says no.
bool SwitchPileOn(int plant, PileObserver *ui = nullptr)
{
    const PollPause pause;
    const QString question = ui ? ClockStepBackQuestion(plant, true) : QString();
    if (question.isEmpty() || ui->ConfirmRisky(question)) {
        SendDateTo(plant);
        SendTimeTo(plant);
    }
    TAnlageParameter &slot = Plants().PlantTable[plant];
    if (!SetPlantMode(plant, slot.Mode)) {
        slot.Present = 1;
        slot.Running = 0;
        return false;
    }
    if (!SwitchPlantOn(plant)) {
        slot.Running = 0;
        return false;
    }
    return true;
}

QString FolderOf(const QString &file)
{
    QString folder = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace

QString ClockStepBackQuestion(int plant, bool pileGoesOn)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present || !(pileGoesOn || Plants().PlantTable[plant].Running))
        return {};
    QDateTime plantClock;
    const PollPause pause;
    if (!ReadPlantClockTime(plant, plantClock))
        return {};
    const qint64 back = CommandClockTime().secsTo(plantClock);
    if (back <= 5 * 60)
        return {};
    const qint64 minutes = back / 60;
    QString amount;
    if (minutes < 60)
        amount = Tr(QT_TRANSLATE_NOOP("Piles", "%1 Minuten")).arg(minutes);
    else if (minutes < 2 * 1440)
        amount = Tr(QT_TRANSLATE_NOOP("Piles", "%1 Stunden %2 Minuten")).arg(minutes / 60).arg(minutes % 60);
    else
        amount = Tr(QT_TRANSLATE_NOOP("Piles", "%1 Tage")).arg(minutes / 1440);
    return Tr(QT_TRANSLATE_NOOP("Piles", "Die Uhr der Anlage %1 geht um %2 zurück. Die Messwerte der laufenden "
                                             "Miete bekommen dann frühere Zeiten. Trotzdem stellen?"))
        .arg(plant + Settings().DisplayOffset)
        .arg(amount);
}

QString ReleaseSharedDataFiles()
{
    QStringList told;
    for (int n = 2; n <= Plants().PlantCount && n <= MaxPlants; ++n) {
        TAnlageParameter &slot = Plants().PlantTable[n];
        const int first = PlantWritingTo(slot.Datei, n);
        if (first == 0 || first > n)
            continue;
        told << Tr(QT_TRANSLATE_NOOP("Piles", "Die Anlagen %1 und %2 sind derselben Datei zugeordnet:\n%3\n"
                                                  "Anlage %2 schreibt nicht in diese Datei; eine andere kann mit "
                                                  "\"Miete fortführen\" gewählt werden."))
                    .arg(first + Settings().DisplayOffset)
                    .arg(n + Settings().DisplayOffset)
                    .arg(QDir::toNativeSeparators(slot.Datei));
        slot.Datei.clear();
        slot.Anzahl = 0;
        if (Settings().SettingsFile)
            Settings().SettingsFile->WriteStrings(QString::number(n), {{QStringLiteral("Anzahl"), QStringLiteral("0")},
                                                            {QStringLiteral("Datei"), QString()}});
    }
    return told.join(QStringLiteral("\n\n"));
}

QString DataWriteFailedText(int plant)
{
    QString text = Tr(QT_TRANSLATE_NOOP("Piles", "Daten wurden nicht korrekt gespeichert!!\nBitte Speichermedium überprüfen !!"));
    if (!LastDataWriteFailure().isEmpty())
        text += u'\n' + LastDataWriteFailure();
    if (ValidPlant(plant)) {
        if (const int waiting = PendingRecordCount(Plants().PlantTable[plant].Datei))
            text += u'\n' + Tr(QT_TRANSLATE_NOOP("Piles", "%1 empfangene Messwerte warten auf Speicherplatz; "
                                                               "sie werden bei der nächsten Sicherung zuerst geschrieben."))
                                .arg(waiting);
    }
    return text;
}

QString TransferNotesText(const TransferNotes &notes)
{
    QStringList lines;
    if (!notes.undated.isEmpty()) {
        QStringList numbers;
        for (qint32 n : notes.undated)
            numbers << QString::number(n);
        lines << Tr(QT_TRANSLATE_NOOP("Piles", "%1 Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %2)"))
                     .arg(notes.undated.size())
                     .arg(numbers.join(QStringLiteral(", ")));
    }
    if (notes.older > 0)
        lines << Tr(QT_TRANSLATE_NOOP("Piles", "%1 Datensätze älter als der letzte der Datei")).arg(notes.older);
    lines << notes.file;
    return lines.join(u'\n');
}

TransferOutcome TransferStoredRecords(int plant, PileObserver *observer, TransferNotes *notes)
{
    if (!ValidPlant(plant))
        return TransferOutcome::OpenFailed;
    const PollPause pause;
    if (!OpenDataFile(plant)) {
        if (g_events.TransferEnded)
            g_events.TransferEnded(plant, TransferOutcome::OpenFailed);
        return TransferOutcome::OpenFailed;
    }
    TransferOutcome outcome = TransferOutcome::Done;
    if (const QStringList found = TakeDataFileNotices(); notes)
        notes->file = found;
    if (!WritePendingRecords(plant)) {
        // Records kept from an earlier transfer still find no room: nothing more is
        // asked of the plant, which holds its records safely meanwhile.
        outcome = TransferOutcome::WriteFailed;
    } else if (!ReadStoredRecordCount(plant)) {
        // Also a count outside 0..1000: the plant's memory is not known to be empty,
        // so the transfer has not been done.
        outcome = TransferOutcome::CountFailed;
    } else {
        TransferDisplay display{observer, plant};
        display.Start(LinkValues().StoredCount);
        const int count = LinkValues().StoredCount;
        // Only a kill or a power loss leaves this note behind (see Interrupted.h).
        NoteTransferStart(plant, count, PilesNow());
        QDateTime latest = OpenFileLastStamp();
        for (int taken = 0; taken < count; ++taken) {
            // A record that comes late is still the one asked for: take it before
            // asking for the next, so none is lost, doubled or out of order.
            if (!ReadStoredRecord(plant) && !AwaitLateReply(LinkValues().RecordTimeout, cmdReadStored)) {
                outcome = TransferOutcome::TimedOut;
                break;
            }
            if (observer)
                observer->RecordReceived(plant, taken + 1);
            if (!AppendDataLine(plant, StampText(LinkValues().StoredStamp), LinkValues().StoredValues)) {
                // The plant no longer holds this record: keep it for the next transfer.
                KeepPendingRecord(plant, StampText(LinkValues().StoredStamp), LinkValues().StoredValues);
                outcome = TransferOutcome::WriteFailed;
                break;
            }
            const QDateTime stamp = StampDateTime(LinkValues().StoredStamp);
            if (!stamp.isValid()) {
                if (notes)
                    notes->undated << Plants().PlantTable[plant].Anzahl;
            } else if (latest.isValid() && stamp < latest) {
                if (notes)
                    ++notes->older;
            } else {
                latest = stamp;
            }
            Plants().PlantTable[plant].Stored = count - taken - 1;
            if (observer)
                observer->RecordTransferred(plant, taken + 1);
            // Only between records: one the plant has handed over (and so no longer
            // holds) is always written first.
            if (observer && taken + 1 < count && observer->StopRequested()) {
                outcome = TransferOutcome::Stopped;
                break;
            }
        }
    }
    CloseDataFile(plant);
    // The last line is known written only when the file is closed: one that did
    // not fit waits with the kept records.
    if (outcome == TransferOutcome::Done && PendingRecordCount(Plants().PlantTable[plant].Datei) > 0)
        outcome = TransferOutcome::WriteFailed;
    NoteTransferEnd();
    if (g_events.TransferEnded)
        g_events.TransferEnded(plant, outcome);
    return outcome;
}

bool TransferForReadout(int plant, PileObserver *observer)
{
    // A pile whose plant has not answered is not read: that is no success.
    if (PlantMissing(plant) && !LearnPlant(plant))
        return false;
    if (!HasRunningPile(plant))
        return true;
    TransferNotes notes;
    const TransferOutcome outcome = TransferStoredRecords(plant, observer, &notes);
    if (observer && !notes.Empty())
        observer->Noted(plant, TransferNotesText(notes));
    if (observer && (outcome == TransferOutcome::WriteFailed || outcome == TransferOutcome::OpenFailed))
        observer->Noted(plant, DataWriteFailedText(plant));
    return outcome == TransferOutcome::Done;
}

bool SaveCurrentPlant(int plant, PileObserver &ui)
{
    TransferNotes notes;
    const TransferOutcome outcome = TransferStoredRecords(plant, &ui, &notes);
    if (!notes.Empty())
        ui.Inform(TransferNotesText(notes));
    if (outcome == TransferOutcome::Done)
        return true;
    if (const QString told = TransferOutcomeMessage(outcome, plant); !told.isEmpty())
        ui.Inform(told);
    return false;
}

bool ChangePlantMode(int plant, int mode)
{
    if (!HasRunningPile(plant) || mode < ModeFanOff || mode > ModeO2Control)
        return false;
    TAnlageParameter &slot = Plants().PlantTable[plant];
    const quint8 oldMode = slot.Mode, oldMem = slot.MemStatus;
    bool ok;
    {
        const PollPause pause;
        ok = SetPlantMode(plant, mode);
    }
    if (g_events.ModeChanged)
        g_events.ModeChanged(plant, mode, ok);
    TLiveValues &live = Plants().LiveTable[plant];
    if (ok) {
        live.Betriebsart = slot.Mode;
        if (slot.Mode == ModeFanOff)
            live.FanOn = 0;
        else if (slot.Mode == ModeFanOn)
            live.FanOn = 1;
        return true;
    }
    slot.Present = 1;
    slot.Running = 1;
    slot.Mode = oldMode;
    slot.MemStatus = oldMem;
    return false;
}

bool StartPile(int plant, PileObserver *ui)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present || Plants().PlantTable[plant].Running)
        return false;
    TAnlageParameter &slot = Plants().PlantTable[plant];
    QString why;
    const QString folder = slot.Pfad.isEmpty() ? Settings().ProgramFolder : slot.Pfad;
    if (!DataFolderWritable(folder, &why)) {
        // The plant would store records that could never reach a file.
        slot.Datei.clear();
        slot.Anzahl = 0;
        if (Settings().SettingsFile)
            Settings().SettingsFile->WriteStrings(QString::number(plant), {{QStringLiteral("Anzahl"), QStringLiteral("0")},
                                                                {QStringLiteral("Datei"), QString()}});
        if (ui)
            ui->Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Speicherdatei kann nicht angelegt werden:\n%1\n"
                                                         "Bitte Speichermedium überprüfen !!")).arg(why));
        return false;
    }
    if (!SwitchPileOn(plant))
        return false;
    if (MakeDataFileName(plant) && ui)
        ui->Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Die Datei für diesen Tag gibt es schon; die neue Miete "
                                                     "schreibt in\n%1")).arg(QDir::toNativeSeparators(slot.Datei)));
    return true;
}

ContinueOutcome ContinuePile(int plant, const QString &path, PileObserver &ui)
{
    if (!ValidPlant(plant) || !Plants().PlantTable[plant].Present || Plants().PlantTable[plant].Running)
        return ContinueOutcome::NotStarted;
    if (const int other = PlantWritingTo(path, plant)) {
        // Two plants appending to one file would mix two piles in one proof.
        ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Diese Datei gehört zur laufenden Miete von Anlage %1 (%2)."))
                      .arg(other + Settings().DisplayOffset)
                      .arg(Plants().PlantTable[other].Name.trimmed()));
        return ContinueOutcome::NotStarted;
    }
    DataFileContent file;
    QString error;
    if (!LoadDataFile(path, file, &error)) {
        ui.Inform(error);
        return ContinueOutcome::Unreadable;
    }
    if (!QFileInfo(path).isWritable()) {
        ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Speicherdatei kann nicht angelegt werden:\n%1\n"
                                                    "Bitte Speichermedium überprüfen !!"))
                      .arg(QDir::toNativeSeparators(path)));
        return ContinueOutcome::Unreadable;
    }
    if (!file.FileValid) {
        ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Datendatei existiert nicht oder\nKein gültiger Dateiaufbau\n"
                     "Datei war nicht von dieser Software erzeugt!")));
        return ContinueOutcome::InvalidFile;
    }
    TAnlageParameter &slot = Plants().PlantTable[plant];
    slot.Name = file.PileName;
    slot.Komm = file.Comment;
    slot.Datei = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    slot.Pfad = FolderOf(path);
    slot.Anzahl = qint32(qMin<qint64>(file.LineCount, INT32_MAX));
    // In one write: a file name with another file's count would misnumber records.
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteStrings(QString::number(plant), {{QStringLiteral("Name"), slot.Name},
                                                            {QStringLiteral("Komm"), slot.Komm},
                                                            {QStringLiteral("Datei"), slot.Datei},
                                                            {QStringLiteral("Pfad"), slot.Pfad},
                                                            {QStringLiteral("Anzahl"), QString::number(slot.Anzahl)}});
    StorePlantSettings(plant);
    if (SwitchPileOn(plant, &ui))
        return ContinueOutcome::Started;
    ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Anlage i  st NICHT eingeschaltet!!\nFehler beim Starten!")));
    return ContinueOutcome::NotStarted;
}

EndOutcome EndPileWithOperator(int plant, PileObserver &ui)
{
    if (!HasRunningPile(plant))
        return EndOutcome::Declined;
    if (!ui.Confirm(Tr(QT_TRANSLATE_NOOP("Piles", "Soll die aktuell aktive Anlage ausgeschaltet werden ?\n"
                       "Es werden keine weiteren Messwerte gespeichert.\n"
                       "Einschalten durch Start einer neuen Miete!!"))))
        return EndOutcome::Declined;
    bool off;
    {
        const PollPause pause;
        if (!SaveCurrentPlant(plant, ui)
            && !ui.Confirm(Tr(QT_TRANSLATE_NOOP("Piles", "Nicht alle Daten wurden korrekt gespeichert!!\nTrotzdem Anlage ausschalten???"))))
            return EndOutcome::KeptRunning;
        off = SwitchPlantOff(plant);
        if (off) {              // SwitchPlantOff has cleared the slot's file and count
            Plants().LiveTable[plant].Valid = 0;
            Plants().PlantTable[plant].Running = 0;
        }
    }
    if (off) {
        ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Anlage ist ausgeschaltet!!\nEinschalten durch Start einer neuen Miete!")));
        return EndOutcome::SwitchedOff;
    }
    ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Anlage ist NICHT ausgeschaltet!!\nFehler bei der Übertragung!")));
    return EndOutcome::SwitchOffFailed;
}

bool DailyReadoutDue(const QDateTime &now)
{
    return Settings().ReadoutHour != 0 && Settings().NextReadout.isValid() && now >= Settings().NextReadout;
}

void RunDailyReadout(const std::function<void(int, ReadoutResult)> &result, PileObserver *observer)
{
    {
        const PollPause pause;
        for (int n = 1; n <= Plants().PlantCount && n <= MaxPlants; ++n) {
            const bool ok = TransferForReadout(n, observer);
            if (result)
                result(n, ok ? ReadoutResult::Saved : PlantMissing(n) ? ReadoutResult::NotReached
                                                                       : ReadoutResult::Failed);
        }
    }
    Settings().NextReadout = Settings().NextReadout.addDays(1);
}

void SetPilesClock(std::function<QDateTime()> now) { g_now = std::move(now); }

QDateTime PilesNow() { return g_now ? g_now() : QDateTime::currentDateTime(); }

void SetPileEvents(PileEvents events) { g_events = std::move(events); }

void ResetPilesValues()
{
    g_now = {};
    g_events = {};
}
