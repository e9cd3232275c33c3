#include "source/transliteration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/support/temp_dir.h"
#include "tools/dos/polskie_lit_writer.h"

namespace konwerter::source {
namespace {

namespace fs = std::filesystem;

// The 18 letters Ą Ć Ę Ł Ń Ó Ś Ź Ż ą ć ę ł ń ó ś ź ż in code page 852 and in cp1250.
const std::string kLetters852 =
    "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE";
const std::string kLetters1250 =
    "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";

TEST(TransliterateTest, MapsEveryPolishLetterAndNothingElse) {
  EXPECT_EQ(Transliterate(kLetters852, kCp852Page, kCp1250Page), kLetters1250);
  EXPECT_EQ(Transliterate(kLetters1250, kCp1250Page, kCp852Page), kLetters852);
  // Łódź, then a box-drawing byte and other bytes outside the row.
  EXPECT_EQ(Transliterate("\x9D\xA2\x64\xAB", kCp852Page, kCp1250Page), "\xA3\xF3\x64\x9F");
  EXPECT_EQ(Transliterate(std::string("\xC4\x00\x1A z", 5), kCp852Page, kCp1250Page),
            std::string("\xC4\x00\x1A z", 5));
  EXPECT_EQ(Transliterate("", kCp852Page, kCp1250Page), "");
}

TEST(TransliterateTest, TheSameByteMeansDifferentLettersOnDifferentPages) {
  EXPECT_EQ(Transliterate("\x8D", kCp852Page, kCp1250Page), "\x8F");    // Ź
  EXPECT_EQ(Transliterate("\x8D", kMazoviaPage, kCp1250Page), "\xE6");  // ć
  EXPECT_EQ(Transliterate("\x9C", kMazoviaPage, kCp1250Page), "\xA3");  // Ł
  EXPECT_EQ(Transliterate("\x80\x89", kMarker7CPage, kCp1250Page), "\xA5\xB9");
  EXPECT_EQ(Transliterate("\x80\xA0", kMarker8DPage, kCp1250Page), "\xA5\xB9");
}

TEST(TransliterateTest, SamePageAndThePageWithoutDiacriticsChangeNothing) {
  EXPECT_EQ(Transliterate(kLetters1250, kCp1250Page, kCp1250Page), kLetters1250);
  EXPECT_EQ(Transliterate("ZzAL", kNoDiacriticsPage, kCp1250Page), "ZzAL");
  // Into the page without diacritics the letters lose them.
  EXPECT_EQ(Transliterate(kLetters1250, kCp1250Page, kNoDiacriticsPage), "ACELNOSZZacelnoszz");
}

TEST(TransliterateTest, RejectsUnknownPages) {
  EXPECT_THROW(Transliterate("a", 7, kCp1250Page), std::out_of_range);
  EXPECT_THROW(Transliterate("a", kCp852Page, -1), std::out_of_range);
}

TEST(ToProgramTextTest, LeavesTextAloneWhileNoSourcePageIsSet) {
  CodePages pages;
  EXPECT_FALSE(pages.transliterating());
  EXPECT_EQ(ToProgramText(kLetters852, pages), kLetters852);
  pages.source = kCp852Page;
  EXPECT_EQ(ToProgramText(kLetters852, pages), kLetters1250);
}

class DetectSourceCodePageTest : public ::testing::Test {
 protected:
  int Detect(bool expected_result) {
    CodePages pages;
    EXPECT_EQ(DetectSourceCodePage(dir_.folder(), pages), expected_result);
    // Without the trailing backslash the same file is found.
    CodePages again;
    std::string folder = dir_.folder();
    folder.pop_back();
    DetectSourceCodePage(folder, again);
    EXPECT_EQ(again.source, pages.source);
    return pages.source;
  }

  ::konwerter::testing::TempDir dir_;
};

TEST_F(DetectSourceCodePageTest, WithoutTheFileThePageIs852) {
  EXPECT_EQ(Detect(false), kCp852Page);
}

TEST_F(DetectSourceCodePageTest, EachMarkerNamesItsPage) {
  const std::pair<std::uint8_t, int> markers[] = {{tools::kPolskieLitCp852, kCp852Page},
                                                  {tools::kPolskieLitMazovia, kMazoviaPage},
                                                  {tools::kPolskieLit7C, kMarker7CPage},
                                                  {tools::kPolskieLit8D, kMarker8DPage},
                                                  {'x', kCp852Page}};
  for (const auto& [marker, page] : markers) {
    tools::WritePolskieLit(dir_.path() / "polskie.lit", marker);
    EXPECT_EQ(Detect(true), page) << "marker " << int{marker};
  }
}

TEST_F(DetectSourceCodePageTest, FindsTheFileWhateverItsCase) {
  tools::WritePolskieLit(dir_.path() / "POLSKIE.LIT", tools::kPolskieLitMazovia);
  EXPECT_EQ(Detect(true), kMazoviaPage);
}

TEST_F(DetectSourceCodePageTest, AFileOf141BytesHoldsNoMarker) {
  tools::WritePolskieLit(dir_.path() / "polskie.lit", tools::kPolskieLitMazovia, 141);
  EXPECT_EQ(Detect(false), kCp852Page);
  tools::WritePolskieLit(dir_.path() / "polskie.lit", tools::kPolskieLitMazovia, 142);
  EXPECT_EQ(Detect(true), kMazoviaPage);
}

}  // namespace
}  // namespace konwerter::source
