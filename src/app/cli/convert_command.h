#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace konwerter::cli {

// Exit codes of `konwerter-cli convert`.
inline constexpr int kExitSucceeded = 0;
inline constexpr int kExitConversionFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNotStarted = 3;  // a folder left out, declined, or a pre-check stopped it

// Where the command talks to the operator.
struct Console {
  std::ostream& out;  // messages and the summary
  std::ostream& err;  // usage errors and the progress line
  std::istream& in;   // answers to questions
  bool input_is_terminal = false;
  bool progress_is_terminal = false;
};

// `konwerter-cli convert ...` (arguments after "convert"): one conversion run with the
// operator's messages on the console. Returns the exit code.
int RunConvert(const std::vector<std::string>& arguments, Console& console,
               const platform::Clock& clock);

// The same on the process's own standard streams and the system date.
int RunConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace konwerter::cli
