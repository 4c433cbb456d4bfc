#pragma once
// A plant's clock text: 30 characters whose layout is the plant's own
// ("TZeit: 14:30:00 Datum:08.12.26", "T14:30:00 08.12.26 …"). Time and date are
// found wherever the text holds them: hh:mm or hh:mm:ss, dd.mm.yy or dd.mm.yyyy.

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTime>

struct ClockReading {
    QTime time;         // invalid when the text holds no time
    QDate date;         // invalid when the text holds no date; two-digit years are 20yy
    // Both, as the plant's wall clock (UTC, no zone); invalid unless both were found.
    QDateTime DateTime() const;
};

ClockReading ReadClockText(QStringView text);
