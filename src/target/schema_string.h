#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "target/engine/field.h"

namespace konwerter::target {

// A table schema string lists fields as "name;type;width;decimals" items joined by "|",
// e.g. "NextVal;N;11|TableName;c;15". Spaces are removed before parsing; a trailing "|" or
// ";" may be present; parts beyond the fourth are ignored. Missing parts default to type
// "C", width "1", decimals "0". Type letters (any case): C, N, M, L, D; any other is C.
struct SchemaItem {
  std::string name;
  char type = 'C';  // upper case
  int width = 1;
  int decimals = 0;
};

// An index definition string lists tags as "tag;key;exp" items, e.g.
// "ID_OSOBY;ID_OSOBY|UPP_KLUCZ;UPPER(KLUCZ);exp". The third part, compared ignoring case
// with "EXP", marks the key as an expression.
struct IndexItem {
  std::string tag;
  std::string key;
  bool expression = false;
};

// Throws EngineError kOther when a width or decimals part is not a number.
std::vector<SchemaItem> ParseTableSchema(std::string_view schema);
std::vector<IndexItem> ParseIndexDefinitions(std::string_view definitions);

// The engine's field for a schema item: N keeps its decimals, other types do not.
engine::FieldDescriptor FieldFor(const SchemaItem& item);

}  // namespace konwerter::target
