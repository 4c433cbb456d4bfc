// The hygienisation evaluator on generated data files: stretch lengths at the
// limits, what breaks a stretch under the German and the US rules, the gaps listed.

#include "datafile/DataFile.h"
#include "datafile/Hygiene.h"

#include "support/SharedState.h"

#include <QtTest>
#include <functional>

namespace {

// Hourly records from Monday 7 Dec 2026 00:00 for `hours` hours; `core` gives the
// 100 cm temperature of hour h (the other depths are 10 °C cooler each); hours for
// which `skip` is true have no record.
DataFileContent Pile(int hours, const std::function<int(int)> &core,
                     const std::function<bool(const QDateTime &)> &skip = {}, int stepHours = 1)
{
    DataFileContent f;
    f.FileValid = true;
    const QDateTime start(QDate(2026, 12, 7), QTime(0, 0));
    int n = 0;
    for (int h = 0; h < hours; h += stepHours) {
        const QDateTime t = start.addSecs(3600LL * h);
        if (skip && skip(t))
            continue;
        TLiveValues v;
        v.T5 = core(h);
        v.T4 = v.T5 - 10;
        v.T3 = v.T5 - 20;
        v.T2 = v.T5 - 30;
        v.T1 = v.T5 - 40;
        f.Lines << FormatDataLine(++n, t.toString("dd.MM.yyyy  hh:mm"), v);
    }
    f.LineCount = f.Lines.size();
    return f;
}

const HygieneCriterion &C(const char *name) { return *FindHygieneCriterion(QString::fromLatin1(name)); }

// A stretch at 55 °C from hour 24 through hour 24 + `span` (hours), 50 °C around it.
DataFileContent Plateau(int span, int celsius = 55)
{
    return Pile(24 + span + 48, [=](int h) { return h >= 24 && h <= 24 + span ? celsius : 50; });
}

} // namespace

class TstHygiene : public QObject {
    Q_OBJECT
private slots:
    void stretchLengthAtTheLimits()
    {
        support::SharedStateGuard guard;
        HygieneResult r = EvaluateHygiene(Plateau(14 * 24), C("bioabfv-open"), 55);
        QVERIFY(r.ok && r.CoreMet());
        QCOMPARE(r.depths[0].stretches[0].Minutes(), 14 * 1440LL);
        QCOMPARE(r.depths[0].stretches[0].start, QDateTime(QDate(2026, 12, 8), QTime(0, 0), Qt::UTC));
        QCOMPARE(r.depths[0].stretches[0].records, 14 * 24 + 1LL);
        QVERIFY(!r.depths[1].met);                          // 75 cm is 10 °C cooler
        QCOMPARE(StretchLengthText(r.depths[0].stretches[0].Minutes()), QString("14 d 00 h"));
        r = EvaluateHygiene(Plateau(14 * 24 - 1), C("bioabfv-open"), 55);
        QVERIFY(r.ok && !r.CoreMet());
        QCOMPARE(StretchLengthText(r.depths[0].stretches[0].Minutes()), QString("13 d 23 h"));
        // 65 °C over 7 days is the other way to meet it; 60 °C over 7 days the closed one.
        r = EvaluateHygiene(Plateau(7 * 24, 66), C("bioabfv-open"), 55);
        QVERIFY(r.CoreMet());
        QVERIFY(EvaluateHygiene(Plateau(7 * 24, 61), C("bioabfv-closed"), 55).CoreMet());
        QVERIFY(!EvaluateHygiene(Plateau(7 * 24, 59), C("bioabfv-closed"), 55).CoreMet());
        QVERIFY(EvaluateHygiene(Plateau(3 * 24), C("pfrp-asp"), 55).CoreMet());
        QVERIFY(!EvaluateHygiene(Plateau(14 * 24), C("pfrp-windrow"), 55).CoreMet());
        QVERIFY(*C("pfrp-windrow").note);                   // turnings: not in the records
        // Another reference temperature is one more threshold.
        r = EvaluateHygiene(Plateau(24), C("bioabfv-open"), 58);
        QCOMPARE(r.thresholds, (std::vector<double>{55, 60, 65, 58}));
        QVERIFY(!r.depths[0].stretches[3].found);
        // One record a day is evidence too.
        r = EvaluateHygiene(Pile(16 * 24, [](int) { return 56; }, {}, 24), C("bioabfv-open"), 55);
        QCOMPARE(r.records, 16LL);
        QVERIFY(r.CoreMet());
    }

