#include "convert/dictionaries.h"

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

namespace konwerter::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr std::uint32_t kSpaces = 0x20202020;

DosPrecinct Precinct(std::uint32_t key, std::string nr_g, std::string name) {
  DosPrecinct precinct;
  precinct.id_obr = key;
  precinct.nr_g = std::move(nr_g);
  precinct.nr_obr = "0001";
  precinct.nazwa = std::move(name);
  precinct.kod_obr = "01";
  return precinct;
}

DosParcel Parcel(std::uint32_t key, std::uint32_t precinct, std::string numerator,
                 std::string denominator, std::string sheet) {
  return {key, precinct, std::move(numerator), std::move(denominator), std::move(sheet)};
}

// Precinct 13 lies only under parcel 22, which nobody refers to; precincts 0 and four
// spaces have no key.
DosWorksFolders Dictionaries() {
  DosWorksFolders data;
  data.precincts = {Precinct(10, "12345", "Śródmieście"), Precinct(11, "1007", "Zalesie"),
                    Precinct(12, "", "Bez gminy"),        Precinct(0, "10001", "Zero"),
                    Precinct(kSpaces, "10001", "Spacje"), Precinct(13, "10002", "Pusty")};
  data.parcels = {Parcel(20, 11, "125", "0", ""), Parcel(21, 10, "125", "3", "12"),
                  Parcel(22, 13, "7", "0", "1"), Parcel(23, 12, "8", "0", "2"),
                  Parcel(0, 13, "9", "0", "3")};
  data.work_assortments = {{1, "PO", "podział"}, {2, "WZ", "wznowienie"}, {0, "XX", "bez klucza"}};
  data.order_assortments = {{1, "PO", "podział"},
                            {2, "WZ", "wznowienie"},
                            {3, "MA", "mapa"},
                            {0, "XX", "bez klucza"},
                            {0xFFFF, "YY", "bez klucza"}};
  data.services = {{1, "JK", "Kowalski Jan Kazimierz Ignacy"}, {2, "AN", "Nowak Anna"}};
  data.features = std::vector<DosCoded>{{1, "NP", "numeryczny plik"}, {2, "ŁK", "łącznik"}};
  return data;
}

class DictionariesConverterTest : public ::testing::Test {
 protected:
  DictionariesConverterTest() : site_(DosPersonsFolder{}) {
    WriteWorksFolders(site_, Dictionaries());
    run_.emplace(site_);
  }

  // The converters before the parcels: parcels 21, 23, 20 and 99 (which dz.dbf lacks)
  // referred to in that order.
  void ReferToParcels() {
    run::SharedTranslationTable& parcels = context().tables().parcels;
    for (std::uint32_t key : {21u, 23u, 20u, 99u}) parcels.GetOrAssignKey(key);
  }

  run::RunContext& context() { return run_->context(); }
  std::vector<std::vector<std::string>> Rows(const std::string& relative) {
    return run_->Rows("BAZA/" + relative);
  }
  std::vector<MdxOracleTag> Tags(const std::string& relative) {
    return ReadMdxWithXBase(run_->output().path() / "BAZA" / relative);
  }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(DictionariesConverterTest, WithBoxesOnParcelsAndPrecinctsFollowTheFirstReferences) {
  ReferToParcels();
  ASSERT_TRUE(RecordResult(context(), convert::ConvertParcels(context(), true)));
  ASSERT_TRUE(RecordResult(context(), convert::ConvertPrecincts(context(), true)));
  const std::string creator = context().creator_identifier;
  EXPECT_THAT(Rows("KERG/dz.dbf"),
              ElementsAre(ElementsAre("00000003", "0001", "125", "0", creator, ""),
                          ElementsAre("00000001", "0002", "125/3", "12", creator, ""),
                          ElementsAre("00000002", "0003", "8", "2", creator, "")));
  // Exactly the precincts a written parcel lies in, numbered as the parcels met them.
  EXPECT_THAT(Rows("KERG/obreb.dbf"),
              ElementsAre(ElementsAre("0002", "345", "0001", "Śródmieście", "01", creator, "", ""),
                          ElementsAre("0001", "007", "0001", "Zalesie", "01", creator, "", ""),
                          ElementsAre("0003", "", "0001", "Bez gminy", "01", creator, "", "")));
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("DZ=5", "OBREB=4"));

