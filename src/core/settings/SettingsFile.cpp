#include "settings/SettingsFile.h"

#include <QCoreApplication>

#include "base/AtomicFile.h"
#include "base/Numbers.h"
#include "base/TextCodec.h"

#include "plant/Plant.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <vector>

ProgramSettings &Settings()
{
    static ProgramSettings state;
    return state;
}

void SetSettingsWriteFailedHandler(std::function<void(const QString &path, const QString &why)> handler)
{
    Settings().WriteFailed = std::move(handler);
}

void ResetSettingsValues()
{
    Settings() = {};
}

// ---------------------------------------------------------------------------
// The file is kept as its lines, so that everything the program does not touch
// (comments, blank lines, order, spelling) is written back unchanged.

namespace {

struct IniLine {
    QString raw;
    QString name;       // section name (header line) or key (key line)
    QString value;      // key lines: the value, blanks and one pair of quotes removed
    enum Kind { Other, Section, Key } kind = Other;
};

IniLine ParseLine(const QString &raw)
{
    IniLine line;
    line.raw = raw;
    const QString t = raw.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
        return line;
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        line.kind = IniLine::Section;
        line.name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
        return line;
    }
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return line;
    line.kind = IniLine::Key;
    line.name = t.left(eq).trimmed();
    QString v = t.mid(eq + 1).trimmed();
    if (v.size() >= 2 && ((v.startsWith(u'"') && v.endsWith(u'"')) || (v.startsWith(u'\'') && v.endsWith(u'\''))))
        v = v.mid(1, v.size() - 2);
    line.value = v;
    return line;
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value must stay on its line: a line break would end it and could smuggle in
// keys or sections.
QString OneLine(QString v)
{
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

} // namespace

struct TSettingsFile::Private {
    QString path;
    std::vector<IniLine> lines;
    QByteArray bytes;       // the file as last read or written
    bool loaded = false;
    bool unreadable = false;
    bool utf8 = false, mark = false;    // written back the way it was found
    QLatin1String lineEnd{"\r\n"};

    QList<int> strayLines;  // lines that held a stray control byte (dropped when read)

    static bool Allowed(unsigned char u) { return u >= 0x20 || u == '\t' || u == '\r' || u == '\n' || u == 0x1A || u == '\f'; }

    // UTF-16 and binary files do not decode as text: they hold NUL bytes (or a
    // UTF-16 mark) or control bytes all over. One stray control byte in a text file
    // (a slip of a hand edit) does not make it binary.
    static bool IsText(const QByteArray &b)
    {
        if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF") || b.contains('\0'))
            return false;
        qsizetype stray = 0;
        for (char c : b)
            stray += !Allowed(static_cast<unsigned char>(c));
        return stray <= 8 && stray * 16 <= b.size();
    }

    void Parse()
    {
        lines.clear();
        unreadable = !IsText(bytes);
        if (unreadable)
            return;
        mark = bytes.startsWith("\xEF\xBB\xBF");
        utf8 = mark || DetectEncoding(bytes) == TextEncoding::Utf8;
        // CR LF as the program writes; a file with CR alone keeps it.
        lineEnd = !bytes.contains('\n') && bytes.contains('\r') ? QLatin1String("\r") : QLatin1String("\r\n");
        strayLines.clear();
        QByteArray clean;
        clean.reserve(bytes.size());
        int line = 1;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto u = static_cast<unsigned char>(bytes[i]);
            if (u == '\n' || (u == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
                ++line;
            if (Allowed(u))
                clean += char(u);
            else if (!strayLines.contains(line))
                strayLines << line;
        }
        const QString text = DecodeText(clean);
        qsizetype start = 0;
        const qsizetype n = text.size();
        while (start < n) {
            qsizetype end = start;
            while (end < n && text[end] != u'\r' && text[end] != u'\n')
                ++end;
            lines.push_back(ParseLine(text.mid(start, end - start)));
            if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n')
                ++end;
            start = end + 1;
        }
    }

    // Reads the file again on every access, as the system's own INI access does, so
    // a hand edit made while the program runs is seen and never overwritten. The
    // file is small; it is parsed again only when its bytes changed.
    void Refresh()
    {
        QFile f(path);
        QByteArray now;
        if (f.open(QIODevice::ReadOnly))
            now = f.readAll();
        if (loaded && now == bytes)
            return;
        bytes = now;
        loaded = true;
        Parse();
    }

    // Index of the header line of the first section of that name, or -1.
    qsizetype FindSection(const QString &section) const
    {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].kind == IniLine::Section && SameName(lines[i].name, section))
                return static_cast<qsizetype>(i);
        return -1;
    }

