#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "target/engine/record_layout.h"

namespace konwerter::verification {

// The number an identifier stands for: exactly `width` upper-case hexadecimal digits, as
// the sequences write them; nullopt for any other text.
std::optional<std::uint32_t> IdentifierNumber(std::string_view text, int width);

// Identifiers by their number and the record that holds each: in a slot per number below
// a limit (the sequence's next value, below which identifiers are dense) and a map above.
class IdentifierSet {
 public:
  explicit IdentifierSet(std::uint64_t dense_limit) : dense_(dense_limit, 0) {}

  // Holds the number for `record` unless it is held already; returns the record that held
  // it before, 0 when none did. REQUIRES: record >= 1.
  std::uint32_t Insert(std::uint32_t number, std::uint32_t record);
  bool Contains(std::uint32_t number) const {
    return number < dense_.size() ? dense_[number] != 0 : sparse_.contains(number);
  }

 private:
  std::vector<std::uint32_t> dense_;  // record numbers; 0: not held
  std::unordered_map<std::uint32_t, std::uint32_t> sparse_;
};

// One field, or several joined by "+", of every record of a table as references compare
// them: each part without the spaces around it, parts joined by a separator.
class KeyFields {
 public:
  // Fields that the layout lacks leave the key invalid.
  KeyFields(const engine::RecordLayout& layout, std::string_view fields);

  bool valid() const { return valid_; }
  // The key of one record; empty when any part is blank (the record names no record).
  // The text lives in the record (one field) or in `out` until its next use.
  std::string_view Of(std::span<const std::uint8_t> record, std::string& out) const;

 private:
  struct Part {
    std::size_t offset = 0;
    std::size_t width = 0;
  };
  std::vector<Part> parts_;
  bool valid_ = true;
};

// The keys of a table that is referred to by text (price lists, price positions, map
// kinds), not by sequence numbers.
class TextKeySet {
 public:
  void Insert(std::string_view key) { keys_.emplace(key); }
  bool Contains(const std::string& key) const { return keys_.contains(key); }

 private:
  std::unordered_set<std::string> keys_;
};

}  // namespace konwerter::verification
