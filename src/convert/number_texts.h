#pragma once

#include <cstdint>
#include <string>

namespace konwerter::convert {

// A number in decimal, right-aligned with spaces in `width` characters (map kind numbers:
// 7 gives two spaces and 7). Wider numbers are written whole.
std::string RightAligned(std::uint32_t number, int width);

// A number in decimal, zero-padded on the left to `width` digits (12 in 5 gives 00012).
std::string ZeroPadded(std::uint32_t number, int width);

}  // namespace konwerter::convert
