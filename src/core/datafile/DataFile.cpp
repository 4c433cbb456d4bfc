#include "datafile/DataFile.h"
#include "datafile/Journal.h"
#include "datafile/Seal.h"

#include "base/DisplayFormat.h"
#include "datafile/SeriesData.h"

#include "settings/SettingsFile.h"
#include "base/TextCodec.h"
#include "base/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <optional>
#include <mutex>
#include <thread>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

const QLatin1String kCrLf("\r\n");

QString Tr(const char *text) { return QCoreApplication::translate("DataFile", text); }

// A line that could not be written: its file and the line after its number.
struct PendingLine {
    QString file;
    QString rest;
};

// Makes what was written through `handle` durable (the data, not every attribute).
void SyncHandle(int handle)
{
#ifdef Q_OS_WIN
    _commit(handle);
#elif defined(Q_OS_LINUX)
    ::fdatasync(handle);
#else
    ::fsync(handle);
#endif
}

bool SyncAndClose(QFile &f)
{
    bool ok = f.flush();
#ifdef Q_OS_WIN
    ok = _commit(f.handle()) == 0 && ok;
#else
    ok = ::fsync(f.handle()) == 0 && ok;
#endif
    f.close();
    return ok;
}

// Writes the data lines of a sealed file on a thread of its own, each after its
// seal line (written by the caller) reached the disk: a crash leaves at most the
// last announced line missing or torn, never a line the seal does not know. The
// syncs overlap the wait for the plant's next record instead of delaying it; the
// next line waits until the one before it is written.
class SealedLineWriter {
public:
    SealedLineWriter(QFile &data, std::unique_ptr<QFile> seal)
        : data_(data), seal_(std::move(seal)), thread_([this] { Run(); })
    {
    }
    ~SealedLineWriter() { Finish(); }

    QFile &Seal() { return *seal_; }
    // Hands a line to the thread; its seal line is in the seal file already.
    void Push(const QByteArray &line)
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            line_ = line;
            busy_ = true;
            error_.clear();
        }
        wake_.notify_one();
    }
    // Waits for the line pushed last; false (with why) when it is not in the file.
    bool Wait(QString *why)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return !busy_; });
        if (why)
            *why = error_;
        return error_.isEmpty();
    }
    // Syncs and closes the seal; false (with why) when that failed.
    bool Finish(QString *why = nullptr)
    {
        if (!thread_.joinable())
            return true;
        Wait(nullptr);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
        const bool ok = SyncAndClose(*seal_);
        if (!ok && why)
            *why = seal_->errorString();
        return ok;
    }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || busy_; });
            if (!busy_)
                return;
            const QByteArray line = line_;
            lock.unlock();
            QString error;
            const qint64 before = data_.size();
#ifdef Q_OS_WIN
            const bool synced = _commit(seal_->handle()) == 0;
#else
            const bool synced = ::fdatasync(seal_->handle()) == 0;
#endif
            if (!synced) {
                error = QString::fromLocal8Bit(std::strerror(errno));
            } else if (data_.write(line) != line.size()) {
                error = data_.errorString();
                data_.resize(before);       // never a torn line (disk full, medium removed)
            } else {
                SyncHandle(data_.handle());
            }
            lock.lock();
            error_ = error;
            busy_ = false;
            done_.notify_all();
        }
    }

    QFile &data_;
    std::unique_ptr<QFile> seal_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    QByteArray line_;
    bool busy_ = false;
    bool stop_ = false;
    QString error_;
    std::thread thread_;
};

// A line handed to the writer and not yet known to be in the file.
struct InFlightLine {
    int plant = 0;
    QString line;           // without its line end
    qint64 sealBefore = 0;  // the seal's length before its seal line
    QByteArray lastBefore;  // the chain's hash before it
};

// What the writer keeps between calls.
struct DataFileState {
    std::function<QDate()> today;       // empty: the PC's date
    std::unique_ptr<QFile> open;        // the one open data file
    QDateTime openLastStamp;            // of the open file's last dated record
    QList<PendingLine> pending;         // lines waiting for their file (mirrored by the journal)
    QString lastFailure, lastFailureFile;
    bool journalFailed = false;
    std::unique_ptr<SealedLineWriter> seal;     // the open file's seal, while it is sealed
    QByteArray sealLast;                // the seal's last hash
    std::optional<InFlightLine> inFlight;
    QStringList sealNotices;            // what taking up the open file found
    QString sealProblem;                // the last file found changed, for the status band
    DataLineListener lineListener;
};

DataFileState &State()
{
    static DataFileState state;
    return state;
}

QString JournalPath() { return Settings().ProgramFolder + QStringLiteral("pending.csv"); }

