#include "tools/dos/ntx_writer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "platform/little_endian.h"
#include "source/ntx_layout.h"
#include "tools/dos/block_writer.h"

namespace konwerter::tools {

namespace {

namespace ntx = source::ntx;

constexpr std::uint16_t kIndexVersion = 1;

// One item slot of a page being written.
struct PageItem {
  std::uint32_t child = 0;  // file offset of the child page; 0 = none
  std::uint32_t record = 0;
  std::string_view key;
};

std::uint16_t KeysPerPage(const NtxOptions& options) {
  const std::uint16_t fit = ntx::MaxKeysPerPage(options.key_size);
  if (options.max_keys_per_page == 0) return fit;
  if (options.max_keys_per_page < 2 || options.max_keys_per_page > fit) {
    throw std::invalid_argument("max_keys_per_page must lie in 2.." + std::to_string(fit));
  }
  return options.max_keys_per_page;
}

void CheckOptions(const NtxOptions& options) {
  if (options.key_size == 0 || options.key_size > ntx::kMaxKeySize) {
    throw std::invalid_argument("the key size of an index lies in 1..255");
  }
  if (options.expression.size() >= ntx::kExpressionSize) {
    throw std::invalid_argument("an index key expression has at most 255 bytes");
  }
}

// Pads every key with spaces to the key size and sorts the entries by key bytes (as
// unsigned values, which is how std::string compares), equal keys by record number.
void PrepareEntries(std::vector<NtxEntry>& entries, std::uint16_t key_size) {
  for (NtxEntry& entry : entries) {
    if (entry.key.size() > key_size) {
      throw std::invalid_argument("an index key is longer than the key size " +
                                  std::to_string(key_size));
    }
    if (entry.record == 0) throw std::invalid_argument("index record numbers start at 1");
    entry.key.resize(key_size, ' ');
  }
  std::sort(entries.begin(), entries.end(), [](const NtxEntry& a, const NtxEntry& b) {
    return a.key != b.key ? a.key < b.key : a.record < b.record;
  });
}

// Writes the tree bottom-up: every page is written once its children are, so the root
// comes last. A subtree of height h holds at most (m + 1)^h - 1 keys (m keys per page);
// its root takes the fewest keys that let its children hold the rest, and the rest is
// shared out evenly, which keeps every leaf at the same depth and no page empty.
class TreeWriter {
 public:
  TreeWriter(BlockWriter& out, const std::vector<NtxEntry>& entries, std::uint16_t key_size,
             std::uint16_t max_keys)
      : out_(out),
        entries_(entries),
        key_size_(key_size),
        max_keys_(max_keys),
        page_(ntx::kPageSize) {}

  // Writes every page; returns the file offset of the root.
  std::uint32_t Write() {
    if (entries_.empty()) return WritePage({}, 0);
    int height = 1;
    while (Capacity(height) < entries_.size()) ++height;
    return WriteSubtree(0, entries_.size(), height);
  }

 private:
  std::uint64_t Capacity(int height) const {
    std::uint64_t capacity = max_keys_;
    for (int level = 1; level < height; ++level) {
      if (capacity > std::numeric_limits<std::uint32_t>::max()) break;  // beyond any count
      capacity = capacity * (max_keys_ + 1) + max_keys_;
    }
    return capacity;
  }

  // REQUIRES: 2^height - 1 <= count <= Capacity(height).
  std::uint32_t WriteSubtree(std::size_t first, std::size_t count, int height) {
    std::vector<PageItem> items;
    if (height == 1) {
      for (std::size_t i = first; i < first + count; ++i) items.push_back(ItemOf(i, 0));
      return WritePage(items, 0);
    }
    const std::uint64_t child_capacity = Capacity(height - 1);
    const std::size_t children = static_cast<std::size_t>(
        std::max<std::uint64_t>(2, (count + 1 + child_capacity) / (child_capacity + 1)));
    const std::size_t below = count - (children - 1);
    std::size_t next = first;
    for (std::size_t child = 0; child < children; ++child) {
      const std::size_t size = below / children + (child < below % children ? 1 : 0);
      const std::uint32_t offset = WriteSubtree(next, size, height - 1);
      next += size;
      if (child + 1 == children) return WritePage(items, offset);
      items.push_back(ItemOf(next++, offset));
    }
    return 0;  // not reached: the last child returns above
  }

