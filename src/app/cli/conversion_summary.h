#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

#include "app/conversion_driver.h"

namespace konwerter::cli {

// The outcome's name in the summary ("succeeded", "declined", ...).
std::string_view OutcomeName(app::RunOutcome outcome);

// The summary of a run as JSON (texts in UTF-8): outcome, final message, the two folders,
// the resolved directory variables, every target table written with its source and record
// counts, the sequence rows and the numbers too wide for their fields.
nlohmann::json SummaryJson(const app::ConversionResult& result);

// The same numbers as lines of text, for the terminal.
void PrintSummary(const app::ConversionResult& result, std::ostream& out);

}  // namespace konwerter::cli