void NoteWriteFailure(const QString &file, const QString &why)
{
    State().lastFailureFile = file;
    // A short write to a full disk leaves no error code ("Unknown error"): the free
    // space says what happened.
    const QStorageInfo disk(QFileInfo(file).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < 16 * 1024)
        State().lastFailure = QCoreApplication::translate("DataFile", "Datenträger voll: %1").arg(QDir::toNativeSeparators(file));
    else
        State().lastFailure = QDir::toNativeSeparators(file) + QStringLiteral(": ") + why;
}

void NoteWriteSuccess(const QString &file)
{
    if (!State().lastFailureFile.isEmpty() && SameDataFile(file, State().lastFailureFile)) {
        State().lastFailure.clear();
        State().lastFailureFile.clear();
    }
}

// Each kept line carries a check over its file and its text, so that a line changed
// or added in the journal is found before it goes into a data file.
QString PendingCheck(const QString &file, const QString &rest)
{
    return QString::fromLatin1(SealHash({}, (file + u'\t' + rest).toUtf8()).toHex().left(16));
}

// A kept line as FormatDataLine made it after its number: a stamp, eleven fields
// each closed by ";", numbers where numbers stand, no longer than a "G" reply
// can make it.
bool PendingLineWellFormed(const QString &rest)
{
    if (rest.size() > 160 || !rest.endsWith(u';'))
        return false;
    for (QChar c : rest)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    const QStringList f = rest.split(u';');
    if (f.size() != 12 || f[0].isEmpty() || f[0].size() > 40)
        return false;
    for (int i = 1; i <= 10; ++i) {
        const QString v = f[i].trimmed();
        if (v.isEmpty() || v.size() > 12)
            return false;
        for (QChar c : v)
            if (!c.isDigit() && c != u'-' && c != u',')
                return false;
    }
    return true;
}

// The journal mirrors the pending lines; it goes once the last record is written.
void SaveJournal()
{
    if (Settings().ProgramFolder.isEmpty())
        return;
    if (State().pending.isEmpty()) {
        QFile::remove(JournalPath());
        return;
    }
    QString text;
    for (const PendingLine &l : State().pending)
        text += l.file + u'\t' + l.rest + u'\t' + PendingCheck(l.file, l.rest) + kCrLf;
    State().journalFailed = !WriteFileAtomically(JournalPath(), EncodeText(text));
}

bool ValidPlant(int n) { return n >= 1 && n <= MaxPlants; }

bool EndsWithSeparator(const QString &path)
{
#ifdef Q_OS_WIN
    return path.endsWith(u'\\') || path.endsWith(u'/');
#else
    return path.endsWith(u'/');
#endif
}

void PadLeft(QString &out, const QString &field, int width)
{
    for (qsizetype i = field.size(); i < width; ++i)
        out += u' ';
    out += field;
}

// "%5.1f" of tenths / 10, computed exactly from the integer.
QString TenthsText(qint32 tenths)
{
    const qint64 v = tenths;
    const qint64 a = v < 0 ? -v : v;
    QString s;
    if (v < 0)
        s += u'-';
    s += QString::number(a / 10);
    s += u',';
    s += QChar(u'0' + static_cast<char16_t>(a % 10));
    return s;
}


// Splits on CR LF, lone CR and lone LF; a line end at the very end starts no line.
// Works on the bytes, so every line is decoded once, straight into its own string.
QStringList SplitLines(const QByteArray &bytes)
{
    const TextEncoding enc = DetectEncoding(bytes);
    QStringList lines;
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    lines.reserve(n / 64 + 1);
    qsizetype start = 0;
    // Byte order marks are not part of the first line.
    if (enc == TextEncoding::Utf8)
        start = n - SkipByteOrderMarks(bytes).size();
    qsizetype i = start;
    while (i < n) {
        const char c = p[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(Decode(QByteArrayView(p + start, i - start), enc));
        if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
            ++i;
        start = ++i;
    }
    if (start < n)
        lines.append(Decode(QByteArrayView(p + start, n - start), enc));
    return lines;
}

QString FirstField(const QString &line)
{
    const qsizetype k = line.indexOf(u';');
    return k < 0 ? QString() : line.left(k);
}

QString AfterFirstColon(const QString &line)
{
    const qsizetype k = line.indexOf(u':');
    return k < 0 ? line : line.mid(k + 1);
}

} // namespace

bool FileNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'_' || u == u'-';
}

QString FileDateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

void SetDataFileToday(std::function<QDate()> today) { State().today = std::move(today); }

QDate DataFileToday() { return State().today ? State().today() : QDate::currentDate(); }

bool DataFileIsOpen() { return State().open != nullptr; }

