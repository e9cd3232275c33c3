#include "target/engine/field_access.h"

#include <cmath>
#include <limits>
#include <string>

#include "target/engine/failure.h"
#include "target/engine/field_value.h"
#include "target/engine/number_text.h"

namespace konwerter::engine {

namespace {

constexpr int kMaxYear = 9999;

void Require(const FieldDescriptor& field, FieldType type, EngineFault refused,
             std::string_view table) {
  if (field.type != type) Fail(refused, table, field.name);
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool PutText(const FieldDescriptor& field, std::string_view cp1250, std::span<std::uint8_t> bytes,
             std::string_view table) {
  if (field.type == FieldType::kCharacter) {
    StoreText(cp1250, bytes);
    return true;
  }
  const std::string_view text = Trimmed(cp1250);
  if (text.empty()) {
    StoreNull(bytes);
    return true;
  }
  switch (field.type) {
    case FieldType::kNumeric:
      if (const auto number = ParseDecimalText(text)) {
        return FormatFixed(*number, field.decimals, bytes);
      }
      break;
    case FieldType::kDate:
      if (const auto date = ParseDateText(text)) {
        StoreDate(*date, bytes);
        return true;
      }
      break;
    case FieldType::kLogical:
      if (const auto value = LoadLogical(std::span<const std::uint8_t>(
              reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
          value && text.size() == 1) {
        StoreLogical(*value, bytes);
        return true;
      }
      break;
    default:
      break;
  }
  Fail(EngineFault::kFieldTakesNoText, table, field.name, text);
}

bool PutNumber(const FieldDescriptor& field, double value, std::span<std::uint8_t> bytes,
               std::string_view table) {
  Require(field, FieldType::kNumeric, EngineFault::kFieldTakesNoNumber, table);
  return StoreNumber(value, field.decimals, bytes);
}

void PutDate(const FieldDescriptor& field, platform::CalendarDate date,
             std::span<std::uint8_t> bytes, std::string_view table) {
  Require(field, FieldType::kDate, EngineFault::kFieldTakesNoDate, table);
  if (!platform::IsValidDate(date) || date.year < 1 || date.year > kMaxYear) {
    Fail(EngineFault::kDateInvalid, table, field.name);
  }
  StoreDate(date, bytes);
}

void PutLogical(const FieldDescriptor& field, bool value, std::span<std::uint8_t> bytes,
                std::string_view table) {
  Require(field, FieldType::kLogical, EngineFault::kFieldTakesNoLogical, table);
  StoreLogical(value, bytes);
}

std::string GetText(const FieldDescriptor& field, std::span<const std::uint8_t> bytes) {
  if (field.type == FieldType::kCharacter) return LoadText(bytes);
  return std::string(Trimmed(AsChars(bytes)));
}

double GetNumber(const FieldDescriptor& field, std::span<const std::uint8_t> bytes,
                 std::string_view table) {
  if (field.type != FieldType::kNumeric && field.type != FieldType::kCharacter) {
    Fail(EngineFault::kFieldTakesNoNumber, table, field.name);
  }
  if (IsBlank(bytes)) return 0;
  const auto value = ParseNumberText(AsChars(bytes));
  if (!value) Fail(EngineFault::kFieldHoldsNoNumber, table, field.name);
  return *value;
}

std::int64_t GetInteger(const FieldDescriptor& field, std::span<const std::uint8_t> bytes,
                        std::string_view table) {
  const double value = std::trunc(GetNumber(field, bytes, table));
  constexpr double kLimit = 9.2e18;  // within the 64-bit range
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

std::optional<platform::CalendarDate> GetDate(const FieldDescriptor& field,
                                              std::span<const std::uint8_t> bytes,
                                              std::string_view table) {
  Require(field, FieldType::kDate, EngineFault::kFieldTakesNoDate, table);
  return LoadDate(bytes);
}

std::optional<bool> GetLogical(const FieldDescriptor& field, std::span<const std::uint8_t> bytes,
                               std::string_view table) {
  Require(field, FieldType::kLogical, EngineFault::kFieldTakesNoLogical, table);
  return LoadLogical(bytes);
}

}  // namespace konwerter::engine
