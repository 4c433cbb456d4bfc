#include "reports/HygieneFill.h"
#include "datafile/Seal.h"

#include "plant/Plant.h"
#include "reports/ReportForms.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include "base/DisplayFormat.h"

#include <QLocale>
#include <QPainter>

#include <functional>

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("Hygiene", text); }

QString Degrees(double celsius)
{
    // Whole degrees as the file holds them; °F as every other printed value shows it.
    if (Plants().ImperialUnits)
        return QStringLiteral("%1 °F").arg(qRound(celsius * 9.0 / 5.0 + 32.0));
    return QString::number(celsius, 'f', celsius == qRound(celsius) ? 0 : 1).replace(u'.', QLocale().decimalPoint())
        + QStringLiteral(" °C");
}

// In the program's language, never the system's: German 16.11.2026 04:00.
QString Stamp(const QDateTime &t) { return DisplayStampText(t); }
QString Day(const QDate &d) { return ShortDateText(d); }

// A list of lines on the page, at most five of them and how many more.
void AddLines(QStringList &out, const QString &heading, const std::vector<HygieneLine> &lines,
              const std::function<QString(const HygieneLine &)> &text)
{
    if (lines.empty())
        return;
    out << heading;
    for (size_t i = 0; i < lines.size() && i < 5; ++i)
        out << QStringLiteral("    ") + text(lines[i]);
    if (lines.size() > 5)
        out << QStringLiteral("    ") + Tr(QT_TRANSLATE_NOOP("Hygiene", "… und %1 weitere")).arg(lines.size() - 5);
}

