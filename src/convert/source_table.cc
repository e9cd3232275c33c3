#include "convert/source_table.h"

#include <exception>

#include "run/prechecks.h"

namespace konwerter::convert {

std::optional<SourceTable> SourceTable::Open(run::RunContext& context, std::string_view variable,
                                             std::string_view file_name, bool report) {
  const source::TableHandle handle = run::OpenSourceTable(context, variable, file_name, report);
  if (handle == 0) return std::nullopt;
  return SourceTable(context, handle, run::SourcePath(context, variable, file_name));
}

SourceTable::SourceTable(SourceTable&& other) noexcept
    : context_(other.context_), handle_(other.handle_), path_(std::move(other.path_)) {
  other.handle_ = 0;
}

SourceTable& SourceTable::operator=(SourceTable&& other) noexcept {
  if (this == &other) return *this;
  Release();
  context_ = other.context_;
  handle_ = other.handle_;
  path_ = std::move(other.path_);
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

SourceTable& SourceTable::Text(std::string_view field, std::string* destination) {
  Select();
  tables().BindText(field, destination);
  return *this;
}

SourceTable& SourceTable::RawText(std::string_view field, std::string* destination) {
  Select();
  tables().BindRawText(field, destination);
  return *this;
}

SourceTable& SourceTable::Byte(std::string_view field, std::uint8_t* destination) {
  Select();
  tables().BindByte(field, destination);
  return *this;
}

SourceTable& SourceTable::Word(std::string_view field, std::uint16_t* destination) {
  Select();
  tables().BindWord(field, destination);
  return *this;
}

SourceTable& SourceTable::Long(std::string_view field, std::int32_t* destination) {
  Select();
  tables().BindLong(field, destination);
  return *this;
}

SourceTable& SourceTable::Real(std::string_view field, double* destination) {
  Select();
  tables().BindReal(field, destination);
  return *this;
}

SourceTable& SourceTable::Logical(std::string_view field, bool* destination) {
  Select();
  tables().BindLogical(field, destination);
  return *this;
}

SourceTable& SourceTable::Binary2(std::string_view field, std::uint16_t* destination) {
  Select();
  tables().BindBinary2(field, destination);
  return *this;
}

SourceTable& SourceTable::Binary4(std::string_view field, std::uint32_t* destination) {
  Select();
  tables().BindBinary4(field, destination);
  return *this;
}

std::uint32_t SourceTable::RecordCount() const {
  return tables().RecordCount(handle_);
}

bool SourceTable::ReadRecordNumber(std::uint32_t number) {
  if (number == 0 || number > RecordCount()) return false;
  tables().GoToRecord(handle_, static_cast<std::int32_t>(number - 1));
  tables().ReadRecord(handle_);
  return true;
}

}  // namespace konwerter::convert
