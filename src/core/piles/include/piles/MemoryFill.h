#pragma once
// How full a plant's memory is while its pile runs. A plant keeps at most 1000
// records; what it cannot store is lost for good, so the operator is warned from 800
// on. The estimate is the last count read ("r") plus the records stored since at
// the plant's storage interval; before any count was read in this run, the records
// stored since the last one in the pile's file.

#include <QDateTime>
#include <QString>

constexpr int PlantMemoryRecords = 1000;
constexpr int MemoryWarnRecords = 800;
// The interval assumed until the plant's set-up or its file tells another (minutes).
constexpr int DefaultStorageMinutes = 15;

// The plant's storage interval as its set-up says (minutes, 1..1440), once read.
void NoteStorageInterval(int plant, int minutes);
// Records waiting in the running pile's plant now (0..1000); -1 for a plant without
// a running pile.
int WaitingRecords(int plant, const QDateTime &now);
// "Speicher von Anlage 3 zu 85 % voll – bitte auslesen" from 800 records on; empty below.
QString MemoryWarningText(int plant, const QDateTime &now);
// Back to the program-start state (nothing noted or seen).
void ResetMemoryFill();
