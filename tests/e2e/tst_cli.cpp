#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QJsonArray>
#include <QtTest>

#include <sys/stat.h>

#include "support/Files.h"

class TstCli : public QObject {
    Q_OBJECT

    struct Result {
        int code;
        QString out, err;
    };
    Result Run(const QStringList &args, const QString &zone = QString(), const QStringList &envSet = {})
    {
        QProcess p;
        // The saved language is read from the user's settings: this run's own.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (!zone.isEmpty())
            env.insert(QStringLiteral("TZ"), zone);
        for (const QString &pair : envSet)
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(O2H_CLI), args);
        p.waitForFinished(20000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    const QString old_ = QStringLiteral(O2H_TESTDATA "/files/old-layout.csv");
    QTemporaryDir config_;

private slots:
    void info()
    {
        const Result r = Run({"info", old_});
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.keys().size(), 10);
        QCOMPARE(o["FileValid"].toBool(), true);
        QCOMPARE(o["O2InPercent"].toBool(), false);
        QCOMPARE(o["Title1"].toString(), QString::fromUtf8("Kompostwerk Süd"));
        QCOMPARE(o["PileName"].toString(), QString(" Miete Alt"));
        QCOMPARE(o["FileNameText"].toString(), QString(" C:\\Daten\\Miete-Alt.CSV"));
        QCOMPARE(o["Comment"].toString(), QString());
        QCOMPARE(o["FirstSaveLine"].toString(), QString("Erste Datensicherung : 01.03.2009"));
        QCOMPARE(o["LineCount"].toInt(), 5);
    }

