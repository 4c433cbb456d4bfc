#pragma once
// Text files of the program are Windows-1252; readers also accept UTF-8.
// Own table-driven code: fast enough for big data files and independent of ICU.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// UTF-8 when the bytes are valid UTF-8 with at least one multi-byte character
// (a leading BOM is dropped), Windows-1252 otherwise.
QString DecodeText(QByteArrayView bytes);
QString DecodeWindows1252(QByteArrayView bytes);

enum class TextEncoding { Ascii, Utf8, Windows1252 };
// Which of the three the bytes are (the choice DecodeText makes).
TextEncoding DetectEncoding(QByteArrayView bytes);
QString Decode(QByteArrayView bytes, TextEncoding encoding);
// Characters Windows-1252 cannot hold become '?'; *lossless tells whether any did.
QByteArray EncodeWindows1252(QStringView text, bool *lossless = nullptr);
