#include "target/engine/mdx_headers.h"

#include <algorithm>
#include <cstring>

#include "platform/little_endian.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine::mdx {

namespace {

using SlotName = std::array<std::uint8_t, kSlotNameSize>;

SlotName PaddedName(std::string_view name) {
  SlotName padded{};
  std::copy_n(name.begin(), std::min(name.size(), padded.size()), padded.begin());
  return padded;
}

void StoreText(std::span<std::uint8_t> bytes, std::size_t offset, std::string_view text,
               std::size_t size) {
  std::copy_n(text.begin(), std::min(text.size(), size),
              bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void StoreShortDate(std::span<std::uint8_t> bytes, std::size_t offset,
                    platform::CalendarDate date) {
  bytes[offset] = static_cast<std::uint8_t>(date.year % 100);
  bytes[offset + 1] = static_cast<std::uint8_t>(date.month);
  bytes[offset + 2] = static_cast<std::uint8_t>(date.day);
}

void StoreSlot(std::span<std::uint8_t> slot, const WrittenTag& tag, const NameThreads& threads) {
  platform::StoreU32(slot, kSlotHeaderPageOffset, tag.header_page);
  StoreText(slot, kSlotNameOffset, tag.name, kSlotNameSize);
  slot[kSlotKeyFormatOffset] = tag.key_format;
  slot[kSlotLeftThreadOffset] = threads.left;
  slot[kSlotRightThreadOffset] = threads.right;
  slot[kSlotParentThreadOffset] = threads.parent;
  slot[kSlotMarkOffset] = kSlotMark;
  slot[kSlotKeyTypeOffset] = static_cast<std::uint8_t>(tag.key_type);
}

}  // namespace

std::vector<NameThreads> NameTreeThreads(const std::vector<std::string>& names) {
  std::vector<NameThreads> threads(names.size());
  std::vector<SlotName> padded;
  padded.reserve(names.size());
  for (const auto& name : names) padded.push_back(PaddedName(name));
  for (std::size_t slot = 1; slot < names.size(); ++slot) {
    std::size_t at = 0;  // slot index of the node being compared, 0-based
    while (true) {
      const bool smaller = std::memcmp(padded[slot].data(), padded[at].data(), kSlotNameSize) < 0;
      std::uint8_t& link = smaller ? threads[at].left : threads[at].right;
      if (link == 0) {
        link = static_cast<std::uint8_t>(slot + 1);
        threads[slot].parent = static_cast<std::uint8_t>(at + 1);
        break;
      }
      at = link - 1u;
    }
  }
  return threads;
}

std::vector<std::uint8_t> EncodeFileHeader(std::string_view table_name,
                                           const std::vector<WrittenTag>& tags,
                                           std::uint32_t page_count, platform::CalendarDate today) {
  std::vector<std::uint8_t> bytes(kTagTableEnd, 0);
  bytes[kVersionOffset] = kVersion;
  StoreShortDate(bytes, kCreationDateOffset, today);
  StoreText(bytes, kTableNameOffset, UpperAscii(table_name), kTableNameSize);
  platform::StoreU16(bytes, kPagesPerBlockOffset, kPagesPerBlock);
  platform::StoreU16(bytes, kBlockSizeOffset, kBlockSize);
  bytes[kProductionFlagOffset] = kProductionIndex;
  bytes[kSlotCountOffset] = kSlotCount;
  bytes[kSlotLengthOffset] = kSlotLength;
  platform::StoreU16(bytes, kTagsInUseOffset, static_cast<std::uint16_t>(tags.size()));
  bytes[kHeaderMarkOffset] = kHeaderMark;
  platform::StoreU32(bytes, kPageCountOffset, page_count);
  platform::StoreU32(bytes, kFirstFreePageOffset, 0);
  StoreShortDate(bytes, kUpdateDateOffset, today);

  bytes[kAnchorMarkOffset] = kAnchorMark;
  std::vector<std::string> names;
  names.reserve(tags.size());
  for (const auto& tag : tags) names.push_back(tag.name);
  const std::vector<NameThreads> threads = NameTreeThreads(names);
  for (std::size_t i = 0; i < tags.size(); ++i) {
    StoreSlot(std::span(bytes).subspan(kFirstSlotOffset + i * kSlotLength, kSlotLength), tags[i],
              threads[i]);
  }
  return bytes;
}

std::array<std::uint8_t, kBlockSize> EncodeTagHeader(const WrittenTag& tag) {
  std::array<std::uint8_t, kBlockSize> block{};
  platform::StoreU32(block, kTagRootPageOffset, tag.extent.root_page);
  platform::StoreU32(block, kTagPagesUsedOffset,
                     static_cast<std::uint32_t>(tag.extent.node_count * kPagesPerBlock));
  block[kTagKeyFormatOffset] = tag.key_format;
  block[kTagKeyTypeOffset] = static_cast<std::uint8_t>(tag.key_type);
  block[kTagMarkOffset] = kTagMark;
  platform::StoreU16(block, kTagKeyLengthOffset, static_cast<std::uint16_t>(tag.key_length));
  platform::StoreU16(block, kTagKeysPerNodeOffset,
                     static_cast<std::uint16_t>(KeysPerNode(tag.key_length)));
  platform::StoreU16(block, kTagDateKeyOffset, tag.key_type == KeyType::kDate ? 1 : 0);
  platform::StoreU16(block, kTagItemLengthOffset,
                     static_cast<std::uint16_t>(ItemLength(tag.key_length)));
  block[kTagVersionOffset] = kTagVersion;
  block[kTagUniqueOffset] = 0;
  StoreText(block, kTagExpressionOffset, tag.expression, kTagExpressionSize - 1);
  block[kTagForClauseOffset] = 0;
  block[kTagHasKeysOffset] = tag.has_keys ? 1 : 0;
  platform::StoreU32(block, kTagFirstNodeOffset, tag.extent.first_page);
  platform::StoreU32(block, kTagLastNodeOffset, tag.extent.root_page);
  return block;
}

}  // namespace konwerter::engine::mdx
