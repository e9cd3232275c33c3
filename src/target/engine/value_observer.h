#pragma once

#include <string_view>

namespace konwerter::engine {

// What the engine changed of a value it was given to store.
enum class ValueAlteration {
  kNumberTooWide,  // the number does not fit its field after rounding: stored as "*" fill
  kTextCut,        // the text is longer than its field and non-blank text was cut off
};

// Told of every value a table stores otherwise than it was given: the table's .dbf (a
// program path), the field, the value given and the value stored. Texts are cp1250.
class ValueObserver {
 public:
  virtual ~ValueObserver() = default;
  virtual void OnAltered(std::string_view table_path, ValueAlteration alteration,
                         std::string_view field, std::string_view given,
                         std::string_view stored) = 0;
};

}  // namespace konwerter::engine
