#include "app/window/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "app/window/window_controls.h"
#include "tests/app/window/window_fakes.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;
using app::window::FolderOfFile;
using app::window::MainWindow;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string Caption(const app::window::WindowSpec& window, std::string_view name) {
  return platform::Utf8FromCp1250(window.Control(name).caption);
}

TEST(WindowControlsTest, MainWindowTabOrderPassesOverTheProgressBars) {
  const app::window::WindowSpec window = app::window::MainWindowSpec();
  EXPECT_THAT(window.FocusOrder(),
              ElementsAre("Edit1", "Button1", "Button2", "Edit2", "BitBtn1", "BitBtn2", "cbosoby",
                          "cbasor", "CBkerg", "cbdzialki", "cbobreby", "cbgmina"));
  EXPECT_EQ(window.Control("ProgressBar1").maximum, 60);
  EXPECT_EQ(window.Control("ProgressBar2").maximum, 100);
  EXPECT_FALSE(window.Control("lile").visible);
  EXPECT_TRUE(window.Control("Label1").bold);
  // Two spaces before the last word, Polish letters in cp1250.
  EXPECT_EQ(Caption(window, "Label2"), "Kartoteka z danymi  wejściowymi:");
  EXPECT_EQ(window.Control("cbdzialki").caption, "Usu\xF1 nie powi\xB9zane dzia\xB3ki");
  EXPECT_THROW(window.Control("Edit3"), std::out_of_range);
}

TEST(WindowControlsTest, EveryControlLiesInsideItsWindowAndHasItsOwnName) {
  for (const app::window::WindowSpec& window :
       {app::window::MainWindowSpec(), app::window::RenumberingDialogSpec()}) {
    std::set<std::string> names;
    for (const auto& control : window.controls) {
      EXPECT_TRUE(names.insert(control.name).second) << window.name << " " << control.name;
      EXPECT_GE(control.bounds.left, 0) << control.name;
      EXPECT_LE(control.bounds.left + control.bounds.width, window.client_width) << control.name;
      EXPECT_LE(control.bounds.top + control.bounds.height, window.client_height) << control.name;
    }
  }
  const app::window::WindowSpec dialog = app::window::RenumberingDialogSpec();
  EXPECT_THAT(dialog.FocusOrder(), ElementsAre("StringGrid1", "cboe", "cbob", "cbop", "cbos", "cbz",
                                               "cbk", "BitBtn1", "BitBtn2"));
  EXPECT_EQ(Caption(dialog, "SpeedButton2"), "Usuń wiersz");
  EXPECT_EQ(dialog.client_width, 436);
  EXPECT_EQ(dialog.client_height, 357);
}

TEST(FolderOfFileTest, KeepsTheFolderWithItsSeparator) {
  EXPECT_EQ(FolderOfFile("C:\\TEROKAN\\SYSTEM\\users.dbf"), "C:\\TEROKAN\\SYSTEM\\");
  EXPECT_EQ(FolderOfFile("/srv/dos/SYSTEM/users.dbf"), "/srv/dos/SYSTEM/");
  EXPECT_EQ(FolderOfFile("/konwerter"), "/");
  EXPECT_EQ(FolderOfFile("users.dbf"), "");
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window_(folder_.Join("konwerter")) {}

  TempDir folder_;
  MainWindow window_;
  FakeHost host_;
};

TEST_F(MainWindowTest, StartsWithTheProgramFolderAndTheDefaultBoxes) {
  EXPECT_EQ(window_.input_folder(), "");
  EXPECT_EQ(window_.output_folder(), folder_.folder());
  EXPECT_EQ(window_.renumbering_dialog().file_path(), folder_.Join("konwerter.gm"));
  const run::RunOptions& options = window_.options();
  EXPECT_FALSE(options.renumber_communes);
  EXPECT_TRUE(options.delete_unlinked_persons && options.delete_unlinked_works &&
              options.delete_unlinked_assortments && options.delete_unlinked_precincts &&
              options.delete_unlinked_parcels);
}

TEST_F(MainWindowTest, ChoosingAFilePutsItsFolderIntoTheEdit) {
  host_.chosen_file = "/srv/dos/SYSTEM/users.dbf";
  window_.Button1Click(host_);
  EXPECT_EQ(window_.input_folder(), "/srv/dos/SYSTEM/");
  host_.chosen_file = "D:\\WYNIK\\x.txt";
  window_.Button2Click(host_);
  EXPECT_EQ(window_.output_folder(), "D:\\WYNIK\\");
  host_.chosen_file.reset();  // cancelled: the edit keeps its text
  window_.Button1Click(host_);
  EXPECT_EQ(window_.input_folder(), "/srv/dos/SYSTEM/");
  EXPECT_EQ(host_.file_dialogs, 3);
}

