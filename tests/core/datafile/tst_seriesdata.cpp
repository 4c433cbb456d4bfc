#include "datafile/SeriesData.h"
#include "datafile/DataFile.h"
#include "plant/Plant.h"
#include "support/SharedState.h"

#include <QLocale>
#include <QtTest>
#include <cmath>

namespace {

// A current-layout data line; o2 as written in the file.
QString Line(int n, const QString &stamp, int t5, int t4, int t3, int t2, int t1, const QString &o2 = " 20,9",
             const QString &tail = "3;  120;   15;")
{
    return QStringLiteral("%1;%2;%3;%4;%5;%6;%7;  100;%8;%9")
        .arg(n).arg(stamp).arg(t5, 5).arg(t4, 5).arg(t3, 5).arg(t2, 5).arg(t1, 5).arg(o2, tail);
}

QStringList Days()
{
    return {Line(1, "01.03.2026  08:00", 60, 50, 40, 30, 20), Line(2, "01.03.2026  16:00", 61, 50, 40, 30, 20),
            Line(3, "01.03.2026  23:59", 62, 50, 40, 30, 20), Line(4, "02.03.2026  08:00", 63, 50, 40, 30, 20),
            Line(5, "02.03.2026  20:00", 64, 50, 40, 30, 20)};
}

} // namespace

class TstSeriesData : public QObject {
    Q_OBJECT
    std::optional<support::SharedStateGuard> guard_;
private slots:
    void init()
    {
        guard_.emplace();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void cleanup() { guard_.reset(); }

    void everyLine()
    {
        QStringList lines = Days();
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, true, false, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.PointCount, 5);
        for (const auto &s : p.Values) {
            QCOMPARE(s.size(), size_t(6));
            QCOMPARE(s[0], 0.0);                          // start point
        }
        QCOMPARE(p.Values[SeriesT100][1], 60.0);
        QCOMPARE(p.Values[SeriesT0][5], 20.0);
        QCOMPARE(p.Values[SeriesO2][3], 20.9);
        QCOMPARE(p.Values[SeriesRunTime][2], 120.0);
        QCOMPARE(p.Values[SeriesCycles][2], 15.0);
        QCOMPARE(p.Labels.size(), 5);
        QCOMPARE(p.Labels[2], QString("01.03.2026  23:59"));
    }

    void onePerDayTakesTheLastLineOfEachDay()
    {
        QStringList lines = Days();
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.PointCount, 2);
        QCOMPARE(p.Values[SeriesT100], (std::vector<double>{0, 62, 64}));
        QCOMPARE(p.Labels, (QStringList{"01.03.2026  23:59", "02.03.2026  20:00"}));

