#include "tools/sample/sample_site.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "source/memory_file.h"
#include "source/source_tables.h"
#include "source/transliteration.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::tools {
namespace {

using testing::DbfOracleTable;
using testing::TempDir;

SampleSiteReport Generate(const TempDir& dir, int scale, std::uint32_t seed = 1) {
  return GenerateSampleSite({dir.path(), scale, seed});
}

std::uint32_t Le32(const std::string& bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i])) << (8 * i);
  }
  return value;
}

std::size_t FieldIndex(const DbfOracleTable& table, const std::string& name) {
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    if (table.fields[i].name == name) return i;
  }
  ADD_FAILURE() << "no field " << name;
  return 0;
}

// The set DOS keys held by a field of the live records of a table.
std::set<std::uint32_t> KeysIn(const std::filesystem::path& table_path, const std::string& field) {
  const DbfOracleTable table = testing::ReadDbfWithDbfread(table_path);
  const std::size_t index = FieldIndex(table, field);
  std::set<std::uint32_t> keys;
  for (const auto& record : table.live_records) {
    const std::uint32_t key = Le32(record.raw[index]);
    if (key != 0 && key != 0x20202020 && key != 0xFFFFFFFF) keys.insert(key);
  }
  return keys;
}

std::string ProgramPath(const TempDir& dir, const std::filesystem::path& relative) {
  std::string path = dir.folder() + relative.generic_string();
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

TEST(SampleSiteTest, SameSeedGivesSameBytesAndAnotherSeedOtherContent) {
  TempDir first, second, third;
  const SampleSiteReport report = Generate(first, 1, 7);
  Generate(second, 1, 7);
  Generate(third, 1, 8);
  for (const SampleFileReport& file : report.files) {
    EXPECT_EQ(testing::ReadFileBytes(first.path() / file.path),
              testing::ReadFileBytes(second.path() / file.path))
        << file.path;
  }
  EXPECT_NE(testing::ReadFileBytes(first.path() / "GOSOBY/OSOBY.DBF"),
            testing::ReadFileBytes(third.path() / "GOSOBY/OSOBY.DBF"));
}

TEST(SampleSiteTest, RecordsGrowLinearlyWithScale) {
  TempDir one, two, four;
  const std::uint64_t at_one = Generate(one, 1).total_records;
  const std::uint64_t at_two = Generate(two, 2).total_records;
  const std::uint64_t at_four = Generate(four, 4).total_records;
  EXPECT_GT(at_one, 2000u);
  EXPECT_LT(at_one, 12000u);
  // Each step of scale adds about the same number of records.
  const auto first_step = static_cast<double>(at_two - at_one);
  const double later_steps = static_cast<double>(at_four - at_two) / 2;
  EXPECT_NEAR(later_steps / first_step, 1.0, 0.1);
}

TEST(SampleSiteTest, RejectsScaleBelowOne) {
  TempDir dir;
  EXPECT_THROW(GenerateSampleSite({dir.path(), 0, 1}), std::invalid_argument);
}

// Every table is read alike by dbfread and by the DOS-side reader: the same records, the
// same deletion flags, the same bytes in every field.
TEST(SampleSiteTest, EveryTableReadsAlikeWithDbfreadAndTheSourceReader) {
  TempDir dir;
  const SampleSiteReport report = Generate(dir, 1);
  source::CodePages pages;
  source::SourceTables tables(pages);
  int checked = 0;
  for (const SampleFileReport& file : report.files) {
    if (file.kind != SampleFileKind::kTable) continue;
    SCOPED_TRACE(file.path.generic_string());
    const DbfOracleTable oracle = testing::ReadDbfWithDbfread(dir.path() / file.path, "cp852");
    ASSERT_EQ(oracle.record_count, file.records);
    ASSERT_EQ(oracle.live_records.size() + oracle.deleted_records.size(), file.records);

    const source::TableHandle table = tables.Open(ProgramPath(dir, file.path));
    ASSERT_NE(table, 0);
    std::vector<std::string> values(oracle.fields.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      tables.BindRawText(oracle.fields[i].name, &values[i]);
      ASSERT_EQ(tables.status(), source::kSourceOk) << oracle.fields[i].name;
    }
    std::size_t live = 0, deleted = 0;
    for (; !tables.AtEnd(table); tables.NextRecord(table)) {
      tables.ReadRecord(table);
      ASSERT_EQ(tables.status(), source::kSourceOk);
      const bool is_deleted = tables.CurrentRecordDeleted(table);
      const auto& expected =
          is_deleted ? oracle.deleted_records.at(deleted++) : oracle.live_records.at(live++);
      ASSERT_EQ(values, expected.raw);
    }
    EXPECT_EQ(live + deleted, file.records);
    tables.CloseAll();
    ++checked;
  }
  EXPECT_GT(checked, 60);
}

// The name lines are found through nazwy.ntx by the 4 key bytes and the line number; the
// reported works through kerg.ntx by their key.
TEST(SampleSiteTest, IndexesHoldTheKeyOfEveryRecord) {
  TempDir dir;
  Generate(dir, 1);
  const DbfOracleTable lines = testing::ReadDbfWithDbfread(dir.path() / "GOSOBY/nazwy.dbf");
  std::vector<testing::NtxOracleKey> expected;
  for (std::size_t i = 0; i < lines.live_records.size(); ++i) {
    const auto& raw = lines.live_records[i].raw;
    const int line = std::stoi(raw[FieldIndex(lines, "LP")]);
    expected.push_back({raw[FieldIndex(lines, "ID_OS")] + static_cast<char>(line),
                        static_cast<std::uint32_t>(i + 1)});
  }
  std::vector<testing::NtxOracleKey> found =
      testing::ReadNtxWithXBase(dir.path() / "GOSOBY/nazwy.ntx");
  const auto by_record = [](const testing::NtxOracleKey& a, const testing::NtxOracleKey& b) {
    return a.record < b.record;
  };
  std::sort(found.begin(), found.end(), by_record);
  EXPECT_EQ(found, expected);

  const DbfOracleTable works = testing::ReadDbfWithDbfread(dir.path() / "LZ/Glo/KERG.DBF");
  std::vector<testing::NtxOracleKey> kerg =
      testing::ReadNtxWithXBase(dir.path() / "LZ/Glo/kerg.ntx");
  // Except record 3, which has no entry, and the entry of record 5, which leads to 4.
  ASSERT_EQ(kerg.size() + 1, works.live_records.size());
  const auto key_of = [&](std::size_t record) {
    return works.live_records.at(record - 1).raw[FieldIndex(works, "ID_KERG")];
  };
  for (const testing::NtxOracleKey& entry : kerg) {
    EXPECT_NE(key_of(3), entry.key);
    const bool misled = entry.key == key_of(5);
    EXPECT_EQ(key_of(misled ? 5 : entry.record), entry.key);
    EXPECT_EQ(entry.record, misled ? 4u : entry.record);
  }
}

TEST(SampleSiteTest, ReferencedKeysExistInTheirDictionaries) {
  TempDir dir;
  Generate(dir, 1);
  const auto& root = dir.path();
  const std::set<std::uint32_t> persons = KeysIn(root / "GOSOBY/OSOBY.DBF", "ID");
  const std::set<std::uint32_t> works = KeysIn(root / "groboty/roboty.dbf", "ID_KERG");
  const std::set<std::uint32_t> parcels = KeysIn(root / "groboty/dz.dbf", "ID_DZIALKI");
  const std::set<std::uint32_t> precincts = KeysIn(root / "groboty/obreb.dbf", "ID_OBR");
  const std::map<std::string, std::pair<std::string, const std::set<std::uint32_t>*>> references{
      {"mapy/gmapaz/metryka.dbf", {"ID_OSOBY", &persons}},
      {"mapy/gmapaz/ruch_m.dbf", {"ID_OSOBY", &persons}},
      {"mapy/GMAPAE/M_EWID.DBF", {"ID_ZAM", &works}},
      {"OPERATY/EWID/opg.dbf", {"ID_KERG", &works}},
      {"OPERATY/EWID/OBDG.DBF", {"ID_DZIALKI", &parcels}},
      {"OPERATY/EWID/opnr.dbf", {"ID_DZ2", &parcels}},
      {"LZ/Glo/KERG.DBF", {"WYKON", &persons}},
      {"LZ/Glo/obdg.dbf", {"ID_DZIALKI", &parcels}},
      {"LZ/LEC/kart_zam.dbf", {"ID_OSOBY", &persons}},
      {"Druki/dostawy.dbf", {"ID_OSOBY", &persons}},
      {"SZKICE/szkice.dbf", {"ID_KERG", &works}},
      {"groboty/dz.dbf", {"ID_OBREBU", &precincts}},
  };
  for (const auto& [table, reference] : references) {
    const std::set<std::uint32_t> used = KeysIn(root / table, reference.first);
    EXPECT_FALSE(used.empty()) << table;
    for (const std::uint32_t key : used)
      EXPECT_TRUE(reference.second->contains(key)) << table << " " << key;
  }
  // A long-used register: keys above its record count (records deleted over the years).
  const DbfOracleTable osoby = testing::ReadDbfWithDbfread(root / "GOSOBY/OSOBY.DBF");
  EXPECT_GT(*persons.rbegin(), osoby.record_count + 100);
  EXPECT_FALSE(osoby.deleted_records.empty());
}

// SYSTEM holds what the pre-checks read; each directory variable's folder is there under
// the site's root in some letter case, and the text is in code page 852 as polskie.lit says.
TEST(SampleSiteTest, SystemFolderDescribesTheSite) {
  TempDir dir;
  Generate(dir, 1);
  source::CodePages pages;
  EXPECT_TRUE(source::DetectSourceCodePage(dir.Join("SYSTEM"), pages));
  EXPECT_EQ(pages.source, source::kCp852Page);

  std::vector<std::string> variables;
  ASSERT_TRUE(source::ReadMemoryFile(dir.Join("SYSTEM\\bdglobal.mem"), pages, variables));
  for (const char* name :
       {"BDGOSOBY", "BDGROBOTY", "BDLZGLO", "BDLZLEC", "BDGMAPAZ", "BDGMAPAE", "BDGZARYSY",
        "BDGOPEW", "BDGOP", "BDGOPP", "BDGSZKICE", "BDLDRUKI", "BDLWZORCE", "BDGWINDYK"}) {
    EXPECT_FALSE(source::ValueOf(variables, name).empty()) << name;
  }
  EXPECT_EQ(source::ValueOf(variables, "BDGOSOBY"), "F:\\TEROKAN\\GOSOBY\\");

  std::vector<std::string> settings;
  ASSERT_TRUE(source::ReadMemoryFile(dir.Join("SYSTEM\\dom.mem"), pages, settings));
  EXPECT_EQ(source::ValueOf(settings, "DOM_NRWOJ"), "12");
  EXPECT_EQ(source::ValueOf(settings, "DOM_GMNAZ"),
            "\xA3\xB9"
            "cko");  // Łącko in cp1250

  const DbfOracleTable communes =
      testing::ReadDbfWithDbfread(dir.path() / "GOSOBY/GMINA.DBF", "cp852");
  EXPECT_EQ(communes.live_records.front().values[FieldIndex(communes, "NAZWA")], "Łącko");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "SYSTEM/users.dbf"));
}

