#include "datafile/Archive.h"
#include "datafile/DataFile.h"
#include "datafile/Seal.h"
#include "plant/Plant.h"
#include "settings/SettingsFile.h"
#include "support/Files.h"
#include "support/SharedState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <QRandomGenerator>
#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using support::ReadAll;
using support::WriteAll;

TLiveValues Rec(int k)
{
    TLiveValues v;
    v.T5 = 60 + k % 7, v.T4 = 58, v.T3 = 50, v.T2 = 40, v.T1 = 20 + k % 3;
    v.RefMarke = 20, v.O2 = 150 + k, v.Betriebsart = 3, v.Luefterlaufzeit = k * 2, v.LuefterZyklen = k;
    return v;
}

// The lines of a file with their line ends.
QList<QByteArray> Lines(const QByteArray &b)
{
    QList<QByteArray> out;
    qsizetype start = 0;
    while (start < b.size()) {
        const qsizetype end = b.indexOf('\n', start) + 1;
        out << b.mid(start, (end > 0 ? end : b.size()) - start);
        start = end > 0 ? end : b.size();
    }
    return out;
}

} // namespace

class TstSeal : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<TSettingsFile> ini_;
    std::optional<support::SharedStateGuard> guard_;

    // A pile on plant 1 with `records` records, in one or two transfers.
    QString WritePile(int records, int transfers = 1)
    {
        TAnlageParameter &p = Plants().PlantTable[1];
        p.Name = QStringLiteral("Nord");
        p.Pfad = dir_.path();
        p.Datei.clear();
        MakeDataFileName(1);
        int k = 0;
        for (int t = 0; t < transfers; ++t) {
            if (!OpenDataFile(1))
                return {};
            for (; k < records * (t + 1) / transfers; ++k)
                if (!AppendDataLine(1, QStringLiteral("08.12.2026  %1:00").arg(k % 24, 2, 10, QChar(u'0')), Rec(k)))
                    return {};
            CloseDataFile(1);
        }
        return p.Datei;
    }

