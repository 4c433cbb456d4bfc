// Renders every display widget into one PNG, to judge the looks at a scale:
//   widgets_gallery out.png [scale]
#include "widgets/LedNumber.h"
#include "widgets/BarGauge.h"
#include "widgets/LedLabel.h"
#include "widgets/LetterBar.h"
#include "widgets/PlantTabBar.h"
#include "widgets/Picture.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

int main(int argc, char **argv)
{
    if (argc > 2)
        qputenv("QT_SCALE_FACTOR", argv[2]);
    QApplication app(argc, argv);
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    window.setPalette(pal);

    auto *top = new QVBoxLayout(&window);
    auto *header = new QHBoxLayout;
    auto *logo = new TPicture;
    logo->SetSource(":/pictures/logo.svg");
    logo->setFixedSize(logo->fontMetrics().height() * 14, logo->fontMetrics().height() * 4);
    auto *partner = new TPicture;
    partner->SetSource(":/pictures/partner.svg");
    partner->setFixedSize(logo->fontMetrics().height() * 9, logo->fontMetrics().height() * 3);
    auto *fan = new TPicture;
    fan->SetSource(":/pictures/fan.svg");
    fan->setFixedSize(logo->fontMetrics().height() * 3, logo->fontMetrics().height() * 3);
    header->addWidget(logo);
    header->addWidget(partner);
    header->addWidget(fan);
    header->addStretch();
    top->addLayout(header);

    auto *tabs = new PlantTabBar;
    tabs->SetBold(true);
    FillPlantTabs(tabs, 32);
    tabs->SetCurrentIndex(12);
    top->addWidget(tabs);

    auto *middle = new QHBoxLayout;
    auto *pile = new TPicture;
    pile->SetSource(":/pictures/pile.svg");
    pile->setMinimumSize(logo->fontMetrics().height() * 18, logo->fontMetrics().height() * 13);
    auto *pileGrid = new QGridLayout(pile);
    const char *captions[] = {"T100", "T 75", "T 50", "T 25", "T  0"};
    const int temps[] = {61, 58, 54, 47, 23};
    for (int i = 0; i < 5; ++i) {
        auto *led = new TLedNumber;
        led->SetCaption(captions[i]);
        led->SetUnit("°C");
        led->SetDigits(3);
        if (i == 4)
            led->SwitchOff();
        else
            led->SetValue(temps[i]);
        pileGrid->addWidget(led, i, 1);
    }
    pileGrid->setColumnStretch(0, 3);
    pileGrid->setColumnStretch(2, 1);
    middle->addWidget(pile, 1);

    auto *gauge = new TBarGauge;
    gauge->SetCaption("s 55°C[cm]");
    gauge->SetUnit("cm");
    gauge->SetValue(62);
    middle->addWidget(gauge);

    auto *right = new QVBoxLayout;
    auto *o2 = new TLedNumber;
    o2->SetCaption("O2");
    o2->SetUnit("vol%");
    o2->SetDigits(4);
    o2->SetDecimals(1);
    o2->SetValue(12.3);
    auto *lauf = new TLedNumber;
    lauf->SetCaption("Laufzeit");
    lauf->SetUnit("min");
    lauf->SetDigits(5);
    lauf->SetValue(1440);
    auto *zyk = new TLedNumber;
    zyk->SetCaption("Schaltzyklen");
    zyk->SetDigits(5);
    zyk->SwitchOff();
    right->addWidget(o2);
    right->addWidget(lauf);
    right->addWidget(zyk);
    auto *steuer = new TLedLabel;
    steuer->SetText("Steuerbetrieb");
    steuer->SetLit(true);
    auto *mem = new TLedLabel;
    mem->SetText("Speicherstatus");
    auto *green = new TLedLabel;
    green->SetText("grün");
    green->SetColor(Qt::green);
    green->SetLit(true);
    right->addWidget(steuer);
    right->addWidget(mem);
    right->addWidget(green);
    right->addStretch();
    middle->addLayout(right);
    top->addLayout(middle, 1);

    auto *box = new QGroupBox("Zeitvorgabe");
    auto *boxLayout = new QVBoxLayout(box);
    auto *letters = new TLetterBar;
    QList<QStringList> rows{{"OFF"}};
    for (int r = 0; r < 4; ++r) {
        QStringList row;
        for (int h = 1; h <= 6; ++h)
            row << QString("%1h").arg(r * 6 + h);
        rows << row;
    }
    letters->SetRows(rows);
    letters->SetDown(9);
    boxLayout->addWidget(letters);
    top->addWidget(box);

    window.resize(window.sizeHint().expandedTo(QSize(760, 0)));
    window.show();
    app.processEvents();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");
    return window.grab().save(out) ? 0 : 1;
}
