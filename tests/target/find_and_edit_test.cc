// Finding a record by key in a deep tree and editing it, as the cash-receipt converter flags
// a receipt: the edit must reach every tag whose key holds the edited field, as another
// reader walks them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dos_path.h"
#include "target/engine/engine.h"
#include "target/engine/table.h"
#include "target/identifier.h"
#include "target/table_builder.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"
#include "tests/target/proof_keys.h"

namespace konwerter::target {
namespace {

namespace oracle = konwerter::testing;

constexpr std::string_view kSchema = "Id_kp;C;8|Nr_kp;C;10|D_kp;D;8|Kwota_kp;N;13;2|Samo_Kp;c;1";
constexpr std::string_view kIndexes =
    "ID_KP;Id_kp|NR_KP;nr_kp|SAMO_KP_NR;SAMO_KP+NR_KP;exp|D_KP_NR_KP;DTOS(D_KP)+NR_KP;exp";
// 84 keys of 8 bytes fit a node: 8000 receipts give the ID_KP tag three levels.
constexpr std::uint32_t kReceipts = 8000;

TEST(FindAndEditTest, ReceiptFoundByItsKeyIsFlaggedAndReindexed) {
  const oracle::TempDir dir;
  engine::Engine engine;
  ConfigureEngine(engine, false);
  const std::string folder = dir.Join("BAZA\\ZLECENIA");
  {
    engine::Table table(engine, folder, "nrkp.dbf");
    OpenTargetTable(table, kSchema, kIndexes, {.remove_data_files = true});
    // Receipts written in reverse identifier order, so key order is not record order.
    for (std::uint32_t i = kReceipts; i >= 1; --i) {
      table.Append();
      table.SetText("Id_kp", FormatIdentifier(i, 8));
      table.SetText("Nr_kp", "KP/" + std::to_string(i));
      table.SetDate("D_kp", {2024, 1 + static_cast<int>(i % 12), 1 + static_cast<int>(i % 28)});
      table.SetNumber("Kwota_kp", i * 1.25);
    }
    table.Finish();
  }
  {
    engine::Table table(engine, folder, "nrkp.dbf");
    OpenTargetTable(table, kSchema, kIndexes, {});
    ASSERT_EQ(table.current_index(), "ID_KP");
    EXPECT_FALSE(table.FindKey("FFFFFFFF"));
    for (const std::uint32_t id : {1u, 0x1F4u, kReceipts}) {
      ASSERT_TRUE(table.FindKey(FormatIdentifier(id, 8))) << id;
      EXPECT_EQ(table.RecordNumber(), kReceipts + 1 - id);
      EXPECT_EQ(table.ReadText("Nr_kp"), "KP/" + std::to_string(id));
      table.Edit();
      table.SetText("Samo_Kp", "K");
      table.Post();
    }
    table.Finish();
  }
  const auto mdx = platform::HostPath(engine::Table(engine, folder, "nrkp.dbf").MdxPath());
  EXPECT_EQ(testing::TreeDepth(oracle::ReadFileBytes(mdx), "ID_KP"), 3);
  const auto tags = oracle::ReadMdxWithXBase(mdx);
  for (const auto& tag : tags) {
    if (tag.name != "SAMO_KP_NR") continue;
    ASSERT_EQ(tag.keys.size(), kReceipts);
    // Blank flags sort first; the three flagged receipts come last, by receipt number.
    std::vector<std::string> last;
    for (std::size_t i = kReceipts - 3; i < kReceipts; ++i) last.push_back(tag.keys[i].key);
    EXPECT_EQ(last, (std::vector<std::string>{"KKP/1      ", "KKP/500    ", "KKP/8000   "}));
    EXPECT_EQ(tag.keys[kReceipts - 4].key[0], ' ');
    return;
  }
  ADD_FAILURE() << "XBase::Index does not list SAMO_KP_NR";
}

}  // namespace
}  // namespace konwerter::target
