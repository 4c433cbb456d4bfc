#include "widgets/MessageBox.h"

#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QtDebug>

namespace {

void Configure(QMessageBox &box, MsgKind kind, const QString &text);

MessageHandler &Handler()
{
    static MessageHandler handler;     // answers message boxes instead of the operator (tests)
    return handler;
}

} // namespace

namespace {
FileChooser &Chooser()
{
    static FileChooser chooser;        // chooses files instead of the operator (tests)
    return chooser;
}
} // namespace

void SetFileChooser(FileChooser chooser) { Chooser() = std::move(chooser); }

QString ChooseDataFile(QWidget *parent, const QString &startFolder)
{
    // A plant without a usable data folder: the program's own folder.
    const QString start = !startFolder.isEmpty() && QFileInfo(startFolder).isDir() ? startFolder : Settings().ProgramFolder;
    if (Chooser())
        return Chooser()(parent, start);
    return QFileDialog::getOpenFileName(parent, QString(), start,
                                        QCoreApplication::translate("FileDialog", "EXCEL ( *.csv)"), nullptr,
                                        QFileDialog::ReadOnly);
}

void ResetWidgetValues()
{
    SetMessageHandler({});
    SetFileChooser({});
}

MessageHandler CurrentMessageHandler() { return Handler(); }

void SetMessageHandler(MessageHandler handler)
{
    Handler() = std::move(handler);
}

MsgAnswer ShowMessage(QWidget *parent, MsgKind kind, const QString &text)
{
    if (Handler()) {
        // Copy first: a handler may install another one while it runs.
        MessageHandler handler = Handler();
        return handler(kind, text);
    }

    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // No window system (command-line use): a box would crash, so log the text
        // and never take silence as consent.
        qWarning().noquote() << text;
        return kind == MsgKind::Confirmation || kind == MsgKind::RiskyConfirmation ? MsgAnswer::No : MsgAnswer::Ok;
    }

    QMessageBox box(parent);
    Configure(box, kind, text);
    const int result = box.exec();
    if (kind != MsgKind::Confirmation && kind != MsgKind::RiskyConfirmation)
        return MsgAnswer::Ok;
    // Closing the box any other way than with "Yes" never counts as consent.
    return result == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

namespace {
QList<QPointer<QMessageBox>> &OpenNotices();
} // namespace

void ShowNotice(QWidget *parent, const QString &text)
{
    if (Handler() || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        ShowMessage(parent, MsgKind::Information, text);
        return;
    }
    // Over a modal window (the live display) a box of the main window would be
    // hidden behind it and could not be closed: it belongs to the modal one then.
    if (QWidget *modal = QApplication::activeModalWidget())
        parent = modal;
    auto *box = new QMessageBox(parent);
    Configure(*box, MsgKind::Warning, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    box->raise();
    OpenNotices().append(box);
}

namespace {
QList<QPointer<QMessageBox>> &OpenNotices()
{
    static QList<QPointer<QMessageBox>> notices;
    notices.removeAll(nullptr);
    return notices;
}
} // namespace

void MoveNoticesOver(QWidget *window)
{
    for (const QPointer<QMessageBox> &box : OpenNotices()) {
        if (!box || box->parentWidget() == window)
            continue;
        const QPoint at = box->pos();
        box->setParent(window, box->windowFlags());
        box->move(at);
        box->show();
        box->raise();
    }
}

namespace {

void Configure(QMessageBox &box, MsgKind kind, const QString &text)
{
    box.setWindowTitle(QStringLiteral("O2-Haldrix"));
    // Callers build texts with "\n"; tolerate Windows line ends as well.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case MsgKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgKind::RiskyConfirmation:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
}

} // namespace

namespace {
constexpr const char *kSourceText = "o2hSourceText";
constexpr const char *kSourceContext = "o2hSourceContext";

void Keep(QAction *a, const char *context, const char *source, const char *objectName = nullptr)
{
    if (objectName)
        a->setObjectName(QString::fromLatin1(objectName));
    a->setProperty(kSourceText, QByteArray(source));
    a->setProperty(kSourceContext, QByteArray(context));
    a->setText(QCoreApplication::translate(context, source));
}
} // namespace

QAction *AddTranslatedAction(QMenu *menu, const char *context, const char *source, const char *objectName,
                             const QKeySequence &key)
{
    QAction *a = menu->addAction(QString());
    Keep(a, context, source, objectName);
    a->setShortcut(key);
    return a;
}

QAction *AddTranslatedAction(QMenuBar *bar, const char *context, const char *source, const char *objectName)
{
    QAction *a = bar->addAction(QString());
    Keep(a, context, source, objectName);
    return a;
}

QMenu *AddTranslatedMenu(QMenuBar *bar, const char *context, const char *source)
{
    QMenu *m = bar->addMenu(QString());
    Keep(m->menuAction(), context, source);
    return m;
}

void RetranslateCodeTexts(QWidget *window)
{
    QList<QAction *> actions = window->findChildren<QAction *>();
    for (QMenu *m : window->findChildren<QMenu *>())
        actions << m->menuAction();
    for (QAction *a : actions) {
        const QByteArray source = a->property(kSourceText).toByteArray();
        if (!source.isEmpty())
            a->setText(QCoreApplication::translate(a->property(kSourceContext).toByteArray().constData(),
                                                   source.constData()));
    }
}
