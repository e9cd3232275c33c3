#include "tools/dos/block_writer.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace konwerter::tools {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(BlockWriterTest, AppendsAcrossBlocksAndPatchesOnDiskAndInTheBuffer) {
  testing::TempDir dir;
  const auto path = dir.path() / "out.bin";
  BlockWriter out(path, /*block_size=*/4);
  out.Append(Bytes("abcdef"));  // larger than a block: written at once
  out.AppendFill('-', 3);
  out.Append(Bytes("xy"));
  EXPECT_EQ(out.size(), 11u);
  out.Patch(6, Bytes("1234"));  // partly written, partly still buffered
  out.Patch(10, Bytes("Z"));    // only buffered
  out.Patch(0, Bytes("A"));     // only written
  out.Close();
  out.Close();
  EXPECT_EQ(testing::ReadFileBytes(path), Bytes("Abcdef1234Z"));
}

}  // namespace
}  // namespace konwerter::tools
