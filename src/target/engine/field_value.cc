#include "target/engine/field_value.h"

#include <algorithm>
#include <cstring>

#include "target/engine/code_page_tables.h"
#include "target/engine/number_text.h"

namespace konwerter::engine {

namespace {

constexpr std::uint8_t kSpace = ' ';

void StoreDigits(int value, std::span<std::uint8_t> out) {
  for (std::size_t i = out.size(); i-- > 0;) {
    out[i] = static_cast<std::uint8_t>('0' + value % 10);
    value /= 10;
  }
}

int ParseDigits(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

void StoreText(std::string_view cp1250, std::span<std::uint8_t> field) {
  const std::size_t length = std::min(cp1250.size(), field.size());
  std::size_t i = 0;
  // ASCII is the same in both code pages: runs of eight such bytes are copied as they are.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  for (; i + 8 <= length; i += 8) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, cp1250.data() + i, 8);
    if ((eight & kHighBits) == 0) {
      std::memcpy(field.data() + i, &eight, 8);
      continue;
    }
    for (std::size_t j = i; j < i + 8; ++j) {
      field[j] = kCp1250ToCp852[static_cast<std::uint8_t>(cp1250[j])];
    }
  }
  for (; i < length; ++i) {
    field[i] = kCp1250ToCp852[static_cast<std::uint8_t>(cp1250[i])];
  }
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), kSpace);
}

bool StoreNumber(double value, int decimals, std::span<std::uint8_t> field) {
  return FormatFixed(value, decimals, field);
}

void StoreDate(platform::CalendarDate date, std::span<std::uint8_t> field) {
  StoreDigits(date.year, field.subspan(0, 4));
  StoreDigits(date.month, field.subspan(4, 2));
  StoreDigits(date.day, field.subspan(6, 2));
}

void StoreLogical(bool value, std::span<std::uint8_t> field) {
  field[0] = value ? 'T' : 'F';
}

void StoreNull(std::span<std::uint8_t> field) {
  std::fill(field.begin(), field.end(), kSpace);
}

bool IsBlank(std::span<const std::uint8_t> field) {
  return std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == kSpace; });
}

std::string LoadText(std::span<const std::uint8_t> field) {
  std::size_t length = field.size();
  while (length > 0 && field[length - 1] == kSpace) --length;
  std::string text(length, '\0');
  for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(kCp852ToCp1250[field[i]]);
  return text;
}

std::string_view AsChars(std::span<const std::uint8_t> field) {
  return {reinterpret_cast<const char*>(field.data()), field.size()};
}

std::optional<platform::CalendarDate> LoadDate(std::span<const std::uint8_t> field) {
  return ParseDateText(AsChars(field));
}

std::optional<bool> LoadLogical(std::span<const std::uint8_t> field) {
  if (field.empty()) return std::nullopt;
  switch (field[0]) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
      return true;
    case 'F':
    case 'f':
    case 'N':
    case 'n':
      return false;
    default:
      return std::nullopt;
  }
}

std::optional<platform::CalendarDate> ParseDateText(std::string_view text) {
  if (text.size() != 8 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const platform::CalendarDate date{ParseDigits(text.substr(0, 4)), ParseDigits(text.substr(4, 2)),
                                    ParseDigits(text.substr(6, 2))};
  if (!platform::IsValidDate(date)) return std::nullopt;
  return date;
}

}  // namespace konwerter::engine