private slots:
    void init()
    {
        guard_.emplace();
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        for (const QString &f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(f));
        ini_ = std::make_unique<TSettingsFile>(dir_.filePath("Haldrix.ini"));
        Settings().SettingsFile = ini_.get();
        SetProgramFolder(dir_.path());
    }
    void cleanup()
    {
        guard_.reset();
        ini_.reset();
    }

    void writtenFileVerifiesAcrossTransfers()
    {
        const QString file = WritePile(40, 3);
        QVERIFY(!file.isEmpty());
        const SealCheck c = VerifySeal(file);
        QCOMPARE(c.state, SealCheck::Intact);
        QCOMPARE(c.records, 40);
        QVERIFY(!c.announcedMissing && !c.tornLine);
        QCOMPARE(c.checkValue.size(), 16);
        QVERIFY(c.Text().startsWith("40 Datensätze, Siegel intakt, Prüfwert " + c.checkValue));
        QCOMPARE(Lines(ReadAll(SealPath(file))).size(), 41);
        // The check value pins the content: another record, another value.
        const QString other = WritePile(41);
        QVERIFY(VerifySeal(other).checkValue != c.checkValue);
    }

    // Each way a file gets spoilt is found at its line (header 1..9, record k at 9 + k).
    void faultsFoundAtTheirLine_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("line");
        QTest::newRow("digit changed") << "change" << int(SealCheck::LineChanged) << 14;
        QTest::newRow("line deleted") << "delete" << int(SealCheck::LineRemoved) << 14;
        QTest::newRow("line inserted") << "insert" << int(SealCheck::LineInserted) << 14;
        QTest::newRow("last lines cut") << "truncate" << int(SealCheck::TailRemoved) << 0;
        QTest::newRow("spreadsheet re-save") << "spreadsheet" << int(SealCheck::HeaderChanged) << 1;
        QTest::newRow("header edited") << "header" << int(SealCheck::HeaderChanged) << 1;
        QTest::newRow("seal edited") << "seal" << int(SealCheck::LineChanged) << 14;
    }
    void faultsFoundAtTheirLine()
    {
        QFETCH(QString, how);
        QFETCH(int, fault);
        QFETCH(int, line);
        const QString file = WritePile(20);
        QList<QByteArray> lines = Lines(ReadAll(file));
        const int i = 13;       // line 14: record 5
        if (how == "change")
            lines[i][lines[i].size() - 3] = lines[i][lines[i].size() - 3] == '9' ? '8' : '9';
        else if (how == "delete")
            lines.removeAt(i);
        else if (how == "insert")
            lines.insert(i, QByteArray(lines[i]).replace("08.12.2026", "07.12.2026"));
        else if (how == "truncate")
            lines = lines.mid(0, lines.size() - 2);
        else if (how == "header")
            lines[4].replace("Nord", "Süd");
        QByteArray bytes = lines.join();
        if (how == "spreadsheet")
            bytes.replace(';', ',').replace("\r\n", "\n").replace("08.12.2026", "2026-12-08");
        QVERIFY(bytes != ReadAll(file) || how == "seal");
        WriteAll(file, bytes);
        if (how == "seal") {
            QList<QByteArray> seal = Lines(ReadAll(SealPath(file)));
            seal[5] = "5;" + QByteArray(64, 'a') + "\n";     // record 5's link
            WriteAll(SealPath(file), seal.join());
        }
        const SealCheck c = VerifySeal(file);
        QCOMPARE(c.state, SealCheck::Broken);
        QCOMPARE(int(c.fault), fault);
        if (line > 0)
            QCOMPARE(c.line, line);
        if (fault == SealCheck::LineRemoved)
            QCOMPARE(c.record, 5);
        QVERIFY(c.Text().startsWith("Siegel verletzt"));
    }

    // A line the seal never announced (appended by hand, or left by an earlier
    // version's crash) is never sealed: verify names it; the next readout keeps it,
    // tells it and seals the records after it.
    void unannouncedLineStaysUnsealed()
    {
        const QString file = WritePile(48);
        QByteArray bytes = ReadAll(file);
        const QByteArray forged = "49;11.12.2026  06:00;   70;   70;   70;   70;   70;   25; 20,9;3;  120;   15;\r\n";
        WriteAll(file, bytes + forged);
        SealCheck c = VerifySeal(file);
        QCOMPARE(c.state, SealCheck::Broken);
        QCOMPARE(c.fault, SealCheck::Unannounced);
        QCOMPARE(c.line, 58);
        QVERIFY(c.Text().contains("Zeile 58"));

        QVERIFY(OpenDataFile(1));
        const QStringList notices = TakeDataFileNotices();
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0].contains("Zeile 58"));
        QCOMPARE(LastSealProblem(), QString("Siegel verletzt: %1, Zeile 58").arg(QFileInfo(file).fileName()));
        QVERIFY(AppendDataLine(1, "11.12.2026  07:00", Rec(50)));
        QVERIFY(AppendDataLine(1, "11.12.2026  08:00", Rec(51)));
        CloseDataFile(1);
        c = VerifySeal(file);
        QCOMPARE(c.state, SealCheck::Broken);
        QCOMPARE(c.fault, SealCheck::Unannounced);
        QCOMPARE(c.line, 58);
        QCOMPARE(c.records, 50);    // 48 before it, 2 after it
        const QList<QByteArray> lines = Lines(ReadAll(file));
        QCOMPARE(lines[57], forged);
        QVERIFY(lines[58].startsWith("50;11.12.2026  07:00;"));
        // A later change of a sealed line after it is still found.
        QList<QByteArray> changed = lines;
        changed[58].replace("07:00", "07:30");
        WriteAll(file, changed.join());
        QCOMPARE(VerifySeal(file).fault, SealCheck::LineChanged);
    }

    // What a crash leaves when the seal line goes first: the announced line missing
    // or torn. Both verify; the next transfer withdraws the announcement (or marks
    // the torn line) and goes on. A seal line cut short by a full disk counts as
    // never written.
    void crashLeftoversTakenUp_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("announced, not written") << "missing";
        QTest::newRow("announced, torn") << "torn";
        QTest::newRow("seal line cut short") << "cut";
    }
    void crashLeftoversTakenUp()
    {
        QFETCH(QString, how);
        const QString file = WritePile(10);
        QList<QByteArray> data = Lines(ReadAll(file));
        QList<QByteArray> seal = Lines(ReadAll(SealPath(file)));
        data.removeLast();
        if (how == "cut")
            seal.last().chop(20);
        if (how == "torn")
            data << "10;09.12.2026  01:00";
        WriteAll(file, data.join());
        WriteAll(SealPath(file), seal.join());
        SealCheck c = VerifySeal(file);
        QVERIFY2(c.state == SealCheck::Intact, qPrintable(c.Text()));
        QCOMPARE(c.records, 9);
        QCOMPARE(c.announcedMissing, how == "missing");
        QCOMPARE(c.tornLine, how == "torn" ? 19 : 0);

        QVERIFY(OpenDataFile(1));
        TakeDataFileNotices();
        QVERIFY(AppendDataLine(1, "09.12.2026  02:00", Rec(11)));
        CloseDataFile(1);
        c = VerifySeal(file);
        QVERIFY2(c.state == SealCheck::Intact, qPrintable(c.Text()));
        QCOMPARE(c.records, 10);
        QCOMPARE(c.tornLine, how == "torn" ? 19 : 0);
        QVERIFY(!c.announcedMissing);
        // The torn line stays as it was; the next record starts a line of its own.
        const QList<QByteArray> lines = Lines(ReadAll(file));
        QCOMPARE(lines.size(), how == "torn" ? 20 : 19);
        if (how == "torn")
            QCOMPARE(lines[18], "10;09.12.2026  01:00\r\n");
    }

