#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "source/source_tables.h"

namespace konwerter::source {

// Where a bound field's value goes: the caller's variable.
using FieldDestination = std::variant<std::string*, std::uint8_t*, std::uint16_t*, std::int32_t*,
                                      std::uint32_t*, double*, bool*>;

struct FieldBinding {
  BindingKind kind = BindingKind::kText;
  FieldDestination destination;
  std::size_t capacity = 0;  // text kinds: the most bytes the destination receives
};

// One field of an open table, as its descriptor stores it.
struct SourceField {
  std::string name;  // up to 10 bytes, as stored
  char type = 'C';   // not looked at: the binding kind alone decides how a field is read
  std::uint8_t width = 0;
  std::uint8_t decimals = 0;
  // Where the field's bytes lie in a record: from `offset` (1 for the first field, then the
  // running sum of the widths before it) for `width` bytes, cut at the record's end so that
  // a field list longer than the record never reads outside it.
  std::uint32_t offset = 0;
  std::uint32_t bytes_in_record = 0;
  std::optional<FieldBinding> binding;
};

// A bound field as a read takes it: the bytes it reads (for the text kinds cut to the
// destination's capacity), its kind and its destination. A table keeps these in table order,
// built again at every binding, so that a read visits bound fields only.
struct BoundField {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  BindingKind kind = BindingKind::kText;
  FieldDestination destination;
};

}  // namespace konwerter::source
