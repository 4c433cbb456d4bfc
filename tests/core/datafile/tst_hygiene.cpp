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
        QCOMPARE(r.depths[0].stretches[0].start, QDateTime(QDate(2026, 12, 8), QTime(0, 0)));
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
        QCOMPARE(r.depths[0].stretches[0].end, QDateTime(QDate(2026, 12, 26), QTime(23, 0)).addDays(-1));
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
        QVERIFY(!r.ok && r.error.contains("Zeile 6"));
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
