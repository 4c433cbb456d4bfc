#pragma once
// "Haldrix.ini": the program's one settings store. Every write reaches the file at
// once (atomically); hand edits, key order and comments survive; Windows-1252, CR LF.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TSettingsFile {
public:
    explicit TSettingsFile(const QString &path);
    ~TSettingsFile();

    QString FileName() const;
    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    qint32 ReadInteger(const QString &section, const QString &key, qint32 def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    double ReadFloat(const QString &section, const QString &key, double def) const;
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, qint32 value);
    bool WriteBool(const QString &section, const QString &key, bool value);
    bool WriteFloat(const QString &section, const QString &key, double value);
    // Keys that belong together (a data file and its record count) in one atomic
    // write: after a crash the file holds either all of them or none.
    bool WriteStrings(const QString &section, const std::vector<std::pair<QString, QString>> &pairs);
    bool SectionExists(const QString &section) const;
    // For settings the program keeps in 16 bits (COM, TIMEOUT): the integer modulo 65536.
    quint16 ReadWord(const QString &section, const QString &key, quint16 def) const;
    // The file is no text the program reads (binary, UTF-16, …): every value reads
    // as its default and nothing is ever written to it, so it stays as it was.
    bool Unreadable() const;
    // Lines of a readable file that held a stray control byte: the byte is passed
    // over, the rest of the file read.
    QList<int> StrayControlLines() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The program's settings as the program runs with them.
struct ProgramSettings {
    TSettingsFile *SettingsFile = nullptr;  // the open settings file (owned by the main window)
    QString ProgramFolder;                  // home folder, with trailing separator
    bool LearnRequest = true;               // the plants are to be learned (again)
    int ReadoutHour = 0;                    // 0 = off, 1..24
    bool ReadoutEnabled = false;
    QDateTime NextReadout;
    bool ShowRefDepth = true;
    qint32 DisplayOffset = 0;               // plant n is shown as n + DisplayOffset ([COM] DISPOFFSET - 1)
    // Told when a write of the settings file fails, once until a write succeeds again.
    std::function<void(const QString &path, const QString &why)> WriteFailed;
    bool WriteFailing = false;              // the last write failed
};

ProgramSettings &Settings();

// Puts Settings() back to its program-start state (SettingsFile nullptr).
void ResetSettingsValues();
// Told when a write of the settings file fails (disk full, read-only), once until
// a write succeeds again, so that a run of failures makes one message.
void SetSettingsWriteFailedHandler(std::function<void(const QString &path, const QString &why)> handler);

// Reads the program's settings into the shared values at start-up and after the PC
// setup: DisplayOffset, ReadoutHour (then NextReadout), ImperialUnits, RefTemp (then
// RefCaption) and ShowRefDepth; the reply time-out is checked here and taken by the
// link from ReplyTimeoutSetting. A value out of its range (TIMEOUT 20..5000 ms, ZEIT
// 0..24) is not used: the default holds, and the result names the key, one line
// each, for the operator.
QStringList LoadProgramSettings(const QDateTime &now = QDateTime::currentDateTime());

// The graph window's fan-run-time tick. It has its own key so that it never
// overwrites the daily readout hour kept under [COM] ZEIT.
inline constexpr const char *GraphRunTimeKey = "ZEITGRAPH";

// Null-safe access to the open settings file: defaults when SettingsFile is nullptr,
// writes do nothing then.
QString ReadSetting(const QString &section, const QString &key, const QString &def);
// The company's three header lines ([Firma] Titel, Zeile2, Zeile3; line 1..3), with
// their defaults "Firmen- Name", "* Text *", "* Text *".
const char *CompanyLineKey(int line);
// The paper the protocols are printed on, also in the archive ([COM] PAPIER, "A4" or
// "Letter"). Without the key (or with another value) the system's paper: Letter where
// LC_PAPER (else LC_ALL, else LANG) names a North American territory, A4 elsewhere.
enum class Paper { A4, Letter };
Paper SystemPaper();
Paper ProtocolPaper();
QString PaperName(Paper paper);         // "A4", "Letter": the key's values
// Where ended piles are archived ([COM] ARCHIV); default "<home>/Archiv".
QString ArchiveRoot();
QString CompanyLineDefault(int line);
QString CompanyLine(int line);
// Whether a company line still holds its placeholder (nothing was entered yet).
bool CompanyLinesArePlaceholders();
qint32 ReadSetting(const QString &section, const QString &key, qint32 def);
bool ReadSettingBool(const QString &section, const QString &key, bool def);
double ReadSettingFloat(const QString &section, const QString &key, double def);
void WriteSetting(const QString &section, const QString &key, const QString &value);
void WriteSetting(const QString &section, const QString &key, qint32 value);
void WriteSettingBool(const QString &section, const QString &key, bool value);
void WriteSettingFloat(const QString &section, const QString &key, double value);

// [COM] ZEIT as the daily readout hour: 0..24; anything else (hand-edited file,
// an old graph tick) reads as 0, readout off.
int ReadReadoutHour();

// Program folder: the executable's folder, or the --home folder.
void SetProgramFolder(const QString &folder);

void LoadPlantSettings(int n);
void StorePlantSettings(int n);
void ComputeNextReadout(const QDateTime &now = QDateTime::currentDateTime());

// Main window placement in [Form]; the window layer applies it.
struct FormPlacement { int Left = 0, Top = 0, Width = 1024, Height = 768, State = 0; };
bool ReadFormPlacement(const QString &section, FormPlacement &out);   // false: no section
FormPlacement FitFormPlacement(FormPlacement p, int desktopWidth, int desktopHeight);
void WriteFormPlacement(const QString &section, const FormPlacement &p);

// [COM] TIMEOUT when it is a number of 20..5000 ms, else `current`.
int ReplyTimeoutSetting(int current);
// [Ports] COMn: the device of port n, empty when the section does not name one.
QString PortDeviceSetting(int port);
