#include "settings/SettingsFile.h"
#include "base/TextCodec.h"
#include "base/AtomicFile.h"
#include "support/Files.h"
#include "plant/Plant.h"
#include "support/SharedState.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

using support::ReadAll;
using support::WriteAll;

class TstSettings : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString ini_;
    std::unique_ptr<TSettingsFile> file_;
    std::optional<support::SharedStateGuard> guard_;

    void Open()
    {
        Settings().SettingsFile = nullptr;
        file_ = std::make_unique<TSettingsFile>(ini_);
        Settings().SettingsFile = file_.get();
    }

private slots:
    void init()
    {
        ini_ = dir_.filePath(QStringLiteral("Haldrix.ini"));
        QFile::remove(ini_);
        guard_.emplace();
        SetProgramFolder(dir_.path());
        Open();
    }
    void cleanup()
    {
        guard_.reset();
        file_.reset();
        FailAtomicWriteNumber(0);
    }

    // The protocols' paper: the system's (LC_PAPER before LC_ALL before LANG), Letter
    // only in North America, and [COM] PAPIER over it; the company lines count as
    // not entered while any still holds its placeholder.
    void paperAndCompanyPlaceholders()
    {
        const QByteArray was[3] = {qgetenv("LC_PAPER"), qgetenv("LC_ALL"), qgetenv("LANG")};
        auto system = [](const char *paper, const char *all, const char *lang) {
            qputenv("LC_PAPER", paper);
            qputenv("LC_ALL", all);
            qputenv("LANG", lang);
            return SystemPaper();
        };
        QCOMPARE(system("", "", "de_DE.UTF-8"), Paper::A4);
        QCOMPARE(system("", "", "en_US.UTF-8"), Paper::Letter);
        QCOMPARE(system("", "fr_CA.UTF-8", "de_DE.UTF-8"), Paper::Letter);
        QCOMPARE(system("en_GB.UTF-8", "en_US.UTF-8", "en_US"), Paper::A4);
        QCOMPARE(system("", "", "C"), Paper::A4);
        QCOMPARE(ProtocolPaper(), Paper::A4);
        WriteSetting("COM", "PAPIER", "Letter");
        QCOMPARE(ProtocolPaper(), Paper::Letter);
        WriteSetting("COM", "PAPIER", "B5");                // not ours: the system's
        QCOMPARE(ProtocolPaper(), Paper::A4);
        qputenv("LC_PAPER", was[0]);
        qputenv("LC_ALL", was[1]);
        qputenv("LANG", was[2]);

        QVERIFY(CompanyLinesArePlaceholders());
        WriteSetting("Firma", "Titel", "Kompostwerk Süd GmbH & Co. KG");
        QVERIFY(CompanyLinesArePlaceholders());             // lines 2 and 3 still "* Text *"
        WriteSetting("Firma", "Zeile2", "");
        WriteSetting("Firma", "Zeile3", "Tel. 0711/123");
        QVERIFY(!CompanyLinesArePlaceholders());
    }

    void missingFileGivesDefaultsAndNullFileIsSafe()
    {
        QCOMPARE(Settings().SettingsFile->ReadString("Firma", "Titel", "Firmen- Name"), QString("Firmen- Name"));
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "TIMEOUT", 300), 300);
        QVERIFY(!Settings().SettingsFile->SectionExists("Form"));
        QVERIFY(!QFile::exists(ini_));     // reading never creates the file

        Settings().SettingsFile = nullptr;
        WriteSetting("COM", "COM", 3);
        QCOMPARE(ReadSetting("COM", "COM", 1), 1);
        QCOMPARE(ReadSettingBool("COM", "SHOWREF", true), true);
        QCOMPARE(ReadReadoutHour(), 0);
        FormPlacement p;
        QVERIFY(!ReadFormPlacement("Form", p));
        WriteFormPlacement("Form", p);
        LoadPlantSettings(4);
        QCOMPARE(Plants().PlantTable[4].Name, QString("Anl-Nr4"));
        StorePlantSettings(4);
        QVERIFY(!QFile::exists(ini_));

        // A new account: the data folder and the folders above it do not exist yet.
        const QString fresh = dir_.filePath(QStringLiteral("home/.local/share/o2-haldrix/Haldrix.ini"));
        TSettingsFile first(fresh);
        QVERIFY(!QFile::exists(fresh));
        QVERIFY(first.WriteString("Firma", "Titel", "Kompostwerk Süd GmbH & Co. KG"));
        QCOMPARE(TSettingsFile(fresh).ReadString("Firma", "Titel", ""), QString("Kompostwerk Süd GmbH & Co. KG"));
    }

    void writesReachTheFileAtOnceInCrLfAndCp1252()
    {
        QVERIFY(Settings().SettingsFile->WriteString("Firma", "Titel", QString::fromUtf8("Kompost Müller € GmbH")));
        QVERIFY(Settings().SettingsFile->WriteBool("COM", "Metric", true));
        QVERIFY(Settings().SettingsFile->WriteBool("COM", "SHOWREF", false));
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "COM", -2));
        QCOMPARE(ReadAll(ini_), QByteArray("[Firma]\r\nTitel=Kompost M\xFCller \x80 GmbH\r\n\r\n"
                                           "[COM]\r\nMetric=1\r\nSHOWREF=0\r\nCOM=-2\r\n"));
        // No temporary file is left next to it.
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Haldrix.ini"});

        TSettingsFile again(ini_);
        QCOMPARE(again.ReadString("firma", "TITEL", ""), QString::fromUtf8("Kompost Müller € GmbH"));
        QCOMPARE(again.ReadBool("COM", "Metric", false), true);
        QCOMPARE(again.ReadBool("COM", "SHOWREF", true), false);
        QCOMPARE(again.ReadInteger("COM", "COM", 1), -2);
    }

    void handEditedFileKeepsCommentsOrderAndSpelling()
    {
        WriteAll(ini_, "; site settings\n[com]\nzeit = 5\n\n  DispOffset=1\n# keep me\n[1]\nname=Nord\n");
        Open();
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "ZEIT", 0), 5);
        QVERIFY(Settings().SettingsFile->SectionExists("Com"));
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "ZEIT", 7));
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "TIMEOUT", 500));
        QVERIFY(Settings().SettingsFile->WriteString("1", "Komm", "neu"));
        QCOMPARE(ReadAll(ini_), QByteArray("; site settings\r\n[com]\r\nzeit =7\r\n\r\n  DispOffset=1\r\n"
                                           "TIMEOUT=500\r\n# keep me\r\n[1]\r\nname=Nord\r\nKomm=neu\r\n"));
    }

    void readsUtf8AndWindows1252Files()
    {
        WriteAll(ini_, "[Firma]\r\nTitel=Gr\xC3\xBCn\xE2\x82\xAC\r\n");
        Open();
        QCOMPARE(Settings().SettingsFile->ReadString("Firma", "Titel", ""), QString::fromUtf8("Grün€"));
        WriteAll(ini_, "[Firma]\r\nTitel=Gr\xFCn\x80\x9F\r\n");
        QCOMPARE(Settings().SettingsFile->ReadString("Firma", "Titel", ""), QString::fromUtf8("Grün€Ÿ"));   // edit picked up
        WriteAll(ini_, "\xEF\xBB\xBF[Firma]\r\nTitel=Gr\xC3\xBCn\r\n");
        QCOMPARE(Settings().SettingsFile->ReadString("Firma", "Titel", ""), QString::fromUtf8("Grün"));
        // A folder name Windows-1252 cannot hold survives: the file turns UTF-8.
        const QString folder = QString::fromUtf8("/daten/Компост/");
        QVERIFY(Settings().SettingsFile->WriteString("3", "Pfad", folder));
        QCOMPARE(TSettingsFile(ini_).ReadString("3", "Pfad", ""), folder);
        QCOMPARE(TSettingsFile(ini_).ReadString("Firma", "Titel", ""), QString::fromUtf8("Grün"));
        // Looks like UTF-8 at first, then is not: Windows-1252 throughout.
        QCOMPARE(DecodeText("\xC3\xBC \xE2\x82"), QString::fromUtf8("Ã¼ â‚"));
        QCOMPARE(DecodeText("\xED\xA0\x80"), QString::fromUtf8("í\u00A0€"));   // no surrogates in UTF-8
        QCOMPARE(DecodeText("\xF0\x9F\x98\x80"), QString::fromUtf8("😀"));
        bool lossless = true;
        QCOMPARE(EncodeWindows1252(QString::fromUtf8("a\u0416b"), &lossless), QByteArray("a?b"));
        QVERIFY(!lossless);
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            QCOMPARE(EncodeWindows1252(DecodeWindows1252(one)), one);
        }
    }

    void integersBooleansAndWords()
    {
        WriteAll(ini_, "[COM]\nA=2\nB=0\nC=abc\nD=99999999999\nE= -17 \nF=65537\nG=-1\nH=12x\nI=0x10\n");
        Open();
        QCOMPARE(Settings().SettingsFile->ReadBool("COM", "A", false), true);       // any non-zero is true
        QCOMPARE(Settings().SettingsFile->ReadBool("COM", "B", true), false);
        QCOMPARE(Settings().SettingsFile->ReadBool("COM", "C", true), true);        // not a number: default
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "C", 9), 9);
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "D", 9), 9);           // beyond 32 bits
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "E", 9), -17);
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "H", 9), 9);
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "I", 9), 16);
        QCOMPARE(Settings().SettingsFile->ReadWord("COM", "F", 300), quint16(1));
        QCOMPARE(Settings().SettingsFile->ReadWord("COM", "G", 300), quint16(65535));
        QCOMPARE(Settings().SettingsFile->ReadWord("COM", "missing", 300), quint16(300));
    }

    void realsFollowTheNumberFormatAndNeverMisread()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(Settings().SettingsFile->WriteFloat("COM", "REFTEMP", 55.5));
        QVERIFY(Settings().SettingsFile->WriteFloat("COM", "X", 1234567.25));
        QVERIFY(ReadAll(ini_).contains("REFTEMP=55,5\r\n"));
        QVERIFY(ReadAll(ini_).contains("X=1234567,25\r\n"));   // no group separator
        QCOMPARE(Settings().SettingsFile->ReadFloat("COM", "REFTEMP", 0), 55.5);
        // A file from a system with "." is not read as 555.
        WriteAll(ini_, "[COM]\nREFTEMP=55.5\nA=1.234,5\nB=nan\n");
        QCOMPARE(Settings().SettingsFile->ReadFloat("COM", "REFTEMP", 0), 55.5);
        QCOMPARE(Settings().SettingsFile->ReadFloat("COM", "A", 7), 7.0);
        QCOMPARE(Settings().SettingsFile->ReadFloat("COM", "B", 7), 7.0);
        QLocale::setDefault(QLocale::c());
        QVERIFY(Settings().SettingsFile->WriteFloat("COM", "REFTEMP", 60.25));
        QVERIFY(ReadAll(ini_).contains("REFTEMP=60.25\r\n"));
    }

    void valueWithLineBreakCannotAddKeys()
    {
        QVERIFY(Settings().SettingsFile->WriteString("1", "Komm", "a\r\n[COM]\nZEIT=5"));
        QVERIFY(!Settings().SettingsFile->SectionExists("COM"));
        QCOMPARE(Settings().SettingsFile->ReadString("1", "Komm", ""), QString("a [COM] ZEIT=5"));
    }

    void failedWriteLeavesFileIntact()
    {
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "COM", 2));
        const QByteArray before = ReadAll(ini_);
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        TSettingsFile nowhere(ini_ + "/no/such/folder/Haldrix.ini");     // under a file: not even root makes it
        QVERIFY(!nowhere.WriteInteger("COM", "COM", 3));
        QCOMPARE(nowhere.ReadInteger("COM", "COM", 0), 0);      // the failed write is not seen

        const bool canStillWrite = QFileInfo(dir_.path()).isWritable();   // root ignores modes
        const bool ok = Settings().SettingsFile->WriteInteger("COM", "COM", 3);
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (canStillWrite)
            QSKIP("running with rights that ignore folder permissions");
        QVERIFY(!ok);
        QCOMPARE(ReadAll(ini_), before);

        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "COM", 0), 2);
    }

    void plantSections()
    {
        Settings().DisplayOffset = 10;
        WriteAll(ini_, "[5]\nName=Miete 5\nKomm=k\nDatei=/x/a.CSV\nAnzahl=250\n[7]\nAnzahl=3\n");
        LoadPlantSettings(5);
        QCOMPARE(Plants().PlantTable[5].Name, QString("Miete 5"));
        QCOMPARE(Plants().PlantTable[5].Datei, QString("/x/a.CSV"));
        QCOMPARE(Plants().PlantTable[5].Anzahl, 250);
        QCOMPARE(Plants().PlantTable[5].Pfad, Settings().ProgramFolder);       // no Pfad: the program folder
        QVERIFY(Settings().ProgramFolder.endsWith(QDir::separator()));
        LoadPlantSettings(7);
        QCOMPARE(Plants().PlantTable[7].Name, QString("Anl-Nr7"));
        QCOMPARE(Plants().PlantTable[7].Komm, QString());
        LoadPlantSettings(0);
        LoadPlantSettings(33);       // out of range: ignored

        Plants().PlantTable[9].Name = "N";
        Plants().PlantTable[9].Pfad = "/p/";
        Plants().PlantTable[9].Komm = "K";
        StorePlantSettings(9);
        QVERIFY(ReadAll(ini_).endsWith("\r\n\r\n[9]\r\nName=N\r\nPfad=/p/\r\nKomm=K\r\n"));
    }

    void nextReadout_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("next");
        QTest::addColumn<bool>("enabled");
        const QDate d(2026, 12, 8);
        QTest::newRow("24 at 23:30") << 24 << QDateTime(d, QTime(23, 30)) << QDateTime(d.addDays(1), QTime(0, 0)) << true;
        QTest::newRow("24 at 00:00") << 24 << QDateTime(d, QTime(0, 0)) << QDateTime(d.addDays(1), QTime(0, 0)) << true;
        QTest::newRow("6 at 07:00") << 6 << QDateTime(d, QTime(7, 0)) << QDateTime(d.addDays(1), QTime(6, 0)) << true;
        QTest::newRow("6 at 05:00") << 6 << QDateTime(d, QTime(5, 0)) << QDateTime(d, QTime(6, 0)) << true;
        QTest::newRow("6 at 06:00 sharp") << 6 << QDateTime(d, QTime(6, 0)) << QDateTime(d, QTime(6, 0)) << true;
        QTest::newRow("year end") << 3 << QDateTime(QDate(2026, 12, 31), QTime(4, 0)) << QDateTime(QDate(2027, 1, 1), QTime(3, 0)) << true;
        QTest::newRow("off") << 0 << QDateTime(d, QTime(5, 0)) << QDateTime(d, QTime(0, 0)).addDays(1) << false;
    }
    void nextReadout()
    {
        QFETCH(int, hour);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, next);
        QFETCH(bool, enabled);
        Settings().ReadoutHour = hour;
        ComputeNextReadout(now);
        QCOMPARE(Settings().ReadoutEnabled, enabled);
        if (enabled)
            QCOMPARE(Settings().NextReadout, next);
    }

    void readoutHourAndGraphTickAreSeparate()
    {
        QVERIFY(QString(GraphRunTimeKey).compare("ZEIT", Qt::CaseInsensitive) != 0);
        for (auto [text, hour] : {std::pair{"24", 24}, {"6", 6}, {"25", 0}, {"-1", 0}, {"x", 0}, {"0", 0}}) {
            WriteAll(ini_, QByteArray("[COM]\nZEIT=") + text + "\n");
            QCOMPARE(ReadReadoutHour(), hour);
        }
        Settings().ReadoutHour = 99;    // a stray value never turns the readout on
        ComputeNextReadout(QDateTime(QDate(2026, 1, 1), QTime(1, 0)));
        QVERIFY(!Settings().ReadoutEnabled);
        // Writing the graph tick leaves the readout hour alone.
        WriteAll(ini_, "[COM]\nZEIT=6\n");
        WriteSettingBool("COM", GraphRunTimeKey, false);
        QCOMPARE(ReadReadoutHour(), 6);
    }

    void formPlacement()
    {
        FormPlacement p;
        QVERIFY(!ReadFormPlacement("Form", p));
        WriteFormPlacement("Form", FormPlacement{-20, 30, 5000, 700, 2});
        QVERIFY(ReadFormPlacement("Form", p));
        QCOMPARE(p.Left, -20);
        QCOMPARE(p.Width, 5000);
        QCOMPARE(p.State, 2);
        FormPlacement fit = FitFormPlacement(p, 1920, 1080);
        QCOMPARE(fit.Width, 1920);
        QCOMPARE(fit.Left, -20);          // no lower bound
        QCOMPARE(fit.Top, 30);
        fit = FitFormPlacement(FormPlacement{1800, 900, 400, 300, 0}, 1920, 1080);
        QCOMPARE(fit.Left, 1520);
        QCOMPARE(fit.Top, 780);
        WriteAll(ini_, "[Form]\nWidth=0\nHeight=-5\nState=9\n");
        QVERIFY(ReadFormPlacement("Form", p));
        QCOMPARE(p.Width, 1024);
        QCOMPARE(p.Height, 768);
        QCOMPARE(p.State, 0);
    }

    // What the program writes must read back as it was, whatever the bytes look like.
    void writtenTextReadsBackUnchanged()
    {
        // "Maß°" is DF B0 in Windows-1252, valid UTF-8 for U+07F0.
        const QString mass = QString::fromUtf8("Maß°");
        QVERIFY(Settings().SettingsFile->WriteString("1", "Komm", mass));
        QCOMPARE(TSettingsFile(ini_).ReadString("1", "Komm", ""), mass);
        const QString umlautAsMojibake = QString::fromUtf8("MÃ¼ller");     // C3 BC in Windows-1252
        QVERIFY(Settings().SettingsFile->WriteString("1", "Komm", umlautAsMojibake));
        QVERIFY(ReadAll(ini_).startsWith("\xEF\xBB\xBF"));                  // must say what it is
        QCOMPARE(TSettingsFile(ini_).ReadString("1", "Komm", ""), umlautAsMojibake);
    }

    void filesOfOtherToolsAndDoubleMarks()
    {
        WriteAll(ini_, "[1]\r\nKomm=Ma\xDF\xB0\r\n");                       // an old Windows-1252 file
        QCOMPARE(TSettingsFile(ini_).ReadString("1", "Komm", ""), QString::fromUtf8("Maß°"));
        WriteAll(ini_, "[1]\r\nKomm=M\xC3\xBCller\r\n");                     // UTF-8 without a mark
        QCOMPARE(TSettingsFile(ini_).ReadString("1", "Komm", ""), QString::fromUtf8("Müller"));
        WriteAll(ini_, "\xEF\xBB\xBF\xEF\xBB\xBF[COM]\r\nCOM=4\r\n");
        QCOMPARE(TSettingsFile(ini_).ReadInteger("COM", "COM", 1), 4);
    }

    // Files that are no text the program reads are never written; the encodings and
    // line ends it reads are kept when it writes.
    void unreadableFilesAreLeftAloneReadableOnesKeepTheirForm()
    {
        const QByteArray utf16("\xFF\xFE[\0C\0O\0M\0]\0\r\0\n\0C\0O\0M\0=\0\x34\0", 24);
        const QByteArray binary("\x7F" "ELF\x02\x01\n\0\0\n[COM]\nCOM=4\n", 21);
        for (const QByteArray &bytes : {utf16, binary}) {
            WriteAll(ini_, bytes);
            Open();
            QVERIFY(Settings().SettingsFile->Unreadable());
            QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "COM", 1), 1);
            QVERIFY(!Settings().SettingsFile->WriteInteger("COM", "TIMEOUT", 100));
            StorePlantSettings(3);
            QCOMPARE(ReadAll(ini_), bytes);
            QVERIFY(LoadProgramSettings().join(' ').contains("keine lesbare Textdatei"));
        }
        // One stray control byte is a slip, not a binary file: told with its line.
        WriteAll(ini_, "[Firma]\r\nTitel=Kompostwerk S\xC3\xBC" "d\x02 GmbH & Co. KG\r\n[COM]\r\nCOM=4\r\n");
        Open();
        QVERIFY(!Settings().SettingsFile->Unreadable());
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "COM", 1), 4);
        QCOMPARE(Settings().SettingsFile->ReadString("Firma", "Titel", ""), QString::fromUtf8("Kompostwerk Süd GmbH & Co. KG"));
        QVERIFY(LoadProgramSettings().join(' ').contains("in Zeile 2 ein Steuerzeichen"));
        WriteAll(ini_, "\xEF\xBB\xBF[Firma]\r\nTitel=Gr\xC3\xBCn\r\n");
        Open();
        QVERIFY(!Settings().SettingsFile->Unreadable());
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "COM", 2));
        QCOMPARE(ReadAll(ini_), QByteArray("\xEF\xBB\xBF[Firma]\r\nTitel=Gr\xC3\xBCn\r\n\r\n[COM]\r\nCOM=2\r\n"));
        WriteAll(ini_, "[Firma]\r\nTitel=Gr\xC3\xBCn\r\n");               // UTF-8 without a mark
        QVERIFY(Settings().SettingsFile->WriteString("Firma", "Zusatz", QString::fromUtf8("Höhe")));
        QCOMPARE(ReadAll(ini_), QByteArray("[Firma]\r\nTitel=Gr\xC3\xBCn\r\nZusatz=H\xC3\xB6he\r\n"));
        WriteAll(ini_, "[COM]\rCOM=3\r");
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "TIMEOUT", 100));
        QCOMPARE(ReadAll(ini_), QByteArray("[COM]\rCOM=3\rTIMEOUT=100\r"));
    }

    // A write that cannot complete leaves the file as it was, byte for byte.
    void failedWritesLeaveTheFileAsItWas()
    {
        QVERIFY(Settings().SettingsFile->WriteString("COM", "COM", "3"));
        QVERIFY(Settings().SettingsFile->WriteString("Ports", "COM3", "/dev/ttyUSB0"));
        const QByteArray before = ReadAll(ini_);
        FailAtomicWriteNumber(1);
        QVERIFY(!Settings().SettingsFile->WriteInteger("COM", "TIMEOUT", 100));
        QCOMPARE(ReadAll(ini_), before);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{"Haldrix.ini"});
        QCOMPARE(Settings().SettingsFile->ReadInteger("COM", "TIMEOUT", 300), 300);
        QVERIFY(Settings().SettingsFile->WriteInteger("COM", "TIMEOUT", 100));

        support::SmallFileSystem fs;
        if (!fs.Mounted())
            QSKIP("cannot mount a small tmpfs here (needs root): full-disk case not run");
        const QString full = fs.Path("Haldrix.ini");
        TSettingsFile onFull(full);
        QVERIFY(onFull.WriteString("COM", "COM", "3"));
        QVERIFY(onFull.WriteString("Ports", "COM3", "/dev/ttyUSB0"));
        const QByteArray old = ReadAll(full);
        fs.Fill();
        QVERIFY(!onFull.WriteInteger("COM", "TIMEOUT", 100));
        QVERIFY(!onFull.WriteString("1", "Name", QString(200, u'n')));
        QCOMPARE(ReadAll(full), old);
        QCOMPARE(onFull.ReadString("Ports", "COM3", ""), QString("/dev/ttyUSB0"));
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
