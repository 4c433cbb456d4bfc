// The graph window with a data file of 65 535 lines, all seven environment curves:
// the time of a full replot, and of one pan step of a zoomed view.

#include "data/UGraphForm.h"
#include "datafile/DataFile.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Median of `runs` timings of `step`, in ms.
template <class F> double Median(int runs, F step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step(i);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    QByteArray text = "Firma\r\nZ2\r\nZ3\r\n\r\nAnlagen- Name: Gross\r\nDatei  - Name: gross.csv\r\nKomm\r\n"
                      "Erste Datensicherung : 01.01.2019\r\n"
                      " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen\r\n";
    const QDateTime start(QDate(2019, 1, 1), QTime(0, 0));
    constexpr int lines = 65535;
    for (int i = 0; i < lines; ++i) {
        TLiveValues v;
        v.T5 = 30 + (i * 7) % 40;
        v.T4 = v.T5 - 3;
        v.T3 = v.T5 - 6;
        v.T2 = v.T5 - 9;
        v.T1 = 10 + i % 7;
        v.RefMarke = (i * 13) % 101;
        v.O2 = 50 + (i * 11) % 160;
        v.Luefterlaufzeit = i;
        v.LuefterZyklen = i / 3;
        text += FormatDataLine(i + 1, start.addSecs(3600LL * i).toString("dd.MM.yyyy  hh:mm"), v).toLatin1() + "\r\n";
    }
    const QString path = dir.filePath("gross.csv");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        return 1;
    f.close();
    WriteSettingBool("COM", "WRT", false);        // every line a point

    TFGraphForm w;
    w.resize(1280, 900);
    w.show();
    QCoreApplication::processEvents();
    QElapsedTimer load;
    load.start();
    w.OpenFile(path);
    const qint64 loadMs = load.elapsed();
    QCustomPlot *chart = w.Chart();
    const double replot = Median(15, [&](int) { chart->replot(QCustomPlot::rpImmediateRefresh); });
    w.ZoomTo(20000, 40000);
    const double pan = Median(15, [&](int i) {
        w.Pan(i % 2 ? -150.0 : 150.0);
        chart->replot(QCustomPlot::rpImmediateRefresh);
    });
    std::printf("load %d lines: %lld ms\n", lines, qlonglong(loadMs));
    std::printf("graph replot %d points x7: %.1f ms, pan %.1f ms\n", lines, replot, pan);
    return 0;
}
