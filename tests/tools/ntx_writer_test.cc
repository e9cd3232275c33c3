#include "tools/dos/ntx_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>

#include "platform/little_endian.h"
#include "source/ntx_layout.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::tools {
namespace {

namespace ntx = source::ntx;

using testing::NtxOracleKey;

// What a reader walking the index in key order must see: keys padded with spaces, in
// ascending unsigned byte order, equal keys by record number.
std::vector<NtxOracleKey> InKeyOrder(const std::vector<NtxEntry>& entries, std::uint16_t key_size) {
  std::vector<NtxOracleKey> keys;
  for (const NtxEntry& entry : entries) {
    std::string key = entry.key;
    key.resize(key_size, ' ');
    keys.push_back({key, entry.record});
  }
  std::sort(keys.begin(), keys.end(), [](const NtxOracleKey& a, const NtxOracleKey& b) {
    const auto unsigned_less = [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    };
    if (a.key != b.key) {
      return std::lexicographical_compare(a.key.begin(), a.key.end(), b.key.begin(), b.key.end(),
                                          unsigned_less);
    }
    return a.record < b.record;
  });
  return keys;
}

// The shape of the tree as found in the file, walked independently of the writer.
struct TreeShape {
  int depth = 0;
  bool balanced = true;       // every leaf at the same depth
  bool no_empty_page = true;  // every page but the root holds a key
  std::size_t most_keys_in_a_page = 0;
  std::vector<NtxOracleKey> in_order;
};

class ShapeWalker {
 public:
  explicit ShapeWalker(std::vector<std::uint8_t> file) : file_(std::move(file)) {}

  TreeShape Walk() {
    const std::span<const std::uint8_t> header(file_.data(), ntx::kPageSize);
    key_size_ = platform::LoadU16(header, ntx::kKeySizeOffset);
    Visit(platform::LoadU32(header, ntx::kRootOffset), 1);
    return shape_;
  }

 private:
  void Visit(std::uint32_t page_offset, int depth) {
    const std::span<const std::uint8_t> page(file_.data() + page_offset, ntx::kPageSize);
    const std::uint16_t count = platform::LoadU16(page, ntx::kItemCountOffset);
    if (count == 0 && depth > 1) shape_.no_empty_page = false;
    shape_.most_keys_in_a_page = std::max<std::size_t>(shape_.most_keys_in_a_page, count);
    for (std::size_t slot = 0; slot <= count; ++slot) {
      const std::size_t item =
          platform::LoadU16(page, ntx::kSlotTableOffset + ntx::kSlotTableEntrySize * slot);
      const std::uint32_t child = platform::LoadU32(page, item + ntx::kSlotChildOffset);
      if (child != 0) Visit(child, depth + 1);
      if (child == 0 && slot == 0) NoteLeaf(depth);
      if (slot == count) break;
      const auto key = page.subspan(item + ntx::kSlotKeyOffset, key_size_);
      shape_.in_order.push_back({std::string(key.begin(), key.end()),
                                 platform::LoadU32(page, item + ntx::kSlotRecordOffset)});
    }
  }

  void NoteLeaf(int depth) {
    if (shape_.depth != 0 && shape_.depth != depth) shape_.balanced = false;
    shape_.depth = std::max(shape_.depth, depth);
  }

  std::vector<std::uint8_t> file_;
  std::uint16_t key_size_ = 0;
  TreeShape shape_;
};

std::vector<NtxEntry> NumberedKeys(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<NtxEntry> entries;
  for (std::uint32_t record = 1; record <= count; ++record) {
    entries.push_back({std::to_string(random() % 100'000'000), record});
  }
  return entries;
}

class NtxWriterTest : public ::testing::Test {
 protected:
  // Writes the index, checks that XBase::Index returns every entry in key order and that
  // the tree is a balanced B-tree, and returns its shape.
  TreeShape WriteAndCheck(const NtxOptions& options, const std::vector<NtxEntry>& entries) {
    WriteNtx(path_, options, entries);
    const std::vector<NtxOracleKey> expected = InKeyOrder(entries, options.key_size);
    EXPECT_EQ(testing::ReadNtxWithXBase(path_), expected);
    TreeShape shape = ShapeWalker(testing::ReadFileBytes(path_)).Walk();
    EXPECT_TRUE(shape.balanced);
    EXPECT_TRUE(shape.no_empty_page);
    return shape;
  }

