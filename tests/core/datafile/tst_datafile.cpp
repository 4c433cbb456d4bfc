#include "datafile/DataFile.h"
#include "base/DisplayFormat.h"
#include "settings/SettingsFile.h"
#include "plant/Plant.h"
#include "base/AtomicFile.h"
#include "support/Files.h"
#include "support/SharedState.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using support::ReadAll;
using support::WriteAll;

TLiveValues Rec(int t5, int t4, int t3, int t2, int t1, int ref, int o2, int mode, int run, int cycles)
{
    TLiveValues v;
    v.T5 = t5, v.T4 = t4, v.T3 = t3, v.T2 = t2, v.T1 = t1;
    v.RefMarke = ref, v.O2 = o2, v.Betriebsart = quint8(mode), v.Luefterlaufzeit = run, v.LuefterZyklen = cycles;
    return v;
}

QString Data(const QString &name) { return QStringLiteral(O2H_TESTDATA "/") + name; }

} // namespace

class TstDataFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<TSettingsFile> ini_;
    QString folder_;
    std::optional<support::SharedStateGuard> guard_;

    QString Ini() const { return dir_.filePath("Haldrix.ini"); }

    // One transfer as the writers do it.
    bool Transfer(int plant, const QList<std::pair<QString, TLiveValues>> &records)
    {
        if (!OpenDataFile(plant))
            return false;
        bool ok = true;
        for (const auto &[stamp, v] : records)
            if (!(ok = AppendDataLine(plant, stamp, v)))
                break;
        CloseDataFile(plant);
        return ok;
    }

