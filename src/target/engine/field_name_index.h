#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "target/engine/field.h"

namespace konwerter::engine {

// Finds a field by name, ASCII letters compared ignoring case, in a few nanoseconds: the
// converters name a field for every value they set. Names are folded to upper case into
// 16 bytes once, so a look-up is one fold, one hash and two 64-bit comparisons.
class FieldNameIndex {
 public:
  FieldNameIndex() = default;
  explicit FieldNameIndex(const std::vector<FieldDescriptor>& fields);

  // Position of the first field named `name`; -1 if none.
  int Find(std::string_view name) const;

 private:
  struct Folded {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::size_t size = 0;

    friend bool operator==(const Folded&, const Folded&) = default;
  };
  // False for a name too long to be a field's.
  static bool Fold(std::string_view name, Folded& folded);
  std::size_t SlotOf(const Folded& folded) const;

  std::vector<Folded> names_;
  std::vector<int> slots_;  // open addressing: field position + 1, 0 for empty
};

}  // namespace konwerter::engine