class TFQRHygiene : public TReportForm {
public:
    TFQRHygiene(const HygieneResult &r, const DataFileContent &file) : r_(r), lost_(file.LostInFlight)
    {
        labels_["QRKLabel1"] = Tr(QT_TRANSLATE_NOOP("Hygiene", "Hygienenachweis"));
        labels_["QRKopf1"] = file.Title1;
        labels_["QRKopf2"] = file.Title2;
        labels_["QRKopf3"] = file.Title3;
        labels_["AnlName"] = file.PileName.trimmed();
        labels_["DateiName"] = file.FileNameText;
        labels_["Pruefwert"] = file.Path.isEmpty() ? QString() : VerifySeal(file.Path).PrintValue();
        for (const HygieneDepth &d : r_.depths)      // the page's own copy
            for (size_t t = 0; t < d.stretches.size(); ++t)
                rows_.push_back({&d, t});
        NeedData = [this] {
            if (row_ < rows_.size()) {
                ++row_;
                return true;
            }
            row_ = 0;
            return false;
        };
        PrintLabel = [this](const QString &label) { return Cell(label); };
        RemoveChart();
    }

protected:
    BandReport Layout() override
    {
        BandReport b = Base({"Tiefe", "Schwelle", "Strecke", "Von", "Bis", "Anzahl", "Ergebnis"});
        b.PageSize = ProtocolPageSize();
        b.MarginsMm = QMarginsF(10, 10, 10, 10);
        b.Title = Label("QRKLabel1");
        b.FooterDateLabel = Tr(QT_TRANSLATE_NOOP("Hygiene", "Druckdatum/-zeit :"));
        b.FooterPageLabel = Tr(QT_TRANSLATE_NOOP("Hygiene", "Seitennr. :"));
        const QString records = QCoreApplication::translate("Hygiene", "%n Datensätze, %1 bis %2", nullptr, int(r_.records))
                                    .arg(Stamp(r_.first), Stamp(r_.last));
        b.Header = {{{}, Label("QRKLabel1"), 12, true, Qt::AlignHCenter},
                    {{}, Label("QRKopf1"), 11, true},
                    {{}, Label("QRKopf2")},
                    {{}, Label("QRKopf3")},
                    {Tr(QT_TRANSLATE_NOOP("Hygiene", "Anlagen- Name :")), Label("AnlName")},
                    {Tr(QT_TRANSLATE_NOOP("Hygiene", "Datei- Name :")), Label("DateiName")},
                    {Tr(QT_TRANSLATE_NOOP("Hygiene", "Kriterium :")), Tr(r_.criterion->title)},
                    {Tr(QT_TRANSLATE_NOOP("Hygiene", "Messwerte :")), records}};
        AddCheckValue(b.Header, Tr(QT_TRANSLATE_NOOP("Hygiene", "Prüfwert :")));
        b.Columns = {{{}, Tr(QT_TRANSLATE_NOOP("Hygiene", "Tiefe")), 0.8},
                     {{}, Tr(QT_TRANSLATE_NOOP("Hygiene", "Schwelle")), 0.8},
                     {Tr(QT_TRANSLATE_NOOP("Hygiene", "Längste Strecke ohne Unterbrechung")), Tr(QT_TRANSLATE_NOOP("Hygiene", "Dauer")), 1.0},
                     {Tr(QT_TRANSLATE_NOOP("Hygiene", "Längste Strecke ohne Unterbrechung")), Tr(QT_TRANSLATE_NOOP("Hygiene", "von")), 1.5, Qt::AlignLeft},
                     {Tr(QT_TRANSLATE_NOOP("Hygiene", "Längste Strecke ohne Unterbrechung")), Tr(QT_TRANSLATE_NOOP("Hygiene", "bis")), 1.5, Qt::AlignLeft},
                     {Tr(QT_TRANSLATE_NOOP("Hygiene", "Längste Strecke ohne Unterbrechung")), Tr(QT_TRANSLATE_NOOP("Hygiene", "Datensätze")), 0.9},
                     {{}, Tr(QT_TRANSLATE_NOOP("Hygiene", "Ergebnis")), 2.6, Qt::AlignLeft}};
        const QStringList lines = SummaryLines();
        b.SummaryHeightMm = 6 + 4.5 * lines.size();
        b.DrawSummary = [lines](QPainter &p, const QRectF &rect) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPointSizeF(9);
            QFont bold = f;
            bold.setBold(true);
            double y = rect.top() + rect.height() * 0.02;
            for (int i = 0; i < lines.size(); ++i) {
                p.setFont(i == 0 ? bold : f);
                const double h = QFontMetricsF(p.font(), p.device()).height() * 1.25;
                p.drawText(QRectF(rect.left(), y, rect.width(), h), Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
                y += h;
            }
        };
        return b;
    }

private:
    struct Row {
        const HygieneDepth *depth;
        size_t threshold;
    };

    bool TurnedEnough(const HygieneDepth &d) const
    {
        return r_.criterion->turnings <= 0 || d.turnings >= r_.criterion->turnings;
    }

    QString Cell(const QString &label) const
    {
        if (row_ == 0 || row_ > rows_.size())
            return QString();
        const Row &row = rows_[row_ - 1];
        const HygieneStretch &s = row.depth->stretches[row.threshold];
        if (label == QLatin1String("Tiefe"))
            return row.threshold == 0 ? (Plants().ImperialUnits ? QStringLiteral("%1 in").arg(CmToInch(row.depth->depthCm))
                                                       : QStringLiteral("%1 cm").arg(row.depth->depthCm))
                                      : QString();
        if (label == QLatin1String("Schwelle"))
            return QStringLiteral("≥ ") + Degrees(s.threshold);
        if (label == QLatin1String("Ergebnis")) {
            for (const HygieneCriterion::Need &need : r_.criterion->anyOf)
                if (need.celsius == s.threshold)
                    return (s.Minutes() >= qint64(need.days) * 1440 && TurnedEnough(*row.depth)
                                ? Tr(QT_TRANSLATE_NOOP("Hygiene", "erfüllt"))
                                : Tr(QT_TRANSLATE_NOOP("Hygiene", "nicht erfüllt")))
                        + QCoreApplication::translate("Hygiene", " (%n Tage gefordert)", nullptr, need.days);
            return QString();
        }
        if (!s.found)
            return label == QLatin1String("Strecke") ? QStringLiteral("–") : QString();
        if (label == QLatin1String("Strecke"))
            return StretchLengthText(s.Minutes());
        if (label == QLatin1String("Von"))
            return Stamp(s.start);
        if (label == QLatin1String("Bis"))
            return Stamp(s.end);
        if (label == QLatin1String("Anzahl"))
            return QString::number(s.records);
        return QString();
    }

