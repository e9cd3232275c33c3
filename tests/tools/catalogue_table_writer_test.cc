#include "tools/dos/catalogue_table_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::tools {
namespace {

namespace tables = source::tables;
using source::SourceEdition;
using ::testing::ElementsAre;

constexpr tables::FieldLayout kFields[] = {tables::Key("ID"), tables::Character("NAZWA", 6),
                                           tables::EarlierOnly(tables::Logical("STARE")),
                                           tables::LaterOnly(tables::Numeric("NOWE", 3))};
constexpr tables::TableLayout kTable{"BDGOSOBY", "proba.dbf", kFields};

// Values land in field order whatever order they are given in, by name in any letter case;
// fields not given are blank and the other edition's fields are left out.
TEST(CatalogueTableWriter, ValuesByNameInTheEditionsFieldOrder) {
  const std::vector<FieldValue> values = {
      {"nazwa", "Ala"}, {"STARE", "T"}, {"NOWE", "12"}, {"ID", DosKey(7)}};
  const FieldOrder later(kTable, SourceEdition::kLater);
  EXPECT_THAT(later.Arrange(values), ElementsAre(DosKey(7), "Ala", "12"));
  EXPECT_THAT(FieldOrder(kTable, SourceEdition::kEarlier).Arrange(values),
              ElementsAre(DosKey(7), "Ala", "T"));
  EXPECT_THAT(later.Arrange({{"NOWE", "1"}}), ElementsAre("", "", "1"));
}

TEST(CatalogueTableWriter, RefusesANameTheTableLacksAndAFieldGivenTwice) {
  const FieldOrder order(kTable, SourceEdition::kLater);
  EXPECT_THROW(order.Arrange({{"NAZWY", "x"}}), std::invalid_argument);
  EXPECT_THROW(order.Arrange({{"NAZWA", "x"}, {"nazwa", "y"}}), std::invalid_argument);
}

// The table as dbfread reads it: the edition's fields with the catalogue's types and widths.
TEST(CatalogueTableWriter, WritesTheLayoutOfTheEdition) {
  testing::TempDir dir;
  {
    CatalogueTableWriter writer(dir.path(), kTable, SourceEdition::kEarlier, "PROBA.DBF");
    writer.Add({{"ID", DosKey(1)}, {"STARE", "T"}, {"NOWE", "5"}});
    EXPECT_THROW(writer.Add({{"NAZWA", "za długa"}}), std::invalid_argument);
  }
  const testing::DbfOracleTable table = testing::ReadDbfWithDbfread(dir.path() / "PROBA.DBF");
  ASSERT_EQ(table.fields.size(), 3u);
  EXPECT_EQ(table.fields[1].name, "NAZWA");
  EXPECT_EQ(table.fields[1].length, 6);
  EXPECT_EQ(table.fields[2].name, "STARE");
  EXPECT_EQ(table.fields[2].type, 'L');
  ASSERT_EQ(table.live_records.size(), 1u);
  EXPECT_THAT(table.live_records[0].raw, ElementsAre(DosKey(1), "      ", "T"));
}

}  // namespace
}  // namespace konwerter::tools
