#include "tools/dos/catalogue_table_writer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace konwerter::tools {

namespace {

namespace tables = source::tables;

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Upper(x) == Upper(y); });
}

}  // namespace

std::vector<DosField> DosFieldsOf(const tables::TableLayout& table, source::SourceEdition edition) {
  std::vector<DosField> fields;
  for (const tables::FieldLayout& field : tables::FieldsOf(table, edition)) {
    fields.push_back({std::string(field.name), field.type, field.width, field.decimals});
  }
  return fields;
}

FieldOrder::FieldOrder(const tables::TableLayout& table, source::SourceEdition edition)
    : table_(table) {
  for (const tables::FieldLayout& field : tables::FieldsOf(table, edition)) {
    names_.push_back(field.name);
  }
}

int FieldOrder::PositionOf(std::string_view name, std::size_t from) const {
  const std::size_t count = names_.size();
  for (std::size_t step = 0; step < count; ++step) {
    const std::size_t i = (from + step) % count;
    if (names_[i] == name || SameName(names_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string> FieldOrder::Arrange(std::vector<FieldValue> values) const {
  std::vector<std::string> ordered(names_.size());
  std::vector<bool> given(names_.size());
  std::size_t next = 0;  // values mostly come in field order: look there first
  for (FieldValue& value : values) {
    const int position = PositionOf(value.field, next);
    if (position < 0) {
      const bool other_edition = std::any_of(
          table_.fields.begin(), table_.fields.end(),
          [&](const tables::FieldLayout& field) { return SameName(field.name, value.field); });
      if (other_edition) continue;
      throw std::invalid_argument(std::string(table_.file) + " has no field " +
                                  std::string(value.field));
    }
    const auto index = static_cast<std::size_t>(position);
    if (given[index]) {
      throw std::invalid_argument(std::string(value.field) + " given twice for " +
                                  std::string(table_.file));
    }
    given[index] = true;
    ordered[index] = std::move(value.value);
    next = index + 1;
  }
  return ordered;
}

CatalogueTableWriter::CatalogueTableWriter(const std::filesystem::path& folder,
                                           const tables::TableLayout& table,
                                           source::SourceEdition edition,
                                           std::string_view file_name)
    : order_(table, edition),
      writer_(folder / (file_name.empty() ? table.file : file_name), DosFieldsOf(table, edition)) {}

void CatalogueTableWriter::Add(std::vector<FieldValue> values, bool deleted) {
  writer_.Add(order_.Arrange(std::move(values)), deleted);
}

}  // namespace konwerter::tools
