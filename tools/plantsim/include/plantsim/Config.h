#pragma once
// What a simulated line looks like: which plants exist, how they are set up and
// which faults they show.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtNumeric>

namespace plantsim {

// The nine set-up values of a plant (minutes; O2 values in tenths of vol%).
struct SetupValues {
    int Speicher = 60;
    int IntEin = 10;
    int IntAus = 20;
    int O2Ein = 80;
    int O2Aus = 150;
    int NotEin = 5;
    int NotAus = 25;
    int MaxEin = 60;
    int MaxAus = 240;
};

// Misbehaviour of a plant (or of the line) for testing the program's failure paths.
struct Faults {
    double dropProbability = 0.0;     // a reply is lost on the line
    bool fragment = false;            // replies arrive in random pieces with small gaps
    int noiseBytes = 0;               // up to this many garbage bytes before each reply
    double corruptProbability = 0.0;  // one field of a reply becomes non-numeric
    int lateMs = 0;                   // extra delay before each reply
    bool noStatus = false;            // answers "B" but never "S"
    bool count1001 = false;           // "r" reports 1001 stored records
    bool echo = false;                // each received frame is sent back before the reply
    bool crlf = false;                // CR LF after every reply
    int muteAfter = -1;               // goes silent after this many replies (-1: never)
    bool o2SensorFault = false;       // O2 sensor reads 0 (mode 3 then falls back to mode 4)
    bool switchOnFails = false;       // "F" sets running but leaves the memory off ("S0;1;")
    double stampSpoilProbability = 0.0;  // a stored record's minute field becomes "<digit>x"
    int clockBackHours = 0;           // the clock steps back this much once, after the next stored record
    int clockLayout = 0;              // clock text: 0 "TZeit: hh:mm:ss Datum:dd.MM.yy",
                                      // 1 "Thh:mm:ss dd.MM.yy" padded, 2 "TUhr gestellt" (no time, no date)
};

struct PlantConfig {
    int number = 1;                   // 1..32
    bool running = false;             // a pile runs at start
    int mode = 3;                     // 0..4
    double ambient = qQNaN();         // °C around the pile; NaN: 10..15 °C at random
    bool weak = false;                // a pile that falls short: peaks near 58 °C
    SetupValues setup;
    Faults faults;
};

struct BusConfig {
    QList<PlantConfig> plants;
    Faults lineFaults;                // for frames to plants that are not simulated (echo)
    int historyDays = 0;              // running piles started this many days ago, memory filled
    double timeFactor = 1.0;          // simulated seconds per line second
    int latencyMs = 0;                // delay between a frame and its reply
    int baud = 0;                     // pace replies at this line speed (8N1); 0: unpaced
    quint64 seed = 1;
    int frameGapMs = 50;              // an incomplete frame is dropped after this silence
    int vanishAfterMs = -1;           // the line goes away after this time (-1: never)
    QDateTime start;                  // plant clocks at start; invalid: the PC's local time
};

} // namespace plantsim
