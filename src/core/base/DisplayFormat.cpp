#include "base/DisplayFormat.h"

QLocale DisplayLocaleFor(const QString &languageCode)
{
    if (languageCode == QLatin1String("de"))
        return QLocale(QLocale::German, QLocale::Germany);
    if (languageCode == QLatin1String("fr"))
        return QLocale(QLocale::French, QLocale::France);
    if (languageCode == QLatin1String("en")) {
        const QLocale system = QLocale::system();
        return system.language() == QLocale::English ? system : QLocale(QLocale::English, QLocale::UnitedStates);
    }
    // A language added by a language file: its own locale, if Qt knows one.
    const QLocale other(languageCode);
    return other.language() == QLocale::C ? QLocale(QLocale::German, QLocale::Germany) : other;
}

void UseDisplayLanguage(const QString &languageCode)
{
    QLocale locale = DisplayLocaleFor(languageCode);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
}

GermanDisplayForms::GermanDisplayForms()
{
    QLocale german = DisplayLocaleFor(QStringLiteral("de"));
    german.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(german);
}

GermanDisplayForms::~GermanDisplayForms() { QLocale::setDefault(was_); }

QString ShortDateFormat()
{
    QString fmt = QLocale().dateFormat(QLocale::ShortFormat);
    if (!fmt.contains(QLatin1String("yyyy")))
        fmt.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return fmt;
}

QString ShortDateText(const QDate &date) { return QLocale().toString(date, ShortDateFormat()); }

QString DisplayStampText(const QDateTime &stamp)
{
    return QLocale().toString(stamp, ShortDateFormat() + QStringLiteral(" hh:mm"));
}

QString DisplayNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(u'.', point);
    return text;
}
