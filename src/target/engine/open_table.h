#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "target/engine/dbf_file.h"
#include "target/engine/field.h"
#include "target/engine/table_paths.h"
#include "target/engine/tag_keys.h"

namespace konwerter::engine {

class Engine;

// The files and state of an open table: the .dbf, the tags of its production index with
// the keys of the records, the record being appended or edited and the current record.
// The production index is written whole: when a tag is added and when the table is finished
// after a change.
class OpenTable {
 public:
  // Opens the table and reads its tag list. Throws EngineError: kInvalidDirectory,
  // kNoSuchTable, kNoSuchIndex (a declared production index missing or damaged), kOther (a
  // damaged table, a tag expression the engine does not know).
  OpenTable(Engine& engine, TablePaths paths);
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;

  const RecordLayout& layout() const { return file_.layout(); }
  const std::string& display() const { return file_.display(); }
  std::uint32_t record_count() const { return file_.record_count(); }
  std::vector<TagDefinition> tag_definitions() const;

  // --- Writing
  void Append();
  // REQUIRES: a current record (throws EngineError kOther otherwise).
  void Edit();
  void Post();
  // The bytes of a field of the record being appended or edited; throws EngineError kOther
  // when no record is. REQUIRES: 0 <= field < layout().field_count().
  std::span<std::uint8_t> PendingField(int field) {
    if (mode_ == Mode::kBrowse) FailNotPending(field);
    return layout().Bytes(pending_, field);
  }

  // --- Reading: the record being appended or edited, else the current record, else a
  // blank one when the table has no current record.
  std::span<const std::uint8_t> CurrentRecord();
  void First();
  void Next();
  bool eof() const { return eof_; }
  std::uint32_t record_number() const;

  // Positions on the first record of tag `tag` whose key is `key` (padded or cut to the
  // key length); false, the position unchanged, when there is none.
  // Throws EngineError kNoSuchIndex when there is no such tag.
  bool FindKey(std::string_view tag, std::string_view key);

  // Adds or replaces a tag and writes the production index. Throws EngineError kOther for
  // a name or expression the engine does not take.
  void AddTag(const TagDefinition& tag);
  // Makes Close write the production index even when no record changed.
  void RequireIndexRebuild() { index_stale_ = true; }

  // Posts a pending record, writes the production index when it is out of date and the
  // header when anything changed, and closes the files.
  void Finish();
  // Closes the files without writing the production index: a record begun and not posted
  // is dropped; when records were posted since the index was last written, they stay under
  // a header that counts them and declares no production index, and the .mdx, which no
  // longer describes them, is removed. Errors are swallowed: this is the way out of a
  // failure.
  void Abandon() noexcept;

 private:
  enum class Mode { kBrowse, kAppend, kEdit };

  [[noreturn]] void FailNotPending(int field) const;
  void KeyRecord(std::uint32_t number, std::span<const std::uint8_t> record);
  void KeyAllRecords();
  void WriteIndex(bool release_keys);
  std::vector<std::uint8_t> SearchKey(const KeyExpression& expression, std::string_view key) const;

  Engine& engine_;
  TablePaths paths_;
  DbfFile file_;
  std::vector<TagKeys> tags_;
  bool index_stale_ = false;
  Mode mode_ = Mode::kBrowse;
  // The record being appended (in place in the file's append buffer) or edited (in
  // edited_); empty in browse mode.
  std::span<std::uint8_t> pending_;
  std::vector<std::uint8_t> edited_;
  std::uint32_t editing_ = 0;
  std::uint32_t current_ = 0;  // 0: no current record
  bool eof_ = true;
  std::vector<std::uint8_t> blank_;
};

}  // namespace konwerter::engine
