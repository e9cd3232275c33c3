#include "convert/map_registers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "platform/text_encoding.h"
#include "target/identifier.h"
#include "tests/e2e/prepared_run.h"
#include "tests/e2e/register_site.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

const std::string kCreator = target::CreatorIdentifier(kRunDate);

DosMapRegister Register() {
  DosMapRegister data;
  data.documents = {
      {.key = 5,
       .skr_dok = 2,
       .czlon_1 = "  12",
       .czlon_2 = "1",
       .czlon_3 = "42",
       .czlon_4 = "A",
       .id_osoby = 7,
       .d_wyp = "20240517",
       .d_plan = "20240601",
       .id_zam = 5,
       .uwagi = "kopia ręczna"},
      {.key = 0x20202020u, .czlon_1 = "  13", .id_osoby = 8},    // four spaces: no key
      {.key = 6, .czlon_1 = "\xFF\xFF\xFF\xFF", .id_osoby = 9},  // number never given
      {.key = 7, .skr_dok = 9, .czlon_1 = "   7"},               // blank czlon_3 reads as 0
  };
  data.movements = {
      {1, 7, "20240101", "20240102"}, {3, 3, "20240103", ""}, {0, 4, "", ""}, {4, 0, "", ""}};
  data.extents = {{.id_zak = 1}, {.id_zak = 3}, {.id_zak = 4, .uklad = "b"}};
  return data;
}

class MapRegistersTest : public ::testing::Test {
 protected:
  MapRegistersTest() : site_(DosPersonsFolder{}) {
    WriteKme(site_, Register());
    WriteOutlines(site_, Register());
  }

  PreparedRun& Run(run::RunOptions options = {}) {
    run_.emplace(site_, options);
    // What the map documentation register leaves: kinds by their ind_dok.dbf record number.
    run_->context().records.document_kinds.Size(10);
    run_->context().records.document_kinds.Store(2, "0002");
    run_->session().renumbering.Set(12, 345);
    return *run_;
  }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(MapRegistersTest, KmeDocumentsMovementsAndRasterExtents) {
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertKme(run.context())));
  EXPECT_TRUE(run.context().status.ok());

  EXPECT_THAT(
      run.Rows("BAZA/KME/m_ewid.dbf"),
      ElementsAre(ElementsAre("00000001", "0002", "  12", "1", "42", "A", "00000001", "2024-05-17",
                              "2024-06-01", "kopia ręczna", kCreator, "", "", "", "00000001"),
                  ElementsAre("00000002", "", "   7", "", "0", "", "", "", "", "", kCreator, "", "",
                              "", "")));
  EXPECT_THAT(
      run.Rows("BAZA/KME/Ruch_e.dbf"),
      ElementsAre(ElementsAre("00000001", "00000001", "2024-01-01", "2024-01-02", "", "", ""),
                  ElementsAre("", "00000002", "2024-01-03", "", "", "", ""),
                  ElementsAre("00000002", "", "", "", "", "", "")));
  const auto extents = run.Rows("BAZA/KME/zakr_ras.dbf");
  ASSERT_EQ(extents.size(), 2u);
  EXPECT_EQ(extents[0][0], "00000001");
  EXPECT_EQ(extents[1][0], "00000002");
  EXPECT_EQ(extents[1][1], "B");
  EXPECT_THAT(run.SequenceRows(), ElementsAre("M_EWID=3"));
  EXPECT_EQ(run.progress().tables, (std::vector<std::string>{"Tworzenie tabeli: m_ewid.dbf",
                                                             "Tworzenie tabeli: Ruch_e.dbf",
                                                             "Tworzenie tabeli: zakr_ras.dbf"}));
}

TEST_F(MapRegistersTest, TheRegisterIndexesAsXBaseWalksThem) {
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertKme(run.context())));
  const auto tags = ReadMdxWithXBase(run.output().path() / "BAZA" / "KME" / "m_ewid.mdx");
  ASSERT_EQ(tags.size(), 4u);
  EXPECT_EQ(tags[0].name, "CZLON1234");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"   7         0    ", 2},
                                        NtxOracleKey{"  121       42A   ", 1}));
  EXPECT_EQ(tags[1].name, "DWYP_IDOS");
  EXPECT_THAT(tags[1].keys, ElementsAre(NtxOracleKey{std::string(16, ' '), 2},
                                        NtxOracleKey{"2024051700000001", 1}));
  EXPECT_EQ(tags[2].name, "IDOS_DWYP");
  EXPECT_EQ(tags[3].name, "ID_EWID");
  EXPECT_THAT(tags[3].keys, ElementsAre(NtxOracleKey{"00000001", 1}, NtxOracleKey{"00000002", 2}));
  const auto movements = ReadMdxWithXBase(run.output().path() / "BAZA" / "KME" / "Ruch_e.mdx");
  ASSERT_EQ(movements.size(), 2u);
  EXPECT_EQ(movements[0].name, "IDEW_DWYP");
  EXPECT_THAT(movements[0].keys, ElementsAre(NtxOracleKey{std::string(8, ' ') + "20240103", 2},
                                             NtxOracleKey{"0000000120240101", 1},
                                             NtxOracleKey{"00000002" + std::string(8, ' '), 3}));
}

TEST_F(MapRegistersTest, OutlinesHaveNoDocumentKindAndTheirOwnSequence) {
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertOutlines(run.context())));
  const auto documents = run.Rows("BAZA/ZARYSY/z_ewid.dbf");
  ASSERT_EQ(documents.size(), 2u);
  EXPECT_EQ(documents[0][1], "");
  EXPECT_EQ(documents[1][1], "");
  EXPECT_EQ(run.Rows("BAZA/ZARYSY/Ruch_z.dbf").size(), 3u);
  EXPECT_EQ(run.Rows("BAZA/ZARYSY/zakr_ras.dbf").size(), 2u);
  EXPECT_THAT(run.SequenceRows(), ElementsAre("Z_EWID=3"));
}

TEST_F(MapRegistersTest, AMissingRegisterOrMovementSourceCreatesNoTable) {
  for (const char* missing : {"m_ewid.dbf", "ruch_e.dbf"}) {
    SCOPED_TRACE(missing);
    WriteKme(site_, Register());
    fs::remove(site_.folder("GMAPAE") / missing);
    PreparedRun& run = Run();
    EXPECT_FALSE(RecordResult(run.context(), convert::ConvertKme(run.context())));
    EXPECT_THAT(run.context().status.error(), ::testing::EndsWith(missing));
    EXPECT_TRUE(fs::is_empty(run.output().path() / "BAZA" / "KME"));
  }
}

}  // namespace
}  // namespace konwerter::testing
