#pragma once

#include <string>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The conversion report: one self-contained HTML page in Polish (UTF-8, inline styles and
// pictures, no script, nothing fetched) that an operator opens in any browser and keeps
// with the site's papers: the outcome, when and how the run went, the tables per group
// with their records read, written and skipped, the warnings per file, the record ledger
// per reason, the sequence rows and the check of the converted database. Its numbers are
// the summary's (SummaryJson).
std::string ReportHtml(const ConversionResult& result);

}  // namespace konwerter::app
