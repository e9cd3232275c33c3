#include "source/source_tables.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/io_error.h"
#include "source/source_field.h"
#include "source/source_table_slot.h"
#include "source/transliteration_map.h"

namespace konwerter::source {

namespace {

bool IsValidHandle(TableHandle table) {
  return table >= 1 && table <= kSourceSlotCount;
}

std::size_t SlotIndex(TableHandle table) {
  return static_cast<std::size_t>(table - 1);
}

// A path naming no extension anywhere (folders included) names a .dbf table.
std::string WithDefaultExtension(std::string_view path) {
  std::string result(path);
  if (result.find('.') == std::string::npos) result += ".dbf";
  return result;
}

// Field names are compared in upper case, as dBase stores them; only a to z are folded.
std::string UpperAscii(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The bytes of a field of the table's current record, as stored.
std::string FieldBytes(const SourceTableSlot& table, const SourceField& field) {
  const auto record = table.CurrentRecordBytes();
  const auto bytes = record.subspan(field.offset, field.bytes_in_record);
  return std::string(bytes.begin(), bytes.end());
}

// The numeric field at a record offset, with its bytes as stored.
BadNumber BadNumberAt(const SourceTableSlot& table, std::uint32_t offset) {
  for (const SourceField& field : table.fields()) {
    if (field.offset == offset && field.binding) return {field.name, FieldBytes(table, field)};
  }
  return {};
}

SourceTableInfo InfoOf(const SourceTableSlot& table) {
  SourceTableInfo info{
      table.header().record_count, table.header().header_length, table.header().record_length, {}};
  info.fields.reserve(table.fields().size());
  for (const SourceField& field : table.fields()) {
    info.fields.push_back({field.name, field.type, field.width, field.decimals});
  }
  return info;
}

}  // namespace

SourceTables::SourceTables(const CodePages& pages) : pages_(pages) {}

SourceTables::~SourceTables() = default;

void SourceTables::ResetSlots() {
  for (auto& slot : slots_) slot.reset();
}

TableHandle SourceTables::Open(std::string_view path) {
  const auto free = std::find(slots_.begin(), slots_.end(), nullptr);
  if (free == slots_.end()) {
    status_ = kSourceBadHandle;
    return 0;
  }
  OpenedTable opened = SourceTableSlot::Open(WithDefaultExtension(path));
  status_ = opened.status;
  last_open_fault_ = std::move(opened.fault);
  last_short_table_ = opened.short_table;
  if (!opened.table) return 0;
  *free = std::move(opened.table);
  current_ = static_cast<TableHandle>(free - slots_.begin()) + 1;
  return current_;
}

void SourceTables::SetReadAhead(TableHandle table, std::uint32_t bytes) {
  SourceTableSlot* slot = TableOrNull(table);
  if (slot == nullptr) return;
  if (const std::optional<std::int32_t> status = slot->SetReadAhead(bytes)) status_ = *status;
}

void SourceTables::Select(TableHandle table) {
  if (TableOrNull(table) == nullptr) {
    status_ = kSourceBadHandle;
    return;
  }
  current_ = table;
  status_ = kSourceOk;
}

void SourceTables::Bind(std::string_view field, FieldBinding binding) {
  SourceTableSlot* table = IsValidHandle(current_) ? slots_[SlotIndex(current_)].get() : nullptr;
  const bool bound = table != nullptr && table->Bind(UpperAscii(field), binding);
  status_ = bound ? kSourceOk : kSourceNoSuchField;
}

void SourceTables::BindText(std::string_view field, std::string* destination,
                            std::size_t capacity) {
  Bind(field, {BindingKind::kText, destination, capacity});
}

void SourceTables::BindUntrimmedText(std::string_view field, std::string* destination,
                                     std::size_t capacity) {
  Bind(field, {BindingKind::kUntrimmedText, destination, capacity});
}

void SourceTables::BindRawText(std::string_view field, std::string* destination,
                               std::size_t capacity) {
  Bind(field, {BindingKind::kRawText, destination, capacity});
}

void SourceTables::BindByte(std::string_view field, std::uint8_t* destination) {
  Bind(field, {BindingKind::kByte, destination, 0});
}

void SourceTables::BindWord(std::string_view field, std::uint16_t* destination) {
  Bind(field, {BindingKind::kWord, destination, 0});
}

void SourceTables::BindLong(std::string_view field, std::int32_t* destination) {
  Bind(field, {BindingKind::kLong, destination, 0});
}

void SourceTables::BindReal(std::string_view field, double* destination) {
  Bind(field, {BindingKind::kReal, destination, 0});
}

void SourceTables::BindLogical(std::string_view field, bool* destination) {
  Bind(field, {BindingKind::kLogical, destination, 0});
}

void SourceTables::BindBinary2(std::string_view field, std::uint16_t* destination) {
  Bind(field, {BindingKind::kBinary2, destination, 0});
}

void SourceTables::BindBinary4(std::string_view field, std::uint32_t* destination) {
  Bind(field, {BindingKind::kBinary4, destination, 0});
}

std::uint32_t SourceTables::RecordCount(TableHandle table) {
  if (!IsValidHandle(table)) {
    status_ = kSourceBadHandle;
    return 0;
  }
  const SourceTableSlot* slot = slots_[SlotIndex(table)].get();
  return slot == nullptr ? 0 : slot->header().record_count;
}

bool SourceTables::AtEnd(TableHandle table) {
  if (!IsValidHandle(table)) {
    status_ = kSourceBadHandle;
    return true;
  }
  status_ = kSourceOk;
  const SourceTableSlot* slot = slots_[SlotIndex(table)].get();
  return slot == nullptr || slot->at_end();
}

void SourceTables::ReadRecord(TableHandle table) {
  SourceTableSlot* slot = TableOrNull(table);
  if (slot == nullptr) return;
  const RecordReadResult result = slot->Read({ProgramTextMap(pages_)});
  status_ = result.status;
  if (result.status != kSourcePastEnd) conversion_position_ = result.conversion_position;
  last_bad_number_ = {};
  if (result.status == kSourceBadNumber)
    last_bad_number_ = BadNumberAt(*slot, result.failed_offset);
}

void SourceTables::NextRecord(TableHandle table) {
  if (SourceTableSlot* slot = TableOrNull(table)) status_ = slot->Next();
}

void SourceTables::GoToRecord(TableHandle table, std::int32_t record) {
  if (SourceTableSlot* slot = TableOrNull(table)) status_ = slot->GoTo(record);
}

void SourceTables::Close(TableHandle table) {
  if (!IsValidHandle(table)) {
    status_ = kSourceBadHandle;
    return;
  }
  status_ = kSourceOk;
  const std::unique_ptr<SourceTableSlot> closing = std::move(slots_[SlotIndex(table)]);
  if (closing && !closing->CloseFile()) {
    throw platform::IoError(platform::IoFault::kClose, closing->file_path().string());
  }
}

void SourceTables::CloseAll() {
  std::exception_ptr first_failure;
  for (TableHandle table = 1; table <= kSourceSlotCount; ++table) {
    if (!slots_[SlotIndex(table)]) continue;
    try {
      Close(table);
    } catch (const platform::IoError&) {
      if (!first_failure) first_failure = std::current_exception();
    }
  }
  if (first_failure) std::rethrow_exception(first_failure);
}

bool SourceTables::ReleaseAll() noexcept {
  try {
    CloseAll();
    return true;
  } catch (...) {
    return false;
  }
}

std::optional<SourceTableInfo> SourceTables::Describe(TableHandle table) const {
  const SourceTableSlot* slot = InUse(table);
  if (slot == nullptr) return std::nullopt;
  return InfoOf(*slot);
}

std::string SourceTables::RawField(TableHandle table, std::string_view field) const {
  const SourceTableSlot* slot = InUse(table);
  if (slot == nullptr) return {};
  const std::string wanted = UpperAscii(field);
  for (const SourceField& held : slot->fields()) {
    if (UpperAscii(held.name) == wanted) return FieldBytes(*slot, held);
  }
  return {};
}

bool SourceTables::CurrentRecordDamaged(TableHandle table) const {
  const SourceTableSlot* slot = InUse(table);
  if (slot == nullptr) return false;
  const auto record = slot->CurrentRecordBytes();
  return !record.empty() && record[0] != dbf::kLiveRecord && record[0] != dbf::kDeletedRecord;
}

bool SourceTables::CurrentRecordDeleted(TableHandle table) const {
  const SourceTableSlot* slot = InUse(table);
  if (slot == nullptr) return false;
  const auto record = slot->CurrentRecordBytes();
  return !record.empty() && record[0] == dbf::kDeletedRecord;
}

SourceTableSlot* SourceTables::TableOrNull(TableHandle table) {
  if (!IsValidHandle(table)) {
    status_ = kSourceBadHandle;
    return nullptr;
  }
  return slots_[SlotIndex(table)].get();
}

const SourceTableSlot* SourceTables::InUse(TableHandle table) const {
  return IsValidHandle(table) ? slots_[SlotIndex(table)].get() : nullptr;
}

}  // namespace konwerter::source
