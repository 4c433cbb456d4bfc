#pragma once
// A transfer cut by a crash or a power loss: the record on the wire when it was cut
// is gone (the plant no longer holds it, the file never got it), and the file's
// consecutive numbering would hide the gap. A note in the program folder before
// each transfer lets the next start tell it.

#include <QDateTime>
#include <QString>

// Before the records are asked for: the plant, its count from "r", the file's line
// count and the file ("transfer.note"). Ended (removed) on every normal way out.
void NoteTransferStart(int plant, int count, const QDateTime &now);
void NoteTransferEnd();

// After discovery: an unfinished note of a plant that is present with the same
// file is checked against the plant's count now. Records missing from both are
// noted with the file (its evidence lists them) and told, once; the note goes.
// Empty when there is nothing to tell. A plant not found keeps its note.
QString CheckInterruptedTransfer();
