#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/conversion_driver.h"
#include "platform/calendar_date.h"

namespace konwerter::cli {

// What `konwerter-cli convert` was asked to do.
struct ConvertOptions {
  // Folders as typed, the check boxes, the drive map; paths turned into the program's
  // cp1250 text.
  app::ConversionRequest request;
  bool renumbering_file_given = false;
  bool assume_yes = false;  // --yes: overwrite a folder that already holds data
  bool quiet = false;
  std::string summary_file;  // --summary; empty for none
  // --date: the date the run writes into its tables instead of today's, so that runs on
  // different days or machines can be compared byte for byte.
  std::optional<platform::CalendarDate> date;
};

// Parses the arguments after "convert". Returns nullopt with a Polish explanation (UTF-8)
// in `error` when they are wrong: an unknown option, a missing value, an unknown name in a
// list, a drive that is not "X=DIR", a folder left out or empty, a renumbering file named
// that is no file.
std::optional<ConvertOptions> ParseConvertOptions(const std::vector<std::string>& arguments,
                                                  std::string& error);

// The text of `konwerter-cli convert --help` (UTF-8).
std::string ConvertUsage();

}  // namespace konwerter::cli
