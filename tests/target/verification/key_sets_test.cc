#include "target/verification/key_sets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace konwerter::verification {
namespace {

TEST(IdentifierNumber, TakesOnlyTheSequencesOwnForm) {
  EXPECT_EQ(IdentifierNumber("0000001F", 8), 31u);
  EXPECT_EQ(IdentifierNumber("00FF", 4), 255u);
  EXPECT_EQ(IdentifierNumber("FFFFFFFF", 8), 0xFFFFFFFFu);
  for (const char* text : {"0000001f", "1F", "000001F", "0000001G", " 000001F", "", "00FF"}) {
    EXPECT_FALSE(IdentifierNumber(text, 8)) << text;
  }
}

TEST(IdentifierSet, TellsTheFirstHolderOfANumberBelowAndAboveTheDenseLimit) {
  IdentifierSet set(10);
  EXPECT_EQ(set.Insert(3, 1), 0u);
  EXPECT_EQ(set.Insert(3, 7), 1u);
  EXPECT_EQ(set.Insert(1000, 2), 0u);
  EXPECT_EQ(set.Insert(1000, 9), 2u);
  EXPECT_TRUE(set.Contains(3));
  EXPECT_TRUE(set.Contains(1000));
  EXPECT_FALSE(set.Contains(4));
  EXPECT_FALSE(set.Contains(0));
}

TEST(KeyFields, JoinsTrimmedPartsAndABlankPartNamesNoRecord) {
  const engine::RecordLayout layout({{"R_CENY", engine::FieldType::kNumeric, 2, 0},
                                     {"NR_CENNIKA", engine::FieldType::kCharacter, 5, 0},
                                     {"POZYCJA", engine::FieldType::kCharacter, 5, 0}});
  const KeyFields position(layout, "R_ceny+Nr_cennika+Pozycja");
  ASSERT_TRUE(position.valid());
  std::string out;
  const auto record = [](std::string text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
  };
  EXPECT_EQ(position.Of(record("  3V1   7    "), out),
            "3\x1FV1\x1F"
            "7");
  EXPECT_EQ(position.Of(record("  3V1        "), out), "");
  EXPECT_FALSE(KeyFields(layout, "R_ceny+Brak").valid());
}

}  // namespace
}  // namespace konwerter::verification