    qsizetype SectionEnd(qsizetype header) const
    {
        size_t i = static_cast<size_t>(header) + 1;
        while (i < lines.size() && lines[i].kind != IniLine::Section)
            ++i;
        return static_cast<qsizetype>(i);
    }

    const IniLine *Find(const QString &section, const QString &key) const
    {
        const qsizetype h = FindSection(section);
        if (h < 0)
            return nullptr;
        const qsizetype end = SectionEnd(h);
        for (qsizetype i = h + 1; i < end; ++i)
            if (lines[i].kind == IniLine::Key && SameName(lines[i].name, key))
                return &lines[i];
        return nullptr;
    }

    QByteArray Serialize() const
    {
        QString text;
        for (const IniLine &l : lines) {
            text += l.raw;
            text += lineEnd;
        }
        if (utf8) {
            // A UTF-8 file stays UTF-8; the mark goes with it where it had one, or
            // where the text would not read back as UTF-8 without it.
            QByteArray out = text.toUtf8();
            if (mark || (DetectEncoding(out) != TextEncoding::Utf8 && DetectEncoding(out) != TextEncoding::Ascii))
                out.prepend("\xEF\xBB\xBF");
            return out;
        }
        // Windows-1252 as the program has always written it; a value it cannot hold
        // or that would read back as something else makes the file UTF-8 with a mark.
        return EncodeText(text);
    }

    // Puts the value into the lines; false when it is there already.
    bool Put(const QString &section, const QString &key, const QString &rawValue)
    {
        const QString value = OneLine(rawValue);
        qsizetype h = FindSection(section);
        if (h < 0) {
            if (!lines.empty() && !lines.back().raw.trimmed().isEmpty())
                lines.push_back(ParseLine(QString()));
            lines.push_back(ParseLine(u'[' + section + u']'));
            lines.push_back(ParseLine(key + u'=' + value));
        } else {
            const qsizetype end = SectionEnd(h);
            qsizetype lastKey = h;
            bool done = false;
            for (qsizetype i = h + 1; i < end && !done; ++i) {
                IniLine &l = lines[i];
                if (l.kind != IniLine::Key)
                    continue;
                if (SameName(l.name, key)) {
                    if (l.value == value)
                        return false;                       // unchanged: nothing to write
                    // Keep the spelling and indentation of the hand-written key.
                    const qsizetype eq = l.raw.indexOf(u'=');
                    l = ParseLine(l.raw.left(eq + 1) + value);
                    done = true;
                }
                lastKey = i;
            }
            if (!done)
                lines.insert(lines.begin() + lastKey + 1, ParseLine(key + u'=' + value));
        }
        return true;
    }

    // All pairs reach the file in one atomic write, or none does.
    bool Set(const QString &section, const std::vector<std::pair<QString, QString>> &pairs)
    {
        Refresh();
        if (unreadable)
            return false;   // told once at start-up; the file is not the program's to change
        bool changed = false;
        for (const auto &[key, value] : pairs)
            changed = Put(section, key, value) || changed;
        return !changed || Save();
    }

    bool Save()
    {
        const QByteArray out = Serialize();
        QString why;
        // The user's data folder of an installed program exists only from the first
        // setting written; in a new account the folders above it may not exist yet.
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!WriteFileAtomically(path, out, &why)) {
            Parse();        // back to what the file holds: a failed write changes nothing
            if (!Settings().WriteFailing && Settings().WriteFailed)
                Settings().WriteFailed(path, why);
            Settings().WriteFailing = true;
            return false;
        }
        Settings().WriteFailing = false;
        bytes = out;
        return true;
    }
};

TSettingsFile::TSettingsFile(const QString &path) : d(std::make_unique<Private>())
{
    d->path = path;
    d->Refresh();
}

TSettingsFile::~TSettingsFile() = default;

bool TSettingsFile::Unreadable() const
{
    d->Refresh();
    return d->unreadable;
}

