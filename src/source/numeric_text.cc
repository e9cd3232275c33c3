#include "source/numeric_text.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace konwerter::source {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSign(char c) {
  return c == '+' || c == '-';
}

std::int32_t Position(std::size_t index) {
  return static_cast<std::int32_t>(index + 1);
}

// Advances over digits; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at - start;
}

}  // namespace

std::string_view NumericText(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return "0";
  const std::size_t last = field.find_last_not_of(' ');
  return field.substr(first, last - first + 1);
}

NumericConversion<std::int32_t> ParseInteger(std::string_view field) {
  const std::string_view text = NumericText(field);
  std::size_t at = 0;
  const bool negative = text[0] == '-';
  if (IsSign(text[0])) ++at;
  if (at == text.size()) return {0, Position(at)};
  // Accumulate towards the sign so that the most negative value fits.
  std::int64_t value = 0;
  constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
  for (; at < text.size(); ++at) {
    if (!IsDigit(text[at])) return {0, Position(at)};
    const int digit = text[at] - '0';
    value = value * 10 + (negative ? -digit : digit);
    if (value < kLowest || value > kHighest) return {0, Position(at)};
  }
  return {static_cast<std::int32_t>(value), 0};
}

NumericConversion<double> ParseReal(std::string_view field) {
  const std::string_view text = NumericText(field);
  std::size_t at = 0;
  if (IsSign(text[0])) ++at;
  std::size_t digits = SkipDigits(text, at);
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits += SkipDigits(text, at);
  }
  if (digits == 0) {
    return {0, Position(at < text.size() && !IsDigit(text[at]) ? at : text.size())};
  }
  std::size_t exponent_at = std::string_view::npos;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    exponent_at = at++;
    if (at < text.size() && IsSign(text[at])) ++at;
    if (SkipDigits(text, at) == 0) return {0, Position(at)};
  }
  if (at < text.size()) return {0, Position(at)};

  // from_chars takes no "+" sign; the text is otherwise exactly its grammar.
  const bool explicit_plus = text[0] == '+';
  const std::string_view number = explicit_plus ? text.substr(1) : text;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Within a field's 255 characters only the exponent can leave the range of a double.
    const bool has_exponent = exponent_at != std::string_view::npos;
    const bool too_small = has_exponent && text[exponent_at + 1] == '-';
    if (!too_small) return {0, Position(has_exponent ? exponent_at : 0)};
    return {number[0] == '-' ? -0.0 : 0.0, 0};
  }
  if (error != std::errc() || end != number.data() + number.size()) return {0, Position(0)};
  return {value, 0};
}

}  // namespace konwerter::source
