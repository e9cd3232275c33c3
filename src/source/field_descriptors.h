#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/file.h"
#include "source/source_field.h"
#include "source/source_table_slot.h"

namespace konwerter::source {

// The header copy from the first 12 bytes of a table file.
SourceTableHeader ParseHeaderCopy(std::span<const std::uint8_t> bytes);

// Reads the descriptors of fields 1 to (header length / 32 - 1), in table order, with their
// offsets in the record. Nothing when the file ends inside them.
std::optional<std::vector<SourceField>> ReadFieldDescriptors(platform::File& file,
                                                             const SourceTableHeader& header);

}  // namespace konwerter::source
