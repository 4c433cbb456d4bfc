// The shared text codec and number parser.

#include "base/ClockText.h"
#include "base/DisplayFormat.h"
#include "base/TypedNumber.h"
#include "base/Numbers.h"
#include "base/TextCodec.h"

#include <QtTest>

class TstBase : public QObject {
    Q_OBJECT
private slots:
    // Whatever the program writes must read back as it was: every pair of high
    // bytes, as Windows-1252 text, survives EncodeText and DecodeText.
    void everyWindows1252PairReadsBackUnchanged()
    {
        int asUtf8 = 0;
        for (int a = 0x80; a <= 0xFF; ++a) {
            for (int b = 0x80; b <= 0xFF; ++b) {
                const char pair[2] = {char(a), char(b)};
                const QString value = u'x' + DecodeWindows1252(QByteArrayView(pair, 2)) + u'y';
                const QByteArray bytes = EncodeText(value);
                asUtf8 += bytes.startsWith("\xEF\xBB\xBF");
                if (DecodeText(bytes) != value)
                    QFAIL(qPrintable(QStringLiteral("pair %1 %2").arg(a, 0, 16).arg(b, 0, 16)));
            }
        }
        QVERIFY2(asUtf8 > 0 && asUtf8 < 1000, qPrintable(QString::number(asUtf8)));  // only pairs that look like UTF-8
        QCOMPARE(EncodeText(QString::fromUtf8("Maß° €")), QByteArray("Ma\xDF\xB0 \x80"));
    }

    void plausibleUtf8IsUtf8()
    {
        QCOMPARE(DecodeText("M\xC3\xBCller \xE2\x82\xAC \xE2\x80\x9E\xC5\x82\xE2\x80\x9C"),
                 QString::fromUtf8("Müller € „ł“"));
        QCOMPARE(DecodeText("Ma\xDF\xB0"), QString::fromUtf8("Maß°"));          // U+07F0 is implausible
        QCOMPARE(DecodeText("\xD6\x80"), QString::fromUtf8("Ö€"));              // Armenian: implausible
        QCOMPARE(DecodeText("\xEF\xBB\xBF\xEF\xBB\xBF" "a\xC3\xBC"), QString::fromUtf8("aü"));
    }

    void integers()
    {
        qint32 v = 7;
        QVERIFY(ParseInt32(QByteArrayView("-2147483648"), v) && v == INT32_MIN);
        QVERIFY(ParseInt32(QByteArrayView("+17"), v) && v == 17);
        for (const char *bad : {"", "-", "+-1", "2147483648", "1 ", " 1", "0x10", "1e3", "99999999999999999999"})
            QVERIFY2(!ParseInt32(QByteArrayView(bad), v), bad);
        QCOMPARE(v, 17);                                // failures leave it alone
        QVERIFY(ParseInt32(u" -17 ", v, NumberBlanks) && v == -17);
        QVERIFY(ParseInt32(u"0x10", v, NumberHex) && v == 16);
        QVERIFY(ParseInt32(u"$ff", v, NumberHex) && v == 255);
        QVERIFY(ParseInt32(u"0xFFFFFFFF", v, NumberHex) && v == -1);
        QVERIFY(!ParseInt32(u"0x1FFFFFFFF", v, NumberHex));
        QVERIFY(!ParseInt32(u"12x", v, NumberBlanks | NumberHex));
    }

    void reals()
    {
        double v = 0;
        QVERIFY(ParseReal(u" 20,9", v) && v == 20.9);
        QVERIFY(ParseReal(u"55.5", v) && v == 55.5);
        QVERIFY(ParseReal(u"-3", v) && v == -3.0);
        QVERIFY(ParseReal(u"1e-05", v) && v == 1e-05);
        for (const char16_t *bad : {u"", u"1.234,5", u"1,2,3", u"nan", u"inf", u"1e999", u"abc", u"+-1"})
            QVERIFY(!ParseReal(bad, v));
    }

    // Screens and prints follow the program's language whatever the system runs
    // (LANG=C printed "1 Mar 2026 08:00" on a German protocol).
    void displayFormsFollowTheLanguage()
    {
        const QDateTime t(QDate(2026, 3, 1), QTime(8, 0));
        UseDisplayLanguage("de");
        QCOMPARE(DisplayStampText(t), QString("01.03.2026 08:00"));
        QCOMPARE(DisplayNumber(12345.5, 1), QString("12345,5"));
        UseDisplayLanguage("fr");
        QCOMPARE(DisplayStampText(t), QString("01/03/2026 08:00"));
        UseDisplayLanguage("en");
        QVERIFY(DisplayStampText(t).contains("2026") && DisplayStampText(t).endsWith("08:00"));
        QVERIFY(!DisplayStampText(t).contains("Mar"));
        QLocale::setDefault(QLocale::system());
    }

    // What an operator types into a set-up field: a separator is a decimal point in
    // every language, never dropped; out-of-range values end at the range's end.
    void typedNumbers()
    {
        auto read = [](const char16_t *t, int decimals, int min, int max) { return ReadTypedNumber(t, decimals, min, max); };
        QCOMPARE(read(u"25.7", 0, 1, 300).kind, TypedNumber::NotWhole);
        QCOMPARE(read(u"25,7", 0, 1, 300).kind, TypedNumber::NotWhole);
        const TypedNumber high = read(u"99999", 0, 1, 300);
        QVERIFY(high.kind == TypedNumber::Number && high.value == 300 && high.clamped == 1);
        const TypedNumber low = read(u"0", 0, 1, 300);
        QVERIFY(low.value == 1 && low.clamped == -1);
        for (const char16_t *t : {u"25,7", u"25.7", u" 25.7 "}) {
            const TypedNumber o2 = read(t, 1, 0, 210);
            QVERIFY(o2.kind == TypedNumber::Number && o2.value == 210 && o2.clamped == 1);
        }
        QCOMPARE(read(u"8,45", 1, 0, 210).value, 85);
        QCOMPARE(read(u"8", 1, 0, 210).value, 80);
        QCOMPARE(read(u"25,", 1, 0, 210).kind, TypedNumber::Partial);
        QCOMPARE(read(u"-", 0, 1, 300).kind, TypedNumber::Partial);
        QCOMPARE(read(u"", 0, 1, 300).kind, TypedNumber::Empty);
        QCOMPARE(read(u"1,2,3", 1, 0, 210).kind, TypedNumber::NotNumber);
        QCOMPARE(read(u"12a", 0, 1, 300).kind, TypedNumber::NotNumber);
    }

    // A plant's clock text in any layout; what it does not hold stays invalid.
    void clockTexts()
    {
        const QDateTime at(QDate(2026, 12, 8), QTime(14, 30, 0), Qt::UTC);
        QCOMPARE(ReadClockText(u"TZeit: 14:30:00 Datum:08.12.26").DateTime(), at);
        QCOMPARE(ReadClockText(u"T14:30:00 08.12.26      Di   ").DateTime(), at);
        QCOMPARE(ReadClockText(u"T08.12.2026 14:30 ").DateTime(), at);
        const ClockReading timeOnly = ReadClockText(u"TUhr 7:05:09 ---");
        QVERIFY(timeOnly.time == QTime(7, 5, 9) && !timeOnly.date.isValid() && !timeOnly.DateTime().isValid());
        QVERIFY(!ReadClockText(u"T25:61:00 32.13.26").DateTime().isValid());
        QVERIFY(!ReadClockText(u"T123:456 1.2.345").DateTime().isValid());
    }
};

QTEST_GUILESS_MAIN(TstBase)
#include "tst_base.moc"
