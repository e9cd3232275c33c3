#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "target/engine/field.h"
#include "target/engine/key_expression.h"
#include "target/engine/production_index.h"

namespace konwerter::engine {

// One tag of an open table: its expression and the key of every record so far, kept as
// records are posted so that closing the table only has to sort them. Also answers
// FindKey from an order of record numbers sorted by key, built when first needed and
// dropped by any change of a key.
class TagKeys {
 public:
  TagKeys(TagDefinition definition, KeyExpression expression);

  const TagDefinition& definition() const { return definition_; }
  const KeyExpression& expression() const { return expression_; }
  // Records 1 ... count() have their keys here.
  std::uint32_t count() const { return count_; }

  // Evaluates and keeps the key of record `number`.
  // REQUIRES: number <= count() + 1; record laid out as the expression expects.
  void Store(std::uint32_t number, std::span<const std::uint8_t> record);
  // Forgets every key (the records will be keyed again from the start).
  void Clear();

  // The tag with its keys, for the production index writer.
  TagBuild Build() const;
  // The same, handing the keys over (the tag has none afterwards).
  TagBuild Release();

  // The first record, in key order and then record order, whose key equals `key`.
  // REQUIRES: key.size() == expression().key_length().
  std::optional<std::uint32_t> Find(std::span<const std::uint8_t> key);

 private:
  TagBuild Described() const;  // everything but the keys
  std::span<const std::uint8_t> KeyOf(std::uint32_t number) const;
  void SortRecords();

  TagDefinition definition_;
  KeyExpression expression_;
  std::size_t key_length_ = 0;
  std::uint32_t count_ = 0;
  std::vector<std::uint8_t> keys_;
  std::vector<std::uint8_t> scratch_;  // the new key of an edited record
  std::vector<std::uint32_t> order_;   // records by key; empty until a search needs it
  bool order_valid_ = false;
};

}  // namespace konwerter::engine
