#include "source/ntx_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace konwerter::source {
namespace {

// A page holding `keys` (each key_size bytes) in the order given, slot i with record i and
// child 100 * i, slot N + 1 with child 9999.
std::vector<std::uint8_t> Page(const std::vector<std::string>& keys, std::size_t key_size) {
  std::vector<std::uint8_t> page(1024, 0);
  const std::size_t count = keys.size();
  page[0] = static_cast<std::uint8_t>(count);
  std::size_t slot = 2 + 2 * (count + 1);
  for (std::size_t i = 1; i <= count + 1; ++i, slot += 8 + key_size) {
    page[2 + 2 * (i - 1)] = static_cast<std::uint8_t>(slot);
    page[2 + 2 * (i - 1) + 1] = static_cast<std::uint8_t>(slot >> 8);
    const std::uint32_t child = i <= count ? 100 * static_cast<std::uint32_t>(i) : 9999;
    for (int b = 0; b < 4; ++b) {
      page[slot + b] = static_cast<std::uint8_t>(child >> (8 * b));
      page[slot + 4 + b] = static_cast<std::uint8_t>(i >> (8 * b));
    }
    if (i <= count) std::copy(keys[i - 1].begin(), keys[i - 1].end(), page.begin() + slot + 8);
  }
  return page;
}

std::vector<std::uint8_t> Bytes(const std::string& key) {
  return {key.begin(), key.end()};
}

void ExpectSameStep(const std::vector<std::uint8_t>& page, const std::string& key) {
  const std::optional<PageStep> scanned = FindInPage(page, Bytes(key));
  ASSERT_TRUE(scanned.has_value());
  const PageStep halved = FindInOrderedPage(page, Bytes(key));
  EXPECT_EQ(halved.child, scanned->child) << key;
  EXPECT_EQ(halved.record, scanned->record) << key;
  EXPECT_EQ(halved.equal, scanned->equal) << key;
}

TEST(NtxPageTest, HalvingFindsWhatTheScanFinds) {
  // Duplicates, a high byte that sorts above ASCII, and pages of 0 to 7 keys.
  const std::vector<std::string> all = {"aa", "ab", "ab", "ab", "b\x01", "b\x80", "zz"};
  for (std::size_t count = 0; count <= all.size(); ++count) {
    const std::vector<std::string> keys(all.begin(), all.begin() + count);
    const std::vector<std::uint8_t> page = Page(keys, 2);
    ASSERT_TRUE(IsOrderedPage(page, 2));
    for (const char* key :
         {"a\x00", "aa", "ab", "ac", "b\x01", "b\x7F", "b\x80", "zz", "\xFF\xFF", "\x00\x00"}) {
      ExpectSameStep(page, std::string(key, 2));
    }
  }
}

TEST(NtxPageTest, PagesOutOfOrderOrRunningOutsideAreNotHalved) {
  EXPECT_FALSE(IsOrderedPage(Page({"bb", "aa"}, 2), 2));
  EXPECT_TRUE(IsOrderedPage(Page({"aa", "aa"}, 2), 2));

  std::vector<std::uint8_t> outside = Page({"aa", "bb"}, 2);
  outside[2 + 2 * 2] = 0xFE;  // slot 3 (the one after the keys) at offset 1022
  outside[2 + 2 * 2 + 1] = 0x03;
  EXPECT_FALSE(IsOrderedPage(outside, 2));

  std::vector<std::uint8_t> too_many = Page({"aa"}, 2);
  too_many[0] = 0xFF;
  too_many[1] = 0xFF;
  EXPECT_FALSE(IsOrderedPage(too_many, 2));
}

}  // namespace
}  // namespace konwerter::source
