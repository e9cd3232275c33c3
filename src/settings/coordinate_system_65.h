#pragma once

#include <string>
#include <vector>

namespace konwerter::settings {

// The description of coordinate system "65", which the Windows edition needs and the DOS
// edition never described in a file: its lines (cp1250), without line ends.
std::vector<std::string> BuiltInDescription65();

}  // namespace konwerter::settings
