#include "app/window/renumbering_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "renumber/renumbering_file.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_dir.h"

namespace konwerter::testing {
namespace {

using app::window::RenumberingGrid;
using app::window::RenumberingRow;
using app::window::RowsFromFileText;
using app::window::RowsProblem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Utf8(const std::optional<std::string>& text) {
  return text ? platform::Utf8FromCp1250(*text) : "(none)";
}

TEST(RenumberingGridTest, AddsDeletesAndClearsTheLastRow) {
  RenumberingGrid grid;
  ASSERT_EQ(grid.row_count(), 1);
  grid.SetCell(0, 0, "12");
  grid.AppendRow();
  EXPECT_EQ(grid.current_row(), 1);
  grid.SetCell(1, 1, "345");
  grid.AppendRow();
  grid.SetCurrentRow(1);
  grid.DeleteCurrentRow();
  EXPECT_THAT(grid.rows(), ElementsAre(RenumberingRow{"12", ""}, RenumberingRow{}));
  EXPECT_EQ(grid.current_row(), 1);
  grid.DeleteCurrentRow();  // the last row: the one before becomes current
  EXPECT_EQ(grid.current_row(), 0);
  grid.DeleteCurrentRow();  // the only row is emptied, not removed
  EXPECT_THAT(grid.rows(), ElementsAre(RenumberingRow{}));
  grid.SetCurrentRow(5);
  EXPECT_EQ(grid.current_row(), 0);
}

TEST(RenumberingGridTest, RowsComeFromLinesHoldingABarAsTheyStand) {
  EXPECT_THAT(
      RowsFromFileText("12|345\r\nbez kreski\r\n 7 | 8\n|\r\n1|2|3\r\n9|12345678901234"),
      ElementsAre(RenumberingRow{"12", "345"}, RenumberingRow{" 7 ", " 8"}, RenumberingRow{"", ""},
                  RenumberingRow{"1", "2|3"}, RenumberingRow{"9", "1234567890"}));
  EXPECT_TRUE(RowsFromFileText("").empty());
}

TEST(RenumberingGridTest, RowsWithOneEmptyCellOrNoCommuneNumberAreRefused) {
  // What the file's loader reads as 0 to 9999 passes, so a loaded file saves unchanged.
  EXPECT_EQ(RowsProblem({{"12", "345"}, {"", ""}, {"  ", " "}, {" 7 ", "0"}, {"+5", "00012"}}),
            std::nullopt);
  EXPECT_THAT(Utf8(RowsProblem({{"12", "345"}, {"", "5"}})), HasSubstr("Wiersz 2:"));
  EXPECT_THAT(Utf8(RowsProblem({{"12", " "}})), HasSubstr("Wiersz 1: należy podać"));
  for (const char* bad : {"10000", "abc", "-1", "+", "++5", "1 2", "12|3", "010000", "65548"}) {
    EXPECT_THAT(Utf8(RowsProblem({{"1", "2"}, {"3", "4"}, {"5", bad}})),
                HasSubstr("Wiersz 3: numer gminy musi być liczbą od 0 do 9999"))
        << bad;
    EXPECT_NE(RowsProblem({{bad, "1"}}), std::nullopt) << bad;
  }
}

class RenumberingDialogTest : public ::testing::Test {
 protected:
  RenumberingDialogTest() : dialog_(folder_.Join("konwerter.gm"), options_) {}

