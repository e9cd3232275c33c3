#include "run/translation_table.h"

#include <gtest/gtest.h>

#include "run/value_rules.h"

namespace konwerter::run {
namespace {

TEST(SharedTranslationTableTest, AssignsInFirstMeetingOrderAndKeepsIdentifiers) {
  SharedTranslationTable persons(8);
  persons.Size(150);
  EXPECT_EQ(persons.GetOrAssignKey(7), "00000001");
  EXPECT_EQ(persons.GetOrAssignKey(3), "00000002");
  EXPECT_EQ(persons.GetOrAssignKey(7), "00000001");
  EXPECT_EQ(persons.counter(), 2);
  EXPECT_EQ(persons.LookUp(3), "00000002");
  EXPECT_EQ(persons.LookUp(4), "");
}

TEST(SharedTranslationTableTest, UnsetKeysAndReferencesNeverGetAnIdentifier) {
  SharedTranslationTable works(8);
  works.Size(10);
  for (std::uint32_t key : {0u, 0x20202020u, 0xFFFFFFFFu}) {
    EXPECT_EQ(works.GetOrAssignKey(key), "") << key;
  }
  SharedTranslationTable precincts(4);
  precincts.Size(10);
  EXPECT_EQ(precincts.GetOrAssignReference(0), "");
  EXPECT_EQ(precincts.GetOrAssignReference(0xFFFF), "");
  EXPECT_EQ(precincts.GetOrAssignReference(2), "0001");
  EXPECT_EQ(works.counter(), 0);
  EXPECT_EQ(works.LookUp(0), "");
}

// DOS keys are not record numbers: a site that deleted records over the years holds keys
// far above the record count + 100. Each must keep its own identifier.
TEST(SharedTranslationTableTest, KeysAboveTheSizedCountKeepTheirIdentifiers) {
  SharedTranslationTable persons(8);
  persons.Size(150);  // a table of 50 records
  EXPECT_EQ(persons.GetOrAssignKey(149), "00000001");
  EXPECT_EQ(persons.GetOrAssignKey(150), "00000002");
  EXPECT_EQ(persons.GetOrAssignKey(4'000'000), "00000003");
  EXPECT_EQ(persons.GetOrAssignKey(150), "00000002");
  EXPECT_EQ(persons.LookUp(4'000'000), "00000003");
  EXPECT_EQ(persons.LookUp(4'000'001), "");
}

TEST(SharedTranslationTableTest, SizingEmptiesTheTableAndRestartsTheCounter) {
  SharedTranslationTable assortments(4);
  assortments.Size(5);
  assortments.GetOrAssignKey(1);
  assortments.GetOrAssignKey(900);
  assortments.Size(5);
  EXPECT_EQ(assortments.counter(), 0);
  EXPECT_EQ(assortments.LookUp(1), "");
  EXPECT_EQ(assortments.LookUp(900), "");
  EXPECT_EQ(assortments.GetOrAssignKey(900), "0001");
}

TEST(SharedTranslationTableTest, IdentifiersWiderThanTheWidthAreNotCut) {
  SharedTranslationTable services(4);
  services.Size(70000);
  std::string last;
  for (std::uint32_t key = 1; key <= 0x10001; ++key) last = services.GetOrAssignKey(key);
  EXPECT_EQ(last, "10001");
  EXPECT_EQ(services.LookUp(0xFFFF), "FFFF");
}

TEST(TranslationTableTest, StoresAtMostEightCharactersAndNothingForIndexZero) {
  TranslationTable documents;
  documents.Size(3);
  documents.Store(2, "0000000AXYZ");
  documents.Store(0, "00000001");
  documents.Store(1'000'000, "00000009");
  EXPECT_EQ(documents.LookUp(2), "0000000A");
  EXPECT_EQ(documents.LookUp(0), "");
  EXPECT_FALSE(documents.Holds(0));
  EXPECT_EQ(documents.LookUp(1'000'000), "00000009");
  EXPECT_EQ(documents.LookUp(1), "");  // a record number nothing stored
}

TEST(ValueRulesTest, DosKeysAndReferences) {
  EXPECT_FALSE(IsDosKeySet(0));
  EXPECT_FALSE(IsDosKeySet(0x20202020));
  EXPECT_FALSE(IsDosKeySet(0xFFFFFFFF));
  EXPECT_TRUE(IsDosKeySet(0x20202021));
  EXPECT_FALSE(IsReferenceSet(0));
  EXPECT_FALSE(IsReferenceSet(0xFFFF));
  EXPECT_TRUE(IsReferenceSet(0x2020));
}

TEST(ValueRulesTest, DatesFromDosTexts) {
  EXPECT_EQ(DateFromDosText("20240517"), (platform::CalendarDate{2024, 5, 17}));
  EXPECT_EQ(DateFromDosText("20240229"), (platform::CalendarDate{2024, 2, 29}));
  const platform::CalendarDate fallback{1900, 1, 1};
  EXPECT_EQ(DateFromDosText("20241317"), fallback);
  EXPECT_EQ(DateFromDosText("20230229"), fallback);
  EXPECT_EQ(DateFromDosText("        "), fallback);
  EXPECT_EQ(DateFromDosText("2024"), fallback);
  EXPECT_EQ(DateFromDosText(""), std::nullopt);
}

}  // namespace
}  // namespace konwerter::run
