#pragma once

#include <string>
#include <string_view>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The run's report folder under the output folder, and the files in it.
inline constexpr std::string_view kReportFolderName = "RAPORT";
inline constexpr std::string_view kReportFileName = "raport.html";
inline constexpr std::string_view kLedgerFileName = "rekordy.csv";
inline constexpr std::string_view kSummaryFileName = "podsumowanie.json";

// Writes the conversion report and the summary into `folder` (a program path ending in a
// backslash, created already) and sets their paths in the result. Throws IoError when a
// file cannot be written.
void WriteReportFiles(std::string_view folder, ConversionResult& result);

// The same at the end of a run an error cut short: the report tells what was done until
// then. A report that cannot be written is given up silently: the run's own error is what
// the operator must see.
void WriteReportFilesAfterAbort(std::string_view folder, ConversionResult& result) noexcept;

}  // namespace konwerter::app
