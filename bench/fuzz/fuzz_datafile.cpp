// The data file reader and the series model on fuzzed files: half of the inputs are
// built as data files of either layout (header, numbered lines, fields in and out of
// range, blank lines, byte-order marks, both encodings), half are raw bytes.
// Invariants: the load rules (a file is ours only when its first data line is
// numbered 1; the line count is the number of non-blank data lines, none of them
// blank) and series of finite values or gaps (NaN, temperatures and the reference
// depth only), as many as there are points.

#include "datafile/DataFile.h"
#include "datafile/SeriesData.h"
#include "plant/Plant.h"

#include <QTemporaryDir>

#include <cmath>

#include "FuzzDriver.h"

namespace {

QByteArray Field(fuzz::Bytes &in)
{
    switch (in.Pick(6)) {
    case 0: return QByteArray::number(in.Int());
    case 1: return QByteArray::number(in.Int() % 1000).rightJustified(5, ' ');
    case 2: return QByteArray::number(in.Pick(300)) + ',' + QByteArray::number(in.Pick(10));
    case 3: return QByteArray();
    case 4: return "1e308";
    default: return QByteArray(1, char(in.Byte()));
    }
}

QByteArray Stamp(fuzz::Bytes &in)
{
    if (in.Pick(8) == 0)
        return Field(in);
    return QByteArray::number(1 + in.Pick(31)).rightJustified(2, '0') + '.' + QByteArray::number(1 + in.Pick(12)).rightJustified(2, '0')
           + ".20" + QByteArray::number(in.Pick(100)).rightJustified(2, '0') + "  "
           + QByteArray::number(in.Pick(25)).rightJustified(2, '0') + ':' + QByteArray::number(in.Pick(61)).rightJustified(2, '0');
}

QByteArray BuiltFile(fuzz::Bytes &in)
{
    QByteArray f;
    if (in.Pick(6) == 0)
        f += "\xEF\xBB\xBF";
    const bool old = in.Pick(2);
    f += "Firma\r\nZeile 2\r\nZeile 3\r\n";
    if (!old)
        f += "\r\n";
    f += "Anlagen- Name: M\xFC" "hle\r\nDatei  - Name: x.CSV\r\n";
    if (!old)
        f += "Kommentar\r\n";
    f += "Erste Datensicherung : 01.12.2026\r\n";
    if (!old)
        f += " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen\r\n";
    int number = in.Pick(8) == 0 ? in.Pick(3) : 1;
    for (int lines = in.Pick(40); lines > 0 && in.More(); --lines) {
        if (in.Pick(10) == 0) {
            f += in.Pick(2) ? "\r\n" : "   \n";
            continue;
        }
        QByteArray l = QByteArray::number(number++) + ';' + Stamp(in);
        for (int i = 0, n = in.Pick(12) == 0 ? in.Pick(12) : 10; i < n; ++i)
            l += ';' + Field(in);
        f += l + (in.Pick(8) == 0 ? "\n" : "\r\n");
    }
    return f;
}

int Target(fuzz::Bytes &in)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.CSV"));
    const QByteArray bytes = in.Pick(2) ? BuiltFile(in) : in.Rest();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(bytes);
    }
    DataFileContent c;
    QString error;
    FUZZ_CHECK(LoadDataFile(path, c, &error));
    FUZZ_CHECK(c.LineCount == c.Lines.size());
    if (!c.FileValid) {
        FUZZ_CHECK(c.LineCount == 0);
        return 0;
    }
    FUZZ_CHECK(!c.Lines.isEmpty() && c.Lines.first().section(u';', 0, 0).trimmed() == QLatin1String("1"));
    for (const QString &l : c.Lines)
        FUZZ_CHECK(!QStringView(l).trimmed().isEmpty());
    for (bool perDay : {false, true}) {
        QStringList lines = c.Lines;
        SeriesPoints points;
        QString why;
        BuildSeriesData(lines, c.O2InPercent, perDay, points, &why);
        FUZZ_CHECK(points.PointCount >= 0 && points.Labels.size() == points.PointCount);
        for (int k = 0; k < SeriesCountTotal; ++k) {
            const std::vector<double> &series = points.Values[size_t(k)];
            FUZZ_CHECK(qint64(series.size()) == points.PointCount + 1);
            // Temperatures and the reference depth may have gaps (a value no probe
            // measures); a gap is NaN, never an infinity.
            const bool gaps = k <= SeriesRef;
            for (double v : series)
                FUZZ_CHECK(std::isfinite(v) || (gaps && std::isnan(v)));
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) { return fuzz::Run("datafile", argc, argv, Target); }
