#include "target/engine/key_encoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "platform/little_endian.h"
#include "target/engine/collation.h"
#include "target/engine/field_value.h"

namespace konwerter::engine {

namespace {

constexpr int kExponentBias = 52;
constexpr std::uint8_t kPositiveMark = 0x29;
constexpr std::uint8_t kNegativeMark = 0xA9;
constexpr std::uint8_t kZeroMark = 0x01;
constexpr std::uint8_t kSignBit = 0x80;
constexpr std::size_t kDigitsOffset = 2;
constexpr std::size_t kMaxKeyDigits = 2 * (kNumericKeyLength - kDigitsOffset);

// Numeric keys as bytes in plain order: a sign class, the exponent, the digits; negative
// numbers have exponent and digits complemented so that larger magnitudes sort first.
using NumericOrderBytes = std::array<std::uint8_t, kNumericKeyLength>;

NumericOrderBytes NumericOrder(std::span<const std::uint8_t> key) {
  NumericOrderBytes order{};
  if (key[1] == kZeroMark) {
    order[0] = 1;
    return order;
  }
  const bool negative = (key[1] & kSignBit) != 0;
  order[0] = negative ? 0 : 2;
  order[1] = negative ? static_cast<std::uint8_t>(~key[0]) : key[0];
  for (std::size_t i = kDigitsOffset; i < kNumericKeyLength; ++i) {
    order[i] = negative ? static_cast<std::uint8_t>(~key[i]) : key[i];
  }
  return order;
}

std::uint64_t BigEndianPrefix(std::span<const std::uint8_t> bytes) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    prefix = (prefix << 8) | (i < bytes.size() ? bytes[i] : 0);
  }
  return prefix;
}

// IEEE bits turned so that unsigned order equals numeric order.
std::uint64_t DoubleOrder(std::span<const std::uint8_t> key) {
  const std::uint64_t bits = platform::LoadU64(key, 0);
  constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
  return (bits & kSign) ? ~bits : (bits | kSign);
}

}  // namespace

void EncodeNumericKey(const DecimalDigits& number, std::span<std::uint8_t> key) {
  std::fill(key.begin(), key.begin() + kNumericKeyLength, std::uint8_t{0});
  if (number.is_zero()) {
    key[0] = kExponentBias;
    key[1] = kZeroMark;
    return;
  }
  key[0] = static_cast<std::uint8_t>(std::clamp(kExponentBias + number.point, 0, 255));
  key[1] = number.negative ? kNegativeMark : kPositiveMark;
  const int digits = std::min(number.count, static_cast<int>(kMaxKeyDigits));
  for (int i = 0; i < digits; ++i) {
    const auto value = static_cast<std::uint8_t>(number.digits[static_cast<std::size_t>(i)] - '0');
    std::uint8_t& byte = key[kDigitsOffset + static_cast<std::size_t>(i / 2)];
    byte = static_cast<std::uint8_t>(byte | (i % 2 == 0 ? value << 4 : value));
  }
}

void EncodeNumericKeyFromText(std::string_view text, std::span<std::uint8_t> key) {
  EncodeNumericKey(ParseDecimalText(text).value_or(DecimalDigits{}), key);
}

std::int64_t JulianDay(platform::CalendarDate date) {
  const std::int64_t a = (14 - date.month) / 12;
  const std::int64_t y = date.year + 4800 - a;
  const std::int64_t m = date.month + 12 * a - 3;
  return date.day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

void EncodeDateKey(std::optional<platform::CalendarDate> date, std::span<std::uint8_t> key) {
  const double value = date ? static_cast<double>(JulianDay(*date)) : kBlankDateKey;
  platform::StoreU64(key, 0, std::bit_cast<std::uint64_t>(value));
}

std::uint64_t KeyOrder::Prefix(std::span<const std::uint8_t> key) const {
  return Words(key).high;
}

KeyOrder::SortWords KeyOrder::Words(std::span<const std::uint8_t> key) const {
  switch (type_) {
    case KeyType::kNumeric: {
      const NumericOrderBytes order = NumericOrder(key);
      const std::span<const std::uint8_t> bytes(order);
      return {BigEndianPrefix(bytes.first(8)),
              static_cast<std::uint32_t>(BigEndianPrefix(bytes.subspan(8)) >> 32)};
    }
    case KeyType::kDate:
      return {DoubleOrder(key), 0};
    case KeyType::kCharacter:
      break;
  }
  std::array<std::uint8_t, 12> head;
  CollationSortKeyHead(key, head);
  const std::span<const std::uint8_t> bytes(head);
  return {BigEndianPrefix(bytes.first(8)),
          static_cast<std::uint32_t>(BigEndianPrefix(bytes.subspan(8)) >> 32)};
}

int KeyOrder::Compare(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) const {
  switch (type_) {
    case KeyType::kNumeric: {
      const NumericOrderBytes x = NumericOrder(a);
      const NumericOrderBytes y = NumericOrder(b);
      const int order = std::memcmp(x.data(), y.data(), x.size());
      return (order > 0) - (order < 0);
    }
    case KeyType::kDate: {
      const std::uint64_t x = DoubleOrder(a);
      const std::uint64_t y = DoubleOrder(b);
      return (x > y) - (x < y);
    }
    case KeyType::kCharacter:
      break;
  }
  return CompareCollated(a, b);
}

}  // namespace konwerter::engine
