#pragma once

#include <string>
#include <string_view>

#include "app/report/conversion_result.h"

namespace konwerter::app {

// The Polish name of a group folder of the Windows edition's database (BAZA\KMZ, …), as
// the report titles its tables; empty for a folder it does not know.
std::string_view GroupTitle(std::string_view folder);

// The tables the run wrote, per group folder in the order the run met them: per table walk
// the target, its source, records read, written and skipped with the reasons, records
// marked deleted, values altered, the target's records and a bar chart of the three counts.
// Tables built from other tables show their records.
std::string TablesHtml(const ConversionResult& result);

}  // namespace konwerter::app
