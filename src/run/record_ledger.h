#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "run/record_fate.h"
#include "target/engine/value_observer.h"

namespace konwerter::run {

enum class LedgerEvent : std::uint8_t { kSkipped, kAltered };

// One row of the record ledger: a source record that gave its target nothing, or a value
// written otherwise than the source held it. Texts are cp1250; paths are program paths.
struct LedgerRow {
  std::string source_file;   // the DOS table the record lies in; empty outside a table walk
  std::uint32_t record = 0;  // 1-based; 0 when the row concerns no source record
  std::string key;           // the record's key as an operator recognises it
  std::string target_table;  // program path of the target .dbf
  LedgerEvent event = LedgerEvent::kSkipped;
  SkipReason skip = SkipReason::kKeyNotSet;    // when skipped
  ValueChange change = ValueChange::kBadDate;  // when altered
  std::string detail;        // what the reason refers to (a dictionary, an index), or empty
  std::string field;         // the target field of an altered value
  std::string source_value;  // as the source held it
  std::string written_value;
};

// Where ledger rows go as they are met: the run's ledger file, or memory in tests.
class LedgerSink {
 public:
  virtual ~LedgerSink() = default;
  virtual void Write(const LedgerRow& row) = 0;
};

// What one walk of a source table into a target table did, counted from its records' fates:
// read = written + skipped, exactly. An account without a source holds the records of a
// table derived from others (a list of names collected on the way).
struct TableAccount {
  std::string target_path;
  std::string source_path;
  std::uint64_t read = 0;
  std::uint64_t written = 0;
  std::uint64_t skipped = 0;
  std::uint64_t deleted =
      0;  // records marked deleted ("*"), converted as the DOS edition shows them
  std::uint64_t target_records = 0;  // records the target table held when it was reported
  std::array<std::uint64_t, kSkipReasonCount> skipped_by_reason{};
  std::array<std::uint64_t, kValueChangeCount> altered_by_change{};

  std::uint64_t altered() const;
};

// Values altered alike in one source table, for the run's warnings: the source table (or the
// target, outside a walk), the change, what it refers to, and how many values.
struct AlterationTally {
  std::string file;
  ValueChange change;
  std::string detail;
  std::uint64_t count = 0;
};

// The key of the record a walk stands on, rendered only when a row needs it.
class RecordKeySource {
 public:
  virtual ~RecordKeySource() = default;
  virtual std::string CurrentKey() const = 0;
};

// Every record's fate and every altered value of a run. Table walks open an account, say
// which record they stand on, and state each record's fate; converters and the engine
// report altered values, which land on the record the walk stands on. Every row goes to
// the sink as it is met; the first rows of each reason stay for the report.
class RecordLedger final : public engine::ValueObserver {
 public:
  static constexpr std::size_t kSampleRows = 20;
  using AccountId = std::size_t;

  explicit RecordLedger(LedgerSink* sink = nullptr) : sink_(sink) {}
  void set_sink(LedgerSink* sink) { sink_ = sink; }

  // An account for the walk of `source_path` into `target_path` (the same pair continues
  // its account).
  AccountId OpenAccount(std::string_view target_path, std::string_view source_path);
  // The walk stands on a record (1-based); `key` renders its key when a row needs it.
  void BeginRecord(AccountId account, std::uint32_t record, const RecordKeySource* key);
  // The record the walk stands on is marked deleted.
  void CountDeleted(AccountId account) { ++accounts_[account].deleted; }
  // The fate of the record the walk stands on.
  void Decide(AccountId account, Fate fate);
  // The walk has left its records: later alterations belong to no source record.
  void EndWalk() { cursor_ = {}; }

  // A value of `target_path` written otherwise than the source held it.
  void Altered(std::string_view target_path, ValueChange change, std::string_view field,
               std::string_view source_value, std::string_view written_value,
               std::string_view detail = {});
  // A value that the reader could not read as a source record stores it: the record lies in
  // `source_path` (the walked table, or one read on the way); the row goes to the walk's
  // target, if a walk stands on a record.
  void AlteredInSource(std::string_view source_path, std::uint32_t record, std::string key,
                       ValueChange change, std::string_view field, std::string_view source_value,
                       std::string_view written_value);
  // A damaged record (its deletion flag neither a space nor "*") of `source_path` met outside
  // a walk of that table, read by its 1-based number or passed over while building a look-up:
  // counted with the table's damaged records, once however often it is met.
  void DamagedRecord(std::string_view source_path, std::uint32_t record);
  // The engine's report of a value it stored otherwise than given.
  void OnAltered(std::string_view table_path, engine::ValueAlteration alteration,
                 std::string_view field, std::string_view given, std::string_view stored) override;

  // The target table holds `records` records now (when it is reported for the summary).
  void SetTargetRecords(std::string_view target_path, std::uint64_t records);

  const std::vector<TableAccount>& accounts() const { return accounts_; }
  // Altered values per source table (or target, outside a walk), change and detail, in the
  // order first met; damaged records skipped are tallied the same way, as warnings.
  const std::vector<AlterationTally>& alteration_tallies() const { return tallies_; }
  // Records skipped as damaged, per source table, in the order first met.
  const std::vector<std::pair<std::string, std::uint64_t>>& damaged_records() const {
    return damaged_;
  }
  // The first rows of each skip reason and value change, in the order met.
  const std::vector<LedgerRow>& sample_rows() const { return samples_; }
  std::uint64_t rows_written() const { return rows_; }

 private:
  struct Cursor {
    AccountId account = kNoAccount;
    std::uint32_t record = 0;
    const RecordKeySource* key = nullptr;
  };
  static constexpr AccountId kNoAccount = static_cast<AccountId>(-1);

  // The account of the walk standing on a record, or the sourceless account of the target.
  AccountId AccountFor(std::string_view target_path);
  void Record(LedgerRow row);
  void Tally(const std::string& file, ValueChange change, std::string_view detail);
  // Counts a damaged record of a table; false when it was counted before.
  bool CountDamaged(const std::string& source_path, std::uint32_t record);

  LedgerSink* sink_;
  std::vector<TableAccount> accounts_;
  Cursor cursor_;
  std::vector<LedgerRow> samples_;
  std::array<std::size_t, kSkipReasonCount> skip_samples_{};
  std::array<std::size_t, kValueChangeCount> change_samples_{};
  std::vector<AlterationTally> tallies_;
  std::vector<std::pair<std::string, std::uint64_t>> damaged_;
  std::set<std::pair<std::string, std::uint32_t>> damaged_seen_;
  std::uint64_t rows_ = 0;
};

}  // namespace konwerter::run
