#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/little_endian.h"

namespace konwerter::engine::mdx {

// The production index (.mdx) of dBase IV / 5: 512-byte pages, every stored pointer a page
// number. Page 0 is the file header, pages 1-3 the tag table; tag headers and B-tree nodes
// are blocks of two pages.

inline constexpr std::size_t kPageSize = 512;
inline constexpr std::size_t kPagesPerBlock = 2;
inline constexpr std::size_t kBlockSize = kPageSize * kPagesPerBlock;

// --- File header (page 0)
inline constexpr std::size_t kVersionOffset = 0;
inline constexpr std::size_t kCreationDateOffset = 1;  // YY MM DD
inline constexpr std::size_t kTableNameOffset = 4;
inline constexpr std::size_t kTableNameSize = 16;
inline constexpr std::size_t kPagesPerBlockOffset = 20;
inline constexpr std::size_t kBlockSizeOffset = 22;
inline constexpr std::size_t kProductionFlagOffset = 24;
inline constexpr std::size_t kSlotCountOffset = 25;
inline constexpr std::size_t kSlotLengthOffset = 26;
inline constexpr std::size_t kTagsInUseOffset = 28;
inline constexpr std::size_t kHeaderMarkOffset = 31;
inline constexpr std::size_t kPageCountOffset = 32;
inline constexpr std::size_t kFirstFreePageOffset = 36;
inline constexpr std::size_t kUpdateDateOffset = 44;  // YY MM DD

inline constexpr std::uint8_t kVersion = 0x02;
inline constexpr std::uint8_t kProductionIndex = 0x01;
inline constexpr std::uint8_t kSlotCount = 48;
inline constexpr std::uint8_t kSlotLength = 32;
inline constexpr std::uint8_t kHeaderMark = 0x1B;
inline constexpr std::size_t kMaxTags = kSlotCount - 1;

// --- Tag table: an anchor slot, then one slot per tag in definition order.
inline constexpr std::size_t kTagTableOffset = 512;
inline constexpr std::size_t kAnchorMarkOffset = 529;
inline constexpr std::uint8_t kAnchorMark = 0x01;
inline constexpr std::size_t kFirstSlotOffset = kTagTableOffset + kSlotLength;
inline constexpr std::size_t kTagTableEnd = kTagTableOffset + std::size_t{kSlotCount} * kSlotLength;
inline constexpr std::uint32_t kFirstTagHeaderPage = kTagTableEnd / kPageSize;

inline constexpr std::size_t kSlotHeaderPageOffset = 0;
inline constexpr std::size_t kSlotNameOffset = 4;
inline constexpr std::size_t kSlotNameSize = 11;
inline constexpr std::size_t kMaxTagNameLength = 10;
inline constexpr std::size_t kSlotKeyFormatOffset = 15;
inline constexpr std::size_t kSlotLeftThreadOffset = 16;
inline constexpr std::size_t kSlotRightThreadOffset = 17;
inline constexpr std::size_t kSlotParentThreadOffset = 18;
inline constexpr std::size_t kSlotMarkOffset = 19;
inline constexpr std::size_t kSlotKeyTypeOffset = 20;
inline constexpr std::uint8_t kSlotMark = 0x02;

// Key format byte: 0x10 when the expression holds only field names, +, STR() and DTOS().
inline constexpr std::uint8_t kKeyFormatFieldsOnly = 0x10;
inline constexpr std::uint8_t kKeyFormatCalculated = 0x00;

// --- Tag header block
inline constexpr std::size_t kTagRootPageOffset = 0;
inline constexpr std::size_t kTagPagesUsedOffset = 4;
inline constexpr std::size_t kTagKeyFormatOffset = 8;
inline constexpr std::size_t kTagKeyTypeOffset = 9;
inline constexpr std::size_t kTagMarkOffset = 11;
inline constexpr std::size_t kTagKeyLengthOffset = 12;
inline constexpr std::size_t kTagKeysPerNodeOffset = 14;
inline constexpr std::size_t kTagDateKeyOffset = 16;
inline constexpr std::size_t kTagItemLengthOffset = 18;
inline constexpr std::size_t kTagVersionOffset = 20;
inline constexpr std::size_t kTagUniqueOffset = 23;
inline constexpr std::size_t kTagExpressionOffset = 24;
inline constexpr std::size_t kTagExpressionSize = 221;  // NUL-terminated
inline constexpr std::size_t kTagForClauseOffset = 245;
inline constexpr std::size_t kTagHasKeysOffset = 246;
inline constexpr std::size_t kTagFirstNodeOffset = 248;
inline constexpr std::size_t kTagLastNodeOffset = 252;
inline constexpr std::uint8_t kTagMark = 0x1B;
inline constexpr std::uint8_t kTagVersion = 0x02;

// --- B-tree nodes: a key count, the previously allocated node, then items of the item
// length (a record number or child page, then the key); after the last item a leaf holds 0
// and an inner node the page of its right-most child.
inline constexpr std::size_t kNodeKeyCountOffset = 0;
inline constexpr std::size_t kNodePreviousOffset = 4;
inline constexpr std::size_t kNodeItemsOffset = 8;
inline constexpr std::size_t kItemPointerSize = 4;
inline constexpr std::size_t kNodeHeaderSize = 12;  // what keys-per-node leaves aside

// Longest character key the engine writes (dBase's limit).
inline constexpr std::size_t kMaxKeyLength = 100;

// Item length of a key length: the key rounded up to a multiple of 4, plus the pointer.
constexpr std::size_t ItemLength(std::size_t key_length) {
  return (key_length + 3) / 4 * 4 + kItemPointerSize;
}

// Keys one node holds.
constexpr std::size_t KeysPerNode(std::size_t key_length) {
  return (kBlockSize - kNodeHeaderSize) / ItemLength(key_length);
}

}  // namespace konwerter::engine::mdx
