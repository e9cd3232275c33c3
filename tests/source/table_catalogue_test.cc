#include "source/table_catalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "platform/dbf_layout.h"

namespace konwerter::source {
namespace {

namespace tables = source::tables;

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// Every table of the catalogue is one Clipper can store and a reader can find: names of 1 to
// 10 upper-case characters, unique in their table and edition; widths the type allows; one
// entry per file of a folder.
TEST(SourceCatalogue, EveryTableIsOneClipperStores) {
  std::set<std::string> files;
  for (const tables::TableLayout* table : tables::kAllTables) {
    SCOPED_TRACE(std::string(table->file));
    EXPECT_TRUE(
        files.insert(std::string(table->variable) + "\\" + std::string(table->file)).second);
    EXPECT_FALSE(table->fields.empty());
    for (const SourceEdition edition : {SourceEdition::kEarlier, SourceEdition::kLater}) {
      std::set<std::string> names;
      for (const tables::FieldLayout& field : tables::FieldsOf(*table, edition)) {
        EXPECT_TRUE(names.insert(std::string(field.name)).second) << field.name;
        EXPECT_GE(field.name.size(), 1u);
        EXPECT_LE(field.name.size(), dbf::kMaxNameLength);
        EXPECT_EQ(Upper(field.name), field.name);
        EXPECT_GE(field.width, 1);
        EXPECT_NE(std::string("CNDL").find(field.type), std::string::npos) << field.name;
        EXPECT_TRUE(field.type != 'D' || field.width == dbf::kDateWidth) << field.name;
        EXPECT_TRUE(field.type != 'L' || field.width == dbf::kLogicalWidth) << field.name;
        EXPECT_TRUE(field.type != 'N' || field.width <= dbf::kMaxNumericWidth) << field.name;
        EXPECT_TRUE(field.type == 'N' || field.decimals == 0) << field.name;
      }
    }
  }
}

TEST(SourceCatalogue, FieldsAreFoundByNameInTheirEdition) {
  EXPECT_NE(tables::FindField(tables::kKartZam, "typ_dok", SourceEdition::kLater), nullptr);
  EXPECT_EQ(tables::FindField(tables::kKartZam, "typ_dok", SourceEdition::kEarlier), nullptr);
  EXPECT_NE(tables::FindField(tables::kKartZam, "Fakt_Vat", SourceEdition::kEarlier), nullptr);
  EXPECT_EQ(tables::FindField(tables::kKartZam, "fakt_vat", SourceEdition::kLater), nullptr);
  EXPECT_EQ(tables::FindField(tables::kKartZam, "id_za", SourceEdition::kLater), nullptr);
  EXPECT_EQ(tables::FieldsOf(tables::kRozlicz, SourceEdition::kLater).size(),
            tables::FieldsOf(tables::kRozlicz, SourceEdition::kEarlier).size() + 1);
  EXPECT_TRUE(tables::InEdition(tables::kCechy.editions, SourceEdition::kLater));
  EXPECT_FALSE(tables::InEdition(tables::kCechy.editions, SourceEdition::kEarlier));
}

// A 4-byte key reads only from a character field of 4, a number only from a numeric field.
TEST(SourceCatalogue, BindingKindsFitTheirFields) {
  EXPECT_TRUE(tables::BindingFits(tables::Key("ID"), BindingKind::kBinary4));
  EXPECT_FALSE(tables::BindingFits(tables::Key("ID"), BindingKind::kBinary2));
  EXPECT_TRUE(tables::BindingFits(tables::Reference("ID"), BindingKind::kBinary2));
  EXPECT_TRUE(tables::BindingFits(tables::Date("D"), BindingKind::kText));
  EXPECT_TRUE(tables::BindingFits(tables::DateText("D"), BindingKind::kText));
  EXPECT_FALSE(tables::BindingFits(tables::Character("N", 5), BindingKind::kWord));
  EXPECT_TRUE(tables::BindingFits(tables::Numeric("N", 5), BindingKind::kLong));
  EXPECT_FALSE(tables::BindingFits(tables::Numeric("N", 5), BindingKind::kText));
  EXPECT_TRUE(tables::BindingFits(tables::Logical("L"), BindingKind::kLogical));
  EXPECT_FALSE(tables::BindingFits(tables::Logical("L"), BindingKind::kText));
}

}  // namespace
}  // namespace konwerter::source
