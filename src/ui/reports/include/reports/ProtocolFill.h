#pragma once
// Fills a protocol form from a loaded data file as the protocol window does: header
// lines from the file, headings after the units and the reference display in force,
// one row per point of the series (one per day on request), values as "%4.0f", O2 as
// "%4.1f" with the system decimal separator, "-*-" for a value that is not there;
// and the chart of the series when a graph is wanted.

#include "datafile/DataFile.h"

#include <QString>
#include <memory>

class TReportForm;

enum class ProtocolKind { Measurement, Quality };

struct ProtocolResult {
    std::unique_ptr<TReportForm> form;   // null when the series could not be built
    qint64 points = 0;
    QString error;                       // the series builder's message (a stamp that is no date)
};

ProtocolResult MakeProtocol(ProtocolKind kind, const DataFileContent &file, bool perDay, bool graph);
