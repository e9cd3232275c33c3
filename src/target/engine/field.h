#pragma once

#include <string>

namespace konwerter::engine {

enum class FieldType : char {
  kCharacter = 'C',
  kNumeric = 'N',
  kDate = 'D',
  kLogical = 'L',
  kMemo = 'M',
};

// A field of a target table. Date, logical and memo fields always take their fixed widths
// (8, 1, 10) whatever width is asked for.
struct FieldDescriptor {
  std::string name;  // as given; the file stores it in upper case, at most 10 characters
  FieldType type = FieldType::kCharacter;
  int width = 1;
  int decimals = 0;

  friend bool operator==(const FieldDescriptor&, const FieldDescriptor&) = default;
};

// A tag of a table's production index.
struct TagDefinition {
  std::string name;        // upper case, at most 10 characters
  std::string expression;  // as written when the tag was added

  friend bool operator==(const TagDefinition&, const TagDefinition&) = default;
};

}  // namespace konwerter::engine
