#pragma once

#include <string>
#include <string_view>

namespace konwerter::tools::sample {

// UTF-8 text as the DOS edition stores it, in code page 852.
// REQUIRES: the text holds only ASCII and the 18 Polish letters.
std::string Cp852(std::string_view utf8);

// The text in upper case, Polish letters included (code page 852 bytes in and out).
std::string Cp852Upper(std::string_view cp852);

}  // namespace konwerter::tools::sample
