#include "target/engine/mdx_key_sort.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace konwerter::engine::mdx {

namespace {

// A record as the sort moves it: the leading order of its key as two integers, which
// decide most of the order without touching the key, and its place.
struct SortEntry {
  std::uint64_t high;
  std::uint32_t low;
  std::uint32_t index;  // 0-based record
};

// The words are sorted by 11 bits at a time, least significant first: three digits of
// `low`, then six of `high`.
constexpr int kDigitBits = 11;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
constexpr int kLowDigits = 3;
constexpr int kDigits = kLowDigits + 6;

std::size_t DigitOf(const SortEntry& entry, int digit) {
  const std::uint64_t word = digit < kLowDigits ? entry.low : entry.high;
  const int shift = (digit < kLowDigits ? digit : digit - kLowDigits) * kDigitBits;
  return static_cast<std::size_t>(word >> shift) & (kBuckets - 1);
}

// Orders the entries by (high, low), keeping the order they came in among equal words (a
// stable radix sort): entries that come in record order stay in record order on ties.
void SortByWords(std::vector<SortEntry>& entries) {
  std::vector<std::array<std::uint32_t, kBuckets>> counts(kDigits);
  for (auto& count : counts) count.fill(0);
  for (const SortEntry& entry : entries) {
    for (int digit = 0; digit < kDigits; ++digit) {
      ++counts[static_cast<std::size_t>(digit)][DigitOf(entry, digit)];
    }
  }
  std::vector<SortEntry> moved(entries.size());
  for (int digit = 0; digit < kDigits; ++digit) {
    auto& count = counts[static_cast<std::size_t>(digit)];
    // A digit every entry shares leaves the order as it is.
    if (std::find(count.begin(), count.end(), static_cast<std::uint32_t>(entries.size())) !=
        count.end()) {
      continue;
    }
    std::uint32_t start = 0;
    for (std::uint32_t& bucket : count) start += std::exchange(bucket, start);
    for (const SortEntry& entry : entries) moved[count[DigitOf(entry, digit)]++] = entry;
    entries.swap(moved);
  }
}

// Puts right the runs of entries with equal words whose keys the words do not wholly
// order: such a run is in record order and is sorted by the keys (ties by record) unless
// it already is.
void OrderEqualWords(std::vector<SortEntry>& entries, const KeyOrder& order,
                     std::span<const std::uint8_t> keys, std::size_t key_length) {
  const auto key_of = [&](std::uint32_t index) {
    return keys.subspan(std::size_t{index} * key_length, key_length);
  };
  const auto in_order = [&](const SortEntry& a, const SortEntry& b) {
    const auto x = key_of(a.index);
    const auto y = key_of(b.index);
    // Equal keys are common (blank fields, repeated values): a byte compare settles them.
    if (std::memcmp(x.data(), y.data(), key_length) == 0) return a.index < b.index;
    const int compared = order.Compare(x, y);
    return compared != 0 ? compared < 0 : a.index < b.index;
  };
  const auto same_words = [&](std::size_t k) {
    return entries[k - 1].high == entries[k].high && entries[k - 1].low == entries[k].low;
  };
  std::size_t run = 0;
  bool sorted = true;
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    // Only keys within runs are read, all over memory: ask for them a few steps ahead.
    if (const std::size_t ahead = k + kPrefetchDistance;
        ahead < entries.size() && same_words(ahead)) {
      PrefetchKey(key_of(entries[ahead - 1].index));
      PrefetchKey(key_of(entries[ahead].index));
    }
    if (k < entries.size() && same_words(k)) {
      sorted = sorted && in_order(entries[k - 1], entries[k]);
      continue;
    }
    const auto begin = entries.begin() + static_cast<std::ptrdiff_t>(run);
    if (!sorted) std::sort(begin, entries.begin() + static_cast<std::ptrdiff_t>(k), in_order);
    run = k;
    sorted = true;
  }
}

}  // namespace

std::vector<std::uint32_t> SortedRecords(KeyType type, std::size_t key_length,
                                         std::span<const std::uint8_t> keys) {
  const std::size_t count = keys.size() / key_length;
  const KeyOrder order(type);
  std::vector<SortEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const KeyOrder::SortWords words = order.Words(keys.subspan(i * key_length, key_length));
    entries[i] = {words.high, words.low, static_cast<std::uint32_t>(i)};
  }
  SortByWords(entries);
  if (!order.words_are_whole()) OrderEqualWords(entries, order, keys, key_length);
  std::vector<std::uint32_t> records(count);
  std::transform(entries.begin(), entries.end(), records.begin(),
                 [](const SortEntry& entry) { return entry.index + 1; });
  return records;
}

}  // namespace konwerter::engine::mdx