QString TSettingsFile::FileName() const { return d->path; }

QList<int> TSettingsFile::StrayControlLines() const
{
    d->Refresh();
    return d->unreadable ? QList<int>() : d->strayLines;
}

QString TSettingsFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    d->Refresh();
    const IniLine *l = d->Find(section, key);
    return l ? l->value : def;
}

qint32 TSettingsFile::ReadInteger(const QString &section, const QString &key, qint32 def) const
{
    d->Refresh();
    const IniLine *l = d->Find(section, key);
    qint32 v = def;
    if (l && ParseInt32(l->value, v, NumberBlanks | NumberHex))
        return v;
    return def;
}

quint16 TSettingsFile::ReadWord(const QString &section, const QString &key, quint16 def) const
{
    return static_cast<quint16>(static_cast<quint32>(ReadInteger(section, key, def)) & 0xFFFFu);
}

bool TSettingsFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TSettingsFile::ReadFloat(const QString &section, const QString &key, double def) const
{
    d->Refresh();
    const IniLine *l = d->Find(section, key);
    double v = def;
    if (l && ParseReal(l->value, v))
        return v;
    return def;
}

bool TSettingsFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    return d->Set(section, {{key, value}});
}

bool TSettingsFile::WriteInteger(const QString &section, const QString &key, qint32 value)
{
    return d->Set(section, {{key, QString::number(value)}});
}

bool TSettingsFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return d->Set(section, {{key, value ? QStringLiteral("1") : QStringLiteral("0")}});
}

bool TSettingsFile::WriteFloat(const QString &section, const QString &key, double value)
{
    // The running system's number format, without group separators.
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return d->Set(section, {{key, loc.toString(value, 'g', 15)}});
}

bool TSettingsFile::WriteStrings(const QString &section, const std::vector<std::pair<QString, QString>> &pairs)
{
    return d->Set(section, pairs);
}

bool TSettingsFile::SectionExists(const QString &section) const
{
    d->Refresh();
    return d->FindSection(section) >= 0;
}

// ---------------------------------------------------------------------------

QString ReadSetting(const QString &section, const QString &key, const QString &def)
{
    return Settings().SettingsFile ? Settings().SettingsFile->ReadString(section, key, def) : def;
}
qint32 ReadSetting(const QString &section, const QString &key, qint32 def)
{
    return Settings().SettingsFile ? Settings().SettingsFile->ReadInteger(section, key, def) : def;
}
bool ReadSettingBool(const QString &section, const QString &key, bool def)
{
    return Settings().SettingsFile ? Settings().SettingsFile->ReadBool(section, key, def) : def;
}
double ReadSettingFloat(const QString &section, const QString &key, double def)
{
    return Settings().SettingsFile ? Settings().SettingsFile->ReadFloat(section, key, def) : def;
}
void WriteSetting(const QString &section, const QString &key, const QString &value)
{
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteString(section, key, value);
}
void WriteSetting(const QString &section, const QString &key, qint32 value)
{
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteInteger(section, key, value);
}
void WriteSettingBool(const QString &section, const QString &key, bool value)
{
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteBool(section, key, value);
}
void WriteSettingFloat(const QString &section, const QString &key, double value)
{
    if (Settings().SettingsFile)
        Settings().SettingsFile->WriteFloat(section, key, value);
}

int ReadReadoutHour()
{
    const qint32 h = ReadSetting(QStringLiteral("COM"), QStringLiteral("ZEIT"), 0);
    return (h >= 0 && h <= 24) ? h : 0;
}

void SetProgramFolder(const QString &folder)
{
    QString f = QDir::toNativeSeparators(folder);
    if (!f.isEmpty() && !f.endsWith(QDir::separator()))
        f += QDir::separator();
    Settings().ProgramFolder = f;
}

void LoadPlantSettings(int n)
{
    if (n < 1 || n > MaxPlants)
        return;
    const QString s = QString::number(n);
    TAnlageParameter &p = Plants().PlantTable[n];
    p.Name = ReadSetting(s, QStringLiteral("Name"), QStringLiteral("Anl-Nr") + s);
    p.Komm = ReadSetting(s, QStringLiteral("Komm"), QString());
    p.Datei = ReadSetting(s, QStringLiteral("Datei"), QString());
    p.Pfad = ReadSetting(s, QStringLiteral("Pfad"), QString());
    p.Anzahl = ReadSetting(s, QStringLiteral("Anzahl"), 0);
    if (p.Pfad.isEmpty())
        p.Pfad = Settings().ProgramFolder;
}

