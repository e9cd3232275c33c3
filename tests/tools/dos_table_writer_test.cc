#include "tools/dos/dos_table_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/little_endian.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::tools {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

std::vector<DosField> MixedFields() {
  return {{"NAZWA", 'C', 10, 0},
          {"KWOTA", 'N', 8, 2},
          {"DATA", 'D', 8, 0},
          {"AKTYWNY", 'L', 1, 0},
          {"UWAGI", 'M', 10, 0}};
}

class DosTableWriterTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  std::filesystem::path path_ = dir_.path() / "OSOBY.DBF";
};

TEST_F(DosTableWriterTest, HeaderAndFieldsReadByDbfread) {
  DosTableWriter writer(path_, MixedFields(), {2004, 2, 29});
  writer.Add({"A", "1", "", "T", ""});
  writer.Add({"B", "2", "", "F", ""});
  writer.Finish();

  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_);
  EXPECT_EQ(table.version, 3);
  EXPECT_EQ(table.year, 104);
  EXPECT_EQ(table.month, 2);
  EXPECT_EQ(table.day, 29);
  EXPECT_EQ(table.record_count, 2u);
  EXPECT_EQ(table.header_length, 32 + 5 * 32 + 1);
  EXPECT_EQ(table.record_length, 1 + 10 + 8 + 8 + 1 + 10);
  EXPECT_EQ(table.language_driver, 0);
  ASSERT_EQ(table.fields.size(), 5u);
  const testing::DbfOracleField& kwota = table.fields[1];
  EXPECT_EQ(kwota.name, "KWOTA");
  EXPECT_EQ(kwota.type, 'N');
  EXPECT_EQ(kwota.length, 8);
  EXPECT_EQ(kwota.decimal_count, 2);
  EXPECT_EQ(table.fields[3].name, "AKTYWNY");
  EXPECT_EQ(table.fields[3].type, 'L');
}

TEST_F(DosTableWriterTest, RecordsKeepTheirValuesAndDeletedFlags) {
  {
    DosTableWriter writer(path_, MixedFields());
    writer.Add({"\x9D\xA2\x64\xAB", DosNumber(12.5, 8, 2), DosDate(1998, 3, 5), "T", ""});
    writer.Add({"USUNIETY", "-3", "", "F", ""}, /*deleted=*/true);
    writer.Add({"NOWAK", "", "", "?", ""});
    writer.Add({"OSTATNI", "7", DosDate(2001, 12, 31), "Y", ""}, /*deleted=*/true);
  }  // the destructor finishes the table

  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_, "cp852");
  EXPECT_EQ(table.record_count, 4u);
  ASSERT_EQ(table.live_records.size(), 2u);
  ASSERT_EQ(table.deleted_records.size(), 2u);

  const testing::DbfOracleRecord& first = table.live_records[0];
  EXPECT_EQ(first.raw[0], "\x9D\xA2\x64\xAB      ");
  EXPECT_EQ(first.raw[1], "   12.50");
  EXPECT_THAT(first.values[0], Optional(std::string("Łódź")));
  EXPECT_THAT(first.values[1], Optional(std::string("12.5")));
  EXPECT_THAT(first.values[2], Optional(std::string("1998-03-05")));
  EXPECT_THAT(first.values[3], Optional(std::string("true")));

  const testing::DbfOracleRecord& empty = table.live_records[1];
  EXPECT_EQ(empty.raw[1], "        ");
  EXPECT_EQ(empty.values[1], std::nullopt);  // blank number
  EXPECT_EQ(empty.values[2], std::nullopt);  // blank date
  EXPECT_EQ(empty.values[3], std::nullopt);  // "?"

  EXPECT_THAT(table.deleted_records[0].values[0], Optional(std::string("USUNIETY")));
  EXPECT_THAT(table.deleted_records[0].values[1], Optional(std::string("-3")));
  EXPECT_THAT(table.deleted_records[1].values[2], Optional(std::string("2001-12-31")));
}

TEST_F(DosTableWriterTest, BinaryBytesInCharacterFieldsSurvive) {
  const std::vector<DosField> fields = {{"ID", 'C', 4, 0}, {"REF", 'C', 2, 0}, {"TXT", 'C', 5, 0}};
  const std::vector<std::vector<std::string>> records = {
      {DosKey(0x1A00FF20), DosReference(0x1A00), std::string("\x00\x1A\x0D\xFF*", 5)},
      {DosKey(0), DosReference(0xFFFF), std::string("\x1A\x1A\x1A\x1A\x1A", 5)},
      {DosKey(0xFFFFFFFF), DosReference(1), std::string(5, '\0')}};
  DosTableWriter writer(path_, fields);
  for (const auto& record : records) writer.Add(record);
  writer.Finish();

  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_);
  ASSERT_EQ(table.live_records.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(table.live_records[i].raw, records[i]) << "record " << i;
  }
  const std::vector<std::uint8_t> file = testing::ReadFileBytes(path_);
  EXPECT_EQ(file.size(), 32 + 3 * 32 + 1 + 3 * 12 + 1u);
  EXPECT_EQ(file.back(), 0x1A);
  EXPECT_EQ(file[32 + 3 * 32], 0x0D);
}

