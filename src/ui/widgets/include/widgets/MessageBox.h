#pragma once
// Every modal message box of the program goes through here, so tests can answer them.
// Texts use "\n" for line breaks.

#include <QKeySequence>
#include <QString>
#include <functional>

class QWidget;

// RiskyConfirmation: Yes and No with No as the default button.
enum class MsgKind { Information, Warning, Error, Confirmation, RiskyConfirmation };
enum class MsgAnswer { Ok, Yes, No };

MsgAnswer ShowMessage(QWidget *parent, MsgKind kind, const QString &text);
inline void ShowInfo(QWidget *parent, const QString &text) { ShowMessage(parent, MsgKind::Information, text); }
inline void ShowError(QWidget *parent, const QString &text) { ShowMessage(parent, MsgKind::Error, text); }
inline bool AskYesNo(QWidget *parent, const QString &text) { return ShowMessage(parent, MsgKind::Confirmation, text) == MsgAnswer::Yes; }
inline bool AskNoYes(QWidget *parent, const QString &text) { return ShowMessage(parent, MsgKind::RiskyConfirmation, text) == MsgAnswer::Yes; }

// A message that must not stop anything (the poll, a readout): a box without
// modality that closes itself when read. Tests' handlers get it as Information.
void ShowNotice(QWidget *parent, const QString &text);
// A modal window opening over the notices still open takes them over, so that
// they stay in view and can be closed.
void MoveNoticesOver(QWidget *window);

// Tests install a handler that answers instead of a real box; empty restores the boxes.
using MessageHandler = std::function<MsgAnswer(MsgKind, const QString &)>;
void SetMessageHandler(MessageHandler handler);
MessageHandler CurrentMessageHandler();
// The open dialog for data files ("EXCEL ( *.csv)"), starting in `startFolder` (the
// program's folder when that is none) without changing the current directory;
// empty when cancelled. Tests choose here.
QString ChooseDataFile(QWidget *parent, const QString &startFolder);
using FileChooser = std::function<QString(QWidget *parent, const QString &startFolder)>;
void SetFileChooser(FileChooser chooser);   // empty: the real dialog again

// Menus and actions made in code: their source text is kept with them, so that
// RetranslateCodeTexts can set them again after a language change (forms made in
// the designer have retranslateUi for this).
class QAction;
class QMenu;
class QMenuBar;
QAction *AddTranslatedAction(QMenu *menu, const char *context, const char *source, const char *objectName = nullptr,
                             const QKeySequence &key = {});
QAction *AddTranslatedAction(QMenuBar *bar, const char *context, const char *source, const char *objectName = nullptr);
QMenu *AddTranslatedMenu(QMenuBar *bar, const char *context, const char *source);
void RetranslateCodeTexts(QWidget *window);

// Back to the program-start state: message boxes and the file dialog are shown again.
void ResetWidgetValues();