void StorePlantSettings(int n)
{
    if (n < 1 || n > MaxPlants)
        return;
    const QString s = QString::number(n);
    const TAnlageParameter &p = Plants().PlantTable[n];
    WriteSetting(s, QStringLiteral("Name"), p.Name);
    WriteSetting(s, QStringLiteral("Pfad"), p.Pfad);
    WriteSetting(s, QStringLiteral("Komm"), p.Komm);
}

QStringList LoadProgramSettings(const QDateTime &now)
{
    const QString com = QStringLiteral("COM");
    QStringList refused;
    if (Settings().SettingsFile && Settings().SettingsFile->Unreadable())
        refused << QCoreApplication::translate("Settings", "Die Einstellungsdatei %1 ist keine lesbare Textdatei. "
                                                           "Es gelten die Standardwerte; die Datei bleibt unverändert.")
                       .arg(QDir::toNativeSeparators(Settings().SettingsFile->FileName()));
    if (Settings().SettingsFile)
        for (int line : Settings().SettingsFile->StrayControlLines())
            refused << QCoreApplication::translate("Settings", "Die Einstellungsdatei %1 enthält in Zeile %2 ein Steuerzeichen; "
                                                               "es wird übergangen, der Rest der Datei gilt.")
                           .arg(QDir::toNativeSeparators(Settings().SettingsFile->FileName()))
                           .arg(line);
    // A hand-edited value outside what the program can work with (TIMEOUT=-1 read
    // as 65535 ms made the start-up take an hour) is named and not used.
    auto inRange = [&](const QString &key, int lowest, int highest, int def) {
        const QString text = Settings().SettingsFile ? Settings().SettingsFile->ReadString(com, key, QString()).trimmed() : QString();
        if (text.isEmpty())
            return def;
        bool ok = false;
        const int v = text.toInt(&ok);
        if (ok && v >= lowest && v <= highest)
            return v;
        refused << QCoreApplication::translate("Settings", "Einstellung [COM] %1=%2 liegt nicht im Bereich %3 bis %4; es gilt %5.")
                       .arg(key, text).arg(lowest).arg(highest).arg(def);
        return def;
    };
    Settings().DisplayOffset = ReadSetting(com, QStringLiteral("DISPOFFSET"), 1) - 1;
    Settings().ReadoutHour = ReadReadoutHour();
    Plants().ImperialUnits = ReadSettingBool(com, QStringLiteral("Metric"), false);
    Plants().RefTemp = ReadSettingFloat(com, QStringLiteral("REFTEMP"), 55.0);
    Settings().ShowRefDepth = ReadSettingBool(com, QStringLiteral("SHOWREF"), true);
    BuildRefCaption();
    ComputeNextReadout(now);
    inRange(QStringLiteral("TIMEOUT"), 20, 5000, 0);  // ReplyTimeoutSetting keeps the time-out in force
    inRange(QStringLiteral("ZEIT"), 0, 24, 0);     // ReadReadoutHour takes 0 for it
    return refused;
}

void ComputeNextReadout(const QDateTime &now)
{
    const int h = (Settings().ReadoutHour >= 0 && Settings().ReadoutHour <= 24) ? Settings().ReadoutHour : 0;
    Settings().ReadoutEnabled = h != 0;
    QDate day = now.date();
    // Hour 24 is the midnight at the end of the day; every time of day lies before it.
    if (h < 24 && now.time() > QTime(h, 0))
        day = day.addDays(1);
    Settings().NextReadout = h == 24 ? QDateTime(day.addDays(1), QTime(0, 0)) : QDateTime(day, QTime(h, 0));
}