#ifdef Q_OS_LINUX
    // A writer killed at any moment of its transfers leaves a file that verifies,
    // with at most its last announced line missing; the next transfer goes on.
    void killedWriterLeavesAVerifyingFile()
    {
        const QString file = WritePile(1);
        QRandomGenerator random(20261210);
        int unsealedSeen = 0;
        qint64 records = 1;
        for (int round = 0; round < 100; ++round) {
            const pid_t child = fork();
            if (child == 0) {
                for (int k = 0;; ++k) {
                    if (!OpenDataFile(1))
                        _exit(3);
                    for (int i = 0; i < 20; ++i)
                        AppendDataLine(1, "09.12.2026  01:00", Rec(k * 20 + i));
                    CloseDataFile(1);
                }
            }
            QVERIFY(child > 0);
            usleep(useconds_t(random.bounded(1000, 15000)));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            QVERIFY(WIFSIGNALED(status));
            const SealCheck c = VerifySeal(file);
            QVERIFY2(c.state == SealCheck::Intact, qPrintable(QString("round %1: %2").arg(round).arg(c.Text())));
            QVERIFY(c.records >= records);
            records = c.records;
            unsealedSeen += c.announcedMissing;
        }
        // The next transfer (here, in this process) takes the file up and seals on.
        QVERIFY(OpenDataFile(1));
        QVERIFY(AppendDataLine(1, "09.12.2026  02:00", Rec(1)));
        CloseDataFile(1);
        const SealCheck c = VerifySeal(file);
        QCOMPARE(c.state, SealCheck::Intact);
        QVERIFY(!c.announcedMissing);
        qInfo("%lld records, %d kills between a seal line and its line", c.records, unsealedSeen);
    }
