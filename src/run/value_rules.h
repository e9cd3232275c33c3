#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/calendar_date.h"

namespace konwerter::run {

// A DOS key (4 raw bytes read little-endian) is set unless it is 0, four spaces or FFFFFFFF.
constexpr bool IsDosKeySet(std::uint32_t key) {
  return key != 0 && key != 0x20202020u && key != 0xFFFFFFFFu;
}

// A dictionary reference (2 raw bytes read little-endian, a 1-based record number) is set
// unless it is 0 or FFFF.
constexpr bool IsReferenceSet(std::uint16_t reference) {
  return reference != 0 && reference != 0xFFFF;
}

// The date a DOS date text YYYYMMDD stands for: none for an empty text (the field is left
// as it is), 1900-01-01 for a text that is not a valid date.
std::optional<platform::CalendarDate> DateFromDosText(std::string_view text);

}  // namespace konwerter::run
