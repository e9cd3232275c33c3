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

// One record's values in the order of the edition's fields, from values given by field name
// (letters in any case); a field not given is blank, and the value of a field only the
// other edition's tables hold is left out. Throws std::invalid_argument for a name the table
// lacks or a field given twice.
std::vector<std::string> ValuesInFieldOrder(const source::tables::TableLayout& table,
                                            source::SourceEdition edition,
                                            const std::vector<FieldValue>& values);

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

  // Adds a record; see ValuesInFieldOrder and DosTableWriter::Add (a value longer than its
  // field is refused).
  void Add(const std::vector<FieldValue>& values, bool deleted = false);
  void Finish() { writer_.Finish(); }

  std::uint32_t record_count() const { return writer_.record_count(); }

 private:
  const source::tables::TableLayout& table_;
  const source::SourceEdition edition_;
  DosTableWriter writer_;
};

}  // namespace konwerter::tools
