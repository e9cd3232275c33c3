#include "source/clipper_index.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/io_error.h"
#include "tests/source/source_test_tables.h"
#include "tests/support/temp_dir.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/ntx_writer.h"

namespace konwerter::source {
namespace {

namespace fs = std::filesystem;
using ::konwerter::testing::ReadFileBytes;
using ::konwerter::testing::WriteFileBytes;
using tools::NtxEntry;

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Five-digit keys "00000", "00002", ... (even numbers), record i + 1 for key i.
std::vector<NtxEntry> EvenKeys(int count) {
  std::vector<NtxEntry> entries;
  for (int i = 0; i < count; ++i) {
    std::string key = std::to_string(2 * i);
    entries.push_back({std::string(5 - key.size(), '0') + key, static_cast<std::uint32_t>(i + 1)});
  }
  return entries;
}

// An index whose pages hold no keys, each leading to the next: `levels` pages deep.
std::vector<std::uint8_t> ChainOfPages(int levels) {
  std::vector<std::uint8_t> bytes(std::size_t{1024} * (levels + 1), 0);
  bytes[14] = 4;  // key size
  PutU32(bytes, 4, 1024);
  for (int level = 1; level <= levels; ++level) {
    const std::size_t page = std::size_t{1024} * level;
    bytes[page + 2] = 4;  // slot 1 lies at offset 4 of the page
    PutU32(bytes, page + 4, level < levels ? 1024 * (level + 1) : 0);
  }
  return bytes;
}

class ClipperIndexTest : public ::testing::Test {
 protected:
  void Write(const std::vector<NtxEntry>& entries, std::uint16_t key_size = 5,
             std::uint16_t keys_per_page = 0) {
    tools::WriteNtx(file_, {key_size, "KLUCZ", keys_per_page}, entries);
    fs::last_write_time(file_, stamp_);
  }

  // Rewrites the index file without changing its modification stamp.
  void ReplaceQuietly(const std::vector<std::uint8_t>& bytes) {
    WriteFileBytes(file_, bytes);
    fs::last_write_time(file_, stamp_);
  }

  void Touch() {
    stamp_ += std::chrono::seconds(2);
    fs::last_write_time(file_, stamp_);
  }

  // The file's stamp, set by the fixture in whole seconds: some hosts keep no finer times.
  fs::file_time_type stamp_ =
      std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now());

  ::konwerter::testing::TempDir dir_;
  fs::path file_ = dir_.path() / "NAZWY.NTX";
  std::string path_ = dir_.Join("nazwy.ntx");
  ClipperIndex index_;
};

TEST_F(ClipperIndexTest, FindsEveryKeyOfADeepTree) {
  const std::vector<NtxEntry> entries = EvenKeys(300);
  Write(entries, 5, 2);
  index_.Open(path_);
  ASSERT_EQ(index_.status(), kIndexOk);
  EXPECT_EQ(index_.key_size(), 5);
  for (const NtxEntry& entry : entries) {
    const SeekResult result = index_.Seek(entry.key);
    EXPECT_TRUE(result.found) << entry.key;
    EXPECT_EQ(result.record, static_cast<std::int32_t>(entry.record) - 1) << entry.key;
    EXPECT_EQ(index_.status(), kIndexOk);
  }
  for (const std::string missing : {"00001", "00299", " ", "99999", "00000\xFF"}) {
    EXPECT_FALSE(index_.Seek(missing).found) << missing;
  }
  EXPECT_EQ(index_.status(), kIndexOk);
}

TEST_F(ClipperIndexTest, ShortKeysArePaddedWithSpaces) {
  Write({{"ABCD", 1}, {"ABCDE", 2}, {"ABC", 3}});
  index_.Open(path_);
  EXPECT_EQ(index_.Seek("ABCD").record, 0);
  EXPECT_EQ(index_.Seek("ABC").record, 2);
  EXPECT_TRUE(index_.Seek("ABCD ").found);
  EXPECT_FALSE(index_.Seek(std::string_view("AB\0", 3)).found);
}

TEST_F(ClipperIndexTest, KeysLongerThanTheKeySizeAreNeverFound) {
  Write({{"ABCDE", 1}});
  index_.Open(path_);
  EXPECT_FALSE(index_.Seek("ABCDEF").found);
  EXPECT_EQ(index_.status(), kIndexOk);
}

TEST_F(ClipperIndexTest, BinaryKeysCompareAsUnsignedBytes) {
  std::vector<NtxEntry> entries;
  for (const std::uint32_t key :
       {0u, 1u, 0x7Fu, 0x80u, 0xFFu, 0x100u, 0x20202020u, 0xFFFFFFFFu, 0x80000000u, 513u}) {
    entries.push_back({tools::DosKey(key), key % 1000 + 1});
  }
  Write(entries, 4, 2);
  index_.Open(path_);
  for (const NtxEntry& entry : entries) {
    const SeekResult result = index_.Seek(entry.key);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.record, static_cast<std::int32_t>(entry.record) - 1);
  }
  EXPECT_FALSE(index_.Seek(tools::DosKey(2)).found);
}

