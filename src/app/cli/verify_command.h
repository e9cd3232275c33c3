#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace konwerter::cli {

// Exit codes of `konwerter-cli verify`.
inline constexpr int kExitDatabaseHolds = 0;   // warnings allowed
inline constexpr int kExitDatabaseFaulty = 1;  // at least one failure
inline constexpr int kExitVerifyUsage = 2;     // wrong usage
inline constexpr int kExitNotConverted = 3;    // the folder holds no converted database

// `konwerter-cli verify --output DIR [--input DOSDIR] [--limit N]` (arguments after
// "verify"): checks a converted database with the engine's reader alone and prints what
// it found. Returns the exit code.
int RunVerify(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace konwerter::cli
