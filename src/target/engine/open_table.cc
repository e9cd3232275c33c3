#include "target/engine/open_table.h"

#include <algorithm>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "target/engine/engine.h"
#include "target/engine/failure.h"
#include "target/engine/field_value.h"
#include "target/engine/production_index.h"

namespace konwerter::engine {

namespace {

DbfFile OpenFile(const TablePaths& paths) {
  RequireTableFile(paths);
  return DbfFile::Open(paths.dbf, platform::Utf8FromCp1250(paths.dbf));
}

// The table's name without folder and extension, as the index file's header keeps it.
std::string BaseName(std::string_view dbf_path) {
  const std::size_t separator = dbf_path.find_last_of("\\/");
  std::string_view name =
      separator == std::string_view::npos ? dbf_path : dbf_path.substr(separator + 1);
  return std::string(name.substr(0, name.find_last_of('.')));
}

bool IsTagName(std::string_view name) {
  return !name.empty() && name.size() <= dbf::kMaxNameLength &&
         std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
         });
}

KeyExpression ParseTagExpression(const TagDefinition& tag, const RecordLayout& layout,
                                 std::string_view table) {
  ExpressionError error;
  auto expression = KeyExpression::Parse(tag.expression, layout, error);
  if (!expression) {
    FaultSubject subject;
    subject.table = table;
    subject.name = tag.name;
    subject.detail = tag.expression;
    subject.expression = std::move(error);
    throw EngineError(EngineFault::kTagExpressionRefused, std::move(subject));
  }
  return std::move(*expression);
}

}  // namespace

OpenTable::OpenTable(Engine& engine, TablePaths paths)
    : engine_(engine), paths_(std::move(paths)), file_(OpenFile(paths_)) {
  if (file_.declares_production_index()) {
    for (const TagInfo& info : ReadProductionIndexTags(paths_.mdx)) {
      tags_.emplace_back(info.definition, ParseTagExpression(info.definition, layout(), display()));
    }
  }
  blank_.assign(layout().record_length(), dbf::kLiveRecord);
  First();
}

std::vector<TagDefinition> OpenTable::tag_definitions() const {
  std::vector<TagDefinition> definitions;
  definitions.reserve(tags_.size());
  for (const TagKeys& tag : tags_) definitions.push_back(tag.definition());
  return definitions;
}

void OpenTable::Append() {
  Post();
  pending_ = file_.StartAppend(blank_);
  mode_ = Mode::kAppend;
}

void OpenTable::Edit() {
  if (mode_ != Mode::kBrowse) return;
  if (current_ == 0) Fail(EngineFault::kNoCurrentRecord, display());
  const auto record = file_.Read(current_);
  edited_.assign(record.begin(), record.end());
  pending_ = edited_;
  editing_ = current_;
  mode_ = Mode::kEdit;
}

void OpenTable::Post() {
  switch (mode_) {
    case Mode::kBrowse:
      return;
    case Mode::kAppend:
      file_.CommitAppend();
      current_ = file_.record_count();
      break;
    case Mode::kEdit:
      file_.Overwrite(editing_, pending_);
      current_ = editing_;
      break;
  }
  mode_ = Mode::kBrowse;
  eof_ = false;
  KeyRecord(current_, pending_);
  pending_ = {};
  index_stale_ = true;
}

void OpenTable::FailNotPending(int field) const {
  Fail(EngineFault::kFieldNotPending, display(), layout().field(field).name);
}

std::span<const std::uint8_t> OpenTable::CurrentRecord() {
  if (mode_ != Mode::kBrowse) return pending_;
  if (current_ != 0) return file_.Read(current_);
  return blank_;
}

void OpenTable::First() {
  Post();
  current_ = record_count() > 0 ? 1 : 0;
  eof_ = current_ == 0;
}

void OpenTable::Next() {
  Post();
  if (current_ < record_count()) {
    ++current_;
  } else {
    eof_ = true;
  }
}

std::uint32_t OpenTable::record_number() const {
  switch (mode_) {
    case Mode::kAppend:
      return record_count() + 1;
    case Mode::kEdit:
      return editing_;
    case Mode::kBrowse:
      break;
  }
  return current_;
}

bool OpenTable::FindKey(std::string_view tag, std::string_view key) {
  Post();
  const auto found = std::find_if(tags_.begin(), tags_.end(), [&](const TagKeys& keys) {
    return SameNameIgnoringCase(keys.definition().name, tag);
  });
  if (found == tags_.end()) {
    Fail(EngineFault::kNoSuchTag, display(), tag);
  }
  KeyAllRecords();
  const auto record = found->Find(SearchKey(found->expression(), key));
  if (!record) return false;
  current_ = *record;
  eof_ = false;
  return true;
}

std::vector<std::uint8_t> OpenTable::SearchKey(const KeyExpression& expression,
                                               std::string_view key) const {
  std::vector<std::uint8_t> bytes(expression.key_length());
  switch (expression.key_type()) {
    case KeyType::kCharacter:
      StoreText(key, bytes);
      break;
    case KeyType::kNumeric:
      EncodeNumericKeyFromText(key, bytes);
      break;
    case KeyType::kDate:
      EncodeDateKey(ParseDateText(key), bytes);
      break;
  }
  return bytes;
}

void OpenTable::AddTag(const TagDefinition& tag) {
  if (!IsTagName(tag.name)) Fail(EngineFault::kTagNameRefused, display(), tag.name);
  KeyExpression expression = ParseTagExpression(tag, layout(), display());
  Post();
  const auto same = std::find_if(tags_.begin(), tags_.end(), [&](const TagKeys& keys) {
    return keys.definition().name == tag.name;
  });
  if (same != tags_.end()) {
    *same = TagKeys(tag, std::move(expression));
  } else {
    tags_.emplace_back(tag, std::move(expression));
  }
  WriteIndex(false);
}

void OpenTable::KeyRecord(std::uint32_t number, std::span<const std::uint8_t> record) {
  for (TagKeys& tag : tags_) {
    if (number <= tag.count() + 1) tag.Store(number, record);
  }
}

void OpenTable::KeyAllRecords() {
  std::uint32_t first = record_count() + 1;
  for (const TagKeys& tag : tags_) first = std::min(first, tag.count() + 1);
  for (std::uint32_t number = first; number <= record_count(); ++number) {
    const auto record = file_.Read(number);
    for (TagKeys& tag : tags_) {
      if (tag.count() < number) tag.Store(number, record);
    }
  }
}

void OpenTable::WriteIndex(bool release_keys) {
  KeyAllRecords();
  std::vector<TagBuild> builds;
  builds.reserve(tags_.size());
  for (TagKeys& tag : tags_) builds.push_back(release_keys ? tag.Release() : tag.Build());
  WriteProductionIndex(paths_.mdx, BaseName(paths_.dbf), builds, engine_.today());
  index_stale_ = false;
}

void OpenTable::Finish() {
  Post();
  if (index_stale_ && !tags_.empty()) WriteIndex(true);
  file_.Finish(engine_.today(), tag_definitions());
}

void OpenTable::Abandon() noexcept {
  try {
    if (index_stale_ && !tags_.empty()) {
      file_.Finish(engine_.today(), {});
      platform::RemoveFile(paths_.mdx);
    } else {
      file_.Finish(engine_.today(), tag_definitions());
    }
  } catch (const std::exception&) {
    // The files close with the object; the failure being handled is the one to report.
  }
}

}  // namespace konwerter::engine
