#include "target/identifier.h"

#include <array>

namespace konwerter::target {

std::string FormatIdentifier(std::uint32_t number, int width) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<char, 8> reversed{};
  std::size_t length = 0;
  do {
    reversed[length++] = kDigits[number & 0xF];
    number >>= 4;
  } while (number != 0);
  std::string text;
  if (static_cast<std::size_t>(width) > length)
    text.assign(static_cast<std::size_t>(width) - length, '0');
  for (std::size_t i = length; i > 0; --i) text += reversed[i - 1];
  return text;
}

std::string CreatorIdentifier(const platform::CalendarDate& date) {
  const int packed = (date.year - 1980) * 512 + date.month * 32 + date.day;
  return "0001" + FormatIdentifier(static_cast<std::uint32_t>(packed) & 0xFFFF, 4);
}

}  // namespace konwerter::target
