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

  EXPECT_TRUE(FileExists(dir.Join("Terokan\\GOSOBY\\Osoby.Dbf")));
  EXPECT_TRUE(FolderExists(dir.Join("TEROKAN\\gosoby\\")));
}

#ifdef _WIN32

// Windows itself finds names whatever their case, and knows drive letters.
TEST(HostPathTest, WindowsPathsAreUsedAsTheyStand) {
  EXPECT_EQ(HostPath("F:\\TEROKAN\\gosoby\\OSOBY.DBF"),
            fs::path(L"F:\\TEROKAN\\gosoby\\OSOBY.DBF"));
  EXPECT_EQ(HostPath("C:/DANE/BAZA/"), fs::path(L"C:\\DANE\\BAZA\\"));
  EXPECT_EQ(HostPath("F:\\\xA3\xF3\x64\x9F\\"), fs::path(L"F:\\\u0141\u00F3d\u017A\\"));
}

#else

TEST(HostPathTest, NamesComponentsAsTheyAreOnDisk) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / "TEROKAN" / "GOSOBY");
  Touch(dir.path() / "TEROKAN" / "GOSOBY" / "OSOBY.DBF");
  EXPECT_EQ(HostPath(dir.Join("terokan\\gosoby\\osoby.dbf")),
            dir.path() / "TEROKAN" / "GOSOBY" / "OSOBY.DBF");
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

#endif  // _WIN32

TEST(HostPathTest, MapsPolishFolderNamesToUtf8) {
  testing::TempDir dir;
  fs::create_directories(dir.path() / fs::path(u8"Łódź"));
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
