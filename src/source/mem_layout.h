#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of a Clipper memory file (.mem): one entry per variable, a 32-byte header
// followed by the value, and the end-of-file byte 1A after the last entry. Numbers are
// little-endian.
namespace konwerter::source::mem {

inline constexpr std::size_t kEntryHeaderSize = 32;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameSize = 11;  // the name, ended by a zero byte
inline constexpr std::size_t kMaxNameLength = 10;
inline constexpr std::size_t kTypeOffset = 11;
// Character and logical values: the value length (text + terminating zero), unsigned
// 16-bit. Numbers and dates: the display width in the first byte, the decimals in the second.
inline constexpr std::size_t kValueLengthOffset = 16;
inline constexpr std::size_t kWidthOffset = 16;
inline constexpr std::size_t kDecimalsOffset = 17;

// Type bytes: the letters C, N, D, L with the high bit set.
inline constexpr std::uint8_t kTypeCharacter = 0xC3;
inline constexpr std::uint8_t kTypeNumeric = 0xCE;
inline constexpr std::uint8_t kTypeDate = 0xC4;
inline constexpr std::uint8_t kTypeLogical = 0xCC;

// Numbers and dates are 8-byte IEEE 754 doubles whatever the length field says.
inline constexpr std::size_t kNumberSize = 8;
inline constexpr std::uint8_t kNumberWidth = 10;  // Clipper's width of a whole number
inline constexpr std::uint8_t kDateWidth = 1;
// A logical value is one byte, 1 for true.
inline constexpr std::uint8_t kLogicalSize = 1;
inline constexpr std::uint8_t kTrue = 0x01;

inline constexpr std::uint8_t kEndOfFile = 0x1A;

}  // namespace konwerter::source::mem
