#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace konwerter::engine {

// A decimal number as sign, significant digits and the place of the decimal point:
// value = (negative ? -1 : 1) x 0.d1 d2 d3 ... x 10^point. The first digit is not 0 and
// the last is not 0; zero has no digits.
struct DecimalDigits {
  static constexpr int kMaxDigits = 40;  // digits beyond these are dropped
  bool negative = false;
  std::array<char, kMaxDigits> digits{};
  int count = 0;
  int point = 0;

  bool is_zero() const { return count == 0; }
};

// The shortest decimal form that reads back as `value` (2.675 gives 2675, point 1).
// REQUIRES: value is finite.
DecimalDigits ShortestDecimal(double value);

// The number a numeric field's text holds (spaces around it allowed, a sign, digits with
// one decimal point, no exponent); nullopt when the text is blank or not a number.
std::optional<DecimalDigits> ParseDecimalText(std::string_view text);

// Rounds to `decimals` digits after the point, halves away from zero.
DecimalDigits RoundToDecimals(const DecimalDigits& number, int decimals);

// Writes the number right-aligned into `out` with exactly `decimals` digits after the point
// (none and no point for 0) and "-" right before the first digit; rounds halves away from
// zero, deciding on the shortest decimal form of the double. False, with `out` filled with
// "*", when the number is not finite or does not fit.
bool FormatFixed(double value, int decimals, std::span<std::uint8_t> out);
// The shortest decimal text that reads back as `value` ("1234567.5", "1e+20"), for messages.
std::string ShortestText(double value);
bool FormatFixed(const DecimalDigits& number, int decimals, std::span<std::uint8_t> out);

// The value of a numeric field's text; nullopt when blank or not a number.
std::optional<double> ParseNumberText(std::string_view text);

}  // namespace konwerter::engine
