#include "platform/dos_path.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_system.h"
#include "tests/support/temp_dir.h"

namespace konwerter::platform {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& path) {
  std::ofstream(path) << "x";
}

TEST(HostPathTest, FindsFilesAndFoldersWhateverTheirLetterCase) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / "TEROKAN" / "GOSOBY");
  Touch(dir.path() / "TEROKAN" / "GOSOBY" / "OSOBY.DBF");

  const fs::path found = HostPath(dir.Join("terokan\\gosoby\\osoby.dbf"));
  EXPECT_EQ(found, dir.path() / "TEROKAN" / "GOSOBY" / "OSOBY.DBF");
  EXPECT_TRUE(FileExists(dir.Join("Terokan\\GOSOBY\\Osoby.Dbf")));
}

TEST(HostPathTest, KeepsMissingComponentsAsWritten) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / "BAZA");
  EXPECT_EQ(HostPath(dir.Join("baza\\OSOBY\\Osoby.dbf")),
            dir.path() / "BAZA" / "OSOBY" / "Osoby.dbf");
}

TEST(HostPathTest, PrefersTheExactNameWhenSeveralMatch) {
  testing::TempDir dir;
  Touch(dir.path() / "osoby.dbf");
  Touch(dir.path() / "OSOBY.DBF");
  EXPECT_EQ(HostPath(dir.Join("OSOBY.DBF")), dir.path() / "OSOBY.DBF");
  EXPECT_EQ(HostPath(dir.Join("Osoby.dbf")), dir.path() / "OSOBY.DBF");
}

TEST(HostPathTest, MapsPolishFolderNamesToUtf8) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / "Łódź");
  // "Łódź" in cp1250
  EXPECT_TRUE(FolderExists(dir.folder() + "\xA3\xF3\x64\x9F"));
}

TEST(WithTrailingBackslashTest, AppendsOnlyWhenMissing) {
  EXPECT_EQ(WithTrailingBackslash("C:\\DANE"), "C:\\DANE\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\DANE\\"), "C:\\DANE\\");
  EXPECT_EQ(WithTrailingBackslash("/tmp/dane/"), "/tmp/dane/");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

}  // namespace
}  // namespace konwerter::platform
