#include "target/verification/database_check.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "target/verification/database_files.h"
#include "target/verification/identifier_check.h"
#include "target/verification/index_check.h"
#include "target/verification/reference_check.h"
#include "target/verification/reference_map.h"
#include "target/verification/sequence_rows.h"
#include "target/verification/table_image.h"
#include "target/verification/table_places.h"

namespace konwerter::verification {

namespace {

namespace fs = std::filesystem;
namespace tables = target::tables;

TableName NameOf(const TablePlace& place) {
  return {place.folder, place.strings->table};
}

std::string IndexFileName(std::string_view table) {
  return std::string(table.substr(0, table.find_last_of('.'))) + ".mdx";
}

// How far a table lies from the tables that refer to nothing: each table is checked after
// every table it refers to, so that their keys are known.
int Depth(const TableName& table, std::map<std::string, int>& known) {
  const std::string name = std::string(table.folder) + "\\" + std::string(table.table);
  if (const auto found = known.find(name); found != known.end()) return found->second;
  known[name] = 0;  // the map has no cycles; this only guards against one
  int depth = 0;
  for (const Reference& reference : References()) {
    if (reference.table == table && !(reference.referred == table)) {
      depth = std::max(depth, Depth(reference.referred, known) + 1);
    }
  }
  known[name] = depth;
  return depth;
}

// A table of the catalogue as the output holds it.
struct PresentTable {
  const TablePlace* place;
  fs::path file;
  int depth = 0;
};

class DatabaseChecker {
 public:
  explicit DatabaseChecker(const fs::path& output_folder) : files_(output_folder) {}

  DatabaseCheck Run();

 private:
  void CheckSequenceTable(const fs::path& file);
  std::vector<PresentTable> FindTables();
  void NoteOtherFiles(const std::vector<PresentTable>& present);
  void CheckTable(const PresentTable& table);
  void GatherTextKeys(const TableImage& image, const TableName& name);
  void CheckSequenceRowsPresent(const std::vector<PresentTable>& present);

  DatabaseFiles files_;
  DatabaseCheck check_;
  fs::path sequence_file_;
  SequenceRows sequences_;
  ReferredKeys referred_;
};

DatabaseCheck DatabaseChecker::Run() {
  const std::optional<fs::path> dostep =
      files_.Find(tables::kAdminDostep.group, tables::kAdminDostep.table);
  if (!dostep) return std::move(check_);
  check_.converted_database = true;
  CheckSequenceTable(*dostep);
  std::vector<PresentTable> present = FindTables();
  NoteOtherFiles(present);
  std::stable_sort(present.begin(), present.end(),
                   [](const PresentTable& a, const PresentTable& b) { return a.depth < b.depth; });
  for (const PresentTable& table : present) {
    if (table.place->strings != &tables::kAdminDostep) CheckTable(table);
  }
  CheckSequenceRowsPresent(present);
  return std::move(check_);
}

void DatabaseChecker::CheckSequenceTable(const fs::path& file) {
  sequence_file_ = file;
  const std::optional<TableImage> image = ReadTable(file, tables::kAdminDostep, check_);
  if (!image) return;
  if (const auto mdx =
          files_.Find(tables::kAdminDostep.group, IndexFileName(tables::kAdminDostep.table))) {
    CheckIndex(*image, *mdx, tables::kAdminDostep.indexes, check_);
  } else {
    check_.Add(FindingKind::kIndexMissing, fs::path(file).replace_extension(".mdx"));
  }
  sequences_ = SequenceRows(*image, check_);
}

std::vector<PresentTable> DatabaseChecker::FindTables() {
  std::vector<PresentTable> present;
  std::map<std::string, int> depths;
  for (const TablePlace& place : ExpectedTables()) {
    const std::optional<fs::path> file = files_.Find(place.folder, place.strings->table);
    if (!file) {
      check_.Add(place.optional ? FindingKind::kOptionalTableMissing : FindingKind::kTableMissing,
                 files_.Expected(place.folder, place.strings->table));
      continue;
    }
    present.push_back({&place, *file, Depth(NameOf(place), depths)});
  }
  return present;
}

void DatabaseChecker::NoteOtherFiles(const std::vector<PresentTable>& present) {
  std::set<fs::path> expected;
  for (const PresentTable& table : present) {
    expected.insert(table.file);
    if (table.place->strings->indexes.empty()) continue;
    if (auto mdx = files_.Find(table.place->folder, IndexFileName(table.place->strings->table))) {
      expected.insert(*mdx);
    }
  }
  for (const fs::path& file : files_.TableFilesOtherThan(expected)) {
    check_.Add(FindingKind::kUnexpectedFile, file);
  }
}

void DatabaseChecker::CheckTable(const PresentTable& table) {
  const tables::TableStrings& strings = *table.place->strings;
  const std::optional<TableImage> image = ReadTable(table.file, strings, check_);
  if (!image) return;
  if (!strings.indexes.empty()) {
    if (const auto mdx = files_.Find(table.place->folder, IndexFileName(strings.table))) {
      CheckIndex(*image, *mdx, strings.indexes, check_);
    } else {
      check_.Add(FindingKind::kIndexMissing, fs::path(table.file).replace_extension(".mdx"));
    }
  }
  const TableName name = NameOf(*table.place);
  if (const SequenceUse* sequence = SequenceOf(name)) {
    const SequenceRow* row = sequences_.Find(sequence->row);
    IdentifierSet identifiers = CheckIdentifiers(*image, *sequence, row, sequence_file_, check_);
    referred_.AddIdentifiers(name, std::move(identifiers),
                             row != nullptr ? std::optional(row->next_value) : std::nullopt);
  }
  GatherTextKeys(*image, name);
  for (const Reference& reference : References()) {
    if (reference.table == name) CheckReferences(*image, reference, referred_, check_);
  }
}

// The keys of a table referred to by text, for every set of fields referred to.
void DatabaseChecker::GatherTextKeys(const TableImage& image, const TableName& name) {
  if (SequenceOf(name) != nullptr) return;
  std::set<std::string_view> gathered;
  for (const Reference& reference : References()) {
    if (!(reference.referred == name) || !gathered.insert(reference.referred_fields).second) {
      continue;
    }
    const KeyFields fields(image.layout(), reference.referred_fields);
    if (!fields.valid()) continue;
    TextKeySet keys;
    std::string key;
    for (std::uint32_t record = 1; record <= image.record_count(); ++record) {
      const std::string_view value = fields.Of(image.Record(record), key);
      if (!value.empty()) keys.Insert(value);
    }
    referred_.AddTexts(name, reference.referred_fields, std::move(keys));
  }
}

// Every table a sequence numbers, once written, has its sequence row.
void DatabaseChecker::CheckSequenceRowsPresent(const std::vector<PresentTable>& present) {
  for (const SequenceUse& sequence : Sequences()) {
    const bool written = std::any_of(present.begin(), present.end(), [&](const PresentTable& t) {
      return NameOf(*t.place) == sequence.table;
    });
    if (written && sequences_.Find(sequence.row) == nullptr) {
      check_.Add(FindingKind::kSequenceMissing, sequence_file_, 0, std::string(sequence.row));
    }
  }
}

}  // namespace

DatabaseCheck CheckConvertedDatabase(const std::filesystem::path& output_folder) {
  return DatabaseChecker(output_folder).Run();
}

}  // namespace konwerter::verification
