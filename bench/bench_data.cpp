// Writes a 65 535-line data file, then times LoadFile + BuildSeries (per record and
// per day) against a plain read-and-split of the same file.

#include "BenchDataFile.h"
#include "models/UMessDaten.h"
#include "datafile/DataFile.h"
#include "plant/Plant.h"
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
    Settings().SettingsFile = &ini;
    WriteSetting(QStringLiteral("Firma"), QStringLiteral("Titel"), QString::fromUtf8("Kompost Müller"));
    const QString path = WriteBenchDataFile(kLines);
    if (path.isEmpty())
        return 1;

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
    Settings().SettingsFile = nullptr;
    return points == kLines ? 0 : 1;
}
