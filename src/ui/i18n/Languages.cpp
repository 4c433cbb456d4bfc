#include "i18n/Languages.h"

#include "base/DisplayFormat.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMap>
#include <QRegularExpression>
#include <QMenu>
#include <QSettings>
#include <QTranslator>

namespace {

const char *const OrganisationName = "O2-Haldrix";
const char *const LanguageKey = "Locales/LocalizerExt";
const char *const NativeStored = "EXE";

QMap<QString, QString> &LanguageFiles()
{
    static QMap<QString, QString> files;      // language code → .lng path
    return files;
}

QSettings UserSettings()
{
    // Same place as the language tool of the earlier program versions: per user,
    // under the organisation, without an application sub-key.
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(OrganisationName));
}

} // namespace

TLanguages::TLanguages(QObject *parent) : QObject(parent) {}

TLanguages *TLanguages::Instance()
{
    static QPointer<TLanguages> instance;
    if (!instance)
        instance = new TLanguages(QCoreApplication::instance());
    return instance;
}

void TLanguages::SetSearchFolders(const QStringList &folders)
{
    LanguageFiles().clear();
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name)) {
            QTranslator probe;
            if (!probe.load(dir.filePath(name)) || probe.language().isEmpty())
                continue;           // not a compiled translation, or no language declared
            // "de_DE" and "de-DE" both name German.
            const QString code = probe.language().section(QRegularExpression(QStringLiteral("[_-]")), 0, 0).toLower();
            LanguageFiles().insert(code, dir.filePath(name));
        }
    }
}

QString TLanguages::LanguageFile(const QString &code) { return LanguageFiles().value(code); }

QStringList TLanguages::Codes()
{
    QStringList codes{QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("fr")};
    for (const QString &code : LanguageFiles().keys())
        if (!codes.contains(code))
            codes << code;
    return codes;
}

QString TLanguages::NativeName(const QString &code)
{
    // Each language names itself, so the way back is readable whatever is installed.
    if (code == QLatin1String("en"))
        return QStringLiteral("English");
    if (code == QLatin1String("fr"))
        return QStringLiteral("Français");
    if (code != QLatin1String("de")) {
        QString name = QLocale(code).nativeLanguageName();
        if (!name.isEmpty() && QLocale(code).language() != QLocale::C)
            return name.left(1).toUpper() + name.mid(1);
        return code;
    }
    return QStringLiteral("Deutsch");
}

QString TLanguages::CodeFromStored(const QString &stored)
{
    const QString code = stored.trimmed().toLower();
    if (Codes().contains(code))
        return code;
    return QStringLiteral("de");
}

QString TLanguages::StoredFromCode(const QString &code)
{
    if (code == QLatin1String("de") || !Codes().contains(code))
        return QString::fromLatin1(NativeStored);
    return code;
}

void TLanguages::Init()
{
    const QString stored = UserSettings().value(QString::fromLatin1(LanguageKey), QString::fromLatin1(NativeStored)).toString();
    Install(CodeFromStored(stored));
}

void TLanguages::Attach(QMenu *menu)
{
    if (!menu)
        return;
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const QString &code : Codes()) {
        QAction *item = menu->addAction(NativeName(code));
        item->setObjectName(QStringLiteral("Language_") + code);
        item->setCheckable(true);
        item->setData(code);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, code] { SetLanguage(code); });
    }
    groups_.append(group);
    UpdateChecks();
}

bool TLanguages::SetLanguage(const QString &code)
{
    if (!Codes().contains(code))
        return false;
    UserSettings().setValue(QString::fromLatin1(LanguageKey), StoredFromCode(code));
    if (code != current_)
        Install(code);
    return true;
}

bool TLanguages::UseLanguage(const QString &code)
{
    if (!Codes().contains(code))
        return false;
    if (code != current_)
        Install(code);
    return true;
}

void TLanguages::Install(const QString &code)
{
    if (own_) {
        QCoreApplication::removeTranslator(own_);
        delete own_;
        own_ = nullptr;
    }
    if (qt_) {
        QCoreApplication::removeTranslator(qt_);
        delete qt_;
        qt_ = nullptr;
    }

    current_ = code;
    UseDisplayLanguage(code);      // dates and numbers on screen and in prints

    // Qt's own texts (Yes/No on message boxes) follow the chosen language too.
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qt_ = qtTexts;
        QCoreApplication::installTranslator(qt_);
    } else {
        delete qtTexts;
    }

    // German too: its texts are the source, but counts need their singular forms
    // ("1 Stunde") from o2haldrix_de.
    const QString file = LanguageFile(code);
    {
        auto *ours = new QTranslator(this);
        if (ours->load(file.isEmpty() ? QStringLiteral(":/i18n/o2haldrix_") + code + QStringLiteral(".qm") : file)) {
            own_ = ours;
            QCoreApplication::installTranslator(own_);
        } else {
            delete ours;
        }
    }
    // The application posts the change to every window; deliver it now so the
    // windows show the new language when this returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    UpdateChecks();
}

void TLanguages::UpdateChecks()
{
    for (const auto &group : std::as_const(groups_)) {
        if (!group)
            continue;
        for (QAction *item : group->actions())
            item->setChecked(item->data().toString() == current_);
    }
}
