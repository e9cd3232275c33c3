#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "source/table_fault.h"
#include "source/transliteration.h"

namespace konwerter::source {

// How a bound field is read into its destination.
enum class BindingKind : char {
  kText = 'a',           // trimmed and transliterated text
  kUntrimmedText = 'u',  // transliterated text with its trailing spaces
  kRawText = 'c',        // the bytes as stored
  kByte = 'b',           // low 8 bits of a parsed integer
  kWord = 'w',           // low 16 bits of a parsed integer
  kLong = 'l',           // a parsed signed 32-bit integer
  kReal = 'r',           // a parsed floating-point number
  kLogical = 'k',        // "T", "t", "Y", "y" -> true
  kBinary2 = 'n',        // the first 2 bytes, little-endian
  kBinary4 = 'm',        // the first 4 bytes, little-endian
};

// Status codes of the last operation; 0 is success.
enum SourceStatus : std::int32_t {
  kSourceOk = 0,
  kSourceBadHandle = 1,  // handle 0 or above 100, or no free slot at open
  kSourceCannotOpen = 2,
  kSourceShortRead = 3,  // file shorter than the 12-byte header, or a refill below one record
  kSourceSeekFailed = 4,
  kSourcePastEnd = 5,
  kSourceBadNumber = 6,  // a numeric field does not convert; see conversion_position()
  kSourceNoSuchField = 7,
  kSourceNegativeRecord = 8,
  kSourceBadStructure = 9,  // the header does not describe the file; see last_open_fault()
};

using TableHandle = int;  // 1..100; 0 = no table
inline constexpr int kSourceSlotCount = 100;

// A field as the table's header describes it.
struct SourceFieldInfo {
  std::string name;  // as stored, up to 10 bytes
  char type = 'C';
  std::uint8_t width = 0;
  std::uint8_t decimals = 0;
};

// The header copy and field list of an open table.
struct SourceTableInfo {
  std::uint32_t record_count = 0;
  std::uint16_t header_length = 0;
  std::uint16_t record_length = 0;
  std::vector<SourceFieldInfo> fields;
};

// A header that counts more records than the file holds: the count it gives, and the whole
// records read instead. Both 0 when the header and the file agree.
struct ShortTable {
  std::uint32_t header_count = 0;
  std::uint32_t whole_records = 0;
  bool operator==(const ShortTable&) const = default;
};

// A numeric field whose text did not convert: its name and its bytes as stored.
struct BadNumber {
  std::string field;
  std::string text;
};

class SourceTableSlot;  // one open table (defined in the implementation)
struct FieldBinding;

// The DOS side's table reader: up to 100 dBase III tables open at once, each named by a
// handle. Callers bind fields of the table opened last to their own variables, then walk
// it record by record; a read fills every bound variable from the current record.
// Read-only: it never writes to a source file.
class SourceTables {
 public:
  // `pages` is the run's code-page state; it is read at every text read.
  explicit SourceTables(const CodePages& pages);
  ~SourceTables();
  SourceTables(const SourceTables&) = delete;
  SourceTables& operator=(const SourceTables&) = delete;

  // Marks every slot free (closing any table still open). Status untouched.
  void ResetSlots();

  // Opens a table (".dbf" appended when the path holds no dot) in the lowest free slot,
  // makes it the current table and goes to record 0. Returns 0 when it fails.
  TableHandle Open(std::string_view path);
  // Gives the table a read-ahead buffer of (bytes / record length) whole records.
  void SetReadAhead(TableHandle table, std::uint32_t bytes);

  // Makes an open table the current one, the table the Bind calls below bind. Status 1 for a
  // bad handle or a free slot.
  void Select(TableHandle table);

  // Bind a field of the current table (name compared regardless of case) to a destination.
  // The destination must stay alive while the table is open. Text destinations receive at
  // most `capacity` bytes. A missing field gives status 7 and binds nothing.
  void BindText(std::string_view field, std::string* destination, std::size_t capacity = 255);
  // The same with the field's trailing spaces kept (a text wrapped over several records).
  void BindUntrimmedText(std::string_view field, std::string* destination,
                         std::size_t capacity = 255);
  void BindRawText(std::string_view field, std::string* destination, std::size_t capacity = 255);
  void BindByte(std::string_view field, std::uint8_t* destination);
  void BindWord(std::string_view field, std::uint16_t* destination);
  void BindLong(std::string_view field, std::int32_t* destination);
  void BindReal(std::string_view field, double* destination);
  void BindLogical(std::string_view field, bool* destination);
  void BindBinary2(std::string_view field, std::uint16_t* destination);
  void BindBinary4(std::string_view field, std::uint32_t* destination);

  // The header's record count (status untouched unless the handle is bad).
  std::uint32_t RecordCount(TableHandle table);
  // True when the table is past its end or holds no records.
  bool AtEnd(TableHandle table);
  void ReadRecord(TableHandle table);
  void NextRecord(TableHandle table);
  // `record` is 0-based.
  void GoToRecord(TableHandle table, std::int32_t record);
  void Close(TableHandle table);
  // Closes every open table; raises the first close failure after trying them all.
  void CloseAll();
  // Closes every open table without raising, for clean-up while an error unwinds. False
  // when a close failed.
  bool ReleaseAll() noexcept;

  // The header and field list of an open table; nullopt for a bad handle or a free slot.
  // Status untouched.
  std::optional<SourceTableInfo> Describe(TableHandle table) const;
  // True when the current record carries the deletion flag "*" (reads deliver deleted
  // records like live ones). False for a bad handle or a free slot. Status untouched.
  bool CurrentRecordDeleted(TableHandle table) const;

  // What was wrong with the file the last open refused with status 3 or 9 (none when it
  // could not be opened at all), and what the last successful open found short (a record
  // count the file cannot hold).
  const TableFault& last_open_fault() const { return last_open_fault_; }
  const ShortTable& last_short_table() const { return last_short_table_; }
  // The numeric field whose text did not convert at the last read that ended with status 6:
  // its name and its bytes as stored. REQUIRES: status() == kSourceBadNumber after a read.
  const BadNumber& last_bad_number() const { return last_bad_number_; }
  // The bytes of a field of the current record as stored; empty for a bad handle, a free
  // slot or a field the table lacks.
  std::string RawField(TableHandle table, std::string_view field) const;
  // True when the current record's deletion flag is neither a space nor "*": the record is
  // not where the header puts it, or was overwritten. False for a bad handle or a free slot.
  bool CurrentRecordDamaged(TableHandle table) const;

  std::int32_t status() const { return status_; }
  std::int32_t conversion_position() const { return conversion_position_; }

 private:
  // The table in the slot of a valid handle, or nullptr; sets status 1 for a bad handle.
  SourceTableSlot* TableOrNull(TableHandle table);
  const SourceTableSlot* InUse(TableHandle table) const;
  void Bind(std::string_view field, FieldBinding binding);

  const CodePages& pages_;
  std::array<std::unique_ptr<SourceTableSlot>, kSourceSlotCount> slots_;
  TableHandle current_ = 0;
  std::int32_t status_ = kSourceOk;
  std::int32_t conversion_position_ = 0;
  TableFault last_open_fault_;
  ShortTable last_short_table_;
  BadNumber last_bad_number_;
};

}  // namespace konwerter::source
