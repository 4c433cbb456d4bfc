#pragma once
// The reply clock and the reset of all the link's shared values (LinkState) and
// of the plant model beneath them.

#include "link/LinkState.h"

#include <QString>
#include <QtGlobal>

// Milliseconds on a monotonic clock (for the age of live values).
qint64 LinkClockMs();
// Puts every shared value of the link back to its program-start state: the plant
// model, the records and values above, the reply state (RxBuffer, ReplyCode,
// ReplyTimedOut), port number, speed, time-outs, the port-name mapping and the
// command clock; LinkOpen too while no link exists.
void ResetLinkTables();
