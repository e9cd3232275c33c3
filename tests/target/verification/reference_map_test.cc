#include "target/verification/reference_map.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "target/verification/key_sets.h"
#include "target/verification/table_image.h"
#include "target/verification/table_places.h"

namespace konwerter::verification {
namespace {

// The catalogue entry placed at `table`; nullptr when no converter writes it there.
const target::tables::TableStrings* Placed(const TableName& table) {
  for (const TablePlace& place : ExpectedTables()) {
    if (place.folder == table.folder && place.strings->table == table.table) return place.strings;
  }
  return nullptr;
}

bool Names(const TableName& table, std::string_view fields) {
  const target::tables::TableStrings* strings = Placed(table);
  return strings != nullptr && KeyFields(CatalogueLayout(*strings), fields).valid();
}

TEST(ReferenceMap, NamesOnlyTablesAndFieldsTheConvertersWrite) {
  for (const Reference& reference : References()) {
    EXPECT_TRUE(Names(reference.table, reference.fields))
        << reference.table.folder << "\\" << reference.table.table << " " << reference.fields;
    EXPECT_TRUE(Names(reference.referred, reference.referred_fields))
        << reference.referred.folder << "\\" << reference.referred.table << " "
        << reference.referred_fields;
  }
  std::set<std::string_view> rows;
  for (const SequenceUse& sequence : Sequences()) {
    EXPECT_TRUE(Names(sequence.table, sequence.field)) << sequence.row;
    EXPECT_TRUE(rows.insert(sequence.row).second) << sequence.row;
  }
  EXPECT_EQ(rows.size(), 22u);
}

// A table numbered by a sequence is referred to by its identifier, never by another field.
TEST(ReferenceMap, ReferencesToNumberedTablesNameTheirIdentifier) {
  for (const Reference& reference : References()) {
    if (const SequenceUse* sequence = SequenceOf(reference.referred)) {
      EXPECT_EQ(reference.referred_fields, sequence->field) << reference.fields;
    }
  }
}

TEST(TablePlaces, OperatKindsAndRasterExtentsLieInEveryFolderOfTheirKind) {
  std::multiset<std::string> folders;
  for (const TablePlace& place : ExpectedTables()) {
    if (place.strings == &target::tables::kOperPrOperaty ||
        place.strings == &target::tables::kKmzZakrRas) {
      folders.insert(std::string(place.folder) + " " + std::string(place.strings->table));
    }
  }
  EXPECT_EQ(folders, (std::multiset<std::string>{
                         "OPER_PR Operaty.dbf", "OPER_BU Operaty.dbf", "OPER_PRZ Operaty.dbf",
                         "KME zakr_ras.dbf", "ZARYSY zakr_ras.dbf", "OPER_BU zakr_ras.dbf",
                         "OPER_PRZ zakr_ras.dbf", "SZKICE zakr_ras.dbf", "KERG zakr_ras.dbf"}));
}

}  // namespace
}  // namespace konwerter::verification
