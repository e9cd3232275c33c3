#include "convert/map_documentation.h"

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

using ::testing::ElementsAre;

const std::string kCreator = target::CreatorIdentifier(kRunDate);

DosKmz Kmz() {
  DosKmz kmz;
  kmz.descriptions = {{1, "mapa zasadnicza", "MZ"}, {0, "bez kodu", "XX"}, {3, "opis", "OP"}};
  kmz.kinds = {{1, "oryginał", "OR"}, {2, "kopia", "KO"}};
  kmz.documents = {
      {.id_dok = 10,
       .skr_dok = 2,
       .skr_opis = 3,
       .godlo = "4.125.12",
       .uklad = "a",
       .nr_ewid = "KMZ-1",
       .d_zal = "20240517",
       .d_akt = "20230231",
       .id_osoby = 7,
       .id_zam = 5,
       .uwagi = "uwaga żółta"},
      {.id_dok = 0, .skr_opis = 1},                    // no key: skipped, keeps record 2
      {.id_dok = 11, .uklad = "\xFF", .id_osoby = 8},  // cancelled: skipped
      {.id_dok = 12, .skr_opis = 2, .d_wyp = "20240101", .d_plan = "20240201"},
      {.id_dok = 9'000'000, .skr_dok = 9, .skr_opis = 9, .id_osoby = 3, .id_zam = 5},
  };
  kmz.movements = {{4, 7, "20240102", "20240103"},
                   {2, 3, "20240104", ""},  // a skipped document
                   {0, 9, "20240105", ""},  // no document: not written
                   {500, 0, "", ""}};       // no such document
  return kmz;
}

class MapDocumentationTest : public ::testing::Test {
 protected:
  MapDocumentationTest() : site_(DosPersonsFolder{}) { WriteKmz(site_, Kmz()); }

  PreparedRun& Run() {
    run_.emplace(site_);
    return *run_;
  }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(MapDocumentationTest, DictionariesAreRenumberedAndTheRegisterUsesTheNewCodes) {
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertMapDocumentation(run.context())));
  run.context().sequence->Finish();

  EXPECT_THAT(
      run.Rows("BAZA/KMZ/Slownik.dbf"),
      ElementsAre(ElementsAre("0001", "mapa zasadnicza", "MZ"), ElementsAre("0002", "opis", "OP")));
  EXPECT_THAT(run.Rows("BAZA/KMZ/Ind_dok.dbf"), ElementsAre(ElementsAre("0001", "oryginał", "OR"),
                                                            ElementsAre("0002", "kopia", "KO")));
  const auto metryka = run.Rows("BAZA/KMZ/Metryka.dbf");
  ASSERT_EQ(metryka.size(), 3u);
  EXPECT_THAT(metryka[0], ElementsAre("00000001", "0002", "0002", "4.125.12", "A", "KMZ-1",
                                      "2024-05-17", "1900-01-01", "00000001", "", "", "uwaga żółta",
                                      kCreator, "", "", "", "00000001"));
  EXPECT_THAT(metryka[1], ElementsAre("00000002", "", "", "", "6", "", "", "", "", "2024-01-01",
                                      "2024-02-01", "", kCreator, "", "", "", ""));
  // A key far above the record count is still a document; unknown codes stay empty.
  EXPECT_THAT(metryka[2], ElementsAre("00000003", "", "", "", "6", "", "", "", "00000002", "", "",
                                      "", kCreator, "", "", "", "00000001"));
  EXPECT_THAT(
      run.Rows("BAZA/KMZ/Ruch_m.dbf"),
      ElementsAre(ElementsAre("00000002", "00000001", "2024-01-02", "2024-01-03", "", "", ""),
                  ElementsAre("", "00000002", "2024-01-04", "", "", "", ""),
                  ElementsAre("", "", "", "", "", "", "")));
  EXPECT_THAT(run.SequenceRows(), ElementsAre("SLOWNIK=3", "IND_DOK=3", "METRYKA=4"));
  // The skipped and cancelled documents asked for nobody.
  EXPECT_EQ(run.context().tables().persons.counter(), 2);
  EXPECT_EQ(run.context().tables().works.counter(), 1);
  // The document kinds are left for the KME register by their record numbers.
  EXPECT_EQ(run.context().records.document_kinds.LookUp(2), "0002");
  EXPECT_EQ(
      run.progress().tables,
      (std::vector<std::string>{"Tworzenie tabeli: Slownik.dbf", "Tworzenie tabeli: Ind_dok.dbf",
                                "Tworzenie tabeli: Metryka.dbf", "Tworzenie tabeli: Ruch_m.dbf"}));
}

TEST_F(MapDocumentationTest, TheDictionaryIndexesHoldTheNewCodesAndNames) {
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertMapDocumentation(run.context())));
  const auto tags = ReadMdxWithXBase(run.output().path() / "BAZA" / "KMZ" / "Slownik.mdx");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].name, "SKR_OPIS");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"0001", 1}, NtxOracleKey{"0002", 2}));
  EXPECT_EQ(tags[1].name, "UPP_KOD_OP");
  EXPECT_THAT(tags[1].keys, ElementsAre(NtxOracleKey{"MZ", 1}, NtxOracleKey{"OP", 2}));
  EXPECT_EQ(tags[2].name, "UPP_OPIS");
  ASSERT_EQ(tags[2].keys.size(), 2u);
  EXPECT_EQ(tags[2].keys[0].record, 1u);  // MAPA ZASADNICZA before OPIS
  const auto kinds = ReadMdxWithXBase(run.output().path() / "BAZA" / "KMZ" / "Ind_dok.mdx");
  ASSERT_EQ(kinds.size(), 3u);
  EXPECT_EQ(kinds[0].name, "SKR_DOK");
  EXPECT_THAT(kinds[0].keys, ElementsAre(NtxOracleKey{"0001", 1}, NtxOracleKey{"0002", 2}));
  EXPECT_EQ(kinds[2].name, "UPP_NAZ_DO");
  EXPECT_THAT(kinds[2].keys[0].record, 2u);  // KOPIA before ORYGINAŁ
}

TEST_F(MapDocumentationTest, EmptySourcesGiveEmptyTablesAndSequenceRowsOfOne) {
  WriteKmz(site_, {});
  PreparedRun& run = Run();
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertMapDocumentation(run.context())));
  EXPECT_TRUE(run.Rows("BAZA/KMZ/Metryka.dbf").empty());
  EXPECT_THAT(run.SequenceRows(), ElementsAre("SLOWNIK=1", "IND_DOK=1", "METRYKA=1"));
}

// Each source is required: the first one missing is named, and no table is created.
TEST_F(MapDocumentationTest, AMissingSourceIsNamedAndNoTableIsCreated) {
  for (const char* missing : {"metryka.dbf", "ruch_m.dbf", "slownik.dbf", "ind_dok.dbf"}) {
    SCOPED_TRACE(missing);
    WriteKmz(site_, Kmz());
    std::filesystem::remove(site_.folder("GMAPAZ") / missing);
    PreparedRun& run = Run();
    EXPECT_FALSE(RecordResult(run.context(), convert::ConvertMapDocumentation(run.context())));
    EXPECT_THAT(platform::Utf8FromCp1250(run.context().status.error()),
                ::testing::AllOf(::testing::StartsWith("Błąd podczas otwarcia pliku: "),
                                 ::testing::EndsWith(missing)));
    EXPECT_TRUE(std::filesystem::is_empty(run.output().path() / "BAZA" / "KMZ"));
    EXPECT_TRUE(run.SequenceRows().empty());
  }
}

}  // namespace
}  // namespace konwerter::testing