// The converters skip records by fixed rules; the site holds a few of each, beside the
// records they convert.
TEST(SampleSiteTest, HoldsRecordsOfTheSkipRules) {
  TempDir dir;
  Generate(dir, 1);
  const auto count_raw = [&](const std::string& table, const std::string& field,
                             const std::string& raw) {
    const DbfOracleTable oracle = testing::ReadDbfWithDbfread(dir.path() / table);
    const std::size_t index = FieldIndex(oracle, field);
    std::size_t found = 0;
    for (const auto* records : {&oracle.live_records, &oracle.deleted_records}) {
      for (const auto& record : *records) found += record.raw[index] == raw ? 1 : 0;
    }
    return found;
  };
  const std::string zero(4, '\0'), spaces(4, ' '), ones(4, '\xFF');
  EXPECT_EQ(count_raw("GOSOBY/OSOBY.DBF", "ID", zero), 1u);
  EXPECT_EQ(count_raw("GOSOBY/OSOBY.DBF", "ID", spaces), 1u);
  EXPECT_EQ(count_raw("GOSOBY/OSOBY.DBF", "ID", ones), 1u);
  EXPECT_EQ(count_raw("GOSOBY/OSOBY.DBF", "NR_P", "          0") > 0, true);
  EXPECT_GT(count_raw("mapy/gmapaz/metryka.dbf", "UKLAD", "\xFF"), 0u);
  EXPECT_GT(count_raw("mapy/GMAPAE/M_EWID.DBF", "CZLON_1", ones), 0u);
  EXPECT_GT(count_raw("OPERATY/EWID/opg.dbf", "ID_OPE", zero), 0u);
  EXPECT_GT(count_raw("SZKICE/szkice.dbf", "ID_SZKICU", ones), 0u);
  EXPECT_GT(count_raw("LZ/LEC/nrkp.dbf", "ID_KP", spaces), 0u);
  EXPECT_GT(count_raw("LZ/LEC/elkp.dbf", "ID_ZAM", "\xFE\xFE"), 0u);
  EXPECT_GT(count_raw("LZ/LEC/wsprozl.dbf", "ID_WSPK", "  "), 0u);
  EXPECT_GT(count_raw("Druki/dostawy.dbf", "PRZYCHOD", "F"), 0u);
  EXPECT_GT(count_raw("groboty/roboty.dbf", "LP", "1000"), 0u);

  // Two spellings of one street that differ only in letter case.
  EXPECT_EQ(count_raw("GOSOBY/ULICE.DBF", "NAZWA", "Polna" + std::string(25, ' ')), 1u);
  EXPECT_EQ(count_raw("GOSOBY/ULICE.DBF", "NAZWA", "polna" + std::string(25, ' ')), 1u);
}

