#pragma once

#include <cstddef>
#include <cstdint>

namespace konwerter::source::dbf {

// The parts of a dBase III table (as Clipper writes it) that the reader takes.

// The header copy: the first 12 bytes of the file.
inline constexpr std::size_t kHeaderCopySize = 12;
inline constexpr std::size_t kRecordCountOffset = 4;    // unsigned 32-bit
inline constexpr std::size_t kHeaderLengthOffset = 8;   // unsigned 16-bit
inline constexpr std::size_t kRecordLengthOffset = 10;  // unsigned 16-bit

// Field descriptor i (1-based) starts at 32 * i; the field count is header length / 32 - 1.
inline constexpr std::size_t kDescriptorSize = 32;
inline constexpr std::size_t kDescriptorBytesTaken = 18;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameLength = 10;  // byte 10 is never taken
inline constexpr std::size_t kTypeOffset = 11;
inline constexpr std::size_t kWidthOffset = 16;
inline constexpr std::size_t kDecimalsOffset = 17;

// Byte 0 of a record is the deletion flag; the first field starts at byte 1.
inline constexpr std::uint32_t kFirstFieldOffset = 1;
inline constexpr std::uint8_t kDeletedFlag = '*';

}  // namespace konwerter::source::dbf
