#include "convert/source_table.h"

#include <exception>
#include <stdexcept>
#include <type_traits>

#include "run/catalogue.h"
#include "run/prechecks.h"
#include "target/identifier.h"

namespace konwerter::convert {

namespace {

template <typename Number>
std::string Decimal(const Number* value) {
  return std::to_string(*value);
}

std::string_view KindName(source::BindingKind kind) {
  switch (kind) {
    case source::BindingKind::kText:
      return "text";
    case source::BindingKind::kUntrimmedText:
      return "untrimmed text";
    case source::BindingKind::kRawText:
      return "raw text";
    case source::BindingKind::kByte:
      return "byte";
    case source::BindingKind::kWord:
      return "word";
    case source::BindingKind::kLong:
      return "long";
    case source::BindingKind::kReal:
      return "real";
    case source::BindingKind::kLogical:
      return "logical";
    case source::BindingKind::kBinary2:
      return "2-byte binary";
    case source::BindingKind::kBinary4:
      return "4-byte binary";
  }
  return "?";
}

}  // namespace

run::Result<source::TableHandle> SourceTable::OpenHandle(run::RunContext& context,
                                                         const Layout& layout) {
  return run::OpenSourceTable(context, layout.variable, layout.file);
}

void SourceTable::WarnLeftOut(run::RunContext& context, const run::Failure& failure) {
  context.report.Warn({run::WarningKind::kOptionalSourceLeftOut, failure.host_path, 0, 0,
                       run::FailureReason(failure)});
}

SourceTable::SourceTable(run::RunContext& context, source::TableHandle handle, const Layout& layout)
    : context_(&context),
      handle_(handle),
      layout_(&layout),
      path_(run::SourcePath(context, layout.variable, layout.file)) {
  const source::ShortTable& short_table = tables().last_short_table();
  header_records_ = short_table.header_count != 0 ? short_table.header_count : RecordCount();
}

SourceTable::SourceTable(SourceTable&& other) noexcept
    : context_(other.context_),
      handle_(other.handle_),
      layout_(other.layout_),
      path_(std::move(other.path_)),
      missing_fields_(std::move(other.missing_fields_)),
      header_records_(other.header_records_),
      last_bound_(other.last_bound_),
      key_(other.key_) {
  other.handle_ = 0;
}

SourceTable& SourceTable::operator=(SourceTable&& other) noexcept {
  if (this == &other) return *this;
  Release();
  context_ = other.context_;
  handle_ = other.handle_;
  layout_ = other.layout_;
  path_ = std::move(other.path_);
  missing_fields_ = std::move(other.missing_fields_);
  header_records_ = other.header_records_;
  last_bound_ = other.last_bound_;
  key_ = other.key_;
  other.handle_ = 0;
  return *this;
}

SourceTable::~SourceTable() {
  Release();
}

void SourceTable::Release() noexcept {
  try {
    Close();
  } catch (const std::exception&) {
    // A source is only read: a failed close loses nothing, and a destructor cannot report.
  }
}

void SourceTable::Close() {
  if (handle_ == 0) return;
  tables().Close(handle_);
  handle_ = 0;
}

void SourceTable::Select() const {
  tables().Select(handle_);
}

void SourceTable::NoteBinding(std::string_view field, source::BindingKind kind,
                              KeyDestination destination) {
  const source::tables::FieldLayout* known =
      source::tables::FindField(*layout_, field, context_->edition);
  if (known == nullptr || !source::tables::BindingFits(*known, kind)) {
    throw std::logic_error("the catalogue layout of " + std::string(layout_->file) +
                           " gives this edition no field " + std::string(field) + " to read as " +
                           std::string(KindName(kind)));
  }
  if (tables().status() == source::kSourceNoSuchField) missing_fields_.emplace_back(field);
  last_bound_ = {destination, kind};
}

run::Status SourceTable::BindingsFound() const {
  if (missing_fields_.empty()) return {};
  run::Failure failure = run::SourceFailure(*context_, run::FailureKind::kFieldMissing,
                                            layout_->variable, layout_->file);
  for (const std::string& field : missing_fields_) {
    if (!failure.detail.empty()) failure.detail += ", ";
    failure.detail += field;
  }
  return failure;
}

SourceTable& SourceTable::Text(std::string_view field, std::string* destination) {
  Select();
  tables().BindText(field, destination);
  NoteBinding(field, source::BindingKind::kText, destination);
  return *this;
}

SourceTable& SourceTable::UntrimmedText(std::string_view field, std::string* destination) {
  Select();
  tables().BindUntrimmedText(field, destination);
  NoteBinding(field, source::BindingKind::kUntrimmedText, destination);
  return *this;
}

SourceTable& SourceTable::RawText(std::string_view field, std::string* destination) {
  Select();
  tables().BindRawText(field, destination);
  NoteBinding(field, source::BindingKind::kRawText, destination);
  return *this;
}

SourceTable& SourceTable::Byte(std::string_view field, std::uint8_t* destination) {
  Select();
  tables().BindByte(field, destination);
  NoteBinding(field, source::BindingKind::kByte, destination);
  return *this;
}

SourceTable& SourceTable::Word(std::string_view field, std::uint16_t* destination) {
  Select();
  tables().BindWord(field, destination);
  NoteBinding(field, source::BindingKind::kWord, destination);
  return *this;
}

SourceTable& SourceTable::Long(std::string_view field, std::int32_t* destination) {
  Select();
  tables().BindLong(field, destination);
  NoteBinding(field, source::BindingKind::kLong, destination);
  return *this;
}

SourceTable& SourceTable::Real(std::string_view field, double* destination) {
  Select();
  tables().BindReal(field, destination);
  NoteBinding(field, source::BindingKind::kReal, destination);
  return *this;
}

SourceTable& SourceTable::Logical(std::string_view field, bool* destination) {
  Select();
  tables().BindLogical(field, destination);
  NoteBinding(field, source::BindingKind::kLogical, destination);
  return *this;
}

SourceTable& SourceTable::Binary2(std::string_view field, std::uint16_t* destination) {
  Select();
  tables().BindBinary2(field, destination);
  NoteBinding(field, source::BindingKind::kBinary2, destination);
  return *this;
}

SourceTable& SourceTable::Binary4(std::string_view field, std::uint32_t* destination) {
  Select();
  tables().BindBinary4(field, destination);
  NoteBinding(field, source::BindingKind::kBinary4, destination);
  return *this;
}

SourceTable& SourceTable::Key() {
  key_ = last_bound_;
  return *this;
}

std::string SourceTable::CurrentKey() const {
  const bool binary =
      key_.kind == source::BindingKind::kBinary2 || key_.kind == source::BindingKind::kBinary4;
  return std::visit(
      [binary](const auto& held) -> std::string {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, std::monostate>) {
          return {};
        } else {
          using Value = std::remove_cv_t<std::remove_pointer_t<Held>>;
          if constexpr (std::is_same_v<Value, std::string>) {
            return *held;
          } else if constexpr (std::is_same_v<Value, bool>) {
            return *held ? "T" : "F";
          } else if constexpr (std::is_same_v<Value, std::uint16_t> ||
                               std::is_same_v<Value, std::uint32_t>) {
            return binary ? target::FormatIdentifier(*held, static_cast<int>(sizeof(Value) * 2))
                          : Decimal(held);
          } else {
            return Decimal(held);
          }
        }
      },
      key_.destination);
}

std::uint32_t SourceTable::RecordCount() const {
  return tables().RecordCount(handle_);
}

bool SourceTable::CurrentRecordDeleted() const {
  return tables().CurrentRecordDeleted(handle_);
}

bool SourceTable::ReadCurrent(std::uint32_t number) {
  source::SourceTables& reader = tables();
  reader.ReadRecord(handle_);
  if (reader.status() == source::kSourceBadNumber) {
    const source::BadNumber& bad = reader.last_bad_number();
    context_->ledger.AlteredInSource(path_, number, CurrentKey(), run::ValueChange::kBadNumber,
                                     bad.field, bad.text, {});
  }
  return !reader.CurrentRecordDamaged(handle_);
}

SourceTable::RecordAt SourceTable::ReadRecordAt(std::uint32_t number) {
  if (number == 0 || number > RecordCount()) return RecordAt::kBeyondTable;
  tables().GoToRecord(handle_, static_cast<std::int32_t>(number - 1));
  if (ReadCurrent(number)) return RecordAt::kRead;
  context_->ledger.DamagedRecord(path_, number);
  return RecordAt::kDamaged;
}

}  // namespace konwerter::convert
