#pragma once

#include <cstdint>
#include <string_view>

namespace konwerter::source {

// The outcome of converting a numeric field's text. `failed_at` is 0 when the text
// converted, otherwise the 1-based position of the offending character in the text with
// its leading and trailing spaces cut (one past its end when the text stops too early).
template <typename Number>
struct NumericConversion {
  Number value{};
  std::int32_t failed_at = 0;

  bool ok() const { return failed_at == 0; }
};

// A field's bytes as the numeric text the reader parses: leading and trailing spaces cut,
// "0" when nothing else is left.
std::string_view NumericText(std::string_view field);

// An optional sign followed by decimal digits, within the signed 32-bit range (a number
// beyond it fails at the digit that leaves the range).
NumericConversion<std::int32_t> ParseInteger(std::string_view field);

// An optional sign, decimal digits with an optional ".", and an optional decimal exponent
// ("e" or "E", optional sign, digits). A number beyond the range of a double fails at its
// exponent letter; one too small for it reads as zero.
NumericConversion<double> ParseReal(std::string_view field);

}  // namespace konwerter::source