private slots:
    void init()
    {
        guard_.emplace();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SetDataFileToday([] { return QDate(2026, 12, 8); });
        for (const QString &f : QDir(dir_.path()).entryList(QDir::Files))
            QFile::remove(dir_.filePath(f));
        Settings().SettingsFile = nullptr;
        ini_ = std::make_unique<TSettingsFile>(Ini());
        Settings().SettingsFile = ini_.get();
        SetProgramFolder(dir_.path());
        folder_ = Settings().ProgramFolder;
    }
    void cleanup()
    {
        guard_.reset();
        ini_.reset();
        FailAtomicWriteNumber(0);
    }

    void dateFormatHasFourDigitYear()
    {
        QCOMPARE(ShortDateText(QDate(2026, 12, 8)), QString("08.12.2026"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(ShortDateText(QDate(2026, 12, 8)), QString("12/8/2026"));
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("blank") << "Miete 3" << "Miete-3_08-12-2026.CSV";
        QTest::newRow("slash") << "Miete 3/Nord" << "Miete-3-Nord_08-12-2026.CSV";
        QTest::newRow("umlauts") << QString::fromUtf8("Grün Süd") << "Gr-n-S-d_08-12-2026.CSV";
        QTest::newRow("controls and dots") << QString("a\bb..\\c:") << "a-b---c-_08-12-2026.CSV";
    }
    void fileNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        Plants().PlantTable[5].Name = name;
        Plants().PlantTable[5].Pfad = dir_.path();                // without trailing separator
        Plants().PlantTable[5].Anzahl = 12;
        MakeDataFileName(5);
        QCOMPARE(Plants().PlantTable[5].Pfad, dir_.path() + QDir::separator());
        QCOMPARE(Plants().PlantTable[5].Datei, Plants().PlantTable[5].Pfad + file);
        QCOMPARE(Plants().PlantTable[5].Anzahl, 0);
        QVERIFY(ReadAll(Ini()).endsWith("[5]\r\nAnzahl=0\r\nDatei=" + Plants().PlantTable[5].Datei.toLatin1() + "\r\n"));
        QVERIFY(!QFile::exists(Plants().PlantTable[5].Datei));    // naming creates no file
    }

    void emptyFolderMeansProgramFolder()
    {
        Plants().PlantTable[2].Name = "X";
        Plants().PlantTable[2].Pfad.clear();
        MakeDataFileName(2);
        QCOMPARE(Plants().PlantTable[2].Datei, folder_ + "X_08-12-2026.CSV");
    }

    void newFileIsByteExact()
    {
        WriteSetting("Firma", "Titel", QString::fromUtf8("Kompost Müller GmbH"));
        WriteSetting("Firma", "Zeile3", QString::fromUtf8("Hauptstraße 1"));
        TAnlageParameter &p = Plants().PlantTable[3];
        p.Name = "Miete 3";
        p.Komm = "Erster Versuch";
        p.Pfad = folder_;
        QVERIFY(Transfer(3, {{"08.12.2026  14:30", Rec(62, 60, 58, 55, 40, 25, 209, 3, 120, 15)},
                             {StampText(TStoredStamp{"5", "9", "8", "12", "2026"}), Rec(-3, 0, 1, 2, 3, 100, 5, 0, 0, 0)},
                             {"09.12.2026  00:00", Rec(70, 70, 70, 70, 70, 0, 1000, 4, 123456, 99999)},
                             {"09.12.2026  01:00", Rec(-123456, 0, 0, 0, 0, 100, -5, 2, 0, 1)}}));
        QByteArray expected = ReadAll(Data("expected/Miete-3_08-12-2026.CSV"));
        QVERIFY(!expected.isEmpty());
        expected.replace("@FOLDER@", folder_.toLatin1());
        QCOMPARE(ReadAll(p.Datei), expected);
        QCOMPARE(p.Anzahl, 4);
        QCOMPARE(ini_->ReadInteger("3", "Anzahl", -1), 4);
        QCOMPARE(ini_->ReadString("3", "Datei", ""), p.Datei);
        QVERIFY(!DataFileIsOpen());
    }

    // A new pile never appends to an ended pile's file nor shares one with another
    // plant: the name takes "-2", "-3", … and each file starts with record 1.
    void newPileNeverReusesAFile()
    {
        Plants().PlantTable[1].Name = "Miete";
        Plants().PlantTable[1].Pfad = folder_;
        // Names and header take the files' own date format, not the PC's locale.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QVERIFY(!MakeDataFileName(1));
        QCOMPARE(QFileInfo(Plants().PlantTable[1].Datei).fileName(), QString("Miete_08-12-2026.CSV"));
        QVERIFY(Transfer(1, {{"08.12.2026  10:00", Rec(1, 1, 1, 1, 1, 100, 1, 0, 1, 1)}}));
        const QString first = Plants().PlantTable[1].Datei;
        const QByteArray before = ReadAll(first);
        QVERIFY(MakeDataFileName(1));                     // pile started again
        QCOMPARE(QFileInfo(Plants().PlantTable[1].Datei).fileName(), QString("Miete_08-12-2026-2.CSV"));
        QVERIFY(Transfer(1, {{"08.12.2026  11:00", Rec(2, 2, 2, 2, 2, 100, 2, 0, 2, 2)}}));
        QCOMPARE(ReadAll(first), before);
        QVERIFY(before.contains("\r\nErste Datensicherung : 08.12.2026\r\n"));
        QVERIFY(ReadAll(Plants().PlantTable[1].Datei).endsWith("\r\n1;08.12.2026  11:00;    2;    2;    2;    2;    2;  100;  0,2;0;    2;    2;\r\n"));
        // Plant 2 under the same name: plant 1's file does not exist on disk yet
        // after a new start, but it is taken.
        QVERIFY(MakeDataFileName(1));
        Plants().PlantTable[2].Name = "Miete";
        Plants().PlantTable[2].Pfad = folder_;
        QVERIFY(MakeDataFileName(2));
        QCOMPARE(QFileInfo(Plants().PlantTable[1].Datei).fileName(), QString("Miete_08-12-2026-3.CSV"));
        QCOMPARE(QFileInfo(Plants().PlantTable[2].Datei).fileName(), QString("Miete_08-12-2026-4.CSV"));
        QCOMPARE(PlantWritingTo(folder_ + "/miete_08-12-2026-3.csv", 2), 1);
        QCOMPARE(PlantWritingTo(Plants().PlantTable[1].Datei, 1), 0);
    }

    // A crash in a transfer leaves `Anzahl` behind the file and maybe a torn line
    // and a temporary file; the next transfer numbers on after the file's lines.
    void numberingSurvivesACrash()
    {
        Plants().PlantTable[2].Name = "M2";
        Plants().PlantTable[2].Pfad = folder_;
        MakeDataFileName(2);
        const QString file = Plants().PlantTable[2].Datei;
        QVERIFY(Transfer(2, {{"08.12.2026  10:00", Rec(1, 1, 1, 1, 1, 100, 1, 0, 1, 1)},
                             {"08.12.2026  11:00", Rec(1, 1, 1, 1, 1, 100, 1, 0, 1, 1)}}));
        QVERIFY(support::WriteAll(file, ReadAll(file) + "3;08.12.2026  12:00;    1;    1;    1;    1;    1;  100;  0,1;0;    1;    1;\r\n"
                                                       "4;08.12.2026  13:00;    1;"));
        QVERIFY(support::WriteAll(file + ".a1B2c3", "half a header"));
        QVERIFY(support::WriteAll(Ini() + ".Zz9yX8", "half a settings file"));
        QVERIFY(support::WriteAll(file + ".keep", "not ours"));
        Plants().PlantTable[2].Anzahl = 2;                          // what the settings said at the crash
        RemoveAtomicWriteLeftovers(Ini());
        QVERIFY(Transfer(2, {{"08.12.2026  14:00", Rec(2, 2, 2, 2, 2, 100, 2, 0, 2, 2)}}));
        QVERIFY(ReadAll(file).endsWith("4;08.12.2026  13:00;    1;\r\n"
                                       "5;08.12.2026  14:00;    2;    2;    2;    2;    2;  100;  0,2;0;    2;    2;\r\n"));
        QCOMPARE(ReadSetting("2", "Anzahl", -1), 5);
        QVERIFY(!QFile::exists(file + ".a1B2c3") && !QFile::exists(Ini() + ".Zz9yX8"));
        QVERIFY(QFile::exists(file + ".keep"));
    }

    // A data file deleted outside the program comes back as a readable file from 1.
    void deletedFileIsRecreatedFromRecordOne()
    {
        Plants().PlantTable[4].Name = "M4";
        Plants().PlantTable[4].Pfad = folder_;
        MakeDataFileName(4);
        Plants().PlantTable[4].Anzahl = 57;
        QVERIFY(Transfer(4, {{"08.12.2026  10:00", Rec(1, 1, 1, 1, 1, 100, 1, 0, 1, 1)}}));
        const QByteArray bytes = ReadAll(Plants().PlantTable[4].Datei);
        QVERIFY(bytes.startsWith("Firmen- Name\r\n* Text *\r\n* Text *\r\n\r\n"));
        QVERIFY(bytes.endsWith("\r\n1;08.12.2026  10:00;"
                               "    1;    1;    1;    1;    1;  100;  0,1;0;    1;    1;\r\n"));
        DataFileContent c;
        QVERIFY(LoadDataFile(Plants().PlantTable[4].Datei, c, nullptr));
        QVERIFY(c.FileValid);
        QCOMPARE(c.LineCount, 1);
        QCOMPARE(ReadSetting("4", "Anzahl", -1), 1);
    }

    void failuresAreReported()
    {
        // Folder gone: no file, nothing left open.
        Plants().PlantTable[6].Name = "M6";
        Plants().PlantTable[6].Pfad = dir_.filePath("gone");
        MakeDataFileName(6);
        QVERIFY(!OpenDataFile(6));
        QVERIFY(!DataFileIsOpen());
        // Appending without an open file fails and counts nothing.
        QVERIFY(!AppendDataLine(6, "x", TLiveValues()));
        QCOMPARE(Plants().PlantTable[6].Anzahl, 0);
        // One data file at a time.
        Plants().PlantTable[7].Name = "M7";
        Plants().PlantTable[7].Pfad = folder_;
        Plants().PlantTable[8] = Plants().PlantTable[7];
        QVERIFY(OpenDataFile(7));
        QVERIFY(!OpenDataFile(8));
        CloseDataFile(7);
        QVERIFY(OpenDataFile(8));
        CloseDataFile(8);
        QVERIFY(!OpenDataFile(0));
        QVERIFY(!OpenDataFile(33));
    }

    void failedAppendLeavesNoTornLine()
    {
#ifdef Q_OS_LINUX
        Plants().PlantTable[9].Name = "Voll";
        Plants().PlantTable[9].Pfad = folder_;
        QVERIFY(Transfer(9, {{"08.12.2026  10:00", Rec(1, 1, 1, 1, 1, 100, 1, 0, 1, 1)}}));
        const QByteArray before = ReadAll(Plants().PlantTable[9].Datei);
        // The medium fills up in the middle of the next line.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = rlim_t(before.size() + 20);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QVERIFY(OpenDataFile(9));
        AppendDataLine(9, "08.12.2026  11:00", Rec(2, 2, 2, 2, 2, 100, 2, 0, 2, 2));
        CloseDataFile(9);
        setrlimit(RLIMIT_FSIZE, &old);
        // The line goes out on the writer's thread: by the time the file is closed
        // its failure is known, and the record waits for room.
        QCOMPARE(PendingRecordCount(Plants().PlantTable[9].Datei), 1);
        QVERIFY(!LastDataWriteFailure().isEmpty());
        QCOMPARE(ReadAll(Plants().PlantTable[9].Datei), before);
        QCOMPARE(Plants().PlantTable[9].Anzahl, 1);      // the count matches the lines in the file
#else
        QSKIP("Linux only");
#endif
    }

    // The file name and its record count go to the settings together or not at all.
    void fileNameAndCountAreOneWrite()
    {
        Plants().PlantTable[4].Name = "Alt";
        Plants().PlantTable[4].Pfad = folder_;
        MakeDataFileName(4);
        WriteSetting("4", "Anzahl", 57);
        const QString oldFile = Plants().PlantTable[4].Datei;
        Plants().PlantTable[4].Name = "Neu";
        for (int n : {1, 2}) {
            FailAtomicWriteNumber(n);
            MakeDataFileName(4);
            FailAtomicWriteNumber(0);
            const QString datei = ReadSetting("4", "Datei", QString());
            const qint32 anzahl = ReadSetting("4", "Anzahl", -1);
            QVERIFY2((datei == oldFile && anzahl == 57) || (datei == Plants().PlantTable[4].Datei && anzahl == 0),
                     qPrintable(QStringLiteral("write %1 failed: %2 with %3").arg(n).arg(datei).arg(anzahl)));
        }
    }

    // A pile started on a full disk gets no file rather than one without a header.
    void fullDiskLeavesNoHeaderlessFile()
    {
        Plants().PlantTable[5].Name = "Voll";
        Plants().PlantTable[5].Pfad = folder_;
        MakeDataFileName(5);
        FailAtomicWriteNumber(1);
        QVERIFY(!OpenDataFile(5));
        QVERIFY(!QFile::exists(Plants().PlantTable[5].Datei));
        QVERIFY(!DataFileIsOpen());

        support::SmallFileSystem fs;
        if (!fs.Mounted())
            QSKIP("cannot mount a small tmpfs here (needs root): full-disk case not run");
        Plants().PlantTable[5].Pfad = fs.Path(QString());
        Plants().PlantTable[5].Datei.clear();
        fs.Fill();
        QVERIFY(!OpenDataFile(5));
        QVERIFY(!QFile::exists(Plants().PlantTable[5].Datei));
        QVERIFY(!DataFileIsOpen());
        // Said as what it is, not as the system's "Unknown error".
        QVERIFY2(LastDataWriteFailure().startsWith("Datenträger voll: "), qPrintable(LastDataWriteFailure()));
    }

    // Text the program wrote into a header comes back unchanged, and blank lines
    // between records hide none of them.
    void headerTextRoundTripAndBlankLines()
    {
        Plants().PlantTable[2].Name = "Miete 2";
        Plants().PlantTable[2].Pfad = folder_;
        Plants().PlantTable[2].Komm = QString::fromUtf8("Maß° MÃ¼");
        QVERIFY(Transfer(2, {{"08.12.2026  10:00", Rec(1, 1, 1, 1, 1, 100, 1, 0, 1, 1)},
                             {"08.12.2026  11:00", Rec(2, 2, 2, 2, 2, 100, 2, 0, 2, 2)}}));
        QByteArray bytes = ReadAll(Plants().PlantTable[2].Datei);
        bytes.replace("\r\n2;", "\r\n\r\n  \r\n2;");
        bytes += "\r\n";
        WriteAll(Plants().PlantTable[2].Datei, bytes);
        DataFileContent c;
        QVERIFY(LoadDataFile(Plants().PlantTable[2].Datei, c, nullptr));
        QVERIFY(c.FileValid);
        QCOMPARE(c.Comment, Plants().PlantTable[2].Komm);
        QCOMPARE(c.LineCount, qint64(2));
        QVERIFY(c.Lines.last().startsWith(QLatin1String("2;")));
    }

    void loadCurrentLayout()
    {
        Plants().PlantTable[3].Name = "Miete 3";
        Plants().PlantTable[3].Komm = "Kommentar: mit Doppelpunkt";
        Plants().PlantTable[3].Pfad = folder_;
        QVERIFY(Transfer(3, {{"08.12.2026  14:30", Rec(62, 60, 58, 55, 40, 25, 209, 3, 120, 15)},
                             {"08.12.2026  15:30", Rec(62, 60, 58, 55, 40, 25, 209, 3, 120, 15)}}));
        DataFileContent c;
        QVERIFY(LoadDataFile(Plants().PlantTable[3].Datei, c, nullptr));
        QVERIFY(c.FileValid);
        QVERIFY(c.O2InPercent);
        QCOMPARE(c.Title1, QString("Firmen- Name"));
        QCOMPARE(c.PileName, QString(" Miete 3"));
        QCOMPARE(c.FileNameText, QString(" ") + Plants().PlantTable[3].Datei);
        QCOMPARE(c.Comment, QString("Kommentar: mit Doppelpunkt"));
        QCOMPARE(c.FirstSaveLine, QString("Erste Datensicherung : 08.12.2026"));
        QCOMPARE(c.LineCount, 2);
        QVERIFY(c.Lines[1].startsWith("2;08.12.2026  15:30;"));
    }

    void loadOldLayout()
    {
        DataFileContent c;
        QVERIFY(LoadDataFile(Data("files/old-layout.csv"), c, nullptr));
        QVERIFY(c.FileValid);
        QVERIFY(!c.O2InPercent);
        QCOMPARE(c.Title1, QString::fromUtf8("Kompostwerk Süd"));
        QCOMPARE(c.PileName, QString(" Miete Alt"));
        QCOMPARE(c.FileNameText, QString(" C:\\Daten\\Miete-Alt.CSV"));
        QCOMPARE(c.Comment, QString());
        QCOMPARE(c.FirstSaveLine, QString("Erste Datensicherung : 01.03.2009"));
        QCOMPARE(c.LineCount, 5);
        QVERIFY(c.Lines[0].startsWith("1;01.03.2009  10:00;"));
    }

    void recognition_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("percent");
        QTest::addColumn<int>("lines");
        const QByteArray head = "A\r\nB\r\nC\r\n\r\nAnlagen- Name: P\r\nDatei  - Name: F\r\nK\r\nErste: 1\r\n ;cols\r\n";
        QTest::newRow("header only") << head << false << true << 0;
        QTest::newRow("current") << head + "1;x;\r\n2;y;\r\n" << true << true << 2;
        QTest::newRow("numbered 01") << head + "01;x;\r\n" << false << true << 0;
        QTest::newRow("numbered 2") << head + "2;x;\r\n" << false << true << 0;
        QTest::newRow("column line replaced") << QByteArray("A\nB\nC\n\nN: P\nD: F\nK\nE\n1;x;\n2;y;\n") << true << false << 2;
        QTest::newRow("lone CR") << QByteArray(head).replace("\r\n", "\r") + "1;x;\r2;y;" << true << true << 2;
        QTest::newRow("lone LF, trailing end") << QByteArray(head).replace("\r\n", "\n") + "1;x;\n" << true << true << 1;
        // The empty line between "\n" and "\r\n" is no record.
        QTest::newRow("mixed ends") << QByteArray("A\rB\nC\r\n\nP\rF\r\nK\nE\n ;c\r1;x;\n\r\n") << true << true << 1;
        QTest::newRow("empty line 9") << head + "\r\n1;x;\r\n" << false << true << 0;
        QTest::newRow("empty") << QByteArray() << false << true << 0;
        QTest::newRow("no semicolon") << head + "1\r\n" << false << true << 0;
    }
    void recognition()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(bool, percent);
        QFETCH(int, lines);
        const QString path = dir_.filePath("r.csv");
        WriteAll(path, bytes);
        DataFileContent c;
        c.Lines = QStringList{"stale"};
        QVERIFY(LoadDataFile(path, c, nullptr));
        QCOMPARE(c.FileValid, valid);
        QCOMPARE(c.O2InPercent, percent);
        QCOMPARE(c.LineCount, qint64(lines));
        QCOMPARE(c.Lines.size(), qsizetype(lines));
    }

    void encodings()
    {
        const QByteArray rest = "B\r\nC\r\n\r\nAnlagen- Name: P\r\nDatei  - Name: F\r\nK\r\nE\r\n ;c\r\n1;x;\r\n";
        const QString path = dir_.filePath("e.csv");
        DataFileContent c;
        WriteAll(path, "M\xFCller \x80\r\n" + rest);
        QVERIFY(LoadDataFile(path, c, nullptr));
        QCOMPARE(c.Title1, QString::fromUtf8("Müller €"));
        WriteAll(path, "\xEF\xBB\xBFM\xC3\xBCller \xE2\x82\xAC\r\n" + rest);
        QVERIFY(LoadDataFile(path, c, nullptr));
        QCOMPARE(c.Title1, QString::fromUtf8("Müller €"));
        QVERIFY(c.FileValid);
    }

    void unreadableFileGivesTheMessage()
    {
        DataFileContent c;
        QString error;
        const QString path = dir_.filePath("missing.csv");
        QVERIFY(!LoadDataFile(path, c, &error));
        QVERIFY(!c.FileValid);
        QVERIFY(c.Lines.isEmpty());
        QVERIFY2(error.startsWith(QString::fromUtf8("Datei %1 kann nicht geöffnet werden. ").arg(path)), qPrintable(error));
        QVERIFY(error.size() > QString::fromUtf8("Datei %1 kann nicht geöffnet werden. ").arg(path).size());
        QVERIFY(!LoadDataFile(dir_.path(), c, &error));   // a folder is no file either
    }

    void countsBeyondSixteenBits()
    {
        Plants().PlantTable[2].Name = "Gross";
        Plants().PlantTable[2].Pfad = folder_;
        MakeDataFileName(2);
        QVERIFY(OpenDataFile(2));
        const TLiveValues v = Rec(60, 50, 40, 30, 20, 87, 209, 3, 1, 1);
        for (int i = 0; i < 70000; ++i)
            QVERIFY(AppendDataLine(2, "08.12.2026  10:00", v));
        CloseDataFile(2);
        DataFileContent c;
        QVERIFY(LoadDataFile(Plants().PlantTable[2].Datei, c, nullptr));
        QVERIFY(c.FileValid);
        QCOMPARE(c.LineCount, 70000);
        QVERIFY(c.Lines.last().startsWith("70000;"));
        // Continuing the pile numbers on with LineCount + 1.
        Plants().PlantTable[2].Anzahl = qint32(c.LineCount);
        QVERIFY(Transfer(2, {{"09.12.2026  10:00", v}}));
        QVERIFY(ReadAll(Plants().PlantTable[2].Datei).endsWith("\r\n70001;09.12.2026  10:00;"
                                                      "   60;   50;   40;   30;   20;   87; 20,9;3;    1;    1;\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstDataFile)
#include "tst_datafile.moc"
