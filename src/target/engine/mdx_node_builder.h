#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "target/engine/mdx_format.h"

namespace konwerter::engine::mdx {

// Builds one B-tree node of a production index tag: entries of a pointer (a record number
// in a leaf, a child page in an inner node) and a key, then the key count, the page of the
// node allocated before it and the pointer after the last entry.
class NodeBuilder {
 public:
  // REQUIRES: 1 <= key_length <= kMaxKeyLength.
  explicit NodeBuilder(std::size_t key_length);

  // Appends an entry.
  // REQUIRES: !full(); key.size() == key_length.
  void Add(std::uint32_t pointer, std::span<const std::uint8_t> key);

  // Completes the node: `previous_page` is the page of the tag's node allocated just before
  // this one (0 for the first), `last_pointer` is 0 for a leaf and the page of the
  // right-most child for an inner node. The bytes stay valid until the next Reset or Add.
  std::span<const std::uint8_t> Finish(std::uint32_t previous_page, std::uint32_t last_pointer);

  // Empties the node for the next one.
  void Reset();

  std::size_t count() const { return count_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return count_ == 0; }
  bool full() const { return count_ == capacity_; }
  // The key of the last entry. REQUIRES: !empty().
  std::span<const std::uint8_t> last_key() const;

 private:
  std::size_t ItemOffset(std::size_t index) const {
    return kNodeItemsOffset + index * item_length_;
  }

  std::size_t key_length_;
  std::size_t item_length_;
  std::size_t capacity_;
  std::size_t count_ = 0;
  std::array<std::uint8_t, kBlockSize> block_{};
};

}  // namespace konwerter::engine::mdx