TEST_F(ClipperIndexTest, DuplicateKeysGiveOneOfTheirRecords) {
  std::vector<NtxEntry> entries = EvenKeys(40);
  std::set<std::int32_t> duplicates;
  for (std::uint32_t record = 100; record < 120; ++record) {
    entries.push_back({"00020", record});
    duplicates.insert(static_cast<std::int32_t>(record) - 1);
  }
  duplicates.insert(10);  // the key "00020" of EvenKeys, record 11
  Write(entries, 5, 2);
  index_.Open(path_);
  const SeekResult result = index_.Seek("00020");
  EXPECT_TRUE(result.found);
  EXPECT_TRUE(duplicates.count(result.record)) << result.record;
}

TEST_F(ClipperIndexTest, ALeafRootIsReadOnlyOnce) {
  Write(EvenKeys(3));
  index_.Open(path_);
  std::vector<std::uint8_t> damaged = ReadFileBytes(file_);
  std::fill(damaged.begin() + 1024, damaged.end(), 0xEE);
  ReplaceQuietly(damaged);
  EXPECT_EQ(index_.Seek("00002").record, 1);
  EXPECT_EQ(index_.status(), kIndexOk);
}

TEST_F(ClipperIndexTest, AChangedFileIsReloadedAtTheNextSeek) {
  Write(EvenKeys(3));
  index_.Open(path_);
  EXPECT_FALSE(index_.Seek("77777").found);
  Write({{"77777", 9}}, 5);
  Touch();
  const SeekResult result = index_.Seek("77777");
  EXPECT_TRUE(result.found);
  EXPECT_EQ(result.record, 8);

  WriteFileBytes(file_, std::vector<std::uint8_t>(100, 0));  // a reload that fails
  Touch();
  EXPECT_FALSE(index_.Seek("77777").found);
  EXPECT_EQ(index_.status(), kIndexShortHeader);
  EXPECT_FALSE(index_.is_open());
  EXPECT_THROW(index_.Seek("77777"), platform::IoError);
}

TEST_F(ClipperIndexTest, AChangedFileDropsThePagesReadBefore) {
  Write(EvenKeys(60), 5, 2);  // a tree several levels deep
  index_.Open(path_);
  for (int i = 0; i < 60; ++i) EXPECT_TRUE(index_.Seek(EvenKeys(60)[i].key).found);

  std::vector<NtxEntry> moved = EvenKeys(60);
  for (NtxEntry& entry : moved) entry.record += 1000;
  Write(moved, 5, 2);
  Touch();
  for (const NtxEntry& entry : moved) {
    const SeekResult result = index_.Seek(entry.key);
    EXPECT_TRUE(result.found);
    EXPECT_EQ(result.record, static_cast<std::int32_t>(entry.record) - 1);
  }
}

TEST_F(ClipperIndexTest, OpenFailuresLeaveTheIndexClosed) {
  index_.Open(dir_.Join("brak.ntx"));
  EXPECT_EQ(index_.status(), kIndexCannotOpen);
  EXPECT_FALSE(index_.is_open());

  WriteFileBytes(file_, std::vector<std::uint8_t>(1023, 0));
  index_.Open(path_);
  EXPECT_EQ(index_.status(), kIndexShortHeader);
  EXPECT_FALSE(index_.is_open());
  EXPECT_THROW(index_.Seek("x"), platform::IoError);

  std::vector<std::uint8_t> bytes = ChainOfPages(1);
  bytes[14] = 0;
  bytes[15] = 1;  // key size 256
  WriteFileBytes(file_, bytes);
  index_.Open(path_);
  EXPECT_EQ(index_.status(), kIndexKeyTooLong);
  EXPECT_FALSE(index_.is_open());
}

TEST_F(ClipperIndexTest, ARootBeyondTheFileClosesTheIndex) {
  Write(EvenKeys(3));
  std::vector<std::uint8_t> bytes = ReadFileBytes(file_);
  PutU32(bytes, 4, 1024 * 50);
  WriteFileBytes(file_, bytes);
  index_.Open(path_);
  EXPECT_EQ(index_.status(), kIndexOk);  // the status of the close that followed
  EXPECT_FALSE(index_.is_open());
  EXPECT_THROW(index_.Seek("00002"), platform::IoError);
}

TEST_F(ClipperIndexTest, DescentsStopBelowThirtyLevels) {
  WriteFileBytes(file_, ChainOfPages(30));
  index_.Open(path_);
  EXPECT_FALSE(index_.Seek("abcd").found);
  EXPECT_EQ(index_.status(), kIndexOk);

  WriteFileBytes(file_, ChainOfPages(31));
  index_.Open(path_);
  EXPECT_FALSE(index_.Seek("abcd").found);
  EXPECT_EQ(index_.status(), kIndexBadPage);
}

