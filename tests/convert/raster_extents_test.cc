#include "convert/raster_extents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/dos_site.h"
#include "tests/e2e/prepared_run.h"
#include "tests/e2e/register_site.h"
#include "tests/oracles/oracles.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::testing {
namespace {

std::string Bits(std::size_t byte, int bit) {
  std::string bits(6, '\0');
  bits[byte] = static_cast<char>(1 << bit);
  return bits;
}

// The coverage of byte 1, bit 0: rows 0-4 of columns 0-4, that is cell numbers 0-4, 40-44,
// 80-84, 120-124 and 160-164, packed six to a character.
constexpr std::string_view kFirstSection = "@!!!!!Q(!!!!!]\"!!!!!@!!!!!Q(";

TEST(PackedCoverage, TheWorkedExamples) {
  EXPECT_EQ(convert::PackedCoverage(std::string(6, '\0')), "");
  EXPECT_EQ(convert::PackedCoverage(Bits(0, 0)), kFirstSection);
  const std::string last = convert::PackedCoverage(Bits(5, 7));
  ASSERT_EQ(last.size(), 200u);
  EXPECT_EQ(last.substr(0, 172), std::string(172, '!'));  // nothing before cell 1035
  EXPECT_EQ(last.back(), static_cast<char>(33 + 62));
  // Every section covered: every cell set, every character 33 + 63.
  EXPECT_EQ(convert::PackedCoverage(std::string(6, '\xFF')), std::string(200, '`'));
}

// A value narrower than six bytes is padded with spaces, whose bit 5 covers rows 25-29.
TEST(PackedCoverage, ANarrowValueIsPaddedWithSpaces) {
  EXPECT_EQ(convert::PackedCoverage(std::string(1, '\x01')),
            convert::PackedCoverage(std::string("\x01     ", 6)));
  EXPECT_NE(convert::PackedCoverage(std::string(1, '\x01')), kFirstSection);
  EXPECT_EQ(convert::PackedCoverage(""), convert::PackedCoverage("      "));
}

class RasterExtentsTest : public ::testing::Test {
 protected:
  RasterExtentsTest() : site_(DosPersonsFolder{}) {
    std::filesystem::create_directories(site_.folder("GMAPAE"));
    std::vector<DosRasterExtent> extents = {{1, "a", "4.125.12", std::string(6, '\0')},
                                            {2, "6", "4.125.13", Bits(0, 0)},
                                            {3, "6", "4.125.14", Bits(5, 7)},
                                            {4, "6", "4.125.15", Bits(0, 0)},  // not converted
                                            {0, "6", "4.125.16", Bits(0, 0)},  // no document
                                            {0xFFFFFFFFu, "6", "4.125.17", Bits(0, 0)}};
    WriteRasterExtents(site_.folder("GMAPAE"), source::tables::kObRe, extents);
    run_.emplace(site_);
    documents_.Size(7);
    documents_.Store(1, "00000001");
    documents_.Store(2, "00000002");
    documents_.Store(3, "0000000A");
  }

  run::RunContext& context() { return run_->context(); }

  DosSite site_;
  std::optional<PreparedRun> run_;
  run::TranslationTable documents_;
};

TEST_F(RasterExtentsTest, ConvertedDocumentsGetTheirSheetsWithThePackedCoverage) {
  const std::string folder = context().output_path + "BAZA\\KME";
  std::filesystem::create_directories(run_->output().path() / "BAZA" / "KME");
  ASSERT_TRUE(RecordResult(context(), convert::ConvertRasterExtents(
                                          context(), folder, source::tables::kObRe, documents_)));

  const DbfOracleTable table =
      ReadDbfWithDbfread(run_->output().path() / "BAZA" / "KME" / "zakr_ras.dbf", "cp852");
  ASSERT_EQ(table.live_records.size(), 3u);
  const auto raw = [&](std::size_t record, std::size_t field) {
    return table.live_records[record].raw[field];
  };
  EXPECT_EQ(raw(0, 0), "00000001");
  EXPECT_EQ(raw(0, 1), "A");
  EXPECT_EQ(raw(0, 2), "4.125.12     ");
  EXPECT_EQ(raw(0, 3), std::string(200, ' '));
  EXPECT_EQ(raw(1, 3), std::string(kFirstSection) + std::string(200 - kFirstSection.size(), ' '));
  EXPECT_EQ(raw(2, 0), "0000000A");
  EXPECT_EQ(raw(2, 3), convert::PackedCoverage(Bits(5, 7)));
  EXPECT_EQ(run_->progress().tables, (std::vector<std::string>{"Tworzenie tabeli: zakr_ras.dbf"}));
  EXPECT_EQ(run_->progress().record_positions, 6);
  EXPECT_TRUE(context().status.ok());
}

TEST_F(RasterExtentsTest, AMissingSourceIsReportedAndWritesNothing) {
  const std::string folder = context().output_path + "BAZA\\KME";
  std::filesystem::remove(site_.folder("GMAPAE") / "ob_re.dbf");
  ASSERT_FALSE(RecordResult(context(), convert::ConvertRasterExtents(
                                           context(), folder, source::tables::kObRe, documents_)));
  EXPECT_FALSE(context().status.ok());
  EXPECT_FALSE(std::filesystem::exists(run_->output().path() / "BAZA" / "KME" / "zakr_ras.dbf"));
}

}  // namespace
}  // namespace konwerter::testing
