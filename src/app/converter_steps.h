#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "run/result.h"
#include "run/run_context.h"

namespace konwerter::app {

// One step of the conversion: a converter, and whether the window gets a pause after it.
struct ConverterStep {
  std::string_view name;
  std::function<run::Status(run::RunContext&)> convert;
  bool pause_after;
};

// The converters in the order they must run: every dictionary after all converters that
// refer to its records (a dictionary with delete-unlinked on keeps only those records),
// works before parcels before precincts, persons last, coordinate systems at the very end.
const std::vector<ConverterStep>& ConverterSteps();

}  // namespace konwerter::app
