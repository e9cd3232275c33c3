#include "source/table_catalogue.h"

#include <algorithm>
#include <cctype>

namespace konwerter::source::tables {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

bool InEdition(Editions editions, SourceEdition edition) {
  switch (editions) {
    case Editions::kBoth:
      return true;
    case Editions::kLaterOnly:
      return edition == SourceEdition::kLater;
    case Editions::kEarlierOnly:
      return edition == SourceEdition::kEarlier;
  }
  return false;
}

const FieldLayout* FindField(const TableLayout& table, std::string_view name,
                             SourceEdition edition) {
  for (const FieldLayout& field : table.fields) {
    if (SameName(field.name, name) && InEdition(field.editions, edition)) return &field;
  }
  return nullptr;
}

std::vector<FieldLayout> FieldsOf(const TableLayout& table, SourceEdition edition) {
  std::vector<FieldLayout> fields;
  for (const FieldLayout& field : table.fields) {
    if (InEdition(field.editions, edition)) fields.push_back(field);
  }
  return fields;
}

bool BindingFits(const FieldLayout& field, BindingKind kind) {
  switch (kind) {
    case BindingKind::kText:
    case BindingKind::kUntrimmedText:
    case BindingKind::kRawText:
      return field.type == 'C' || field.type == 'D';
    case BindingKind::kByte:
    case BindingKind::kWord:
    case BindingKind::kLong:
    case BindingKind::kReal:
      return field.type == 'N';
    case BindingKind::kLogical:
      return field.type == 'L';
    case BindingKind::kBinary2:
      return field.type == 'C' && field.width == 2;
    case BindingKind::kBinary4:
      return field.type == 'C' && field.width == 4;
  }
  return false;
}

}  // namespace konwerter::source::tables
