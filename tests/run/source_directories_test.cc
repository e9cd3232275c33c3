#include "run/source_directories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/dos_path.h"
#include "tests/support/temp_dir.h"

namespace konwerter::run {
namespace {

namespace fs = std::filesystem;

// A DOS installation copied from a FAT volume: the root holds SYSTEM and the data folders,
// with names in whatever letter case the copy gave them.
class SourceDirectoriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"SYSTEM", "gosoby", "Terokan/GROBOTY", "groboty", "dane/LZGLO"}) {
      fs::create_directories(root_.path() / folder);
    }
  }
  std::string System() const { return root_.Join("SYSTEM\\"); }
  std::string Resolve(std::string_view value, const DriveMap& drives = {}) const {
    return ResolveDosFolder(value, System(), drives);
  }
  static bool SameFolder(const std::string& program_path, const fs::path& expected) {
#ifdef _WIN32
    // Windows takes a folder's name in any letter case, so the path stays as it was written.
    const std::string wanted = expected.lexically_normal().string() + "\\";
    return std::equal(program_path.begin(), program_path.end(), wanted.begin(), wanted.end(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
#else
    return program_path == expected.string() + "/";
#endif
  }

  testing::TempDir root_;
};

TEST_F(SourceDirectoriesTest, AFolderThatExistsIsUsedAsItStands) {
  EXPECT_TRUE(SameFolder(Resolve(root_.Join("gosoby\\")), root_.path() / "gosoby"));
}

TEST_F(SourceDirectoriesTest, AbsoluteDosPathsAreFoundByTheirTrailingFoldersIgnoringCase) {
  EXPECT_TRUE(SameFolder(Resolve("F:\\TEROKAN\\GOSOBY\\"), root_.path() / "gosoby"));
  // The longest tail wins over a shorter one that also exists.
  EXPECT_TRUE(SameFolder(Resolve("F:\\TEROKAN\\GROBOTY\\"), root_.path() / "Terokan/GROBOTY"));
  EXPECT_TRUE(SameFolder(Resolve("\\x\\groboty"), root_.path() / "groboty"));
}

TEST_F(SourceDirectoriesTest, ADriveMappingComesBeforeTheTails) {
  testing::TempDir drive;
  fs::create_directories(drive.path() / "Teren/GOSOBY");
  const DriveMap drives{{'F', drive.folder()}};
  EXPECT_TRUE(SameFolder(Resolve("f:\\TEREN\\GOSOBY\\", drives), drive.path() / "Teren/GOSOBY"));
  // A mapped drive without the folder still falls back to the installation root.
  EXPECT_TRUE(SameFolder(Resolve("F:\\X\\GOSOBY\\", drives), root_.path() / "gosoby"));
}

TEST_F(SourceDirectoriesTest, RelativePathsTryTheRootThenTheSystemFolder) {
  EXPECT_TRUE(SameFolder(Resolve("DANE\\lzglo\\"), root_.path() / "dane/LZGLO"));
  fs::create_directories(root_.path() / "SYSTEM/TMP");
  EXPECT_TRUE(SameFolder(Resolve("tmp\\"), root_.path() / "SYSTEM/TMP"));
}

TEST_F(SourceDirectoriesTest, NothingFoundKeepsTheValueForTheFailingOpen) {
  EXPECT_EQ(Resolve("G:\\NIEMA\\"), "");
  EXPECT_EQ(Resolve(""), "");
  const SourceDirectories directories({"BDGOSOBY=F:\\TEROKAN\\GOSOBY\\", "BDLZGLO=G:\\NIEMA\\"},
                                      System(), {});
  EXPECT_EQ(directories.Value("BDLZGLO"), "G:\\NIEMA\\");
  EXPECT_EQ(directories.Folder("BDLZGLO"), "G:\\NIEMA\\");
  EXPECT_TRUE(SameFolder(directories.Folder("BDGOSOBY"), root_.path() / "gosoby"));
  ASSERT_EQ(directories.report().size(), 2u);
  EXPECT_EQ(directories.report()[1].resolved, "");
  EXPECT_EQ(directories.Folder("BRAK"), "");
}

// A folder with a Polish letter in its name is found as Polish text: named in UTF-8 on the
// host or copied byte for byte in code page 852, in either letter case.
TEST_F(SourceDirectoriesTest, FolderNamesWithPolishLettersAreFoundInBothEncodings) {
  const std::string value =
      "F:\\TEROKAN\\GOS\xD3"
      "BY\\";                                                    // cp1250 Ó, as read from .mem
  const fs::path unicode = root_.path() / fs::path(u8"gosóby");  // lower case
  fs::create_directories(unicode / "osoby.dbf");                 // marks the folder
  const std::string found_unicode = Resolve(value);
  ASSERT_FALSE(found_unicode.empty());
  EXPECT_TRUE(fs::exists(platform::HostPath(found_unicode) / "osoby.dbf"));
  fs::remove_all(unicode);
#ifdef _WIN32
  GTEST_SKIP() << "Windows names every folder in Unicode: none is named in code page 852";
#else
  EXPECT_NE(found_unicode.find('\xF3'), std::string::npos) << "named as on disk, in cp1250";
#endif
  fs::create_directories(root_.path() /
                         "GOS\xE0"
                         "BY");  // cp852 Ó
  const std::string found = Resolve(value);
  ASSERT_FALSE(found.empty());
  EXPECT_TRUE(fs::equivalent(platform::HostPath(found), root_.path() / "GOS\xE0"
                                                                       "BY"));
}

// A relative value names a folder of the installation; a folder of the same name in the
// converter's working folder is never taken for it.
TEST_F(SourceDirectoriesTest, ARelativeValueNeverResolvesAgainstTheWorkingFolder) {
  testing::TempDir elsewhere;
  fs::create_directories(elsewhere.path() / "WABIK");
  const fs::path previous = fs::current_path();
  fs::current_path(elsewhere.path());
  EXPECT_EQ(Resolve("WABIK\\"), "");
  const SourceDirectories directories({"BDGOSOBY=WABIK\\"}, System(), {});
  EXPECT_FALSE(fs::equivalent(elsewhere.path() / "WABIK",
                              platform::HostPath(directories.Folder("BDGOSOBY"))));
  EXPECT_TRUE(directories.Has("BDGOSOBY"));
  EXPECT_FALSE(directories.Has("BDGROBOTY"));
  EXPECT_EQ(directories.Folder("BDGROBOTY"), "");
  fs::current_path(previous);
}

}  // namespace
}  // namespace konwerter::run
