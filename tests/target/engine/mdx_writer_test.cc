// The production index writer: the bytes of a small index, the shape of deep trees, the
// tags it refuses.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "target/engine/engine_error.h"
#include "target/engine/mdx_tag_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/target/engine/mdx_test_tags.h"

namespace konwerter::engine {
namespace {

using testing::Bytes;
using testing::CharacterTag;
using testing::kToday;

void Put(Bytes& image, std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutText(Bytes& image, std::size_t offset, std::string_view text) {
  std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

TEST(MdxWriterTest, SmallIndexMatchesTheExpectedImageByteForByte) {
  const konwerter::testing::TempDir dir;
  const std::string path = dir.Join("test.mdx");
  // Records 1-3; in collation order AA (2), ab (3), BB (1).
  WriteProductionIndex(path, "Test", {CharacterTag("NAZWA", 4, {"BB", "AA", "ab"})}, kToday);

  Bytes expected(4096, 0);
  // File header: version, date 24-05-17, table name, 2 pages per 1024-byte block,
  // production flag, 48 slots of 32 bytes, one tag, 8 pages, update date.
  Put(expected, 0, {0x02, 24, 5, 17});
  PutText(expected, 4, "TEST");
  Put(expected, 20, {0x02, 0x00, 0x00, 0x04, 0x01, 0x30, 0x20});
  Put(expected, 28, {0x01, 0x00});
  Put(expected, 31, {0x1B, 0x08});
  Put(expected, 44, {24, 5, 17});
  // Tag table: the anchor, then slot 1 with header page 4, name, key format, no threads.
  Put(expected, 529, {0x01});
  Put(expected, 544, {0x04});
  PutText(expected, 548, "NAZWA");
  Put(expected, 559, {0x10, 0x00, 0x00, 0x00, 0x02, 'C'});
  // Tag header at page 4: root page 6, 2 pages used, key format and type, key length 4,
  // 126 keys per node, item length 8, the expression, has keys, first and last node 6.
  Put(expected, 2048, {0x06, 0,    0,    0,   0x02, 0,    0,    0,    0x10, 'C', 0x00,
                       0x1B, 0x04, 0x00, 126, 0x00, 0x00, 0x00, 0x08, 0x00, 0x02});
  PutText(expected, 2048 + 24, "NAZWA");
  Put(expected, 2048 + 246, {0x01});
  Put(expected, 2048 + 248, {0x06, 0, 0, 0, 0x06, 0, 0, 0});
  // The root leaf at page 6: three keys, no previous node, (record, key) items, then 0.
  Put(expected, 3072, {0x03, 0, 0, 0, 0, 0, 0, 0});
  Put(expected, 3080, {0x02, 0, 0, 0, 'A', 'A', ' ', ' '});
  Put(expected, 3088, {0x03, 0, 0, 0, 'a', 'b', ' ', ' '});
  Put(expected, 3096, {0x01, 0, 0, 0, 'B', 'B', ' ', ' '});

  const Bytes actual = konwerter::testing::ReadFileBytes(dir.path() / "test.mdx");
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "byte " << i;
  }
}

// Longest keys: 9 per node, 10 children per inner node. 200 keys make 23 leaves, 3 nodes
// above them and a root over those: three levels, 27 nodes after the tag header.
TEST(MdxWriterTest, DeepTreeIsLaidOutLeavesFirstRootLastEachNodeLinkedToThePrevious) {
  const konwerter::testing::TempDir dir;
  std::vector<std::string> values;
  for (int i = 0; i < 200; ++i) values.push_back("K" + std::to_string(1000 + i));
  WriteProductionIndex(
      dir.Join("gleboki.mdx"), "GLEBOKI",
      {CharacterTag("KLUCZ", mdx::kMaxKeyLength, values), CharacterTag("DRUGI", 1, {"x"})}, kToday);
  const Bytes file = konwerter::testing::ReadFileBytes(dir.path() / "gleboki.mdx");
  constexpr std::size_t kNodes = 27;
  ASSERT_EQ(file.size(), 2048 + 1024 * (1 + kNodes) + 1024 * 2);
  EXPECT_EQ(platform::LoadU32(file, 32), file.size() / 512);
  EXPECT_EQ(platform::LoadU32(file, 544 + 32), 4 + 2 * (1 + kNodes));  // the second tag's header

  const std::uint32_t root = 4 + 2 * kNodes;
  EXPECT_EQ(platform::LoadU32(file, 2048), root);
  EXPECT_EQ(platform::LoadU32(file, 2048 + 4), 2 * kNodes);
  EXPECT_EQ(platform::LoadU16(file, 2048 + 14), 9);
  EXPECT_EQ(platform::LoadU16(file, 2048 + 18), 104);
  EXPECT_EQ(platform::LoadU32(file, 2048 + 248), 6u);
  EXPECT_EQ(platform::LoadU32(file, 2048 + 252), root);
  const auto node = [&](std::uint32_t page) {
    return std::span<const std::uint8_t>(file).subspan(page * 512, 1024);
  };
  for (std::uint32_t page = 6; page <= root; page += 2) {
    EXPECT_EQ(platform::LoadU32(node(page), 4), page == 6 ? 0 : page - 2) << "page " << page;
  }
  // Leaves: 22 full ones and one of 2 keys. Second level: 10, 10 and 3 children.
  EXPECT_EQ(platform::LoadU32(node(6), 0), 9u);
  EXPECT_EQ(platform::LoadU32(node(6 + 2 * 22), 0), 2u);
  EXPECT_EQ(platform::LoadU32(node(6 + 2 * 23), 0), 9u);
  EXPECT_EQ(platform::LoadU32(node(6 + 2 * 25), 0), 2u);
  // The root: 2 separators and 3 children, the right-most after the last entry.
  EXPECT_EQ(platform::LoadU32(node(root), 0), 2u);
  EXPECT_EQ(platform::LoadU32(node(root), 8), 6u + 2 * 23);
  EXPECT_EQ(platform::LoadU32(node(root), 8 + 104), 6u + 2 * 24);
  EXPECT_EQ(platform::LoadU32(node(root), 8 + 2 * 104), 6u + 2 * 25);
  // A separator is the highest key of its child's subtree: K1089 ends the 10th leaf.
  EXPECT_EQ(std::string(file.begin() + root * 512 + 12, file.begin() + root * 512 + 17), "K1089");
}

TEST(MdxTagBuilderTest, LastGroupOfOneChildBorrowsFromTheGroupBeforeIt) {
  EXPECT_EQ(mdx::ParentGroupSizes(2, 10), (std::vector<std::size_t>{2}));
  EXPECT_EQ(mdx::ParentGroupSizes(10, 10), (std::vector<std::size_t>{10}));
  EXPECT_EQ(mdx::ParentGroupSizes(11, 10), (std::vector<std::size_t>{9, 2}));
  EXPECT_EQ(mdx::ParentGroupSizes(23, 10), (std::vector<std::size_t>{10, 10, 3}));
  EXPECT_EQ(mdx::ParentGroupSizes(21, 10), (std::vector<std::size_t>{10, 9, 2}));
}

TEST(MdxWriterTest, RefusesTagsTheFileCannotHold) {
  const konwerter::testing::TempDir dir;
  const std::string path = dir.Join("zle.mdx");
  const auto expect_refused = [&](const std::vector<TagBuild>& tags) {
    try {
      WriteProductionIndex(path, "ZLE", tags, kToday);
      ADD_FAILURE() << "written";
    } catch (const EngineError& error) {
      EXPECT_EQ(error.code(), EngineErrorCode::kOther);
    }
  };
  std::vector<TagBuild> too_many;
  for (int i = 0; i < 48; ++i) too_many.push_back(CharacterTag("T" + std::to_string(i), 1, {}));
  expect_refused(too_many);
  expect_refused({CharacterTag("DLUGI", mdx::kMaxKeyLength + 1, {})});
  expect_refused({CharacterTag("ZA_DLUGA_NAZ", 1, {})});
  TagBuild torn = CharacterTag("PORWANY", 4, {"A"});
  torn.keys.pop_back();
  expect_refused({torn});
  TagBuild numeric = testing::NumericTag("LICZBA", {"1"});
  numeric.key_length = 8;
  expect_refused({numeric});
}

}  // namespace
}  // namespace konwerter::engine
