#pragma once
// The seal of a data file: "<file>.seal" beside it, UTF-8, one line per line of the
// data file. Its first line "0;<hash>" holds the SHA-256 of the header (the file's
// first nine lines, bytes as written); then one line "<record number>;<hash>" per
// data line, the hash taken over the previous line's hash (32 bytes) and the data
// line's exact bytes, CR LF included. A file changed afterwards no longer matches
// its chain; the check value (the last hash's first 16 hex digits), printed on the
// protocols, pins the file even against someone who rewrites both.
//
// The writer announces a line (its seal line, on the disk) before it writes the
// line, so a crash leaves at most one announced line missing or torn, never a line
// the seal does not know: a data line without its seal line was put there by
// someone else. Seals of earlier versions wrote the line first; they verify the
// same way. Two more kinds of seal line pin a line that is no record, so that the
// chain goes on after it: "torn;<hash>" for an announced line a crash cut short
// (kept as it is), "foreign;<hash>" for a line the seal never announced, found
// when the file was taken up again (kept, and reported as a change for good).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

QString SealPath(const QString &dataFile);

// The number of header lines our writer puts before the data lines.
constexpr int SealHeaderLines = 9;

// One link of the chain: SHA-256 over `previous` (empty for the header) and `line`.
QByteArray SealHash(const QByteArray &previous, const QByteArray &line);
// "<number>;<64 hex digits>\n"
QByteArray SealLine(qint64 number, const QByteArray &hash);
// The check value of a hash: its first 16 hex digits, upper case.
QString CheckValueText(const QByteArray &hash);

struct SealCheck {
    enum State { Intact, NoSeal, Broken, Unreadable };
    enum Fault { None, HeaderChanged, LineChanged, LineRemoved, LineInserted, TailRemoved, Unannounced, SealDamaged };
    State state = Unreadable;
    Fault fault = None;
    qint64 records = 0;         // data lines covered by the seal
    qint64 line = 0;            // 1-based line of the data file where the fault was found
    qint64 record = 0;          // the record number there (as the seal has it)
    qint64 tornLine = 0;        // a line a crash cut short: kept, no record (1-based line)
    bool announcedMissing = false;  // the last announced record never reached the file (a crash)
    QString checkValue;         // of the last sealed line
    QString error;              // Unreadable: why

    // For the operator: "65535 Datensätze, Siegel intakt, Prüfwert 0123456789ABCDEF",
    // "ohne Siegel", or the first fault and where it is.
    QString Text() const;
    // A short state for a window's file line: "Siegel intakt", "ohne Siegel",
    // "Siegel verletzt".
    QString ShortText() const;
    // The check value as the prints give it after "Prüfwert": "0123456789ABCDEF",
    // or "ohne Siegel", "Siegel verletzt (Zeile 12)".
    // `inGerman`: for a German form, whatever the program's language.
    QString PrintValue(bool inGerman = false) const;
};

// Checks the data file against its seal. Works on the bytes; a file saved again by
// a spreadsheet (other separators, line ends or dates) is found at its header.
SealCheck VerifySeal(const QString &dataFile);
// The same on contents already read (data file bytes, seal bytes).
SealCheck VerifySealBytes(const QByteArray &data, const QByteArray &seal);

// How the writer takes up a sealed file again to append to it. `tornTail`: the
// file's last line had no line end (the writer has ended it since, so `data` holds
// it with CR LF). A seal line cut short (disk full, crash) is cut off; an announced
// line that never came is withdrawn; a torn announced line and lines the seal never
// announced get "torn"/"foreign" seal lines. `ok` false: the file does not match
// its seal before its end (changed), so nothing is sealed on.
struct SealTakeUp {
    bool ok = false;
    qint64 keepSealBytes = 0;   // the seal's length to keep
    QByteArray append;          // seal lines to add after it
    QByteArray last;            // the chain's last hash after them
    QList<qint64> foreignLines; // 1-based lines of the data file
    qint64 tornLine = 0;
};
SealTakeUp PlanSealTakeUp(const QByteArray &data, const QByteArray &seal, bool tornTail);
