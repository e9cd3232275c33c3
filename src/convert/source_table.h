#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "run/prechecks.h"
#include "run/record_fate.h"
#include "run/result.h"
#include "run/run_context.h"
#include "source/source_tables.h"
#include "source/table_catalogue.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// One DOS table a converter reads: a table of the source catalogue, opened from the folder
// of its directory variable, its fields bound to the converter's variables, walked from the
// first to the last physical record or read by record number. Every call works on this
// table, whichever table was opened last. Closing happens when the object goes (or at the
// end of the converter, when the sources scope closes every table of the run).
class SourceTable final : public run::RecordKeySource {
 public:
  using Layout = source::tables::TableLayout;

  // Opens the catalogue table `layout` with the run's read-ahead and binds its fields
  // through `bind(table)`. Fails, naming the file, when the file is not there, cannot be
  // read as a table, or lacks a field `bind` binds. A binding of a field the layout does not
  // give the run's edition, or of a kind the field cannot be read as, is a fault of the
  // converter: it throws std::logic_error.
  // REQUIRES: `layout` outlives the table (the catalogue's entries do).
  template <typename Bind>
  static run::Result<SourceTable> Open(run::RunContext& context, const Layout& layout,
                                       Bind&& bind) {
    run::Result<source::TableHandle> handle = OpenHandle(context, layout);
    if (!handle) return handle.error();
    SourceTable table(context, *handle, layout);
    bind(table);
    if (run::Status found = table.BindingsFound(); !found) return found.error();
    return table;
  }

  // The same for a table the run can go without: nothing when the file is not there. A file
  // that is there but cannot be read, or lacks a field, still fails.
  template <typename Bind>
  static run::Result<std::optional<SourceTable>> OpenOptional(run::RunContext& context,
                                                              const Layout& layout, Bind&& bind) {
    if (!run::SourceFileExists(context, layout.variable, layout.file)) {
      return std::optional<SourceTable>();
    }
    run::Result<SourceTable> table = Open(context, layout, bind);
    if (!table) return table.error();
    return std::optional<SourceTable>(std::move(*table));
  }

  // The same for a table the run can go without and goes on without when it cannot be
  // read: nothing when the file is not there; nothing, with a warning saying why the table
  // was left out, when it is there but cannot be read or lacks a field.
  template <typename Bind>
  static std::optional<SourceTable> OpenIfReadable(run::RunContext& context, const Layout& layout,
                                                   Bind&& bind) {
    run::Result<std::optional<SourceTable>> table = OpenOptional(context, layout, bind);
    if (table) return std::move(*table);
    WarnLeftOut(context, table.error());
    return std::nullopt;
  }

  SourceTable(SourceTable&& other) noexcept;
  SourceTable& operator=(SourceTable&& other) noexcept;
  SourceTable(const SourceTable&) = delete;
  ~SourceTable() override;

  // Bind a field (name in any case) to a destination that outlives the table. A field the
  // file lacks makes the open fail, naming it.
  SourceTable& Text(std::string_view field, std::string* destination);
  // Text with its trailing spaces kept (a text wrapped over several records).
  SourceTable& UntrimmedText(std::string_view field, std::string* destination);
  SourceTable& RawText(std::string_view field, std::string* destination);
  SourceTable& Byte(std::string_view field, std::uint8_t* destination);
  SourceTable& Word(std::string_view field, std::uint16_t* destination);
  SourceTable& Long(std::string_view field, std::int32_t* destination);
  SourceTable& Real(std::string_view field, double* destination);
  SourceTable& Logical(std::string_view field, bool* destination);
  SourceTable& Binary2(std::string_view field, std::uint16_t* destination);
  SourceTable& Binary4(std::string_view field, std::uint32_t* destination);
  // The field bound last identifies a record to the operator, in the record ledger: a binary
  // key in hexadecimal, a number in decimal, a text as it reads.
  SourceTable& Key();

  // The record count of the header (whole records only).
  std::uint32_t RecordCount() const;
  // The record count the header gives, records the file cut short included: an index entry
  // leading to one of those leads into the table, to a record the table lost.
  std::uint32_t HeaderRecordCount() const { return header_records_; }

