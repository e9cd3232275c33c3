// The worked examples of the index format: numeric and date key bytes, the name-tree
// threads of the tag table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "target/engine/key_encoding.h"
#include "target/engine/mdx_headers.h"
#include "tests/target/engine/mdx_test_tags.h"

namespace konwerter::engine {
namespace {

using testing::Bytes;

Bytes NumericKey(std::string_view text) {
  Bytes key(kNumericKeyLength, 0xEE);
  EncodeNumericKeyFromText(text, key);
  return key;
}

Bytes Padded(Bytes head, std::size_t length) {
  head.resize(length, 0);
  return head;
}

TEST(MdxKeyTest, NumericKeysAreExponentSignAndPackedDigits) {
  EXPECT_EQ(NumericKey("1"), Padded({0x35, 0x29, 0x10}, 12));
  EXPECT_EQ(NumericKey("12"), Padded({0x36, 0x29, 0x12}, 12));
  EXPECT_EQ(NumericKey("-5"), Padded({0x35, 0xA9, 0x50}, 12));
  EXPECT_EQ(NumericKey("123.45"), Padded({0x37, 0x29, 0x12, 0x34, 0x50}, 12));
  EXPECT_EQ(NumericKey("0.05"), Padded({0x33, 0x29, 0x50}, 12));
  EXPECT_EQ(NumericKey("    0.00"), Padded({0x34, 0x01}, 12));
  EXPECT_EQ(NumericKey("         "), Padded({0x34, 0x01}, 12));  // a blank number counts as 0
  EXPECT_EQ(NumericKey("  1000.00"), Padded({0x38, 0x29, 0x10}, 12));
  EXPECT_EQ(NumericKey("-0.5"), Padded({0x34, 0xA9, 0x50}, 12));
}

TEST(MdxKeyTest, DateKeysAreTheJulianDayAsADouble) {
  EXPECT_EQ(JulianDay({2024, 5, 17}), 2460448);
  Bytes key(kDateKeyLength);
  EncodeDateKey(platform::CalendarDate{2024, 5, 17}, key);
  EXPECT_EQ(key, (Bytes{0x00, 0x00, 0x00, 0x00, 0x90, 0xC5, 0x42, 0x41}));

  Bytes blank(kDateKeyLength);
  EncodeDateKey(std::nullopt, blank);
  KeyOrder order(KeyType::kDate);
  EXPECT_LT(order.Compare(key, blank), 0);  // a blank date sorts after every date
  Bytes late(kDateKeyLength);
  EncodeDateKey(platform::CalendarDate{9999, 12, 31}, late);
  EXPECT_LT(order.Compare(late, blank), 0);
}

TEST(MdxNameTreeTest, ThreadsOfTheFormatExample) {
  const std::vector<mdx::NameThreads> threads =
      mdx::NameTreeThreads({"CUST_ID", "OLDBALANCE", "INVOICE_NO"});
  const std::vector<mdx::NameThreads> expected = {{0, 2, 0}, {3, 0, 1}, {0, 0, 2}};
  EXPECT_EQ(threads, expected);
}

TEST(MdxNameTreeTest, EqualAndPrefixNamesGoRight) {
  // "ID" is smaller than "ID_OSOBY" (NUL against '_'); a name equal to one in the tree goes
  // right of it.
  const std::vector<mdx::NameThreads> threads =
      mdx::NameTreeThreads({"ID_OSOBY", "ID", "NIP", "ID_OSOBY", "A"});
  const std::vector<mdx::NameThreads> expected = {
      {2, 3, 0}, {5, 0, 1}, {4, 0, 1}, {0, 0, 3}, {0, 0, 2}};
  EXPECT_EQ(threads, expected);
}

}  // namespace
}  // namespace konwerter::engine
