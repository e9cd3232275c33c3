// The worked examples of the index format: numeric and date key bytes, the name-tree
// threads of the tag table.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "target/engine/key_encoding.h"
#include "target/engine/mdx_headers.h"
#include "target/engine/mdx_key_sort.h"
#include "tests/target/engine/mdx_test_tags.h"

namespace konwerter::engine {
namespace {

using testing::Bytes;
using testing::Cp852;

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

// The order a tag's keys are written in, worked out the slow way: every pair compared,
// equal keys by record number.
std::vector<std::uint32_t> ReferenceOrder(KeyType type, std::size_t key_length, const Bytes& keys) {
  std::vector<std::uint32_t> records(keys.size() / key_length);
  std::iota(records.begin(), records.end(), 1u);
  const KeyOrder order(type);
  const auto key_of = [&](std::uint32_t record) {
    return std::span<const std::uint8_t>(keys).subspan((record - 1) * key_length, key_length);
  };
  std::stable_sort(records.begin(), records.end(), [&](std::uint32_t a, std::uint32_t b) {
    return order.Compare(key_of(a), key_of(b)) < 0;
  });
  return records;
}

// Character keys from letters that differ only in case or accent (so that secondary
// weights decide), with repeats and blank keys; short keys and keys longer than the
// leading part the sort compares as integers.
TEST(MdxKeySortTest, CharacterKeysInCollationOrderThenRecordOrder) {
  const Bytes letters = Cp852("aAąĄeEęĘlLłŁzZżŻźŹ 09");
  std::mt19937 random(31);
  for (const std::size_t key_length : {1u, 3u, 8u, 13u, 30u}) {
    Bytes keys;
    std::vector<Bytes> drawn;
    for (int record = 0; record < 6000; ++record) {
      Bytes key(key_length, ' ');
      if (record % 5 == 1 && !drawn.empty()) {
        key = drawn[random() % drawn.size()];  // a repeat
      } else if (record % 7 != 3) {            // else blank
        const std::size_t filled = 1 + random() % key_length;
        for (std::size_t i = 0; i < filled; ++i) key[i] = letters[random() % letters.size()];
        drawn.push_back(key);
      }
      keys.insert(keys.end(), key.begin(), key.end());
    }
    ASSERT_EQ(mdx::SortedRecords(KeyType::kCharacter, key_length, keys),
              ReferenceOrder(KeyType::kCharacter, key_length, keys))
        << key_length;
  }
}

TEST(MdxKeySortTest, NumericAndDateKeysInValueOrderThenRecordOrder) {
  std::mt19937 random(12);
  Bytes numbers;
  Bytes dates;
  for (int record = 0; record < 6000; ++record) {
    const int value = static_cast<int>(random() % 2001) - 1000;
    const std::string text =
        std::to_string(value / 100) + "." + std::to_string(std::abs(value % 100));
    Bytes number(kNumericKeyLength);
    EncodeNumericKeyFromText(record % 9 == 0 ? "" : (value < 0 && value > -100 ? "-" : "") + text,
                             number);
    numbers.insert(numbers.end(), number.begin(), number.end());
    Bytes date(kDateKeyLength);
    const std::optional<platform::CalendarDate> day =
        record % 11 == 0
            ? std::nullopt
            : std::optional(platform::CalendarDate{1900 + static_cast<int>(random() % 200),
                                                   1 + static_cast<int>(random() % 12),
                                                   1 + static_cast<int>(random() % 28)});
    EncodeDateKey(day, date);
    dates.insert(dates.end(), date.begin(), date.end());
  }
  EXPECT_EQ(mdx::SortedRecords(KeyType::kNumeric, kNumericKeyLength, numbers),
            ReferenceOrder(KeyType::kNumeric, kNumericKeyLength, numbers));
  EXPECT_EQ(mdx::SortedRecords(KeyType::kDate, kDateKeyLength, dates),
            ReferenceOrder(KeyType::kDate, kDateKeyLength, dates));
  EXPECT_TRUE(mdx::SortedRecords(KeyType::kCharacter, 4, Bytes{}).empty());
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