  PageItem ItemOf(std::size_t entry, std::uint32_t child) const {
    return {child, entries_[entry].record, entries_[entry].key};
  }

  // Appends one page; returns its file offset.
  std::uint32_t WritePage(const std::vector<PageItem>& items, std::uint32_t right_child) {
    std::fill(page_.begin(), page_.end(), std::uint8_t{0});
    platform::StoreU16(page_, ntx::kItemCountOffset, static_cast<std::uint16_t>(items.size()));
    for (std::size_t slot = 0; slot <= max_keys_; ++slot) {
      const std::size_t offset = ntx::SlotOffset(slot, max_keys_, key_size_);
      platform::StoreU16(page_, ntx::kSlotTableOffset + ntx::kSlotTableEntrySize * slot,
                         static_cast<std::uint16_t>(offset));
    }
    for (std::size_t slot = 0; slot < items.size(); ++slot) {
      const std::size_t offset = ntx::SlotOffset(slot, max_keys_, key_size_);
      platform::StoreU32(page_, offset + ntx::kSlotChildOffset, items[slot].child);
      platform::StoreU32(page_, offset + ntx::kSlotRecordOffset, items[slot].record);
      std::copy(items[slot].key.begin(), items[slot].key.end(),
                page_.begin() + static_cast<std::ptrdiff_t>(offset + ntx::kSlotKeyOffset));
    }
    const std::size_t last = ntx::SlotOffset(items.size(), max_keys_, key_size_);
    platform::StoreU32(page_, last + ntx::kSlotChildOffset, right_child);
    const auto page_offset = static_cast<std::uint32_t>(out_.size());
    out_.Append(page_);
    return page_offset;
  }

  BlockWriter& out_;
  const std::vector<NtxEntry>& entries_;
  const std::uint16_t key_size_;
  const std::uint16_t max_keys_;
  std::vector<std::uint8_t> page_;
};

std::vector<std::uint8_t> HeaderPage(const NtxOptions& options, std::uint16_t max_keys,
                                     std::uint32_t root) {
  std::vector<std::uint8_t> header(ntx::kPageSize, 0);
  platform::StoreU16(header, ntx::kSignatureOffset, ntx::kSignatureClipper5);
  platform::StoreU16(header, ntx::kVersionOffset, kIndexVersion);
  platform::StoreU32(header, ntx::kRootOffset, root);
  platform::StoreU32(header, ntx::kNextFreeOffset, 0);
  platform::StoreU16(header, ntx::kItemSizeOffset,
                     static_cast<std::uint16_t>(options.key_size + ntx::kItemOverhead));
  platform::StoreU16(header, ntx::kKeySizeOffset, options.key_size);
  platform::StoreU16(header, ntx::kKeyDecimalsOffset, 0);
  platform::StoreU16(header, ntx::kMaxItemsOffset, max_keys);
  platform::StoreU16(header, ntx::kHalfPageOffset, static_cast<std::uint16_t>(max_keys / 2));
  std::copy(options.expression.begin(), options.expression.end(),
            header.begin() + ntx::kExpressionOffset);
  header[ntx::kUniqueOffset] = 0;
  return header;
}

}  // namespace

void WriteNtx(const std::filesystem::path& path, const NtxOptions& options,
              std::vector<NtxEntry> entries) {
  CheckOptions(options);
  const std::uint16_t max_keys = KeysPerPage(options);
  PrepareEntries(entries, options.key_size);

  BlockWriter out(path);
  out.AppendFill(0, ntx::kPageSize);  // the header page, filled in once the root is known
  const std::uint32_t root = TreeWriter(out, entries, options.key_size, max_keys).Write();
  out.Patch(0, HeaderPage(options, max_keys, root));
  out.Close();
}

}  // namespace konwerter::tools
