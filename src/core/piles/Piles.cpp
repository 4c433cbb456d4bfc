#include "piles/Piles.h"

#include "base/ClockText.h"
#include "piles/MemoryFill.h"
#include "piles/Messages.h"

#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/SeriesData.h"
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
#include <QRegularExpression>

namespace {

std::function<QDateTime()> g_now;     // the piles' clock (SetPilesClock); empty: the PC's
PileEvents g_events;                  // who is told of transfers and mode changes

QString Tr(const char *text) { return QCoreApplication::translate("Piles", text); }
QString TrN(const char *text, int n) { return QCoreApplication::translate("Piles", text, nullptr, n); }

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

// The file a plant's section names: the slot's, else the settings' (ending a pile
// keeps it there).
QString SectionFile(int n)
{
    const QString slot = Plants().PlantTable[n].Datei;
    return slot.isEmpty() ? ReadSetting(QString::number(n), QStringLiteral("Datei"), QString()) : slot;
}

// The plant keeps no file, in the slot and in its section.
void ForgetDataFile(int n)
{
    TAnlageParameter &slot = Plants().PlantTable[n];
    slot.Datei.clear();
    slot.Anzahl = 0;
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteStrings(QString::number(n), {{QStringLiteral("Anzahl"), QStringLiteral("0")},
                                                           {QStringLiteral("Datei"), QString()}});
}

// When a pile began, as its data file's name tells ("…_08-12-2026.CSV", then
// "-2", … for the same day): the day and that running number; no day when the
// name does not tell.
std::pair<QDate, int> NamedStart(const QString &path)
{
    static const QRegularExpression re(QStringLiteral("_(\\d{2})-(\\d{2})-(\\d{4})(?:-(\\d+))?\\.csv$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(QFileInfo(QDir::fromNativeSeparators(path)).fileName());
    if (!m.hasMatch())
        return {};
    return {QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()),
            m.captured(4).isEmpty() ? 1 : m.captured(4).toInt()};
}

// The stamp of the file's last dated record; invalid when none is dated.
QDateTime LastRecordStamp(const DataFileContent &file)
{
    for (qsizetype i = file.Lines.size() - 1; i >= 0; --i) {
        const QStringView line(file.Lines[i]);
        const qsizetype a = line.indexOf(u';'), b = a < 0 ? -1 : line.indexOf(u';', a + 1);
        int d, mo, y, h, mi;
        if (b > a && ParseStampText(line.mid(a + 1, b - a - 1), d, mo, y, h, mi))
            return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
    }
    return {};
}

QString StampShown(const QDateTime &t) { return t.toString(QStringLiteral("dd.MM.yyyy hh:mm")); }

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
    const QDateTime now = CommandClockTime();
    QDateTime plantClock;
    {
        const PollPause pause;
        if (ReadPlantClock(plant))
            plantClock = ReadClockText(LinkValues().ClockText).DateTime();
    }
    // Whatever the plant's clock text says (or when it says nothing readable), the
    // running pile's file knows the time of its last record: a clock set before it
    // gives the next records earlier times too.
    const QDateTime lastRecord = LastRecordStamp(Plants().PlantTable[plant].Datei);
    const qint64 plantBack = plantClock.isValid() ? now.secsTo(plantClock) : 0;
    const qint64 fileBack = lastRecord.isValid() ? now.secsTo(lastRecord) : 0;
    const qint64 back = qMax(plantBack, fileBack);
    if (back <= 5 * 60)
        return {};
    const qint64 minutes = back / 60;
    QString amount;
    if (minutes < 60)
        amount = TrN(QT_TRANSLATE_N_NOOP("Piles", "%n Minuten"), int(minutes));
    else if (minutes < 2 * 1440)
        amount = TrN(QT_TRANSLATE_N_NOOP("Piles", "%n Stunden"), int(minutes / 60)) + u' '
                 + TrN(QT_TRANSLATE_N_NOOP("Piles", "%n Minuten"), int(minutes % 60));
    else
        amount = TrN(QT_TRANSLATE_N_NOOP("Piles", "%n Tage"), int(minutes / 1440));
    if (plantBack >= fileBack)
        return Tr(QT_TRANSLATE_NOOP("Piles", "Die Uhr der Anlage %1 geht um %2 zurück. Die Messwerte der laufenden "
                                                 "Miete bekommen dann frühere Zeiten. Trotzdem stellen?"))
            .arg(plant + Settings().DisplayOffset)
            .arg(amount);
    return Tr(QT_TRANSLATE_NOOP("Piles", "Der letzte Messwert der laufenden Miete von Anlage %1 ist %2 jünger als "
                                             "die Uhr dieses PCs. Die nächsten Messwerte bekommen dann frühere Zeiten. "
                                             "Trotzdem stellen?"))
        .arg(plant + Settings().DisplayOffset)
        .arg(amount);
}

QString ReleaseSharedDataFiles()
{
    const int last = qMin<int>(Plants().PlantCount, MaxPlants);
    auto runs = [](int n) { return Plants().PlantTable[n].Present && Plants().PlantTable[n].Running; };
    auto silent = [](int n) { return !Plants().PlantTable[n].Present; };
    QStringList told;
    for (int n = 1; n <= last; ++n) {
        const QString file = Plants().PlantTable[n].Datei;
        if (file.isEmpty())
            continue;
        QList<int> sharing{n};
        for (int m = n + 1; m <= last; ++m)
            if (SameDataFile(Plants().PlantTable[m].Datei, file))
                sharing << m;
        if (sharing.size() < 2)
            continue;
        // The pile that runs goes on in its file, whichever plant number it has; an
        // ended pile's section has no claim. A silent plant may run: it keeps the
        // file only when no plant is known to write into it.
        int keeper = 0;
        for (int k : sharing)
            if (!keeper && runs(k))
                keeper = k;
        for (int k : sharing)
            if (!keeper && silent(k))
                keeper = k;
        for (int k : sharing) {
            if (k == keeper)
                continue;
            if (keeper && (runs(k) || silent(k))) {
                QString text = Tr(QT_TRANSLATE_NOOP("Piles", "Die Anlagen %1 und %2 sind derselben Datei zugeordnet:\n%3\n"))
                                   .arg(keeper + Settings().DisplayOffset)
                                   .arg(k + Settings().DisplayOffset)
                                   .arg(QDir::toNativeSeparators(file));
                if (runs(k))
                    text += Tr(QT_TRANSLATE_NOOP("Piles", "Beide Mieten laufen: Anlage %1 schreibt weiter in diese Datei, "
                                                              "Anlage %2 in eine neue."))
                                .arg(keeper + Settings().DisplayOffset)
                                .arg(k + Settings().DisplayOffset);
                else
                    text += Tr(QT_TRANSLATE_NOOP("Piles", "Anlage %1 schreibt weiter in diese Datei; Anlage %2 antwortet "
                                                              "nicht und bekommt eine neue, wenn ihre Miete läuft."))
                                .arg(keeper + Settings().DisplayOffset)
                                .arg(k + Settings().DisplayOffset);
                told << text;
            }
            ForgetDataFile(k);
        }
    }
    return told.join(QStringLiteral("\n\n"));
}

QString FindPileArchive(const DataFileContent &file)
{
    const QString root = ArchiveRoot();
    const QString name = QFileInfo(file.Path).fileName();
    if (root.isEmpty() || name.isEmpty())
        return {};
    // The folders ArchivePile makes for this pile: its name, then "-2", "-3", …
    const QString base = QDir(root).filePath(ArchiveFolderName(file));
    QString folder = base;
    for (int k = 2; QFileInfo(folder).isDir(); ++k) {
        if (QFileInfo(QDir(folder).filePath(name)).isFile())
            return folder;
        folder = base + u'-' + QString::number(k);
    }
    return {};
}

QStringList ContinueDoubts(int plant, const DataFileContent &file, int except)
{
    QStringList doubts;
    if (!ValidPlant(plant))
        return doubts;
    const int shown = plant + Settings().DisplayOffset;
    const QString pileName = file.PileName.trimmed();
    auto namedAs = [&](int n) { return !pileName.isEmpty() && Plants().PlantTable[n].Name.trimmed() == pileName; };

    if (const QString archive = FindPileArchive(file); !archive.isEmpty())
        doubts << Tr(QT_TRANSLATE_NOOP("Piles", "Die Miete wurde beendet und archiviert: %1")).arg(QDir::toNativeSeparators(archive));

    // A plant whose pile of this name began after this file did: this one was ended.
    std::pair<QDate, int> began = NamedStart(file.Path);
    if (!began.first.isValid()) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d{2})\\.(\\d{2})\\.(\\d{4})")).match(file.FirstSaveLine);
        if (m.hasMatch())
            began = {QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()), 1};
    }
    for (int n = 1; n <= MaxPlants && began.first.isValid(); ++n) {
        const QString later = SectionFile(n);
        if (n == except || !namedAs(n) || later.isEmpty() || SameDataFile(later, file.Path))
            continue;
        const std::pair<QDate, int> laterBegan = NamedStart(later);
        if (laterBegan.first.isValid() && laterBegan > began) {
            doubts << Tr(QT_TRANSLATE_NOOP("Piles", "Anlage %1 hat danach eine neue Miete %2 begonnen: %3"))
                          .arg(n + Settings().DisplayOffset)
                          .arg(pileName, QFileInfo(QDir::fromNativeSeparators(later)).fileName());
            break;
        }
    }

    if (const QDateTime last = LastRecordStamp(file); last.isValid()) {
        QDateTime clock;
        bool plantTold;
        {
            const PollPause pause;
            plantTold = Plants().PlantTable[plant].Present && ReadPlantClockTime(plant, clock);
        }
        if (!plantTold)
            clock = CommandClockTime();
        if (last > clock)
            doubts << (plantTold ? Tr(QT_TRANSLATE_NOOP("Piles", "Der letzte Messwert der Datei (%1) ist später als die "
                                                                     "Uhr der Anlage %2 (%3)."))
                                       .arg(StampShown(last))
                                       .arg(shown)
                                       .arg(StampShown(clock))
                                 : Tr(QT_TRANSLATE_NOOP("Piles", "Der letzte Messwert der Datei (%1) ist später als die "
                                                                     "Uhr des PCs (%2)."))
                                       .arg(StampShown(last), StampShown(clock)));
    }

    // Written by another plant: its section names the file, or the pile bears its
    // pile's name. Not when this plant wrote it last or bears the name too.
    if (!SameDataFile(SectionFile(plant), file.Path)) {
        for (int n = 1; n <= MaxPlants; ++n) {
            if (n == plant || n == except)
                continue;
            if (SameDataFile(SectionFile(n), file.Path) || (namedAs(n) && !namedAs(plant))) {
                const QString name = Plants().PlantTable[n].Name.trimmed();
                doubts << (name.isEmpty() ? Tr(QT_TRANSLATE_NOOP("Piles", "Die Datei stammt von Anlage %1."))
                                                .arg(n + Settings().DisplayOffset)
                                          : Tr(QT_TRANSLATE_NOOP("Piles", "Die Datei stammt von Anlage %1 (%2)."))
                                                .arg(n + Settings().DisplayOffset)
                                                .arg(name));
                break;
            }
        }
    }
    return doubts;
}

