#pragma once
// Text files of the program are Windows-1252; readers also accept UTF-8.
// Own table-driven code: fast enough for big data files and independent of ICU.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// UTF-8 when the bytes start with a byte order mark (all leading marks are dropped),
// or when they are valid UTF-8 with at least one multi-byte character and every
// character is one such texts plausibly hold (Latin letters, punctuation, symbols
// such as ° and €, emoji; not rare scripts); Windows-1252 otherwise.
QString DecodeText(QByteArrayView bytes);
QString DecodeWindows1252(QByteArrayView bytes);

enum class TextEncoding { Ascii, Utf8, Windows1252 };
// Which of the three the bytes are (the choice DecodeText makes).
TextEncoding DetectEncoding(QByteArrayView bytes);
QString Decode(QByteArrayView bytes, TextEncoding encoding);
// The bytes that the program writes for a text file: Windows-1252 when that holds
// the text and DecodeText reads it back unchanged, else a byte order mark and UTF-8.
// Whatever it returns, DecodeText gives back exactly `text`.
QByteArray EncodeText(QStringView text);
// The bytes after any leading UTF-8 byte order marks.
QByteArrayView SkipByteOrderMarks(QByteArrayView bytes);
// Characters Windows-1252 cannot hold become '?'; *lossless tells whether any did.
QByteArray EncodeWindows1252(QStringView text, bool *lossless = nullptr);