bool ReadFormPlacement(const QString &section, FormPlacement &out)
{
    if (!Settings().SettingsFile || !Settings().SettingsFile->SectionExists(section))
        return false;
    const FormPlacement def;
    out.Left = ReadSetting(section, QStringLiteral("Left"), def.Left);
    out.Top = ReadSetting(section, QStringLiteral("Top"), def.Top);
    out.Width = ReadSetting(section, QStringLiteral("Width"), def.Width);
    out.Height = ReadSetting(section, QStringLiteral("Height"), def.Height);
    out.State = ReadSetting(section, QStringLiteral("State"), def.State);
    // A hand-edited size of zero or less would make the window vanish.
    if (out.Width <= 0)
        out.Width = def.Width;
    if (out.Height <= 0)
        out.Height = def.Height;
    if (out.State < 0 || out.State > 2)
        out.State = 0;
    return true;
}

FormPlacement FitFormPlacement(FormPlacement p, int desktopWidth, int desktopHeight)
{
    if (p.Width > desktopWidth)
        p.Width = desktopWidth;
    if (p.Height > desktopHeight)
        p.Height = desktopHeight;
    if (p.Left > desktopWidth - p.Width)
        p.Left = desktopWidth - p.Width;
    if (p.Top > desktopHeight - p.Height)
        p.Top = desktopHeight - p.Height;
    return p;
}

void WriteFormPlacement(const QString &section, const FormPlacement &p)
{
    WriteSetting(section, QStringLiteral("Left"), p.Left);
    WriteSetting(section, QStringLiteral("Top"), p.Top);
    WriteSetting(section, QStringLiteral("Width"), p.Width);
    WriteSetting(section, QStringLiteral("Height"), p.Height);
    WriteSetting(section, QStringLiteral("State"), p.State);
}

int ReplyTimeoutSetting(int current)
{
    bool ok = false;
    const int v = Settings().SettingsFile ? Settings().SettingsFile->ReadString(QStringLiteral("COM"), QStringLiteral("TIMEOUT"), QString())
                                     .trimmed().toInt(&ok)
                               : 0;
    return ok && v >= 20 && v <= 5000 ? v : current;
}

QString PortDeviceSetting(int port)
{
    return ReadSetting(QStringLiteral("Ports"), QStringLiteral("COM") + QString::number(port), QString()).trimmed();
}

const char *CompanyLineKey(int line)
{
    static const char *const keys[3] = {"Titel", "Zeile2", "Zeile3"};
    return keys[qBound(1, line, 3) - 1];
}

QString CompanyLineDefault(int line)
{
    return line == 1 ? QStringLiteral("Firmen- Name") : QStringLiteral("* Text *");
}

QString CompanyLine(int line)
{
    return ReadSetting(QStringLiteral("Firma"), QString::fromLatin1(CompanyLineKey(line)), CompanyLineDefault(line));
}

Paper SystemPaper()
{
    QByteArray name;
    for (const char *variable : {"LC_PAPER", "LC_ALL", "LANG"}) {
        name = qgetenv(variable);
        if (!name.isEmpty())
            break;
    }
    // "en_US.UTF-8", "fr_CA@euro": the territory is what sets the paper.
    const QString locale = QString::fromLatin1(name).section(u'.', 0, 0).section(u'@', 0, 0);
    if (!locale.contains(u'_'))
        return Paper::A4;
    switch (QLocale(locale).territory()) {
    case QLocale::UnitedStates: case QLocale::Canada: case QLocale::Mexico:
        return Paper::Letter;
    default:
        return Paper::A4;
    }
}

Paper ProtocolPaper()
{
    const QString key = ReadSetting(QStringLiteral("COM"), QStringLiteral("PAPIER"), QString()).trimmed();
    if (key.compare(PaperName(Paper::A4), Qt::CaseInsensitive) == 0)
        return Paper::A4;
    if (key.compare(PaperName(Paper::Letter), Qt::CaseInsensitive) == 0)
        return Paper::Letter;
    return SystemPaper();
}

QString PaperName(Paper paper)
{
    return paper == Paper::Letter ? QStringLiteral("Letter") : QStringLiteral("A4");
}

bool CompanyLinesArePlaceholders()
{
    for (int line = 1; line <= 3; ++line)
        if (CompanyLine(line) == CompanyLineDefault(line))
            return true;
    return false;
}

QString ArchiveRoot()
{
    const QString root = ReadSetting(QStringLiteral("COM"), QStringLiteral("ARCHIV"), QString());
    return root.isEmpty() ? Settings().ProgramFolder + QStringLiteral("Archiv") : QDir::fromNativeSeparators(root);
}