    void whatBreaksAStretch()
    {
        support::SharedStateGuard guard;
        // One record below the threshold in the middle.
        HygieneResult r = EvaluateHygiene(Pile(20 * 24, [](int h) { return h == 240 ? 54 : 60; }), C("bioabfv-open"), 55);
        QVERIFY(!r.CoreMet());
        QCOMPARE(r.depths[0].stretches[0].Minutes(), 239 * 60LL);     // hours 0..239, before the dip
        QVERIFY(r.gaps.empty());
        // A Wednesday without records breaks it and is listed.
        const auto wednesday = [](const QDateTime &t) { return t.date() == QDate(2026, 12, 16); };
        r = EvaluateHygiene(Pile(20 * 24, [](int) { return 60; }, wednesday), C("bioabfv-open"), 55);
        QVERIFY(!r.CoreMet());
        QCOMPARE(r.gaps.size(), size_t(1));
        QCOMPARE(r.gaps[0].from, QDate(2026, 12, 16));
        QCOMPARE(r.gaps[0].counted, 1);
        // A weekend without records: not under the German rules, yes under the US ones.
        const auto weekend = [](const QDateTime &t) { return t.date().dayOfWeek() >= 6; };
        r = EvaluateHygiene(Pile(20 * 24, [](int) { return 60; }, weekend), C("bioabfv-open"), 55);
        QVERIFY(r.CoreMet() && r.gaps.empty());
        QCOMPARE(r.depths[0].stretches[0].end, QDateTime(QDate(2026, 12, 25), QTime(23, 0), Qt::UTC));
        r = EvaluateHygiene(Pile(20 * 24, [](int) { return 60; }, weekend), C("pfrp-asp"), 55);
        QCOMPARE(r.gaps.size(), size_t(2));
        QCOMPARE(r.gaps[0].counted, 2);
        QVERIFY(r.depths[0].stretches[0].Minutes() < 6 * 1440);
        QVERIFY(r.CoreMet());                               // five weekdays still make 3 days
        // A stamp that is no date.
        DataFileContent bad = Plateau(24);
        bad.Lines[5].replace("00:00", "99:00");
        bad.Lines[5].replace("05:00", "99:00");
        r = EvaluateHygiene(bad, C("bioabfv-open"), 55);
        QVERIFY(r.ok && r.Checkable());
        QCOMPARE(r.undated.size(), size_t(1));
        QCOMPARE(r.undated[0].line, 6);
        QCOMPARE(r.records, bad.LineCount - 1);
    }

    // The same verdict on every PC, whatever order and clock faults the file holds.
    void timeOrderAndClockFaults()
    {
        support::SharedStateGuard guard;
        // Hourly at 60 °C over the spring change: seven whole days, met.
        auto hourly = [](const QDateTime &from, const QDateTime &to) {
            DataFileContent f;
            f.FileValid = true;
            TLiveValues v;
            v.T5 = v.T4 = v.T3 = v.T2 = v.T1 = 60;
            int n = 0;
            for (QDateTime t = from; t <= to; t = t.addSecs(3600))
                f.Lines << FormatDataLine(++n, t.toString("dd.MM.yyyy  hh:mm"), v);
            f.LineCount = f.Lines.size();
            return f;
        };
        const QDateTime spring(QDate(2026, 3, 23), QTime(8, 0), Qt::UTC);
        DataFileContent f = hourly(spring, spring.addDays(7));
        HygieneResult r = EvaluateHygiene(f, C("bioabfv-closed"), 55);
        QCOMPARE(StretchLengthText(r.depths[0].stretches[1].Minutes()), QString("7 d 00 h"));
        QVERIFY(r.CoreMet());
        QVERIFY(f.Lines.join('\n').contains("29.03.2026  02:00"));     // the skipped hour is a record
        QVERIFY(r.undated.empty() && r.stepsBack.empty());
        // Halves swapped: the same verdict, one step back listed.
        DataFileContent swapped = f;
        swapped.Lines = f.Lines.mid(f.Lines.size() / 2) + f.Lines.mid(0, f.Lines.size() / 2);
        r = EvaluateHygiene(swapped, C("bioabfv-closed"), 55);
        QVERIFY(r.CoreMet() && r.gaps.empty());
        QCOMPARE(r.stepsBack.size(), size_t(1));
        QCOMPARE(r.stepsBack[0].line, f.Lines.size() - f.Lines.size() / 2 + 1);
        // A reset plant clock (01.01.2000) inside a pile first saved on 25.03.2026
        // (its first records are older: the file is made at the first transfer):
        // listed, breaks nothing.
        f.FirstSaveLine = "Erste Datensicherung : 25.03.2026";
        f.LastModified = QDateTime(QDate(2026, 3, 30), QTime(9, 0));
        f.Lines[100].replace(f.Lines[100].section(';', 1, 1), "01.01.2000  00:00");
        f.Lines[101].replace(f.Lines[101].section(';', 1, 1), "01.04.2026  00:00");   // after the last change + 1 day
        r = EvaluateHygiene(f, C("bioabfv-closed"), 55);
        QCOMPARE(r.clockFaults.size(), size_t(2));
        QCOMPARE(r.clockFaults[0].line, 101);
        QVERIFY(r.CoreMet() && r.gaps.empty() && r.stepsBack.empty());
    }

