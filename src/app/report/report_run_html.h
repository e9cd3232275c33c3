#pragma once

#include <string>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The parts of the report that tell how the run went (UTF-8 markup, every text escaped).

// The outcome in a few words, the final message and, for a run that stopped, the table it
// was writing.
std::string OutcomeHtml(const ConversionResult& result);

// When the run started and how long it took, the program's version (when `version` is not
// empty), the folders, the report's files and the options chosen.
std::string RunDetailsHtml(const ConversionResult& result, const std::string& version);

// The counts of the whole run: tables, source records read, written and skipped, records
// marked deleted, values altered, warnings, the ledger's rows, the check's verdict, and
// whether every table's records balance.
std::string TotalsHtml(const ConversionResult& result);

// The DOS edition's directory variables and the folders they were found in.
std::string DirectoriesHtml(const ConversionResult& result);

// The check of the converted database in one sentence ("not run" with why, when it did
// not run).
std::string CheckVerdictText(const ConversionResult& result);

}  // namespace konwerter::app
