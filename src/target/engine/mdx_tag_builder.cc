#include "target/engine/mdx_tag_builder.h"

#include <utility>

namespace konwerter::engine::mdx {

TagBuilder::TagBuilder(std::size_t key_length, PageWriter& pages)
    : key_length_(key_length), pages_(pages), node_(key_length) {}

void TagBuilder::Add(std::span<const std::uint8_t> key, std::uint32_t record) {
  if (node_.full()) WriteLeaf();
  node_.Add(record, key);
}

TagExtent TagBuilder::Finish() {
  if (!node_.empty() || leaves_.pages.empty()) WriteLeaf();
  Level level = std::move(leaves_);
  while (level.pages.size() > 1) level = BuildParents(level);
  return {first_page_, level.pages.front(), node_count_};
}

void TagBuilder::WriteLeaf() {
  if (node_.empty()) {
    const std::vector<std::uint8_t> no_key(key_length_, 0);  // the empty root of an empty tag
    WriteNode(0, no_key, leaves_);
  } else {
    WriteNode(0, node_.last_key(), leaves_);
  }
}

void TagBuilder::WriteNode(std::uint32_t last_pointer, std::span<const std::uint8_t> last_key,
                           Level& level) {
  level.last_keys.insert(level.last_keys.end(), last_key.begin(), last_key.end());
  const std::uint32_t page = pages_.Append(node_.Finish(previous_page_, last_pointer));
  if (node_count_ == 0) first_page_ = page;
  ++node_count_;
  previous_page_ = page;
  level.pages.push_back(page);
  node_.Reset();
}

TagBuilder::Level TagBuilder::BuildParents(const Level& children) {
  Level parents;
  std::size_t child = 0;
  for (const std::size_t group : ParentGroupSizes(children.pages.size(), node_.capacity() + 1)) {
    for (std::size_t i = 0; i + 1 < group; ++i, ++child) {
      node_.Add(children.pages[child], KeyOf(children, child));
    }
    // The right-most child has no entry of its own; its last key is the parent's last key.
    WriteNode(children.pages[child], KeyOf(children, child), parents);
    ++child;
  }
  return parents;
}

std::span<const std::uint8_t> TagBuilder::KeyOf(const Level& level, std::size_t index) const {
  return std::span<const std::uint8_t>(level.last_keys).subspan(index * key_length_, key_length_);
}

std::vector<std::size_t> ParentGroupSizes(std::size_t child_count, std::size_t fan_out) {
  std::vector<std::size_t> sizes(child_count / fan_out, fan_out);
  const std::size_t rest = child_count % fan_out;
  if (rest > 0) sizes.push_back(rest);
  if (sizes.size() > 1 && sizes.back() == 1) {
    --sizes[sizes.size() - 2];
    ++sizes.back();
  }
  return sizes;
}

}  // namespace konwerter::engine::mdx