TEST_F(ClipperIndexTest, ACycleInADamagedIndexEndsWithStatus4) {
  Write(EvenKeys(5), 5, 2);
  std::vector<std::uint8_t> bytes = ReadFileBytes(file_);
  const std::uint32_t root = U32At(bytes, 4);
  const std::uint32_t first_child = U32At(bytes, root + U16At(bytes, root + 2));
  ASSERT_NE(first_child, 0u);
  const std::size_t leaf_slot = first_child + U16At(bytes, first_child + 2);
  ASSERT_EQ(U32At(bytes, leaf_slot), 0u);
  PutU32(bytes, leaf_slot, root);  // the leaf's first slot leads back up to the root
  WriteFileBytes(file_, bytes);

  index_.Open(path_);
  EXPECT_FALSE(index_.Seek("     ").found);  // below every key: down the first slots
  EXPECT_EQ(index_.status(), kIndexBadPage);
  EXPECT_TRUE(index_.Seek("00008").found);  // other paths still work
}

TEST_F(ClipperIndexTest, DamagedPagesNeverLeadOutside) {
  Write(EvenKeys(5), 5, 2);
  std::vector<std::uint8_t> bytes = ReadFileBytes(file_);
  const std::uint32_t root = U32At(bytes, 4);
  bytes[root] = 0xFF;  // an item count of 0x??FF
  bytes[root + 1] = 0xFF;
  WriteFileBytes(file_, bytes);
  index_.Open(path_);
  EXPECT_FALSE(index_.Seek("99999").found);  // above every key: the search walks off the page
  EXPECT_EQ(index_.status(), kIndexBadPage);
}

// The check of the whole tree finds what would make a look-up answer wrongly or not at all,
// before any look-up is made.
TEST_F(ClipperIndexTest, TheTreeCheckFindsWhatWouldMisleadALookUp) {
  const auto check = [&](const std::vector<std::uint8_t>& bytes, std::uint32_t records) {
    WriteFileBytes(file_, bytes);
    index_.Open(path_);
    return index_.CheckTree(records);
  };
  Write(EvenKeys(60), 5, 2);  // several levels deep, records 1 to 60
  const std::vector<std::uint8_t> sound = ReadFileBytes(file_);
  EXPECT_FALSE(check(sound, 60));
  EXPECT_EQ(check(sound, 59), (IndexFault{IndexFaultKind::kRecordOutside, 60, 59}));

  const std::uint32_t root = U32At(sound, 4);
  const std::uint32_t child = U32At(sound, root + U16At(sound, root + 2));
  ASSERT_NE(child, 0u);
  std::vector<std::uint8_t> bytes = sound;
  PutU32(bytes, root + U16At(bytes, root + 2), root);
  EXPECT_EQ(check(bytes, 60), (IndexFault{IndexFaultKind::kTreeLoops, root}));
  bytes = sound;
  PutU32(bytes, root + U16At(bytes, root + 2), 1024 * 500);
  EXPECT_EQ(check(bytes, 60),
            (IndexFault{IndexFaultKind::kPageUnreadable, std::uint64_t{1024} * 500}));
  bytes = sound;
  PutU32(bytes, root + U16At(bytes, root + 2), child + 1);
  EXPECT_EQ(check(bytes, 60), (IndexFault{IndexFaultKind::kPageUnreadable, child + 1}));

  // The last key of the page below the root's first key, raised above that key: the page is
  // in order, the tree is not.
  bytes = sound;
  const std::uint16_t count = U16At(bytes, child);
  const std::size_t last_key = child + U16At(bytes, child + 2 * count) + 8;
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(last_key), 5, std::uint8_t{'9'});
  EXPECT_EQ(check(bytes, 60), (IndexFault{IndexFaultKind::kTreeOutOfOrder, child}));
  bytes[child] = 0xFF;  // an item count that takes the slots off the page
  EXPECT_EQ(check(bytes, 60), (IndexFault{IndexFaultKind::kPageDamaged, child}));

  EXPECT_FALSE(check(ChainOfPages(30), 1));
  EXPECT_EQ(check(ChainOfPages(31), 1),
            (IndexFault{IndexFaultKind::kTreeLoops, std::uint64_t{1024} * 31}));
}

TEST_F(ClipperIndexTest, CloseLeavesStatus0) {
  Write(EvenKeys(2));
  index_.Open(path_);
  index_.Close();
  EXPECT_EQ(index_.status(), kIndexOk);
  EXPECT_FALSE(index_.is_open());
  index_.Close();
  EXPECT_EQ(index_.status(), kIndexOk);
}

}  // namespace
}  // namespace konwerter::source
