#include "source/memory_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "source/general_number_format.h"
#include "tests/source/source_test_tables.h"
#include "tests/support/temp_dir.h"
#include "tools/dos/mem_writer.h"

namespace konwerter::source {
namespace {

namespace fs = std::filesystem;
using tools::MemVariable;
using Lines = std::vector<std::string>;

class MemoryFileTest : public ::testing::Test {
 protected:
  // Writes BDGLOBAL.MEM and reads it back through a lower-case backslash path.
  Lines WriteAndRead(const std::vector<MemVariable>& variables, bool expected_result = true) {
    tools::WriteMemFile(file_, variables);
    return Read(expected_result);
  }

  Lines Read(bool expected_result = true) {
    Lines lines;
    EXPECT_EQ(ReadMemoryFile(dir_.Join("bdglobal.mem"), pages_, lines), expected_result);
    return lines;
  }

  ::konwerter::testing::TempDir dir_;
  fs::path file_ = dir_.path() / "BDGLOBAL.MEM";
  CodePages pages_;
};

TEST_F(MemoryFileTest, RendersEveryTypeInFileOrder) {
  const Lines lines =
      WriteAndRead({MemVariable::Character("BDGOSOBY", "C:\\TEROKAN\\GOSOBY\\"),
                    MemVariable::Character("PUSTY", ""), MemVariable::Numeric("ILE", 3),
                    MemVariable::Numeric("KURS", 2.5), MemVariable::Logical("TAK", true),
                    MemVariable::Logical("NIE", false),
                    MemVariable::Date("DZIEN", tools::ClipperDayNumber(2000, 1, 1)),
                    MemVariable::Numeric("ILE", -0.125)});
  EXPECT_EQ(lines, (Lines{"BDGOSOBY=C:\\TEROKAN\\GOSOBY\\", "PUSTY=", "ILE=3", "KURS=2.5", "TAK=1",
                          "NIE=0", "DZIEN=2451545", "ILE=-0.125"}));
  EXPECT_EQ(ValueOf(lines, "ILE"), "3");
  EXPECT_EQ(ValueOf(lines, "BRAK"), "");
}

TEST_F(MemoryFileTest, NumbersTakeEightBytesWhateverTheirLengthSays) {
  tools::WriteMemFile(file_, {MemVariable::Numeric("A", 1), MemVariable::Character("B", "x")});
  // Give A a length field of 10, and then one far beyond the file.
  testing::PatchFile(file_, 16, std::string("\x0A\x00", 2));
  EXPECT_EQ(Read(), (Lines{"A=1", "B=x"}));
  testing::PatchFile(file_, 16, std::string("\xFF\xFF", 2));
  EXPECT_EQ(Read(), (Lines{"A=1", "B=x"}));
}

TEST_F(MemoryFileTest, ATruncatedFileDeliversTheEntriesBeforeIt) {
  tools::WriteMemFile(file_,
                      {MemVariable::Character("A", "abc"), MemVariable::Character("B", "defghij")});
  const std::uint64_t cut = 32 + 4 + 32 + 3;  // inside the value of B
  testing::CutFile(file_, cut);
  EXPECT_EQ(Read(), (Lines{"A=abc"}));
  // A value length far beyond the file.
  testing::PatchFile(file_, 32 + 4 + 16, std::string("\xF0\xFF", 2));
  EXPECT_EQ(Read(), (Lines{"A=abc"}));
  testing::CutFile(file_, 20);  // inside the first entry header
  EXPECT_EQ(Read(), Lines{});
}

// What a file had wrong is told to a caller that asks: an entry cut short (not the lone
// end-of-file byte that closes every such file), and names holding "=", which are given with
// "?" so that "A=B" cannot answer for a variable named A.
TEST_F(MemoryFileTest, FaultsAreToldWhenAsked) {
  const auto faults_of = [&](Lines& lines) {
    MemoryFileFaults faults;
    EXPECT_TRUE(ReadMemoryFile(dir_.Join("bdglobal.mem"), pages_, lines, &faults));
    return faults;
  };
  tools::WriteMemFile(file_,
                      {MemVariable::Character("A=B", "zly"), MemVariable::Character("A", "x")});
  Lines lines;
  MemoryFileFaults faults = faults_of(lines);
  EXPECT_FALSE(faults.truncated);
  EXPECT_EQ(faults.names_with_equals, 1);
  EXPECT_EQ(lines, (Lines{"A?B=zly", "A=x"}));
  EXPECT_EQ(ValueOf(lines, "A"), "x");

  testing::CutFile(file_, fs::file_size(file_) - 3);
  lines.clear();
  faults = faults_of(lines);
  EXPECT_TRUE(faults.truncated);
  EXPECT_EQ(lines, (Lines{"A?B=zly"}));
  testing::CutFile(file_, 32 + 4 + 5);  // inside the second entry's header
  lines.clear();
  EXPECT_TRUE(faults_of(lines).truncated);
}

TEST_F(MemoryFileTest, AMissingFileAppendsNothing) {
  Lines lines{"earlier"};
  EXPECT_FALSE(ReadMemoryFile(dir_.Join("dom.mem"), pages_, lines));
  EXPECT_EQ(lines, Lines{"earlier"});
}

TEST_F(MemoryFileTest, CharacterValuesAreTransliteratedOnceAPageIsSet) {
  tools::WriteMemFile(file_, {MemVariable::Character("MIASTO", "\x9D\xA2\x64\xAB")});
  EXPECT_EQ(Read(), Lines{"MIASTO=\x9D\xA2\x64\xAB"});
  pages_.source = kCp852Page;
  EXPECT_EQ(Read(), Lines{"MIASTO=\xA3\xF3\x64\x9F"});
}

TEST_F(MemoryFileTest, LongValuesAndNamesOfElevenBytesAreKeptWhole) {
  const std::string long_text(700, 'x');
  tools::WriteMemFile(file_, {MemVariable::Character("DLUGI", long_text)});
  testing::PatchFile(file_, 0, "ABCDEFGHIJK");  // the name fills all 11 bytes, no zero
  EXPECT_EQ(Read(), Lines{"ABCDEFGHIJK=" + long_text});
}

TEST_F(MemoryFileTest, OtherTypesPassTheirBytesOn) {
  tools::WriteMemFile(file_, {MemVariable::Character("X", "ab")});
  testing::PatchFile(file_, 11, "\xC1");
  EXPECT_EQ(Read(), Lines{std::string("X=ab\0", 5)});
}

TEST(FormatGeneralTest, FixedNotationWithinFifteenDigits) {
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(3), "3");
  EXPECT_EQ(FormatGeneral(-2.5), "-2.5");
  EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatGeneral(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatGeneral(123456.789), "123456.789");
  EXPECT_EQ(FormatGeneral(999999999999999.0), "999999999999999");
  EXPECT_EQ(FormatGeneral(0.00001), "0.00001");
  EXPECT_EQ(FormatGeneral(0.000123), "0.000123");
  EXPECT_EQ(FormatGeneral(9.9999999999999999), "10");  // rounding carries into the integer
}

TEST(FormatGeneralTest, ExponentNotationOutsideIt) {
  EXPECT_EQ(FormatGeneral(1e15), "1e+15");
  EXPECT_EQ(FormatGeneral(1234567890123456.0), "1.23456789012346e+15");
  EXPECT_EQ(FormatGeneral(0.000001), "1e-06");
  EXPECT_EQ(FormatGeneral(-2.5e-300), "-2.5e-300");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(FormatGeneral(std::nan("")), "nan");
}

}  // namespace
}  // namespace konwerter::source
