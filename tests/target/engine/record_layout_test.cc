#include "target/engine/record_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace konwerter::engine {
namespace {

TEST(RecordLayoutTest, FindsFieldsByNameIgnoringCase) {
  std::vector<FieldDescriptor> fields;
  for (int i = 0; i < 300; ++i)
    fields.push_back({"POLE_" + std::to_string(i), FieldType::kCharacter, 2, 0});
  fields.push_back({"ID_ZAM", FieldType::kCharacter, 8, 0});
  fields.push_back({"id_zam", FieldType::kNumeric, 5, 0});  // a repeat: the first one counts
  const RecordLayout layout(fields);
  EXPECT_EQ(layout.Find("Id_Zam"), 300);
  EXPECT_EQ(layout.Find("pole_0"), 0);
  EXPECT_EQ(layout.Find("Pole_299"), 299);
  EXPECT_EQ(layout.Find("POLE_300"), -1);
  EXPECT_EQ(layout.Find("ID_ZA"), -1);
  EXPECT_EQ(layout.Find(std::string("ID_ZAM\0", 7)), -1);
  EXPECT_EQ(layout.Find("ID_ZAM_TOO_LONG_FOR_A_FIELD"), -1);
  EXPECT_EQ(layout.Find(""), -1);
  EXPECT_EQ(layout.offset(300), 1u + 2 * 300);
  EXPECT_EQ(layout.record_length(), 1u + 2 * 300 + 8 + 5);
}

}  // namespace
}  // namespace konwerter::engine
