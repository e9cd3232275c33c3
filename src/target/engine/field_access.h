#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/calendar_date.h"
#include "target/engine/field.h"

namespace konwerter::engine {

// Values of the program's types put into and taken out of one field of a record, with the
// conversions the table object allows. Each function throws EngineError kOther naming
// `table` when the field's type cannot take or give the value.
// REQUIRES everywhere: bytes.size() == field.width.

// Character fields take the text (cut to the width); numeric, date and logical fields take
// its value written as text ("12.5", "20240517", "T"); blank text leaves any field empty
// (memo fields take nothing else).
// False when a number did not fit and was stored as "*" fill.
bool PutText(const FieldDescriptor& field, std::string_view cp1250, std::span<std::uint8_t> bytes,
             std::string_view table);
// Numeric fields only. False when the number did not fit and was stored as "*" fill.
bool PutNumber(const FieldDescriptor& field, double value, std::span<std::uint8_t> bytes,
               std::string_view table);
// Date fields only; the date must exist and have a four-digit year.
void PutDate(const FieldDescriptor& field, platform::CalendarDate date,
             std::span<std::uint8_t> bytes, std::string_view table);
// Logical fields only.
void PutLogical(const FieldDescriptor& field, bool value, std::span<std::uint8_t> bytes,
                std::string_view table);

// Any field: character fields give their text without trailing spaces, the others their
// stored text without surrounding spaces; cp1250.
std::string GetText(const FieldDescriptor& field, std::span<const std::uint8_t> bytes);
// Numeric and character fields holding a number; 0 when blank.
double GetNumber(const FieldDescriptor& field, std::span<const std::uint8_t> bytes,
                 std::string_view table);
// As GetNumber, truncated toward zero (and held within the 64-bit range).
std::int64_t GetInteger(const FieldDescriptor& field, std::span<const std::uint8_t> bytes,
                        std::string_view table);
// Date fields only; nullopt when blank.
std::optional<platform::CalendarDate> GetDate(const FieldDescriptor& field,
                                              std::span<const std::uint8_t> bytes,
                                              std::string_view table);
// Logical fields only; nullopt when blank.
std::optional<bool> GetLogical(const FieldDescriptor& field, std::span<const std::uint8_t> bytes,
                               std::string_view table);

}  // namespace konwerter::engine