TEST_F(MainWindowTest, RenumberingBoxStaysCheckedOnlyAfterOk) {
  window_.CheckBoxClicked(host_, "cbgmina", true);
  EXPECT_EQ(host_.dialogs, 1);
  EXPECT_FALSE(window_.options().renumber_communes);
  EXPECT_GE(host_.refreshes, 1);

  host_.dialog_ends_with_ok = true;
  window_.CheckBoxClicked(host_, "cbgmina", true);
  EXPECT_TRUE(window_.options().renumber_communes);
  window_.CheckBoxClicked(host_, "cbgmina", false);  // unchecking shows nothing
  EXPECT_FALSE(window_.options().renumber_communes);
  EXPECT_EQ(host_.dialogs, 2);

  window_.CheckBoxClicked(host_, "cbosoby", false);
  window_.CheckBoxClicked(host_, "nieznany", true);
  EXPECT_FALSE(window_.options().delete_unlinked_persons);
  EXPECT_EQ(host_.dialogs, 2);
}

TEST_F(MainWindowTest, TheRequestCarriesEveryBoxOfBothWindows) {
  RecordedMessages messages;
  window_.input_folder() = "/srv/dos";
  window_.CheckBoxClicked(host_, "cbasor", false);
  window_.renumbering_dialog().SegmentBoxClicked("cbos", true, messages);
  const app::ConversionRequest request = window_.Request();
  EXPECT_EQ(request.input_folder, "/srv/dos");
  EXPECT_EQ(request.output_folder, folder_.folder());
  EXPECT_EQ(request.renumbering_file, folder_.Join("konwerter.gm"));
  EXPECT_FALSE(request.options.delete_unlinked_assortments);
  EXPECT_TRUE(request.options.segment_one.szkice);
  EXPECT_TRUE(request.drives.empty());
}

TEST_F(MainWindowTest, AnulujClosesWithoutAQuestion) {
  window_.BitBtn2Click(host_);
  EXPECT_TRUE(host_.closed);
}

class WindowConversionTest : public MainWindowTest {
 protected:
  run::Session session_;
  RecordedProgress progress_;
  const platform::FixedClock clock_{platform::CalendarDate{2026, 12, 7}};
};

TEST_F(WindowConversionTest, KonwersjaWithAnEmptyEditDoesNothing) {
  RecordedMessages messages;
  EXPECT_EQ(window_.BitBtn1Click(host_, {session_, progress_, messages, clock_}), std::nullopt);
  window_.input_folder() = "/srv/dos";
  window_.output_folder().clear();
  EXPECT_EQ(window_.BitBtn1Click(host_, {session_, progress_, messages, clock_}), std::nullopt);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(host_.busy_changes.empty());
  EXPECT_EQ(progress_.resets, 0);
  EXPECT_FALSE(host_.closed);
}

TEST_F(WindowConversionTest, ASuccessfulConversionClosesTheWindow) {
  TempDir site;
  tools::GenerateSampleSite({site.path(), 1, 1});
  window_.input_folder() = site.folder();
  window_.output_folder() = folder_.Join("wynik");
  RecordedMessages messages;
  const auto result = window_.BitBtn1Click(host_, {session_, progress_, messages, clock_});
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, app::RunOutcome::kSucceeded) << result->message;
  EXPECT_THAT(messages.Texts(), ElementsAre("Konwersja została zakończona."));
  EXPECT_THAT(host_.busy_changes, ElementsAre(true, false));
  EXPECT_TRUE(host_.closed);
  EXPECT_EQ(window_.output_folder(), folder_.Join("wynik\\"));  // as the run completed it
  EXPECT_THAT(progress_.captions, ::testing::Contains("Tworzenie tabeli: Osoby.dbf"));
  EXPECT_TRUE(fs::exists(folder_.path() / "wynik" / "BAZA" / "OSOBY" / "Osoby.dbf"));
}

TEST_F(WindowConversionTest, AFailedConversionLeavesTheWindowOpen) {
  TempDir site;
  tools::GenerateSampleSite({site.path(), 1, 1});
  window_.input_folder() = site.folder();
  window_.output_folder() = folder_.Join("wynik");
  // The persons' table is gone: the persons' converter cannot open it.
  for (const auto& entry : fs::recursive_directory_iterator(site.path())) {
    std::string name = entry.path().filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "osoby.dbf") fs::remove(entry.path());
  }
  RecordedMessages messages;
  const auto result = window_.BitBtn1Click(host_, {session_, progress_, messages, clock_});
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, app::RunOutcome::kFailed);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_THAT(messages.Texts().back(), HasSubstr("Wystąpił błąd podczas konwersji:"));
  EXPECT_EQ(messages.shown.back().icon, platform::MessageIcon::kStop);
  EXPECT_THAT(host_.busy_changes, ElementsAre(true, false));
  EXPECT_FALSE(host_.closed);
}

}  // namespace
}  // namespace konwerter::testing
