#pragma once

#include <string>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The warnings of the run, grouped per file in the order the files were first met.
std::string WarningsHtml(const ConversionResult& result);

// The record ledger: how many records each reason skipped and how many values each change
// altered, the first rows of each, and where the full ledger (rekordy.csv) lies.
std::string LedgerHtml(const ConversionResult& result);

}  // namespace konwerter::app
