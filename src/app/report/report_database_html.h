#pragma once

#include <string>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The rows of the identifier sequence table (Dostep.dbf) the run wrote.
std::string SequenceHtml(const ConversionResult& result);

// The check of the converted database: its verdict, or that it did not run and why, and
// every finding with its records.
std::string CheckHtml(const ConversionResult& result);

}  // namespace konwerter::app
