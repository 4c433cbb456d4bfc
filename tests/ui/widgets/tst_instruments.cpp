#include "widgets/LedNumber.h"
#include "widgets/BarGauge.h"
#include "widgets/LetterBar.h"
#include "widgets/Picture.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestInstruments : public QObject {
    Q_OBJECT
private slots:
    void ledText_data();
    void ledText();
    void ledSwitchOffAndOn();
    void ledDrawsSegments();
    void barGaugeClampsAndFills();
    void letterBarSelection();
    void letterBarRowsAndCaptions();
    void pictureSources();
    void repaintOnlyOnChange();
};

void TestInstruments::ledText_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("right aligned") << 3 << 0 << 56.0 << " 56";
    QTest::newRow("full") << 3 << 0 << 999.0 << "999";
    QTest::newRow("zero") << 3 << 0 << 0.0 << "  0";
    QTest::newRow("negative") << 3 << 0 << -7.0 << " -7";
    QTest::newRow("one decimal") << 4 << 1 << 12.3 << "  12.3";
    QTest::newRow("rounds") << 2 << 1 << 20.96 << "21.0";
    QTest::newRow("integer with decimals") << 2 << 2 << 5.0 << " 5.00";
    QTest::newRow("no minus zero") << 2 << 1 << -0.04 << " 0.0";
    QTest::newRow("overflow shown in full") << 5 << 0 << 123456.0 << "123456";
    QTest::newRow("overflow by rounding") << 2 << 1 << 99.96 << "100.0";
}

void TestInstruments::ledText()
{
    QFETCH(int, digits);
    QFETCH(int, decimals);
    QFETCH(double, value);
    QFETCH(QString, text);
    TLedNumber led;
    led.SetDigits(digits);
    led.SetDecimals(decimals);
    led.SetValue(value);
    QCOMPARE(led.Text(), text);
    QVERIFY(led.IsOn());
}

void TestInstruments::ledSwitchOffAndOn()
{
    TLedNumber led;
    QVERIFY(!led.IsOn());
    QCOMPARE(led.Text(), QString("---"));   // starts switched off

    led.SetDigits(4);
    led.SetDecimals(1);
    led.SetValue(20.9);
    led.SwitchOff();
    QCOMPARE(led.Text(), QString("----.-"));
    led.SetValue(7);                          // an integer value switches it on again
    QVERIFY(led.IsOn());
    QCOMPARE(led.Text(), QString("   7.0"));

    led.SetValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(led.Text(), QString("EEEE.E"));
    led.SetValue(1e300);                      // no three-hundred-digit number
    QCOMPARE(led.Text(), QString("EEEE.E"));
}

// Paints "8" and "1" and compares the amount of yellow: catches a segment table
// or geometry that draws nothing (or everything).
static int YellowPixels(TLedNumber &led)
{
    const QImage img = led.grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 200 && c.green() > 180 && c.blue() < 80;
        }
    return n;
}

void TestInstruments::ledDrawsSegments()
{
    TLedNumber led;
    led.SetDigits(1);
    led.resize(60, 100);
    led.SetValue(8);
    const int eight = YellowPixels(led);
    led.SetValue(1);
    const int one = YellowPixels(led);
    led.SwitchOff();
    const int minus = YellowPixels(led);
    QVERIFY(eight > 0 && one > 0 && minus > 0);
    QVERIFY2(eight > 3 * one, qPrintable(QString("8: %1, 1: %2").arg(eight).arg(one)));
    QVERIFY(one > minus);
}

void TestInstruments::barGaugeClampsAndFills()
{
    TBarGauge g;
    g.resize(60, 220);
    g.SetValue(150);
    QCOMPARE(g.Value(), 100);
    g.SetValue(-5);
    QCOMPARE(g.Value(), 0);

    g.SetMaximum(39);
    g.SetValue(39);
    QCOMPARE(g.Value(), 39);
    g.SetMaximum(20);                         // a smaller range clamps the value shown
    QCOMPARE(g.Value(), 20);
    g.SetMaximum(0);                          // no division by zero when painting
    QCOMPARE(g.Maximum(), 1);
    g.grab();

    // Drawn from the top: half the range leaves the lower part red.
    g.SetMaximum(100);
    g.SetValue(50);
    const QImage img = g.grab().toImage();
    const int x = img.width() / 2;
    int navyTop = -1, redBottom = -1;
    for (int y = 0; y < img.height(); ++y) {
        const QColor c = img.pixelColor(x, y);
        if (navyTop < 0 && c.blue() > 90 && c.red() < 30 && c.green() < 30)
            navyTop = y;
        if (c.red() > 180 && c.green() < 60 && c.blue() < 60)
            redBottom = y;
    }
    QVERIFY(navyTop >= 0 && redBottom > navyTop);
}

