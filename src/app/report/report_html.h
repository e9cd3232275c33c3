#pragma once

#include <string>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The conversion report: one self-contained HTML page in Polish (UTF-8, inline styles and
// pictures, no script, nothing fetched) that an operator opens in any browser and keeps
// with the site's papers.
std::string ReportHtml(const ConversionResult& result);

}  // namespace konwerter::app
