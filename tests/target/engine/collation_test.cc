#include "target/engine/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/text_encoding.h"
#include "target/engine/code_page_tables.h"

namespace konwerter::engine {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Cp852(std::string_view utf8) {
  Bytes out;
  for (const char c : platform::Cp1250FromUtf8(utf8)) {
    out.push_back(kCp1250ToCp852[static_cast<std::uint8_t>(c)]);
  }
  return out;
}

int Sign(int value) {
  return (value > 0) - (value < 0);
}

std::string SortKey(const Bytes& key) {
  std::string out = "prefix";  // the function appends; what is there already stays
  AppendCollationSortKey(key, out);
  EXPECT_EQ(out.substr(0, 6), "prefix");
  return out.substr(6);
}

int SortKeyOrder(const Bytes& a, const Bytes& b) {
  const std::string x = SortKey(a);
  const std::string y = SortKey(b);
  const int common = std::memcmp(x.data(), y.data(), std::min(x.size(), y.size()));
  return common != 0 ? Sign(common) : Sign(static_cast<int>(x.size()) - static_cast<int>(y.size()));
}

// Each word must sort strictly before the next one.
void ExpectAscending(std::initializer_list<std::string_view> words) {
  const std::vector<std::string_view> list(words);
  for (std::size_t i = 0; i + 1 < list.size(); ++i) {
    EXPECT_LT(CompareCollated(Cp852(list[i]), Cp852(list[i + 1])), 0)
        << list[i] << " < " << list[i + 1];
    EXPECT_GT(CompareCollated(Cp852(list[i + 1]), Cp852(list[i])), 0)
        << list[i + 1] << " > " << list[i];
  }
}

TEST(CollationTest, PolishLettersSortRightAfterTheirBaseLetter) {
  ExpectAscending({"Cyprys", "Ćma", "Dąb"});
  ExpectAscending({"Lublin", "Łódź", "Mława"});
  ExpectAscending({"Zamość", "Źródło", "Żaba"});
  ExpectAscending({"Wazon", "Wąs", "Wbić"});
  ExpectAscending({"Setka", "Sęk", "Sfora"});
  ExpectAscending({"Konwalia", "Koń", "Kopiec"});
  ExpectAscending({"Nowak", "Nóż", "Nysa"});
  ExpectAscending({"Sowa", "Śliwa", "Tama"});
}

TEST(CollationTest, SpaceThenDigitsThenLettersThenPunctuation) {
  ExpectAscending({" 12", "12", "1A", "A1", "Żaba", "(nowy)", "/x"});
  ExpectAscending({"10", "9"});  // digit by digit, not by value
}

TEST(CollationTest, CaseAndForeignAccentsCountOnlyWhenEveryPrimaryTies) {
  ExpectAscending({"ala", "Ala", "alb"});
  ExpectAscending({"aLA", "Ala"});  // the first difference in case decides
  ExpectAscending({"łódź", "Łódź", "ŁÓDŹ"});
  ExpectAscending({"żaba", "Żaba"});
  ExpectAscending({"Mulder", "Müller", "Mumia"});  // ü is a U with an accent
}

TEST(CollationTest, CapitalAOgonekSortsBeforeSmallOnTiesAsInTheDriverTable) {
  ExpectAscending({"wĄs", "wąs"});
  ExpectAscending({"ĄB", "ąB"});
}

TEST(CollationTest, ShorterKeysCompareAsIfPaddedWithSpaces) {
  EXPECT_EQ(CompareCollated(Cp852("Łódź"), Cp852("Łódź   ")), 0);
  EXPECT_EQ(CompareCollated(Bytes{}, Cp852("  ")), 0);
  ExpectAscending({"Ala", "Alabama", "Ala!"});
  const Bytes control = {'A', 'l', 'a', 0x1F};  // control bytes sort before the space
  EXPECT_GT(CompareCollated(Cp852("Ala"), control), 0);
}

TEST(CollationTest, DistinctBytesNeverTieAndTheOrderIsAntisymmetric) {
  for (int x = 0; x < 256; ++x) {
    for (int y = 0; y < 256; ++y) {
      const Bytes a = {static_cast<std::uint8_t>(x)};
      const Bytes b = {static_cast<std::uint8_t>(y)};
      const int order = CompareCollated(a, b);
      ASSERT_EQ(order == 0, x == y) << x << " " << y;
      ASSERT_EQ(order, -CompareCollated(b, a)) << x << " " << y;
    }
  }
}

TEST(CollationSortKeyTest, ByteOrderEqualsCollatedOrderForEveryPairOfBytes) {
  for (int x = 0; x < 256; ++x) {
    for (int y = 0; y < 256; ++y) {
      const Bytes a = {static_cast<std::uint8_t>(x), 'a'};
      const Bytes b = {static_cast<std::uint8_t>(y), 'A'};
      ASSERT_EQ(SortKeyOrder(a, b), CompareCollated(a, b)) << x << " " << y;
    }
  }
}

// Random keys of one length, drawn from all bytes and from a small alphabet of letters that
// share primary weights (so that secondary weights decide often), spaces and controls.
TEST(CollationSortKeyTest, ByteOrderEqualsCollatedOrderForRandomKeys) {
  const Bytes look_alikes = Cp852("aAáÁäÄąĄlLĺĹľĽłŁuUüÜ !0");
  std::mt19937 random(852);
  const auto draw = [&](std::size_t length, bool any_byte) {
    Bytes key(length);
    for (auto& byte : key) {
      byte = any_byte ? static_cast<std::uint8_t>(random() & 0xFF)
                      : look_alikes[random() % look_alikes.size()];
    }
    key.push_back(static_cast<std::uint8_t>(random() % 2));  // 0 and 1: the driver swaps them
    return key;
  };
  int secondary_decided = 0;
  for (int round = 0; round < 100000; ++round) {
    const std::size_t length = random() % 6;
    const bool any_byte = round % 4 == 0;
    const Bytes a = draw(length, any_byte);
    const Bytes b = draw(length, any_byte);
    const int order = CompareCollated(a, b);
    ASSERT_EQ(SortKeyOrder(a, b), order);
    if (order != 0 && SortKey(a).substr(0, a.size()) == SortKey(b).substr(0, b.size())) {
      ++secondary_decided;
    }
  }
  EXPECT_GT(secondary_decided, 500);  // the alphabet did reach the secondary weights
}

TEST(UpperCp852Test, PolishLetters) {
  const std::array<std::pair<std::uint8_t, std::uint8_t>, 9> pairs = {{
      {0xA5, 0xA4},
      {0x86, 0x8F},
      {0xA9, 0xA8},
      {0x88, 0x9D},
      {0xE4, 0xE3},
      {0xA2, 0xE0},
      {0x98, 0x97},
      {0xAB, 0x8D},
      {0xBE, 0xBD},
  }};
  for (const auto& [small, capital] : pairs) {
    EXPECT_EQ(UpperCp852(small), capital) << int{small};
    EXPECT_EQ(UpperCp852(capital), capital) << int{capital};
  }
}

TEST(UpperCp852Test, AsciiAndOtherAccentedLettersOnly) {
  for (int c = 'a'; c <= 'z'; ++c) EXPECT_EQ(UpperCp852(static_cast<std::uint8_t>(c)), c - 32);
  EXPECT_EQ(UpperCp852(0x82), 0x90);  // é
  EXPECT_EQ(UpperCp852(0x81), 0x9A);  // ü
  EXPECT_EQ(UpperCp852(0x9F), 0xAC);  // č
  const std::array<std::uint8_t, 9> unchanged = {'0', ' ', '@', '[', '{', 'Z', 0xE1, 0xB0, 0xFF};
  for (const std::uint8_t byte : unchanged) {
    EXPECT_EQ(UpperCp852(byte), byte) << int{byte};  // 0xE1 is ß
  }
}

TEST(UpperCp852Test, UpperCaseIsStableAndKeepsTheLetter) {
  for (int x = 0; x < 256; ++x) {
    const auto byte = static_cast<std::uint8_t>(x);
    const std::uint8_t upper = UpperCp852(byte);
    EXPECT_EQ(UpperCp852(upper), upper) << x;
    // Both orders of the second byte win only if the first bytes tie on the primary weight.
    EXPECT_LT(CompareCollated(Bytes{byte, 'a'}, Bytes{upper, 'b'}), 0) << x;
    EXPECT_GT(CompareCollated(Bytes{byte, 'b'}, Bytes{upper, 'a'}), 0) << x;
  }
}

}  // namespace
}  // namespace konwerter::engine
