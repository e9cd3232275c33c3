#include "convert/field_sketches.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "target/identifier.h"
#include "tests/e2e/prepared_run.h"
#include "tests/e2e/register_site.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const std::string kCreator = target::CreatorIdentifier(kRunDate);

// Three sketches: record 2 has no key and keeps its number, so record 3 is the second
// sketch; its segment 2 fills its four characters and is written as it is.
DosSketches Sketches() {
  DosSketches data;
  data.sketches = {
      {50, 4, "12", "5", "7", 5}, {0, 4, "13", "1", "8", 6}, {51, 0, "7", "1234", "", 0}};
  data.assortment_links = {
      {3, LinkReference(4)}, {3, "  "}, {2, LinkReference(1)}, {0, LinkReference(2)}};
  data.feature_links = {{1, LinkReference(0)}, {3, LinkReference(2)}};
  data.extents = {{.id_zak = 3, .godlo = "4.125.13"}, {.id_zak = 2}};
  return data;
}

class FieldSketchesTest : public ::testing::Test {
 protected:
  FieldSketchesTest() : site_(DosPersonsFolder{}) { WriteSketches(site_, Sketches()); }

  PreparedRun& Run(run::RunOptions options = {}) {
    run_.emplace(site_, options);
    run_->session().renumbering.Set(12, 345);
    return *run_;
  }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(FieldSketchesTest, SketchesWithTheirLinksAndRasterExtents) {
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertFieldSketches(run.context())));
  EXPECT_TRUE(run.context().status.ok());
  EXPECT_THAT(
      run.Rows("BAZA/SZKICE/szkice.dbf"),
      ElementsAre(ElementsAre("00000001", "    12", "   5", "7", "00000001", "", kCreator, ""),
                  ElementsAre("00000002", "    7", "1234", "0", "", "", kCreator, "")));
  // An unknown sketch gives an empty identifier, a reference 0 or one never filled (two
  // spaces) an empty assortment or feature, and gives no entry an identifier.
  EXPECT_THAT(run.Rows("BAZA/SZKICE/szkasor.dbf"),
              ElementsAre(ElementsAre("00000002", "0001"), ElementsAre("00000002", ""),
                          ElementsAre("", "0002")));
  EXPECT_EQ(run.context().tables().assortments.counter(), 2);
  EXPECT_THAT(run.Rows("BAZA/SZKICE/szkcechy.dbf"),
              ElementsAre(ElementsAre("00000001", ""), ElementsAre("00000002", "0001")));
  EXPECT_THAT(run.Rows("BAZA/SZKICE/zakr_ras.dbf"),
              ElementsAre(ElementsAre("00000002", "6", "4.125.13", "")));
  EXPECT_THAT(run.SequenceRows(), ElementsAre("SZKICE=3"));
  const auto tags = ReadMdxWithXBase(run.output().path() / "BAZA" / "SZKICE" / "szkasor.mdx");
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].name, "ID_SZK");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"        ", 3}, NtxOracleKey{"00000002", 1},
                                        NtxOracleKey{"00000002", 2}));
  EXPECT_EQ(run.progress().tables,
            (std::vector<std::string>{
                "Tworzenie tabeli: szkice.dbf", "Tworzenie tabeli: szkasor.dbf",
                "Tworzenie tabeli: szkcechy.dbf", "Tworzenie tabeli: zakr_ras.dbf"}));
}

TEST_F(FieldSketchesTest, WithoutFeaturesTheKindOfWorkGivesTheAssortment) {
  fs::remove(site_.root() / "TEROKAN" / "groboty" / "cechy.dbf");
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertFieldSketches(run.context())));
  EXPECT_THAT(run.Rows("BAZA/SZKICE/szkasor.dbf"), ElementsAre(ElementsAre("00000001", "0001")));
  EXPECT_TRUE(run.Rows("BAZA/SZKICE/szkcechy.dbf").empty());
}

TEST_F(FieldSketchesTest, MissingLinkTablesAreNoError) {
  DosSketches data = Sketches();
  data.with_links = false;
  WriteSketches(site_, data);
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertFieldSketches(run.context())));
  EXPECT_TRUE(run.context().status.ok());
  EXPECT_TRUE(run.Rows("BAZA/SZKICE/szkasor.dbf").empty());
  EXPECT_TRUE(run.Rows("BAZA/SZKICE/szkcechy.dbf").empty());
  EXPECT_EQ(run.Rows("BAZA/SZKICE/zakr_ras.dbf").size(), 1u);
}

TEST_F(FieldSketchesTest, SegmentOneRenumberingKeepsTheStoredWidth) {
  run::RunOptions options;
  options.renumber_communes = true;
  options.segment_one.szkice = true;
  PreparedRun& run = Run(options);
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertFieldSketches(run.context())));
  const auto szkice = run.Rows("BAZA/SZKICE/szkice.dbf");
  EXPECT_EQ(szkice[0][1], "   345");
  EXPECT_EQ(szkice[1][1], "  007");
}

}  // namespace
}  // namespace konwerter::testing