  const auto tags = Tags("KERG/obreb.mdx");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].name, "ID_OBR");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"0001", 2}, NtxOracleKey{"0002", 1},
                                        NtxOracleKey{"0003", 3}));
  EXPECT_EQ(tags[1].name, "NRG_NAZWA");
  EXPECT_EQ(tags[1].keys.size(), 3u);
  EXPECT_EQ(tags[2].name, "NRG_NR_KOD");
  EXPECT_THAT(tags[2].keys, ElementsAre(NtxOracleKey{"   000101", 3}, NtxOracleKey{"007000101", 2},
                                        NtxOracleKey{"345000101", 1}));
  EXPECT_FALSE(std::filesystem::exists(run_->output().path() / "BAZA/KERG/dz.mdx"));
}

TEST_F(DictionariesConverterTest, WithBoxesOffEveryKeyedRecordIsWrittenAfterThoseReferred) {
  ReferToParcels();
  ASSERT_TRUE(RecordResult(context(), convert::ConvertParcels(context(), false)));
  ASSERT_TRUE(RecordResult(context(), convert::ConvertPrecincts(context(), false)));
  std::vector<std::string> parcels, precincts_of_parcels, precincts;
  for (const auto& row : Rows("KERG/dz.dbf")) {
    parcels.push_back(row[0]);
    precincts_of_parcels.push_back(row[1]);
  }
  for (const auto& row : Rows("KERG/obreb.dbf")) precincts.push_back(row[0] + ":" + row[3]);
  EXPECT_THAT(parcels, ElementsAre("00000003", "00000001", "00000005", "00000002"));
  EXPECT_THAT(precincts_of_parcels, ElementsAre("0001", "0002", "0003", "0004"));
  EXPECT_THAT(precincts,
              ElementsAre("0002:Śródmieście", "0001:Zalesie", "0004:Bez gminy", "0003:Pusty"));
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("DZ=6", "OBREB=5"));
}

TEST_F(DictionariesConverterTest, PrecinctsOffAfterParcelsOnKeepTheIdentifiersOfWrittenParcels) {
  ReferToParcels();
  ASSERT_TRUE(RecordResult(context(), convert::ConvertParcels(context(), true)));
  ASSERT_TRUE(RecordResult(context(), convert::ConvertPrecincts(context(), false)));
  std::vector<std::string> precincts;
  for (const auto& row : Rows("KERG/obreb.dbf")) precincts.push_back(row[0] + ":" + row[3]);
  EXPECT_THAT(precincts,
              ElementsAre("0002:Śródmieście", "0001:Zalesie", "0003:Bez gminy", "0004:Pusty"));
}

TEST_F(DictionariesConverterTest, PrecinctCommunesAreRenumberedWhenTheOperatorAsks) {
  run::RunOptions options;
  options.renumber_communes = true;
  PreparedRun run(site_, options);
  run.session().renumbering.Set(345, 12);
  run.session().renumbering.Set(7, 8);
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertPrecincts(run.context(), false)));
  std::vector<std::string> communes;
  for (const auto& row : run.Rows("BAZA/KERG/obreb.dbf")) communes.push_back(row[1]);
  EXPECT_THAT(communes, ElementsAre("012", "008", "", "002"));
}

TEST_F(DictionariesConverterTest, OrderAssortmentsCountIdentifiersGivenToKeysTheyLack) {
  run::SharedTranslationTable& ordered = context().tables().order_assortments;
  for (std::uint16_t reference : {3, 7, 1}) ordered.GetOrAssignReference(reference);
  ASSERT_TRUE(RecordResult(context(), convert::ConvertOrderAssortments(context(), true)));
  EXPECT_THAT(Rows("ZLECENIA/asortym.dbf"),
              ElementsAre(ElementsAre("0003", "PO", "podział"), ElementsAre("0001", "MA", "mapa")));
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("zasort=4"));
  const auto tags = Tags("ZLECENIA/asortym.mdx");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].name, "ID_ASORT");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"0001", 2}, NtxOracleKey{"0003", 1}));
  EXPECT_EQ(tags[1].name, "UPP_ASORT");
  EXPECT_EQ(tags[2].name, "UPP_NAZ_A");
  EXPECT_EQ(tags[2].keys.size(), 2u);
}

TEST_F(DictionariesConverterTest, OrderAssortmentsOffAreAllWrittenUnlessTheyLackAKey) {
  context().tables().order_assortments.GetOrAssignReference(3);
  ASSERT_TRUE(RecordResult(context(), convert::ConvertOrderAssortments(context(), false)));
  std::vector<std::string> rows;
  for (const auto& row : Rows("ZLECENIA/asortym.dbf")) rows.push_back(row[0] + ":" + row[1]);
  EXPECT_THAT(rows, ElementsAre("0002:PO", "0003:WZ", "0001:MA"));
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("zasort=4"));
}

