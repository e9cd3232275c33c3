#include "convert/operats.h"

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
using convert::OperatKind;
using ::testing::ElementsAre;

const std::string kCreator = target::CreatorIdentifier(kRunDate);
constexpr std::string_view kDigitalId44 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefgh";
constexpr std::string_view kDigitalId39 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abc";

// Parcel keys of the links: A and B a pair of operat 5 that obdg.dbf also holds as single
// links, C a single link of operat 5; P1..P4 two pairs of operat 4 only.
constexpr std::uint32_t A = 1001, B = 1002, C = 1003, P1 = 2001, P2 = 2002, P3 = 2003, P4 = 2004;

// Five operats: records 1, 4 and 5 are converted (identifiers 1, 2 and 3); record 2 has no
// key and record 3 a number never given.
DosOperats Operats(int kind) {
  DosOperats data;
  data.operats = {
      {.id_ope = 100,
       .nrjednewid = "7",
       .ro_roboty = 3,
       .czlon_1 = "123",
       .czlon_2 = "5",
       .czlon_3 = "42",
       .id_kerg = 5,
       .id_osoby = 7,
       .d_wyp = "20240517",
       .id_zam = 6,
       .uwagi = "ważny",
       .cyfr_id = std::string(kDigitalId44)},
      {.id_ope = 0, .ro_roboty = 1, .czlon_1 = "1", .id_kerg = 8},
      {.id_ope = 101, .ro_roboty = 1, .czlon_1 = "\xFF\xFF\xFF\xFF", .id_kerg = 8},
      {.id_ope = 102,
       .ro_roboty = 0,
       .czlon_1 = "12",
       .id_kerg = 6,
       .id_zam = 5,
       .cyfr_id = std::string(kDigitalId39)},
      {.id_ope = 103, .czlon_1 = "1", .id_kerg = 9},
  };
  data.assortment_links = {{1, LinkReference(3)},
                           {1, "  "},
                           {4, LinkReference(0)},
                           {0, LinkReference(1)},
                           {2, LinkReference(1)}};
  data.feature_links = {{4, "  "}, {4, LinkReference(2)}};
  data.movements = {{1, 7, "20240101", "20240102"}, {3, 8, "20240103", ""}, {0, 9, "", ""}};
  if (kind == 1) {
    data.pairs = {{5, A, B}, {4, P1, P2}, {4, P3, P4}, {999, 1, 2}};
    data.parcel_links = {{5, A, "0"}, {5, C, "0"}, {5, B, "1"}, {0, 1005, "0"}, {1, 1006, "1"}};
  }
  data.extents = {{.id_zak = 4}, {.id_zak = 2}};
  return data;
}

class OperatsTest : public ::testing::Test {
 protected:
  OperatsTest() : site_(DosPersonsFolder{}) {
    for (int kind = 1; kind <= 3; ++kind) WriteOperats(site_, kind, Operats(kind));
  }

  PreparedRun& Run(run::RunOptions options = {}) {
    run_.emplace(site_, options);
    run_->session().renumbering.Set(123, 456);
    run_->session().renumbering.Set(7, 12);
    return *run_;
  }

