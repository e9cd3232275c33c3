#pragma once

#include <string_view>

namespace konwerter::app {

// The project's version, e.g. "0.1".
std::string_view ProgramVersion();

// The commit the program was built from: its short hash, with "-dirty" when the sources
// differed from it, or "unknown" when it was built outside a git checkout.
std::string_view ProgramCommit();

// The version as the programs show it: "0.1 (abc1234)".
std::string_view VersionText();

// What the programs do, in one line; ASCII, so the same text in cp1250 and UTF-8.
inline constexpr std::string_view kProgramDescription =
    "Konwerter danych systemu TEROKAN z wersji DOS do wersji Windows";

}  // namespace konwerter::app
