// The settings file: from the input a file is built of sections and keys (names in
// other case, blanks, duplicates, odd characters, garbage lines, either encoding),
// then one key is written. Read back from disk, the written key holds its value
// and every other key reads exactly as before.

#include "settings/SettingsFile.h"

#include <QTemporaryDir>

#include <map>

#include "FuzzDriver.h"

namespace {

QString Name(fuzz::Bytes &in)
{
    static const char *const names[] = {"COM", "com", "1", "12", "Ports", "Firma", "Datei", "Anzahl", "Name", " Name",
                                        "Name ", "K=ey", "Sch\xC3\xBCttung", "a;b", "[x]", ""};
    if (in.Pick(5) == 0) {
        QByteArray raw;
        for (int i = in.Pick(6); i > 0; --i)
            raw += char(32 + in.Pick(95));
        return QString::fromLatin1(raw);
    }
    return QString::fromUtf8(names[in.Pick(int(std::size(names)))]);
}

// What the program itself writes under: fixed names and plant numbers, any case.
QString WriteName(fuzz::Bytes &in)
{
    static const char *const names[] = {"COM", "com", "1", "12", "Ports", "Firma", "Datei", "Anzahl", "Name",
                                        "NAME", "Sch\xC3\xBCttung", "a;b", "Locales"};
    return QString::fromUtf8(names[in.Pick(int(std::size(names)))]);
}

QString Value(fuzz::Bytes &in)
{
    static const char *const values[] = {"", "0", "57", "/tmp/Ost_01-12-2026.CSV", ("Stra\xC3\x9F" "e"), " a b ", "x=y",
                                         "[S]", ";c", "\xE2\x82\xAC 5", "C:\\Daten\\"};
    if (in.Pick(4) == 0) {
        QString v;
        for (int i = in.Pick(8); i > 0; --i)
            v += QChar(in.Pick(3) ? ushort(32 + in.Pick(95)) : ushort(0xA0 + in.Pick(0x500)));
        return v;
    }
    return QString::fromUtf8(values[in.Pick(int(std::size(values)))]);
}


int Target(fuzz::Bytes &in)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Haldrix.ini"));
    QString text;
    std::vector<std::pair<QString, QString>> keys;
    QString section;
    for (int lines = in.Pick(30); lines > 0 && in.More(); --lines) {
        switch (in.Pick(6)) {
        case 0:
            section = Name(in);
            text += QStringLiteral("[") + section + QStringLiteral("]\r\n");
            break;
        case 1:
            text += QString::fromLatin1(QByteArray(1 + in.Pick(5), char(in.Byte()))) + QStringLiteral("\r\n");
            break;
        default: {
            const QString key = Name(in);
            text += key + u'=' + Value(in) + (in.Pick(5) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
            keys.emplace_back(section, key);
        }
        }
    }
    const bool utf8 = in.Pick(2);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(utf8 ? text.toUtf8() : text.toLatin1());
    }
    const QString wSection = WriteName(in);
    const QString wKey = WriteName(in);
    const QString wValue = Value(in);
    const QString none = QStringLiteral("\x01none");
    std::vector<QString> before;
    {
        TSettingsFile ini(path);
        for (const auto &[s, k] : keys)
            before.push_back(ini.ReadString(s, k, none));
        if (!ini.WriteString(wSection, wKey, wValue))
            return 0;
    }
    TSettingsFile again(path);
    const QString got = again.ReadString(wSection, wKey, none);
    // What is written comes back, as far as a line of the file can hold it: blanks
    // around it and one pair of enclosing quotes are not part of a value, as in the
    // Windows profile files these are read like.
    QString stored = wValue.trimmed();
    if (stored.size() >= 2 && ((stored.startsWith(u'"') && stored.endsWith(u'"')) ||
                               (stored.startsWith(u'\'') && stored.endsWith(u'\''))))
        stored = stored.mid(1, stored.size() - 2);
    FUZZ_CHECK(got == wValue || got == wValue.trimmed() || got == stored);
    for (size_t i = 0; i < keys.size(); ++i) {
        const auto &[s, k] = keys[i];
        if (s.compare(wSection, Qt::CaseInsensitive) == 0 && k.trimmed().compare(wKey.trimmed(), Qt::CaseInsensitive) == 0)
            continue;
        FUZZ_CHECK(again.ReadString(s, k, none) == before[i]);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) { return fuzz::Run("settings", argc, argv, Target); }
