#include "convert/works.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "tests/e2e/prepared_run.h"
#include "tests/e2e/works_site.h"
#include "tests/oracles/oracles.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Columns of Roboty.dbf as dbfread gives them.
enum RobotyColumn {
  kIdRoboty = 0,
  kJednSeg = 1,
  kNrPorz = 2,
  kLp = 4,
  kWToku = 6,
  kNrG = 8,
  kNrWyk = 9,
  kWykon = 10,
  kZlecen = 11,
  kDPrzO = 16,
  kIdTworz = 18,
};

constexpr std::uint32_t kSpaces = 0x20202020;

// Reported works 102 and 105 are found through kerg.ntx; 103 has a register record the
// index does not name; the index entry of 104 leads to the record of 105.
DosWork Work(std::uint32_t key, bool reported, std::string segment = "", std::string lp = "1") {
  DosWork work;
  work.id_kerg = key;
  work.jestwkergu = reported;
  work.jedn_seg = std::move(segment);
  work.lp = std::move(lp);
  return work;
}

DosReportedWork Reported(std::uint32_t key, std::string nr_g, std::uint32_t wykon,
                         std::uint32_t zlecen, std::string d_prz_o) {
  DosReportedWork work;
  work.id_kerg = key;
  work.nr_g = std::move(nr_g);
  work.nr_wyk = "GKN-" + std::to_string(key);
  work.wykon = wykon;
  work.zlecen = zlecen;
  work.d_prz_o = std::move(d_prz_o);
  return work;
}

DosRasterExtent Extent(std::uint32_t record, std::string uklad, std::string godlo,
                       std::string rastry) {
  DosRasterExtent extent;
  extent.id_zak = record;
  extent.uklad = std::move(uklad);
  extent.godlo = std::move(godlo);
  extent.rastry = std::move(rastry);
  return extent;
}

// Reported works 102 and 105 are found through kerg.ntx; 103 has a register record the
// index does not name; the index entry of 104 leads to the record of 105.
DosWorksFolders Works() {
  DosWorksFolders data;
  data.works = {Work(100, false, "12", "7"),
                Work(101, false, "", "1000"),
                Work(102, true, "  A1", "999"),
                Work(103, true),
                Work(104, true),
                Work(0, true),
                Work(kSpaces, true),
                Work(105, true)};
  data.works[0].nr_porz = "";
  data.register_records = {Reported(105, "7", 50, 0, "20010203"), Reported(102, "12", 51, 50, ""),
                           Reported(103, "3", 0, 0, "")};
  data.register_index = {
      {{tools::DosKey(105), 1}, {tools::DosKey(102), 2}, {tools::DosKey(104), 1}}};
  data.quantities = {{1, 2, "2.5"}, {2, 1, "1.25"}, {3, 3, "1"}, {2, 0, "1.5"}, {0, 1, "1"}};
  data.covered = {{2, 70, "1"}, {3, 71, "0"}, {0, 72, "1"}, {1, 0, "1"}};
  data.extents = {Extent(2, "6", "1.101.1", std::string("\x01\0\0\0\0\0", 6)),
                  Extent(3, "6", "1.101.1", std::string(6, '\xFF')),
                  Extent(1, "a", "2.202.2", std::string(6, '\0'))};
  data.communes = {{1, "6", "12", "Gmina Ąb"},
                   {2, "16", "3", "Gmina Inna"},
                   {0xFFFF, "6", "4", "Bez klucza"},
                   {3, "6", "2", "Abc"}};
  return data;
}

class WorksConverterTest : public ::testing::Test {
 protected:
  WorksConverterTest() : site_(DosPersonsFolder{}) { WriteWorksFolders(site_, Works()); }

  // Prepares the run, plays the converters before (a register referred to work 100 and to
  // a work 999 that roboty.dbf lacks) and converts the works.
  PreparedRun& Convert(bool delete_unlinked, std::string voivodeship = "DOM_NRWOJ=6") {
    site_.WriteSiteSettings({voivodeship});
    run_.emplace(site_);
    run::SharedTables& tables = run_->context().tables();
    EXPECT_EQ(tables.works.GetOrAssignKey(100), "00000001");
    EXPECT_EQ(tables.works.GetOrAssignKey(999), "00000002");
    EXPECT_TRUE(
        RecordResult(run_->context(), convert::ConvertWorks(run_->context(), delete_unlinked)));
    run_->context().sequence->Finish();
    return *run_;
  }