TEST_F(DictionariesConverterTest, ServicesCutTheNameToTheirField) {
  context().tables().services.GetOrAssignReference(1);
  ASSERT_TRUE(RecordResult(context(), convert::ConvertServices(context(), true)));
  EXPECT_THAT(Rows("ZLECENIA/obsluga.dbf"),
              ElementsAre(ElementsAre("0001", "JK", "Kowalski Jan Kazimierz Ig")));
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("obsluga=2"));
  const auto tags = Tags("ZLECENIA/obsluga.mdx");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].name, "ID_OBSLUGA");
  EXPECT_THAT(tags[0].keys, ElementsAre(NtxOracleKey{"0001", 1}));
}

TEST_F(DictionariesConverterTest, WorkAssortmentsAndFeaturesKeepThoseOfEarlierConverters) {
  context().tables().assortments.GetOrAssignReference(2);
  context().tables().features.GetOrAssignReference(2);
  ASSERT_TRUE(RecordResult(context(), convert::ConvertWorkAssortments(context(), true)));
  ASSERT_TRUE(RecordResult(context(), convert::ConvertFeatures(context(), true)));
  EXPECT_THAT(Rows("KERG/Asortym.dbf"), ElementsAre(ElementsAre("0001", "WZ", "wznowienie")));
  EXPECT_THAT(Rows("KERG/cechy.dbf"), ElementsAre(ElementsAre("0001", "ŁK", "łącznik")));
  EXPECT_THAT(run_->SequenceRows(), ElementsAre("ASORTYM=2", "CECHY=2"));
  for (const char* index : {"KERG/Asortym.mdx", "KERG/cechy.mdx"}) {
    const auto tags = Tags(index);
    ASSERT_EQ(tags.size(), 3u) << index;
    for (const MdxOracleTag& tag : tags) EXPECT_EQ(tag.keys.size(), 1u) << index << tag.name;
  }
  const auto features = Tags("KERG/cechy.mdx");
  EXPECT_EQ(features[1].name, "UPP_CECHA");
  EXPECT_EQ(features[1].keys[0].key,
            "\x9D"
            "K");  // Ł in the tables' code page 852
}

TEST_F(DictionariesConverterTest, ASiteWithoutFeaturesGetsAnEmptyTableAndTheFirstNumber) {
  DosWorksFolders data = Dictionaries();
  data.features.reset();
  WriteWorksFolders(site_, data);
  PreparedRun run(site_);
  ASSERT_FALSE((run.context().edition == source::SourceEdition::kLater));
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertFeatures(run.context(), false)));
  EXPECT_THAT(run.Rows("BAZA/KERG/cechy.dbf"), IsEmpty());
  EXPECT_THAT(run.SequenceRows(), ElementsAre("CECHY=1"));
  EXPECT_TRUE(run.context().status.ok());
}

TEST_F(DictionariesConverterTest, AMissingSourceStopsBeforeItsTableIsCreated) {
  std::filesystem::remove(site_.folder("LZLEC") / "obsluga.dbf");
  EXPECT_FALSE(RecordResult(context(), convert::ConvertServices(context(), true)));
  EXPECT_THAT(platform::Utf8FromCp1250(context().status.error()),
              HasSubstr("Błąd podczas otwarcia pliku: "));
  EXPECT_THAT(context().status.error(), HasSubstr("obsluga.dbf"));
  EXPECT_FALSE(std::filesystem::exists(run_->output().path() / "BAZA/ZLECENIA/obsluga.dbf"));
  EXPECT_THAT(run_->SequenceRows(), IsEmpty());

  // Features: the table exists already, but no sequence row is written.
  std::filesystem::remove(site_.folder("groboty") / "cechy.dbf");
  context().status.Clear();
  EXPECT_FALSE(RecordResult(context(), convert::ConvertFeatures(context(), true)));
  EXPECT_THAT(context().status.error(), HasSubstr("cechy.dbf"));
  EXPECT_TRUE(std::filesystem::exists(run_->output().path() / "BAZA/KERG/cechy.dbf"));
  EXPECT_THAT(run_->SequenceRows(), IsEmpty());
}

}  // namespace
}  // namespace konwerter::testing
