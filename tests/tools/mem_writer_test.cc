#include "tools/dos/mem_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/temp_dir.h"
#include "tools/dos/polskie_lit_writer.h"

namespace konwerter::tools {
namespace {

// One 32-byte entry header: the name, NUL-padded; the type; bytes 16 and 17.
std::vector<std::uint8_t> EntryHeader(const std::string& name, std::uint8_t type,
                                      std::uint8_t byte16, std::uint8_t byte17) {
  std::vector<std::uint8_t> header(32, 0);
  std::copy(name.begin(), name.end(), header.begin());
  header[11] = type;
  header[16] = byte16;
  header[17] = byte17;
  return header;
}

void Append(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

TEST(MemWriterTest, ByteLayoutOfASmallFile) {
  testing::TempDir dir;
  const auto path = dir.path() / "bdglobal.mem";
  WriteMemFile(path,
               {MemVariable::Character("BDGOSOBY", "C:\\OS\\"), MemVariable::Character("PUSTA", ""),
                MemVariable::Numeric("ILE", 3), MemVariable::Numeric("STAWKA", 2.5),
                MemVariable::Date("DZIEN", ClipperDayNumber(2000, 1, 1)),
                MemVariable::Logical("CZY", true)});

  std::vector<std::uint8_t> expected;
  Append(expected, EntryHeader("BDGOSOBY", 0xC3, 7, 0));
  Append(expected, {'C', ':', '\\', 'O', 'S', '\\', 0});
  Append(expected, EntryHeader("PUSTA", 0xC3, 1, 0));
  Append(expected, {0});
  Append(expected, EntryHeader("ILE", 0xCE, 10, 0));
  Append(expected, {0, 0, 0, 0, 0, 0, 0x08, 0x40});
  Append(expected, EntryHeader("STAWKA", 0xCE, 13, 2));
  Append(expected, {0, 0, 0, 0, 0, 0, 0x04, 0x40});
  Append(expected, EntryHeader("DZIEN", 0xC4, 1, 0));
  Append(expected, {0, 0, 0, 0x80, 0x2C, 0xB4, 0x42, 0x41});  // 2451545.0
  Append(expected, EntryHeader("CZY", 0xCC, 1, 0));
  Append(expected, {1, 0x1A});
  EXPECT_EQ(testing::ReadFileBytes(path), expected);
}

TEST(MemWriterTest, LongTextsKeepTheirLengthInTwoBytes) {
  testing::TempDir dir;
  const auto path = dir.path() / "dom.mem";
  WriteMemFile(path, {MemVariable::Character("OPIS", std::string(300, 'x'))});
  const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(path);
  ASSERT_EQ(bytes.size(), 32 + 301 + 1u);
  EXPECT_EQ(bytes[16] | bytes[17] << 8, 301);
}

TEST(MemWriterTest, RejectsNamesClipperCannotStore) {
  testing::TempDir dir;
  EXPECT_THROW(WriteMemFile(dir.path() / "x.mem", {MemVariable::Logical("JEDENASCIE1", true)}),
               std::invalid_argument);
  EXPECT_THROW(WriteMemFile(dir.path() / "x.mem", {MemVariable::Logical("", true)}),
               std::invalid_argument);
}

TEST(ClipperDayNumberTest, IsTheJulianDayNumber) {
  EXPECT_EQ(ClipperDayNumber(2000, 1, 1), 2451545);
  EXPECT_EQ(ClipperDayNumber(1900, 1, 1), 2415021);
  EXPECT_EQ(ClipperDayNumber(2000, 3, 1) - ClipperDayNumber(2000, 2, 28), 2);  // leap year
}

TEST(PolskieLitTest, MarkerSitsAtOffset141) {
  testing::TempDir dir;
  WritePolskieLit(dir.path() / "polskie.lit", 0x6E);
  const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(dir.path() / "polskie.lit");
  ASSERT_GE(bytes.size(), 142u);
  EXPECT_EQ(bytes[141], 0x6E);
  EXPECT_EQ(bytes[140], ' ');
}

}  // namespace
}  // namespace konwerter::tools