  // Walks every record from the first to fill `target`: table progress start with the
  // target's name and the record count, then per record one record progress step, the read
  // into the bound variables, and `body(record_number)` with the record's 1-based number,
  // which returns the record's fate for the record ledger. A damaged record (its deletion
  // flag neither a space nor "*") is skipped as such without calling `body`.
  template <typename Body>
  void ForEachRecord(const engine::Table& target, Body&& body) {
    context_->progress.TableStart(target.table_name(), RecordCount());
    ForEachRecordContinuing(target, body);
  }

  // The same walk continuing the progress of the table started last: no table progress
  // start, for a second source of the same target.
  template <typename Body>
  void ForEachRecordContinuing(const engine::Table& target, Body&& body) {
    run::RecordLedger& ledger = context_->ledger;
    const run::RecordLedger::AccountId account = ledger.OpenAccount(target.DbfPath(), path_);
    Walk([&](std::uint32_t number, bool damaged) {
      context_->progress.RecordStep();
      ledger.BeginRecord(account, number, this);
      if (damaged) {
        ledger.Decide(account, run::Skipped(run::SkipReason::kDamaged));
        return;
      }
      if (CurrentRecordDeleted()) ledger.CountDeleted(account);
      ledger.Decide(account, body(number));
    });
    ledger.EndWalk();
  }

  // A walk that reads without progress and without fates, for a table read only to collect
  // working lists. Damaged records are passed over.
  template <typename Body>
  void ForEachRecordQuietly(Body&& body) {
    Walk([&](std::uint32_t number, bool damaged) {
      if (!damaged) body(number);
    });
  }

  // What reading a record by its number found.
  enum class RecordAt : std::uint8_t {
    kRead,         // the record, read into the bound variables
    kBeyondTable,  // 0 or a number beyond the last record: nothing read
    kDamaged,      // a damaged record: the table's damage, counted in the record ledger
  };
  // Reads the record of a 1-based number into the bound variables.
  RecordAt ReadRecordAt(std::uint32_t number);
  // The same, true when the record was read.
  bool ReadRecordNumber(std::uint32_t number) { return ReadRecordAt(number) == RecordAt::kRead; }

  // The path the table was opened from, for messages and the summary.
  const std::string& path() const { return path_; }
  source::TableHandle handle() const { return handle_; }
  void Close();

  std::string CurrentKey() const override;

 private:
  using KeyDestination =
      std::variant<std::monostate, const std::string*, const std::uint8_t*, const std::uint16_t*,
                   const std::int32_t*, const std::uint32_t*, const double*, const bool*>;
  struct KeyBinding {
    KeyDestination destination;
    source::BindingKind kind = source::BindingKind::kText;
  };

  static void WarnLeftOut(run::RunContext& context, const run::Failure& failure);
  static run::Result<source::TableHandle> OpenHandle(run::RunContext& context,
                                                     const Layout& layout);
  SourceTable(run::RunContext& context, source::TableHandle handle, const Layout& layout);
  source::SourceTables& tables() const { return context_->source_tables; }
  void Select() const;
  void Release() noexcept;
  // After a binding: notes a field the file lacks, and what the field's key would read.
  // Throws std::logic_error for a binding the layout does not allow.
  void NoteBinding(std::string_view field, source::BindingKind kind, KeyDestination destination);
  // Fails naming the fields the table lacks.
  run::Status BindingsFound() const;
  bool CurrentRecordDeleted() const;
  // Reads the current record, the 1-based `number`; a numeric field that did not convert
  // goes to the ledger. False when the record is damaged.
  bool ReadCurrent(std::uint32_t number);

  template <typename Body>
  void Walk(Body&& body) {
    source::SourceTables& reader = tables();
    reader.GoToRecord(handle_, 0);
    for (std::uint32_t number = 1; !reader.AtEnd(handle_); ++number) {
      const bool damaged = !ReadCurrent(number);
      body(number, damaged);
      reader.NextRecord(handle_);
    }
  }

  run::RunContext* context_;
  source::TableHandle handle_;
  const Layout* layout_;
  std::string path_;
  std::vector<std::string> missing_fields_;
  std::uint32_t header_records_ = 0;
  KeyBinding last_bound_;
  KeyBinding key_;
};

}  // namespace konwerter::convert
