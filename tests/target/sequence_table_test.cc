// The identifier sequence table, the form of identifiers and the creator identifier.

#include "target/sequence_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "target/engine/engine.h"
#include "target/engine/production_index.h"
#include "target/identifier.h"
#include "target/table_builder.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::target {
namespace {

namespace oracle = konwerter::testing;

class SequenceTableTest : public ::testing::Test {
 protected:
  SequenceTableTest() { ConfigureEngine(engine_, false); }

  std::filesystem::path Dostep() const { return dir_.path() / "BAZA" / "ADMIN" / "Dostep.dbf"; }

  engine::Engine engine_;
  oracle::TempDir dir_;
};

TEST_F(SequenceTableTest, RowsAreWrittenInOrderIntoAFreshTableReadByAnotherReader) {
  {
    SequenceTable sequences(engine_, dir_.folder());
    sequences.WriteRow("SLOWNIK", 1);
    sequences.WriteRow("kart_zam", 1234);
    sequences.WriteRow("OPERATY_PRZ", 70000);
    sequences.Finish();
  }
  const oracle::DbfOracleTable read = oracle::ReadDbfWithDbfread(Dostep(), "cp852");
  ASSERT_EQ(read.fields.size(), 2u);
  EXPECT_EQ(read.fields[0].name, "NEXTVAL");
  EXPECT_EQ(read.fields[0].type, 'N');
  EXPECT_EQ(read.fields[0].length, 11);
  EXPECT_EQ(read.fields[1].name, "TABLENAME");
  EXPECT_EQ(read.fields[1].length, 15);
  ASSERT_EQ(read.live_records.size(), 3u);
  EXPECT_EQ(read.live_records[0].raw[0], "          1");
  EXPECT_EQ(read.live_records[0].raw[1], "SLOWNIK        ");
  EXPECT_EQ(read.live_records[1].values[1], "kart_zam");
  EXPECT_EQ(read.live_records[2].raw[0], "      70000");
  EXPECT_EQ(read.live_records[2].values[1], "OPERATY_PRZ");

  // The tag holds the upper-cased names: KART_ZAM, OPERATY_PRZ, SLOWNIK.
  const auto tags = oracle::ReadMdxWithXBase(dir_.path() / "BAZA" / "ADMIN" / "Dostep.mdx");
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].name, "UPP_TBNAME");
  ASSERT_EQ(tags[0].keys.size(), 3u);
  EXPECT_EQ(tags[0].keys[0].key, "KART_ZAM       ");
  EXPECT_EQ(tags[0].keys[0].record, 2u);
  EXPECT_EQ(tags[0].keys[2].record, 1u);
}

TEST_F(SequenceTableTest, EveryRunStartsTheTableEmptyAndOnlyValuesAboveOneMeanData) {
  EXPECT_FALSE(OutputHasData(engine_, dir_.folder())) << "no table at all";
  {
    SequenceTable sequences(engine_, dir_.folder());
    sequences.WriteRow("OSOBY", 1);
    sequences.WriteRow("DOSTAWY", 1);
    sequences.Finish();
  }
  EXPECT_FALSE(OutputHasData(engine_, dir_.folder())) << "every sequence still at 1";
  {
    SequenceTable sequences(engine_, dir_.folder());
    EXPECT_EQ(sequences.table().RecordCount(), 0u) << "built afresh";
    sequences.WriteRow("ROBOTY", 2);
    sequences.Finish();
  }
  EXPECT_TRUE(OutputHasData(engine_, dir_.folder()));
  // A damaged table counts as no data.
  oracle::WriteFileBytes(Dostep(), {0x03, 0x7C});
  EXPECT_FALSE(OutputHasData(engine_, dir_.folder()));
}

TEST(IdentifierTest, UpperCaseHexPaddedToTheWidthNeverCut) {
  EXPECT_EQ(FormatIdentifier(255, 4), "00FF");
  EXPECT_EQ(FormatIdentifier(255, 8), "000000FF");
  EXPECT_EQ(FormatIdentifier(1, 8), "00000001");
  EXPECT_EQ(FormatIdentifier(10, 4), "000A");
  EXPECT_EQ(FormatIdentifier(256, 8), "00000100");
  EXPECT_EQ(FormatIdentifier(0x12345, 4), "12345");
  EXPECT_EQ(FormatIdentifier(0xFFFFFFFF, 8), "FFFFFFFF");
}

TEST(IdentifierTest, CreatorIdentifierIsThePackedDosDate) {
  EXPECT_EQ(CreatorIdentifier({2000, 1, 1}), "00012821");
  EXPECT_EQ(CreatorIdentifier({2024, 5, 17}), "000158B1");
  EXPECT_EQ(CreatorIdentifier({1980, 1, 1}), "00010021");
  EXPECT_EQ(CreatorIdentifier({2099, 12, 31}), "0001EF9F");
}

}  // namespace
}  // namespace konwerter::target
