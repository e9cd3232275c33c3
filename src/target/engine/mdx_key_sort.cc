#include "target/engine/mdx_key_sort.h"

#include <algorithm>
#include <cstring>

namespace konwerter::engine::mdx {

namespace {

// A record as the sort moves it: the leading order of its key as two integers, which
// decide most comparisons without touching the key, and its place.
struct SortEntry {
  std::uint64_t high;
  std::uint32_t low;
  std::uint32_t index;  // 0-based record
};

}  // namespace

std::vector<std::uint32_t> SortedRecords(KeyType type, std::size_t key_length,
                                         std::span<const std::uint8_t> keys) {
  const std::size_t count = keys.size() / key_length;
  KeyOrder order(type);
  const auto key_of = [&](std::uint32_t index) {
    return keys.subspan(std::size_t{index} * key_length, key_length);
  };
  std::vector<SortEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto index = static_cast<std::uint32_t>(i);
    const KeyOrder::SortWords words = order.Words(key_of(index));
    entries[i] = {words.high, words.low, index};
  }
  const bool whole = order.words_are_whole();
  std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    if (whole) return a.index < b.index;
    const auto x = key_of(a.index);
    const auto y = key_of(b.index);
    // Equal keys are common (blank fields, repeated values): a byte compare settles them.
    if (std::memcmp(x.data(), y.data(), key_length) == 0) return a.index < b.index;
    const int compared = order.Compare(x, y);
    return compared != 0 ? compared < 0 : a.index < b.index;
  });
  std::vector<std::uint32_t> records(count);
  std::transform(entries.begin(), entries.end(), records.begin(),
                 [](const SortEntry& entry) { return entry.index + 1; });
  return records;
}

}  // namespace konwerter::engine::mdx
