#pragma once
// Every modal message box of the program goes through here, so tests can answer them.
// Texts use "\n" for line breaks.

#include <QString>
#include <functional>

class QWidget;

enum class MsgKind { Information, Warning, Error, Confirmation };
enum class MsgAnswer { Ok, Yes, No };

MsgAnswer ShowMessage(QWidget *parent, MsgKind kind, const QString &text);
inline void ShowInfo(QWidget *parent, const QString &text) { ShowMessage(parent, MsgKind::Information, text); }
inline void ShowError(QWidget *parent, const QString &text) { ShowMessage(parent, MsgKind::Error, text); }
inline bool AskYesNo(QWidget *parent, const QString &text) { return ShowMessage(parent, MsgKind::Confirmation, text) == MsgAnswer::Yes; }

// Tests install a handler that answers instead of a real box; empty restores the boxes.
using MessageHandler = std::function<MsgAnswer(MsgKind, const QString &)>;
void SetMessageHandler(MessageHandler handler);
// The open dialog for data files ("EXCEL ( *.csv)"), starting in `startFolder`
// without changing the current directory; empty when cancelled. Tests choose here.
QString ChooseDataFile(QWidget *parent, const QString &startFolder);
using FileChooser = std::function<QString(QWidget *parent, const QString &startFolder)>;
void SetFileChooser(FileChooser chooser);   // empty: the real dialog again

// Back to the program-start state: message boxes and the file dialog are shown again.
void ResetWidgetValues();
