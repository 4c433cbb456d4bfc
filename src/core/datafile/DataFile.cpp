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
#include <QTemporaryFile>
#include <QLocale>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

const QLatin1String kCrLf("\r\n");

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

// Writes the seal lines of the open data file on a thread of its own, each after
// its data line reached the disk, so that no crash leaves a seal ahead of the
// data. The next data line waits until the seal before it is written: a crash
// leaves at most the last line unsealed, and the sync overlaps the wait for the
// plant's next record instead of delaying it.
class SealWriter {
public:
    SealWriter(std::unique_ptr<QFile> seal, int dataHandle)
        : seal_(std::move(seal)), dataHandle_(dataHandle), thread_([this] { Run(); })
    {
    }
    ~SealWriter() { Finish(); }

    void Push(const QByteArray &line)
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            queue_ += line;
        }
        wake_.notify_one();
    }
    // Returns once every line pushed is in the seal (or its write failed).
    void WaitWritten()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        written_.wait(lock, [this] { return queue_.isEmpty() && !writing_; });
    }
    // Drains the queue, syncs and closes the seal; false (with why) when a write failed.
    bool Finish(QString *why = nullptr)
    {
        if (thread_.joinable()) {
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                stop_ = true;
            }
            wake_.notify_one();
            thread_.join();
            if (!SyncAndClose(*seal_) && error_.isEmpty())
                error_ = seal_->errorString();
        }
        if (why)
            *why = error_;
        return error_.isEmpty();
    }
    QString FileName() const { return seal_->fileName(); }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || !queue_.isEmpty(); });
            if (queue_.isEmpty() && stop_)
                return;
            const QByteArray batch = std::exchange(queue_, QByteArray());
            writing_ = true;
            lock.unlock();
            SyncHandle(dataHandle_);
            if (error_.isEmpty() && seal_->write(batch) != batch.size())
                error_ = seal_->errorString();     // the seal stops here and says so when checked
            lock.lock();
            writing_ = false;
            written_.notify_all();
        }
    }

    std::unique_ptr<QFile> seal_;
    const int dataHandle_;
    std::mutex mutex_;
    std::condition_variable wake_, written_;
    QByteArray queue_;
    bool writing_ = false;
    bool stop_ = false;
    QString error_;             // written by the thread, read after it ended
    std::thread thread_;
};

// What the writer keeps between calls.
struct DataFileState {
    std::function<QDate()> today;       // empty: the PC's date
    std::unique_ptr<QFile> open;        // the one open data file
    QDateTime openLastStamp;            // of the open file's last dated record
    QList<PendingLine> pending;         // lines waiting for their file (mirrored by the journal)
    QString lastFailure, lastFailureFile;
    bool journalFailed = false;
    std::unique_ptr<SealWriter> seal;   // the open file's seal, while it is sealed
    QByteArray sealLast;                // the seal's last hash
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
    State().lastFailure = QDir::toNativeSeparators(file) + QStringLiteral(": ") + why;
}

void NoteWriteSuccess(const QString &file)
{
    if (!State().lastFailureFile.isEmpty() && SameDataFile(file, State().lastFailureFile)) {
        State().lastFailure.clear();
        State().lastFailureFile.clear();
    }
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
        text += l.file + u'\t' + l.rest + kCrLf;
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

void LoadPendingRecords()
{
    State().pending.clear();
    QFile f(JournalPath());
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = DecodeText(f.readAll()).split(kCrLf, Qt::SkipEmptyParts);
    for (const QString &l : lines) {
        const qsizetype tab = l.indexOf(u'\t');
        if (tab > 0)
            State().pending.append({l.left(tab), l.mid(tab + 1)});
    }
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
    for (qsizetype i = c.Lines.size() - 1; i >= 0 && !State().openLastStamp.isValid(); --i) {
        const QStringView line(c.Lines[i]);
        const qsizetype a = line.indexOf(u';'), b = a < 0 ? -1 : line.indexOf(u';', a + 1);
        int d, mo, y, h, mi;
        if (b > a && ParseStampText(line.mid(a + 1, b - a - 1), d, mo, y, h, mi))
            State().openLastStamp = QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
    }
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
        State().seal = std::make_unique<SealWriter>(std::move(seal), State().open->handle());
}

// A new seal over the header lines of a file that holds nothing else yet.
void StartSeal(const QString &dataFile, const QByteArray &header)
{
    const QByteArray hash = SealHash({}, header);
    QString why;
    if (!WriteFileAtomically(SealPath(dataFile), SealLine(0, hash), &why)) {
        NoteWriteFailure(SealPath(dataFile), why);
        return;
    }
    if (std::unique_ptr<QFile> seal = OpenSealForAppend(dataFile)) {
        State().sealLast = hash;
        StartSealWriter(std::move(seal));
    }
}

// Takes up the seal of a file written before: the chain goes on from its last hash.
// The one line a crash may have left unsealed is sealed now; a file that was ours
// with nothing but its header gets a seal; a file without a seal (written before
// sealing existed, or by another program) stays without one.
void ResumeSeal(const QString &dataFile)
{
    QFile data(dataFile), seal(SealPath(dataFile));
    if (!data.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = data.readAll();
    if (!seal.exists()) {
        if (!HeaderOnly(bytes))
            return;
        qsizetype end = 0;
        for (int i = 0; i < SealHeaderLines; ++i) {
            const qsizetype newline = bytes.indexOf('\n', end);
            if (newline < 0)
                return;
            end = newline + 1;
        }
        if (bytes.mid(end).trimmed().isEmpty())
            StartSeal(dataFile, bytes.left(end));
        return;
    }
    if (!seal.open(QIODevice::ReadOnly))
        return;
    const QByteArray sealBytes = seal.readAll();
    seal.close();
    const qsizetype lastLine = sealBytes.lastIndexOf('\n', sealBytes.size() - 2) + 1;
    const QByteArray last = QByteArray::fromHex(sealBytes.mid(sealBytes.indexOf(';', lastLine) + 1).trimmed());
    if (last.size() != 32)
        return;
    std::unique_ptr<QFile> out = OpenSealForAppend(dataFile);
    if (!out)
        return;
    State().sealLast = last;
    // One data line more than the seal holds, numbered after the seal's last: the
    // line a crash left unsealed (it is on the disk; the program ended since). Only
    // the lines are counted here: checking the chain is for verify.
    const qsizetype dataLines = bytes.count('\n') - SealHeaderLines;
    const qsizetype sealed = sealBytes.count('\n') - 1;
    const qsizetype from = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    const QByteArray line = bytes.mid(from);
    const qint64 number = line.left(line.indexOf(';')).toLongLong();
    const qint64 lastNumber = sealBytes.mid(lastLine, sealBytes.indexOf(';', lastLine) - lastLine).toLongLong();
    if (dataLines == sealed + 1 && bytes.endsWith('\n') && number == lastNumber + 1) {
        const QByteArray hash = SealHash(last, line);
        if (out->write(SealLine(number, hash)) > 0)
            State().sealLast = hash;
    }
    StartSealWriter(std::move(out));
}

} // namespace

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
    QByteArray newHeader;

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
    if (f->size() > 0) {
        QFile tail(p.Datei);
        if (tail.open(QIODevice::ReadOnly) && tail.seek(tail.size() - 1) && tail.read(1) != "\n")
            f->write("\r\n");
    }
    State().open = std::move(f);
    if (!newHeader.isEmpty())
        StartSeal(p.Datei, newHeader);
    else
        ResumeSeal(p.Datei);
    return true;
}

