#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar_date.h"
#include "target/engine/field.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine {

// What the header of a .dbf says, after checking it against the file.
struct DbfHeader {
  std::uint8_t version = 0;
  std::uint32_t record_count = 0;
  std::size_t header_length = 0;
  bool production_index = false;
  std::uint8_t language_driver = 0;
  RecordLayout layout;
};

// Header length a table file declares in its first 32 bytes (so the caller knows how much
// to read). Throws EngineError kOther, naming `table`, when the file is shorter than that
// or shorter than 32 bytes.
std::size_t DeclaredHeaderLength(std::span<const std::uint8_t> first_bytes, std::uint64_t file_size,
                                 std::string_view table);

// Parses the header and field descriptors of a table of `file_size` bytes and checks every
// size before it is used: header length within the file, the field list within the header,
// the record length equal to the fields' widths, the records within the file. Throws
// EngineError kOther naming `table` for a damaged or unsupported header.
// REQUIRES: header.size() == DeclaredHeaderLength(...).
DbfHeader ParseDbfHeader(std::span<const std::uint8_t> header, std::uint64_t file_size,
                         std::string_view table);

// Checks a field list for a new table and gives it as stored: names upper case (1-10
// characters, unique), date, logical and memo fields at their fixed widths, decimals only
// for numeric fields. Throws EngineError kOther naming `table` for a field the table cannot
// hold.
std::vector<FieldDescriptor> NormalizeFields(std::span<const FieldDescriptor> fields,
                                             std::string_view table);

// The header of a new table: version, date, the fields, the terminator; no index yet.
// REQUIRES: `layout` holds normalized fields.
std::vector<std::uint8_t> EncodeDbfHeader(const RecordLayout& layout, std::uint32_t record_count,
                                          platform::CalendarDate today);

// The three date bytes of a .dbf header (year - 1900, month, day).
void StoreDbfDate(std::span<std::uint8_t> bytes, std::size_t offset, platform::CalendarDate date);

}  // namespace konwerter::engine
