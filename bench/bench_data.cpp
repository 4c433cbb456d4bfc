// Writes a 65 535-line data file, then times LoadFile + BuildSeries (per record and
// per day) against a plain read-and-split of the same file.

#include "models/UMessDaten.h"
#include "datafile/DataFile.h"
#include "link/PlantTable.h"
#include "settings/SettingsFile.h"
#include "base/TextCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kLines = 65535;
constexpr int kRounds = 7;

double Best(const std::function<void()> &f)
{
    double best = 1e300;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    // A company line with an umlaut: the file is Windows-1252, not plain ASCII.
    TSettingsFile ini(dir.filePath(QStringLiteral("Haldrix.ini")));
    SettingsFile = &ini;
    WriteSetting(QStringLiteral("Firma"), QStringLiteral("Titel"), QString::fromUtf8("Kompost Müller"));
    PlantTable[1].Name = QStringLiteral("Bench");
    PlantTable[1].Pfad = ProgramFolder;
    MakeDataFileName(1);
    if (!OpenDataFile(1))
        return 1;
    TLiveValues v;
    for (int i = 0; i < kLines; ++i) {
        const int minutes = i * 30;
        const QDate d = QDate(2026, 1, 1).addDays(minutes / 1440);
        v.T5 = 40 + i % 30, v.T4 = 45 + i % 25, v.T3 = 50 + i % 20, v.T2 = 55 + i % 15, v.T1 = 20 + i % 10;
        v.O2 = 150 + i % 60, v.Betriebsart = quint8(i % 4), v.Luefterlaufzeit = i, v.LuefterZyklen = i / 3;
        ComputeRefDepth(v);
        const QString stamp = QStringLiteral("%1.%2.%3  %4:%5")
                                  .arg(d.day(), 2, 10, QChar(u'0')).arg(d.month(), 2, 10, QChar(u'0')).arg(d.year())
                                  .arg(minutes % 1440 / 60, 2, 10, QChar(u'0')).arg(minutes % 60, 2, 10, QChar(u'0'));
        if (!AppendDataLine(1, stamp, v))
            return 1;
    }
    CloseDataFile(1);
    const QString path = PlantTable[1].Datei;

    const double loadOnly = Best([&] {
        TMessDaten m;
        m.LoadFile(path);
    });
    qint64 points = 0;
    const double perRecord = Best([&] {
        TMessDaten m;
        m.LoadFile(path);
        m.BuildSeries(false, nullptr);
        points = m.PointCount;
    });
    qint64 days = 0;
    const double perDay = Best([&] {
        TMessDaten m;
        m.LoadFile(path);
        m.BuildSeries(true, nullptr);
        days = m.PointCount;
    });
    qint64 fields = 0;
    const double plain = Best([&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QString text = DecodeWindows1252(f.readAll());
        fields = 0;
        for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            fields += line.split(u';').size();
    });

    std::printf("points per record: %lld, per day: %lld, fields split: %lld\n", static_cast<long long>(points),
                static_cast<long long>(days), static_cast<long long>(fields));
    std::printf("LoadFile alone: %.1f ms\n", loadOnly);
    std::printf("LoadFile+BuildSeries per record: %.1f ms, per day: %.1f ms, plain read-and-split: %.1f ms\n",
                perRecord, perDay, plain);
    std::printf("LoadFile+BuildSeries %d lines: %.0f ms (%.1fx plain read)\n", kLines, perRecord, perRecord / plain);
    SettingsFile = nullptr;
    return points == kLines ? 0 : 1;
}
