#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/calendar_date.h"

namespace konwerter::engine {

// Values of one field inside a record, as the table stores them: text in cp852, left-aligned
// and space-padded; numbers right-aligned; dates YYYYMMDD; logicals T/F; null as spaces.

// cp1250 text translated to cp852, cut to the field's width and padded with spaces.
void StoreText(std::string_view cp1250, std::span<std::uint8_t> field);
// False, with the field filled with "*", when the number does not fit (see FormatFixed).
bool StoreNumber(double value, int decimals, std::span<std::uint8_t> field);
// REQUIRES: date is a valid date and field.size() == 8.
void StoreDate(platform::CalendarDate date, std::span<std::uint8_t> field);
void StoreLogical(bool value, std::span<std::uint8_t> field);
void StoreNull(std::span<std::uint8_t> field);

bool IsBlank(std::span<const std::uint8_t> field);
// The field's bytes with trailing spaces removed, translated to cp1250.
std::string LoadText(std::span<const std::uint8_t> field);
// The field's bytes as they are (cp852), for parsing.
std::string_view AsChars(std::span<const std::uint8_t> field);
// A date field; nullopt when blank or not a valid YYYYMMDD date.
std::optional<platform::CalendarDate> LoadDate(std::span<const std::uint8_t> field);
// A logical field: T, t, Y, y are true, F, f, N, n false; nullopt otherwise.
std::optional<bool> LoadLogical(std::span<const std::uint8_t> field);

// A YYYYMMDD text as a date; nullopt when it is not one.
std::optional<platform::CalendarDate> ParseDateText(std::string_view text);

}  // namespace konwerter::engine
