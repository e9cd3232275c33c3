#pragma once

#include <nlohmann/json.hpp>
#include <string_view>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The outcome's name in the summary ("converted", "declined", ...).
std::string_view OutcomeName(RunOutcome outcome);

// The version of the summary's layout, its member "format": raised when a member changes
// its meaning or goes.
inline constexpr int kSummaryFormat = 1;

// The summary of a run as JSON (texts in UTF-8, paths as the host names them): the outcome
// and final message, the folders and options, every table account with its records read,
// written, skipped (per reason), marked deleted and altered (per change), the warnings,
// the sequence rows, the ledger's totals and the check of the converted database.
nlohmann::json SummaryJson(const ConversionResult& result);

}  // namespace konwerter::app