  std::vector<std::string> Column(const std::string& table, int column) const {
    std::vector<std::string> values;
    for (const auto& row : run_->Rows("BAZA/KERG/" + table)) {
      values.push_back(row[static_cast<std::size_t>(column)]);
    }
    return values;
  }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(WorksConverterTest, WithTheBoxOnOnlyReferredAndReportedWorksAreWritten) {
  Convert(/*delete_unlinked=*/true);
  EXPECT_THAT(Column("Roboty.dbf", kIdRoboty),
              ElementsAre("00000001", "00000003", "00000004", "00000005", "00000006"));
  // Identifiers given before and those assigned here, the work 999 included.
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("ROBOTY=7"));
}

TEST_F(WorksConverterTest, WithTheBoxOffEveryWorkWithAKeyIsWrittenAndNumberedOnFromTheLast) {
  Convert(/*delete_unlinked=*/false);
  EXPECT_THAT(Column("Roboty.dbf", kIdRoboty),
              ElementsAre("00000001", "00000003", "00000004", "00000005", "00000006", "00000007"));
  EXPECT_THAT(Column("Roboty.dbf", kJednSeg), ElementsAre("12", "#", "A1", "#", "#", "#"));
  EXPECT_THAT(Column("Roboty.dbf", kLp), ElementsAre("7", "0", "999", "1", "1", "1"));
  EXPECT_EQ(Column("Roboty.dbf", kNrPorz)[0], "0");  // blank reads as 0
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("ROBOTY=8"));
}

// A reported work that an earlier converter referred to keeps the identifier it was given;
// the other reported works get new ones in the order of roboty.dbf.
TEST_F(WorksConverterTest, AReportedWorkReferredToEarlierKeepsItsIdentifier) {
  site_.WriteSiteSettings({"DOM_NRWOJ=6"});
  run_.emplace(site_);
  EXPECT_EQ(run_->context().tables().works.GetOrAssignKey(105), "00000001");
  ASSERT_TRUE(RecordResult(run_->context(),
                           convert::ConvertWorks(run_->context(), /*delete_unlinked=*/true)));
  EXPECT_THAT(Column("Roboty.dbf", kIdRoboty),
              ElementsAre("00000002", "00000003", "00000004", "00000001"));
  EXPECT_EQ(Column("Roboty.dbf", kNrWyk)[3], "GKN-105");
}

TEST_F(WorksConverterTest, RegisterDataComesOnlyFromTheRecordTheIndexFindsWithTheSameKey) {
  Convert(/*delete_unlinked=*/true);
  const auto rows = run_->Rows("BAZA/KERG/Roboty.dbf");
  ASSERT_EQ(rows.size(), 5u);
  const auto& found_open = rows[1];  // 102: register record 2, no acceptance date
  EXPECT_EQ(found_open[kNrG], "012");
  EXPECT_EQ(found_open[kNrWyk], "GKN-102");
  EXPECT_EQ(found_open[kWykon], "00000001");  // persons numbered as met: 51, 50
  EXPECT_EQ(found_open[kZlecen], "00000002");
  EXPECT_EQ(found_open[kWToku], "1");
  EXPECT_EQ(found_open[kDPrzO], "");
  const auto& found_closed = rows[4];  // 105: register record 1
  EXPECT_EQ(found_closed[kNrG], "007");
  EXPECT_EQ(found_closed[kWykon], "00000002");
  EXPECT_EQ(found_closed[kZlecen], "");
  EXPECT_EQ(found_closed[kWToku], "0");
  EXPECT_EQ(found_closed[kDPrzO], "2001-02-03");
  for (const auto& lost : {rows[2], rows[3]}) {  // 103 not in the index, 104 led to 105
    EXPECT_EQ(lost[kNrG], "");
    EXPECT_EQ(lost[kNrWyk], "");
    EXPECT_EQ(lost[kWykon], "");
    EXPECT_EQ(lost[kWToku], "0");
    EXPECT_EQ(lost[kIdTworz], rows[0][kIdTworz]);
  }
  EXPECT_EQ(run_->context().tables().persons.counter(), 2);
}