void TestInstruments::letterBarSelection()
{
    TLetterBar bar;
    bar.SetRows({{"OFF"}, {"1h", "2h", "3h"}, {"4h", "5h", "6h"}});
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy spy(&bar, &TLetterBar::Changed);
    auto button = [&](int n) { return bar.findChild<QToolButton *>(QString("Letter%1").arg(n)); };

    QCOMPARE(bar.Down(), 0);
    QTest::mouseClick(button(3), Qt::LeftButton);
    QCOMPARE(bar.Down(), 3);
    QTest::mouseClick(button(5), Qt::LeftButton);        // another click moves the selection
    QCOMPARE(bar.Down(), 5);
    QVERIFY(!button(3)->isChecked());
    QTest::mouseClick(button(5), Qt::LeftButton);        // clicking the down button releases it
    QCOMPARE(bar.Down(), 0);
    for (int n = 1; n <= bar.ButtonCount(); ++n)
        QVERIFY(!button(n)->isChecked());
    QCOMPARE(spy.size(), 3);
    QCOMPARE(spy.at(2).at(0).toInt(), 0);

    bar.SetDown(1);
    QCOMPARE(bar.Down(), 1);
    QVERIFY(button(1)->isChecked());
    bar.SetDown(1);                                      // no change, no signal
    QCOMPARE(spy.size(), 4);
    bar.SetDown(99);                                     // out of range: all up
    QCOMPARE(bar.Down(), 0);
    QVERIFY(!button(1)->isChecked());
}

void TestInstruments::letterBarRowsAndCaptions()
{
    TLetterBar bar;
    QList<QStringList> rows{{"OFF"}};
    for (int r = 0; r < 4; ++r) {
        QStringList row;
        for (int h = 1; h <= 6; ++h)
            row << QString("%1h").arg(r * 6 + h);
        rows << row;
    }
    bar.SetRows(rows);
    QCOMPARE(bar.ButtonCount(), 25);
    QCOMPARE(bar.Caption(1), QString("OFF"));
    QCOMPARE(bar.Caption(2), QString("1h"));
    QCOMPARE(bar.Caption(8), QString("7h"));
    QCOMPARE(bar.Caption(25), QString("24h"));
    QCOMPARE(bar.Caption(26), QString());
    bar.SetDown(25);

    // New rows drop the old selection and say so.
    QSignalSpy spy(&bar, &TLetterBar::Changed);
    bar.SetRows({{"a", "b"}});
    QCOMPARE(bar.Down(), 0);
    QCOMPARE(bar.ButtonCount(), 2);
    QCOMPARE(spy.size(), 1);
}

void TestInstruments::pictureSources()
{
    for (const char *name : {"logo", "partner", "pile", "fan"}) {
        TPicture pic;
        QVERIFY2(pic.SetSource(QString(":/pictures/%1.svg").arg(name)), name);
        QVERIFY(!pic.PictureSize().isEmpty());
    }

    QTemporaryDir dir;
    const QString bmp = dir.filePath("KompLogo.BMP");
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    QVERIFY(img.save(bmp, "BMP"));

    TPicture pic;
    QVERIFY(pic.SetSource(":/pictures/partner.svg"));
    QVERIFY(!pic.SetSource(dir.filePath("missing.bmp")));   // a failed load keeps the old picture
    QCOMPARE(pic.Source(), QString(":/pictures/partner.svg"));
    QVERIFY(pic.SetSource(bmp));                            // upper-case suffix is still a bitmap
    QCOMPARE(pic.PictureSize(), QSize(40, 20));

    // Scaled with its aspect ratio and centred: a wide picture in a square leaves bands.
    pic.resize(100, 100);
    const QImage shot = pic.grab().toImage();
    QCOMPARE(shot.pixelColor(50, 50), QColor(Qt::red));
    QVERIFY(shot.pixelColor(50, 5) != QColor(Qt::red));
    QCOMPARE(FitRect(QSizeF(40, 20), QRectF(0, 0, 100, 100)), QRectF(0, 25, 100, 50));

    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    QVERIFY(DrawPicture(painter, QRectF(0, 0, 200, 100), bmp));
    QVERIFY(!DrawPicture(painter, QRectF(0, 0, 200, 100), dir.filePath("none.svg")));
    painter.end();
    QCOMPARE(page.pixelColor(100, 50), QColor(Qt::red));
}


namespace {
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

// The live display sets every value once a second; an unchanged value must not
// repaint (each repaint also redraws the frame around the instrument).
void TestInstruments::repaintOnlyOnChange()
{
    TLedNumber led;
    led.SetValue(42);
    led.show();
    QVERIFY(QTest::qWaitForWindowExposed(&led));
    PaintCounter counter;
    led.installEventFilter(&counter);
    for (int i = 0; i < 3; ++i) {
        led.SetValue(42);
        led.SetDecimalPoint(u'.');
        QCoreApplication::processEvents();
    }
    QCOMPARE(counter.paints, 0);
    led.SetValue(43);
    QTRY_COMPARE(counter.paints, 1);
    led.SwitchOff();
    led.SwitchOff();
    QTRY_COMPARE(counter.paints, 2);
    QTest::qWait(20);
    QCOMPARE(counter.paints, 2);
}

QTEST_MAIN(TestInstruments)
#include "tst_instruments.moc"