    QStringList SummaryLines() const
    {
        QStringList out;
        QString verdict;
        if (!r_.Checkable()) {
            verdict = Tr(QT_TRANSLATE_NOOP("Hygiene", "Ergebnis im Kern (100 cm): nicht prüfbar (mehr als ein Zehntel "
                                                      "der Zeilen unplausibel, ohne Datum oder doppelt)"));
        } else {
            verdict = r_.CoreMet() ? Tr(QT_TRANSLATE_NOOP("Hygiene", "Ergebnis im Kern (100 cm): Kriterium erfüllt"))
                                   : Tr(QT_TRANSLATE_NOOP("Hygiene", "Ergebnis im Kern (100 cm): Kriterium NICHT erfüllt"));
            QStringList shortDepths;
            for (size_t k = 1; k < r_.depths.size(); ++k)
                if (!r_.depths[k].met)
                    shortDepths << (Plants().ImperialUnits ? QStringLiteral("%1 in").arg(CmToInch(r_.depths[k].depthCm))
                                                  : QStringLiteral("%1 cm").arg(r_.depths[k].depthCm));
            if (!shortDepths.isEmpty()) {
                const QString last = shortDepths.takeLast();
                verdict += Tr(QT_TRANSLATE_NOOP("Hygiene", ", nicht erreicht bei %1"))
                               .arg(shortDepths.isEmpty() ? last
                                                          : shortDepths.join(QStringLiteral(", "))
                                                                + Tr(QT_TRANSLATE_NOOP("Hygiene", " und ")) + last);
            }
        }
        out << verdict;
        if (r_.criterion->turnings > 0)
            out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Tagebuch, Strecke im Kern (100 cm): %1")).arg(TurningsText(r_.depths[0], *r_.criterion));
        if (r_.criterion->days == HygieneDays::WorkingDays) {
            out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Arbeitstage: %1")).arg(WorkingDaysText(r_.calendar));
            if (!r_.holidays.isEmpty()) {
                QStringList days;
                for (const QDate &d : r_.holidays)
                    days << Day(d);
                out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Feiertage im Zeitraum: %1")).arg(days.join(QStringLiteral(", ")));
            }
        } else {
            out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Jeder Tag zählt, auch Wochenenden und Feiertage."));
        }
        if (r_.gaps.empty()) {
            out << (r_.criterion->days == HygieneDays::WorkingDays
                        ? Tr(QT_TRANSLATE_NOOP("Hygiene", "Kein Werktag ohne Messwerte."))
                        : Tr(QT_TRANSLATE_NOOP("Hygiene", "Kein Tag ohne Messwerte.")));
        } else {
            out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Tage ohne Messwerte, die eine Strecke unterbrechen:"));
            for (const HygieneGap &g : r_.gaps)
                out << QStringLiteral("    ") + Day(g.from)
                           + (g.to != g.from ? QStringLiteral(" – ") + Day(g.to) : QString());
        }
        const auto plain = [](const HygieneLine &l) {
            return Tr(QT_TRANSLATE_NOOP("Hygiene", "Zeile %1: %2")).arg(l.line).arg(l.stamp);
        };
        AddLines(out, Tr(QT_TRANSLATE_NOOP("Hygiene", "Uhrfehler (weit vor der ersten Sicherung oder nach der letzten "
                                                      "Änderung der Datei), nicht gewertet: %1")).arg(r_.clockFaults.size()),
                 r_.clockFaults, plain);
        AddLines(out, Tr(QT_TRANSLATE_NOOP("Hygiene", "Zeitsprünge zurück: %1")).arg(r_.stepsBack.size()), r_.stepsBack,
                 [](const HygieneLine &l) {
            return Tr(QT_TRANSLATE_NOOP("Hygiene", "Zeitsprung zurück in Zeile %1: %2 nach %3")).arg(l.line).arg(l.stamp, l.before);
        });
        AddLines(out, Tr(QT_TRANSLATE_NOOP("Hygiene", "kein Datum, nicht gewertet: %1")).arg(r_.undated.size()),
                 r_.undated, plain);
        AddLines(out, Tr(QT_TRANSLATE_NOOP("Hygiene", "unplausibel (Temperatur außerhalb %1 … %2 °C oder keine Zahl), "
                                                      "nicht gewertet: %3"))
                          .arg(SensorLowestCelsius).arg(SensorHighestCelsius).arg(r_.implausible.size()),
                 r_.implausible, plain);
        AddLines(out, Tr(QT_TRANSLATE_NOOP("Hygiene", "doppelt, einmal gewertet: %1")).arg(r_.duplicates.size()),
                 r_.duplicates, plain);
        // Consecutive numbers hide records lost in a cut transfer; the page does not.
        if (!lost_.isEmpty())
            out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Messwerte, die beim Abbruch einer Übertragung verloren gingen:"));
        for (const DataFileContent::Lost &l : lost_)
            out << QStringLiteral("    ") + LostInFlightText(l)
                       + Tr(QT_TRANSLATE_NOOP("Hygiene", " (nach Datensatz %1)")).arg(l.afterRecord);
        if (*r_.criterion->note)
            out << Tr(r_.criterion->note);
        AddJournalLines(out);
        return out;
    }

