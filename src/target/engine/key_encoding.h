#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/calendar_date.h"
#include "target/engine/number_text.h"

namespace konwerter::engine {

// Keys of the production index: character keys are cp852 bytes padded with spaces; a
// numeric field alone gives a 12-byte packed decimal; a date field alone the Julian day as
// a little-endian IEEE double.
enum class KeyType : char {
  kCharacter = 'C',
  kNumeric = 'N',
  kDate = 'D',
};

inline constexpr std::size_t kNumericKeyLength = 12;
inline constexpr std::size_t kDateKeyLength = 8;
// The key of a blank date: after every real date.
inline constexpr double kBlankDateKey = 1.0E300;

// Byte 0 = 52 + the exponent of 0.d1d2... x 10^E; byte 1 = 0x29 (0xA9 negative), 0x01 for
// zero; bytes 2-11 = up to 20 significant digits as packed BCD, first digit high.
void EncodeNumericKey(const DecimalDigits& number, std::span<std::uint8_t> key);
// The numeric key of a field's text; a blank or unreadable number ("*" fill included)
// counts as 0.
void EncodeNumericKeyFromText(std::string_view text, std::span<std::uint8_t> key);

// Julian day number of a date (2024-05-17 -> 2460448).
std::int64_t JulianDay(platform::CalendarDate date);
// The date key of a date, or of a blank date (nullopt).
void EncodeDateKey(std::optional<platform::CalendarDate> date, std::span<std::uint8_t> key);

// The order of keys of one type: collation for character keys, numeric order otherwise.
class KeyOrder {
 public:
  explicit KeyOrder(KeyType type) : type_(type) {}

  // A number whose order agrees with Compare: Compare(a, b) < 0 implies
  // Prefix(a) <= Prefix(b). Lets a sort decide most comparisons on one integer.
  std::uint64_t Prefix(std::span<const std::uint8_t> key) const;

  // The first 12 bytes of the same byte order as two integers (`high` the first 8 bytes,
  // big-endian; `low` the next 4), agreeing with Compare like Prefix. For numeric and date
  // keys they hold the whole order: equal words mean Compare gives 0 (words_are_whole()).
  struct SortWords {
    std::uint64_t high = 0;
    std::uint32_t low = 0;
  };
  SortWords Words(std::span<const std::uint8_t> key) const;
  bool words_are_whole() const { return type_ != KeyType::kCharacter; }
  // <0, 0, >0 as a sorts before, with or after b.
  // REQUIRES: both keys of this type and of one length.
  int Compare(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) const;

 private:
  KeyType type_;
};

}  // namespace konwerter::engine
