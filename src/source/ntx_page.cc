#include "source/ntx_page.h"

#include <cstring>

#include "platform/little_endian.h"
#include "source/ntx_layout.h"

namespace konwerter::source {

namespace {

// The offset in the page of item slot i (1-based); nullopt when it lies outside the page
// or leaves no room for the slot's `size` bytes.
std::optional<std::size_t> SlotOffset(std::span<const std::uint8_t> page, std::size_t i,
                                      std::size_t size) {
  const std::size_t entry = ntx::kSlotTableOffset + (i - 1) * ntx::kSlotTableEntrySize;
  if (entry + ntx::kSlotTableEntrySize > page.size()) return std::nullopt;
  const std::size_t offset = platform::LoadU16(page, entry);
  if (offset + size > page.size()) return std::nullopt;
  return offset;
}

// The slot offset of item i in a page whose slots are known to lie inside it.
std::size_t KnownSlotOffset(std::span<const std::uint8_t> page, std::size_t i) {
  return platform::LoadU16(page, ntx::kSlotTableOffset + (i - 1) * ntx::kSlotTableEntrySize);
}

PageStep StepAt(std::span<const std::uint8_t> slot, bool equal) {
  return {platform::LoadU32(slot, ntx::kSlotChildOffset),
          platform::LoadU32(slot, ntx::kSlotRecordOffset), equal};
}

}  // namespace

std::optional<PageStep> FindInPage(std::span<const std::uint8_t> page,
                                   std::span<const std::uint8_t> key) {
  const std::size_t count = platform::LoadU16(page, ntx::kItemCountOffset);
  const std::size_t keyed_slot_size = ntx::kSlotKeyOffset + key.size();
  for (std::size_t i = 1; i <= count + 1; ++i) {
    const bool keyed = i <= count;
    const auto offset = SlotOffset(page, i, keyed ? keyed_slot_size : ntx::kSlotKeyOffset);
    if (!offset) return std::nullopt;
    const auto slot = page.subspan(*offset);
    // Keys compare as unsigned bytes; the slot after the last key sorts above every key.
    const int order =
        keyed ? std::memcmp(slot.data() + ntx::kSlotKeyOffset, key.data(), key.size()) : 1;
    if (order >= 0) return StepAt(slot, order == 0);
  }
  return std::nullopt;  // not reached: slot N + 1 always ends the search
}

bool IsOrderedPage(std::span<const std::uint8_t> page, std::size_t key_size) {
  const std::size_t count = platform::LoadU16(page, ntx::kItemCountOffset);
  const std::uint8_t* previous = nullptr;
  for (std::size_t i = 1; i <= count + 1; ++i) {
    const bool keyed = i <= count;
    const auto offset = SlotOffset(page, i, ntx::kSlotKeyOffset + (keyed ? key_size : 0));
    if (!offset) return false;
    if (!keyed) break;
    const std::uint8_t* key = page.data() + *offset + ntx::kSlotKeyOffset;
    if (previous != nullptr && std::memcmp(previous, key, key_size) > 0) return false;
    previous = key;
  }
  return true;
}

PageStep FindInOrderedPage(std::span<const std::uint8_t> page, std::span<const std::uint8_t> key) {
  // The first key slot whose key is not below `key`; slot N + 1 when there is none.
  std::size_t low = 1;
  std::size_t high = std::size_t{platform::LoadU16(page, ntx::kItemCountOffset)} + 1;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const std::uint8_t* stored = page.data() + KnownSlotOffset(page, middle) + ntx::kSlotKeyOffset;
    if (std::memcmp(stored, key.data(), key.size()) < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  const auto slot = page.subspan(KnownSlotOffset(page, low));
  const bool keyed = low <= platform::LoadU16(page, ntx::kItemCountOffset);
  return StepAt(
      slot, keyed && std::memcmp(slot.data() + ntx::kSlotKeyOffset, key.data(), key.size()) == 0);
}

}  // namespace konwerter::source
