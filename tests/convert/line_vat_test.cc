#include "convert/line_vat.h"

#include <gtest/gtest.h>

namespace konwerter::convert {
namespace {

TEST(LineVatTest, RateIsTheCodeReadAsAnIntegerAfterLeadingSpaces) {
  EXPECT_EQ(VatRate("22"), 22);
  EXPECT_EQ(VatRate(" 7"), 7);
  EXPECT_EQ(VatRate("7%"), 0);
  EXPECT_EQ(VatRate("zw"), 0);
  EXPECT_EQ(VatRate(""), 0);
  EXPECT_EQ(VatRate("  "), 0);
}

class LineVatByKindTest : public ::testing::Test {
 protected:
  LineVatByKindTest() {
    lists_.SetKind(1, 'V');
    lists_.SetKind(2, 'R');
    lists_.SetKind(4, 'M');
    lists_.AddPosition(" 3K17", "22", 0);
    lists_.AddPosition(" 4M00007", " 7", 0);
    lists_.Sort();
  }
  run::PriceLists lists_;
};

TEST_F(LineVatByKindTest, KindVTakesTheCodeFromThePositionAndTheNetFromWartPosr) {
  for (const auto& [position, code] :
       {std::pair{"7%", "7"}, std::pair{" 7xx", "7"}, std::pair{"0%", "0"}, std::pair{" 0", "0"},
        std::pair{"22ab", "22"}, std::pair{"zw", "zw"}}) {
    const LineVat vat = VatOfLine(lists_, {1, "", position, 80, 99});
    EXPECT_EQ(vat.vat, code) << position;
    EXPECT_EQ(vat.netto, 80.0);
    EXPECT_TRUE(vat.empty_position);
  }
}

TEST_F(LineVatByKindTest, KindRIsExemptAndOtherKindsLookThePositionUp) {
  const LineVat exempt = VatOfLine(lists_, {2, "K1", "7", 80, 99});
  EXPECT_EQ(exempt.vat, "zw");
  EXPECT_EQ(exempt.netto, 99.0);
  EXPECT_FALSE(exempt.empty_position);

  const LineVat listed = VatOfLine(lists_, {3, "K1", "7", 0, 122});
  EXPECT_EQ(listed.vat, "22");
  EXPECT_DOUBLE_EQ(*listed.netto, 100.0);
  const LineVat kind_m = VatOfLine(lists_, {4, "M", "00007", 0, 107});  // M: looked up too
  EXPECT_EQ(kind_m.vat, " 7");
  EXPECT_DOUBLE_EQ(*kind_m.netto, 100.0);

  const LineVat unknown = VatOfLine(lists_, {3, "K1", "8", 0, 122});
  EXPECT_FALSE(unknown.vat || unknown.netto || unknown.empty_position);
  // Price lists 0 and above 99 get neither, even with a listed position.
  for (const std::uint32_t list : {0u, 103u}) {
    const LineVat none = VatOfLine(lists_, {list, "K1", "7", 0, 122});
    EXPECT_FALSE(none.vat || none.netto) << list;
  }
}

}  // namespace
}  // namespace konwerter::convert
