#pragma once

#include <cstddef>
#include <cstdint>

namespace konwerter::source::mem {

// A Clipper memory file: entries of a 32-byte header followed by the value, up to the end.
inline constexpr std::size_t kEntryHeaderSize = 32;
inline constexpr std::size_t kNameLength = 11;  // ended by a zero byte
inline constexpr std::size_t kTypeOffset = 11;
inline constexpr std::size_t kValueLengthOffset = 16;  // unsigned 16-bit

// Type bytes: the letters C, N, D, L with the high bit set.
inline constexpr std::uint8_t kCharacter = 0xC3;
inline constexpr std::uint8_t kNumeric = 0xCE;
inline constexpr std::uint8_t kDate = 0xC4;
inline constexpr std::uint8_t kLogical = 0xCC;

// Numbers and dates are 8-byte IEEE 754 doubles whatever the length field says.
inline constexpr std::size_t kNumberLength = 8;
inline constexpr std::uint8_t kTrue = 0x01;

}  // namespace konwerter::source::mem
