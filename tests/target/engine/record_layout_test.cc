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

// Names of every length a field name can have, some alike but for one letter anywhere in
// them, looked up in any mix of case; letters beyond ASCII are not folded.
TEST(RecordLayoutTest, TellsApartNamesThatDifferInOneLetterAnywhere) {
  std::vector<FieldDescriptor> fields;
  const std::string base = "ABCDEFGHIJKLMNOP";
  for (std::size_t length = 1; length <= base.size(); ++length) {
    for (std::size_t changed = 0; changed < length; ++changed) {
      std::string name = base.substr(0, length);
      name[changed] = '_';
      fields.push_back({name, FieldType::kCharacter, 1, 0});
    }
    fields.push_back({base.substr(0, length), FieldType::kCharacter, 1, 0});
  }
  fields.push_back({"ABC@", FieldType::kCharacter, 1, 0});
  fields.push_back(
      {"\xC5\x81"
       "ADA",
       FieldType::kCharacter, 1, 0});
  const RecordLayout layout(fields);
  for (int i = 0; i < layout.field_count(); ++i) {
    std::string name = layout.field(i).name;
    ASSERT_EQ(layout.Find(name), i) << name;
    for (std::size_t j = 0; j < name.size(); j += 2) {
      if (name[j] >= 'A' && name[j] <= 'Z') name[j] = static_cast<char>(name[j] + ('a' - 'A'));
    }
    ASSERT_EQ(layout.Find(name), i) << name;
  }
  EXPECT_EQ(layout.Find("\xC5\x81"
                        "ada"),
            layout.field_count() - 1);
  EXPECT_EQ(layout.Find("\xE5\x81"
                        "ADA"),
            -1);
  EXPECT_EQ(layout.Find("ABCDEFGHIJKLMNOPQ"), -1);
  EXPECT_EQ(layout.Find("ABC`"), -1);  // '`', '{' and DEL are not letters
  EXPECT_EQ(layout.Find("ABC{"), -1);
  EXPECT_EQ(layout.Find("\x7F"
                        "BC"),
            -1);
}

}  // namespace
}  // namespace konwerter::engine
