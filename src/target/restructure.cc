#include "target/restructure.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "target/engine/engine_error.h"

namespace konwerter::target {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
           return fold(x) == fold(y);
         });
}

std::optional<std::size_t> FindField(const std::vector<engine::FieldDescriptor>& fields,
                                     std::string_view name) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (SameName(fields[i].name, name)) return i;
  }
  return std::nullopt;
}

// The field list after restructuring: existing fields widened where the schema asks for
// more, missing ones appended.
std::vector<engine::RestructuredField> Restructured(
    const std::vector<engine::FieldDescriptor>& existing, const std::vector<SchemaItem>& schema) {
  std::vector<engine::RestructuredField> fields;
  std::vector<engine::FieldDescriptor> descriptors = existing;
  for (std::size_t i = 0; i < existing.size(); ++i) {
    fields.push_back({existing[i], static_cast<int>(i)});
  }
  for (const SchemaItem& item : schema) {
    const auto found = FindField(descriptors, item.name);
    if (!found) {
      fields.push_back({FieldFor(item), std::nullopt});
      descriptors.push_back(FieldFor(item));
      continue;
    }
    engine::FieldDescriptor& field = fields[*found].field;
    if (field.width >= item.width) continue;
    if (item.type == 'C') {
      field.width = item.width;
    } else if (item.type == 'N') {
      field.width = item.width;
      field.decimals = item.decimals;
    }
    descriptors[*found] = field;
  }
  return fields;
}

std::string SafetyCopyPath(const std::string& dbf_path) {
  return dbf_path.substr(0, dbf_path.size() - 1);
}

// Rewrites an open table with the widened and added fields; the table is open again
// afterwards, with the exclusive setting it had before, whatever happens.
void Restructure(engine::Table& table, const std::vector<SchemaItem>& schema) {
  const bool was_exclusive = table.exclusive();
  struct Reopen {
    engine::Table& table;
    bool exclusive;
    ~Reopen() {
      try {
        if (table.exclusive() != exclusive) {
          table.Abandon();  // nothing was written to it since it was opened
          table.set_exclusive(exclusive);
        }
        if (!table.is_open()) table.Open();
      } catch (const std::exception&) {
        // The caller sees the table closed; the original error, if any, is on its way.
      }
    }
  } reopen{table, was_exclusive};

  if (!was_exclusive) {
    table.Finish();
    table.set_exclusive(true);
    table.Open();
  }
  const auto fields = Restructured(table.fields(), schema);
  table.Finish();
  const std::string dbf = table.DbfPath();
  const std::string copy = SafetyCopyPath(dbf);
  platform::CopyFile(dbf, copy);
  engine::RestructureTable(table.engine(), table.folder(), table.table_name(), fields);
  platform::RemoveFile(copy);
}

}  // namespace

bool SchemaMatches(const std::vector<engine::FieldDescriptor>& fields,
                   const std::vector<SchemaItem>& schema) {
  for (const SchemaItem& item : schema) {
    const auto found = FindField(fields, item.name);
    if (!found) return false;
    if ((item.type == 'C' || item.type == 'N') && fields[*found].width < item.width) return false;
  }
  return true;
}

bool RestructureIfNeeded(engine::Table& table, const std::vector<SchemaItem>& schema) {
  if (schema.empty()) return false;
  if (table.is_open()) {
    if (SchemaMatches(table.fields(), schema)) return false;
    Restructure(table, schema);
    return true;
  }
  engine::Table temporary(table.engine(), table.folder(), table.table_name());
  temporary.set_exclusive(true);
  temporary.Open();
  if (!SchemaMatches(temporary.fields(), schema)) Restructure(temporary, schema);
  try {
    temporary.Finish();
  } catch (const std::exception&) {
  }
  return false;
}

}  // namespace konwerter::target
