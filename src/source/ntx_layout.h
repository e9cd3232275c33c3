#pragma once

#include <cstddef>
#include <cstdint>

// The byte layout of a Clipper .ntx index: a header page, then the pages of a B-tree whose
// inner pages carry entries of their own. Every page is 1024 bytes; numbers little-endian.
namespace konwerter::source::ntx {

inline constexpr std::size_t kPageSize = 1024;
inline constexpr std::uint16_t kSignatureClipper5 = 6;
inline constexpr std::uint16_t kMaxKeySize = 255;

// Header page.
inline constexpr std::size_t kSignatureOffset = 0;     // u16
inline constexpr std::size_t kVersionOffset = 2;       // u16, counts the index's updates
inline constexpr std::size_t kRootOffset = 4;          // u32, file offset of the root page
inline constexpr std::size_t kNextFreeOffset = 8;      // u32, first free page; 0 = none
inline constexpr std::size_t kItemSizeOffset = 12;     // u16, key size + 8
inline constexpr std::size_t kKeySizeOffset = 14;      // u16
inline constexpr std::size_t kKeyDecimalsOffset = 16;  // u16
inline constexpr std::size_t kMaxItemsOffset = 18;     // u16, keys per page
inline constexpr std::size_t kHalfPageOffset = 20;     // u16, max items / 2
inline constexpr std::size_t kExpressionOffset = 22;   // NUL-terminated text
inline constexpr std::size_t kExpressionSize = 256;
inline constexpr std::size_t kUniqueOffset = 278;  // 1 = unique index

// Tree page: the item count N, then the offsets (within the page) of max items + 1 item
// slots, then the slots. Slots 1..N carry the keys in ascending order, slot N + 1 only the
// child with the keys above them all.
inline constexpr std::size_t kItemCountOffset = 0;     // u16
inline constexpr std::size_t kSlotTableOffset = 2;     // the first slot offset
inline constexpr std::size_t kSlotTableEntrySize = 2;  // u16 per slot

// Item slot: child page, record number, key bytes.
inline constexpr std::size_t kSlotChildOffset = 0;   // u32, file offset of the child page; 0 = none
inline constexpr std::size_t kSlotRecordOffset = 4;  // u32, 1-based record number
inline constexpr std::size_t kSlotKeyOffset = 8;     // key size bytes
inline constexpr std::size_t kItemOverhead = kSlotKeyOffset;  // a slot's bytes besides its key

// Descents stop at this depth: a sound tree of 1024-byte pages never comes near it, a damaged
// one whose pages point back up must not loop.
inline constexpr int kMaxDepth = 30;

// The keys Clipper puts in one page for a key size: as many as fit with their slot
// offsets, made even.
constexpr std::uint16_t MaxKeysPerPage(std::uint16_t key_size) {
  const std::size_t fit =
      (kPageSize - kSlotTableOffset) / (key_size + kItemOverhead + kSlotTableEntrySize) - 1;
  return static_cast<std::uint16_t>(fit % 2 == 1 && fit > 2 ? fit - 1 : fit);
}

// Where item slot `slot` (0-based) starts in a page holding at most `max_keys` keys.
constexpr std::size_t SlotOffset(std::size_t slot, std::uint16_t max_keys, std::uint16_t key_size) {
  return kSlotTableOffset + kSlotTableEntrySize * (std::size_t{max_keys} + 1) +
         slot * (key_size + kItemOverhead);
}

}  // namespace konwerter::source::ntx
