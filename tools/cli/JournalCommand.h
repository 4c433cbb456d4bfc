#pragma once
// The journal and register commands of o2-haldrix-cli (arguments after the command).

#include <QStringList>

int JournalCommand(QStringList args);
// "Tagebuch: …" for the journal beside a data file, or empty when it has none;
// `broken` set when its seal does not match.
QString JournalVerifyLine(const QString &dataFile, bool &broken);
int RegisterCommand(QStringList args);
