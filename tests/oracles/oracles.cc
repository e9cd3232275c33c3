#include "tests/oracles/oracles.h"

#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "tests/oracles/oracle_runner.h"

namespace konwerter::testing {

// ---------------------------------------------------------------------------------------
// dBase tables, read by dbfread.

namespace {

constexpr const char* kPython = "/usr/bin/python3";

DbfOracleField FieldFromJson(const nlohmann::json& json) {
  const std::string type = json.at("type").get<std::string>();
  return {json.at("name").get<std::string>(), type.empty() ? '\0' : type[0],
          json.at("length").get<int>(), json.at("decimal_count").get<int>()};
}

DbfOracleRecord RecordFromJson(const nlohmann::json& json) {
  DbfOracleRecord record;
  for (const auto& hex : json.at("raw")) record.raw.push_back(BytesFromHex(hex.get<std::string>()));
  if (json.contains("values")) {
    for (const auto& value : json.at("values")) {
      record.values.push_back(value.is_null() ? std::nullopt
                                              : std::optional(value.get<std::string>()));
    }
  }
  return record;
}

DbfOracleTable TableFromJson(const nlohmann::json& json) {
  const nlohmann::json& header = json.at("header");
  DbfOracleTable table;
  table.version = header.at("version").get<int>();
  table.year = header.at("year").get<int>();
  table.month = header.at("month").get<int>();
  table.day = header.at("day").get<int>();
  table.record_count = header.at("record_count").get<std::uint32_t>();
  table.header_length = header.at("header_length").get<int>();
  table.record_length = header.at("record_length").get<int>();
  table.language_driver = header.at("language_driver").get<int>();
  for (const auto& field : json.at("fields")) table.fields.push_back(FieldFromJson(field));
  for (const auto& record : json.at("records"))
    table.live_records.push_back(RecordFromJson(record));
  for (const auto& record : json.at("deleted")) {
    table.deleted_records.push_back(RecordFromJson(record));
  }
  return table;
}

}  // namespace

DbfOracleTable ReadDbfWithDbfread(const std::filesystem::path& path, const std::string& encoding) {
  std::vector<std::string> arguments = {path.string()};
  if (!encoding.empty()) arguments.push_back(encoding);
  const std::string output = RunOracleScript(kPython, "dbf_oracle.py", arguments);
  try {
    return TableFromJson(nlohmann::json::parse(output));
  } catch (const nlohmann::json::exception& error) {
    throw std::runtime_error(std::string("dbf_oracle.py printed unexpected JSON: ") + error.what());
  }
}

DbfRows LiveRowsWithDbfread(const std::filesystem::path& path) {
  DbfRows rows;
  for (const DbfOracleRecord& record : ReadDbfWithDbfread(path, "cp852").live_records) {
    std::vector<std::string> row;
    for (const auto& value : record.values) row.push_back(value.value_or(""));
    rows.push_back(std::move(row));
  }
  return rows;
}

// ---------------------------------------------------------------------------------------
// Clipper .ntx indexes, read by XBase::Index.

namespace {

constexpr const char* kPerl = "/usr/bin/perl";

NtxOracleKey KeyFromLine(const std::string& line) {
  std::istringstream fields(line);
  std::string hex;
  std::uint32_t record = 0;
  if (!(fields >> hex >> record)) throw std::runtime_error("ntx_oracle.pl printed: " + line);
  return {BytesFromHex(hex), record};
}

}  // namespace

std::vector<NtxOracleKey> ReadNtxWithXBase(const std::filesystem::path& path) {
  const std::string output = RunOracleScript(kPerl, "ntx_oracle.pl", {path.string()});
  std::vector<NtxOracleKey> keys;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) keys.push_back(KeyFromLine(line));
  return keys;
}

// ---------------------------------------------------------------------------------------
// Production .mdx indexes, read by XBase::Index.

namespace {

MdxOracleTag TagFromLine(const std::string& line) {
  std::istringstream fields(line);
  std::string word;
  MdxOracleTag tag;
  std::string type;
  if (!(fields >> word >> tag.name >> type >> tag.key_length) || word != "tag" ||
      type.size() != 1) {
    throw std::runtime_error("mdx_oracle.pl printed: " + line);
  }
  tag.key_type = type[0];
  return tag;
}

}  // namespace

std::vector<MdxOracleTag> ReadMdxWithXBase(const std::filesystem::path& path) {
  const std::string output = RunOracleScript(kPerl, "mdx_oracle.pl", {path.string()});
  std::vector<MdxOracleTag> tags;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.starts_with("key ") && !tags.empty()) {
      tags.back().keys.push_back(KeyFromLine(line.substr(4)));
    } else {
      tags.push_back(TagFromLine(line));
    }
  }
  return tags;
}

}  // namespace konwerter::testing
