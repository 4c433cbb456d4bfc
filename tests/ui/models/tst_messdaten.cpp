#include "models/UMessDaten.h"
#include "plant/Plant.h"
#include "widgets/MessageBox.h"
#include "support/SharedState.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <qcustomplot.h>

namespace {

const QString kDir = QStringLiteral(O2H_TESTDATA);

QCPTextElement *TextElement(QCustomPlot &chart, const QString &startsWith)
{
    for (int i = 0; i < chart.plotLayout()->elementCount(); ++i)
        if (auto *t = qobject_cast<QCPTextElement *>(chart.plotLayout()->elementAt(i)))
            if (t->text().startsWith(startsWith))
                return t;
    return nullptr;
}

} // namespace

class TstMessDaten : public QObject {
    Q_OBJECT
    QStringList errors_;

    std::unique_ptr<TMessDaten> Model()
    {
        auto m = std::make_unique<TMessDaten>();
        m->SetErrorSink([this](const QString &t) { errors_ << t; });
        return m;
    }

private slots:
    void init()
    {
        support::ResetSharedState();
        errors_.clear();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void seriesSettingsAtCreation()
    {
        auto m = Model();
        QCOMPARE(m->TempSeries(5).Title, QString("T  0cm"));
        QCOMPARE(m->RefSeries().Title, QString::fromUtf8("s 55°C[cm]"));
        // Colours are given as 0xBBGGRR.
        QCOMPARE(m->TempSeries(1).Color, QColor(0x80, 0, 0));        // maroon, 0x000080
        QCOMPARE(m->TempSeries(5).Color, QColor(0, 0x80, 0x80));      // teal, 0x808000
        QVERIFY(m->O2Series().RightAxis && m->CyclesSeries().RightAxis && !m->RunTimeSeries().RightAxis);
        Plants().ImperialUnits = true;
        BuildRefCaption();
        auto imp = Model();
        QCOMPARE(imp->TempSeries(1).Title, QString("T 40in"));
        QCOMPARE(imp->TempSeries(5).Title, QString("T 0in"));
        QCOMPARE(imp->RefSeries().Title, QString::fromUtf8("s 131°F[in]"));
    }

    void loadAndBuildOnePerDay()
    {
        auto m = Model();
        QVERIFY(m->LoadFile(kDir + "/files/old-layout.csv"));
        QVERIFY(m->FileValid);
        QCOMPARE(m->LineCount, 5);
        QCustomPlot chart;
        m->AttachSeries(&chart);
        QVERIFY(m->BuildSeries(true, &chart));
        QCOMPARE(m->PointCount, 2);
        QCOMPARE(m->Labels, (QStringList{"01.03.2009  23:59", "02.03.2009  20:00"}));
        QCOMPARE(m->O2Series().Value(1), 18.0);
        QCOMPARE(m->RunTimeSeries().Value(2), 50.0);
        QCOMPARE(chart.xAxis->range().lower, 0.7);
        QCOMPARE(chart.xAxis->range().upper, 2.0);
        QCOMPARE(chart.yAxis->range().upper, 100.0);
        QCOMPARE(chart.yAxis2->range().upper, 25.0);
        QCOMPARE(chart.xAxis->label(), QString("Messwert- Nr"));
        QCOMPARE(chart.yAxis->label(), QString::fromUtf8("T[°C]"));
        QVERIFY(TextElement(chart, QString::fromUtf8("Kompostwerk Süd\nZeile zwei\nZeile drei\n Miete Alt")));
        QVERIFY(TextElement(chart, " C:\\Daten\\Miete-Alt.CSV"));
        QVERIFY(chart.legend->visible());
        QCOMPARE(chart.legend->itemCount(), 9);

        // A second set-up reuses title and footer.
        const int elements = chart.plotLayout()->elementCount();
        m->SetupChart(&chart);
        QCOMPARE(chart.plotLayout()->elementCount(), elements);

        m->FanView = true;
        m->SetAxes(&chart);
        QCOMPARE(chart.xAxis->range().upper, 2.5);         // the last bar shown whole
        QCOMPARE(chart.yAxis->range().lower, 0.0);
        QVERIFY(chart.yAxis->range().upper >= 50.0);       // run time up to 50
        QVERIFY(chart.yAxis2->range().upper >= 10.0);
        QCOMPARE(chart.yAxis->label(), QString("t/min"));
        QCOMPARE(chart.yAxis2->label(), QString("n"));
        QVERIFY(errors_.isEmpty());
    }

    void chartsShareTheModelsData()
    {
        auto m = Model();
        QVERIFY(m->LoadFile(kDir + "/files/old-layout.csv"));
        QCustomPlot chart;
        m->AttachSeries(&chart);
        QCOMPARE(chart.plottableCount(), 9);
        auto *t1 = qobject_cast<QCPGraph *>(m->Plottable(SeriesT100));
        auto *bars = qobject_cast<QCPBars *>(m->Plottable(SeriesCycles));
        QVERIFY(t1 && bars);
        QCOMPARE(t1->valueAxis(), chart.yAxis);
        QCOMPARE(bars->valueAxis(), chart.yAxis2);
        QCOMPARE(t1->pen().color(), QColor(0x80, 0, 0));
        QCOMPARE(t1->name(), QString("T 100cm"));
        QCOMPARE(t1->data()->size(), 0);
        QVERIFY(m->BuildSeries(false, &chart));
        QCOMPARE(t1->data()->size(), 6);                   // rebuilt data shows without re-attaching
        QCOMPARE(t1->data().data(), m->TempSeries(1).GraphData.data());
        QCOMPARE(bars->data()->size(), 6);

        m->ShowSeries(SeriesO2, false);
        QVERIFY(!m->Plottable(SeriesO2)->visible());
        QCOMPARE(chart.legend->itemCount(), 8);

        // Moving to another chart takes the series off the first.
        QCustomPlot other;
        m->AttachSeries(&other);
        QCOMPARE(chart.plottableCount(), 0);
        QCOMPARE(other.plottableCount(), 9);
        m->AttachSeries(nullptr);
        QCOMPARE(other.plottableCount(), 0);
        QVERIFY(!m->Plottable(SeriesT100));

        // Chart freed first, model later, and the other way round.
        {
            QCustomPlot temp;
            m->AttachSeries(&temp);
        }
        QVERIFY(!m->AttachedChart());
        m->AttachSeries(&chart);
        m.reset();
        QCOMPARE(chart.plottableCount(), 0);
    }

    void errorsReachTheSink()
    {
        auto m = Model();
        QVERIFY(!m->LoadFile(kDir + "/no-such-file.csv"));
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_[0].startsWith(QString::fromUtf8("Datei ")));
        QVERIFY(errors_[0].contains(QString::fromUtf8("kann nicht geöffnet werden. ")));
        QVERIFY(!m->FileValid);
        QCOMPARE(m->LineCount, 0);

        QVERIFY(m->LoadFile(kDir + "/files/old-layout.csv"));
        m->Lines[3].replace("02.03.2009  08:00", "02.13.2009  08:00");
        QCustomPlot chart;
        QVERIFY(!m->BuildSeries(false, &chart));
        QCOMPARE(errors_.last(), QString::fromUtf8("'02.13.2009  08:00' ist keine gültige Datums- und Uhrzeitangabe"));
        QCOMPARE(m->PointCount, 3);
        QCOMPARE(m->TempSeries(1).Count(), 4);
        QVERIFY(!TextElement(chart, QString::fromUtf8("Kompostwerk")));   // chart set-up skipped

    }

    void withoutSinkMessagesGoToErrorBoxes()
    {
        QList<std::pair<MsgKind, QString>> shown;
        SetMessageHandler([&shown](MsgKind kind, const QString &text) {
            shown.append({kind, text});
            return MsgAnswer::Ok;
        });
        QWidget owner;
        auto *m = new TMessDaten(&owner);
        QVERIFY(!m->LoadFile(kDir + "/no-such-file.csv"));
        SetMessageHandler({});
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].first, MsgKind::Error);
        QVERIFY(shown[0].second.contains(QString::fromUtf8("kann nicht geöffnet werden")));
    }

    void midnightMergeChangesTheModelsLines()
    {
        auto m = Model();
        QVERIFY(m->LoadFile(kDir + "/files/old-layout.csv"));
        m->Lines.insert(3, m->Lines[2]);                  // a second 23:59 line
        m->LineCount = m->Lines.size();
        QVERIFY(m->BuildSeries(false, nullptr));
        QCOMPARE(m->LineCount, 5);
        QCOMPARE(m->Lines.size(), 5);
        QCOMPARE(m->PointCount, 5);
    }
};

QTEST_MAIN(TstMessDaten)
#include "tst_messdaten.moc"
