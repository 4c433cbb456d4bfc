// A measurement protocol of hourly records with the graph, rendered to PDF:
// `bench_report [rows] [out.pdf]`, 1000 rows by default; the PDF is kept when named.

#include "base/DisplayFormat.h"
#include "datafile/DataFile.h"
#include "reports/ProtocolFill.h"
#include "reports/ReportForms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseDisplayLanguage(QStringLiteral("de"));   // as the program and the CLI start: dates dd.MM.yyyy
    DataFileContent file;
    file.FileValid = true;
    file.O2InPercent = true;
    file.Title1 = QStringLiteral("Kompostwerk Nord");
    file.PileName = QStringLiteral("Miete 7");
    const QDateTime start(QDate(2026, 11, 1), QTime(0, 0));
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    for (int i = 1; i <= rows; ++i) {
        // Warming up, then a plateau with the jitter of real sensors: a smooth curve would
        // let the chart's point reduction hide the cost of drawing it.
        const int core = qMin(68, 15 + i / 4) + int(quint32(i) * 2654435761u >> 29) - 4;
        file.Lines << QStringLiteral("%1;%2;%3;%4;%5;%6;%7;  100; 18,5;3;%8;%9;")
                          .arg(i)
                          .arg(start.addSecs(3600LL * i).toString(QStringLiteral("dd.MM.yyyy  hh:mm")))
                          .arg(core, 5).arg(core - 5, 5).arg(core - 10, 5).arg(core - 15, 5).arg(core - 20, 5)
                          .arg(i * 3, 5).arg(i, 5);
    }
    file.LineCount = file.Lines.size();
    QTemporaryDir dir;
    QElapsedTimer clock;
    clock.start();
    ProtocolResult p = MakeProtocol(ProtocolKind::Measurement, file, false, true);
    int pages = 0;
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("p.pdf"));
    if (!p.form || !p.form->ExportPdf(out, nullptr, &pages)) {
        std::fprintf(stderr, "bench_report: no protocol: %s\n", qPrintable(p.error));
        return 1;
    }
    std::printf("protocol %lld rows: %lld ms, %d pages\n", qlonglong(p.points), qlonglong(clock.elapsed()), pages);
    return 0;
}
