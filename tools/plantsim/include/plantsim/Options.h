#pragma once
// Command-line options of the simulator program, parsed into a line configuration.

#include "plantsim/Config.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace plantsim {

struct CliOptions {
    BusConfig bus;
    QString device;        // serve this device instead of a new pseudo-terminal
    QString trace;         // trace file; "-" for stderr; empty: no trace
    QString state;         // the site kept across runs (empty: a new site every run)
    QString link;          // a symbolic link kept pointing at the current pseudo-terminal
    int returnAfterMs = -1;  // after the line vanished, a new one this much later
    bool help = false;
    bool version = false;
};

// "1,3,7", "1-6", "2,4-6" or "all" (all of universe). Numbers must lie in 1..32.
bool ParsePlantList(const QString &text, const QList<int> &universe, QList<int> &out, QString *error);

// args without the program name. On failure error says what is wrong.
bool ParseArguments(const QStringList &args, CliOptions &out, QString *error);

QString UsageText();

} // namespace plantsim
