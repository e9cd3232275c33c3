#include "app/window/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/window/run_watch.h"
#include "app/window/window_controls.h"
#include "tests/app/window/window_fakes.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {
namespace {

using app::window::FolderOfFile;
using app::window::MainWindow;
using app::window::OptionBox;
using ::testing::ElementsAre;

std::string Caption(const app::window::WindowSpec& window, std::string_view name) {
  return platform::Utf8FromCp1250(window.Control(name).caption);
}

TEST(WindowControlsTest, MainWindowTabOrderPassesOverTheProgressBars) {
  const app::window::WindowSpec window = app::window::MainWindowSpec();
  EXPECT_THAT(window.FocusOrder(),
              ElementsAre("Edit1", "Button1", "Button2", "Edit2", "BitBtn1", "BitBtn2", "cbosoby",
                          "cbasor", "CBkerg", "cbdzialki", "cbobreby", "cbgmina", "cbindeksy"));
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

// The box for rebuilding indexes: below everything the DOS edition's window had, which keeps
// its place; the window grows by the box.
TEST(WindowControlsTest, TheIndexBoxLiesBelowTheButtonsInAGrownWindow) {
  const app::window::WindowSpec window = app::window::MainWindowSpec();
  const app::window::ControlSpec& box = window.Control("cbindeksy");
  EXPECT_EQ(box.kind, app::window::ControlKind::kCheckBox);
  EXPECT_EQ(Caption(window, "cbindeksy"), "Odbuduj indeksy z tabel (pomiń pliki .ntx)");
  EXPECT_EQ(box.bounds.left, window.Control("cbdzialki").bounds.left);
  int lowest = 0;
  for (const auto& control : window.controls) {
    if (control.name != "cbindeksy") {
      lowest = std::max(lowest, control.bounds.top + control.bounds.height);
    }
  }
  EXPECT_EQ(lowest, 473);  // the buttons' bottom, as in the DOS edition's window of 486
  EXPECT_GT(box.bounds.top, lowest);
  EXPECT_EQ(window.client_height, box.bounds.top + box.bounds.height + 11);
  EXPECT_EQ(window.Control("BitBtn1").bounds, (app::window::Bounds{24, 448, 97, 25}));
}

TEST(FolderOfFileTest, KeepsTheFolderWithItsSeparator) {
  EXPECT_EQ(FolderOfFile("C:\\TEROKAN\\SYSTEM\\users.dbf"), "C:\\TEROKAN\\SYSTEM\\");
  EXPECT_EQ(FolderOfFile("/srv/dos/SYSTEM/users.dbf"), "/srv/dos/SYSTEM/");
  EXPECT_EQ(FolderOfFile("/konwerter"), "/");
  EXPECT_EQ(FolderOfFile("users.dbf"), "");
}

TEST(FolderOfFileTest, AFolderEndsInTheSeparatorItsHostOrItsTextUses) {
  using app::window::WithFolderSeparator;
  EXPECT_EQ(WithFolderSeparator("C:\\DANE"), "C:\\DANE\\");
  EXPECT_EQ(WithFolderSeparator("/srv/dane/"), "/srv/dane/");
  EXPECT_EQ(WithFolderSeparator("C:\\DANE\\"), "C:\\DANE\\");
  EXPECT_EQ(WithFolderSeparator(""), "");
#ifdef _WIN32
  EXPECT_EQ(WithFolderSeparator("dane"), "dane\\");
#else
  EXPECT_EQ(WithFolderSeparator("/srv/dane"), "/srv/dane/");
  EXPECT_EQ(WithFolderSeparator("dane"), "dane/");
#endif
}

TEST(FolderOfFileTest, AChosenFolderIsTakenItself) {
  TempDir folder;
  std::filesystem::create_directory(folder.path() / "SYSTEM");
  const std::string system = platform::Cp1250FromUtf8((folder.path() / "SYSTEM").string());
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  EXPECT_EQ(app::window::ChosenFolder(system), system + separator);
  EXPECT_EQ(app::window::ChosenFolder(system + separator + "*.*"), system + separator);
  EXPECT_EQ(app::window::ChosenFolder(system + separator + "users.dbf"), system + separator);
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
  window_.ChooseInputFolder(host_);
  EXPECT_EQ(window_.input_folder(), "/srv/dos/SYSTEM/");
  host_.chosen_file = "D:\\WYNIK\\x.txt";
  window_.ChooseOutputFolder(host_);
  EXPECT_EQ(window_.output_folder(), "D:\\WYNIK\\");
  host_.chosen_file.reset();  // cancelled: the edit keeps its text
  window_.ChooseInputFolder(host_);
  EXPECT_EQ(window_.input_folder(), "/srv/dos/SYSTEM/");
  EXPECT_EQ(host_.file_dialogs, 3);
}

TEST_F(MainWindowTest, RenumberingBoxStaysCheckedOnlyAfterOk) {
  window_.SetOption(host_, OptionBox::kRenumberCommunes, true);
  EXPECT_EQ(host_.dialogs, 1);
  EXPECT_FALSE(window_.options().renumber_communes);
  EXPECT_GE(host_.refreshes, 1);

  host_.dialog_ends_with_ok = true;
  window_.SetOption(host_, OptionBox::kRenumberCommunes, true);
  EXPECT_TRUE(window_.options().renumber_communes);
  window_.SetOption(host_, OptionBox::kRenumberCommunes, false);  // unchecking shows nothing
  EXPECT_FALSE(window_.options().renumber_communes);
  EXPECT_EQ(host_.dialogs, 2);

  window_.SetOption(host_, OptionBox::kDeleteUnlinkedPersons, false);
  EXPECT_FALSE(window_.options().delete_unlinked_persons);
  EXPECT_EQ(host_.dialogs, 2);
}

TEST_F(MainWindowTest, TheRequestCarriesEveryBoxOfBothWindows) {
  RecordedMessages messages;
  window_.input_folder() = "/srv/dos";
  window_.SetOption(host_, OptionBox::kDeleteUnlinkedAssortments, false);
  window_.renumbering_dialog().SetSegmentOption(OptionBox::kRenumberSketches, true, messages);
  const app::ConversionRequest request = window_.Request();
  EXPECT_EQ(request.input_folder, "/srv/dos");
  EXPECT_EQ(request.output_folder, folder_.folder());
  EXPECT_EQ(request.renumbering_file, folder_.Join("konwerter.gm"));
  EXPECT_FALSE(request.options.delete_unlinked_assortments);
  EXPECT_TRUE(request.options.segment_one.szkice);
  EXPECT_TRUE(request.drives.empty());
}

// A conversion from the window is tested with the Qt window (tests/app/gui).
TEST_F(MainWindowTest, KonwersjaWithAnEmptyEditDoesNothing) {
  run::Session session;
  RecordedProgress progress;
  const platform::FixedClock clock{platform::CalendarDate{2026, 12, 7}};
  RecordedMessages messages;
  EXPECT_EQ(window_.StartConversion(host_, {session, progress, messages, clock}), std::nullopt);
  window_.input_folder() = "/srv/dos";
  window_.output_folder().clear();
  EXPECT_EQ(window_.StartConversion(host_, {session, progress, messages, clock}), std::nullopt);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(host_.busy_changes.empty());
  EXPECT_EQ(progress.resets, 0);
  EXPECT_FALSE(host_.closed);
}

// A run that fails once tables are being written: its end names the table it stopped at,
// and the edits show the folders ending in the separator of the host.
TEST_F(MainWindowTest, AFailedRunNamesWhereItStoppedAndTheEditsKeepTheirSeparators) {
  TempDir site;
  TempDir output;
  tools::GenerateSampleSite({site.path(), 1, 1});
  std::filesystem::remove(site.path() / "LZ" / "LEC" / "wsprozl.dbf");
  const std::string system = platform::Cp1250FromUtf8((site.path() / "SYSTEM").string());
  const std::string result_folder = platform::Cp1250FromUtf8(output.path().string());
  window_.input_folder() = system;
  window_.output_folder() = result_folder;
  run::Session session;
  RecordedProgress progress;
  const platform::FixedClock clock{platform::CalendarDate{2026, 12, 7}};
  RecordedMessages messages;
  const auto result = window_.StartConversion(host_, {session, progress, messages, clock});

  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, app::RunOutcome::kFailed);
  ASSERT_FALSE(result->stopped_at.empty());
  ASSERT_FALSE(messages.shown.empty());
  // One fact names the table (the driver's own, or the window's when the driver has none).
  EXPECT_THAT(messages.shown.back().facts,
              ::testing::Contains(::testing::HasSubstr(platform::Cp1250FromUtf8(
                                                           "przerwano podczas tworzenia tabeli: ") +
                                                       result->stopped_at))
                  .Times(1));
  EXPECT_EQ(progress.resets, 1);
  EXPECT_FALSE(host_.closed);
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  EXPECT_EQ(window_.input_folder(), system + separator);
  EXPECT_EQ(window_.output_folder(), result_folder + separator);
}

}  // namespace
}  // namespace konwerter::testing
