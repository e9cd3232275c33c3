#include "tools/dos/catalogue_table_writer.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace konwerter::tools {

namespace {

namespace tables = source::tables;

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

bool HasFieldOfAnyEdition(const tables::TableLayout& table, std::string_view name) {
  return std::any_of(table.fields.begin(), table.fields.end(),
                     [&](const tables::FieldLayout& field) { return SameName(field.name, name); });
}

}  // namespace

std::vector<DosField> DosFieldsOf(const tables::TableLayout& table, source::SourceEdition edition) {
  std::vector<DosField> fields;
  for (const tables::FieldLayout& field : tables::FieldsOf(table, edition)) {
    fields.push_back({std::string(field.name), field.type, field.width, field.decimals});
  }
  return fields;
}

std::vector<std::string> ValuesInFieldOrder(const tables::TableLayout& table,
                                            source::SourceEdition edition,
                                            const std::vector<FieldValue>& values) {
  std::vector<std::string> ordered;
  std::vector<bool> given;
  std::vector<std::string_view> names;
  for (const tables::FieldLayout& field : table.fields) {
    if (tables::InEdition(field.editions, edition)) names.push_back(field.name);
  }
  ordered.resize(names.size());
  given.resize(names.size());
  for (const FieldValue& value : values) {
    const auto found = std::find_if(names.begin(), names.end(), [&](std::string_view name) {
      return SameName(name, value.field);
    });
    if (found == names.end()) {
      if (HasFieldOfAnyEdition(table, value.field)) continue;
      throw std::invalid_argument(std::string(table.file) + " has no field " +
                                  std::string(value.field));
    }
    const auto index = static_cast<std::size_t>(found - names.begin());
    if (given[index]) {
      throw std::invalid_argument(std::string(value.field) + " given twice for " +
                                  std::string(table.file));
    }
    given[index] = true;
    ordered[index] = value.value;
  }
  return ordered;
}

CatalogueTableWriter::CatalogueTableWriter(const std::filesystem::path& folder,
                                           const tables::TableLayout& table,
                                           source::SourceEdition edition,
                                           std::string_view file_name)
    : table_(table),
      edition_(edition),
      writer_(folder / (file_name.empty() ? table.file : file_name), DosFieldsOf(table, edition)) {}

void CatalogueTableWriter::Add(const std::vector<FieldValue>& values, bool deleted) {
  writer_.Add(ValuesInFieldOrder(table_, edition_, values), deleted);
}

}  // namespace konwerter::tools
