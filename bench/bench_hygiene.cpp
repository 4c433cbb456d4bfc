// The hygienisation evidence page of a data file: reading the file, evaluating the
// criterion and rendering the page to PDF, best of five. `bench_hygiene [lines]
// [--keep PATH]` (65 535 lines by default; --keep copies the file there, for timing
// the command-line companion on the same file).

#include "BenchDataFile.h"
#include "datafile/Hygiene.h"
#include "reports/HygieneFill.h"
#include "reports/ReportForms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString keep;
    if (const qsizetype k = args.indexOf(QStringLiteral("--keep")); k >= 0 && k + 1 < args.size()) {
        keep = args[k + 1];
        args.remove(k, 2);
    }
    const int lines = args.isEmpty() ? 65535 : args[0].toInt();
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    TSettingsFile ini(dir.filePath(QStringLiteral("Haldrix.ini")));
    Settings().SettingsFile = &ini;
    // Every record dated, none later than today: all of them count.
    const QString path = WriteBenchDataFile(lines, QDate::currentDate().addDays(-(lines / 48 + 2)));
    if (path.isEmpty())
        return 1;
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(path, keep);
    }
    const HygieneCriterion &criterion = *FindHygieneCriterion(QString::fromLatin1(DefaultHygieneCriterion()));
    const QString pdf = dir.filePath(QStringLiteral("evidence.pdf"));
    double best = 1e300, evaluate = 1e300;
    qint64 records = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        DataFileContent file;
        if (!LoadDataFile(path, file, nullptr))
            return 1;
        const HygieneResult r = EvaluateHygiene(file, criterion, 55, HygieneCalendar());
        evaluate = std::min(evaluate, t.nsecsElapsed() / 1e6);
        if (!r.ok)
            return 1;
        records = r.records;
        if (!MakeHygienePage(r, file)->ExportPdf(pdf, nullptr, nullptr))
            return 1;
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    Settings().SettingsFile = nullptr;
    std::printf("%lld records, read and evaluated in %.1f ms\n", static_cast<long long>(records), evaluate);
    std::printf("evidence page %d lines: %.0f ms\n", lines, best);
    return records == lines ? 0 : 1;
}