  testing::TempDir dir_;
  std::filesystem::path path_ = dir_.path() / "index.ntx";
};

TEST_F(NtxWriterTest, FewKeysFitOneLeafPage) {
  const std::vector<NtxEntry> entries = {
      {"KOWALSKI", 3}, {"ADAMSKI", 1}, {"NOWAK", 2}, {"ZIELINSKI", 5}, {"BAK", 4}};
  EXPECT_EQ(WriteAndCheck({.key_size = 10}, entries).depth, 1);
}

TEST_F(NtxWriterTest, SmallPagesGiveTwoAndMoreLevels) {
  EXPECT_EQ(WriteAndCheck({.key_size = 8, .max_keys_per_page = 4}, NumberedKeys(20, 1)).depth, 2);
  // Pages of 2 keys: a tree of 4 levels holds at most 80 keys.
  const TreeShape deep =
      WriteAndCheck({.key_size = 8, .max_keys_per_page = 2}, NumberedKeys(200, 2));
  EXPECT_EQ(deep.depth, 5);
  EXPECT_LE(deep.most_keys_in_a_page, 2u);
}

TEST_F(NtxWriterTest, ManyKeysFillFullSizePagesOverThreeLevels) {
  // 50 keys of 10 bytes per page: two levels hold 2600 keys at most.
  const TreeShape shape = WriteAndCheck({.key_size = 10}, NumberedKeys(20'000, 3));
  EXPECT_EQ(shape.depth, 3);
  EXPECT_EQ(shape.most_keys_in_a_page, 50u);
}

TEST_F(NtxWriterTest, KeysOf255BytesTakeTwoPerPage) {
  std::vector<NtxEntry> entries = NumberedKeys(40, 4);
  for (NtxEntry& entry : entries) entry.key = std::string(250, 'x') + entry.key.substr(0, 5);
  const TreeShape shape = WriteAndCheck({.key_size = 255}, entries);
  EXPECT_EQ(shape.depth, 4);
  EXPECT_EQ(platform::LoadU16(testing::ReadFileBytes(path_), ntx::kMaxItemsOffset), 2);
}

TEST_F(NtxWriterTest, EqualKeysComeInRecordOrderAcrossPages) {
  std::vector<NtxEntry> entries;
  for (std::uint32_t record = 1; record <= 300; ++record) {
    entries.push_back({std::string(1, "BCA"[record % 3]), record});
  }
  std::shuffle(entries.begin(), entries.end(), std::mt19937(5));
  EXPECT_GE(WriteAndCheck({.key_size = 3, .max_keys_per_page = 4}, entries).depth, 3);
}

TEST_F(NtxWriterTest, BinaryKeysSortAsUnsignedBytes) {
  const std::string bytes("\x00\x01\x1A\x20\x7F\x80\xFF", 7);
  std::mt19937 random(6);
  std::vector<NtxEntry> entries;
  for (std::uint32_t record = 1; record <= 400; ++record) {
    std::string key;
    for (int i = 0; i < 4; ++i) key += bytes[random() % bytes.size()];
    entries.push_back({key, record});
  }
  entries.push_back({std::string(4, '\xFF'), 401});
  entries.push_back({std::string(4, '\x00'), 402});
  WriteAndCheck({.key_size = 5, .max_keys_per_page = 6}, entries);

  const std::vector<NtxOracleKey> read = testing::ReadNtxWithXBase(path_);
  ASSERT_EQ(read.size(), 402u);
  EXPECT_EQ(read.front().key, std::string("\x00\x00\x00\x00\x20", 5));
  EXPECT_EQ(read.back().key, std::string("\xFF\xFF\xFF\xFF\x20", 5));
}

TEST_F(NtxWriterTest, EveryKeyCountBuildsABalancedTree) {
  for (const std::uint16_t max_keys : {2, 3, 4, 7}) {
    for (std::size_t count = 1; count <= 400; ++count) {
      const std::vector<NtxEntry> entries = NumberedKeys(count, static_cast<std::uint32_t>(count));
      WriteNtx(path_, {.key_size = 8, .max_keys_per_page = max_keys}, entries);
      const TreeShape shape = ShapeWalker(testing::ReadFileBytes(path_)).Walk();
      ASSERT_TRUE(shape.balanced && shape.no_empty_page) << count << " keys, " << max_keys;
      ASSERT_LE(shape.most_keys_in_a_page, max_keys);
      ASSERT_EQ(shape.in_order, InKeyOrder(entries, 8)) << count << " keys, " << max_keys;
    }
  }
}

TEST_F(NtxWriterTest, EmptyIndexHasOneEmptyRootPage) {
  WriteAndCheck({.key_size = 4}, {});
  const std::vector<std::uint8_t> file = testing::ReadFileBytes(path_);
  EXPECT_EQ(file.size(), 2 * ntx::kPageSize);
  EXPECT_EQ(platform::LoadU32(file, ntx::kRootOffset), ntx::kPageSize);
  EXPECT_EQ(platform::LoadU16(file, ntx::kPageSize + ntx::kItemCountOffset), 0);
}

TEST_F(NtxWriterTest, HeaderFollowsClipper) {
  WriteNtx(path_, {.key_size = 10, .expression = "UPPER(NAZWA)"}, NumberedKeys(120, 7));
  const std::vector<std::uint8_t> file = testing::ReadFileBytes(path_);
  ASSERT_EQ(file.size() % ntx::kPageSize, 0u);
  EXPECT_EQ(platform::LoadU16(file, ntx::kSignatureOffset), 6);
  EXPECT_EQ(platform::LoadU32(file, ntx::kRootOffset),
            file.size() - ntx::kPageSize);  // written last
  EXPECT_EQ(platform::LoadU32(file, ntx::kNextFreeOffset), 0u);
  EXPECT_EQ(platform::LoadU16(file, ntx::kItemSizeOffset), 18);
  EXPECT_EQ(platform::LoadU16(file, ntx::kKeySizeOffset), 10);
  EXPECT_EQ(platform::LoadU16(file, ntx::kMaxItemsOffset), 50);
  EXPECT_EQ(platform::LoadU16(file, ntx::kHalfPageOffset), 25);
  const auto expression = file.begin() + ntx::kExpressionOffset;
  EXPECT_EQ(std::string(expression, std::find(expression, file.end(), 0)), "UPPER(NAZWA)");
  EXPECT_EQ(file[ntx::kUniqueOffset], 0);
}

TEST(NtxMaxKeysPerPageTest, FollowsClipperRule) {
  EXPECT_EQ(ntx::MaxKeysPerPage(1), 90);
  EXPECT_EQ(ntx::MaxKeysPerPage(4), 72);
  EXPECT_EQ(ntx::MaxKeysPerPage(10), 50);
  EXPECT_EQ(ntx::MaxKeysPerPage(255), 2);
  for (std::uint16_t size = 1; size <= 255; ++size) {
    const std::uint16_t keys = ntx::MaxKeysPerPage(size);
    EXPECT_LE(ntx::SlotOffset(keys + 1, keys, size), ntx::kPageSize) << size;
  }
}

TEST_F(NtxWriterTest, RejectsWhatClipperCannotStore) {
  EXPECT_THROW(WriteNtx(path_, {.key_size = 4}, {{"12345", 1}}), std::invalid_argument);
  EXPECT_THROW(WriteNtx(path_, {.key_size = 4}, {{"1234", 0}}), std::invalid_argument);
  EXPECT_THROW(WriteNtx(path_, {.key_size = 0}, {}), std::invalid_argument);
  EXPECT_THROW(WriteNtx(path_, {.key_size = 256}, {}), std::invalid_argument);
  EXPECT_THROW(WriteNtx(path_, {.key_size = 4, .max_keys_per_page = 1}, {}), std::invalid_argument);
  EXPECT_THROW(WriteNtx(path_, {.key_size = 255, .max_keys_per_page = 3}, {}),
               std::invalid_argument);
  EXPECT_THROW(WriteNtx(path_, {.key_size = 4, .expression = std::string(256, 'K')}, {}),
               std::invalid_argument);
}

}  // namespace
}  // namespace konwerter::tools
