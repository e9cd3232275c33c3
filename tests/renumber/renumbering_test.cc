#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "renumber/renumbering_file.h"
#include "renumber/renumbering_table.h"
#include "tests/support/temp_dir.h"

namespace konwerter::renumber {
namespace {

class RenumberingRuleTest : public ::testing::Test {
 protected:
  void SetUp() override { table_.Set(12, 345); }
  RenumberingTable table_;
};

TEST_F(RenumberingRuleTest, RenumbersOnlyWhenSwitchedOn) {
  EXPECT_EQ(RenumberCommuneText("12", false, table_, true), "345");
  EXPECT_EQ(RenumberCommuneText("12", false, table_, false), "012");
  EXPECT_EQ(RenumberCommuneNumber(12, table_, true), "345");
  EXPECT_EQ(RenumberCommuneNumber(12, table_, false), "012");
}

TEST_F(RenumberingRuleTest, KeepWidthPadsBackToTheGivenLength) {
  EXPECT_EQ(RenumberCommuneText("  7", true, table_, true), "007");
  EXPECT_EQ(RenumberCommuneText(" 12 ", true, table_, true), " 345");
  EXPECT_EQ(RenumberCommuneText("  12", true, table_, true), " 345");
  EXPECT_EQ(RenumberCommuneText("  12", false, table_, true), "345");
  // At most 21 spaces are added.
  EXPECT_EQ(RenumberCommuneText(std::string(30, ' ') + "12", true, table_, true),
            std::string(21, ' ') + "345");
}

TEST_F(RenumberingRuleTest, TextThatIsNotACommuneNumberIsLeftAsItIs) {
  EXPECT_EQ(RenumberCommuneText("", true, table_, true), "");
  EXPECT_EQ(RenumberCommuneText("ab", false, table_, true), "ab");
  EXPECT_EQ(RenumberCommuneText(" 12a ", false, table_, true), " 12a ");
  EXPECT_EQ(RenumberCommuneText("10000", false, table_, true), "10000");
}

TEST_F(RenumberingRuleTest, NormalisesLeadingZerosAndKeepsLongNumbers) {
  EXPECT_EQ(RenumberCommuneText("0012", false, RenumberingTable{}, true), "012");
  EXPECT_EQ(RenumberCommuneText("1234", false, table_, true), "1234");
  // A number is read as an unsigned 16-bit value: 65548 stands for 12.
  EXPECT_EQ(RenumberCommuneText("65548", false, table_, true), "345");
}

class RenumberingFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& content) {
    const auto path = folder_.path() / "konwerter.gm";
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  testing::TempDir folder_;
  RenumberingTable table_;
};

TEST_F(RenumberingFileTest, ReadsPairsLaterLinesWinAndZeroKeepsTheNumber) {
  table_.Set(99, 1);  // loading starts from an empty table
  ASSERT_TRUE(
      LoadRenumberingFile(Write("12|345\r\n 13 | 14 \r\nno bar here\r\n12|346\n7|0\r\n"), table_));
  EXPECT_EQ(table_.NewNumber(12), 346);
  EXPECT_EQ(table_.NewNumber(13), 14);
  EXPECT_EQ(table_.NewNumber(7), 0);
  EXPECT_EQ(table_.NewNumber(99), 0);
  EXPECT_EQ(RenumberCommuneNumber(7, table_, true), "007");
}

TEST_F(RenumberingFileTest, AMissingFileRenumbersNothing) {
  table_.Set(12, 345);
  EXPECT_TRUE(LoadRenumberingFile((folder_.path() / "none.gm").string(), table_));
  EXPECT_EQ(table_.NewNumber(12), 0);
}

TEST_F(RenumberingFileTest, AFaultyLineRefusesTheFile) {
  for (const char* content :
       {"10000|5\r\n", "12|abc\r\n", "|5\r\n", "12|\r\n", "5|10000\r\n", "1|2\r\n3|x\r\n"}) {
    EXPECT_FALSE(LoadRenumberingFile(Write(content), table_)) << content;
  }
}

TEST_F(RenumberingFileTest, AFaultyFileNamesItsFirstFaultyLine) {
  const auto fault = ReadRenumberingFile(Write("1|2\r\nno bar\r\n3|x\r\n4|y\r\n"), table_);
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->line_number, 3);
  EXPECT_EQ(fault->line, "3|x");
  EXPECT_FALSE(ReadRenumberingFile(Write("1|2\n"), table_).has_value());
  EXPECT_FALSE(ReadRenumberingFile((folder_.path() / "none.gm").string(), table_).has_value());
}

TEST(RenumberingFilePathTest, LiesBesideTheProgram) {
  EXPECT_EQ(RenumberingFilePath("C:\\TEROKAN\\konwerter.exe"), "C:\\TEROKAN\\konwerter.gm");
  EXPECT_EQ(RenumberingFilePath("/opt/konwerter/konwerter-cli"), "/opt/konwerter/konwerter-cli.gm");
}

}  // namespace
}  // namespace konwerter::renumber