QString ArchiveQuestion(const DataFileContent &file)
{
    QStringList lines;
    const int writer = PlantWritingTo(file.Path, 0);
    if (writer && (Plants().PlantTable[writer].Running || !Plants().PlantTable[writer].Present))
        lines << Tr(QT_TRANSLATE_NOOP("Piles", "Die Miete läuft noch; der Stand von jetzt wird archiviert."));
    if (const QString archive = FindPileArchive(file); !archive.isEmpty())
        lines << Tr(QT_TRANSLATE_NOOP("Piles", "Die Miete ist schon archiviert in\n%1\nEin zweiter Archivordner wird angelegt."))
                     .arg(QDir::toNativeSeparators(archive));
    if (lines.isEmpty())
        return {};
    return lines.join(u'\n') + u'\n' + Tr(QT_TRANSLATE_NOOP("Piles", "Trotzdem archivieren?"));
}

QString DataWriteFailedText(int plant)
{
    QString text = Tr(QT_TRANSLATE_NOOP("Piles", "Daten wurden nicht korrekt gespeichert!!\nBitte Speichermedium überprüfen !!"));
    if (!LastDataWriteFailure().isEmpty())
        text += u'\n' + LastDataWriteFailure();
    if (ValidPlant(plant)) {
        if (const int waiting = PendingRecordCount(Plants().PlantTable[plant].Datei))
            text += u'\n' + TrN(QT_TRANSLATE_N_NOOP("Piles", "%n empfangene Messwerte warten auf Speicherplatz; "
                                                                  "sie werden bei der nächsten Sicherung zuerst geschrieben."),
                                 waiting);
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
        lines << TrN(QT_TRANSLATE_N_NOOP("Piles", "%n Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %1)"),
                     int(notes.undated.size()))
                     .arg(numbers.join(QStringLiteral(", ")));
    }
    if (notes.older > 0)
        lines << TrN(QT_TRANSLATE_N_NOOP("Piles", "%n Datensätze älter als der letzte der Datei"), notes.older);
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
    // A plant that answers and still holds the file runs its pile in it; one that
    // is silent may be broken or its pile moved: the operator may let it go.
    const int other = PlantWritingTo(path, plant);
    if (other && Plants().PlantTable[other].Present) {
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
    // Our header without a record yet is a pile that goes on at record 1.
    if (!file.FileValid && !file.NoRecords) {
        ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Datendatei existiert nicht oder\nKein gültiger Dateiaufbau\n"
                     "Datei war nicht von dieser Software erzeugt!")));
        return ContinueOutcome::InvalidFile;
    }
    if (other && !ui.ConfirmRisky(Tr(QT_TRANSLATE_NOOP("Piles", "Anlage %1 antwortet nicht. Die Miete dort als beendet "
                                                                  "betrachten und hier fortführen?"))
                                      .arg(other + Settings().DisplayOffset)))
        return ContinueOutcome::NotStarted;
    if (const QStringList doubts = ContinueDoubts(plant, file, other); !doubts.isEmpty()) {
        const QString question = Tr(QT_TRANSLATE_NOOP("Piles", "Vor dem Fortführen auf Anlage %1 gefunden:")).arg(plant + Settings().DisplayOffset)
                                 + QStringLiteral("\n- ") + doubts.join(QStringLiteral("\n- ")) + u'\n'
                                 + Tr(QT_TRANSLATE_NOOP("Piles", "Trotzdem mit dieser Datei fortführen?"));
        if (!ui.ConfirmRisky(question))
            return ContinueOutcome::NotStarted;
    }
    if (other) {
        // Considered ended: nothing is sent to it.
        ForgetDataFile(other);
        Plants().PlantTable[other].Running = 0;
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
    if (SwitchPileOn(plant, &ui)) {
        // An ended pile's section naming the file would claim it at the next start.
        for (int n = 1; n <= MaxPlants; ++n)
            if (n != plant && Plants().PlantTable[n].Datei.isEmpty() && SameDataFile(SectionFile(n), slot.Datei))
                ForgetDataFile(n);
        return ContinueOutcome::Started;
    }
    ui.Inform(Tr(QT_TRANSLATE_NOOP("Piles", "Anlage i  st NICHT eingeschaltet!!\nFehler beim Starten!")));
    return ContinueOutcome::NotStarted;
}

EndOutcome EndPileWithOperator(int plant, PileObserver &ui)
{
    if (!HasRunningPile(plant))
        return EndOutcome::Declined;
    // Both questions switch a plant off: Enter must not answer them.
    if (!ui.ConfirmRisky(Tr(QT_TRANSLATE_NOOP("Piles", "Soll die aktuell aktive Anlage ausgeschaltet werden ?\n"
                       "Es werden keine weiteren Messwerte gespeichert.\n"
                       "Einschalten durch Start einer neuen Miete!!"))))
        return EndOutcome::Declined;
    bool off;
    {
        const PollPause pause;
        if (!SaveCurrentPlant(plant, ui)
            && !ui.ConfirmRisky(Tr(QT_TRANSLATE_NOOP("Piles", "Nicht alle Daten wurden korrekt gespeichert!!\nTrotzdem Anlage ausschalten???"))))
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
    ResetMemoryFill();
}
