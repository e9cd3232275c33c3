// Production indexes held against a reader we did not write: Perl's XBase::Index lists the
// tags and walks each one; our reader must agree with it, every record number must point at
// its own key, and the keys must come in the order the values call for.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "target/engine/collation.h"
#include "target/engine/engine_error.h"
#include "target/engine/number_text.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"
#include "tests/target/engine/mdx_test_tags.h"

namespace konwerter::engine {
namespace {

using testing::Bytes;
using testing::CharacterTag;
using testing::DateTag;
using testing::KeyOfRecord;
using testing::kToday;
using testing::NumericTag;

Bytes AsBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// Checks one tag as both readers see it: every record exactly once, each record number
// with its own key, XBase::Index's entries equal to ours. Appends the walked records.
void CheckTag(const std::string& path, const std::vector<konwerter::testing::MdxOracleTag>& oracle,
              const TagBuild& tag, std::vector<std::uint32_t>& walked) {
  const std::string& name = tag.definition.name;
  const auto listed =
      std::find_if(oracle.begin(), oracle.end(), [&](const auto& o) { return o.name == name; });
  ASSERT_NE(listed, oracle.end()) << "XBase::Index does not list " << name;
  EXPECT_EQ(listed->key_type, static_cast<char>(tag.key_type)) << name;
  EXPECT_EQ(listed->key_length, static_cast<int>(tag.key_length)) << name;

  const std::vector<IndexEntry> entries = ReadProductionIndexKeys(path, name);
  const std::size_t records = tag.keys.size() / tag.key_length;
  ASSERT_EQ(entries.size(), records) << name;
  ASSERT_EQ(listed->keys.size(), records) << name;
  std::vector<bool> seen(records + 1, false);
  for (std::size_t i = 0; i < records; ++i) {
    const IndexEntry& entry = entries[i];
    ASSERT_EQ(AsBytes(listed->keys[i].key), entry.key) << name << " entry " << i;
    ASSERT_EQ(listed->keys[i].record, entry.record) << name << " entry " << i;
    ASSERT_TRUE(entry.record >= 1 && entry.record <= records && !seen[entry.record]) << name;
    seen[entry.record] = true;
    ASSERT_EQ(entry.key, KeyOfRecord(tag, entry.record)) << name << " record " << entry.record;
    walked.push_back(entry.record);
  }
}

// Writes the index, reads it with XBase::Index and with our reader and checks every tag
// (CheckTag). Returns the record numbers of each tag in index order.
std::map<std::string, std::vector<std::uint32_t>> WriteAndCheck(const std::vector<TagBuild>& tags) {
  const konwerter::testing::TempDir dir;
  const std::string path = dir.Join("tabela.mdx");
  WriteProductionIndex(path, "TABELA", tags, kToday);
  const std::vector<konwerter::testing::MdxOracleTag> oracle =
      konwerter::testing::ReadMdxWithXBase(dir.path() / "tabela.mdx");
  const std::vector<TagInfo> ours = ReadProductionIndexTags(path);
  EXPECT_EQ(oracle.size(), tags.size());
  EXPECT_EQ(ours.size(), tags.size());

  std::map<std::string, std::vector<std::uint32_t>> orders;
  for (std::size_t t = 0; t < tags.size() && t < ours.size(); ++t) {
    EXPECT_EQ(ours[t].definition, tags[t].definition);
    EXPECT_EQ(ours[t].key_type, tags[t].key_type);
    CheckTag(path, oracle, tags[t], orders[tags[t].definition.name]);
  }
  return orders;
}

// Checks that `records` lists every record so that `before` never holds for a record that
// follows another, and equal values come in record order.
template <typename Value>
void ExpectOrderedBy(const std::vector<std::uint32_t>& records, const std::vector<Value>& values,
                     const std::function<bool(const Value&, const Value&)>& before) {
  ASSERT_EQ(records.size(), values.size());
  for (std::size_t i = 0; i + 1 < records.size(); ++i) {
    const Value& a = values[records[i] - 1];
    const Value& b = values[records[i + 1] - 1];
    ASSERT_FALSE(before(b, a)) << "entry " << i;
    if (!before(a, b)) {
      ASSERT_LT(records[i], records[i + 1]) << "entry " << i;
    }
  }
}

TEST(MdxOracleTest, PolishTextKeysComeInCollationOrder) {
  const std::vector<std::string> words = {
      "Żaba",  "zamek", "Łódź",   "lody",  "Ćma",   "cyprys", "Ąbc", "ąbc", "Abc",
      "Śliwa", "sowa",  "Źródło", "Zając", "Nowak", "Nóż",    "Ńa",  "Ęba", "eba",
      "",      "12",    "ala",    "Ala",   "ALA",   "Ala",    "Óla", "ola", "Ząb"};
  const TagBuild tag = CharacterTag("NAZWISKO", 10, words);
  const auto orders = WriteAndCheck({tag});
  std::vector<std::string> walked;
  for (const std::uint32_t record : orders.at("NAZWISKO")) walked.push_back(words[record - 1]);
  // Case and the ogonek of Ą count only where every letter ties; equal keys by record.
  const std::vector<std::string> expected = {
      "",       "12",  "Abc",  "ala",   "Ala",   "Ala",   "ALA",   "Ąbc",    "ąbc",
      "cyprys", "Ćma", "eba",  "Ęba",   "lody",  "Łódź",  "Nowak", "Nóż",    "Ńa",
      "ola",    "Óla", "sowa", "Śliwa", "Zając", "zamek", "Ząb",   "Źródło", "Żaba"};
  EXPECT_EQ(walked, expected);
}

TEST(MdxOracleTest, NumericKeysComeInValueOrder) {
  const std::vector<std::string> texts = {"   12.50", "   -5.00", "    0.00", "        ",
                                          "  123.45", "    0.05", "-1000.00", "    1.00",
                                          "   12.50", "   -0.05", "99999.99", "   -5.01"};
  const auto orders = WriteAndCheck({NumericTag("KWOTA", texts)});
  std::vector<double> values;
  for (const auto& text : texts) values.push_back(ParseNumberText(text).value_or(0.0));
  ExpectOrderedBy<double>(orders.at("KWOTA"), values,
                          [](const double& a, const double& b) { return a < b; });
}

TEST(MdxOracleTest, DateKeysComeInDateOrderBlankLast) {
  using Date = std::optional<platform::CalendarDate>;
  const std::vector<Date> dates = {
      platform::CalendarDate{2024, 5, 17}, std::nullopt,
      platform::CalendarDate{1900, 1, 1},  platform::CalendarDate{1999, 12, 31},
      platform::CalendarDate{2000, 1, 1},  std::nullopt,
      platform::CalendarDate{2024, 5, 17}, platform::CalendarDate{1801, 3, 1}};
  const auto orders = WriteAndCheck({DateTag("D_WYP", dates)});
  const auto as_number = [](const Date& date) {
    return date ? date->year * 10000 + date->month * 100 + date->day : 99999999;
  };
  std::vector<int> values;
  for (const auto& date : dates) values.push_back(as_number(date));
  ExpectOrderedBy<int>(orders.at("D_WYP"), values,
                       [](const int& a, const int& b) { return a < b; });
}

// 9 keys of 100 bytes per node: 1000 keys give four levels, 200 three; one key and none.
TEST(MdxOracleTest, DeepShallowAndEmptyTreesOfTheLongestKeys) {
  std::vector<std::string> many;
  for (int i = 0; i < 1000; ++i) many.push_back("Klucz " + std::to_string((i * 7919) % 1000));
  std::vector<std::string> some(many.begin(), many.begin() + 200);
  const auto orders = WriteAndCheck({CharacterTag("CZTERY", mdx::kMaxKeyLength, many),
                                     CharacterTag("TRZY", mdx::kMaxKeyLength, some),
                                     CharacterTag("JEDEN", mdx::kMaxKeyLength, {"Ż"}),
                                     CharacterTag("ZERO", mdx::kMaxKeyLength, {}),
                                     NumericTag("N_ZERO", {}), DateTag("D_JEDEN", {std::nullopt})});
  const auto collated = [](const std::string& a, const std::string& b) {
    return CompareCollated(testing::Cp852(a), testing::Cp852(b)) < 0;
  };
  ExpectOrderedBy<std::string>(orders.at("CZTERY"), many, collated);
  ExpectOrderedBy<std::string>(orders.at("TRZY"), some, collated);
  EXPECT_TRUE(orders.at("ZERO").empty());
  EXPECT_EQ(orders.at("JEDEN"), (std::vector<std::uint32_t>{1}));
}

TEST(MdxOracleTest, AsManyTagsAsTheFileHolds) {
  std::vector<TagBuild> tags;
  for (std::size_t i = 0; i < mdx::kMaxTags; ++i) {
    std::vector<std::string> values;
    for (std::size_t r = 0; r < 30; ++r) values.push_back(std::to_string((r * (i + 3)) % 17));
    // Names in no sorted order, so that the name tree has branches both ways.
    const std::string name = "TAG" + std::to_string((i * 31) % 47);
    if (i % 3 == 0) {
      tags.push_back(NumericTag(name, values));
    } else {
      tags.push_back(CharacterTag(name, 1 + i, values));
    }
  }
  const auto orders = WriteAndCheck(tags);
  EXPECT_EQ(orders.size(), mdx::kMaxTags);
}

}  // namespace
}  // namespace konwerter::engine
