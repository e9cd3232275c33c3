#include "source/ntx_tree_check.h"

#include <cstring>
#include <optional>
#include <span>
#include <unordered_set>

#include "platform/little_endian.h"
#include "source/ntx_layout.h"

namespace konwerter::source {

namespace {

using Key = std::span<const std::uint8_t>;

// The keys a subtree's keys must lie between (inclusive): those of the slots around the
// subtree's child link in the page above; none at the tree's edges.
struct KeyBounds {
  std::optional<Key> lower;
  std::optional<Key> upper;
};

class TreeCheck {
 public:
  TreeCheck(platform::File& file, std::uint16_t key_size, std::uint32_t table_records)
      : file_(file), key_size_(key_size), table_records_(table_records) {}

  IndexFault Page(const IndexPage& page, std::uint32_t offset, int depth, KeyBounds bounds) {
    visited_.insert(offset);
    if (!page.ordered) return {IndexFaultKind::kPageDamaged, offset};
    const std::size_t count = platform::LoadU16(page.bytes, ntx::kItemCountOffset);
    std::optional<Key> previous = bounds.lower;
    for (std::size_t slot = 1; slot <= count + 1; ++slot) {
      const std::span<const std::uint8_t> item = Slot(page, slot);
      const bool keyed = slot <= count;
      const std::optional<Key> key =
          keyed ? std::optional<Key>(item.subspan(ntx::kSlotKeyOffset, key_size_)) : bounds.upper;
      if (keyed) {
        const std::uint32_t record = platform::LoadU32(item, ntx::kSlotRecordOffset);
        if (record == 0 || record > table_records_) {
          return {IndexFaultKind::kRecordOutside, record, table_records_};
        }
        if (!Within(*key, bounds)) return {IndexFaultKind::kTreeOutOfOrder, offset};
      }
      const std::uint32_t child = platform::LoadU32(item, ntx::kSlotChildOffset);
      if (child != 0) {
        if (IndexFault fault = Child(child, depth + 1, {previous, key})) return fault;
      }
      previous = key;
    }
    return {};
  }

 private:
  IndexFault Child(std::uint32_t offset, int depth, KeyBounds bounds) {
    if (visited_.contains(offset) || depth > ntx::kMaxDepth) {
      return {IndexFaultKind::kTreeLoops, offset};
    }
    IndexPage page;
    if (offset % ntx::kPageSize != 0 || !page.Load(file_, offset, key_size_)) {
      return {IndexFaultKind::kPageUnreadable, offset};
    }
    return Page(page, offset, depth, bounds);
  }

  // Item slot `slot` (1-based) of a page whose slots are known to lie inside it.
  std::span<const std::uint8_t> Slot(const IndexPage& page, std::size_t slot) const {
    const std::size_t at = platform::LoadU16(
        page.bytes, ntx::kSlotTableOffset + (slot - 1) * ntx::kSlotTableEntrySize);
    return std::span(page.bytes).subspan(at);
  }

  bool Within(Key key, const KeyBounds& bounds) const {
    if (bounds.lower && std::memcmp(bounds.lower->data(), key.data(), key_size_) > 0) return false;
    return !bounds.upper || std::memcmp(key.data(), bounds.upper->data(), key_size_) <= 0;
  }

  platform::File& file_;
  const std::uint16_t key_size_;
  const std::uint32_t table_records_;
  std::unordered_set<std::uint32_t> visited_;
};

}  // namespace

IndexFault CheckIndexTree(platform::File& file, const IndexPage& root, std::uint32_t root_offset,
                          std::uint16_t key_size, std::uint32_t table_records) {
  return TreeCheck(file, key_size, table_records).Page(root, root_offset, 1, {});
}

}  // namespace konwerter::source
