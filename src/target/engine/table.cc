#include "target/engine/table.h"

#include <algorithm>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/text_encoding.h"
#include "target/engine/dbf_file.h"
#include "target/engine/engine.h"
#include "target/engine/failure.h"
#include "target/engine/field_access.h"
#include "target/engine/field_value.h"
#include "target/engine/number_text.h"
#include "target/engine/open_table.h"
#include "target/engine/production_index.h"
#include "target/engine/table_paths.h"

namespace konwerter::engine {

namespace {

// Messages are UTF-8; table names are the program's cp1250 text.
std::string Named(std::string_view table_name) {
  return platform::Utf8FromCp1250(table_name);
}

}  // namespace

Table::Table(Engine& engine, std::string folder, std::string table_name)
    : engine_(engine), folder_(std::move(folder)), table_name_(std::move(table_name)) {}

Table::~Table() {
  Abandon();
}

std::string Table::DbfPath() const {
  return PathsOf(folder_, table_name_).dbf;
}
std::string Table::MdxPath() const {
  return PathsOf(folder_, table_name_).mdx;
}
std::string Table::DbtPath() const {
  return PathsOf(folder_, table_name_).dbt;
}

bool Table::DeclaredIndexUnreadable() const {
  const TablePaths paths = PathsOf(folder_, table_name_);
  if (!DbfFile::DeclaresProductionIndex(paths.dbf)) return false;
  try {
    ReadProductionIndexTags(paths.mdx);
    return false;
  } catch (const EngineError& error) {
    return error.code() == EngineErrorCode::kNoSuchIndex;
  }
}

void Table::Open() {
  if (open_) return;
  open_ = std::make_unique<OpenTable>(engine_, PathsOf(folder_, table_name_));
  tags_ = open_->tag_definitions();
  const bool current_kept = std::any_of(tags_.begin(), tags_.end(), [&](const TagDefinition& tag) {
    return tag.name == current_index_;
  });
  if (!current_kept) current_index_.clear();
}

void Table::Finish() {
  if (!open_) return;
  // The table counts as closed whatever happens; its files close with the object.
  const std::unique_ptr<OpenTable> table = std::move(open_);
  table->Finish();
}

void Table::Abandon() noexcept {
  if (!open_) return;
  const std::unique_ptr<OpenTable> table = std::move(open_);
  table->Abandon();
}

OpenTable& Table::Opened() const {
  if (!open_) Fail(EngineFault::kTableNotOpen, Named(table_name_));
  return *open_;
}

void Table::RefreshIndexDefinitions() {
  if (open_) {
    tags_ = open_->tag_definitions();
    return;
  }
  tags_.clear();
  const TablePaths paths = PathsOf(folder_, table_name_);
  if (!DbfFile::DeclaresProductionIndex(paths.dbf)) return;
  try {
    for (const TagInfo& info : ReadProductionIndexTags(paths.mdx)) tags_.push_back(info.definition);
  } catch (const EngineError&) {
    tags_.clear();  // opening the table reports the damaged index
  }
}

void Table::AddIndex(std::string_view tag, std::string_view key, bool expression) {
  const TagDefinition definition{UpperAscii(tag), std::string(key)};
  const auto add = [&](OpenTable& table) {
    if (!expression && table.layout().Find(key) < 0) {
      Fail(EngineFault::kIndexFieldMissing, table.display(), key, definition.name);
    }
    table.AddTag(definition);
    tags_ = table.tag_definitions();
  };
  if (open_) {
    add(*open_);
    return;
  }
  OpenTable table(engine_, PathsOf(folder_, table_name_));
  add(table);
  table.Finish();
}

void Table::SetCurrentIndex(std::string_view tag) {
  if (tag.empty()) {
    current_index_.clear();
    return;
  }
  const auto found = std::find_if(tags_.begin(), tags_.end(), [&](const TagDefinition& known) {
    return SameNameIgnoringCase(known.name, tag);
  });
  if (found == tags_.end()) {
    Fail(EngineFault::kNoSuchTag, Named(table_name_), tag);
  }
  current_index_ = found->name;
}

const std::vector<FieldDescriptor>& Table::fields() const {
  return Opened().layout().fields();
}

int Table::FieldIndex(std::string_view name) const {
  const int index = Opened().layout().Find(name);
  if (index < 0) Fail(EngineFault::kNoSuchField, Named(table_name_), name);
  return index;
}

const FieldDescriptor& Table::Field(int field) const {
  const RecordLayout& layout = Opened().layout();
  if (field < 0 || field >= layout.field_count()) {
    FaultSubject subject;
    subject.table = Named(table_name_);
    subject.number = field;
    throw EngineError(EngineFault::kNoSuchFieldNumber, std::move(subject));
  }
  return layout.field(field);
}

void Table::Append() {
  Opened().Append();
}
void Table::Edit() {
  Opened().Edit();
}
void Table::Post() {
  Opened().Post();
}

// The setters by name go straight to the field FieldIndex found (the table is open and the
// index valid): they run for every value the converters set.
void Table::SetText(std::string_view field, std::string_view text) {
  SetText(FieldIndex(field), text);
}
void Table::SetText(int field, std::string_view text) {
  const FieldDescriptor& descriptor = Field(field);
  const bool fits = PutText(descriptor, text, open_->PendingField(field), open_->display());
  const auto width = static_cast<std::size_t>(descriptor.width);
  if (!fits) {
    ReportAltered(ValueAlteration::kNumberTooWide, field, text);
  } else if (descriptor.type == FieldType::kCharacter && text.size() > width &&
             text.find_first_not_of(' ', width) != std::string_view::npos) {
    ReportAltered(ValueAlteration::kTextCut, field, text);
  }
}

void Table::SetNumber(std::string_view field, double value) {
  SetNumber(FieldIndex(field), value);
}
void Table::SetNumber(int field, double value) {
  const FieldDescriptor& descriptor = Field(field);
  if (!PutNumber(descriptor, value, open_->PendingField(field), open_->display())) {
    ReportAltered(ValueAlteration::kNumberTooWide, field, ShortestText(value));
  }
}

void Table::ReportAltered(ValueAlteration alteration, int field, std::string_view given) {
  const FieldDescriptor& descriptor = Field(field);
  const std::string_view stored = alteration == ValueAlteration::kTextCut
                                      ? given.substr(0, static_cast<std::size_t>(descriptor.width))
                                      : AsChars(open_->PendingField(field));
  engine_.ReportAltered(DbfPath(), alteration, descriptor.name, given, stored);
}

void Table::SetDate(std::string_view field, platform::CalendarDate date) {
  const int index = FieldIndex(field);
  PutDate(open_->layout().field(index), date, open_->PendingField(index), open_->display());
}
void Table::SetDate(int field, platform::CalendarDate date) {
  PutDate(Field(field), date, open_->PendingField(field), open_->display());
}

void Table::SetLogical(std::string_view field, bool value) {
  const int index = FieldIndex(field);
  PutLogical(open_->layout().field(index), value, open_->PendingField(index), open_->display());
}
void Table::SetLogical(int field, bool value) {
  PutLogical(Field(field), value, open_->PendingField(field), open_->display());
}

void Table::SetNull(std::string_view field) {
  SetNull(FieldIndex(field));
}
void Table::SetNull(int field) {
  Field(field);
  StoreNull(open_->PendingField(field));
}

std::uint32_t Table::RecordCount() const {
  return Opened().record_count();
}
void Table::First() {
  Opened().First();
}
void Table::Next() {
  Opened().Next();
}
bool Table::Eof() const {
  return Opened().eof();
}
std::uint32_t Table::RecordNumber() const {
  return Opened().record_number();
}

bool Table::IsDeleted() const {
  return Opened().CurrentRecord()[0] == dbf::kDeletedRecord;
}

std::span<const std::uint8_t> Table::CurrentBytes(int field) const {
  return Opened().layout().Bytes(open_->CurrentRecord(), field);
}

bool Table::IsNull(std::string_view field) const {
  return IsBlank(CurrentBytes(FieldIndex(field)));
}

std::string Table::ReadText(std::string_view field) const {
  const int index = FieldIndex(field);
  return GetText(Field(index), CurrentBytes(index));
}

std::int64_t Table::ReadInteger(std::string_view field) const {
  const int index = FieldIndex(field);
  return GetInteger(Field(index), CurrentBytes(index), open_->display());
}

double Table::ReadNumber(std::string_view field) const {
  const int index = FieldIndex(field);
  return GetNumber(Field(index), CurrentBytes(index), open_->display());
}

std::optional<platform::CalendarDate> Table::ReadDate(std::string_view field) const {
  const int index = FieldIndex(field);
  return GetDate(Field(index), CurrentBytes(index), open_->display());
}

std::optional<bool> Table::ReadLogical(std::string_view field) const {
  const int index = FieldIndex(field);
  return GetLogical(Field(index), CurrentBytes(index), open_->display());
}

bool Table::FindKey(std::string_view key) {
  if (current_index_.empty()) Fail(EngineFault::kNoCurrentIndex, Named(table_name_));
  return Opened().FindKey(current_index_, key);
}

}  // namespace konwerter::engine