// Both layouts of the orders: the earlier one without features, with fakt_vat on the
// order cards and no position numbers on the settlement lines.
TEST(SampleSiteTest, EarlierOrdersEditionHasNoFeaturesAndTheOldOrderFields) {
  const auto field_names = [](const std::filesystem::path& path) {
    std::set<std::string> names;
    for (const auto& field : testing::ReadDbfWithDbfread(path).fields) names.insert(field.name);
    return names;
  };
  for (const bool earlier : {false, true}) {
    TempDir dir;
    GenerateSampleSite({dir.path(), 1, 1, earlier});
    EXPECT_EQ(std::filesystem::exists(dir.path() / "groboty/cechy.dbf"), !earlier);
    const auto cards = field_names(dir.path() / "LZ/LEC/kart_zam.dbf");
    EXPECT_EQ(cards.count("FAKT_VAT"), earlier ? 1u : 0u);
    EXPECT_EQ(cards.count("TYP_DOK"), earlier ? 0u : 1u);
    EXPECT_EQ(field_names(dir.path() / "LZ/LEC/rozlicz.dbf").count("NR_POZ"), earlier ? 0u : 1u);
  }
}

// Text bytes above 7F are Polish letters of code page 852 and nothing else, so the
// transliteration to code page 1250 leaves no stray byte behind.
TEST(SampleSiteTest, TextHoldsOnlyPolishLettersOfCodePage852) {
  TempDir dir;
  const SampleSiteReport report = Generate(dir, 1);
  const std::string polish =
      "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE";
  std::size_t letters = 0;
  for (const char* table :
       {"GOSOBY/nazwy.dbf", "GOSOBY/ULICE.DBF", "GOSOBY/miejsc.dbf", "GOSOBY/imiona.dbf",
        "GOSOBY/GMINA.DBF", "LZ/Glo/KERG.DBF", "LZ/LEC/cenniki.dbf", "groboty/obreb.dbf"}) {
    const DbfOracleTable oracle = testing::ReadDbfWithDbfread(dir.path() / table);
    for (const auto& record : oracle.live_records) {
      for (std::size_t i = 0; i < oracle.fields.size(); ++i) {
        // Keys and references are binary; text fields are wider.
        if (oracle.fields[i].type != 'C' || oracle.fields[i].length <= 4) continue;
        for (const char byte : record.raw[i]) {
          if (static_cast<unsigned char>(byte) < 0x80) {
            EXPECT_NE(byte, '?') << table << ": " << record.raw[i];
            continue;
          }
          EXPECT_NE(polish.find(byte), std::string::npos) << table << ": " << record.raw[i];
          ++letters;
        }
      }
    }
  }
  EXPECT_GT(letters, 500u);
}

}  // namespace
}  // namespace konwerter::tools
