#include "target/engine/tag_keys.h"

#include <algorithm>
#include <utility>

#include "target/engine/mdx_key_sort.h"

namespace konwerter::engine {

TagKeys::TagKeys(TagDefinition definition, KeyExpression expression)
    : definition_(std::move(definition)),
      expression_(std::move(expression)),
      key_length_(expression_.key_length()) {}

void TagKeys::Store(std::uint32_t number, std::span<const std::uint8_t> record) {
  if (number > count_) {
    keys_.resize(keys_.size() + key_length_);
    count_ = number;
    expression_.Evaluate(record, std::span<std::uint8_t>(keys_).subspan(
                                     std::size_t{number - 1} * key_length_, key_length_));
    order_valid_ = false;
    return;
  }
  // An edit that leaves the key as it was keeps the search order: finding a record by key
  // and changing its other fields is the usual way of editing.
  scratch_.resize(key_length_);
  expression_.Evaluate(record, scratch_);
  const auto key =
      std::span<std::uint8_t>(keys_).subspan(std::size_t{number - 1} * key_length_, key_length_);
  if (!std::equal(scratch_.begin(), scratch_.end(), key.begin())) {
    std::copy(scratch_.begin(), scratch_.end(), key.begin());
    order_valid_ = false;
  }
}

void TagKeys::Clear() {
  keys_.clear();
  keys_.shrink_to_fit();
  count_ = 0;
  order_.clear();
  order_valid_ = false;
}

TagBuild TagKeys::Described() const {
  TagBuild build;
  build.definition = definition_;
  build.key_type = expression_.key_type();
  build.key_format = expression_.key_format();
  build.key_length = key_length_;
  return build;
}

TagBuild TagKeys::Build() const {
  TagBuild build = Described();
  build.keys = keys_;
  return build;
}

TagBuild TagKeys::Release() {
  TagBuild build = Described();
  build.keys = std::move(keys_);
  Clear();
  return build;
}

std::span<const std::uint8_t> TagKeys::KeyOf(std::uint32_t number) const {
  return std::span<const std::uint8_t>(keys_).subspan(std::size_t{number - 1} * key_length_,
                                                      key_length_);
}

void TagKeys::SortRecords() {
  order_ = mdx::SortedRecords(expression_.key_type(), key_length_, keys_);
  order_valid_ = true;
}

std::optional<std::uint32_t> TagKeys::Find(std::span<const std::uint8_t> key) {
  if (!order_valid_) SortRecords();
  const KeyOrder order(expression_.key_type());
  const auto found = std::partition_point(order_.begin(), order_.end(), [&](std::uint32_t record) {
    return order.Compare(KeyOf(record), key) < 0;
  });
  if (found == order_.end() || order.Compare(KeyOf(*found), key) != 0) return std::nullopt;
  return *found;
}

}  // namespace konwerter::engine
