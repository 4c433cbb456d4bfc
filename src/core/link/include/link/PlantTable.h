#pragma once
// The program-wide plant state: one instance of every table and record, shared by
// the link, the windows and the data layer. Plants are addressed by number 1..32.

#include <QString>
#include <QtGlobal>
#include <array>

constexpr int MaxPlants = 32;

// One slot of the plant table.
struct tAnlageParameter {
    quint8 Present = 0;     // answered the last status read
    quint8 Running = 0;     // a pile runs ("S" reply, second field)
    quint8 MemStatus = 0;   // memory status ("S" reply, first field)
    QString Name;           // pile name
    QString Komm;           // comment
    QString Datei;          // full path of the running pile's data file
    QString Pfad;           // folder for new data files
    quint8 Mode = 0;        // operating mode 0..4 from the "B" reply
    qint32 Anzahl = 0;      // records written to Datei so far
    qint32 Stored = -1;     // records the plant holds (its last "r" reply); -1: not known
};

// One set of measured values of one plant.
struct TLiveValues {
    quint8 Valid = 0;
    qint32 T5 = 0, T4 = 0, T3 = 0, T2 = 0, T1 = 0;   // whole °C; T5 at 100 cm, T1 at 0 cm
    qint32 O2 = 0;                                   // tenths of vol%
    qint32 RefMarke = 100;                           // reference depth, cm 0..100
    quint8 FanOn = 0;
    quint8 Betriebsart = 0;
    quint16 Aux = 255;
    qint32 Luefterlaufzeit = 0;                      // minutes
    qint32 LuefterZyklen = 0;
    quint16 MissCount = 0;
    qint64 StampMs = 0;                              // LinkClockMs() when the values arrived
};

// Time stamp texts of a stored record, as the plant sent them (at most 10 chars each).
struct TStoredStamp {
    QString Minute, Hour, Day, Month, Year;          // Year = "20" + two-digit year
};

struct TPlantSetup {
    quint8 Valid = 0;
    qint32 Speicher = 0, O2Ein = 0, O2Aus = 0, NotEin = 0, NotAus = 0,
           IntEin = 0, IntAus = 0, MaxEin = 0, MaxAus = 0;
};

// Operating modes (value of Mode / Betriebsart).
enum : quint8 { ModeFanOff = 0, ModeFanOn = 1, ModeInterval = 2, ModeO2Control = 3, ModeControl = 4 };

// Tables indexed by plant number 1..32; slot 0 is never used.
extern std::array<tAnlageParameter, MaxPlants + 1> PlantTable;
extern std::array<TLiveValues, MaxPlants + 1> LiveTable;

extern TLiveValues PollReply;       // filled from a live ("c") reply
extern TLiveValues StoredValues;    // filled from a stored-record ("G") reply
extern TStoredStamp StoredStamp;    // stamp of the last "G" reply
extern TPlantSetup PlantSetup;      // filled from an "R" reply

extern quint16 PlantCount;          // plants in use, 1..32 (initially 1)
extern quint16 SelectedPlant;       // initially 1
extern quint8 AddressedPlant;       // plant of the last frame sent
extern quint16 PollPlant;           // initially 1
extern qint32 StoredCount;          // from the "r" reply
extern QString ClockText;           // 30 characters of the last "T" reply
extern double RefTemp;              // °C, default 55.0
extern bool ImperialUnits;          // show °F / inches
extern QString RefCaption;          // e.g. "s 55°C[cm]"

// Live entries invalid, slots neither present nor running (other slot fields kept).
void ResetPlantTables();
// Milliseconds on a monotonic clock (for the age of live values).
qint64 LinkClockMs();
// Puts every shared value of the link back to its program-start state: the tables,
// records and values above, the reply state (RxBuffer, ReplyCode, ReplyTimedOut),
// port number, speed, time-outs, the port-name mapping and the command clock;
// LinkOpen too while no link exists.
void ResetLinkTables();

void ComputeRefDepth(TLiveValues &values);
int CelsiusToFahrenheit(int t);
int CmToInch(int cm);
double CelsiusToFahrenheitF(double x);
double FahrenheitToCelsiusF(double x);
double CmToInchF(double x);
void BuildRefCaption();

// Text helpers for the data file reader.
int CountChar(QChar ch, const QString &text);
bool CutField(QChar sep, QString &text, QString &out);

// Mode texts: tab text (modes 0..3) and status grid text (0..4); empty for others.
QString ModeTabText(int mode);
QString ModeGridText(int mode);