TEST_F(DosTableWriterTest, ShortValuesArePaddedWithSpaces) {
  DosTableWriter writer(path_, {{"KOD", 'C', 6, 0}, {"ILE", 'N', 5, 0}});
  writer.Add({"AB", "42"});
  writer.Finish();
  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_);
  ASSERT_EQ(table.live_records.size(), 1u);
  EXPECT_THAT(table.live_records[0].raw, ElementsAre("AB    ", "   42"));
}

TEST_F(DosTableWriterTest, ManyFields) {
  std::vector<DosField> fields;
  std::vector<std::string> values;
  for (int i = 1; i <= 200; ++i) {
    const std::string number = std::to_string(i);
    fields.push_back({"POLE" + number, 'C', 3, 0});
    values.push_back(number);
  }
  DosTableWriter writer(path_, fields);
  writer.Add(values);
  writer.Finish();

  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_, "cp852");
  EXPECT_EQ(table.header_length, 32 + 200 * 32 + 1);
  ASSERT_EQ(table.fields.size(), 200u);
  EXPECT_EQ(table.fields[199].name, "POLE200");
  ASSERT_EQ(table.live_records.size(), 1u);
  EXPECT_THAT(table.live_records[0].values[199], Optional(std::string("200")));
  EXPECT_THAT(table.live_records[0].values[0], Optional(std::string("1")));
}

TEST_F(DosTableWriterTest, EmptyTableIsHeaderAndEndMark) {
  DosTableWriter(path_, {{"KOD", 'C', 6, 0}}).Finish();
  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_);
  EXPECT_EQ(table.record_count, 0u);
  EXPECT_TRUE(table.live_records.empty());
  EXPECT_EQ(testing::ReadFileBytes(path_).size(), 32 + 32 + 1 + 1u);
}

TEST_F(DosTableWriterTest, TablesLargerThanOneBlockAreComplete) {
  // 40000 records of 40 bytes span two write blocks.
  constexpr std::uint32_t kCount = 40'000;
  DosTableWriter writer(path_, {{"ID", 'C', 4, 0}, {"NR", 'N', 10, 0}, {"X", 'C', 25, 0}});
  for (std::uint32_t i = 0; i < kCount; ++i) {
    writer.Add({DosKey(i), DosNumber(i, 10), std::string(25, static_cast<char>('A' + i % 26))},
               i % 1000 == 999);
  }
  writer.Finish();

  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(path_);
  EXPECT_EQ(table.record_count, kCount);
  ASSERT_EQ(table.live_records.size(), kCount - kCount / 1000);
  ASSERT_EQ(table.deleted_records.size(), kCount / 1000);
  EXPECT_EQ(table.live_records.back().raw[0], DosKey(kCount - 2));
  EXPECT_EQ(table.deleted_records.back().raw[0], DosKey(kCount - 1));
  EXPECT_EQ(table.live_records[26'000].raw[1], DosNumber(26'026, 10));
}

TEST_F(DosTableWriterTest, RejectsWhatClipperCannotStore) {
  using Fields = std::vector<DosField>;
  EXPECT_THROW(DosTableWriter(path_, Fields{{"NAZWA_DLUGA", 'C', 1, 0}}), std::invalid_argument);
  EXPECT_THROW(DosTableWriter(path_, Fields{{"", 'C', 1, 0}}), std::invalid_argument);
  EXPECT_THROW(DosTableWriter(path_, Fields{{"PUSTE", 'C', 0, 0}}), std::invalid_argument);
  EXPECT_THROW(DosTableWriter(path_, Fields(300, {"DUZE", 'C', 255, 0})), std::invalid_argument);

  DosTableWriter writer(path_, {{"KOD", 'C', 3, 0}});
  EXPECT_THROW(writer.Add({"ABCD"}), std::invalid_argument);
  EXPECT_THROW(writer.Add({"A", "B"}), std::invalid_argument);
  writer.Finish();
  EXPECT_THROW(writer.Add({"A"}), std::logic_error);
}

TEST(DosValuesTest, BinaryKeysAndReferencesAreLittleEndian) {
  EXPECT_EQ(DosKey(0x04030201), "\x01\x02\x03\x04");
  EXPECT_EQ(DosKey(0), std::string(4, '\0'));
  EXPECT_EQ(DosReference(0x0102), "\x02\x01");
  EXPECT_EQ(DosReference(0xFF00), std::string("\x00\xFF", 2));
}

TEST(DosValuesTest, DatesAndNumbersAsClipperWritesThem) {
  EXPECT_EQ(DosDate(1998, 3, 5), "19980305");
  EXPECT_EQ(DosNumber(12.5, 6, 2), " 12.50");
  EXPECT_EQ(DosNumber(-3, 4), "  -3");
  EXPECT_EQ(DosNumber(2.675, 5, 1), "  2.7");
  EXPECT_EQ(DosNumber(-0.001, 5, 2), " 0.00");
  EXPECT_EQ(DosNumber(123456, 5), "*****");
  EXPECT_EQ(DosNumber(12345, 5), "12345");
}

}  // namespace
}  // namespace konwerter::tools
