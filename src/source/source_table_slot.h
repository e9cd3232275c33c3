#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "source/field_reading.h"
#include "source/source_field.h"
#include "source/table_fault.h"

namespace konwerter::source {

// The header copy of an open table: what the reader takes of the first 12 bytes.
struct SourceTableHeader {
  std::uint32_t record_count = 0;
  std::uint16_t header_length = 0;
  std::uint16_t record_length = 0;
};

class SourceTableSlot;

// The outcome of opening a table: its status, and the table when the file could be read.
// A table whose first positioning failed (status 3) is open all the same.
// A file shorter than the header (status 3) or whose structure cannot be read (status 9)
// comes with what is wrong in `fault`; a table whose header counts more records than the
// file holds is opened with the whole records there are, and `short_table` says so.
struct OpenedTable {
  std::int32_t status = kSourceOk;
  std::unique_ptr<SourceTableSlot> table;
  TableFault fault;
  ShortTable short_table;
};

// One open DOS table: its file, header copy and field list, the current record, and the
// read-ahead buffer that holds a window of whole records around it.
class SourceTableSlot {
 public:
  // Opens the table file (a program path, used as given), reads its header and field
  // descriptors and goes to record 0. Status 2 when the file cannot be opened, 3 when it is
  // shorter than the header copy, 9 when the header does not agree with the file (header
  // length, field descriptors and their terminator, the header's end where dBase III
  // writers put it, record length against the widths, records where the header puts them).
  // The record count is cut to the whole records the file holds.
  static OpenedTable Open(std::string_view path);

  SourceTableSlot(platform::File file, SourceTableHeader header, std::vector<SourceField> fields);

  // Moves to record `record` (0-based) and makes sure the buffer holds it; returns the status.
  std::int32_t GoTo(std::int64_t record);
  std::int32_t Next() { return GoTo(static_cast<std::int64_t>(current_) + 1); }
  // Replaces the buffer by one of (bytes / record length) records and reloads it from the
  // current record; nullopt (nothing done) when that is no whole record.
  std::optional<std::int32_t> SetReadAhead(std::uint32_t bytes);
  // Fills the bound destinations from the current record; status 5 past the end.
  RecordReadResult Read(const TextDelivery& delivery);

  // Closes the file now; false when the system reports a failure.
  bool CloseFile() { return file_.Close(); }
  const std::filesystem::path& file_path() const { return file_.path(); }

  // Binds the first field whose stored name is `name`, letters compared regardless of case
  // as dBase and Clipper compare them (a field bound again takes the new binding); false
  // when there is no such field.
  bool Bind(std::string_view name, FieldBinding binding);
  // The first field whose stored name is `name`, compared as Bind compares it; nullptr when
  // there is none.
  const SourceField* FieldNamed(std::string_view name) const;

  const SourceTableHeader& header() const { return header_; }
  const std::vector<SourceField>& fields() const { return fields_; }
  bool at_end() const { return at_end_; }
  std::int32_t current_record() const { return current_; }
  // The bytes of the current record as the buffer holds them (deletion flag included).
  std::span<const std::uint8_t> CurrentRecordBytes() const;

 private:
  std::uint64_t RecordOffset(std::int32_t record) const;
  // Reloads the buffer from the current record on, as far as the table's last record;
  // false when less than one record arrived (the rest of the record then holds spaces).
  bool Refill();

  platform::File file_;
  SourceTableHeader header_;
  std::vector<SourceField> fields_;
  std::vector<BoundField> bound_;  // the bound fields of fields_, as reads take them
  std::vector<std::uint8_t> buffer_;
  std::uint16_t capacity_ = 1;  // whole records the buffer holds
  std::int32_t position_ = -1;  // of the current record in the buffer; -1: no usable window
  std::int32_t current_ = 0;
  bool at_end_ = false;
};

}  // namespace konwerter::source
