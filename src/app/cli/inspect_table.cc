// `inspect` of a DOS table: header, field list and every record as the reader delivers it.

#include <cstdint>
#include <string>
#include <vector>

#include "app/cli/inspect_reports.h"
#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "source/source_tables.h"

namespace konwerter::cli {

namespace {

using nlohmann::json;
using source::SourceTables;
using source::TableHandle;

std::string Utf8(std::string_view text) {
  return platform::Utf8FromCp1250(text);
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char byte : bytes) {
    const auto value = static_cast<std::uint8_t>(byte);
    hex += kDigits[value >> 4];
    hex += kDigits[value & 0x0F];
  }
  return hex;
}

std::string OpenFailure(const SourceTables& tables, const std::string& path) {
  const std::string file = Utf8(path);
  const std::int32_t status = tables.status();
  switch (status) {
    case source::kSourceBadStructure:
      return "Nie można odczytać budowy tabeli (" +
             Utf8(run::TableFaultText(tables.last_open_fault())) + "): " + file;
    case source::kSourceCannotOpen:
      return "Nie można otworzyć pliku: " + file;
    case source::kSourceShortRead:
      return "Nie można odczytać tabeli (" + Utf8(run::TableFaultText(tables.last_open_fault())) +
             "): " + file;
    default:
      return "Nie można otworzyć tabeli (kod " + std::to_string(status) + "): " + file;
  }
}

// The reader finds fields by name without regard to letter case: a second field of a name
// already taken cannot be bound and shows no value.
bool Bindable(const std::vector<source::SourceFieldInfo>& fields, std::size_t index) {
  const std::string name = platform::ToUpperCp1250(fields[index].name);
  for (std::size_t i = 0; i < index; ++i) {
    if (platform::ToUpperCp1250(fields[i].name) == name) return false;
  }
  return true;
}

json FieldList(const std::vector<source::SourceFieldInfo>& fields) {
  json list = json::array();
  for (const auto& field : fields) {
    list.push_back({{"name", Utf8(field.name)},
                    {"type", Utf8(std::string(1, field.type))},
                    {"width", field.width},
                    {"decimals", field.decimals}});
  }
  return list;
}

// Binds every field that can be bound as text; nullopt values stay unbound.
std::vector<bool> BindAll(SourceTables& tables, const std::vector<source::SourceFieldInfo>& fields,
                          std::vector<std::string>& values, bool raw) {
  std::vector<bool> bound(fields.size(), false);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!Bindable(fields, i)) continue;
    if (raw) {
      tables.BindRawText(fields[i].name, &values[i], fields[i].width);
    } else {
      tables.BindText(fields[i].name, &values[i], fields[i].width);
    }
    bound[i] = tables.status() == source::kSourceOk;
  }
  return bound;
}

}  // namespace

InspectReport InspectTable(const InspectOptions& options) {
  source::CodePages pages;
  pages.source = SourceCodePageFor(options);
  SourceTables tables(pages);
  const TableHandle table = tables.Open(options.path);
  if (table == 0) throw InspectError(OpenFailure(tables, options.path));
  const source::SourceTableInfo info = *tables.Describe(table);
  // A count the file cannot hold was cut to the whole records there are: shown, and said.
  std::optional<std::string> problem;
  if (const source::ShortTable& short_table = tables.last_short_table();
      short_table.header_count != 0) {
    problem = Utf8(run::ShortTableText(short_table.header_count, short_table.whole_records)) +
              ": " + Utf8(options.path);
  }

  std::vector<std::string> values(info.fields.size());
  const std::vector<bool> bound = BindAll(tables, info.fields, values, options.raw);
  json rows = json::array();
  const std::size_t limit = options.row_limit.value_or(info.record_count);
  for (std::size_t row = 0; row < limit && !tables.AtEnd(table); ++row) {
    tables.ReadRecord(table);
    if (tables.status() != source::kSourceOk) {
      throw InspectError("Błąd odczytu rekordu " + std::to_string(row) + " (kod " +
                         std::to_string(tables.status()) + "): " + Utf8(options.path));
    }
    json row_values = json::object();
    for (std::size_t i = 0; i < info.fields.size(); ++i) {
      if (!bound[i]) continue;
      row_values[Utf8(info.fields[i].name)] = options.raw ? Hex(values[i]) : Utf8(values[i]);
    }
    rows.push_back({{"deleted", tables.CurrentRecordDeleted(table)}, {"values", row_values}});
    tables.NextRecord(table);
  }
  tables.CloseAll();
  return {json{{"records", info.record_count},
               {"header_length", info.header_length},
               {"record_length", info.record_length},
               {"fields", FieldList(info.fields)},
               {"rows", std::move(rows)}},
          problem};
}

}  // namespace konwerter::cli

namespace konwerter::cli {

namespace {

std::string Padded(std::string text, std::size_t width) {
  // Field names are ASCII in practice; a wider UTF-8 name only shifts its own line.
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

std::string DescribeTable(const nlohmann::json& document) {
  std::string text = "Tabela DOS: rekordów " + document["records"].dump() + ", nagłówek " +
                     document["header_length"].dump() + " B, rekord " +
                     document["record_length"].dump() + " B\n";
  text += "Pola (nazwa, typ, szerokość, miejsca dziesiętne):\n";
  for (const nlohmann::json& field : document["fields"]) {
    text += "  " + Padded(field["name"].get<std::string>(), 11) + field["type"].get<std::string>() +
            " " + Padded(field["width"].dump(), 4) + field["decimals"].dump() + "\n";
  }
  text += "Rekordy (* = usunięty):\n";
  std::size_t number = 0;
  for (const nlohmann::json& row : document["rows"]) {
    text += "  " + std::to_string(number++) + (row["deleted"].get<bool>() ? " * " : "   ");
    std::string separator;
    for (const nlohmann::json& field : document["fields"]) {
      const std::string name = field["name"].get<std::string>();
      if (!row["values"].contains(name)) continue;  // a field the reader cannot bind
      text += separator + name + "=" + row["values"][name].get<std::string>();
      separator = " | ";
    }
    text += "\n";
  }
  return text;
}

}  // namespace konwerter::cli
