// The pile journal: entries round-trip through the file, its seal finds a changed,
// removed or inserted entry, and the verdicts that count turnings or list probe faults.

#include "datafile/DataFile.h"
#include "datafile/Hygiene.h"
#include "datafile/Journal.h"
#include "datafile/Register.h"
#include "support/Files.h"
#include "support/SharedState.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using support::ReadAll;
using support::WriteAll;

QDateTime At(int day, int hour) { return QDateTime(QDate(2026, 12, day), QTime(hour, 0), Qt::UTC); }

JournalEntry Entry(JournalKind kind, const QDateTime &time, const QString &text = {}, const QString &by = {})
{
    JournalEntry e;
    e.kind = kind;
    e.time = time;
    e.text = text;
    e.by = by;
    return e;
}

// Hourly records from 7 Dec 2026 00:00, 100 cm at `core` for `hours` hours, 50 °C after.
DataFileContent Pile(int hours, int core, int total)
{
    DataFileContent f;
    f.FileValid = true;
    for (int h = 0; h < total; ++h) {
        TLiveValues v;
        v.T5 = h < hours ? core : 50;
        v.T4 = v.T3 = v.T2 = v.T1 = 40;
        f.Lines << FormatDataLine(h + 1, At(7, 0).addSecs(3600LL * h).toString("dd.MM.yyyy  hh:mm"), v);
    }
    f.LineCount = f.Lines.size();
    return f;
}

} // namespace

class TstJournal : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString data_;

    QString MakeDataFile(const QString &name)
    {
        const QString path = dir_.filePath(name);
        WriteAll(path, support::DataFileHeader("Kompostwerk S\xfc" "d GmbH & Co. KG", "Miete 3", path.toLatin1(), "07.12.2026")
                           + "1;07.12.2026  10:00;   60;   58;   50;   40;   20;   20; 15,0;3;    2;    1;\r\n");
        return path;
    }
    // Three entries: a turning, a probe check, a remark with umlauts and a ";".
    void AddThree()
    {
        JournalEntry e = Entry(JournalKind::Turned, At(8, 9), "Radlader", QString::fromUtf8("K. Weiß"));
        QString error;
        QVERIFY2(AddJournalEntry(data_, e, &error), qPrintable(error));
        QCOMPARE(e.number, 1LL);
        e = Entry(JournalKind::ProbeCheck, At(8, 10), {}, "Prüfer");
        e.depthCm = 100, e.reference = 64.5, e.plant = 61;
        QVERIFY(AddJournalEntry(data_, e, &error));
        e = Entry(JournalKind::Remark, At(9, 7), QString::fromUtf8("Regen; Außentemperatur 3 °C"));
        QVERIFY(AddJournalEntry(data_, e, &error));
        QCOMPARE(e.number, 3LL);
    }

