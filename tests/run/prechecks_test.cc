#include "run/prechecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/text_encoding.h"
#include "source/memory_file.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_dir.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/mem_writer.h"

namespace konwerter::run {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using tools::MemVariable;

void WriteUsers(const fs::path& folder) {
  fs::create_directories(folder);
  tools::DosTableWriter(folder / "users.dbf", {{"NAME", 'C', 8}}).Finish();
}

TEST(LocateSystemFolderTest, FindsTheSystemFolderInsideTheInputFolder) {
  testing::TempDir root;
  WriteUsers(root.path() / "SYSTEM");
  std::string input = root.folder();
  LocateSystemFolder(input);
  EXPECT_EQ(input, root.folder() + "SYSTEM\\");
  LocateSystemFolder(input);  // the SYSTEM folder itself stays as it is
  EXPECT_EQ(input, root.folder() + "SYSTEM\\");

  std::string elsewhere = root.Join("brak");
  LocateSystemFolder(elsewhere);
  EXPECT_EQ(elsewhere, root.Join("brak") + "\\");
}

TEST(SourceLockTest, ExplainsAWrongFolderAndADataSetInUse) {
  testing::TempDir root;
  testing::RecordedMessages messages;
  EXPECT_FALSE(TakeSourceLock(root.folder(), messages));
  WriteUsers(root.path());
  {
    const auto first = TakeSourceLock(root.folder(), messages);
    ASSERT_TRUE(first);
    EXPECT_FALSE(TakeSourceLock(root.folder(), messages));
  }
  EXPECT_TRUE(TakeSourceLock(root.folder(), messages));  // released with the first lock
  // The wrong folder's message keeps its text and names the file that was not found.
  EXPECT_THAT(messages.Texts(),
              ElementsAre(::testing::AllOf(
                              ::testing::StartsWith("Błędna ścieżka dojścia do danych systemu "
                                                    "TEROKAN. Wskaż położenie kartoteki SYSTEM "
                                                    "w TEROKAN.\r\nNie znaleziono pliku: "),
                              ::testing::EndsWith("users.dbf")),
                          "Przed konwersją należy zakończyć pracę z systemem TEROKAN na "
                          "wszyskich stanowiskach."));
}

TEST(SourceDirectoryVariablesTest, EveryValueEndsInABackslash) {
  testing::TempDir root;
  testing::RecordedMessages messages;
  EXPECT_FALSE(ReadSourceDirectoryVariables(root.folder(), {}, messages));
  EXPECT_THAT(messages.Texts(),
              ElementsAre("Brak pliku: " + (root.path() / "bdglobal.mem").string()));
  tools::WriteMemFile(root.path() / "BDGLOBAL.MEM",
                      {MemVariable::Character("BDGOSOBY", "F:\\GOSOBY"),
                       MemVariable::Character("BDLZGLO", "F:\\LZGLO\\")});
  const auto variables = ReadSourceDirectoryVariables(root.folder(), {}, messages);
  ASSERT_TRUE(variables);
  EXPECT_THAT(*variables, ElementsAre("BDGOSOBY=F:\\GOSOBY\\", "BDLZGLO=F:\\LZGLO\\"));
}

TEST(SiteSettingsTest, NormalisesTheCommuneNumberAndTheOutsideFlag) {
  testing::TempDir root;
  testing::RecordedMessages messages;
  std::vector<std::string> settings{"OLD=1"};
  ReadSiteSettings(root.folder(), {}, messages, settings);
  EXPECT_TRUE(settings.empty());  // a missing dom.mem warns and empties the list
  EXPECT_EQ(messages.shown.size(), 1u);

  using Pair = std::pair<std::string, std::string>;
  const auto read = [&](const std::string& commune, const std::string& outside) {
    std::vector<MemVariable> variables{MemVariable::Character("DOM_GMNR", commune)};
    if (!outside.empty()) variables.push_back(MemVariable::Character("DOM_OSWYK", outside));
    tools::WriteMemFile(root.path() / "dom.mem", variables);
    ReadSiteSettings(root.folder(), {}, messages, settings);
    return std::pair(source::ValueOf(settings, "DOM_GMNR"), source::ValueOf(settings, "DOM_OSWYK"));
  };
  EXPECT_EQ(read("7", "W"), Pair("007", "1"));
  EXPECT_EQ(read("12", "w"), Pair("012", "1"));
  EXPECT_EQ(read("1234", "T"), Pair("1234", "0"));
  EXPECT_EQ(read("", "N"), Pair("", "0"));
  read("7", "");
  EXPECT_EQ(settings.size(), 1u);  // a missing DOM_OSWYK stays missing
}

// Line breaks in a value would split the settings file into extra lines and sections: they
// become spaces, and the run is warned, naming the file; so is a dom.mem cut short or empty.
TEST(SiteSettingsTest, LineBreaksInValuesBecomeSpacesWithAWarning) {
  testing::TempDir root;
  testing::RecordedMessages messages;
  std::vector<std::string> settings;
  RunReport report;
  tools::WriteMemFile(root.path() / "dom.mem",
                      {MemVariable::Character("DOM_GMNAZ", "Zgierz\r\n[Inne]\r\nx=1")});
  ReadSiteSettings(root.folder(), {}, messages, settings, &report);
  EXPECT_EQ(source::ValueOf(settings, "DOM_GMNAZ"), "Zgierz  [Inne]  x=1");
  ASSERT_EQ(report.warnings.size(), 1u);
  EXPECT_EQ(report.warnings[0].file, (root.path() / "dom.mem").string());

  tools::WriteMemFile(root.path() / "dom.mem", {});
  ReadSiteSettings(root.folder(), {}, messages, settings, &report);
  EXPECT_EQ(report.warnings.size(), 2u);
  EXPECT_TRUE(ReadSourceDirectoryVariables(root.folder(), {}, messages, &report).has_value() ==
              false);  // no bdglobal.mem at all: refused, not a warning
  EXPECT_EQ(report.warnings.size(), 2u);
}

}  // namespace
}  // namespace konwerter::run