        // An empty line ends the days; a stamp without a blank is the same day.
        lines = Days();
        lines[3] = "4;02.03.2026;   70;   50;   40;   30;   20;  100; 20,9;3;  120;   15;";
        lines.insert(4, QString());
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::DateError);
        lines = Days();
        lines[4] = QString();
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.Values[SeriesT100], (std::vector<double>{0, 62, 63}));

        lines = QStringList{"1;" + QString(), Days()[1]};
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::NoDays);
        QCOMPARE(p.PointCount, 0);
        lines.clear();
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::NoDays);
    }

    void midnightRepeatsAreMerged()
    {
        QStringList lines;
        for (int i = 0; i < 9; ++i)
            lines << Line(i + 1, QString("0%1.03.2026  12:00").arg(i + 1), 60, 50, 40, 30, 20);
        lines[0].replace("12:00", "23:59");
        lines[1].replace("12:00", "23:59");             // lines 0 and 1 are never compared
        lines[5].replace("12:00", "23:59");
        lines[6].replace("12:00", "23:59");
        lines[7].replace("12:00", "23:59");
        const QString eighth = lines[8];
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, true, false, p, nullptr), BuildOutcome::Built);
        QCOMPARE(lines.size(), 7);
        QVERIFY(lines[1].startsWith("2;"));
        QVERIFY(lines[5].startsWith("6;"));
        QCOMPARE(lines[6], eighth);
        QCOMPARE(p.PointCount, 7);

        QStringList two{lines[0], lines[1]};
        QCOMPARE(MergeMidnightRepeats(two), 0);
        QStringList runs{"a", "23:59", "23:59", "23:59", "b", "23:59", "23:59"};
        QCOMPARE(MergeMidnightRepeats(runs), 3);
        QCOMPARE(runs, (QStringList{"a", "23:59", "b", "23:59"}));
    }

    void valuesAndFaultyFields()
    {
        QStringList lines{
            Line(1, "08.12.2026  14:30", 60, 50, 40, 30, 20, "  209"),
            Line(2, "08.12.2026  15:30", 60, 50, 40, 30, 20, "20.9"),
            "3;08.12.2026  16:30;   60;   50;  abc;   30;   20;   87; 18,5;3;   10;    2;",
            Line(4, "08.12.2026  17:30", 60, 50, 40, 30, 20, "  x", "3;  120;   15;extra;"),
            "5;08.12.2026  18:30;   60;   50;   40;   30;   20;   87",
            Line(6, "8.1.26 9:05", 60, 50, 40, 30, 20, " 20,9", "3;  1,5; abc;"),
        };
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, false, false, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.PointCount, 6);
        QCOMPARE(p.Values[SeriesO2][1], 20.9);              // tenths in the old layout
        QCOMPARE(p.Values[SeriesO2][2], 2.09);
        // "abc" as T3: a gap there and in the reference depth, never 0 °C.
        QVERIFY(std::isnan(p.Values[SeriesT50][3]) && std::isnan(p.Values[SeriesRef][3]));
        QCOMPARE(p.Values[SeriesT100][3], 60.0);
        QCOMPARE(p.Values[SeriesO2][3], 1.85);
        QCOMPARE(p.Values[SeriesRunTime][3], 10.0);
        QCOMPARE(p.Values[SeriesO2][4], 0.0);               // not a number
        QCOMPARE(p.Values[SeriesRunTime][4], 0.0);          // thirteenth field
        QCOMPARE(p.Values[SeriesCycles][4], 0.0);
        QCOMPARE(p.Values[SeriesO2][5], 0.0);               // missing
        QCOMPARE(p.Values[SeriesT100][5], 60.0);
        QCOMPARE(p.Values[SeriesRunTime][6], 1.5);
        QCOMPARE(p.Values[SeriesCycles][6], 0.0);
        QCOMPARE(p.Labels[5], QString("08.01.2026  09:05"));
    }

    void referenceDepthIsComputedAnew()
    {
        QStringList lines{Line(1, "08.12.2026  14:30", 60, 50, 40, 30, 20)};
        SeriesPoints p;
        BuildSeriesData(lines, true, false, p, nullptr);
        QCOMPARE(p.Values[SeriesRef][1], 87.0);             // not the file's 100
        Plants().RefTemp = 45.0;
        BuildSeriesData(lines, true, false, p, nullptr);
        QCOMPARE(p.Values[SeriesRef][1], 62.0);
        Plants().RefTemp = 70.0;
        BuildSeriesData(lines, true, false, p, nullptr);
        QCOMPARE(p.Values[SeriesRef][1], 100.0);
    }

    void imperialUnits()
    {
        Plants().ImperialUnits = true;
        QStringList lines{Line(1, "08.12.2026  14:30", 60, 55, 50, 50, 20)};
        SeriesPoints p;
        BuildSeriesData(lines, true, false, p, nullptr);
        QCOMPARE(p.Values[SeriesT100][1], 140.1);
        QCOMPARE(p.Values[SeriesT25][1], 122.1);
        QCOMPARE(p.Values[SeriesRef][1], 29.1);             // 75 cm
        QCOMPARE(p.Values[SeriesO2][1], 20.9);              // O2 is not converted
    }

    void badDatesStopTheBuild()
    {
        QStringList lines = Days();
        lines[2].replace("01.03.2026  23:59", "31.02.2026  10:00");
        SeriesPoints p;
        QString error;
        QCOMPARE(BuildSeriesData(lines, true, false, p, &error), BuildOutcome::DateError);
        QCOMPARE(error, QString::fromUtf8("'31.02.2026  10:00' ist keine gültige Datums- und Uhrzeitangabe"));
        QCOMPARE(p.PointCount, 2);                          // points so far stay
        QCOMPARE(p.Values[SeriesT100].size(), size_t(3));
        QCOMPARE(p.Labels.size(), 2);

        lines = Days();
        lines[3].replace("02.03.2026", "2.x.2026");
        QCOMPARE(BuildSeriesData(lines, true, true, p, &error), BuildOutcome::DateError);
        QCOMPARE(error, QString::fromUtf8("'2.x.2026' ist kein gültiges Datum"));
        QCOMPARE(p.PointCount, 0);

        for (const char *bad : {"08.12.2026 25:00", "08.12.2026  14:", "08.12.2026  14:30 x", "", "08.12.2026x14:30"}) {
            int d, m, y, h, mi;
            QVERIFY2(!ParseStampText(QString(bad), d, m, y, h, mi), bad);
        }
        int d, m, y, h, mi;
        QVERIFY(ParseStampText(u" 8.12.2026   7:05:00", d, m, y, h, mi));
        QCOMPARE(QList<int>({d, m, y, h, mi}), QList<int>({8, 12, 2026, 7, 5}));
    }

    void blankLinesHideNoRecords()
    {
        QStringList lines = Days();
        lines.insert(3, QStringLiteral("  "));
        lines.insert(2, QString());
        lines.prepend(QString());
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, true, false, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.PointCount, 5);
        QCOMPARE(p.Values[SeriesT100].back(), 64.0);
        lines = Days();
        lines.insert(4, QString());
        lines.append(QString());
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.PointCount, 2);
        QCOMPARE(p.Values[SeriesT100][1], 62.0);
        QCOMPARE(p.Values[SeriesT100][2], 64.0);
    }

    void manyLines()
    {
        QStringList lines;
        for (int i = 0; i < 70000; ++i)
            lines << Line(i + 1, QString("%1.%2.2026  %3:00").arg(1 + (i / 24) % 28).arg(1 + (i / 672) % 12).arg(i % 24, 2, 10, QChar('0')),
                          60, 50, 40, 30, 20);
        SeriesPoints p;
        QCOMPARE(BuildSeriesData(lines, true, false, p, nullptr), BuildOutcome::Built);
        QCOMPARE(p.PointCount, 70000);
        QCOMPARE(p.Values[SeriesO2].size(), size_t(70001));
        QCOMPARE(BuildSeriesData(lines, true, true, p, nullptr), BuildOutcome::Built);
        QVERIFY(p.PointCount > 2000);
    }
};

QTEST_GUILESS_MAIN(TstSeriesData)
#include "tst_seriesdata.moc"
