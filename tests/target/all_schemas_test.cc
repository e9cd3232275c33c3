// Every table of the Windows edition, built by the table builder from its own schema and
// index strings, filled with Polish text, numbers, dates, logicals and blanks, and closed;
// then read back by readers we did not write (Python's dbfread for the table, Perl's
// XBase::Index for the production index) and by our own engine, which must agree with both.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "target/engine/collation.h"
#include "target/engine/engine.h"
#include "target/engine/production_index.h"
#include "target/engine/table.h"
#include "target/engine/table_paths.h"
#include "target/table_builder.h"
#include "target/table_catalogue.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"
#include "tests/target/proof_keys.h"
#include "tests/target/proof_values.h"

namespace konwerter::target {

namespace tables {
// Names a table in test output.
void PrintTo(const TableStrings& strings, std::ostream* out) {
  *out << strings.group << "\\" << strings.table;
}
}  // namespace tables

namespace {

namespace proof = konwerter::target::testing;
namespace oracle = konwerter::testing;

using proof::ExpectedField;
using proof::ExpectedTag;
using proof::Value;

constexpr platform::CalendarDate kToday{2024, 5, 17};

// Records per table: enough for trees of three levels in the tags with the longest keys.
int RecordCount(std::string_view table) {
  if (table == "Osoby.dbf") return 1000;
  if (table == "przychod.dbf") return 2000;
  if (table == "Slownik.dbf") return 400;
  if (table == "cechy.dbf") return 300;
  return 40;
}

bool ExpectsDeepTree(std::string_view table, std::string_view tag) {
  struct Deep {
    std::string_view table;
    std::string_view tag;
  };
  constexpr Deep kDeep[] = {{"Osoby.dbf", "UPP_KLUCZ"},
                            {"przychod.dbf", "MAPY"},
                            {"przychod.dbf", "ID_ROMAP_G"},
                            {"Slownik.dbf", "UPP_OPIS"},
                            {"cechy.dbf", "UPP_NAZ_C"}};
  return std::any_of(std::begin(kDeep), std::end(kDeep),
                     [&](const Deep& d) { return d.table == table && d.tag == tag; });
}

std::span<const std::uint8_t> BytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The value a reader renders, as dbfread renders it: C text, N number, D YYYY-MM-DD,
// L true/false, nothing for a blank N, D or L field.
::testing::AssertionResult DecodedAsWritten(const ExpectedField& field, const Value& value,
                                            const std::optional<std::string>& got) {
  const bool blank = std::holds_alternative<std::monostate>(value);
  if (field.type == 'C') {
    const std::string expected = proof::KeptText(field, value);
    if (got == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected \"" << expected << "\"";
  }
  if (blank) {
    if (!got) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected a blank, got " << *got;
  }
  if (!got) return ::testing::AssertionFailure() << "expected a value, got a blank";
  if (const auto* number = std::get_if<double>(&value)) {
    if (std::fabs(std::stod(*got) - *number) < 0.5 * std::pow(10.0, -field.decimals)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << *number << ", got " << *got;
  }
  std::string expected;
  if (const auto* date = std::get_if<platform::CalendarDate>(&value)) {
    const std::string digits = proof::DateDigits(*date);
    expected = digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2);
  } else {
    expected = std::get<bool>(value) ? "true" : "false";
  }
  if (*got == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << expected << ", got " << *got;
}

class AllTargetTablesTest : public ::testing::TestWithParam<tables::TableStrings> {
 protected:
  AllTargetTablesTest()
      : strings_(GetParam()),
        fields_(proof::ExpectedFields(strings_.schema)),
        tags_(proof::ExpectedTags(strings_.indexes)),
        folder_(dir_.Join("BAZA\\" + std::string(strings_.group))) {
    ConfigureEngine(engine_, false);
    engine_.set_today(kToday);
  }

  // Builds the table in a folder that does not exist yet, fills it and closes it.
  void BuildAndFill();
  void CheckHeaderBytes() const;
  // Returns what dbfread read: the stored bytes of every field of every record.
  std::vector<std::vector<std::string>> CheckWithDbfread() const;
  void CheckIndexWithXBase(const std::vector<std::vector<std::string>>& stored) const;
  void CheckIndexFileBytes(const std::vector<std::uint8_t>& file) const;
  void CheckTagKeys(const ExpectedTag& tag, const oracle::MdxOracleTag& xbase,
                    const std::vector<std::vector<std::string>>& stored) const;
  void CheckWithOurReader();

  std::string DbfPath() const { return engine::PathsOf(folder_, name()).dbf; }
  std::string MdxPath() const { return engine::PathsOf(folder_, name()).mdx; }
  std::string name() const { return std::string(strings_.table); }

  const tables::TableStrings strings_;
  const std::vector<ExpectedField> fields_;
  const std::vector<ExpectedTag> tags_;
  oracle::TempDir dir_;
  const std::string folder_;
  engine::Engine engine_;
  std::vector<std::vector<Value>> records_;
};

void AllTargetTablesTest::BuildAndFill() {
  engine::Table table(engine_, folder_, name());
  const BuilderResult result =
      OpenTargetTable(table, strings_.schema, strings_.indexes, {.remove_data_files = true});
  ASSERT_TRUE(table.is_open());
  EXPECT_TRUE(result.created);
  EXPECT_TRUE(result.indexes_built) << "a created table counts as indexed, tags or none";
  EXPECT_FALSE(result.keys_repeat);
  EXPECT_EQ(table.current_index(), tags_.empty() ? "" : tags_.front().name);

  const int count = RecordCount(strings_.table);
  for (int record = 1; record <= count; ++record) {
    table.Append();
    std::vector<Value> values;
    for (std::size_t f = 0; f < fields_.size(); ++f) {
      values.push_back(proof::GeneratedValue(fields_[f], record, static_cast<int>(f)));
      proof::SetValue(table, fields_[f], values.back(), record % 2 == 0);
    }
    records_.push_back(std::move(values));
    // Every third record is left pending and posted by the next append (or the finish).
    if (record % 3 != 0) table.Post();
  }
  table.Finish();
}

void AllTargetTablesTest::CheckHeaderBytes() const {
  const std::vector<std::uint8_t> file = oracle::ReadFileBytes(platform::HostPath(DbfPath()));
  const std::size_t header_length = 32 + 32 * fields_.size() + 1;
  std::size_t record_length = 1;
  for (const ExpectedField& field : fields_) record_length += field.width;
  ASSERT_EQ(file.size(), header_length + records_.size() * record_length + 1);
  EXPECT_EQ(file[0], 0x03);
  EXPECT_EQ(file[1], kToday.year - 1900);
  EXPECT_EQ(file[2], kToday.month);
  EXPECT_EQ(file[3], kToday.day);
  EXPECT_EQ(file[28], tags_.empty() ? 0x00 : 0x01) << "production index flag";
  EXPECT_EQ(file[29], 0x23) << "language driver";
  EXPECT_EQ(file[header_length - 1], 0x0D);
  EXPECT_EQ(file.back(), 0x1A);
  for (std::size_t f = 0; f < fields_.size(); ++f) {
    // Byte 31 marks a field that has a tag of its own name holding just that field.
    const std::string name = proof::UpperAscii(fields_[f].name);
    const bool own_tag = std::any_of(tags_.begin(), tags_.end(), [&](const ExpectedTag& tag) {
      return tag.name == name && proof::UpperAscii(tag.expression) == name;
    });
    EXPECT_EQ(file[32 + 32 * f + 31], own_tag ? 0x01 : 0x00) << "index flag of " << name;
  }
}

std::vector<std::vector<std::string>> AllTargetTablesTest::CheckWithDbfread() const {
  const oracle::DbfOracleTable read =
      oracle::ReadDbfWithDbfread(platform::HostPath(DbfPath()), "cp852");
  EXPECT_EQ(read.version, 0x03);
  EXPECT_EQ(read.language_driver, 0x23);
  EXPECT_EQ(read.record_count, records_.size());
  EXPECT_TRUE(read.deleted_records.empty());
  std::vector<std::vector<std::string>> stored;
  if (read.fields.size() != fields_.size() || read.live_records.size() != records_.size()) {
    ADD_FAILURE() << "dbfread sees " << read.fields.size() << " fields and "
                  << read.live_records.size() << " records";
    return stored;
  }
  for (std::size_t f = 0; f < fields_.size(); ++f) {
    const ExpectedField& field = fields_[f];
    EXPECT_EQ(read.fields[f].name, proof::UpperAscii(field.name));
    EXPECT_EQ(read.fields[f].type, field.type) << field.name;
    EXPECT_EQ(read.fields[f].length, field.width) << field.name;
    EXPECT_EQ(read.fields[f].decimal_count, field.decimals) << field.name;
  }
  for (std::size_t r = 0; r < records_.size(); ++r) {
    const oracle::DbfOracleRecord& record = read.live_records[r];
    for (std::size_t f = 0; f < fields_.size(); ++f) {
      const std::string expected = proof::StoredBytes(fields_[f], records_[r][f]);
      if (record.raw.at(f) != expected) {
        ADD_FAILURE() << "record " << r + 1 << " field " << fields_[f].name << ": stored \""
                      << platform::Utf8FromCp1250(record.raw[f]) << "\", expected \""
                      << platform::Utf8FromCp1250(expected) << "\" (shown as cp1250)";
        return stored;
      }
      const auto decoded = DecodedAsWritten(fields_[f], records_[r][f], record.values.at(f));
      if (!decoded) {
        ADD_FAILURE() << "record " << r + 1 << " field " << fields_[f].name << ": "
                      << decoded.message();
        return stored;
      }
    }
    stored.push_back(record.raw);
  }
  return stored;
}

void AllTargetTablesTest::CheckIndexWithXBase(
    const std::vector<std::vector<std::string>>& stored) const {
  const std::filesystem::path mdx = platform::HostPath(MdxPath());
  if (tags_.empty()) {
    EXPECT_FALSE(std::filesystem::exists(mdx)) << "a table without tags has no index file";
    return;
  }
  const std::vector<oracle::MdxOracleTag> xbase = oracle::ReadMdxWithXBase(mdx);
  const std::vector<engine::TagInfo> ours = engine::ReadProductionIndexTags(MdxPath());
  ASSERT_EQ(xbase.size(), tags_.size());
  ASSERT_EQ(ours.size(), tags_.size());
  const std::vector<std::uint8_t> file = oracle::ReadFileBytes(mdx);
  CheckIndexFileBytes(file);
  for (std::size_t t = 0; t < tags_.size(); ++t) {
    const ExpectedTag& tag = tags_[t];
    EXPECT_EQ(ours[t].definition.name, tag.name);
    EXPECT_EQ(ours[t].definition.expression, tag.expression) << tag.name;
    const auto listed =
        std::find_if(xbase.begin(), xbase.end(),
                     [&](const oracle::MdxOracleTag& x) { return x.name == tag.name; });
    if (listed == xbase.end()) {
      ADD_FAILURE() << "XBase::Index does not list " << tag.name;
      continue;
    }
    CheckTagKeys(tag, *listed, stored);
    if (ExpectsDeepTree(strings_.table, tag.name)) {
      EXPECT_GE(proof::TreeDepth(file, tag.name), 3) << tag.name;
    }
  }
}

// What no other reader looks at: the index file's header, the tag table and the tag headers
// with each tag's expression as written.
void AllTargetTablesTest::CheckIndexFileBytes(const std::vector<std::uint8_t>& file) const {
  ASSERT_GE(file.size(), 2048u);
  EXPECT_EQ(file[0], 0x02);
  const std::string base = name().substr(0, name().find('.'));
  EXPECT_EQ(proof::TextAt(file, 4, 16), proof::UpperAscii(base));
  EXPECT_EQ(proof::U16At(file, 28), tags_.size());
  EXPECT_EQ(std::size_t{proof::U32At(file, 32)} * 512, file.size());
  for (std::size_t t = 0; t < tags_.size(); ++t) {
    const ExpectedTag& tag = tags_[t];
    const std::size_t slot = 544 + 32 * t;
    ASSERT_EQ(proof::TextAt(file, slot + 4, 11), tag.name) << "tag table order";
    const proof::KeyExpressionForTest expression(tag.expression, fields_);
    // Key format 0x10: field names, +, STR() and DTOS() only; 0x00 with UPPER().
    const bool upper = proof::UpperAscii(tag.expression).find("UPPER(") != std::string::npos;
    const std::uint8_t format = upper ? 0x00 : 0x10;
    EXPECT_EQ(file.at(slot + 15), format) << tag.name;
    EXPECT_EQ(file.at(slot + 19), 0x02) << tag.name;
    EXPECT_EQ(file.at(slot + 20), expression.type()) << tag.name;
    const std::size_t header = std::size_t{proof::U32At(file, slot)} * 512;
    EXPECT_EQ(file.at(header + 8), format) << tag.name;
    EXPECT_EQ(file.at(header + 9), expression.type()) << tag.name;
    EXPECT_EQ(proof::U16At(file, header + 12), static_cast<std::uint32_t>(expression.length()));
    EXPECT_EQ(proof::TextAt(file, header + 24, 221), tag.expression) << tag.name;
    EXPECT_EQ(file.at(header + 246), records_.empty() ? 0 : 1) << tag.name;
  }
}

void AllTargetTablesTest::CheckTagKeys(const ExpectedTag& tag, const oracle::MdxOracleTag& xbase,
                                       const std::vector<std::vector<std::string>>& stored) const {
  const proof::KeyExpressionForTest expression(tag.expression, fields_);
  EXPECT_EQ(xbase.key_type, expression.type()) << tag.name;
  ASSERT_EQ(xbase.key_length, expression.length()) << tag.name;
  const std::vector<engine::IndexEntry> ours = engine::ReadProductionIndexKeys(MdxPath(), tag.name);
  ASSERT_EQ(xbase.keys.size(), stored.size()) << tag.name;
  ASSERT_EQ(ours.size(), stored.size()) << tag.name;

  std::vector<bool> seen(stored.size() + 1, false);
  for (std::size_t i = 0; i < xbase.keys.size(); ++i) {
    const std::string& key = xbase.keys[i].key;
    const std::uint32_t record = xbase.keys[i].record;
    ASSERT_EQ(std::string(ours[i].key.begin(), ours[i].key.end()), key)
        << tag.name << " entry " << i;
    ASSERT_EQ(ours[i].record, record) << tag.name << " entry " << i;
    ASSERT_TRUE(record >= 1 && record <= stored.size() && !seen[record])
        << tag.name << " entry " << i << " record " << record;
    seen[record] = true;
    const std::vector<std::string>& fields = stored[record - 1];
    if (expression.type() == 'C') {
      ASSERT_EQ(key, expression.CharacterKey(fields)) << tag.name << " record " << record;
    } else if (expression.type() == 'N') {
      const std::optional<double> value = proof::DecodeNumericKey(key);
      ASSERT_TRUE(value.has_value()) << tag.name << " record " << record;
      ASSERT_NEAR(*value, expression.KeyValue(fields), 1e-9) << tag.name << " record " << record;
    } else {
      ASSERT_EQ(proof::DecodeDateKey(key), expression.KeyValue(fields))
          << tag.name << " record " << record;
    }
    if (i == 0) continue;
    const std::string& previous = xbase.keys[i - 1].key;
    int order = 0;
    if (expression.type() == 'C') {
      order = engine::CompareCollated(BytesOf(previous), BytesOf(key));
    } else {
      const double a = expression.type() == 'N' ? *proof::DecodeNumericKey(previous)
                                                : proof::DecodeDateKey(previous);
      const double b =
          expression.type() == 'N' ? *proof::DecodeNumericKey(key) : proof::DecodeDateKey(key);
      order = a < b ? -1 : (a > b ? 1 : 0);
    }
    ASSERT_LE(order, 0) << tag.name << ": entry " << i << " sorts before the one above it";
    if (order == 0) {
      ASSERT_LT(xbase.keys[i - 1].record, record) << tag.name << ": equal keys by record";
    }
  }
}

void AllTargetTablesTest::CheckWithOurReader() {
  engine::Table table(engine_, folder_, name());
  table.Open();
  ASSERT_EQ(table.fields().size(), fields_.size());
  std::vector<engine::TagDefinition> tags;
  for (const ExpectedTag& tag : tags_) tags.push_back({tag.name, tag.expression});
  table.RefreshIndexDefinitions();
  EXPECT_EQ(table.index_definitions(), tags);
  ASSERT_EQ(table.RecordCount(), records_.size());
  std::size_t r = 0;
  for (table.First(); !table.Eof(); table.Next(), ++r) {
    ASSERT_LT(r, records_.size());
    ASSERT_EQ(table.RecordNumber(), r + 1);
    ASSERT_FALSE(table.IsDeleted());
    for (std::size_t f = 0; f < fields_.size(); ++f) {
      const ExpectedField& field = fields_[f];
      const Value& value = records_[r][f];
      const bool blank = std::holds_alternative<std::monostate>(value);
      const std::string where = "record " + std::to_string(r + 1) + " field " + field.name;
      if (field.type == 'C') {
        ASSERT_EQ(table.ReadText(field.name),
                  platform::Cp1250FromUtf8(proof::KeptText(field, value)))
            << where;
        continue;
      }
      ASSERT_EQ(table.IsNull(field.name), blank) << where;
      if (field.type == 'N' && !blank) {
        ASSERT_NEAR(table.ReadNumber(field.name), std::get<double>(value), 1e-9) << where;
      } else if (field.type == 'D') {
        const auto date = std::get_if<platform::CalendarDate>(&value);
        ASSERT_EQ(table.ReadDate(field.name), date ? std::optional(*date) : std::nullopt) << where;
      } else if (field.type == 'L') {
        const auto logical = std::get_if<bool>(&value);
        ASSERT_EQ(table.ReadLogical(field.name), logical ? std::optional(*logical) : std::nullopt)
            << where;
      }
    }
  }
  EXPECT_EQ(r, records_.size());
  table.Finish();
}

TEST_P(AllTargetTablesTest, BuiltFilledAndClosedTableReadsBackAlikeInEveryReader) {
  ASSERT_NO_FATAL_FAILURE(BuildAndFill());
  CheckHeaderBytes();
  const std::vector<std::vector<std::string>> stored = CheckWithDbfread();
  ASSERT_EQ(stored.size(), records_.size()) << "dbfread disagrees; the index is not checked";
  CheckIndexWithXBase(stored);
  CheckWithOurReader();
}

// The catalogue the converters create their tables from, entry by entry.
std::vector<tables::TableStrings> EveryCatalogueEntry() {
  std::vector<tables::TableStrings> entries;
  for (const tables::TableStrings* entry : tables::kAllTables) entries.push_back(*entry);
  return entries;
}

std::string TestName(const ::testing::TestParamInfo<tables::TableStrings>& info) {
  std::string name = std::string(info.param.group) + "_" + std::string(info.param.table);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(EveryTable, AllTargetTablesTest,
                         ::testing::ValuesIn(EveryCatalogueEntry()), TestName);

}  // namespace
}  // namespace konwerter::target