// Rows hanging on register records whose work was not fetched: quantities and raster
// extents are dropped, covered parcels kept without their work (the parcel is linked).
TEST_F(WorksConverterTest, RowsOfTheRegisterFollowTheWorksFetchedFromIt) {
  Convert(/*delete_unlinked=*/true);
  EXPECT_THAT(
      run_->Rows("BAZA/KERG/Kergasor.dbf"),
      ElementsAre(ElementsAre("00000006", "0001", "2.5"), ElementsAre("00000003", "0002", "1.25"),
                  ElementsAre("00000003", "", "1.5")));
  EXPECT_THAT(
      run_->Rows("BAZA/KERG/obdg.dbf"),
      ElementsAre(ElementsAre("00000003", "00000001", "1"), ElementsAre("", "00000002", "0")));
  EXPECT_EQ(run_->context().tables().parcels.counter(), 2);
  const auto extents = run_->Rows("BAZA/KERG/zakr_ras.dbf");
  ASSERT_EQ(extents.size(), 2u);
  EXPECT_EQ(extents[0][0], "00000003");
  EXPECT_EQ(extents[0][3].substr(0, 8), "@!!!!!Q(");
  EXPECT_THAT(extents[1], ElementsAre("00000006", "A", "2.202.2", ""));

  const auto tags = ReadMdxWithXBase(run_->output().path() / "BAZA/KERG/Kergasor.mdx");
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].name, "ID_ROBOTY");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"00000003", 2}, NtxOracleKey{"00000003", 3},
                                        NtxOracleKey{"00000006", 1}));
}

TEST_F(WorksConverterTest, CommunesOfTheSiteVoivodeshipOnlyComparedAsPlainDecimal) {
  Convert(/*delete_unlinked=*/true);
  EXPECT_THAT(run_->Rows("BAZA/KERG/Gminy.dbf"),
              ElementsAre(ElementsAre("012", "Gmina Ąb", ""), ElementsAre("002", "Abc", "")));
  const auto tags = ReadMdxWithXBase(run_->output().path() / "BAZA/KERG/Gminy.mdx");
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[0].name, "NR_G");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"002", 2}, NtxOracleKey{"012", 1}));
  EXPECT_EQ(tags[1].name, "UPP_NAZWA");
  ASSERT_EQ(tags[1].keys.size(), 2u);
  EXPECT_EQ(tags[1].keys[0].record, 2u);

  Convert(/*delete_unlinked=*/true, "DOM_NRWOJ=06");
  EXPECT_TRUE(run_->Rows("BAZA/KERG/Gminy.dbf").empty());
  Convert(/*delete_unlinked=*/true, "DOM_POWNR=6");
  EXPECT_TRUE(run_->Rows("BAZA/KERG/Gminy.dbf").empty());
}

TEST_F(WorksConverterTest, CommuneNumbersAreRenumberedWhenTheOperatorAsks) {
  run::RunOptions options;
  options.renumber_communes = true;
  site_.WriteSiteSettings({"DOM_NRWOJ=6"});
  PreparedRun run(site_, options);
  run.session().renumbering.Set(12, 345);
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertWorks(run.context(), true)));
  EXPECT_EQ(run.Rows("BAZA/KERG/Roboty.dbf")[0][kNrG], "345");
  EXPECT_EQ(run.Rows("BAZA/KERG/Gminy.dbf")[0][0], "345");
}

TEST_F(WorksConverterTest, AMissingIndexStopsBeforeAnyTableIsCreated) {
  std::filesystem::remove(site_.folder("LZGLO") / "kerg.ntx");
  PreparedRun run(site_);
  EXPECT_FALSE(RecordResult(run.context(), convert::ConvertWorks(run.context(), true)));
  EXPECT_THAT(platform::Utf8FromCp1250(run.context().status.error()),
              HasSubstr("Błąd podczas otwarcia pliku: "));
  EXPECT_THAT(run.context().status.error(), HasSubstr("kerg.ntx"));
  EXPECT_FALSE(std::filesystem::exists(run.output().path() / "BAZA/KERG/Roboty.dbf"));
}

TEST_F(WorksConverterTest, AMissingCoverageTableIsReportedAfterTheFourTables) {
  std::filesystem::remove(site_.folder("LZGLO") / "ob_rr.dbf");
  PreparedRun run(site_);
  EXPECT_FALSE(RecordResult(run.context(), convert::ConvertWorks(run.context(), true)));
  EXPECT_THAT(run.context().status.error(), HasSubstr("ob_rr.dbf"));
  EXPECT_EQ(run.Rows("BAZA/KERG/Roboty.dbf").size(), 4u);  // the reported works
  EXPECT_EQ(run.Rows("BAZA/KERG/obdg.dbf").size(), 2u);
}

}  // namespace
}  // namespace konwerter::testing
