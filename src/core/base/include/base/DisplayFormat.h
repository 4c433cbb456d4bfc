#pragma once
// Dates and numbers as the operator reads them on screen and in prints. They follow
// the program's language (set with UseDisplayLanguage), never the system locale;
// files keep their fixed German formats and do not use these.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The locale whose forms a language shows: German and French as in Germany and
// France; English in the form of the system's English locale, or the United States'
// when the system runs no English one.
QLocale DisplayLocaleFor(const QString &languageCode);
// Makes that locale the default of QLocale(), which every display text below uses.
void UseDisplayLanguage(const QString &languageCode);

// While it lives, the forms below are German whatever the program's language: for
// forms that belong to a German body (the quality association's protocol).
class GermanDisplayForms {
public:
    GermanDisplayForms();
    ~GermanDisplayForms();
    GermanDisplayForms(const GermanDisplayForms &) = delete;
    GermanDisplayForms &operator=(const GermanDisplayForms &) = delete;
private:
    QLocale was_;
};

// The short date with a four-digit year: "01.03.2026", "01/03/2026", "3/1/2026".
QString ShortDateFormat();
QString ShortDateText(const QDate &date);
// Date and 24-hour time without seconds: "01.03.2026 08:00".
QString DisplayStampText(const QDateTime &stamp);
// A number with the language's decimal sign and no group separator.
QString DisplayNumber(double value, int decimals);