  std::filesystem::path FilePath() const { return folder_.path() / "konwerter.gm"; }
  void WriteFile(const std::string& text) const {
    std::ofstream(FilePath(), std::ios::binary) << text;
  }
  std::string ReadFile() const {
    std::ifstream file(FilePath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  TempDir folder_;
  run::RunOptions options_;
  app::window::RenumberingDialog dialog_;
  RecordedMessages messages_;
};

TEST_F(RenumberingDialogTest, ShowingReloadsTheGridWhenTheFileCanBeOpened) {
  dialog_.grid().SetCell(0, 0, "typed");
  dialog_.Showing();  // no file: the grid keeps what it held
  EXPECT_THAT(dialog_.grid().rows(), ElementsAre(RenumberingRow{"typed", ""}));

  WriteFile("12|345\r\n7|8\r\n");
  dialog_.grid().AppendRow();
  dialog_.Showing();
  EXPECT_THAT(dialog_.grid().rows(),
              ElementsAre(RenumberingRow{"12", "345"}, RenumberingRow{"7", "8"}));
  EXPECT_EQ(dialog_.grid().current_row(), 0);

  WriteFile("");  // an empty file gives one empty row
  dialog_.Showing();
  EXPECT_THAT(dialog_.grid().rows(), ElementsAre(RenumberingRow{}));
}

TEST_F(RenumberingDialogTest, OkWritesTheRowsSoThatTheLoaderReadsThem) {
  RenumberingGrid& grid = dialog_.grid();
  grid.SetCell(0, 0, " 12 ");
  grid.SetCell(0, 1, "345");
  grid.AppendRow();  // left empty: not written
  grid.AppendRow();
  grid.SetCell(2, 0, "7");
  grid.SetCell(2, 1, "   0");
  grid.AppendRow();
  grid.SetCell(3, 0, "12");
  grid.SetCell(3, 1, "0999");
  ASSERT_TRUE(dialog_.Accept(messages_));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(ReadFile(), "12|345\r\n7|0\r\n12|0999\r\n");

  renumber::RenumberingTable table;
  ASSERT_TRUE(renumber::LoadRenumberingFile(folder_.Join("konwerter.gm"), table));
  EXPECT_EQ(table.NewNumber(12), 999);  // the later line wins
  EXPECT_EQ(table.NewNumber(7), 0);
}

TEST_F(RenumberingDialogTest, OkWithTheStartingEmptyRowWritesAFileThatLoads) {
  ASSERT_TRUE(dialog_.Accept(messages_));
  EXPECT_EQ(ReadFile(), "");
  renumber::RenumberingTable table;
  EXPECT_TRUE(renumber::LoadRenumberingFile(folder_.Join("konwerter.gm"), table));
}

TEST_F(RenumberingDialogTest, ABadRowKeepsTheDialogOpenAndWritesNothing) {
  WriteFile("1|2\r\n");
  dialog_.grid().SetCell(0, 0, "12");
  ASSERT_FALSE(dialog_.Accept(messages_));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.Texts()[0], HasSubstr("Wiersz 1"));
  EXPECT_EQ(platform::Utf8FromCp1250(messages_.shown[0].caption), "Błąd");
  EXPECT_EQ(ReadFile(), "1|2\r\n");
}

TEST_F(RenumberingDialogTest, AFileThatCannotBeWrittenIsNamedAndTheDialogStays) {
  app::window::RenumberingDialog dialog(folder_.Join("brak\\konwerter.gm"), options_);
  ASSERT_FALSE(dialog.Accept(messages_));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.Texts()[0],
              HasSubstr("Nie można zapisać pliku z przenumerowaniem gmin: " +
                        platform::Utf8FromCp1250(folder_.Join("brak\\konwerter.gm"))));
}

TEST_F(RenumberingDialogTest, LeavingAsksAndOnlyYesLeaves) {
  RecordedMessages messages({platform::MessageAnswer::kNo, platform::MessageAnswer::kYes});
  EXPECT_FALSE(dialog_.ConfirmLeave(messages));
  EXPECT_TRUE(dialog_.ConfirmLeave(messages));
  ASSERT_EQ(messages.shown.size(), 2u);
  const platform::OperatorMessage& question = messages.shown[0];
  EXPECT_EQ(messages.Texts()[0],
            "Wyjście bez zapisu spowoduje, iż wprowadzone przenumerowanie nie zostanie "
            "zachowane. Kontynuować?");
  EXPECT_EQ(platform::Utf8FromCp1250(question.caption), "Potwierdzenie");
  EXPECT_EQ(question.buttons, platform::MessageButtons::kYesNo);
  EXPECT_EQ(question.icon, platform::MessageIcon::kQuestion);
  EXPECT_FALSE(std::filesystem::exists(FilePath()));
}

TEST_F(RenumberingDialogTest, SegmentBoxesSetTheOptionsAndWarnOnlyOnce) {
  using app::window::OptionBox;
  dialog_.SetSegmentOption(OptionBox::kRenumberOutlines, true, messages_);
  dialog_.SetSegmentOption(OptionBox::kRenumberOutlines, false, messages_);
  dialog_.SetSegmentOption(OptionBox::kRenumberOperPr, true, messages_);
  dialog_.SetSegmentOption(OptionBox::kRenumberKme, true, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_THAT(messages_.Texts()[0],
              HasSubstr("Przenumerowanie członu pierwszego jest równoznaczne z przenumerowaniem "
                        "wybranego zasobu."));
  EXPECT_EQ(platform::Utf8FromCp1250(messages_.shown[0].caption), "Ostrzeżenie !");
  EXPECT_EQ(messages_.shown[0].buttons, platform::MessageButtons::kOk);
  EXPECT_TRUE(options_.segment_one.oper_pr);
  EXPECT_TRUE(options_.segment_one.kme);
  EXPECT_FALSE(options_.segment_one.zarysy);
  EXPECT_FALSE(options_.segment_one.oper_bu);
}

}  // namespace
}  // namespace konwerter::testing
