#include "target/engine/mdx_node_builder.h"

#include <algorithm>

#include "platform/little_endian.h"

namespace konwerter::engine::mdx {

NodeBuilder::NodeBuilder(std::size_t key_length)
    : key_length_(key_length),
      item_length_(ItemLength(key_length)),
      capacity_(KeysPerNode(key_length)) {}

void NodeBuilder::Add(std::uint32_t pointer, std::span<const std::uint8_t> key) {
  const std::size_t offset = ItemOffset(count_);
  platform::StoreU32(block_, offset, pointer);
  std::copy(key.begin(), key.end(),
            block_.begin() + static_cast<std::ptrdiff_t>(offset + kItemPointerSize));
  ++count_;
}

std::span<const std::uint8_t> NodeBuilder::Finish(std::uint32_t previous_page,
                                                  std::uint32_t last_pointer) {
  platform::StoreU32(block_, kNodeKeyCountOffset, static_cast<std::uint32_t>(count_));
  platform::StoreU32(block_, kNodePreviousOffset, previous_page);
  platform::StoreU32(block_, ItemOffset(count_), last_pointer);
  return block_;
}

void NodeBuilder::Reset() {
  block_.fill(0);
  count_ = 0;
}

std::span<const std::uint8_t> NodeBuilder::last_key() const {
  return std::span<const std::uint8_t>(block_).subspan(ItemOffset(count_ - 1) + kItemPointerSize,
                                                       key_length_);
}

}  // namespace konwerter::engine::mdx
