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
// Back to the program-start state: message boxes are shown again.
void ResetWidgetValues();
