#pragma once

#include <string>
#include <string_view>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The folder the report lies in (a program path ending in a backslash); empty when the run
// wrote no report.
std::string ReportFolderOf(const ConversionResult& result);

// A file of the run's report folder for the page: a link by its bare name (the page and the
// file lie side by side, wherever the folder is copied) when `program_path` lies in the
// report's folder, else its host path as text. `label` is shown (escaped already).
std::string ReportFileLink(const ConversionResult& result, std::string_view program_path,
                           std::string_view label);

// A path of the output folder as the page shows it: from the output folder on
// ("BAZA/KMZ/Metryka.dbf"), or whole when it lies elsewhere.
std::string OutputPathMarkup(const ConversionResult& result, std::string_view program_path);

}  // namespace konwerter::app
