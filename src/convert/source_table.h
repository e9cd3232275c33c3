#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "run/run_context.h"
#include "source/source_tables.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// One DOS table a converter reads: opened from the folder of a directory variable, its
// fields bound to the converter's variables, walked from the first to the last physical
// record or read by record number. Every call works on this table, whichever table was
// opened last. Closing happens when the object goes (or at the end of the converter, when
// the sources scope closes every table of the run).
class SourceTable {
 public:
  // Opens `file_name` of the directory variable's folder with the run's read-ahead. When it
  // cannot be opened: nothing, and with `report` set the conversion status names the file.
  static std::optional<SourceTable> Open(run::RunContext& context, std::string_view variable,
                                         std::string_view file_name, bool report = true);

  SourceTable(SourceTable&& other) noexcept;
  SourceTable& operator=(SourceTable&& other) noexcept;
  SourceTable(const SourceTable&) = delete;
  ~SourceTable();

  // Bind a field (name in any case) to a destination that outlives the table. A field the
  // table lacks binds nothing: its destination keeps the value it has.
  SourceTable& Text(std::string_view field, std::string* destination);
  SourceTable& RawText(std::string_view field, std::string* destination);
  SourceTable& Byte(std::string_view field, std::uint8_t* destination);
  SourceTable& Word(std::string_view field, std::uint16_t* destination);
  SourceTable& Long(std::string_view field, std::int32_t* destination);
  SourceTable& Real(std::string_view field, double* destination);
  SourceTable& Logical(std::string_view field, bool* destination);
  SourceTable& Binary2(std::string_view field, std::uint16_t* destination);
  SourceTable& Binary4(std::string_view field, std::uint32_t* destination);

  // The record count of the table's header.
  std::uint32_t RecordCount() const;

  // Walks every record from the first to fill `target`: table progress start with the
  // target's name and the record count, then per record one record progress step, the read
  // into the bound variables, and `body(record_number)` with the record's 1-based number.
  // A record after which the target holds no more records than before counts as skipped
  // for that table in the run's summary.
  template <typename Body>
  void ForEachRecord(const engine::Table& target, Body&& body) {
    context_->progress.TableStart(target.table_name(), RecordCount());
    std::uint64_t skipped = 0;
    Walk([&](std::uint32_t number) {
      context_->progress.RecordStep();
      const std::uint32_t before = target.RecordCount();
      body(number);
      if (target.RecordCount() == before) ++skipped;
    });
    context_->report.CountSkipped(target.DbfPath(), skipped);
  }

  // The same walk without progress, for a table read only to collect working lists.
  template <typename Body>
  void ForEachRecordQuietly(Body&& body) {
    Walk(body);
  }

  // Reads the record of a 1-based number into the bound variables. False, reading nothing,
  // for 0 or a number beyond the last record.
  bool ReadRecordNumber(std::uint32_t number);

  // The path the table was opened from, for messages and the summary.
  const std::string& path() const { return path_; }
  source::TableHandle handle() const { return handle_; }
  void Close();

 private:
  SourceTable(run::RunContext& context, source::TableHandle handle, std::string path)
      : context_(&context), handle_(handle), path_(std::move(path)) {}
  source::SourceTables& tables() const { return context_->source_tables; }
  void Select() const;
  void Release() noexcept;

  template <typename Body>
  void Walk(Body&& body) {
    source::SourceTables& reader = tables();
    reader.GoToRecord(handle_, 0);
    for (std::uint32_t number = 1; !reader.AtEnd(handle_); ++number) {
      reader.ReadRecord(handle_);
      body(number);
      reader.NextRecord(handle_);
    }
  }

  run::RunContext* context_;
  source::TableHandle handle_;
  std::string path_;
};

}  // namespace konwerter::convert