void ResetDataFileState()
{
    if (State().seal)
        State().seal->Finish();     // it syncs through the data file's handle: first
    if (State().open)
        SyncAndClose(*State().open);
    State() = {};
    SetJournalListener({});
}

void KeepPendingRecord(int plant, const QString &stamp, const TLiveValues &values)
{
    if (!ValidPlant(plant))
        return;
    const QString line = FormatDataLine(0, stamp, values);
    State().pending.append({Plants().PlantTable[plant].Datei, line.mid(line.indexOf(u';') + 1)});
    SaveJournal();      // a full program folder too: then memory holds it
}

int PendingRecordCount(const QString &file)
{
    int n = 0;
    for (const PendingLine &l : State().pending)
        n += SameDataFile(l.file, file);
    return n;
}

QString LoadPendingRecords()
{
    State().pending.clear();
    if (!QFileInfo::exists(JournalPath()))
        return {};
    const QString shown = QDir::toNativeSeparators(JournalPath());
    // A FIFO or a device in its place would block the read for good.
    QFile f(JournalPath());
    if (!QFileInfo(JournalPath()).isFile() || !f.open(QIODevice::ReadOnly))
        return Tr(QT_TRANSLATE_NOOP("DataFile", "%1 ist keine lesbare Datei; keine zurückgehaltenen Messwerte geladen.")).arg(shown);
    const QStringList lines = DecodeText(f.read(16 << 20)).split(kCrLf, Qt::SkipEmptyParts);
    QStringList refused;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &l = lines[i];
        const qsizetype tab = l.indexOf(u'\t'), check = l.lastIndexOf(u'\t');
        const QString file = l.left(tab), rest = l.mid(tab + 1, check - tab - 1);
        if (tab > 0 && check > tab && l.mid(check + 1) == PendingCheck(file, rest) && PendingLineWellFormed(rest))
            State().pending.append({file, rest});
        else
            refused << QString::number(i + 1);
    }
    if (refused.isEmpty())
        return {};
    return Tr(QT_TRANSLATE_NOOP("DataFile", "In %1 sind Zeilen verändert oder beschädigt (Zeilen %2); sie werden nicht in die Datendatei geschrieben."))
        .arg(shown, refused.join(QStringLiteral(", ")));
}

QString LastDataWriteFailure() { return State().lastFailure; }

bool SameDataFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(QDir::fromNativeSeparators(a)), fb(QDir::fromNativeSeparators(b));
    auto folder = [](const QFileInfo &f) {
        const QString canonical = QFileInfo(f.absolutePath()).canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(f.absolutePath()) : canonical;
    };
    return fa.fileName().compare(fb.fileName(), Qt::CaseInsensitive) == 0 && folder(fa) == folder(fb);
}

int PlantWritingTo(const QString &path, int except)
{
    for (int n = 1; n <= MaxPlants; ++n)
        if (n != except && SameDataFile(Plants().PlantTable[n].Datei, path))
            return n;
    return 0;
}

bool MakeDataFileName(int plant)
{
    if (!ValidPlant(plant))
        return false;
    TAnlageParameter &p = Plants().PlantTable[plant];
    // Fixed, whatever the PC's locale: every site PC names a day's file alike.
    QString name = p.Name + u'_' + FileDateText(DataFileToday());
    for (QChar &c : name)
        if (!FileNameCharacter(c))
            c = u'-';
    // Without a folder the file would land in the root directory; use the program's.
    if (p.Pfad.isEmpty())
        p.Pfad = Settings().ProgramFolder.isEmpty() ? QDir::currentPath() : Settings().ProgramFolder;
    if (!EndsWithSeparator(p.Pfad))
        p.Pfad += QDir::separator();
    // A new pile never appends to an earlier pile's file (the same name restarted on
    // the same day) nor shares one with another plant.
    QString file = p.Pfad + name + QLatin1String(".CSV");
    int k = 1;
    while (QFileInfo::exists(file) || PlantWritingTo(file, plant) != 0)
        file = p.Pfad + name + u'-' + QString::number(++k) + QLatin1String(".CSV");
    p.Datei = file;
    p.Anzahl = 0;
    // Together: a new file name with the old file's count (or the reverse) would
    // number the next records wrongly.
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteStrings(QString::number(plant), {{QStringLiteral("Anzahl"), QStringLiteral("0")},
                                                            {QStringLiteral("Datei"), p.Datei}});
    return k > 1;
}

