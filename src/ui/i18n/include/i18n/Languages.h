#pragma once
// The program's languages: German (the texts written in the code and forms), English
// and French. The choice is kept per user (organisation "O2-Haldrix", key
// "Locales/LocalizerExt": "EXE" for German, otherwise the language code) and applied
// by installing a translator, which sends QEvent::LanguageChange to every window.
// Language files "*.lng" (compiled Qt translations) in the search folders replace the
// built-in table of the language they declare, or add that language.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QActionGroup;
class QMenu;
class QTranslator;

class TLanguages : public QObject {
    Q_OBJECT
public:
    // The one instance, created on first use as a child of the application object.
    static TLanguages *Instance();

    // Folders searched for "*.lng", later ones winning (the program's, then the home
    // folder); read when set.
    static void SetSearchFolders(const QStringList &folders);
    static QStringList Codes();                         // "de", "en", "fr" and those of .lng files
    static QString NativeName(const QString &code);     // "Deutsch", "English", "Français", …
    static QString LanguageFile(const QString &code);   // the .lng that serves it, or empty
    // Stored value ↔ language code; anything unknown means German.
    static QString CodeFromStored(const QString &stored);
    static QString StoredFromCode(const QString &code);

    // Reads the stored choice and installs its translation.
    void Init();
    // Adds one checkable item per language to menu, the current one checked.
    void Attach(QMenu *menu);
    QString Current() const { return current_; }
    // Installs the language and stores the choice; false for an unknown code.
    bool SetLanguage(const QString &code);
    // Installs the language for this run only (the stored choice stays).
    bool UseLanguage(const QString &code);

private:
    explicit TLanguages(QObject *parent);
    void Install(const QString &code);
    void UpdateChecks();

    QString current_ = QStringLiteral("de");
    QTranslator *own_ = nullptr;        // our texts (English, French)
    QTranslator *qt_ = nullptr;         // Qt's standard texts (button captions)
    QList<QPointer<QActionGroup>> groups_;
};
