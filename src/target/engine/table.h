#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/calendar_date.h"
#include "target/engine/field.h"
#include "target/engine/value_observer.h"

namespace konwerter::engine {

class Engine;
class OpenTable;  // the files and state of an open table (defined in the implementation)

// Table paths: the folder (a program path, a backslash appended when missing) followed by
// the table name; ".dbf" is added when the name has no extension. The .mdx and .dbt share
// the base name. Existing files are found whatever the letter case of their names.

// Creates a level-5 table with the fields in order and no index, replacing an existing
// .dbf. Throws EngineError kInvalidDirectory when the folder does not exist.
void CreateTable(Engine& engine, std::string_view folder, std::string_view table_name,
                 std::span<const FieldDescriptor> fields);

// One field of a restructured table and where its data comes from.
struct RestructuredField {
  FieldDescriptor field;
  std::optional<int> source;  // index of the existing field that feeds it; none for a new field
};

// Rewrites a closed table with a new field list, keeping every record: values of kept
// fields are carried over (text widened, numbers re-formatted to the new width and
// decimals), new fields start empty. The production index is rebuilt with its tags.
// Throws EngineError as Table::Open does.
void RestructureTable(Engine& engine, std::string_view folder, std::string_view table_name,
                      std::span<const RestructuredField> fields);

// A table object in the manner of the Windows edition's engine: set the folder and name,
// open it, append or edit records field by field, post, and end it with Finish. Text goes
// in and comes out as the program's cp1250 and is stored in cp852. The production index is
// kept by building every tag in bulk when the table is finished, so that a finished table's
// index always reflects its records. A table that is not finished (a failure ended its
// writer) is abandoned: see Abandon.
class Table {
 public:
  Table(Engine& engine, std::string folder, std::string table_name);
  ~Table();  // abandons a table still open
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  Engine& engine() const { return engine_; }
  const std::string& folder() const { return folder_; }
  const std::string& table_name() const { return table_name_; }
  std::string DbfPath() const;
  std::string MdxPath() const;
  std::string DbtPath() const;
  void set_exclusive(bool exclusive) { exclusive_ = exclusive; }
  bool exclusive() const { return exclusive_; }

  // Whether the header of the closed table declares a production index that cannot be read
  // (its .mdx missing or damaged), so that Open would fail with kNoSuchIndex.
  bool DeclaredIndexUnreadable() const;

  // Opens the table with its production index. Throws EngineError: kInvalidDirectory when
  // the folder is missing, kNoSuchTable when the .dbf is missing, kNoSuchIndex when the
  // header declares a production index that is missing or unreadable, kOther when the
  // file is damaged (every size read from it is checked).
  void Open();
  // Posts a pending record, rebuilds the production index when anything changed, writes the
  // header and closes the files. Does nothing when the table is closed. Throws EngineError
  // or platform::IoError when it cannot; the table counts as closed either way.
  void Finish();
  // Closes the table without building its index, as a failed run leaves it: a record begun
  // and not posted is dropped; the records posted stay, under a header that counts them and
  // declares no production index, and the .mdx, which would no longer describe them, is
  // removed. A table nothing was posted to since its index was written is left as it is.
  // Never throws; does nothing when the table is closed.
  void Abandon() noexcept;
  bool is_open() const { return open_ != nullptr; }

  // --- Index definitions (the tags of the production index, in tag-table order)
  // Reads the tag list from the .mdx; works on an open or a closed table (none: empty).
  void RefreshIndexDefinitions();
  const std::vector<TagDefinition>& index_definitions() const { return tags_; }
  // Adds a tag and builds it. `key` is a field name when `expression` is false, otherwise a
  // dBase key expression (field names, +, UPPER, STR, DTOS). Works on an open or closed
  // table. Throws EngineError kOther for an expression the engine does not know.
  void AddIndex(std::string_view tag, std::string_view key, bool expression);
  // Makes a tag (name compared ignoring case) the current index, or none for "".
  // Throws EngineError kNoSuchIndex when there is no such tag.
  void SetCurrentIndex(std::string_view tag);
  const std::string& current_index() const { return current_index_; }

  // --- Fields of the open table
  const std::vector<FieldDescriptor>& fields() const;
  // Position of a field (name compared ignoring case); throws EngineError kOther if absent.
  int FieldIndex(std::string_view name) const;

  // --- Writing. Append begins a new record with every field empty (null); Edit begins
  // changing the current record; Post writes the pending record. A pending record is also
  // posted by the next Append and by Finish.
  void Append();
  void Edit();
  void Post();
  // Setters name a field by its name (ignoring case) or its position.
  // Text is cut to the field's width. A number that does not fit its field after rounding
  // to its decimals is stored as "*" fill. The engine's value observer hears of both (of a
  // cut text only when non-blank text was cut off).
  void SetText(std::string_view field, std::string_view text);
  void SetText(int field, std::string_view text);
  void SetNumber(std::string_view field, double value);
  void SetNumber(int field, double value);
  void SetDate(std::string_view field, platform::CalendarDate date);
  void SetDate(int field, platform::CalendarDate date);
  void SetLogical(std::string_view field, bool value);
  void SetLogical(int field, bool value);
  void SetNull(std::string_view field);
  void SetNull(int field);

  // --- Reading, in physical record order
  std::uint32_t RecordCount() const;
  void First();
  void Next();
  bool Eof() const;
  // The current record's 1-based number (0 when there is none).
  std::uint32_t RecordNumber() const;
  bool IsDeleted() const;
  bool IsNull(std::string_view field) const;
  // Character fields: the text with trailing spaces removed, as cp1250.
  std::string ReadText(std::string_view field) const;
  // Numeric fields: the value (0 when empty); ReadInteger truncates toward zero.
  std::int64_t ReadInteger(std::string_view field) const;
  double ReadNumber(std::string_view field) const;
  std::optional<platform::CalendarDate> ReadDate(std::string_view field) const;
  std::optional<bool> ReadLogical(std::string_view field) const;

  // Positions the table on the first record, in key order of the current index, whose key
  // equals `key` (cp1250 text for character keys; decimal text for numeric keys; YYYYMMDD
  // for date keys); a text key is padded with spaces to the key length. False when none.
  // REQUIRES: a current index.
  bool FindKey(std::string_view key);

 private:
  // The open table; throws EngineError kOther when the table is closed.
  OpenTable& Opened() const;
  // The field at a position of the open table; throws EngineError kOther when none is.
  const FieldDescriptor& Field(int field) const;
  // Tells the engine's observer that the pending value of a field was stored otherwise
  // than `given`.
  void ReportAltered(ValueAlteration alteration, int field, std::string_view given);
  // The bytes of a field of the current record. REQUIRES: a valid position.
  std::span<const std::uint8_t> CurrentBytes(int field) const;

  Engine& engine_;
  std::string folder_;
  std::string table_name_;
  bool exclusive_ = false;
  std::vector<TagDefinition> tags_;
  std::string current_index_;
  std::unique_ptr<OpenTable> open_;
};

}  // namespace konwerter::engine
