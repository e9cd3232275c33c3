#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "source/source_field.h"
#include "source/transliteration_map.h"

namespace konwerter::source {

// How text fields are delivered.
struct TextDelivery {
  const TransliterationMap* map = nullptr;  // nullptr: no transliteration
};

// What reading one record left behind: status 0 or 6, the conversion position, and for
// status 6 the record offset of the numeric field that did not convert.
struct RecordReadResult {
  std::int32_t status = kSourceOk;
  std::int32_t conversion_position = 0;
  std::uint32_t failed_offset = 0;
};

// The bound fields of `fields`, in table order, each with the bytes a read takes of it.
std::vector<BoundField> BoundFieldsOf(const std::vector<SourceField>& fields);

// Fills the destination of every bound field, in table order, from the bytes of one record.
// A numeric field that does not convert stops the read: its destination and those of the
// fields after it keep their values.
// REQUIRES: record holds at least every bound field's offset + length.
RecordReadResult ReadBoundFields(std::span<const std::uint8_t> record,
                                 std::span<const BoundField> fields, const TextDelivery& delivery);

}  // namespace konwerter::source