namespace {

// Our header and nothing after it: a pile whose first transfer brought no record.
bool HeaderOnly(const QByteArray &bytes)
{
    const QStringList lines = SplitLines(bytes);
    if (lines.size() < 9 || !lines[8].startsWith(QLatin1String(" ;Speicherzeit")))
        return false;
    for (qsizetype i = 9; i < lines.size(); ++i)
        if (!QStringView(lines[i]).trimmed().isEmpty())
            return false;
    return true;
}

bool HeaderOnly(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && HeaderOnly(f.readAll());
}

// The last dated record's stamp; with `before`, the one of the dated record before it.
QDateTime LastStampOf(const DataFileContent &c, QDateTime *before = nullptr)
{
    QDateTime last;
    for (qsizetype i = c.Lines.size() - 1; i >= 0; --i) {
        const QStringView line(c.Lines[i]);
        const qsizetype a = line.indexOf(u';'), b = a < 0 ? -1 : line.indexOf(u';', a + 1);
        int d, mo, y, h, mi;
        if (b > a && ParseStampText(line.mid(a + 1, b - a - 1), d, mo, y, h, mi)) {
            const QDateTime stamp(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
            if (last.isValid()) {
                *before = stamp;
                break;
            }
            last = stamp;
            if (!before)
                break;
        }
    }
    return last;
}

// `Anzahl` reaches the settings when a file is closed; after a crash in a transfer
// it is behind the file. The file's own data lines are the truth: numbering goes
// on after them. A file that is not one of ours keeps the count.
void TakeCountFromFile(int plant)
{
    TAnlageParameter &p = Plants().PlantTable[plant];
    DataFileContent c;
    if (!LoadDataFile(p.Datei, c, nullptr))
        return;
    qint64 lines = -1;
    if (c.FileValid)
        lines = c.LineCount;
    else if (HeaderOnly(p.Datei))
        lines = 0;
    State().openLastStamp = LastStampOf(c);
    if (lines < 0 || lines > INT32_MAX || lines == p.Anzahl)
        return;
    p.Anzahl = qint32(lines);
    WriteSetting(QString::number(plant), QStringLiteral("Anzahl"), p.Anzahl);
}

} // namespace

bool DataFolderWritable(const QString &folder, QString *why)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".o2h-probe-XXXXXX")));
    bool ok = probe.open();
    if (ok) {
        const QByteArray page(4096, ' ');
        ok = probe.write(page) == page.size() && probe.flush() && probe.error() == QFileDevice::NoError;
    }
    if (!ok && why)
        *why = QDir::toNativeSeparators(folder) + QStringLiteral(" (") + probe.errorString() + u')';
    return ok;
}

