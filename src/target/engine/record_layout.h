#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "target/engine/field.h"
#include "target/engine/field_name_index.h"

namespace konwerter::engine {

// The fields of a table and where each sits in a record: byte 0 is the deletion flag, the
// fields follow in order without separators.
class RecordLayout {
 public:
  RecordLayout() = default;
  // REQUIRES: every width is at least 1.
  explicit RecordLayout(std::vector<FieldDescriptor> fields);

  const std::vector<FieldDescriptor>& fields() const { return fields_; }
  const FieldDescriptor& field(int index) const { return fields_[static_cast<std::size_t>(index)]; }
  std::size_t offset(int index) const { return offsets_[static_cast<std::size_t>(index)]; }
  std::size_t width(int index) const { return static_cast<std::size_t>(field(index).width); }
  std::size_t record_length() const { return record_length_; }
  int field_count() const { return static_cast<int>(fields_.size()); }

  // Position of the field named `name` (ASCII letters compared ignoring case; the first
  // of equal names); -1 if none.
  int Find(std::string_view name) const { return names_.Find(name); }

  // The bytes of one field within a record.
  // REQUIRES: record.size() == record_length().
  std::span<const std::uint8_t> Bytes(std::span<const std::uint8_t> record, int index) const {
    return record.subspan(offset(index), width(index));
  }
  std::span<std::uint8_t> Bytes(std::span<std::uint8_t> record, int index) const {
    return record.subspan(offset(index), width(index));
  }

 private:
  std::vector<FieldDescriptor> fields_;
  std::vector<std::size_t> offsets_;
  std::size_t record_length_ = 1;
  FieldNameIndex names_;
};

// ASCII letters compared ignoring case (field and tag names).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view text);

}  // namespace konwerter::engine
