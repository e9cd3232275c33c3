#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "target/engine/mdx_node_builder.h"
#include "target/engine/mdx_page_writer.h"

namespace konwerter::engine::mdx {

// Where a finished tag's nodes lie: consecutive blocks from first_page to root_page.
struct TagExtent {
  std::uint32_t first_page = 0;  // the first leaf
  std::uint32_t root_page = 0;   // the root, allocated last
  std::uint32_t node_count = 0;
};

// Builds the B-tree of one tag from keys added in index order: leaves are filled left to
// right (each full but the last) and written as they fill; Finish writes the last leaf and
// then each level above, built from groups of up to keys-per-node + 1 children whose
// separators are the last keys of every child but the last. The root comes last.
class TagBuilder {
 public:
  // Nodes are appended to `pages`, the first at its next page.
  // REQUIRES: 1 <= key_length <= kMaxKeyLength.
  TagBuilder(std::size_t key_length, PageWriter& pages);

  // Adds the key of record `record` (1-based).
  // REQUIRES: keys come in index order; key.size() == key_length; Finish not called yet.
  void Add(std::span<const std::uint8_t> key, std::uint32_t record);

  // Writes the rest of the tree; a tag without keys gets one empty leaf as its root.
  // REQUIRES: called once. Throws platform::IoError on a write failure.
  TagExtent Finish();

 private:
  // The nodes of one level as their parents see them: page and last key of each.
  struct Level {
    std::vector<std::uint32_t> pages;
    std::vector<std::uint8_t> last_keys;  // key_length bytes per node
  };

  // Writes the node being built (0 or the right-most child after its entries) and records
  // its page and `last_key` in `level`.
  void WriteNode(std::uint32_t last_pointer, std::span<const std::uint8_t> last_key, Level& level);
  void WriteLeaf();
  // Builds the level above `children`.
  Level BuildParents(const Level& children);
  std::span<const std::uint8_t> KeyOf(const Level& level, std::size_t index) const;

  std::size_t key_length_;
  PageWriter& pages_;
  NodeBuilder node_;
  Level leaves_;
  std::uint32_t first_page_ = 0;
  std::uint32_t previous_page_ = 0;
  std::uint32_t node_count_ = 0;
};

// How many children each node of the level above `child_count` children takes, left to
// right: groups of `fan_out`, except that a last group of one borrows a child from the
// group before it so that no inner node is left without a key.
// REQUIRES: child_count >= 2, fan_out >= 3.
std::vector<std::size_t> ParentGroupSizes(std::size_t child_count, std::size_t fan_out);

}  // namespace konwerter::engine::mdx
