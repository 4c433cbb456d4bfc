#include "piles/Messages.h"

#include <QCoreApplication>

namespace {
QString Tr(const char *text) { return QCoreApplication::translate("Messages", text); }
} // namespace

QString TimeoutMessage()
{
    return Tr(QT_TRANSLATE_NOOP("Messages", "TIMEOUT, bei der seriellen Kommunikation!\n"
                                            "Bitte Kabel und PC- Einstellung überprüfen!"));
}

QString TransferOutcomeMessage(TransferOutcome outcome, int plant)
{
    switch (outcome) {
    case TransferOutcome::OpenFailed:
        return Tr(QT_TRANSLATE_NOOP("Messages", "Speicherdatei kann nicht geöffnet werden !"));
    case TransferOutcome::CountFailed:
        return Tr(QT_TRANSLATE_NOOP("Messages",
                                    "Anzahl der Speicherdaten kann nicht ausgelesen werden !\nKommunikationsfehler !"));
    case TransferOutcome::TimedOut:
        return TimeoutMessage();
    case TransferOutcome::WriteFailed:
        return DataWriteFailedText(plant);
    case TransferOutcome::Done:
    case TransferOutcome::Stopped:      // not all taken, but the operator chose so
        break;
    }
    return {};
}
