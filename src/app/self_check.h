#pragma once

#include <string>

#include "app/report/conversion_result.h"
#include "run/run_report.h"

namespace konwerter::app {

// The check that ends every run that converted: the converted database read back with the
// engine's reader alone, never the converters.
CheckSummary CheckConvertedDatabase(const std::string& output_path);

// The check's result in one line of the final message.
std::string CheckFact(const CheckSummary& check);

// The check's warnings (references the DOS data itself left dangling) join the run's.
void AddCheckWarnings(const CheckSummary& check, run::RunReport& report);

}  // namespace konwerter::app
