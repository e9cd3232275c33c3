// Our reader of production indexes on damaged files: kNoSuchIndex, never a crash or an
// endless walk. (That it reads good files as XBase::Index does is mdx_oracle_test's job.)

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "target/engine/engine_error.h"
#include "tests/support/temp_dir.h"
#include "tests/target/engine/mdx_test_tags.h"

namespace konwerter::engine {
namespace {

using testing::Bytes;
using testing::CharacterTag;
using testing::kToday;

void ExpectNoSuchIndex(const std::function<void()>& read, const std::string& what) {
  try {
    read();
    ADD_FAILURE() << what << ": read without an error";
  } catch (const EngineError& error) {
    EXPECT_EQ(error.code(), EngineErrorCode::kNoSuchIndex) << what;
  }
}

class MdxDamageTest : public ::testing::Test {
 protected:
  // A three-level tag (the root at page 58, see the writer test) and a one-leaf tag.
  void SetUp() override {
    std::vector<std::string> values;
    for (int i = 0; i < 200; ++i) values.push_back(std::to_string(i));
    WriteProductionIndex(
        path_, "USZK",
        {CharacterTag("GLEBOKI", mdx::kMaxKeyLength, values), CharacterTag("MALY", 3, {"a", "b"})},
        kToday);
    good_ = konwerter::testing::ReadFileBytes(file_);
  }

  // Writes the good file changed by `damage` and expects both readers to refuse it.
  void ExpectRefused(const std::string& what, const std::function<void(Bytes&)>& damage) {
    Bytes bytes = good_;
    damage(bytes);
    konwerter::testing::WriteFileBytes(file_, bytes);
    ExpectNoSuchIndex(
        [&] {
          ReadProductionIndexTags(path_);
          ReadProductionIndexKeys(path_, "GLEBOKI");
          ReadProductionIndexKeys(path_, "MALY");
        },
        what);
  }

  konwerter::testing::TempDir dir_;
  std::string path_ = dir_.Join("uszk.mdx");
  std::filesystem::path file_ = dir_.path() / "uszk.mdx";
  Bytes good_;
};

TEST_F(MdxDamageTest, MissingFileOrTagIsNoSuchIndex) {
  ExpectNoSuchIndex([&] { ReadProductionIndexTags(dir_.Join("brak.mdx")); }, "missing file");
  ExpectNoSuchIndex([&] { ReadProductionIndexKeys(path_, "BRAK"); }, "missing tag");
  EXPECT_EQ(ReadProductionIndexKeys(path_, "gleboki").size(), 200u);  // case ignored
}

TEST_F(MdxDamageTest, DamagedHeaderOrTagTable) {
  ExpectRefused("truncated to the header", [](Bytes& b) { b.resize(600); });
  ExpectRefused("tag count beyond the slots", [](Bytes& b) { platform::StoreU16(b, 28, 48); });
  ExpectRefused("block size", [](Bytes& b) { platform::StoreU16(b, 22, 2048); });
  ExpectRefused("no pages per block", [](Bytes& b) { platform::StoreU16(b, 20, 0); });
  ExpectRefused("slot length", [](Bytes& b) { b[26] = 16; });
  ExpectRefused("tag header past the end",
                [](Bytes& b) { platform::StoreU32(b, 544 + 32, 0xFFFFFFF0u); });
  ExpectRefused("tag header inside the tag table", [](Bytes& b) { platform::StoreU32(b, 544, 2); });
  ExpectRefused("empty tag name", [](Bytes& b) { b[548] = 0; });
}

TEST_F(MdxDamageTest, DamagedTagHeader) {
  ExpectRefused("key type", [](Bytes& b) { b[2048 + 9] = 'L'; });
  ExpectRefused("key length 0", [](Bytes& b) { platform::StoreU16(b, 2048 + 12, 0); });
  ExpectRefused("key longer than its item",
                [](Bytes& b) { platform::StoreU16(b, 2048 + 12, 101); });
  ExpectRefused("item beyond a node", [](Bytes& b) { platform::StoreU16(b, 2048 + 18, 2000); });
  ExpectRefused("more keys per node than fit",
                [](Bytes& b) { platform::StoreU16(b, 2048 + 14, 10); });
  ExpectRefused("expression without its end",
                [](Bytes& b) { std::fill(b.begin() + 2048 + 24, b.begin() + 2048 + 245, 'X'); });
}

TEST_F(MdxDamageTest, DamagedTree) {
  constexpr std::size_t kRoot = 58 * 512;
  ExpectRefused("root past the end", [](Bytes& b) { platform::StoreU32(b, 2048, 1000000); });
  ExpectRefused("key count beyond the node", [](Bytes& b) { platform::StoreU32(b, kRoot, 1000); });
  ExpectRefused("child past the end",
                [](Bytes& b) { platform::StoreU32(b, kRoot + 8, 0x7FFFFFFF); });
  ExpectRefused("child is the root", [](Bytes& b) { platform::StoreU32(b, kRoot + 8, 58); });
  ExpectRefused("every child of the root is the root", [](Bytes& b) {
    for (std::size_t i = 0; i < 3; ++i) platform::StoreU32(b, kRoot + 8 + i * 104, 58);
  });
  // Inner nodes all pointing at one inner node: no cycle, but far more visits than nodes.
  ExpectRefused("shared children", [](Bytes& b) {
    for (std::uint32_t node = 52; node <= 58; node += 2) {
      for (std::size_t i = 0; i < 3; ++i)
        platform::StoreU32(b, node * 512 + 8 + i * 104, node == 52 ? 6 : node - 2);
    }
  });
  ExpectRefused("truncated inside the tree", [](Bytes& b) { b.resize(40 * 512); });
}

// Random bytes overwritten anywhere in the header, tag table, tag headers and nodes: each
// read either succeeds or is refused with kNoSuchIndex.
TEST_F(MdxDamageTest, RandomDamageNeverCrashes) {
  std::mt19937 random(2024);
  int refused = 0;
  for (int round = 0; round < 400; ++round) {
    Bytes bytes = good_;
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
      // Half of the changes hit the header pages, where every byte matters.
      const std::size_t limit = random() % 2 == 0 ? 4096 : bytes.size();
      bytes[random() % limit] = static_cast<std::uint8_t>(random());
    }
    if (round % 10 == 0) bytes.resize(random() % bytes.size());
    konwerter::testing::WriteFileBytes(file_, bytes);
    try {
      for (const TagInfo& tag : ReadProductionIndexTags(path_)) {
        ReadProductionIndexKeys(path_, tag.definition.name);
      }
    } catch (const EngineError& error) {
      ASSERT_EQ(error.code(), EngineErrorCode::kNoSuchIndex) << "round " << round;
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace konwerter::engine
