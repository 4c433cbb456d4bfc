#include "link/SetupValues.h"

#include "link/Link.h"

#include <QtGlobal>

SetupRange SetupFieldRange(SetupField field)
{
    switch (field) {
    case FieldSpeicher: return {1, 1440};
    case FieldO2Ein:
    case FieldO2Aus: return {0, 210};
    default: return {1, 300};
    }
}

SetupGroup SetupFieldGroup(SetupField field)
{
    switch (field) {
    case FieldSpeicher: return GroupStore;
    case FieldIntEin: return GroupIntOn;
    case FieldIntAus: return GroupIntOff;
    case FieldO2Ein:
    case FieldO2Aus: return GroupO2;
    case FieldNotEin:
    case FieldNotAus: return GroupControl;
    default: return GroupMax;
    }
}

qint32 &SetupFieldValue(TPlantSetup &s, SetupField field)
{
    switch (field) {
    case FieldSpeicher: return s.Speicher;
    case FieldIntEin: return s.IntEin;
    case FieldIntAus: return s.IntAus;
    case FieldO2Ein: return s.O2Ein;
    case FieldO2Aus: return s.O2Aus;
    case FieldNotEin: return s.NotEin;
    case FieldNotAus: return s.NotAus;
    case FieldMaxEin: return s.MaxEin;
    default: return s.MaxAus;
    }
}

qint32 SetupFieldValue(const TPlantSetup &s, SetupField field)
{
    return SetupFieldValue(const_cast<TPlantSetup &>(s), field);
}

int ClampSetupValue(SetupField field, int value)
{
    const SetupRange r = SetupFieldRange(field);
    return qBound(r.min, value, r.max);
}

void KeepO2Apart(int &on, int &off, SetupField changed)
{
    on = ClampSetupValue(FieldO2Ein, on);
    off = ClampSetupValue(FieldO2Aus, off);
    // Each adjustment is a change of the other value and applies its rule in turn;
    // the chain ends when an adjustment changes nothing (at most a few steps, as the
    // values only move towards the ends of the range).
    SetupField next = changed;
    for (int step = 0; step < 8; ++step) {
        if (next == FieldO2Ein) {
            if (off > on + 2) break;
            const int raised = ClampSetupValue(FieldO2Aus, on + 2);
            if (raised == off) break;
            off = raised;
            next = FieldO2Aus;
        } else {
            if (off - 2 > on) break;
            const int lowered = ClampSetupValue(FieldO2Ein, off - 2);
            if (lowered == on) break;
            on = lowered;
            next = FieldO2Ein;
        }
    }
}

void WriteSetupGroups(int plant, const TPlantSetup &v, unsigned changed)
{
    auto value = [&v](SetupField f) { return quint16(ClampSetupValue(f, SetupFieldValue(v, f))); };
    if (changed & GroupStore)
        SendCommand(plant, cmdSetStoreInterval, {value(FieldSpeicher)});
    if (changed & GroupO2)
        SendCommand(plant, cmdSetO2Limits, {value(FieldO2Ein), value(FieldO2Aus)});
    if (changed & GroupIntOn)
        SendCommand(plant, cmdSetIntervalOn, {value(FieldIntEin)});
    if (changed & GroupIntOff)
        SendCommand(plant, cmdSetIntervalOff, {value(FieldIntAus)});
    if (changed & GroupControl)
        SendCommand(plant, cmdSetControlTimes, {value(FieldNotEin), value(FieldNotAus)});
    if (changed & GroupMax)
        SendCommand(plant, cmdSetMaxTimes, {value(FieldMaxEin), value(FieldMaxAus)});
}