    void series()
    {
        Result r = Run({"series", old_, "--per-day"});
        QCOMPARE(r.code, 0);
        QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].section(';', 1), QString("62;52;42;32;22;82;18;30;6"));
        QCOMPARE(lines[1].section(';', 1), QString("64;54;44;34;24;77;16;50;10"));
        QVERIFY(lines[0].section(';', 0, 0).endsWith("23:59"));

        r = Run({"series", old_, "--imperial", "--reftemp", "45"});
        QCOMPARE(r.code, 0);
        lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0].section(';', 1), QString("140.1;122.1;104.1;86.1;68.1;24.1;20.9;10;2"));
    }

    // Dates follow the program's saved language or --language, never the locale the
    // command runs under (the tests run under C); no display is needed, and nothing
    // warns about its absence.
    void language()
    {
        Result r = Run({"series", old_, "--per-day"});
        QVERIFY2(r.out.startsWith("01.03.2009"), qPrintable(r.out));
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        r = Run({"series", old_, "--language", "fr", "--per-day"});
        QVERIFY2(r.out.startsWith("01/03/2009"), qPrintable(r.out));
        QSettings(config_.filePath("O2-Haldrix.conf"), QSettings::IniFormat)
            .setValue("Locales/LocalizerExt", "fr");
        QVERIFY(Run({"series", old_, "--per-day"}).out.startsWith("01/03/2009"));
        QSettings(config_.filePath("O2-Haldrix.conf"), QSettings::IniFormat).remove("Locales/LocalizerExt");
        QCOMPARE(Run({"series", old_, "--language"}).code, 64);
        QCOMPARE(Run({"info", old_, "--language", "xx"}).code, 64);
        QTemporaryDir out;
        r = Run({"graph", old_, "--out", out.filePath("g.pdf"), "--language", "de"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    }

    void errors()
    {
        QTemporaryDir dir;
        const QString junk = dir.filePath("junk.csv");
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not\na\ndata\nfile\n");
        f.close();
        Result r = Run({"series", junk});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("not a data file"));
        QVERIFY(r.out.isEmpty());
        r = Run({"info", junk});
        QCOMPARE(r.code, 2);
        QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object()["FileValid"].toBool(true), false);
        r = Run({"info", dir.filePath("missing.csv")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QString::fromUtf8("kann nicht geöffnet werden")));
        QCOMPARE(Run({"series"}).code, 64);                 // usage errors: never a verdict's 1
        QCOMPARE(Run({"series", old_, "--bogus"}).code, 64);
        QCOMPARE(Run({"hygiene", old_, "--criterion"}).code, 64);
        // A FIFO would block every read: refused as no data file.
        const QString fifo = QDir::temp().filePath(QStringLiteral("o2h-fifo-%1").arg(QCoreApplication::applicationPid()));
        QVERIFY(QProcess::execute("mkfifo", {fifo}) == 0);
        for (const char *command : {"info", "hygiene"})
            QCOMPARE(Run({command, fifo}).code, 2);
        QFile::remove(fifo);

        // A stamp that is no date: points before it, then the message.
        QFile src(old_);
        QVERIFY(src.open(QIODevice::ReadOnly));
        QByteArray bytes = src.readAll();
        bytes.replace("01.03.2009  23:59", "01.03.2009  99:59");
        const QString bad = dir.filePath("bad.csv");
        QFile b(bad);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write(bytes);
        b.close();
        r = Run({"series", bad});
        QCOMPARE(r.code, 3);
        QCOMPARE(r.out.count('\n'), 2);
        QVERIFY(r.err.contains("ist keine"));
    }

    // verify and archive: the seal as it is documented (made here from its
    // description, not by the program), its exit codes, and an archive that verifies.
    void verifyAndArchive()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("Nord_01-03-2009.CSV");
        QVERIFY(QFile::copy(old_, file));
        Result r = Run({"verify", file});
        QCOMPARE(r.code, 6);
        QCOMPARE(r.out, QString("ohne Siegel\n"));

        const QList<QByteArray> lines = support::ReadAll(file).split('\n');
        QByteArray header, seal, last;
        int k = 0;
        for (; k < 9; ++k)
            header += lines[k] + '\n';
        last = QCryptographicHash::hash(header, QCryptographicHash::Sha256);
        seal = "0;" + last.toHex() + "\n";
        int records = 0;
        for (; k < lines.size() && !lines[k].isEmpty(); ++k, ++records) {
            last = QCryptographicHash::hash(last + lines[k] + '\n', QCryptographicHash::Sha256);
            seal += lines[k].left(lines[k].indexOf(';')).trimmed() + ";" + last.toHex() + "\n";
        }
        QVERIFY(support::WriteAll(file + ".seal", seal));
        r = Run({"verify", file});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("%1 Datensätze, Siegel intakt, Prüfwert %2\n").arg(records).arg(QString(last.toHex().left(16).toUpper())));

        QByteArray changed = support::ReadAll(file);
        changed.replace("   62;", "   63;");      // record 3, line 11
        QVERIFY(support::WriteAll(file, changed));
        r = Run({"verify", file, "--json"});
        QCOMPARE(r.code, 5);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o["state"].toString(), QString("broken"));
        QCOMPARE(o["fault"].toString(), QString("line changed"));
        QCOMPARE(o["line"].toInt(), 11);
        QCOMPARE(Run({"verify"}).code, 64);

        // The archive of an unsealed file is made, but proves nothing without a seal.
        const QString archive = dir.filePath("Archiv");
        r = Run({"archive", old_, "--to", archive, "--home", dir.path()});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        r = Run({"verify", r.out.trimmed()});
        QCOMPARE(r.code, 5);
        QVERIFY2(r.out.contains("das Siegel fehlt"), qPrintable(r.out));
        QCOMPARE(Run({"archive", old_}).code, 64);
        // A broken seal is said when archiving; a file that is no data file is that.
        r = Run({"archive", file, "--to", archive, "--home", dir.path()});
        QCOMPARE(r.code, 5);
        QVERIFY2(r.err.contains("Siegel verletzt"), qPrintable(r.err));
        QVERIFY(support::WriteAll(dir.filePath("notes.CSV"), "just;some;text\r\n"));
        QCOMPARE(Run({"verify", dir.filePath("notes.CSV")}).code, 2);
        // A FIFO in place of the seal or the manifest is refused at once, never read.
        QVERIFY(QFile::remove(file + ".seal"));
        QVERIFY(::mkfifo(QFile::encodeName(file + ".seal").constData(), 0600) == 0);
        QCOMPARE(Run({"verify", file}).code, 2);
        QCOMPARE(Run({"archive", file, "--to", archive, "--home", dir.path()}).code, 2);
        const QString folder = QDir(archive).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot).value(0).filePath();
        QVERIFY(QFile::remove(folder + "/MANIFEST.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(folder + "/MANIFEST.txt").constData(), 0600) == 0);
        r = Run({"verify", folder});
        QCOMPARE(r.code, 5);
        QVERIFY2(r.out.contains("MANIFEST.txt fehlt oder ist nicht lesbar"), qPrintable(r.out));
    }

    // Protocols on the site's paper: A4 outside North America whatever the program's
    // language, Letter where the system's paper is, the setting over both; the
    // quality association's form German (dates, words) in every language.
    void protocolPaper()
    {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdfinfo, pdftotext (poppler-utils) are not installed");
        QTemporaryDir home;
        auto pageSize = [](const QString &pdf) {
            QProcess info;
            info.start("pdfinfo", {pdf});
            info.waitForFinished(20000);
            const QString out = QString::fromUtf8(info.readAllStandardOutput());
            return out.section("Page size:", 1).section(u'\n', 0, 0).simplified();
        };
        auto print = [&](const QString &language, const QString &system, bool quality = false) {
            const QString pdf = home.filePath(language + system + ".pdf");
            QStringList args{"protocol", old_, "--out", pdf, "--home", home.path(), "--language", language};
            if (quality)
                args << "--quality";
            const Result r = Run(args, QString(), {"LC_ALL=", "LC_PAPER=", "LANG=" + system});
            return r.code == 0 ? pdf : r.err;
        };
        QCOMPARE(pageSize(print("de", "de_DE.UTF-8")), QString("595 x 842 pts (A4)"));
        QCOMPARE(pageSize(print("fr", "fr_FR.UTF-8")), QString("595 x 842 pts (A4)"));
        QCOMPARE(pageSize(print("en", "C")), QString("595 x 842 pts (A4)"));
        QCOMPARE(pageSize(print("en", "en_US.UTF-8")), QString("612 x 792 pts (letter)"));
        QFile ini(home.filePath("Haldrix.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nPAPIER=A4\r\n");
        ini.close();
        QCOMPARE(pageSize(print("en", "en_US.UTF-8")), QString("595 x 842 pts (A4)"));

        for (const char *language : {"en", "fr"}) {
            const QString pdf = print(language, "en_US.UTF-8", true);
            QCOMPARE(pageSize(pdf), QString("595 x 842 pts (A4)"));
            QProcess text;
            text.start("pdftotext", {"-layout", pdf, "-"});
            QVERIFY(text.waitForFinished(20000));
            const QString t = QString::fromUtf8(text.readAllStandardOutput());
            QVERIFY2(t.contains(QRegularExpression("\\b0[1-9]\\.03\\.2009\\b")) && t.contains(QRegularExpression("Prüfwert:\\s+ohne Siegel"))
                         && t.contains(QRegularExpression("Druckdatum/-zeit :\\s+\\d\\d\\.\\d\\d\\.20\\d\\d \\d\\d:\\d\\d")),
                     qPrintable(t.left(1500)));
        }
    }

    // The protocol as PDF: settings of the home folder (°F), the exit codes, and
    // nothing left at an output path that could not be written.
    void protocol()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir home;
        QFile ini(home.filePath("Haldrix.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nMetric=1\r\n");
        ini.close();
        const QString pdf = home.filePath("p.pdf");
        Result r = Run({"protocol", old_, "--out", pdf, "--home", home.path()});
        QCOMPARE(r.code, 0);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        const QString t = QString::fromUtf8(text.readAllStandardOutput());
        const qsizetype t5 = t.indexOf(QString::fromUtf8("T5[°F]")), t1 = t.indexOf(QString::fromUtf8("T1[°F]"));
        QVERIFY2(t5 > 0 && t1 > t5 && t.contains(QString::fromUtf8("Kompostwerk Süd")), qPrintable(t.left(900)));

        QFile junk(home.filePath("junk.csv"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("nur Text\r\n");
        junk.close();
        r = Run({"protocol", junk.fileName(), "--out", home.filePath("j.pdf"), "--home", home.path()});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QString::fromUtf8("Kein gültiger Dateiaufbau")));
        QVERIFY(!QFile::exists(home.filePath("j.pdf")));
        // A pile ended before its first record: said so, not "not ours".
        const QString empty = home.filePath("Ost_07-12-2026.CSV");
        QVERIFY(support::WriteAll(empty, support::PileDataFile("Ost", "07.12.2026", 0)));
        for (const char *command : {"protocol", "graph"}) {
            r = Run({command, empty, "--out", home.filePath("e.pdf"), "--home", home.path()});
            QCOMPARE(r.code, 2);
            QVERIFY2(r.err.contains(QString::fromUtf8("Die Datei enthält noch keine Messwerte")), qPrintable(r.err));
        }
        r = Run({"protocol", old_, "--out", home.filePath("no/folder/p.pdf"), "--home", home.path()});
        QCOMPARE(r.code, 4);
        QVERIFY(!r.err.isEmpty());

        // The graph: one landscape page with its own header and footer; a stamp that
        // is no date ends it with 3.
        r = Run({"graph", old_, "--out", home.filePath("g.pdf"), "--fan", "--home", home.path()});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("1 page\n"), qPrintable(r.out));
        text.start("pdftotext", {"-layout", home.filePath("g.pdf"), "-"});
        QVERIFY(text.waitForFinished(20000));
        const QString g = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(g.contains("Haldrix Messprotokoll") && g.contains("Seitennr. :") && g.contains("Laufzeit")
                     && !g.contains("T 100cm"), qPrintable(g.left(900)));
        QFile src(old_);
        QVERIFY(src.open(QIODevice::ReadOnly));
        QFile bad(home.filePath("bad.csv"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(src.readAll().replace("01.03.2009  23:59", "01.03.2009  99:59"));
        bad.close();
        QCOMPARE(Run({"graph", bad.fileName(), "--out", home.filePath("b.pdf"), "--home", home.path()}).code, 3);
        QCOMPARE(Run({"graph", junk.fileName(), "--out", home.filePath("b.pdf"), "--home", home.path()}).code, 2);
        QVERIFY(!QFile::exists(home.filePath("b.pdf")));
    }

    // The evidence: exit code by verdict at the core, the criterion from the home
    // folder's settings or the command line, every figure in the JSON.
    void hygiene()
    {
        QTemporaryDir home;
        QByteArray text = support::DataFileHeader("F", "Heiss", "h.csv", "07.12.2026");
        const QDateTime start(QDate(2026, 12, 7), QTime(0, 0));
        for (int h = 0; h <= 15 * 24; ++h)       // 15 days at 59 °C in the core
            text += QByteArray::number(h + 1) + ';' + start.addSecs(3600LL * h).toString("dd.MM.yyyy  hh:mm").toLatin1()
                + ";   59;   50;   40;   30;   20;  100; 18,5;3;    0;    0;\r\n";
        const QString file = home.filePath("h.csv");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        QVERIFY(support::SetLastChange(file, QDateTime(QDate(2026, 12, 23), QTime(1, 0))));
        Result r = Run({"hygiene", file, "--home", home.path()});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("15 d 00 h") && r.out.contains("met at the 100 cm core"), qPrintable(r.out));
        QFile ini(home.filePath("Haldrix.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[COM]\r\nKRITERIUM=bioabfv-closed\r\n");
        ini.close();
        r = Run({"hygiene", file, "--json", "--home", home.path()});
        QCOMPARE(r.code, 1);                    // 60 °C never reached
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o["criterion"].toObject()["name"].toString(), QString("bioabfv-closed"));
        QCOMPARE(o["core_met"].toBool(true), false);
        const QJsonObject core = o["depths"].toArray()[0].toObject();
        QCOMPARE(core["depth_cm"].toInt(), 100);
        QCOMPARE(core["stretches"].toArray()[0].toObject()["minutes"].toInt(), 15 * 1440);
        QCOMPARE(core["stretches"].toArray()[0].toObject()["start"].toString(), QString("2026-12-07T00:00"));
        // The windrow rule also needs five turnings from the pile's journal.
        r = Run({"hygiene", file, "--criterion", "pfrp-windrow", "--json", "--home", home.path()});
        QCOMPARE(r.code, 1);
        QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object()["depths"].toArray()[0].toObject()["turnings"].toInt(), 0);
        QVERIFY(!QJsonDocument::fromJson(r.out.toUtf8()).object()["note"].toString().isEmpty());
        r = Run({"hygiene", file, "--criterion", "nope", "--home", home.path()});
        QCOMPARE(r.code, 64);
        QVERIFY(r.err.contains("bioabfv-open"));
        QFile bad(home.filePath("bad.csv"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(text.replace("07.12.2026  05:00", "07.12.2026  xx:00"));
        bad.close();
        // A stamp that forms no date is listed; the verdict stands on the rest.
        r = Run({"hygiene", bad.fileName(), "--json", "--criterion", "bioabfv-open", "--home", home.path()});
        QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object()["undated"].toArray().size(), 1);
        QCOMPARE(Run({"hygiene", old_ + "x", "--home", home.path()}).code, 1);
    }

    // 16 days at 60 °C: the windrow rule is met with the fifth turning in the
    // journal; the journal's seal is checked with the file; the register judges
    // each pile as hygiene does.
    void journalAndRegister()
    {
        QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath("Daten")));
        auto write = [&](const char *name, int days) {
            const QString file = home.filePath(QStringLiteral("Daten/") + name);
            QByteArray text = support::DataFileHeader("Kompostwerk S\xfc" "d GmbH & Co. KG", name, file.toLatin1(), "07.12.2026");
            const QDateTime start(QDate(2026, 11, 2), QTime(0, 0));
            for (int h = 0; h <= 18 * 24; ++h)
                text += QByteArray::number(h + 1) + ';' + start.addSecs(3600LL * h).toString("dd.MM.yyyy  hh:mm").toLatin1()
                    + (h <= days * 24 ? ";   60" : ";   45") + ";   50;   40;   30;   20;  100; 18,5;3;    0;    0;\r\n";
            support::WriteAll(file, text);
            support::SetLastChange(file, QDateTime(QDate(2026, 11, 21), QTime(1, 0)));
            return file;
        };
        const QString a = write("A.CSV", 16), b = write("B.CSV", 16);
        write("C.CSV", 5);
        for (const char *day : {"03", "05", "07", "09"})
            QCOMPARE(Run({"journal", a, "--add", "turned", "--at", QString("%1.11.2026 08:00").arg(day), "--by", "K. Weiß"}).code, 0);
        Result r = Run({"hygiene", a, "--criterion", "pfrp-windrow", "--home", home.path()});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains("not met (4 Umsetzungen, 5 nötig)"), qPrintable(r.out));
        QCOMPARE(Run({"journal", a, "--add", "turned", "--at", "11.11.2026 08:00"}).code, 0);
        QCOMPARE(Run({"hygiene", a, "--criterion", "pfrp-windrow", "--home", home.path()}).code, 0);
        QCOMPARE(Run({"journal", a, "--add", "dug", "--home", home.path()}).code, 64);
        QCOMPARE(Run({"journal", a, "--add", "probe-check", "--depth", "100"}).code, 4);     // no readings
        r = Run({"journal", a, "--json"});
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o["entries"].toArray().size(), 5);
        QCOMPARE(o["entries"].toArray()[0].toObject()["by"].toString(), QString::fromUtf8("K. Weiß"));
        QCOMPARE(o["seal"].toObject()["state"].toString(), QString("intact"));
        QVERIFY(Run({"--help"}).out.contains("pas100"));
        QCOMPARE(Run({"hygiene", a, "--criterion", "pas100", "--home", home.path()}).code, 1);   // 60 °C < 65 °C

        // A changed entry fails verify, named by its number and line.
        QByteArray journal = support::ReadAll(a + ".journal");
        journal.replace("09.11.2026 08:00", "10.11.2026 08:00");
        support::WriteAll(a + ".journal", journal);
        r = Run({"verify", a});
        QCOMPARE(r.code, 5);
        QVERIFY2(r.out.contains("Eintrag 4 (Zeile 13) wurde verändert"), qPrintable(r.out));

        const QString pdf = home.filePath("register.pdf"), csv = home.filePath("register.csv");
        r = Run({"register", home.filePath("Daten"), "--year", "2026", "--criterion", "pfrp-windrow", "--home", home.path(),
                 "--out", pdf, "--csv", csv});
        QCOMPARE(r.code, 0);
        const QStringList rows = QString::fromUtf8(support::ReadAll(csv)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 4);
        for (const QString &file : {a, b, home.filePath("Daten/C.CSV")}) {
            const QString row = *std::find_if(rows.begin(), rows.end(), [&](const QString &l) { return l.contains(file); });
            const bool met = Run({"hygiene", file, "--criterion", "pfrp-windrow", "--home", home.path()}).code == 0;
            QCOMPARE(row.contains(";erfüllt"), met);
        }
        QVERIFY(support::ReadAll(pdf).startsWith("%PDF"));
        QCOMPARE(Run({"register", home.filePath("fehlt"), "--out", pdf}).code, 1);
    }

    // The same file gives the same evidence on every PC: over the spring change, in
    // Berlin and in UTC; the site's holidays come from the command line.
    void hygieneIsTheSameInEveryZone()
    {
        QTemporaryDir home;
        QByteArray text = support::DataFileHeader("F", "Lenz", "l.csv", "23.03.2026");
        const QDateTime start(QDate(2026, 3, 23), QTime(8, 0), Qt::UTC);
        for (int h = 0; h <= 7 * 24; ++h)
            text += QByteArray::number(h + 1) + ';' + start.addSecs(3600LL * h).toString("dd.MM.yyyy  hh:mm").toLatin1()
                + ";   60;   60;   60;   60;   60;  100; 18,5;3;    0;    0;\r\n";
        const QString file = home.filePath("l.csv");
        QVERIFY(support::WriteAll(file, text));
        QVERIFY(support::SetLastChange(file, QDateTime(QDate(2026, 4, 1), QTime(0, 0))));
        QStringList minutes;
        for (const QString zone : {"Europe/Berlin", "UTC"}) {
            const Result r = Run({"hygiene", file, "--criterion", "bioabfv-closed", "--json", "--home", home.path()}, zone);
            QCOMPARE(r.code, 0);
            const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
            minutes << QString::number(o["depths"].toArray()[0].toObject()["stretches"].toArray()[1].toObject()["minutes"].toInt());
            QVERIFY(o["undated"].toArray().isEmpty() && o["clock_faults"].toArray().isEmpty());
        }
        QCOMPARE(minutes, QStringList({"10080", "10080"}));
        const Result bad = Run({"hygiene", file, "--holidays", "XX", "--home", home.path()});
        QVERIFY(bad.code == 64 && bad.err.contains("--holidays XX"));
        const Result nw = Run({"hygiene", file, "--holidays", "nw", "--working-days", "1-6", "--json", "--home", home.path()});
        const QJsonObject o = QJsonDocument::fromJson(nw.out.toUtf8()).object();
        QCOMPARE(o["holiday_state"].toString(), QString("NW"));
        QCOMPARE(o["working_days"].toArray().size(), 6);
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
