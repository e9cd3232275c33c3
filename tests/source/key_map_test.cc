#include "source/key_map.h"

#include <gtest/gtest.h>

#include "tests/source/source_test_tables.h"
#include "tests/support/temp_dir.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::source {
namespace {

using testing::PatchFile;
using testing::WriteTable;

// The look-up built from a table when its index cannot be used: names in any letter case
// (as Clipper matches them), and no key for a damaged record, whose number is handed back.
TEST(KeyMapTest, KeysComeFromEveryReadableRecordWhateverTheLetterCaseOfTheNames) {
  ::konwerter::testing::TempDir dir;
  const auto file = dir.path() / "NAZWY.DBF";
  WriteTable(file, {{"id_os", 'C', 4}, {"lp", 'N', 1}, {"nazwa", 'C', 5}},
             {{{tools::DosKey(7), "1", "Jan"}},
              {{tools::DosKey(7), "2", "Nowak"}, true},
              {{tools::DosKey(9), "1", "Ewa"}},
              {{tools::DosKey(7), "1", "Stary"}}});
  PatchFile(file, 32 + 3 * 32 + 1 + 2 * (1 + 4 + 1 + 5), "\xFF");  // record 3 damaged

  std::vector<std::uint32_t> damaged;
  const std::optional<KeyMap> keys =
      BuildKeyMap(dir.Join("NAZWY.DBF"), {"ID_OS", "LP", 5}, &damaged);
  ASSERT_TRUE(keys.has_value());
  EXPECT_EQ(*keys, (KeyMap{{tools::DosKey(7) + '\x01', 0},  // the first record of a key
                           {tools::DosKey(7) + '\x02', 1}}));
  EXPECT_EQ(damaged, std::vector<std::uint32_t>{3});
  EXPECT_FALSE(BuildKeyMap(dir.Join("NAZWY.DBF"), {"ID_OS", "NR", 5}).has_value());
}

}  // namespace
}  // namespace konwerter::source
