#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of a dBase III table as Clipper writes it: a 32-byte file header, one
// 32-byte descriptor per field, the header terminator, the records, the end-of-file byte.
// Numbers are little-endian.
namespace konwerter::source::dbf {

inline constexpr std::uint8_t kVersionDbase3 = 0x03;

// File header: 32 bytes.
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kVersionOffset = 0;
inline constexpr std::size_t kUpdateYearOffset = 1;  // years since 1900
inline constexpr std::size_t kUpdateMonthOffset = 2;
inline constexpr std::size_t kUpdateDayOffset = 3;
inline constexpr std::size_t kRecordCountOffset = 4;    // unsigned 32-bit
inline constexpr std::size_t kHeaderLengthOffset = 8;   // unsigned 16-bit
inline constexpr std::size_t kRecordLengthOffset = 10;  // unsigned 16-bit
// The reader keeps only the first 12 bytes: the counts and lengths above.
inline constexpr std::size_t kHeaderCopySize = 12;

// Field descriptor i (1-based) starts at 32 * i; the field count is header length / 32 - 1.
inline constexpr std::size_t kDescriptorSize = 32;
inline constexpr std::size_t kDescriptorBytesTaken = 18;  // the reader needs no more
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kMaxNameLength = 10;  // zero-padded; byte 10 is always zero
inline constexpr std::size_t kTypeOffset = 11;
inline constexpr std::size_t kWidthOffset = 16;
inline constexpr std::size_t kDecimalsOffset = 17;

inline constexpr std::uint8_t kHeaderTerminator = 0x0D;
inline constexpr std::uint8_t kEndOfFile = 0x1A;
// The byte dBase III (before III PLUS) writes after the terminator, inside the header.
inline constexpr std::uint8_t kTerminatorPadding = 0x00;

// Byte 0 of a record is the deletion flag; the first field starts at byte 1.
inline constexpr std::uint32_t kFirstFieldOffset = 1;
inline constexpr std::uint8_t kLiveFlag = ' ';
inline constexpr std::uint8_t kDeletedFlag = '*';

// The header length for `field_count` fields: header, descriptors and the terminator.
// dBase III PLUS, dBase IV and Clipper write this length; dBase III before III PLUS (and
// libraries that follow it) write one byte more, holding kTerminatorPadding. No other
// header length describes records where a dBase III writer put them.
constexpr std::size_t HeaderLength(std::size_t field_count) {
  return kHeaderSize + kDescriptorSize * field_count + 1;
}
constexpr std::size_t PaddedHeaderLength(std::size_t field_count) {
  return HeaderLength(field_count) + 1;
}

}  // namespace konwerter::source::dbf
