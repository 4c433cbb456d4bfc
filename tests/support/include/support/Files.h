#pragma once
// File helpers of the tests: whole-file read and write, and a small file system
// that can be filled up.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace support {

inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The nine header lines of a data file as the program writes them (company title,
// two more company lines, pile and file name, comment, first save, column titles).
inline QByteArray DataFileHeader(const QByteArray &title, const QByteArray &pile, const QByteArray &file,
                                 const QByteArray &firstSave)
{
    return title + "\r\nZ2\r\nZ3\r\n\r\nAnlagen- Name: " + pile + "\r\nDatei  - Name: " + file + "\r\nKomm\r\n"
        + "Erste Datensicherung : " + firstSave + "\r\n"
        + " ;Speicherzeit;T5;T4;T3;T2;T1;RefMarke; O2[vol%];Betriebsart;Luefterlaufzeit;LuefterZyklen\r\n";
}

// A data file of `pile` begun on `day` ("01.12.2026"), with `records` records
// stamped that day a minute apart from 10:01; 0 records: the header alone.
inline QByteArray PileDataFile(const QByteArray &pile, const QByteArray &day, int records)
{
    QByteArray text = DataFileHeader("Kompostwerk Süd GmbH & Co. KG", pile, "x", day);
    for (int i = 1; i <= records; ++i)
        text += QByteArray::number(i) + ";" + day + "  " + QByteArray::number(10 + i / 60) + ":"
                + QByteArray::number(i % 60).rightJustified(2, '0') + ";   60;   60;   60;   60;   40;  100; 20,9;3;    1;    1;\r\n";
    return text;
}

inline bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Sets a file's last change: records stamped after it (plus a day) are clock faults
// to the evidence, so files of days still to come are dated after their last record.
inline bool SetLastChange(const QString &path, const QDateTime &when)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}

// A 64 KiB tmpfs mounted on a scratch folder for as long as the object lives
// (Linux, as root). Mounted() is false where that is not allowed; tests skip then.
class SmallFileSystem {
public:
    SmallFileSystem()
    {
#ifdef Q_OS_LINUX
        if (dir_.isValid())
            mounted_ = QProcess::execute(QStringLiteral("mount"),
                                         {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir_.path()}) == 0;
#endif
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {"-l", dir_.path()});
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool Mounted() const { return mounted_; }
    QString Path(const QString &name) const { return dir_.filePath(name); }

    // Takes every free byte, so that the next write of any size fails.
    void Fill()
    {
        QFile f(Path(QStringLiteral("filler")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(512, 'x');
        while (f.write(block) == block.size()) {
        }
        const QByteArray one(1, 'x');
        while (f.write(one) == 1) {
        }
    }

    // Gives the room back.
    void Free() { QFile::remove(Path(QStringLiteral("filler"))); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace support
