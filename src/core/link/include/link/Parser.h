#pragma once
// Decodes the plants' replies collected in RxBuffer into the shared records.

#include "link/PlantTable.h"
#include <QByteArray>

void ParseReceived(const QByteArray &text);
int CountSeparators();
bool TakeField(QByteArray &field);

void DecodeTemperatures(TLiveValues &record);
void DecodeO2AndMode(TLiveValues &record);
void DecodeFanFlag(TLiveValues &record);
void DecodeAux(TLiveValues &record);
void DecodeStamp();
void DecodeRunTimeAndCycles(TLiveValues &record);

// Decimal field conversion: optional sign and digits, 32-bit range; false otherwise.
bool ConvertField(const QByteArray &field, qint32 &value);
