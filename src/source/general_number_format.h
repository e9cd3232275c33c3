#pragma once

#include <string>

namespace konwerter::source {

// A number in general form, as the memory-file reader renders numbers and dates: at most
// 15 significant digits, no trailing zeros, a "." only when there is a fraction; fixed
// notation when the integral part has at most 15 digits and the magnitude is at least
// 0.00001, otherwise exponent notation ("1.5e+20", "2e-07").
std::string FormatGeneral(double value);

}  // namespace konwerter::source
