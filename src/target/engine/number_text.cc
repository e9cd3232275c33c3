#include "target/engine/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace konwerter::engine {

namespace {

constexpr std::uint8_t kOverflowFill = '*';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// Appends a digit to a number being read left to right; leading zeros only move the point.
void PushDigit(DecimalDigits& number, char digit, bool before_point) {
  if (number.count == 0 && digit == '0') {
    if (!before_point) --number.point;
    return;
  }
  if (number.count < DecimalDigits::kMaxDigits) {
    number.digits[static_cast<std::size_t>(number.count++)] = digit;
  }
  if (before_point) ++number.point;
}

void DropTrailingZeros(DecimalDigits& number) {
  while (number.count > 0 && number.digits[static_cast<std::size_t>(number.count - 1)] == '0') {
    --number.count;
  }
  if (number.count == 0) number = DecimalDigits{};
}

int RequiredLength(const DecimalDigits& number, int decimals) {
  const int integer_digits = std::max(number.point, 1);
  return (number.negative ? 1 : 0) + integer_digits + (decimals > 0 ? 1 + decimals : 0);
}

char DigitAt(const DecimalDigits& number, int index) {
  return (index >= 0 && index < number.count) ? number.digits[static_cast<std::size_t>(index)]
                                              : '0';
}

// Below this magnitude a double times a power of ten is within 1e-7 of the exact product,
// so rounding it decides like rounding the shortest decimal form unless it lies within
// kHalfMargin of a half.
constexpr double kFastLimit = 1e8;
constexpr double kHalfMargin = 1e-6;
constexpr std::array<double, 9> kPowersOfTen = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};

// Near a half at the last kept decimal the shortest decimal form of the double decides.
// Let h be the decimal with one digit more, ending in 5, that `magnitude` lies near.
// When `magnitude` is exactly the double nearest h, h is its shortest form: any other as
// short lies at least half a unit of that digit away, far more than the doubles' spacing
// below kFastLimit; the half rounds away from zero, up. Otherwise h lies outside the
// interval of reals that read back as `magnitude`, so the shortest form lies on the same
// side of h as `magnitude` does, which the exact sign of magnitude x 10^(decimals+1) - h
// (one fused multiply-add) tells: up above h, down below. `units` gets the rounded scaled
// magnitude. False when `magnitude` is not near such an h.
bool RoundedNearHalf(double magnitude, int decimals, std::uint64_t& units) {
  const auto finer_digits = static_cast<std::size_t>(decimals) + 1;
  if (finer_digits >= kPowersOfTen.size()) return false;
  const double power = kPowersOfTen[finer_digits];
  const double finer = std::round(magnitude * power);
  // A whole number below 1e9 here (magnitude * 10^decimals < kFastLimit): exact as an integer.
  const auto finer_units = static_cast<std::uint64_t>(finer);
  if (finer_units % 10 != 5) return false;
  const bool above = finer / power == magnitude || std::fma(magnitude, power, -finer) > 0;
  units = finer_units / 10 + (above ? 1 : 0);
  return true;
}

// FormatFixed for the common case of a number of moderate size that is not close to a
// half at the last kept decimal, or is near a half (RoundedNearHalf): the scaled value
// rounded as an integer. False when the case is not that one and the exact route must
// decide.
bool FormatScaled(double value, int decimals, std::span<std::uint8_t> out, bool& fits) {
  if (decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size())) return false;
  const double scaled = std::fabs(value) * kPowersOfTen[static_cast<std::size_t>(decimals)];
  if (!(scaled < kFastLimit)) return false;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  std::uint64_t units = 0;
  if (std::fabs(fraction - 0.5) > kHalfMargin) {
    units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  } else if (!RoundedNearHalf(std::fabs(value), decimals, units)) {
    return false;
  }
  const bool negative = value < 0 && units != 0;
  // Digits from the last: the decimals, then at least one integer digit.
  std::array<std::uint8_t, 24> digits{};
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<std::uint8_t>('0' + units % 10);
    units /= 10;
  } while (units != 0 || count <= static_cast<std::size_t>(decimals));
  const std::size_t length = count + (decimals > 0 ? 1 : 0) + (negative ? 1 : 0);
  if (length > out.size()) {
    std::fill(out.begin(), out.end(), kOverflowFill);
    fits = false;
    return true;
  }
  std::size_t at = out.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (decimals > 0 && i == static_cast<std::size_t>(decimals)) out[--at] = '.';
    out[--at] = digits[i];
  }
  if (negative) out[--at] = '-';
  std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(at), std::uint8_t{' '});
  fits = true;
  return true;
}

}  // namespace

