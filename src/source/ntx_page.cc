#include "source/ntx_page.h"

#include <cstring>

#include "source/little_endian.h"
#include "source/ntx_layout.h"

namespace konwerter::source {

namespace {

// The offset in the page of item slot i (1-based); nullopt when it lies outside the page
// or leaves no room for the slot's `size` bytes.
std::optional<std::size_t> SlotOffset(std::span<const std::uint8_t> page, std::size_t i,
                                      std::size_t size) {
  const std::size_t entry = ntx::kSlotOffsetsStart + (i - 1) * ntx::kSlotOffsetSize;
  if (entry + ntx::kSlotOffsetSize > page.size()) return std::nullopt;
  const std::size_t offset = GetU16(page, entry);
  if (offset + size > page.size()) return std::nullopt;
  return offset;
}

}  // namespace

std::optional<PageStep> FindInPage(std::span<const std::uint8_t> page,
                                   std::span<const std::uint8_t> key) {
  const std::size_t count = GetU16(page, ntx::kItemCountField);
  const std::size_t keyed_slot_size = ntx::kSlotKeyField + key.size();
  for (std::size_t i = 1; i <= count + 1; ++i) {
    const bool keyed = i <= count;
    const auto offset = SlotOffset(page, i, keyed ? keyed_slot_size : ntx::kSlotKeyField);
    if (!offset) return std::nullopt;
    const auto slot = page.subspan(*offset);
    // Keys compare as unsigned bytes; the slot after the last key sorts above every key.
    const int order =
        keyed ? std::memcmp(slot.data() + ntx::kSlotKeyField, key.data(), key.size()) : 1;
    if (order >= 0) {
      return PageStep{GetU32(slot, ntx::kSlotChildField), GetU32(slot, ntx::kSlotRecordField),
                      order == 0};
    }
  }
  return std::nullopt;  // not reached: slot N + 1 always ends the search
}

}  // namespace konwerter::source
