#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "target/engine/key_encoding.h"

namespace konwerter::engine::mdx {

// The records of a tag in index order: `keys` holds key_length bytes per record, record n
// (1-based) at (n - 1) * key_length. Keys are ordered by KeyOrder for `type` (collation for
// character keys, numeric order otherwise), equal keys by record number. Returns record
// numbers (1-based).
// REQUIRES: key_length >= 1; keys.size() is a multiple of key_length and the record count
// fits in 32 bits.
std::vector<std::uint32_t> SortedRecords(KeyType type, std::size_t key_length,
                                         std::span<const std::uint8_t> keys);

// Keys read in key order are scattered over memory; loops over them ask for the key this
// many steps ahead so that it is in the cache when its turn comes.
inline constexpr std::size_t kPrefetchDistance = 16;

// Starts loading a key into the cache (a hint: it has no other effect).
inline void PrefetchKey(std::span<const std::uint8_t> key) {
  __builtin_prefetch(key.data());
  __builtin_prefetch(key.data() + key.size() - 1);
}

}  // namespace konwerter::engine::mdx
