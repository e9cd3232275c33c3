#include "renumber/renumbering_table.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace konwerter::renumber {

namespace {

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string PadLeft(std::string text, std::size_t width, char fill) {
  if (text.size() < width) text.insert(0, width - text.size(), fill);
  return text;
}

}  // namespace

bool ParseCommuneNumber(std::string_view text, int& number) {
  text = TrimSpaces(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  bool negative = false;
  if (text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.front() == '-' ||
      text.front() == '+') {
    return false;
  }
  if (value > std::numeric_limits<std::int32_t>::max()) return false;
  if (negative) value = -value;
  // The number is taken as an unsigned 16-bit value, as the DOS edition's word fields are.
  const auto low_bits = static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFF);
  if (low_bits > 9999) return false;
  number = low_bits;
  return true;
}

std::string RenumberCommuneText(std::string_view text, bool keep_width,
                                const RenumberingTable& table, bool enabled) {
  if (text.empty()) return std::string(text);
  int number = 0;
  if (!ParseCommuneNumber(text, number)) return std::string(text);
  const std::uint16_t renumbered = table.NewNumber(number);
  const int result_number = (enabled && renumbered != 0) ? renumbered : number;
  std::string result = PadLeft(std::to_string(result_number), 3, '0');
  if (keep_width) {
    constexpr std::size_t kMostSpacesAdded = 21;
    // The width first: the order in which a call's arguments are worked out is the
    // compiler's, and the text is moved into the call.
    const std::size_t width = std::min(text.size(), result.size() + kMostSpacesAdded);
    result = PadLeft(std::move(result), width, ' ');
  }
  return result;
}

std::string RenumberCommuneNumber(std::int64_t number, const RenumberingTable& table,
                                  bool enabled) {
  return RenumberCommuneText(std::to_string(number), false, table, enabled);
}

}  // namespace konwerter::renumber