namespace {

bool AppendLineText(TAnlageParameter &p, const QString &line)
{
    const QByteArray bytes = EncodeWindows1252(line + kCrLf);
    if (State().seal)
        State().seal->WaitWritten();
    const bool seekable = !State().open->isSequential();
    const qint64 before = seekable ? State().open->size() : 0;
    // Unbuffered: the line goes to the system in one write and is there before the
    // next record is requested.
    if (State().open->write(bytes) == bytes.size()) {
        ++p.Anzahl;     // counts exactly the lines in the file
        NoteWriteSuccess(p.Datei);
        if (State().seal) {
            State().sealLast = SealHash(State().sealLast, bytes);
            State().seal->Push(SealLine(p.Anzahl, State().sealLast));
        }
        if (State().lineListener)
            State().lineListener(int(&p - &Plants().PlantTable[0]), p.Datei, p.Anzahl, line);
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
    if (!State().open)
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
        if (!AppendLineText(p, QString::number(p.Anzahl + 1) + u';' + State().pending[i].rest)) {
            left = true;
            break;
        }
        State().pending.removeAt(i);
        written = true;
    }
    if (written)
        SaveJournal();
    return !left;
}

void CloseDataFile(int plant)
{
    if (State().seal) {         // it syncs through the data file's handle: first
        QString why;
        if (!State().seal->Finish(&why))
            NoteWriteFailure(State().seal->FileName(), why);
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

bool LoadDataFile(const QString &path, DataFileContent &c, QString *errorText)
{
    c = DataFileContent();
    c.Path = path;
    QFile f(path);
    // A FIFO or a device would block the read for good: regular files only.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
        if (errorText)
            *errorText = QCoreApplication::translate("DataFile", "Datei %1 kann nicht geöffnet werden. %2")
                             .arg(QDir::toNativeSeparators(path),
                                  QCoreApplication::translate("DataFile", "Keine gewöhnliche Datei."));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = QCoreApplication::translate("DataFile", "Datei %1 kann nicht geöffnet werden. %2")
                             .arg(QDir::toNativeSeparators(path), f.errorString());
        return false;
    }
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
        if (lines.size() < 10 || lines[9].isEmpty() || FirstField(lines[9]) != QLatin1String("1"))
            return true;
        c.FileValid = true;
        c.O2InPercent = true;
        c.Title1 = lines[0];
        c.Title2 = lines[1];
        c.Title3 = lines[2];
        c.PileName = AfterFirstColon(lines[4]);
        c.FileNameText = AfterFirstColon(lines[5]);
        c.Comment = lines[6];
        c.FirstSaveLine = lines[7];
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

QList<DataFileContent::Lost> LostInFlightOf(const QString &path)
{
    QList<DataFileContent::Lost> out;
    if (Settings().ProgramFolder.isEmpty() || !QFileInfo::exists(LostJournalPath()))
        return out;
    QFile f(LostJournalPath());
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QString &l : DecodeText(f.readAll()).split(kCrLf, Qt::SkipEmptyParts)) {
        const QStringList v = l.split(u'\t');
        if (v.size() < 5 || !SameDataFile(v[0], path))
            continue;
        DataFileContent::Lost lost;
        lost.afterRecord = v[1].toLongLong();
        lost.count = v[2].toInt();
        lost.when = QDateTime::fromString(v[3], kLostStamp);
        lost.plant = v[4].toInt();
        out << lost;
    }
    return out;
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
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    f.close();
    QString text = DecodeText(bytes);
    text += file + u'\t' + QString::number(lost.afterRecord) + u'\t' + QString::number(lost.count) + u'\t'
            + lost.when.toString(kLostStamp) + u'\t' + QString::number(lost.plant) + kCrLf;
    return WriteFileAtomically(LostJournalPath(), EncodeText(text));
}
