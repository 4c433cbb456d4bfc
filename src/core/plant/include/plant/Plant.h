#pragma once
// The plants as the program knows them: one slot and one set of live values per
// plant number 1..32, the selection, the units and the reference temperature, the
// unit conversions and the mode texts. Shared by the link, the data files, the
// settings and the windows; nothing here talks to the line.

#include <QString>
#include <QtGlobal>
#include <array>

constexpr int MaxPlants = 32;

// One slot of the plant table.
struct TAnlageParameter {
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
    qint64 SilentSinceMs = 0;                        // wall clock (ms since 1970) of the first missed poll in a row; 0 while answering
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

// What the program knows of its plants, shared by the link, the data files, the
// settings and the windows. The tables are indexed by plant number 1..32; slot 0 is
// never used.
struct PlantState {
    std::array<TAnlageParameter, MaxPlants + 1> PlantTable{};
    std::array<TLiveValues, MaxPlants + 1> LiveTable{};
    quint16 PlantCount = 1;         // plants in use, 1..32
    quint16 SelectedPlant = 1;
    double RefTemp = 55.0;          // °C
    bool ImperialUnits = false;     // show °F / inches
    QString RefCaption = QStringLiteral("s 55") + QChar(0xB0) + QStringLiteral("C[cm]");
};

// The one plant model of the program.
PlantState &Plants();

// Before a new discovery: every plant's live values invalid and its slot neither
// present nor running; names, files, counts and modes are kept.
void ForgetPlantPresence();
// A running pile's plant whose live values went on its fifth missed poll: since
// when it has not answered (QDateTime::currentMSecsSinceEpoch); 0 otherwise.
qint64 PlantSilentSince(int plant);
// Everything above back to its program-start state.
void ResetPlantModel();

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
