// Our check against readers we did not write: dbfread for the tables and XBase::Index for
// the production indexes must see what the check says it sees.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/little_endian.h"
#include "target/verification/database_check.h"
#include "tests/oracles/oracles.h"
#include "tests/target/verification/converted_sample.h"

namespace konwerter::verification {
namespace {

namespace fs = std::filesystem;

std::uint32_t RecordsByDbfread(const fs::path& table) {
  const testing::DbfOracleTable read = testing::ReadDbfWithDbfread(table);
  return static_cast<std::uint32_t>(read.live_records.size() + read.deleted_records.size());
}

// Every tag of every index of the clean conversion holds one key per record as the
// oracles read them, as the check (which holds) says.
TEST(OracleAgreement, EveryTagOfTheCleanConversionHasOneKeyPerRecord) {
  const fs::path& output = testing::ConvertedSample();
  ASSERT_TRUE(CheckConvertedDatabase(output).holds());
  int tags = 0;
  for (const auto& entry : fs::recursive_directory_iterator(output / "BAZA")) {
    if (entry.path().extension() != ".mdx") continue;
    const std::uint32_t records =
        RecordsByDbfread(fs::path(entry.path()).replace_extension(".dbf"));
    for (const testing::MdxOracleTag& tag : testing::ReadMdxWithXBase(entry.path())) {
      std::set<std::uint32_t> keyed;
      for (const testing::NtxOracleKey& key : tag.keys) keyed.insert(key.record);
      EXPECT_EQ(tag.keys.size(), records) << entry.path() << " " << tag.name;
      EXPECT_EQ(keyed.size(), records) << entry.path() << " " << tag.name;
      ++tags;
    }
  }
  EXPECT_GT(tags, 40);
}

// A record appended without its key: dbfread reads one record more than XBase::Index finds
// keys, and the check names that record.
TEST(OracleAgreement, TheRecordWithoutAKeyIsTheOneTheOraclesDisagreeOn) {
  const testing::SampleCopy copy;
  std::vector<std::uint8_t> table = copy.Bytes("ZLECENIA/obsluga.dbf");
  const std::uint32_t count = testing::RecordCount(table);
  const std::size_t length = platform::LoadU16(table, 10);
  const std::vector<std::uint8_t> last(
      table.begin() + static_cast<std::ptrdiff_t>(testing::RecordOffset(table, count)),
      table.begin() + static_cast<std::ptrdiff_t>(testing::RecordOffset(table, count) + length));
  table.insert(table.end() - 1, last.begin(), last.end());
  platform::StoreU32(table, 4, count + 1);
  copy.Write("ZLECENIA/obsluga.dbf", table);

  EXPECT_EQ(RecordsByDbfread(copy.File("ZLECENIA/obsluga.dbf")), count + 1);
  std::set<std::uint32_t> named;
  for (const testing::MdxOracleTag& tag :
       testing::ReadMdxWithXBase(copy.File("ZLECENIA/obsluga.mdx"))) {
    EXPECT_EQ(tag.keys.size(), count) << tag.name;
  }
  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  int repeated = 0;
  for (const Finding& finding : check.findings) {
    if (finding.kind == FindingKind::kRecordWithoutKey) named.insert(finding.record);
    if (finding.kind == FindingKind::kDosKeyRepeated && finding.record == count + 1) ++repeated;
  }
  EXPECT_EQ(named, std::set<std::uint32_t>{count + 1});
  EXPECT_EQ(check.counts.at(FindingKind::kRecordWithoutKey), 3u);  // one per tag
  // The copy repeats the last service's identifier, as a DOS table that holds a key twice
  // makes the conversion do.
  EXPECT_EQ(repeated, 1);
}

}  // namespace
}  // namespace konwerter::verification
