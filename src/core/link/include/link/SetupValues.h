#pragma once
// The nine set-up values of a plant as the set-up dialog edits them: their ranges,
// the two O2 thresholds kept apart, and writing the changed groups in the plant's
// order. Nothing of it is stored on the PC.

#include "link/PlantTable.h"

// Fields in the order of the plant's set-up reply.
enum SetupField : int {
    FieldSpeicher, FieldIntEin, FieldIntAus, FieldO2Ein, FieldO2Aus,
    FieldNotEin, FieldNotAus, FieldMaxEin, FieldMaxAus, SetupFieldCount
};

// Groups that go to the plant as one write each (bit flags).
enum SetupGroup : unsigned {
    GroupO2 = 1u << 0, GroupStore = 1u << 1, GroupIntOn = 1u << 2,
    GroupIntOff = 1u << 3, GroupMax = 1u << 4, GroupControl = 1u << 5,
};

struct SetupRange { int min, max; };
// Minutes, or tenths of vol% for the O2 thresholds (0..210).
SetupRange SetupFieldRange(SetupField field);
SetupGroup SetupFieldGroup(SetupField field);
qint32 &SetupFieldValue(TPlantSetup &setup, SetupField field);
qint32 SetupFieldValue(const TPlantSetup &setup, SetupField field);
int ClampSetupValue(SetupField field, int value);

// The off-threshold stays at least 2 tenths above the on-threshold: after `changed`
// (FieldO2Ein or FieldO2Aus) took its new value, the other one follows, which in
// turn may move the first back, until nothing changes; values stay in 0..210.
void KeepO2Apart(int &on, int &off, SetupField changed);

// Sends the groups marked in `changed` to the plant, each value clamped to its range
// first (a plant never receives a value outside it): storage interval, O2
// thresholds, interval on, interval off, control times, maximum times. No answer is
// awaited.
void WriteSetupGroups(int plant, const TPlantSetup &values, unsigned changed);
