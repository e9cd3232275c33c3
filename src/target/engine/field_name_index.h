#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "target/engine/field.h"

namespace konwerter::engine {

// Finds a field by name, ASCII letters compared ignoring case, in a few nanoseconds: the
// converters name a field for every value they set. A name is folded to upper case as two
// 64-bit words with a handful of word operations, and the table of slots is sized and
// seeded so that the fields' names seldom share a slot: a look-up is one fold, one hash
// and, nearly always, one slot compared.
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
    std::uint64_t size = 0;

    friend bool operator==(const Folded&, const Folded&) = default;
  };
  struct Slot {
    Folded name;
    int field = -1;  // -1: empty
  };
  // False for a name too long to be a field's.
  static bool Fold(std::string_view name, Folded& folded);
  std::size_t SlotOf(const Folded& folded) const;
  // Fills a table of `size` slots (a power of two) with the names, using seed_; returns
  // how many names did not get the slot they hash to.
  std::size_t Place(const std::vector<Folded>& names, const std::vector<int>& fields,
                    std::size_t size);

  std::uint64_t seed_ = 0;
  std::vector<Slot> slots_;  // open addressing, linear probing
};

}  // namespace konwerter::engine
