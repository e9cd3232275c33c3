#include "source/general_number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace konwerter::source {

namespace {

inline constexpr int kSignificantDigits = 15;
inline constexpr int kLowestFixedExponent = -5;  // 0.00001
inline constexpr int kHighestFixedExponent = kSignificantDigits - 1;

// A finite, non-zero number rounded to 15 significant digits: its digits without trailing
// zeros (the first before the point) and its decimal exponent.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double value) {
  std::array<char, 32> text{};
  // d.dddddddddddddde±XX: rounding to 15 digits may carry into the exponent, so both come
  // from the rounded text.
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view scientific(text.data(),
                                    static_cast<std::size_t>(result.ptr - text.data()));
  Decimal decimal;
  std::size_t at = 0;
  if (scientific[at] == '-') {
    decimal.negative = true;
    ++at;
  }
  const std::size_t exponent_at = scientific.find('e');
  for (; at < exponent_at; ++at) {
    if (scientific[at] != '.') decimal.digits += scientific[at];
  }
  const std::size_t last = decimal.digits.find_last_not_of('0');
  decimal.digits.resize(last + 1);
  std::string_view exponent = scientific.substr(exponent_at + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), decimal.exponent);
  return decimal;
}

std::string Fixed(const Decimal& decimal) {
  std::string text = decimal.negative ? "-" : "";
  const int digit_count = static_cast<int>(decimal.digits.size());
  if (decimal.exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-decimal.exponent - 1), '0');
    text += decimal.digits;
    return text;
  }
  const int integral = decimal.exponent + 1;
  if (digit_count <= integral) {
    text += decimal.digits;
    text.append(static_cast<std::size_t>(integral - digit_count), '0');
    return text;
  }
  text += decimal.digits.substr(0, static_cast<std::size_t>(integral));
  text += '.';
  text += decimal.digits.substr(static_cast<std::size_t>(integral));
  return text;
}

std::string Exponent(const Decimal& decimal) {
  std::string text = decimal.negative ? "-" : "";
  text += decimal.digits[0];
  if (decimal.digits.size() > 1) {
    text += '.';
    text += decimal.digits.substr(1);
  }
  text += decimal.exponent < 0 ? "e-" : "e+";
  const int magnitude = std::abs(decimal.exponent);
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  return text;
}

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0) return "0";
  const Decimal decimal = ToDecimal(value);
  const bool fixed =
      decimal.exponent >= kLowestFixedExponent && decimal.exponent <= kHighestFixedExponent;
  return fixed ? Fixed(decimal) : Exponent(decimal);
}

}  // namespace konwerter::source
