#include "base/ClockText.h"

#include <QRegularExpression>
#include <QString>

QDateTime ClockReading::DateTime() const
{
    return time.isValid() && date.isValid() ? QDateTime(date, time, Qt::UTC) : QDateTime();
}

ClockReading ReadClockText(QStringView text)
{
    // Digits are never taken from inside a longer run of digits.
    static const QRegularExpression timeRe(QStringLiteral("(?<!\\d)(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?!\\d)"));
    static const QRegularExpression dateRe(QStringLiteral("(?<!\\d)(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4}|\\d{2})(?!\\d)"));
    ClockReading r;
    const QString s = text.toString();
    for (auto it = timeRe.globalMatch(s); it.hasNext() && !r.time.isValid();) {
        const auto m = it.next();
        r.time = QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.hasCaptured(3) ? m.captured(3).toInt() : 0);
    }
    for (auto it = dateRe.globalMatch(s); it.hasNext() && !r.date.isValid();) {
        const auto m = it.next();
        int year = m.captured(3).toInt();
        if (m.capturedLength(3) == 2)
            year += 2000;
        r.date = QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
    }
    return r;
}