DecimalDigits ShortestDecimal(double value) {
  char text[64];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  DecimalDigits number;
  if (error != std::errc()) return number;
  const char* position = text;
  if (*position == '-') {
    number.negative = true;
    ++position;
  }
  for (; position < end && *position != 'e'; ++position) {
    if (IsDigit(*position) && number.count < DecimalDigits::kMaxDigits) {
      number.digits[static_cast<std::size_t>(number.count++)] = *position;
    }
  }
  int exponent = 0;
  if (position < end) {
    ++position;  // 'e'
    if (position < end && *position == '+') ++position;
    std::from_chars(position, end, exponent);
  }
  number.point = exponent + 1;
  DropTrailingZeros(number);
  return number;
}

std::optional<DecimalDigits> ParseDecimalText(std::string_view text) {
  text = TrimSpaces(text);
  if (text.empty()) return std::nullopt;
  DecimalDigits number;
  std::size_t position = 0;
  if (text[0] == '-' || text[0] == '+') {
    number.negative = text[0] == '-';
    ++position;
  }
  bool before_point = true;
  bool any_digit = false;
  for (; position < text.size(); ++position) {
    const char c = text[position];
    if (c == '.' && before_point) {
      before_point = false;
    } else if (IsDigit(c)) {
      PushDigit(number, c, before_point);
      any_digit = true;
    } else {
      return std::nullopt;
    }
  }
  if (!any_digit) return std::nullopt;
  const bool negative = number.negative;
  DropTrailingZeros(number);
  if (!number.is_zero()) number.negative = negative;
  return number;
}

DecimalDigits RoundToDecimals(const DecimalDigits& number, int decimals) {
  const int keep = number.point + decimals;  // significant digits left of the cut
  if (number.is_zero() || keep >= number.count) return number;
  if (keep < 0) return DecimalDigits{};
  DecimalDigits rounded = number;
  rounded.count = keep;
  if (number.digits[static_cast<std::size_t>(keep)] >= '5') {
    int i = keep - 1;
    for (; i >= 0 && rounded.digits[static_cast<std::size_t>(i)] == '9'; --i) {
      rounded.digits[static_cast<std::size_t>(i)] = '0';
    }
    if (i >= 0) {
      ++rounded.digits[static_cast<std::size_t>(i)];
    } else {  // carried past the first digit: 99.5 -> 100
      std::copy_backward(rounded.digits.begin(), rounded.digits.begin() + rounded.count,
                         rounded.digits.begin() + rounded.count + 1);
      rounded.digits[0] = '1';
      ++rounded.count;
      ++rounded.point;
    }
  }
  DropTrailingZeros(rounded);
  if (!rounded.is_zero()) rounded.negative = number.negative;
  return rounded;
}

bool FormatFixed(const DecimalDigits& number, int decimals, std::span<std::uint8_t> out) {
  const DecimalDigits rounded = RoundToDecimals(number, decimals);
  const int length = RequiredLength(rounded, decimals);
  if (length > static_cast<int>(out.size())) {
    std::fill(out.begin(), out.end(), kOverflowFill);
    return false;
  }
  const std::size_t pad = out.size() - static_cast<std::size_t>(length);
  std::fill_n(out.begin(), pad, std::uint8_t{' '});
  std::size_t at = pad;
  if (rounded.negative) out[at++] = '-';
  if (rounded.point <= 0) {
    out[at++] = '0';
  } else {
    for (int i = 0; i < rounded.point; ++i)
      out[at++] = static_cast<std::uint8_t>(DigitAt(rounded, i));
  }
  if (decimals > 0) {
    out[at++] = '.';
    for (int i = 0; i < decimals; ++i) {
      out[at++] = static_cast<std::uint8_t>(DigitAt(rounded, rounded.point + i));
    }
  }
  return true;
}

bool FormatFixed(double value, int decimals, std::span<std::uint8_t> out) {
  if (!std::isfinite(value)) {
    std::fill(out.begin(), out.end(), kOverflowFill);
    return false;
  }
  if (bool fits = false; FormatScaled(value, decimals, out, fits)) return fits;
  return FormatFixed(ShortestDecimal(value), decimals, out);
}

std::optional<double> ParseNumberText(std::string_view text) {
  text = TrimSpaces(text);
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string ShortestText(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

}  // namespace konwerter::engine
