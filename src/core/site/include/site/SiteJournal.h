#pragma once
// A journal entry as the site view publishes it: "<base>/plant/<n>/journal", QoS 1,
// through the outbox (never lost, never twice), not retained.

#include "datafile/Journal.h"
#include "site/SiteMonitor.h"

// `plant` as shown (DisplayOffset applied).
SiteMessage JournalMessage(const QString &base, int plant, const QString &pile, const QString &file, const JournalEntry &entry);
