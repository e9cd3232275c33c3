#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "source/source_edition.h"
#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::tools {

// A value of one record, by the name of its field.
struct FieldValue {
  std::string_view field;
  std::string value;
};

// The fields of a catalogue table as the edition's tables hold them.
std::vector<DosField> DosFieldsOf(const source::tables::TableLayout& table,
                                  source::SourceEdition edition);

// Puts a record's values, given by field name, in the order of the fields of a catalogue
// table as the edition's tables hold them.
class FieldOrder {
 public:
  // REQUIRES: `table` outlives the order (the catalogue's entries do).
  FieldOrder(const source::tables::TableLayout& table, source::SourceEdition edition);

  // The values in field order, names in any letter case; a field not given is blank, and
  // the value of a field only the other edition's tables hold is left out. Throws
  // std::invalid_argument for a name the table lacks or a field given twice.
  std::vector<std::string> Arrange(std::vector<FieldValue> values) const;

 private:
  // The position of the edition's field named `name`, looked for from position `from` on
  // (and round); -1 when the edition's table has no such field.
  int PositionOf(std::string_view name, std::size_t from) const;

  const source::tables::TableLayout& table_;
  std::vector<std::string_view> names_;
};

// A DOS table written in its catalogue layout, its records given by field name: a table of
// a test site whose fields are those the converters read.
class CatalogueTableWriter {
 public:
  // Creates `file_name` (the catalogue's name when empty) in the folder, in the layout the
  // edition's tables have. Throws as DosTableWriter does.
  CatalogueTableWriter(const std::filesystem::path& folder,
                       const source::tables::TableLayout& table,
                       source::SourceEdition edition = source::SourceEdition::kLater,
                       std::string_view file_name = {});

  // Adds a record; see FieldOrder::Arrange and DosTableWriter::Add (a value longer than its
  // field is refused).
  void Add(std::vector<FieldValue> values, bool deleted = false);
  void Finish() { writer_.Finish(); }

  std::uint32_t record_count() const { return writer_.record_count(); }

 private:
  FieldOrder order_;
  DosTableWriter writer_;
};

}  // namespace konwerter::tools