namespace {

std::unique_ptr<QFile> OpenSealForAppend(const QString &dataFile)
{
    auto seal = std::make_unique<QFile>(SealPath(dataFile));
    if (!seal->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        NoteWriteFailure(seal->fileName(), seal->errorString());
        return nullptr;
    }
    return seal;
}

void StartSealWriter(std::unique_ptr<QFile> seal)
{
    if (seal && State().open)
        State().seal = std::make_unique<SealedLineWriter>(*State().open, std::move(seal));
}

// A new seal over the header lines of a file that holds nothing else yet. False
// when it cannot be written: no record goes into the file unsealed.
bool StartSeal(const QString &dataFile, const QByteArray &header)
{
    const QByteArray hash = SealHash({}, header);
    QString why;
    if (!WriteFileAtomically(SealPath(dataFile), SealLine(0, hash), &why)) {
        NoteWriteFailure(SealPath(dataFile), why);
        return false;
    }
    std::unique_ptr<QFile> seal = OpenSealForAppend(dataFile);
    if (!seal)
        return false;
    State().sealLast = hash;
    StartSealWriter(std::move(seal));
    return true;
}

// Takes up the seal of a file written before: the chain goes on from its last hash
// (see PlanSealTakeUp for what a crash or a full disk may have left); a file that
// was ours with nothing but its header gets a seal; a file without a seal (written
// before sealing existed, or by another program) stays without one. `tornTail`: the
// file's last line had no line end. False when the seal could not be written: then
// no record may go into the file.
bool ResumeSeal(const QString &dataFile, bool tornTail)
{
    QFile data(dataFile), seal(SealPath(dataFile));
    if (!data.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = data.readAll();
    const QString shown = QDir::toNativeSeparators(dataFile);
    if (!QFileInfo::exists(seal.fileName())) {
        if (!HeaderOnly(bytes))
            return true;
        qsizetype end = 0;
        for (int i = 0; i < SealHeaderLines; ++i) {
            const qsizetype newline = bytes.indexOf('\n', end);
            if (newline < 0)
                return true;
            end = newline + 1;
        }
        return !bytes.mid(end).trimmed().isEmpty() || StartSeal(dataFile, bytes.left(end));
    }
    if (!QFileInfo(seal.fileName()).isFile()) {
        State().sealNotices << Tr(QT_TRANSLATE_NOOP("DataFile", "%1 ist keine gewöhnliche Datei; neue Datensätze bleiben ohne Siegel."))
                                   .arg(QDir::toNativeSeparators(seal.fileName()));
        return true;
    }
    if (!seal.open(QIODevice::ReadOnly))
        return true;
    const SealTakeUp plan = PlanSealTakeUp(bytes, seal.readAll(), tornTail);
    seal.close();
    if (!plan.ok) {
        State().sealNotices << Tr(QT_TRANSLATE_NOOP("DataFile", "Die Datei %1 passt nicht mehr zu ihrem Siegel; neue Datensätze bleiben ohne Siegel."))
                                   .arg(shown);
        return true;
    }
    std::unique_ptr<QFile> out = OpenSealForAppend(dataFile);
    if (!out)
        return false;
    if (out->size() > plan.keepSealBytes && !out->resize(plan.keepSealBytes)) {
        NoteWriteFailure(out->fileName(), out->errorString());
        return false;
    }
    if (!plan.append.isEmpty() && out->write(plan.append) != plan.append.size()) {
        NoteWriteFailure(out->fileName(), out->errorString());
        out->resize(plan.keepSealBytes);
        return false;
    }
    for (qint64 line : plan.foreignLines) {
        State().sealNotices << Tr(QT_TRANSLATE_NOOP("DataFile", "Zeile %1 der Datei %2 wurde nicht von diesem Programm geschrieben; "
                                                                "sie bleibt ohne Siegel, die Datensätze danach werden versiegelt."))
                                   .arg(line).arg(shown);
        State().sealProblem = Tr(QT_TRANSLATE_NOOP("DataFile", "Siegel verletzt: %1, Zeile %2")).arg(QFileInfo(dataFile).fileName()).arg(line);
    }
    if (plan.tornLine)
        State().sealNotices << Tr(QT_TRANSLATE_NOOP("DataFile", "Zeile %1 der Datei %2 wurde bei einem Abbruch nur zum Teil geschrieben; "
                                                                "sie bleibt, wie sie ist, und ist kein Datensatz."))
                                   .arg(plan.tornLine).arg(shown);
    State().sealLast = plan.last;
    StartSealWriter(std::move(out));
    return true;
}

// Waits for the line in flight. When it did not reach the file (disk full), its
// seal line goes again and the line waits with the records kept for lack of room,
// ahead of any later one of its file; false then.
bool SettleLine()
{
    if (!State().seal || !State().inFlight)
        return true;
    const InFlightLine f = *std::exchange(State().inFlight, std::nullopt);
    TAnlageParameter &p = Plants().PlantTable[f.plant];
    QString why;
    if (State().seal->Wait(&why)) {
        NoteWriteSuccess(p.Datei);
        if (State().lineListener)
            State().lineListener(f.plant, p.Datei, p.Anzahl, f.line);
        return true;
    }
    State().seal->Seal().resize(f.sealBefore);
    State().sealLast = f.lastBefore;
    --p.Anzahl;
    NoteWriteFailure(p.Datei, why);
    qsizetype at = 0;
    while (at < State().pending.size() && !SameDataFile(State().pending[at].file, p.Datei))
        ++at;
    State().pending.insert(at, {p.Datei, f.line.mid(f.line.indexOf(u';') + 1)});
    SaveJournal();
    return false;
}

} // namespace

QStringList TakeDataFileNotices() { return std::exchange(State().sealNotices, {}); }

QString LastSealProblem() { return State().sealProblem; }

bool OpenDataFile(int plant)
{
    // Only one transfer at a time may hold the data file.
    if (!ValidPlant(plant) || State().open)
        return false;
    TAnlageParameter &p = Plants().PlantTable[plant];
    State().openLastStamp = QDateTime();
    if (p.Datei.isEmpty())
        MakeDataFileName(plant);
    RemoveAtomicWriteLeftovers(p.Datei);      // a header write cut by a crash
    RemoveAtomicWriteLeftovers(SealPath(p.Datei));
    State().sealNotices.clear();
    QByteArray newHeader;
    // A FIFO or a device would block the open for good.
    if (QFileInfo::exists(p.Datei) && !QFileInfo(p.Datei).isFile()) {
        NoteWriteFailure(p.Datei, Tr(QT_TRANSLATE_NOOP("DataFile", "Keine gewöhnliche Datei.")));
        return false;
    }

    if (!QFileInfo::exists(p.Datei)) {
        // The header appears completely or not at all: written to a temporary file,
        // synced and renamed into place. A failure (disk full) leaves no file.
        QString header;
        for (int line = 1; line <= 3; ++line)
            header += CompanyLine(line) + kCrLf;
        header += kCrLf;
        header += QStringLiteral("Anlagen- Name: ") + p.Name + kCrLf;
        header += QStringLiteral("Datei  - Name: ") + p.Datei + kCrLf;
        header += p.Komm + kCrLf;
        header += QStringLiteral("Erste Datensicherung : ") + FileDateText(DataFileToday()) + kCrLf;
        header += QStringLiteral(" ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen") + kCrLf;
        QString why;
        newHeader = EncodeText(header);
        if (!WriteFileAtomically(p.Datei, newHeader, &why)) {
            NoteWriteFailure(p.Datei, why);
            return false;
        }
        // A new file starts at record 1, also when the old one was deleted outside
        // the program: numbers going on from the old count would make a file whose
        // first data line is not 1, which no reader takes as a data file.
        p.Anzahl = 0;
    } else {
        TakeCountFromFile(plant);
    }
    auto f = std::make_unique<QFile>(p.Datei);
    if (!f->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        NoteWriteFailure(p.Datei, f->errorString());
        return false;
    }
    // A line torn by a crash or power loss is ended, so the next record starts a
    // line of its own.
    bool tornTail = false;
    if (f->size() > 0) {
        QFile tail(p.Datei);
        tornTail = tail.open(QIODevice::ReadOnly) && tail.seek(tail.size() - 1) && tail.read(1) != "\n";
        if (tornTail && f->write("\r\n") != 2) {
            NoteWriteFailure(p.Datei, f->errorString());
            f->resize(tail.size());
            return false;
        }
    }
    State().open = std::move(f);
    if (!newHeader.isEmpty() ? StartSeal(p.Datei, newHeader) : ResumeSeal(p.Datei, tornTail))
        return true;
    State().open->close();
    State().open.reset();
    return false;
}

namespace {

bool AppendLineText(TAnlageParameter &p, const QString &line)
{
    const QByteArray bytes = EncodeWindows1252(line + kCrLf);
    const int plant = int(&p - &Plants().PlantTable[0]);
    if (State().seal) {
        // The seal line first, whole or not at all: the line follows on the
        // writer's thread once the seal line is on the disk.
        const QByteArray hash = SealHash(State().sealLast, bytes);
        const QByteArray entry = SealLine(p.Anzahl + 1, hash);
        QFile &seal = State().seal->Seal();
        const qint64 before = seal.size();
        if (seal.write(entry) != entry.size()) {
            NoteWriteFailure(seal.fileName(), seal.errorString());
            seal.resize(before);
            return false;
        }
        State().inFlight = InFlightLine{plant, line, before, State().sealLast};
        State().sealLast = hash;
        ++p.Anzahl;     // counts exactly the lines in the file (taken back if it fails)
        State().seal->Push(bytes);
        return true;
    }
    const bool seekable = !State().open->isSequential();
    const qint64 before = seekable ? State().open->size() : 0;
    // Unbuffered: the line goes to the system in one write and is there before the
    // next record is requested.
    if (State().open->write(bytes) == bytes.size()) {
        ++p.Anzahl;     // counts exactly the lines in the file
        NoteWriteSuccess(p.Datei);
        if (State().lineListener)
            State().lineListener(plant, p.Datei, p.Anzahl, line);
        return true;
    }
    NoteWriteFailure(p.Datei, State().open->errorString());
    // Never leave a torn line behind (disk full, medium removed).
    if (seekable)
        State().open->resize(before);
    return false;
}

} // namespace

bool AppendDataLine(int plant, const QString &stamp, const TLiveValues &values)
{
    if (!ValidPlant(plant))
        return false;
    TAnlageParameter &p = Plants().PlantTable[plant];
    if (!State().open || !SettleLine())
        return false;
    return AppendLineText(p, FormatDataLine(p.Anzahl + 1, stamp, values));
}

void SetDataLineListener(DataLineListener listener) { State().lineListener = std::move(listener); }

bool WritePendingRecords(int plant)
{
    if (!ValidPlant(plant) || !State().open)
        return false;
    TAnlageParameter &p = Plants().PlantTable[plant];
    bool written = false, left = false;
    for (qsizetype i = 0; i < State().pending.size();) {
        if (!SameDataFile(State().pending[i].file, p.Datei)) {
            ++i;
            continue;
        }
        if (!SettleLine() || !AppendLineText(p, QString::number(p.Anzahl + 1) + u';' + State().pending[i].rest)) {
            left = true;
            break;
        }
        State().pending.removeAt(i);
        written = true;
    }
    if (!left && !SettleLine())
        left = true;
    if (written)
        SaveJournal();
    return !left;
}

void CloseDataFile(int plant)
{
    if (State().seal) {         // it writes through the data file: first
        SettleLine();
        QString why;
        if (!State().seal->Finish(&why))
            NoteWriteFailure(State().seal->Seal().fileName(), why);
        State().seal.reset();
    }
    if (State().open) {
        SyncAndClose(*State().open);
        State().open.reset();
    }
    if (ValidPlant(plant))
        WriteSetting(QString::number(plant), QStringLiteral("Anzahl"), Plants().PlantTable[plant].Anzahl);
}

QString StampText(const TStoredStamp &stamp)
{
    return stamp.Day + u'.' + stamp.Month + u'.' + stamp.Year + QLatin1String("  ") + stamp.Hour + u':' + stamp.Minute;
}

QDateTime OpenFileLastStamp() { return State().openLastStamp; }

QDateTime LastRecordStamp(const QString &path, QDateTime *before)
{
    // Only the file's end is read: the live display and the site view ask this of
    // every running pile, whose files may hold 65 535 lines.
    QFile f(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return {};
    constexpr qint64 tail = 16 * 1024;
    if (f.size() > tail)
        f.seek(f.size() - tail);
    DataFileContent c;
    const QList<QByteArray> lines = f.readAll().split('\n');
    // The first piece may be a line cut in two: it is left out unless it is the file's start.
    for (qsizetype i = f.size() > tail ? 1 : 0; i < lines.size(); ++i)
        c.Lines << QString::fromLatin1(lines[i]).trimmed();
    return LastStampOf(c, before);
}

QDateTime StampDateTime(const TStoredStamp &s)
{
    auto number = [](const QString &text, int most) {
        if (text.isEmpty() || text.size() > most)
            return -1;
        int v = 0;
        for (QChar c : text) {
            if (c < u'0' || c > u'9')
                return -1;
            v = v * 10 + (c.unicode() - u'0');
        }
        return v;
    };
    const int d = number(s.Day, 2), mo = number(s.Month, 2), y = number(s.Year, 4), h = number(s.Hour, 2),
              mi = number(s.Minute, 2);
    if (d < 0 || mo < 0 || y < 0 || h < 0 || mi < 0 || !QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, 0))
        return {};
    return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
}

QString FormatDataLine(qint32 number, const QString &stamp, const TLiveValues &v)
{
    QString s;
    s.reserve(96);
    s += QString::number(number);
    s += u';';
    s += stamp;
    s += u';';
    for (qint32 x : {v.T5, v.T4, v.T3, v.T2, v.T1, v.RefMarke}) {
        PadLeft(s, QString::number(x), 5);
        s += u';';
    }
    PadLeft(s, TenthsText(v.O2), 5);
    s += u';';
    s += QString::number(v.Betriebsart);
    s += u';';
    PadLeft(s, QString::number(v.Luefterlaufzeit), 5);
    s += u';';
    PadLeft(s, QString::number(v.LuefterZyklen), 5);
    s += u';';
    return s;
}

QString NoRecordsText() { return QCoreApplication::translate("DataFile", "Die Datei enthält noch keine Messwerte"); }

namespace {
// The header's texts of the nine-line layout.
void TakeHeaderTexts(const QStringList &lines, DataFileContent &c)
{
    c.Title1 = lines[0];
    c.Title2 = lines[1];
    c.Title3 = lines[2];
    c.PileName = AfterFirstColon(lines[4]);
    c.FileNameText = AfterFirstColon(lines[5]);
    c.Comment = lines[6];
    c.FirstSaveLine = lines[7];
}
} // namespace

bool LoadDataFile(const QString &path, DataFileContent &c, QString *errorText)
{
    c = DataFileContent();
    c.Path = path;
    QFile f(path);
    auto cannotOpen = [&](const QString &why) {
        if (errorText)
            *errorText = QCoreApplication::translate("DataFile", "Datei %1 kann nicht geöffnet werden. %2")
                             .arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    // A FIFO or a device would block the read for good: regular files only.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return cannotOpen(QCoreApplication::translate("DataFile", "Keine gewöhnliche Datei."));
    if (!f.open(QIODevice::ReadOnly))
        return cannotOpen(f.errorString());
    QStringList lines = SplitLines(f.readAll());
    f.close();

    if (lines.size() < 9 || lines[8].isEmpty())
        return true;
    if (FirstField(lines[8]) == QLatin1String("1")) {
        // Older layout: eight header lines, O2 in tenths.
        c.FileValid = true;
        c.O2InPercent = false;
        c.Title1 = lines[0];
        c.Title2 = lines[1];
        c.Title3 = lines[2];
        c.PileName = AfterFirstColon(lines[3]);
        c.FileNameText = AfterFirstColon(lines[4]);
        c.FirstSaveLine = lines[6];
        lines.remove(0, 8);
    } else {
        if (lines.size() < 10 || lines[9].isEmpty() || FirstField(lines[9]) != QLatin1String("1")) {
            // Our header alone: the pile's name and comment are there to go on with.
            c.NoRecords = lines[8].startsWith(QLatin1String(" ;Speicherzeit"))
                          && std::all_of(lines.cbegin() + 9, lines.cend(),
                                         [](const QString &l) { return QStringView(l).trimmed().isEmpty(); });
            if (c.NoRecords) {
                TakeHeaderTexts(lines, c);
                c.LastModified = QFileInfo(path).lastModified();
            }
            return true;
        }
        c.FileValid = true;
        c.O2InPercent = true;
        TakeHeaderTexts(lines, c);
        lines.remove(0, 9);
    }
    // A blank line (a spreadsheet's empty rows, a hand edit) is no record: dropped
    // wherever it stands, so the records after it and the line count stay right.
    lines.removeIf([](const QString &l) { return QStringView(l).trimmed().isEmpty(); });
    c.Lines = std::move(lines);
    c.LineCount = c.Lines.size();
    c.LostInFlight = LostInFlightOf(path);
    c.LastModified = QFileInfo(path).lastModified();
    return true;
}

namespace {

QString LostJournalPath() { return Settings().ProgramFolder + QStringLiteral("lost.csv"); }
const QString kLostStamp = QStringLiteral("dd.MM.yyyy hh:mm");

} // namespace

namespace {

QString LostLine(const QString &file, const DataFileContent::Lost &lost)
{
    return file + u'\t' + QString::number(lost.afterRecord) + u'\t' + QString::number(lost.count) + u'\t'
           + lost.when.toString(kLostStamp) + u'\t' + QString::number(lost.plant) + kCrLf;
}

void ReadLostJournal(const QString &journal, const QString &path, QList<DataFileContent::Lost> &out)
{
    if (!QFileInfo(journal).isFile())
        return;
    QFile f(journal);
    if (!f.open(QIODevice::ReadOnly))
        return;
    for (const QString &l : DecodeText(f.readAll()).split(kCrLf, Qt::SkipEmptyParts)) {
        const QStringList v = l.split(u'\t');
        if (v.size() < 5 || !SameDataFile(QFileInfo(path).dir().filePath(v[0]), path))
            continue;
        DataFileContent::Lost lost;
        lost.afterRecord = v[1].toLongLong();
        lost.count = v[2].toInt();
        lost.when = QDateTime::fromString(v[3], kLostStamp);
        lost.plant = v[4].toInt();
        out << lost;
    }
}

} // namespace

QList<DataFileContent::Lost> LostInFlightOf(const QString &path)
{
    QList<DataFileContent::Lost> out;
    if (!Settings().ProgramFolder.isEmpty())
        ReadLostJournal(LostJournalPath(), path, out);
    const QDir folder = QFileInfo(path).dir();
    if (out.isEmpty() && QFileInfo(folder.filePath(QStringLiteral("MANIFEST.txt"))).isFile())
        ReadLostJournal(folder.filePath(QString::fromLatin1(ArchiveLostName)), path, out);
    return out;
}

bool WriteLostInFlight(const QString &path, const QString &file, const QList<DataFileContent::Lost> &lost, QString *error)
{
    QString text;
    for (const DataFileContent::Lost &l : lost)
        text += LostLine(file, l);
    return WriteFileAtomically(path, EncodeText(text), error);
}

QString LostInFlightText(const DataFileContent::Lost &lost)
{
    const QString when = DisplayStampText(lost.when);
    const int plant = lost.plant + Settings().DisplayOffset;
    if (lost.count == 1)
        return QCoreApplication::translate("DataFile", "Beim Abbruch am %1 ist 1 Messwert von Anlage %2 verloren gegangen")
            .arg(when).arg(plant);
    return QCoreApplication::translate("DataFile", "Beim Abbruch am %1 sind %2 Messwerte von Anlage %3 verloren gegangen")
        .arg(when).arg(lost.count).arg(plant);
}

bool RecordLostInFlight(const QString &file, const DataFileContent::Lost &lost)
{
    QByteArray bytes;
    QFile f(LostJournalPath());
    if (QFileInfo::exists(LostJournalPath()) && !QFileInfo(LostJournalPath()).isFile())
        return false;       // a FIFO or a device would block for good
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    f.close();
    QString text = DecodeText(bytes);
    text += LostLine(file, lost);
    return WriteFileAtomically(LostJournalPath(), EncodeText(text));
}
