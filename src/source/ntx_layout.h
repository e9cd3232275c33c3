#pragma once

#include <cstddef>
#include <cstdint>

namespace konwerter::source::ntx {

// The parts of a Clipper .ntx index that the reader takes. The file is a sequence of
// 1024-byte pages; the first is the header.
inline constexpr std::size_t kPageSize = 1024;

inline constexpr std::size_t kRootOffsetField = 4;  // unsigned 32-bit file offset
inline constexpr std::size_t kKeySizeField = 14;    // unsigned 16-bit
inline constexpr std::uint16_t kMaxKeySize = 255;

// A page: item count N (16-bit), then N + 1 16-bit offsets of the item slots in the page.
inline constexpr std::size_t kItemCountField = 0;
inline constexpr std::size_t kSlotOffsetsStart = 2;
inline constexpr std::size_t kSlotOffsetSize = 2;

// An item slot: child page offset (0 = none), 1-based record number, key bytes.
inline constexpr std::size_t kSlotChildField = 0;
inline constexpr std::size_t kSlotRecordField = 4;
inline constexpr std::size_t kSlotKeyField = 8;

// Descents stop at this depth: a sound tree of 1024-byte pages never comes near it, a damaged
// one whose pages point back up must not loop.
inline constexpr int kMaxDepth = 30;

}  // namespace konwerter::source::ntx