    // Values no probe measures, and records twice, are no evidence.
    void implausibleAndRepeatedRecords()
    {
        support::SharedStateGuard guard;
        DataFileContent hot = Plateau(15 * 24, 999);
        HygieneResult r = EvaluateHygiene(hot, C("bioabfv-open"), 55);
        QVERIFY(!r.Checkable() && !r.CoreMet());
        QVERIFY(r.implausible.size() > size_t(15 * 24));
        // A few damaged values: listed, and the rest still judged.
        DataFileContent f = Plateau(15 * 24, 60);
        f.Lines[30].replace(";   60;", ";  abc;");
        f.Lines[31].replace(";   60;", ";2147483647;");
        r = EvaluateHygiene(f, C("bioabfv-open"), 55);
        QCOMPARE(r.implausible.size(), size_t(2));
        QVERIFY(r.Checkable() && r.CoreMet());
        // Every record twice, numbering restarted: counted once, not checkable.
        DataFileContent twice = Plateau(15 * 24, 60);
        const QStringList once = twice.Lines;
        for (qsizetype i = 0; i < once.size(); ++i)
            twice.Lines << once[i];
        r = EvaluateHygiene(twice, C("bioabfv-open"), 55);
        QCOMPARE(r.duplicates.size(), size_t(once.size()));
        QCOMPARE(r.records, once.size());
        QCOMPARE(r.stepsBack.size(), size_t(1));
        QVERIFY(!r.Checkable() && !r.CoreMet());
        // A reference temperature typed in °F: one row per label shown.
        Plants().ImperialUnits = true;
        QCOMPARE(EvaluateHygiene(f, C("bioabfv-open"), 55.1).thresholds, (std::vector<double>{55, 60, 65}));
        const std::vector<double> t = EvaluateHygiene(f, C("bioabfv-open"), 56.1).thresholds;   // 133 °F
        QCOMPARE(t.size(), size_t(4));
        QCOMPARE(t[3], (133 - 32) * 5.0 / 9.0);
        Plants().ImperialUnits = false;
    }

    // The site's working days: its weekdays, and the public holidays of its state.
    void workingDaysAndHolidays()
    {
        support::SharedStateGuard guard;
        QVERIFY(IsPublicHoliday(QDate(2026, 5, 25), "NW"));         // Whit Monday
        QVERIFY(IsPublicHoliday(QDate(2026, 6, 4), "NW") && !IsPublicHoliday(QDate(2026, 6, 4), "NI"));
        QVERIFY(IsPublicHoliday(QDate(2026, 11, 18), "SN") && !IsPublicHoliday(QDate(2026, 11, 18), "BY"));
        QVERIFY(IsPublicHoliday(QDate(2024, 3, 29), "HH"));         // Good Friday
        QVERIFY(!IsPublicHoliday(QDate(2026, 5, 25), ""));
        // 14 days at 60 °C from Mon 18.05.2026, no record on Whit Monday.
        DataFileContent f;
        f.FileValid = true;
        TLiveValues v;
        v.T5 = v.T4 = v.T3 = v.T2 = v.T1 = 60;
        int n = 0;
        for (QDateTime t(QDate(2026, 5, 18), QTime(0, 0), Qt::UTC); t <= QDateTime(QDate(2026, 6, 1), QTime(1, 0), Qt::UTC);
             t = t.addSecs(3600))
            if (t.date() != QDate(2026, 5, 25))
                f.Lines << FormatDataLine(++n, t.toString("dd.MM.yyyy  hh:mm"), v);
        HygieneCalendar site;
        QVERIFY(!EvaluateHygiene(f, C("bioabfv-open"), 55, site).CoreMet());
        site.holidays = "NW";
        HygieneResult r = EvaluateHygiene(f, C("bioabfv-open"), 55, site);
        QVERIFY(r.CoreMet());
        QCOMPARE(r.holidays, QList<QDate>{QDate(2026, 5, 25)});
        QCOMPARE(WorkingDaysText(site), QString("Mo–Fr, ohne Feiertage in NW"));
        QList<int> days;
        QVERIFY(ParseWeekdays("1-6", days) && days == (QList<int>{1, 2, 3, 4, 5, 6}));
        QVERIFY(!ParseWeekdays("0-5", days) && !ParseWeekdays("Mo", days));
        site.weekdays = {1, 2, 3, 4, 5, 6};
        site.holidays.clear();
        QCOMPARE(WorkingDaysText(site), QString("Mo–Sa"));
    }

    // The older layout (eight header lines, O2 in tenths) is read the same way.
    void olderLayout()
    {
        support::SharedStateGuard guard;
        DataFileContent f;
        QVERIFY(LoadDataFile(QStringLiteral(O2H_TESTDATA "/files/old-layout.csv"), f, nullptr) && f.FileValid);
        const HygieneResult r = EvaluateHygiene(f, C("pfrp-asp"), 55);
        QVERIFY(r.ok);
        QCOMPARE(r.records, f.LineCount);
        QVERIFY(r.depths[0].stretches[0].found);
        QCOMPARE(r.depths[0].stretches[0].start.date(), QDate(2009, 3, 1));
    }
};

QTEST_GUILESS_MAIN(TstHygiene)
#include "tst_hygiene.moc"
