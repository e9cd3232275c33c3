#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of a dBase III table as Clipper writes it.
namespace konwerter::tools::dbf {

inline constexpr std::uint8_t kVersionDbase3 = 0x03;

// File header: 32 bytes.
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kVersionOffset = 0;
inline constexpr std::size_t kUpdateYearOffset = 1;  // years since 1900
inline constexpr std::size_t kUpdateMonthOffset = 2;
inline constexpr std::size_t kUpdateDayOffset = 3;
inline constexpr std::size_t kRecordCountOffset = 4;    // u32
inline constexpr std::size_t kHeaderLengthOffset = 8;   // u16
inline constexpr std::size_t kRecordLengthOffset = 10;  // u16

// Field descriptors follow the file header, one of 32 bytes per field.
inline constexpr std::size_t kDescriptorSize = 32;
inline constexpr std::size_t kNameSize = 11;  // NUL-padded
inline constexpr std::size_t kMaxNameLength = 10;
inline constexpr std::size_t kTypeOffset = 11;
inline constexpr std::size_t kWidthOffset = 16;
inline constexpr std::size_t kDecimalsOffset = 17;

inline constexpr std::uint8_t kHeaderTerminator = 0x0D;
inline constexpr std::uint8_t kEndOfFile = 0x1A;
inline constexpr std::uint8_t kLiveFlag = ' ';
inline constexpr std::uint8_t kDeletedFlag = '*';

// The header length for `field_count` fields: header, descriptors and the terminator.
constexpr std::size_t HeaderLength(std::size_t field_count) {
  return kHeaderSize + kDescriptorSize * field_count + 1;
}

}  // namespace konwerter::tools::dbf
