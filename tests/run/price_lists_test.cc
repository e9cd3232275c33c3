#include "run/price_lists.h"

#include <gtest/gtest.h>

namespace konwerter::run {
namespace {

TEST(PriceListsTest, KeyIsTheNumberInTwoThenCatalogueAndPositionWithoutTrailingSpaces) {
  EXPECT_EQ(PricePositionKey(1, "A", "12"), " 1A12");
  EXPECT_EQ(PricePositionKey(3, "K1   ", "7    "), " 3K17");
  EXPECT_EQ(PricePositionKey(42, " B", ""), "42 B");  // leading spaces are kept
  EXPECT_EQ(PricePositionKey(120, "", "1"), "1201");
}

TEST(PriceListsTest, PricesAreWholeHundredthsRoundedHalvesToEven) {
  EXPECT_EQ(PriceHundredths(12.5), 1250);
  EXPECT_EQ(PriceHundredths(0.125), 12);
  EXPECT_EQ(PriceHundredths(0.375), 38);
  EXPECT_EQ(PriceHundredths(-0.125), -12);
}

TEST(PriceListsTest, LookUpsIgnoreCaseAndClearingForgetsKindsAndPositions) {
  PriceLists lists;
  lists.SetKind(3, 'V');
  lists.SetKind(100, 'M');  // above 99: no kind
  lists.SetKind(0, 'M');    // 0 is no price list
  lists.AddPosition(
      " 3k\xB3"
      "7",
      "22", 1250);  // with a Polish letter (cp1250 l-stroke)
  lists.AddPosition(" 1A1", "zw", 5);
  lists.Sort();
  EXPECT_EQ(lists.Kind(3), 'V');
  EXPECT_EQ(lists.Kind(100), '\0');
  EXPECT_EQ(lists.Kind(0), '\0');
  EXPECT_EQ(lists.FindVat(" 3K\xA3"
                          "7"),
            "22");
  EXPECT_EQ(lists.FindPrice(" 3K\xA3"
                            "7"),
            1250);
  EXPECT_EQ(lists.FindVat(" 1a1"), "zw");
  EXPECT_EQ(lists.FindVat(" 1A"), std::nullopt);
  lists.Clear();
  EXPECT_EQ(lists.Kind(3), '\0');
  EXPECT_EQ(lists.FindVat(" 1A1"), std::nullopt);
}

}  // namespace
}  // namespace konwerter::run
