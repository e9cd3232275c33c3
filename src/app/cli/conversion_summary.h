#pragma once

#include <ostream>

#include "app/report/conversion_result.h"

namespace konwerter::cli {

// The summary of a run as lines of text for the terminal: the folders of the directory
// variables, every table account, the sequence rows; then the outcome, the check of the
// converted database, and where the report and the record ledger are.
void PrintSummary(const app::ConversionResult& result, std::ostream& out);

}  // namespace konwerter::cli
