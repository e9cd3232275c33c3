#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/calendar_date.h"
#include "platform/file.h"
#include "target/engine/field.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine {

// The .dbf file of an open table: its checked header and its records. Appended records
// collect in a buffer of about a megabyte and go to the file in one write; reads go
// through a cache of consecutive records. The file closes with the object; only Finish
// writes the header back.
class DbfFile {
 public:
  // Opens an existing table file (program path) and checks its header against the file.
  // Throws EngineError kNoSuchTable when it cannot be opened, kOther when it is damaged.
  // `display` names the table in messages (UTF-8).
  static DbfFile Open(const std::string& path, std::string display);
  // Creates (or empties) the file with a new header for `layout` and no records.
  // REQUIRES: `layout` holds normalized fields. Throws platform::IoError when it cannot.
  static DbfFile Create(const std::string& path, std::string display, RecordLayout layout,
                        platform::CalendarDate today);

  // Whether the table file at `path` declares a production index; false when it cannot be
  // read.
  static bool DeclaresProductionIndex(const std::string& path);

  DbfFile(DbfFile&&) noexcept = default;
  DbfFile& operator=(DbfFile&&) noexcept = default;

  const RecordLayout& layout() const { return layout_; }
  std::uint32_t record_count() const { return record_count_; }
  // Whether the header declares a production index (byte 28).
  bool declares_production_index() const;
  const std::string& display() const { return display_; }

  // The record `number` (1-based). The bytes stay valid until the next call on this object.
  // REQUIRES: 1 <= number <= record_count(). Throws EngineError kOther when the file has
  // become shorter than its header said.
  std::span<const std::uint8_t> Read(std::uint32_t number);
  // Adds a record at the end. REQUIRES: record.size() == layout().record_length().
  void Append(std::span<const std::uint8_t> record);
  // Starts a record at the end, in place in the append buffer so that it is not copied
  // again: a copy of `blank`, returned to be filled. It is not part of the table until
  // CommitAppend; a record started and not committed is dropped by the next StartAppend
  // and never written. The bytes stay valid until the next StartAppend, Append or Finish.
  // REQUIRES: blank.size() == layout().record_length(). Throws EngineError kOther when the
  // table cannot take another record, platform::IoError when buffered records cannot be
  // written.
  std::span<std::uint8_t> StartAppend(std::span<const std::uint8_t> blank);
  // Makes the record StartAppend began the table's last record.
  // REQUIRES: a record started and not yet committed.
  void CommitAppend();
  // Replaces record `number`. REQUIRES: as for Read and Append.
  void Overwrite(std::uint32_t number, std::span<const std::uint8_t> record);

  // Writes the buffered records and, when anything changed or the tags differ from what
  // the header says, the header: record count, `today`, the production-index flag (set
  // when `tags` is not empty), the indexed-field marks; then the end mark. Closes the file.
  // Throws platform::IoError on a write failure.
  void Finish(platform::CalendarDate today, const std::vector<TagDefinition>& tags);

 private:
  DbfFile(platform::File file, std::string display, std::vector<std::uint8_t> header,
          RecordLayout layout, std::uint32_t record_count);

  std::uint64_t RecordOffset(std::uint32_t number) const;
  void FlushAppends();
  void LoadBlock(std::uint32_t number);
  bool PatchHeader(platform::CalendarDate today, const std::vector<TagDefinition>& tags);

  platform::File file_;
  std::string display_;
  std::vector<std::uint8_t> header_;
  RecordLayout layout_;
  std::size_t record_length_ = 1;
  std::uint32_t record_count_ = 0;
  std::uint32_t records_per_block_ = 1;
  bool modified_ = false;
  // Records flushed_count_ + 1 ... record_count_, not yet written, then possibly a record
  // started and not committed.
  std::uint32_t flushed_count_ = 0;
  std::vector<std::uint8_t> appends_;
  // A copy of records block_first_ ... block_first_ + block_count_ - 1 as in the file.
  std::uint32_t block_first_ = 0;
  std::uint32_t block_count_ = 0;
  std::vector<std::uint8_t> block_;
};

}  // namespace konwerter::engine
