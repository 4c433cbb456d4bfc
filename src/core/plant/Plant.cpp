#include "plant/Plant.h"

#include <QCoreApplication>
#include <cmath>

PlantState &Plants()
{
    static PlantState state;
    return state;
}

void ForgetPlantPresence()
{
    const int count = qBound(0, int(Plants().PlantCount), MaxPlants);
    for (int n = 1; n <= count; ++n) {
        Plants().LiveTable[n] = TLiveValues();   // Valid 0, values 0, RefMarke 100, Aux 255
        Plants().PlantTable[n].Present = 0;
        Plants().PlantTable[n].Running = 0;
    }
}

void ResetPlantModel()
{
    Plants() = {};
}

void ComputeRefDepth(TLiveValues &values)
{
    const qint32 t[5] = {values.T5, values.T4, values.T3, values.T2, values.T1};
    values.RefMarke = 100;
    int k = 0;                                  // 1-based position of the first value below RefTemp
    for (int i = 0; i < 5; ++i) {
        if (double(t[i]) < Plants().RefTemp) {
            k = i + 1;
            break;
        }
    }
    if (k == 0) {                               // the whole profile is hot enough
        values.RefMarke = 0;
        return;
    }
    if (k == 1)
        return;
    const qint64 d = qint64(t[k - 2]) - qint64(t[k - 1]);
    if (d <= 0)
        return;
    const double x = (Plants().RefTemp - double(t[k - 1])) * 25.0 / double(d);
    if (x > 0.0 && x <= 25.0)
        values.RefMarke = qint32(std::trunc(x)) + 100 - 25 * (k - 1);
}

// Integer conversions truncate toward zero, like the plant's own display.
int CelsiusToFahrenheit(int t)
{
    return int(qint64(t) * 9 / 5 + 32);
}

int CmToInch(int cm)
{
    return int(qint64(cm) * 100 / 254);
}

double CelsiusToFahrenheitF(double x)
{
    return std::trunc(x * 9.0 / 5.0 + 32.0) + 0.1;
}

double FahrenheitToCelsiusF(double x)
{
    return std::trunc((x - 32.0) * 5.0 / 9.0) + 0.1;
}

double CmToInchF(double x)
{
    return std::trunc(x / 2.54) + 0.1;
}

void BuildRefCaption()
{
    // Round half to even, independent of the current floating point rounding mode.
    double r = std::floor(Plants().RefTemp);
    const double frac = Plants().RefTemp - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    qint64 n = std::isfinite(r) ? qint64(qBound(-1.0e9, r, 1.0e9)) : 0;
    if (Plants().ImperialUnits)
        n = CelsiusToFahrenheit(int(n));
    Plants().RefCaption = QStringLiteral("s ") + QString::number(n) + QChar(0xB0)
                 + (Plants().ImperialUnits ? QStringLiteral("F[in]") : QStringLiteral("C[cm]"));
}

int CountChar(QChar ch, const QString &text)
{
    return int(text.count(ch));
}

bool CutField(QChar sep, QString &text, QString &out)
{
    if (text.isEmpty())
        return false;
    const qsizetype pos = text.indexOf(sep);
    if (pos >= 0) {
        out = text.left(pos);
        text.remove(0, pos + 1);
    }
    return true;
}

QString ModeTabText(int mode)
{
    switch (mode) {
    case ModeFanOff: return QCoreApplication::translate("Mode", "Lüfter AUS");
    case ModeFanOn: return QCoreApplication::translate("Mode", "Lüfter EIN");
    case ModeInterval: return QCoreApplication::translate("Mode", "Intervall");
    case ModeO2Control: return QCoreApplication::translate("Mode", "O2- Regelung");
    default: return QString();
    }
}

QString ModeGridText(int mode)
{
    switch (mode) {
    case ModeFanOff: return QCoreApplication::translate("Mode", "Manuell- AUS");
    case ModeFanOn: return QCoreApplication::translate("Mode", "Manuell- EIN");
    case ModeInterval: return QCoreApplication::translate("Mode", "Intervall");
    case ModeO2Control: return QCoreApplication::translate("Mode", "O2-Regelung");
    case ModeControl: return QCoreApplication::translate("Mode", "Steuerbetrieb");
    default: return QString();
    }
}

qint64 PlantSilentSince(int plant)
{
    if (plant < 1 || plant > MaxPlants)
        return 0;
    const TAnlageParameter &s = Plants().PlantTable[plant];
    const TLiveValues &v = Plants().LiveTable[plant];
    return s.Present && s.Running && !v.Valid ? v.SilentSinceMs : 0;
}
