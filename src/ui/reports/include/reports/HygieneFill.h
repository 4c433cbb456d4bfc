#pragma once
// The hygienisation evidence as one printed page: the criterion, the longest
// stretch per depth and threshold with its verdict, the days without records, the
// file and the print date.

#include "datafile/DataFile.h"
#include "datafile/Hygiene.h"

#include <memory>

class TReportForm;

// The criterion the settings name ([COM] KRITERIUM), the default one otherwise.
const HygieneCriterion &ChosenHygieneCriterion();

std::unique_ptr<TReportForm> MakeHygienePage(const HygieneResult &result, const DataFileContent &file);
