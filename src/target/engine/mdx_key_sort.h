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

}  // namespace konwerter::engine::mdx
