#pragma once
// The operator's messages about the line and the memory transfer, one function a
// case, for every window and test alike (translation context "Messages").

#include "piles/Piles.h"

#include <QString>

// A plant did not answer in time.
QString TimeoutMessage();
// What the operator is told after a memory transfer of plant n ended so; empty
// when there is nothing to tell (all taken, or stopped by the operator).
QString TransferOutcomeMessage(TransferOutcome outcome, int plant);