private slots:
    void init()
    {
        data_ = MakeDataFile("Miete-3_07-12-2026.CSV");
        QFile::remove(JournalPath(data_));
        QFile::remove(SealPath(JournalPath(data_)));
    }

    void entriesRoundTripSealed()
    {
        support::SharedStateGuard guard;
        std::vector<JournalEntry> told;     // what the site view is told
        SetJournalListener([&](const QString &file, const JournalEntry &e) {
            QCOMPARE(file, data_);
            told.push_back(e);
        });
        AddThree();
        QCOMPARE(told.size(), size_t(3));
        QCOMPARE(told[2].text, QString::fromUtf8("Regen, Außentemperatur 3 °C"));     // as stored
        const QByteArray bytes = ReadAll(JournalPath(data_));
        QVERIFY(bytes.startsWith("Kompostwerk S\xfc" "d GmbH & Co. KG\r\n"));      // Windows-1252, CR LF
        QCOMPARE(bytes.count("\r\n"), 12);
        QVERIFY(bytes.contains("\r\n2;08.12.2026 10:00;probe-check;;Pr\xfc" "fer;;100;64,5;61;\r\n"));
        QVERIFY(bytes.contains("Regen, Au\xdf" "entemperatur 3 \xb0" "C"));
        Journal j;
        QVERIFY(LoadJournal(data_, j));
        QCOMPARE(j.entries.size(), size_t(3));
        QVERIFY(j.badLines.empty());
        QCOMPARE(j.entries[0].by, QString::fromUtf8("K. Weiß"));
        QCOMPARE(j.entries[0].time, At(8, 9));
        QCOMPARE(j.entries[1].plant, 61.0);
        QCOMPARE(j.entries[1].reference, 64.5);
        const SealCheck c = VerifyJournal(data_);
        QCOMPARE(c.state, SealCheck::Intact);
        QCOMPARE(c.records, 3);
        QVERIFY(JournalCheckText(c).startsWith(QString::fromUtf8("Tagebuch: 3 Einträge, Siegel intakt")));

        // A correction names the entry; the corrected one no longer stands.
        JournalEntry fix = Entry(JournalKind::Turned, At(8, 11), "Radlader, berichtigte Zeit");
        fix.corrects = 1;
        QString error;
        QVERIFY(AddJournalEntry(data_, fix, &error));
        QVERIFY(LoadJournal(data_, j));
        QCOMPARE(j.Standing().size(), size_t(3));
        QCOMPARE(j.OnDay(QDate(2026, 12, 8)).front().number, 2LL);
        QCOMPARE(VerifyJournal(data_).state, SealCheck::Intact);

        // Refused, the journal unchanged: a correction of nothing, a text the file
        // cannot hold, a probe check without readings, no data file.
        fix.corrects = 9;
        QVERIFY(!AddJournalEntry(data_, fix, &error));
        JournalEntry bad = Entry(JournalKind::Remark, At(9, 8), QString::fromUtf8("Temperatur ≈ 3 °C"));
        QVERIFY(!AddJournalEntry(data_, bad, &error));
        bad = Entry(JournalKind::ProbeCheck, At(9, 8));
        QVERIFY(!AddJournalEntry(data_, bad, &error));
        bad = Entry(JournalKind::Remark, At(9, 8));
        QVERIFY(!AddJournalEntry(dir_.filePath("fehlt.CSV"), bad, &error));
        QVERIFY(!QFile::exists(JournalPath(dir_.filePath("fehlt.CSV"))));
        QCOMPARE(ReadAll(JournalPath(data_)).count("\r\n"), 13);
        QCOMPARE(told.size(), size_t(4));       // refused entries are not told
    }

    // Entry k is line 9 + k; each change is found there and named by its entry.
    void verifyFindsTheEntry_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("text");
        QTest::newRow("changed") << "change" << int(SealCheck::LineChanged) << "Eintrag 2 (Zeile 11) wurde verändert";
        QTest::newRow("removed") << "remove" << int(SealCheck::LineRemoved) << "Eintrag 2 fehlt (vor Zeile 11)";
        QTest::newRow("inserted") << "insert" << int(SealCheck::LineInserted) << "Zeile 11 wurde eingefügt";
        // The last entry alone missing is what a crash leaves (the seal announces first);
        // two are not.
        QTest::newRow("last two removed") << "tail" << int(SealCheck::TailRemoved) << "die Einträge ab 2 fehlen";
    }
    void verifyFindsTheEntry()
    {
        QFETCH(QString, how);
        QFETCH(int, fault);
        QFETCH(QString, text);
        support::SharedStateGuard guard;
        AddThree();
        QList<QByteArray> lines = ReadAll(JournalPath(data_)).split('\n');
        if (how == "change")
            lines[10].replace("64,5", "61,5");
        else if (how == "remove")
            lines.removeAt(10);
        else if (how == "insert")
            lines.insert(10, "9;08.12.2026 09:30;turned;;;;;;;\r");
        else
            lines.remove(10, 2);
        QVERIFY(WriteAll(JournalPath(data_), lines.join('\n')));
        const SealCheck c = VerifyJournal(data_);
        QCOMPARE(c.state, SealCheck::Broken);
        QCOMPARE(int(c.fault), fault);
        QVERIFY2(JournalCheckText(c).endsWith(text), qPrintable(JournalCheckText(c)));
    }

    // The seal announces each entry before it is written. A crash in between leaves an
    // announced entry missing, which the next entry withdraws; an entry appended by
    // hand was never announced and is reported, never sealed.
    void crashLeftoversAndAppendedEntries()
    {
        support::SharedStateGuard guard;
        AddThree();
        QByteArray j = ReadAll(JournalPath(data_));
        j.chop(1);
        QVERIFY(WriteAll(JournalPath(data_), j.left(j.lastIndexOf('\n') + 1)));
        QVERIFY(VerifyJournal(data_).announcedMissing);
        QCOMPARE(VerifyJournal(data_).state, SealCheck::Intact);
        JournalEntry e = Entry(JournalKind::Watered, At(9, 12));
        QVERIFY(AddJournalEntry(data_, e));
        SealCheck c = VerifyJournal(data_);
        QCOMPARE(c.state, SealCheck::Intact);
        QCOMPARE(c.records, 3);
        QVERIFY(!c.announcedMissing);

        QVERIFY(WriteAll(JournalPath(data_), ReadAll(JournalPath(data_)) + "4;09.12.2026 13:00;turned;;;;;;;\r\n"));
        c = VerifyJournal(data_);
        QCOMPARE(c.state, SealCheck::Broken);
        QCOMPARE(c.fault, SealCheck::Unannounced);
        // A torn last line takes nothing more.
        QVERIFY(WriteAll(JournalPath(data_), ReadAll(JournalPath(data_)) + "5;09.12"));
        QVERIFY(!AddJournalEntry(data_, e));
    }

    // 16 days at 60 °C from 7 Dec: the windrow rule needs five turnings inside the
    // stretch; corrected or outside entries do not count.
    void turningsAndProbeFaults()
    {
        support::SharedStateGuard guard;
        const DataFileContent file = Pile(16 * 24, 60, 18 * 24);
        const HygieneCriterion &windrow = *FindHygieneCriterion("pfrp-windrow");
        Journal j;
        for (int k = 0; k < 4; ++k)
            j.entries.push_back(Entry(JournalKind::Turned, At(8 + 3 * k, 9)));
        j.entries.push_back(Entry(JournalKind::Turned, At(24, 9)));       // after the stretch
        j.entries.push_back(Entry(JournalKind::Watered, At(20, 9)));
        for (qsizetype i = 0; i < qsizetype(j.entries.size()); ++i)
            j.entries[size_t(i)].number = i + 1;
        HygieneResult r = EvaluateHygiene(file, windrow, 55, {}, &j);
        QVERIFY(!r.CoreMet());
        QCOMPARE(TurningsText(r.depths[0], windrow), QString::fromUtf8("4 Umsetzungen, 5 nötig"));
        j.entries.push_back(Entry(JournalKind::Turned, At(21, 9)));
        j.entries.back().number = 7;
        r = EvaluateHygiene(file, windrow, 55, {}, &j);
        QVERIFY(r.CoreMet());
        JournalEntry undo = Entry(JournalKind::Remark, At(21, 10), "war kein Umsetzen");
        undo.number = 8, undo.corrects = 7;
        j.entries.push_back(undo);
        QVERIFY(!EvaluateHygiene(file, windrow, 55, {}, &j).CoreMet());
        // Other criteria ignore turnings.
        QCOMPARE(EvaluateHygiene(file, *FindHygieneCriterion("pfrp-asp"), 55, {}, &j).depths[0].turnings, -1);

        // PAS 100: 65 °C for 7 days at the core; the moisture is named as not measured.
        const HygieneCriterion &pas = *FindHygieneCriterion("pas100");
        QVERIFY(EvaluateHygiene(Pile(7 * 24 + 1, 65, 9 * 24), pas, 55).CoreMet());
        QVERIFY(!EvaluateHygiene(Pile(7 * 24, 65, 9 * 24), pas, 55).CoreMet());
        QVERIFY(QString::fromUtf8(pas.note).contains("51 %"));

        // Probe checks off by more than 2 °C are faults.
        JournalEntry probe = Entry(JournalKind::ProbeCheck, At(10, 9));
        probe.depthCm = 50, probe.reference = 60, probe.plant = 57.5;
        JournalEntry fine = probe;
        fine.plant = 58;
        Journal p;
        p.entries = {probe, fine};
        p.entries[1].number = 1;
        r = EvaluateHygiene(file, windrow, 55, {}, &p);
        QCOMPARE(r.probeFaults.size(), size_t(1));
        QCOMPARE(r.probeFaults[0].plant, 57.5);
    }

    // Three piles, one of them also archived: three rows, each judged as the
    // evidence judges its file; the copy names its folder.
    void registerListsEveryPileOnce()
    {
        support::SharedStateGuard guard;
        QTemporaryDir site;
        auto write = [&](const QString &path, const QByteArray &pile, int days, int core) {
            QByteArray bytes = support::DataFileHeader("Kompostwerk S\xfc" "d GmbH & Co. KG", pile, path.toLatin1(), "02.11.2026");
            for (int h = 0; h < 20 * 24; ++h)
                bytes += QStringLiteral("%1;%2;%3;   50;   40;   30;   20;   20; 15,0;3;    2;    1;\r\n")
                             .arg(h + 1)
                             .arg(QDateTime(QDate(2026, 11, 2), QTime(0, 0)).addSecs(3600LL * h).toString("dd.MM.yyyy  hh:mm"))
                             .arg(h < days * 24 + 1 ? core : 45, 5)
                             .toLatin1();
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()) && WriteAll(path, bytes));
        };
        write(site.filePath("Daten/Nord_02-11-2026.CSV"), "Nord", 15, 56);
        write(site.filePath("Daten/S\xfc" "d.CSV"), "S\xfc" "d & Co.", 10, 56);
        write(site.filePath("Daten/alt/West.CSV"), "West", 16, 60);
        const QString nord = site.filePath("Daten/Nord_02-11-2026.CSV");
        write(site.filePath("Archiv/Nord_02-11-2026/Nord_02-11-2026.CSV"), "Nord", 15, 56);
        QVERIFY(WriteAll(site.filePath("Archiv/Nord_02-11-2026/MANIFEST.txt"), ""));
        QVERIFY(WriteAll(site.filePath("Daten/pending.csv"), "1;2;3\r\n"));
        for (int k = 0; k < 5; ++k) {
            JournalEntry e = Entry(JournalKind::Turned, QDateTime(QDate(2026, 11, 3 + 2 * k), QTime(8, 0), Qt::UTC));
            QVERIFY(AddJournalEntry(site.filePath("Daten/alt/West.CSV"), e));
        }
        const HygieneCriterion &windrow = *FindHygieneCriterion("pfrp-windrow");
        const QStringList folders{site.filePath("Daten"), site.filePath("Archiv")};
        const std::vector<RegisterRow> rows = BuildRegister(folders, 2026, windrow, 55, {});
        QCOMPARE(rows.size(), size_t(3));
        for (const RegisterRow &r : rows) {
            DataFileContent file;
            QVERIFY(LoadDataFile(r.file, file, nullptr));
            QCOMPARE(r.met, EvaluateHygiene(file, windrow, 55).CoreMet());
            QVERIFY(!r.file.contains("Archiv"));
        }
        const auto row = [&](const char *pile) {
            return *std::find_if(rows.begin(), rows.end(), [&](const RegisterRow &r) { return r.pile == QString::fromUtf8(pile); });
        };
        QVERIFY(row("West").met);
        QCOMPARE(row("West").journalEntries, 5);
        QCOMPARE(row("Nord").verdict, QString::fromUtf8("nicht erfüllt (0 Umsetzungen, 5 nötig)"));
        QVERIFY(row("Nord").archiveFolder.endsWith("Archiv/Nord_02-11-2026"));
        QVERIFY(row("Süd & Co.").archiveFolder.isEmpty());
        QCOMPARE(row("Süd & Co.").records, 480LL);
        QVERIFY(BuildRegister(folders, 2025, windrow, 55, {}).empty());

        const QString csv = site.filePath("register.csv");
        QVERIFY(WriteRegisterCsv(csv, rows));
        const QByteArray bytes = ReadAll(csv);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF" "Anlage;Miete;Datei;"));
        QCOMPARE(bytes.count("\r\n"), 4);
        QVERIFY(bytes.contains(QDir::toNativeSeparators(nord).toUtf8()));
        QVERIFY(bytes.contains(";Süd & Co.;"));
    }
};

QTEST_GUILESS_MAIN(TstJournal)
#include "tst_journal.moc"