  void RemoveFeatures() { fs::remove(site_.root() / "TEROKAN" / "groboty" / "cechy.dbf"); }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(OperatsTest, RegisterOperatsWithTheirLinksAndMovements) {
  PreparedRun& run = Run();
  ASSERT_TRUE((run.context().edition == source::SourceEdition::kLater));
  ASSERT_TRUE(
      RecordResult(run.context(), convert::ConvertOperats(run.context(), OperatKind::kRegister)));
  EXPECT_TRUE(run.context().status.ok());

  const auto operaty = run.Rows("BAZA/OPER_PR/Operaty.dbf");
  ASSERT_EQ(operaty.size(), 3u);
  // The work of the operat is asked for before the work of its order.
  EXPECT_THAT(operaty[0],
              ElementsAre("00000001", "007", "    123", "5", "42", "", "00000001", "00000001",
                          "2024-05-17", "", "00000002", "ważny",
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZ012349abcdefgh", kCreator, "", "", ""));
  EXPECT_THAT(operaty[1], ElementsAre("00000002", "000", "    12", "", "0", "", "00000002", "", "",
                                      "", "00000001", "", kDigitalId39, kCreator, "", "", ""));
  EXPECT_EQ(operaty[2][0], "00000003");
  EXPECT_THAT(run.Rows("BAZA/OPER_PR/op_ruch.dbf"),
              ElementsAre(ElementsAre("00000001", "00000001", "2024-01-01", "2024-01-02", "", ""),
                          ElementsAre("", "00000002", "2024-01-03", "", "", "")));
  // Two spaces for the assortment: never filled, skipped; 0: written without one.
  EXPECT_THAT(run.Rows("BAZA/OPER_PR/op_asor.dbf"),
              ElementsAre(ElementsAre("00000001", "0001"), ElementsAre("00000002", ""),
                          ElementsAre("", "0002")));
  // A feature link never filled is skipped the same way and gives no feature an identifier.
  EXPECT_THAT(run.Rows("BAZA/OPER_PR/op_cechy.dbf"), ElementsAre(ElementsAre("00000002", "0001")));
  EXPECT_EQ(run.context().tables().features.counter(), 1);
  EXPECT_THAT(run.SequenceRows(), ElementsAre("OPERATY_PR=4"));
  EXPECT_EQ(run.context().tables().works.counter(), 3);
  EXPECT_FALSE(fs::exists(run.output().path() / "BAZA" / "OPER_PR" / "zakr_ras.dbf"));
}

// Single links first (a link a pair writes is left out), then each pair as the operat's
// next group.
TEST_F(OperatsTest, ParcelLinksAreGroupedByPairs) {
  PreparedRun& run = Run();
  ASSERT_TRUE(
      RecordResult(run.context(), convert::ConvertOperats(run.context(), OperatKind::kRegister)));
  EXPECT_THAT(run.Rows("BAZA/OPER_PR/obdg.dbf"),
              ElementsAre(ElementsAre("00000003", "00000001", "0", "1"),
                          ElementsAre("00000001", "00000002", "1", "1"),
                          ElementsAre("00000003", "00000003", "0", "2"),
                          ElementsAre("00000003", "00000004", "1", "2"),
                          ElementsAre("00000002", "00000005", "0", "1"),
                          ElementsAre("00000002", "00000006", "1", "1"),
                          ElementsAre("00000002", "00000007", "0", "2"),
                          ElementsAre("00000002", "00000008", "1", "2")));
  // Parcels far above the record count of dz.dbf keep their identifiers.
  EXPECT_EQ(run.context().tables().parcels.LookUp(P4), "00000008");
  // Of the five single links, the two a pair writes are written with the pair; the one
  // without an operat is skipped.
  const auto& accounts = run.context().ledger.accounts();
  const auto obdg = std::find_if(accounts.begin(), accounts.end(), [](const auto& account) {
    return account.target_path.ends_with("obdg.dbf") && account.source_path.ends_with("obdg.dbf");
  });
  ASSERT_NE(obdg, accounts.end());
  EXPECT_EQ(obdg->read, 5u);
  EXPECT_EQ(obdg->skipped, 1u);
  EXPECT_EQ(obdg->skipped_by_reason[static_cast<std::size_t>(run::SkipReason::kKeyNotSet)], 1u);
}

TEST_F(OperatsTest, WithoutPairsEveryLinkIsASingleLinkOfGroupOne) {
  DosOperats data = Operats(1);
  data.with_pairs = false;
  WriteOperats(site_, 1, data);
  PreparedRun& run = Run();
  ASSERT_TRUE(
      RecordResult(run.context(), convert::ConvertOperats(run.context(), OperatKind::kRegister)));
  EXPECT_TRUE(run.context().status.ok());
  const auto obdg = run.Rows("BAZA/OPER_PR/obdg.dbf");
  ASSERT_EQ(obdg.size(), 4u);
  for (const auto& row : obdg) EXPECT_EQ(row[3], "1");
  EXPECT_EQ(obdg[0][2], "0");
  EXPECT_EQ(obdg[2][2], "1");
}

TEST_F(OperatsTest, AMissingObdgSourceLeavesTheOtherTablesAndAnEmptyObdg) {
  fs::remove(site_.folder("GOPEW") / "obdg.dbf");
  PreparedRun& run = Run();
  EXPECT_FALSE(
      RecordResult(run.context(), convert::ConvertOperats(run.context(), OperatKind::kRegister)));
  EXPECT_THAT(run.context().status.error(), ::testing::EndsWith("obdg.dbf"));
  EXPECT_EQ(run.Rows("BAZA/OPER_PR/Operaty.dbf").size(), 3u);
  EXPECT_EQ(run.Rows("BAZA/OPER_PR/op_cechy.dbf").size(), 1u);
  EXPECT_TRUE(run.Rows("BAZA/OPER_PR/obdg.dbf").empty());
}

// Without cechy.dbf in the works folder the link tables are not even opened: the kind of
// work gives the assortment.
TEST_F(OperatsTest, WithoutFeaturesTheKindOfWorkGivesTheAssortment) {
  RemoveFeatures();
  fs::remove(site_.folder("GOP") / "asor_bu.dbf");
  fs::remove(site_.folder("GOP") / "cechy_bu.dbf");
  PreparedRun& run = Run();
  ASSERT_FALSE((run.context().edition == source::SourceEdition::kLater));
  ASSERT_TRUE(
      RecordResult(run.context(), convert::ConvertOperats(run.context(), OperatKind::kBaseAndUse)));
  EXPECT_TRUE(run.context().status.ok());
  const auto operaty = run.Rows("BAZA/OPER_BU/Operaty.dbf");
  ASSERT_EQ(operaty.size(), 3u);
  EXPECT_EQ(operaty[0][1], "  -");
  EXPECT_EQ(operaty[0][12], "");  // no digital identifier without features
  EXPECT_THAT(run.Rows("BAZA/OPER_BU/op_asor.dbf"), ElementsAre(ElementsAre("00000001", "0001")));
  EXPECT_TRUE(run.Rows("BAZA/OPER_BU/op_cechy.dbf").empty());
  EXPECT_FALSE(fs::exists(run.output().path() / "BAZA" / "OPER_BU" / "obdg.dbf"));
  EXPECT_THAT(run.Rows("BAZA/OPER_BU/zakr_ras.dbf"),
              ElementsAre(ElementsAre("00000002", "6", "4.125.12", "")));
  EXPECT_THAT(run.SequenceRows(), ElementsAre("OPERATY_BU=4"));
}

TEST_F(OperatsTest, WithFeaturesTheLinkSourcesAreRequired) {
  for (const char* missing : {"oper_p.dbf", "asor_p.dbf", "cechy_p.dbf", "ruch_p.dbf"}) {
    SCOPED_TRACE(missing);
    WriteOperats(site_, 3, Operats(3));
    fs::remove(site_.folder("GOPP") / missing);
    PreparedRun& run = Run();
    EXPECT_FALSE(RecordResult(run.context(),
                              convert::ConvertOperats(run.context(), OperatKind::kTransitional)));
    EXPECT_THAT(platform::Utf8FromCp1250(run.context().status.error()),
                ::testing::AllOf(::testing::StartsWith("Błąd podczas otwarcia pliku: "),
                                 ::testing::EndsWith(missing)));
    EXPECT_TRUE(fs::is_empty(run.output().path() / "BAZA" / "OPER_PRZ"));
  }
}

}  // namespace
}  // namespace konwerter::testing
