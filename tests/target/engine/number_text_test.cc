#include "target/engine/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace konwerter::engine {
namespace {

std::string Formatted(double value, int decimals, std::size_t width) {
  std::vector<std::uint8_t> out(width);
  FormatFixed(value, decimals, out);
  return {out.begin(), out.end()};
}

std::string FormattedExactly(double value, int decimals, std::size_t width) {
  std::vector<std::uint8_t> out(width);
  FormatFixed(ShortestDecimal(value), decimals, out);
  return {out.begin(), out.end()};
}

TEST(NumberTextTest, HalvesRoundAwayFromZeroOnTheShortestDecimalForm) {
  EXPECT_EQ(Formatted(2.675, 2, 6), "  2.68");  // the double is 2.67499999...
  EXPECT_EQ(Formatted(1.005, 2, 6), "  1.01");
  EXPECT_EQ(Formatted(-2.5, 0, 4), "  -3");
  EXPECT_EQ(Formatted(0.5, 0, 2), " 1");
  EXPECT_EQ(Formatted(-0.001, 2, 6), "  0.00");  // no minus before a zero
  EXPECT_EQ(Formatted(1000, 2, 9), "  1000.00");
  EXPECT_EQ(Formatted(99999.995, 2, 8), "********");
  EXPECT_EQ(Formatted(123456789012.0, 0, 12), "123456789012");
}

// Moderate numbers take a quicker route than the digit-by-digit one; both must agree.
TEST(NumberTextTest, QuickRouteAgreesWithTheExactOne) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> cents(-20000000, 20000000);
  std::uniform_real_distribution<double> any(-1e9, 1e9);
  for (int i = 0; i < 50000; ++i) {
    const int decimals = i % 5;
    const double value = i % 2 == 0 ? cents(random) / 1000.0 : any(random);
    ASSERT_EQ(Formatted(value, decimals, 16), FormattedExactly(value, decimals, 16))
        << value << " with " << decimals << " decimals";
  }
}

// Halves at the last kept decimal (written k.5 units, or as a sum that lands next to one)
// are settled without the digit-by-digit route when the double is a plain decimal; the
// result must be what that route gives, for every count of decimals the quick route takes.
TEST(NumberTextTest, HalvesAgreeWithTheExactRoute) {
  std::mt19937_64 random(5);
  for (int decimals = 0; decimals <= 8; ++decimals) {
    double unit = 1;
    for (int i = 0; i < decimals; ++i) unit /= 10;
    std::uniform_int_distribution<std::int64_t> units(0, 99999999 / (decimals + 1));
    for (int i = 0; i < 20000; ++i) {
      const auto whole = static_cast<double>(units(random));
      const double half = (i % 3 == 0)   ? (whole + 0.5) * unit
                          : (i % 3 == 1) ? whole * unit + unit / 2
                                         : (2 * whole + 1) / 2 * unit;
      const double value = i % 2 == 0 ? half : -half;
      ASSERT_EQ(Formatted(value, decimals, 20), FormattedExactly(value, decimals, 20))
          << value << " with " << decimals << " decimals";
      // The doubles next to it are not the half's nearest: the side they lie on decides.
      for (double next = value, previous = value, step = 0; step < 3; ++step) {
        next = std::nextafter(next, HUGE_VAL);
        previous = std::nextafter(previous, -HUGE_VAL);
        ASSERT_EQ(Formatted(next, decimals, 20), FormattedExactly(next, decimals, 20))
            << next << " with " << decimals << " decimals";
        ASSERT_EQ(Formatted(previous, decimals, 20), FormattedExactly(previous, decimals, 20))
            << previous << " with " << decimals << " decimals";
      }
    }
  }
  EXPECT_EQ(Formatted(0.005, 2, 5), " 0.01");
  EXPECT_EQ(Formatted(-0.05, 1, 5), " -0.1");
  EXPECT_EQ(Formatted(9999.995, 2, 7), "*******");
  EXPECT_EQ(Formatted(12.345, 2, 7), "  12.35");  // the double is 12.34499999...
}

}  // namespace
}  // namespace konwerter::engine