#endif

    // An archive stands on its data file and its seal: a manifest made anew over
    // what is left does not make it whole. The manifest is read as sha256sum writes it.
    void archiveNeedsDataFileAndSeal_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("fault");
        QTest::newRow("whole") << "" << "";
        QTest::newRow("sha256sum -b, upper case") << "binary" << "";
        QTest::newRow("seal removed") << "seal" << "das Siegel fehlt";
        QTest::newRow("seal and data removed") << "both" << "Die Datendatei fehlt";
        QTest::newRow("value changed, seal kept") << "value" << "Siegel verletzt";
        QTest::newRow("listed file missing") << "listed" << "extra.txt fehlt";
    }
    void archiveNeedsDataFileAndSeal()
    {
        QFETCH(QString, how);
        QFETCH(QString, fault);
        const QString file = WritePile(12);
        const QString folder = dir_.filePath("Archiv Süd & Co.");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        const QString name = QFileInfo(file).fileName();
        QVERIFY(QFile::copy(file, folder + "/" + name) && QFile::copy(SealPath(file), folder + "/" + name + ".seal"));
        QVERIFY(WriteAll(folder + "/extra.txt", "x"));
        if (how == "seal" || how == "both")
            QFile::remove(folder + "/" + name + ".seal");
        if (how == "both")
            QFile::remove(folder + "/" + name);
        if (how == "value") {
            QByteArray bytes = ReadAll(folder + "/" + name);
            bytes.replace(";   60;", ";   70;");
            WriteAll(folder + "/" + name, bytes);
        }
        QVERIFY(WriteManifest(folder));
        if (how == "binary") {
            QByteArray m = ReadAll(folder + "/MANIFEST.txt");
            QByteArray out;
            for (const QByteArray &l : m.split('\n'))
                if (!l.isEmpty())
                    out += l.left(64).toUpper() + " *" + l.mid(66) + "\n";
            WriteAll(folder + "/MANIFEST.txt", out);
        }
        if (how == "listed")
            QFile::remove(folder + "/extra.txt");
        const ArchiveCheck c = VerifyArchive(folder);
        QCOMPARE(c.ok, fault.isEmpty());
        if (!fault.isEmpty())
            QVERIFY2(c.Text().contains(fault), qPrintable(c.Text()));
        else
            QCOMPARE(c.records, 12);
    }

    // Records kept for lack of room come back only as they were kept: a line changed
    // or added in the journal, split by a bare LF or far too long is told and left out.
    void pendingJournalIsChecked()
    {
        Plants().PlantTable[1].Datei = dir_.filePath("Miete Süd & Co._08-12-2026.CSV");
        KeepPendingRecord(1, "08.12.2026  10:00", Rec(1));
        KeepPendingRecord(1, "08.12.2026  11:00", Rec(2));
        ResetDataFileState();
        QCOMPARE(LoadPendingRecords(), QString());
        QCOMPARE(PendingRecordCount(Plants().PlantTable[1].Datei), 2);
        const QString journal = dir_.filePath("pending.csv");
        QList<QByteArray> lines = ReadAll(journal).split('\n');
        lines[1].replace("11:00", "12:00");                            // changed
        const QByteArray forged = lines[0].left(lines[0].indexOf('\t')) + "\t08.12.2026  13:00;   70;   70;   70;   70;   70;   25; 20,9;3;  120;   15;\t0123456789abcdef\r";
        lines.insert(2, forged);                                       // added, with a made-up check
        lines.insert(3, lines[0].left(lines[0].size() - 20) + "\n" + lines[0].right(20));     // a bare LF in it
        lines.insert(4, lines[0].left(lines[0].indexOf('\t') + 1) + QByteArray(1 << 20, '1') + "\r");
        WriteAll(journal, lines.join('\n'));
        const QString told = LoadPendingRecords();
        QVERIFY2(told.contains("(Zeilen 2, 3, 4, 5)"), qPrintable(told));
        QCOMPARE(PendingRecordCount(Plants().PlantTable[1].Datei), 1);
#ifdef Q_OS_LINUX
        // A FIFO in its place is refused, not read (a read would wait for ever).
        QVERIFY(QFile::remove(journal));
        QVERIFY(::mkfifo(QFile::encodeName(journal).constData(), 0600) == 0);
        QVERIFY(LoadPendingRecords().contains("keine lesbare Datei"));
        QFile::remove(journal);
#endif
    }

    // Files from before sealing go on without one; a file of ours with only its
    // header gets one at its first record.
    void filesWithoutSeal()
    {
        const QString file = WritePile(5);
        QFile::remove(SealPath(file));
        QCOMPARE(VerifySeal(file).state, SealCheck::NoSeal);
        QCOMPARE(VerifySeal(file).Text(), QString("ohne Siegel"));
        QVERIFY(OpenDataFile(1));
        QVERIFY(AppendDataLine(1, "09.12.2026  01:00", Rec(6)));
        CloseDataFile(1);
        QVERIFY(!QFile::exists(SealPath(file)));

        const QString empty = WritePile(0);
        QFile::remove(SealPath(empty));
        QVERIFY(OpenDataFile(1));
        QVERIFY(AppendDataLine(1, "09.12.2026  01:00", Rec(1)));
        CloseDataFile(1);
        const SealCheck c = VerifySeal(empty);
        QCOMPARE(c.state, SealCheck::Intact);
        QCOMPARE(c.records, 1);
    }
};

QTEST_GUILESS_MAIN(TstSeal)
#include "tst_seal.moc"