    // The pile's journal: probe faults first, then every standing entry.
    void AddJournalLines(QStringList &out) const
    {
        if (!r_.probeFaults.empty())
            out << Tr(QT_TRANSLATE_NOOP("Hygiene", "Fühlerfehler (Anlage weicht um mehr als %1 °C vom Referenzthermometer ab):"))
                       .arg(DisplayNumber(ProbeFaultCelsius, 0));
        for (const JournalEntry &e : r_.probeFaults)
            out << QStringLiteral("    ")
                       + Tr(QT_TRANSLATE_NOOP("Hygiene", "%1 cm am %2: Referenz %3, Anlage %4"))
                             .arg(e.depthCm)
                             .arg(Day(e.time.date()), Degrees(e.reference), Degrees(e.plant));
        if (r_.journal.empty())
            return;
        out << (r_.journal.size() == 1 ? Tr(QT_TRANSLATE_NOOP("Hygiene", "Tagebuch der Miete: 1 Eintrag"))
                                       : QCoreApplication::translate("Hygiene", "Tagebuch der Miete: %n Einträge",
                                                                     nullptr, int(r_.journal.size())));
        for (const JournalEntry &e : r_.journal)
            out << QStringLiteral("    %1  %2%3").arg(Stamp(e.time), e.Summary(), e.by.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(e.by));
    }

    HygieneResult r_;
    QList<DataFileContent::Lost> lost_;
    std::vector<Row> rows_;
    size_t row_ = 0;
};

} // namespace

const HygieneCriterion &ChosenHygieneCriterion()
{
    const HygieneCriterion *c = FindHygieneCriterion(ReadSetting(QStringLiteral("COM"), QStringLiteral("KRITERIUM"),
                                                                 QString::fromLatin1(DefaultHygieneCriterion())));
    return c ? *c : *FindHygieneCriterion(QString::fromLatin1(DefaultHygieneCriterion()));
}

std::unique_ptr<TReportForm> MakeHygienePage(const HygieneResult &result, const DataFileContent &file)
{
    return std::make_unique<TFQRHygiene>(result, file);
}
