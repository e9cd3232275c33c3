#include "run/record_ledger.h"

#include <algorithm>
#include <numeric>

namespace konwerter::run {

namespace {

ValueChange ChangeOf(engine::ValueAlteration alteration) {
  return alteration == engine::ValueAlteration::kTextCut ? ValueChange::kTextCut
                                                         : ValueChange::kNumberTooWide;
}

}  // namespace

std::uint64_t TableAccount::altered() const {
  return std::accumulate(altered_by_change.begin(), altered_by_change.end(), std::uint64_t{0});
}

RecordLedger::AccountId RecordLedger::OpenAccount(std::string_view target_path,
                                                  std::string_view source_path) {
  const auto found = std::find_if(accounts_.begin(), accounts_.end(), [&](const auto& account) {
    return account.target_path == target_path && account.source_path == source_path;
  });
  if (found != accounts_.end()) return static_cast<AccountId>(found - accounts_.begin());
  TableAccount account;
  account.target_path = std::string(target_path);
  account.source_path = std::string(source_path);
  accounts_.push_back(std::move(account));
  return accounts_.size() - 1;
}

void RecordLedger::BeginRecord(AccountId account, std::uint32_t record,
                               const RecordKeySource* key) {
  cursor_ = {account, record, key};
  ++accounts_[account].read;
}

void RecordLedger::Decide(AccountId account, Fate fate) {
  TableAccount& held = accounts_[account];
  if (fate.written()) {
    ++held.written;
    return;
  }
  ++held.skipped;
  ++held.skipped_by_reason[static_cast<std::size_t>(fate.reason())];
  if (fate.reason() == SkipReason::kDamaged) {
    CountDamaged(held.source_path, cursor_.account == account ? cursor_.record : 0);
  }
  LedgerRow row;
  row.source_file = held.source_path;
  row.record = cursor_.account == account ? cursor_.record : 0;
  if (cursor_.account == account && cursor_.key != nullptr) row.key = cursor_.key->CurrentKey();
  row.target_table = held.target_path;
  row.event = LedgerEvent::kSkipped;
  row.skip = fate.reason();
  Record(std::move(row));
}

RecordLedger::AccountId RecordLedger::AccountFor(std::string_view target_path) {
  if (cursor_.account != kNoAccount && accounts_[cursor_.account].target_path == target_path) {
    return cursor_.account;
  }
  return OpenAccount(target_path, {});
}

void RecordLedger::Altered(std::string_view target_path, ValueChange change, std::string_view field,
                           std::string_view source_value, std::string_view written_value,
                           std::string_view detail) {
  const AccountId account = AccountFor(target_path);
  TableAccount& held = accounts_[account];
  ++held.altered_by_change[static_cast<std::size_t>(change)];
  const bool on_record = account == cursor_.account;
  Tally(held.source_path.empty() ? held.target_path : held.source_path, change, detail);
  LedgerRow row;
  row.source_file = held.source_path;
  row.record = on_record ? cursor_.record : 0;
  if (on_record && cursor_.key != nullptr) row.key = cursor_.key->CurrentKey();
  row.target_table = held.target_path;
  row.event = LedgerEvent::kAltered;
  row.change = change;
  row.detail = std::string(detail);
  row.field = std::string(field);
  row.source_value = std::string(source_value);
  row.written_value = std::string(written_value);
  Record(std::move(row));
}

void RecordLedger::AlteredInSource(std::string_view source_path, std::uint32_t record,
                                   std::string key, ValueChange change, std::string_view field,
                                   std::string_view source_value, std::string_view written_value) {
  LedgerRow row;
  if (cursor_.account != kNoAccount) {
    TableAccount& held = accounts_[cursor_.account];
    row.target_table = held.target_path;
    if (held.source_path == source_path) ++held.altered_by_change[static_cast<std::size_t>(change)];
  }
  Tally(std::string(source_path), change, {});
  row.source_file = std::string(source_path);
  row.record = record;
  row.key = std::move(key);
  row.event = LedgerEvent::kAltered;
  row.change = change;
  row.field = std::string(field);
  row.source_value = std::string(source_value);
  row.written_value = std::string(written_value);
  Record(std::move(row));
}

void RecordLedger::DamagedRecord(std::string_view source_path, std::uint32_t record) {
  if (!CountDamaged(std::string(source_path), record)) return;
  LedgerRow row;
  if (cursor_.account != kNoAccount) row.target_table = accounts_[cursor_.account].target_path;
  row.source_file = std::string(source_path);
  row.record = record;
  row.event = LedgerEvent::kSkipped;
  row.skip = SkipReason::kDamaged;
  Record(std::move(row));
}

bool RecordLedger::CountDamaged(const std::string& source_path, std::uint32_t record) {
  if (!damaged_seen_.emplace(source_path, record).second) return false;
  auto found = std::find_if(damaged_.begin(), damaged_.end(),
                            [&](const auto& entry) { return entry.first == source_path; });
  if (found == damaged_.end()) found = damaged_.insert(damaged_.end(), {source_path, 0});
  ++found->second;
  return true;
}

void RecordLedger::OnAltered(std::string_view table_path, engine::ValueAlteration alteration,
                             std::string_view field, std::string_view given,
                             std::string_view stored) {
  Altered(table_path, ChangeOf(alteration), field, given, stored);
}

void RecordLedger::SetTargetRecords(std::string_view target_path, std::uint64_t records) {
  for (TableAccount& account : accounts_) {
    if (account.target_path == target_path) account.target_records = records;
  }
}

void RecordLedger::Tally(const std::string& file, ValueChange change, std::string_view detail) {
  const auto found = std::find_if(tallies_.begin(), tallies_.end(), [&](const auto& tally) {
    return tally.change == change && tally.file == file && tally.detail == detail;
  });
  if (found != tallies_.end()) {
    ++found->count;
    return;
  }
  tallies_.push_back({file, change, std::string(detail), 1});
}

void RecordLedger::Record(LedgerRow row) {
  ++rows_;
  if (sink_ != nullptr) sink_->Write(row);
  std::size_t& sampled = row.event == LedgerEvent::kSkipped
                             ? skip_samples_[static_cast<std::size_t>(row.skip)]
                             : change_samples_[static_cast<std::size_t>(row.change)];
  if (sampled < kSampleRows) {
    ++sampled;
    samples_.push_back(std::move(row));
  }
}

}  // namespace konwerter::run
