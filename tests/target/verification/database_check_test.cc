#include "target/verification/database_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/little_endian.h"
#include "target/engine/production_index.h"
#include "tests/target/verification/converted_sample.h"

namespace konwerter::verification {
namespace {

namespace fs = std::filesystem;
using testing::SampleCopy;

// The findings of one kind whose file ends with `file` (e.g. "OSOBY/Osoby.mdx").
std::vector<Finding> Found(const DatabaseCheck& check, FindingKind kind, std::string_view file) {
  std::vector<Finding> found;
  for (const Finding& finding : check.findings) {
    if (finding.kind == kind && finding.file.generic_string().ends_with(file)) {
      found.push_back(finding);
    }
  }
  return found;
}

// The record of a table whose field holds `value` (trailing spaces ignored).
std::uint32_t RecordHolding(const std::vector<std::uint8_t>& table, std::string_view field,
                            std::string_view value) {
  const std::size_t offset = testing::FieldOffset(table, field);
  for (std::uint32_t record = 1; record <= testing::RecordCount(table); ++record) {
    const auto at =
        table.begin() + static_cast<std::ptrdiff_t>(testing::RecordOffset(table, record) + offset);
    if (std::equal(value.begin(), value.end(), at)) return record;
  }
  return 0;
}

void Put(std::vector<std::uint8_t>& table, std::uint32_t record, std::string_view field,
         std::string_view value) {
  std::copy(value.begin(), value.end(),
            table.begin() + static_cast<std::ptrdiff_t>(testing::RecordOffset(table, record) +
                                                        testing::FieldOffset(table, field)));
}

TEST(CleanConversion, HoldsWithTheWarningsOfOldData) {
  const DatabaseCheck check = CheckConvertedDatabase(testing::ConvertedSample());
  ASSERT_TRUE(check.converted_database);
  EXPECT_TRUE(check.holds());
  EXPECT_EQ(check.failures(), 0u);
  // Old sites name dictionary records their DOS dictionaries lack, and the sample's persons
  // register holds one key twice.
  EXPECT_GT(check.counts.at(FindingKind::kReferenceDangling), 0u);
  EXPECT_EQ(check.counts.at(FindingKind::kDosKeyRepeated), 1u);
  const auto dangling = Found(check, FindingKind::kReferenceDangling, "ZLECENIA/kart_zam.dbf");
  ASSERT_FALSE(dangling.empty());
  EXPECT_GT(dangling.front().record, 0u);
  EXPECT_FALSE(dangling.front().value.empty());
  EXPECT_EQ(dangling.front().severity, Severity::kWarning);
}

TEST(CleanConversion, AFolderWithoutTheSequenceTableIsNoConvertedDatabase) {
  const testing::TempDir empty;
  EXPECT_FALSE(CheckConvertedDatabase(empty.path()).converted_database);
  EXPECT_FALSE(CheckConvertedDatabase(empty.path() / "brak").converted_database);

  const SampleCopy copy;
  fs::remove(copy.File("ADMIN/Dostep.dbf"));
  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.converted_database);
  EXPECT_FALSE(check.holds());
  EXPECT_TRUE(check.findings.empty());
}

TEST(PlantedFault, AChangedIndexKeyIsFoundWithItsRecord) {
  const SampleCopy copy;
  std::vector<std::uint8_t> mdx = copy.Bytes("OSOBY/Osoby.mdx");
  mdx[testing::OffsetOf(mdx, "00000005") + 7] = '9';
  copy.Write("OSOBY/Osoby.mdx", mdx);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.holds());
  const auto differs = Found(check, FindingKind::kKeyDiffers, "OSOBY/Osoby.mdx");
  ASSERT_EQ(differs.size(), 1u);
  EXPECT_EQ(differs[0].record,
            RecordHolding(copy.Bytes("OSOBY/Osoby.dbf"), "ID_OSOBY", "00000005"));
  EXPECT_EQ(differs[0].field, "ID_OSOBY");
  EXPECT_EQ(differs[0].value, "00000009");
  EXPECT_EQ(differs[0].expected, "00000005");
}

TEST(PlantedFault, KeysOutOfOrderAreFound) {
  const SampleCopy copy;
  const auto entries =
      engine::ReadProductionIndexKeys(copy.File("OSOBY/Ulice.mdx").string(), "UPP_NAZWA");
  ASSERT_GE(entries.size(), 3u);
  std::vector<std::uint8_t> mdx = copy.Bytes("OSOBY/Ulice.mdx");
  // Two neighbouring items of a leaf, each a record number and its key, change places.
  const std::string first(entries[1].key.begin(), entries[1].key.end());
  const std::size_t item = testing::OffsetOf(mdx, first) - 4;
  const std::size_t length = 36;  // a 30-byte key rounded up to 32, and the record number
  std::swap_ranges(mdx.begin() + static_cast<std::ptrdiff_t>(item),
                   mdx.begin() + static_cast<std::ptrdiff_t>(item + length),
                   mdx.begin() + static_cast<std::ptrdiff_t>(item + length));
  copy.Write("OSOBY/Ulice.mdx", mdx);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  const auto out_of_order = Found(check, FindingKind::kKeyOutOfOrder, "OSOBY/Ulice.mdx");
  ASSERT_EQ(out_of_order.size(), 1u);
  EXPECT_EQ(out_of_order[0].record, entries[1].record);
  EXPECT_TRUE(Found(check, FindingKind::kKeyDiffers, "OSOBY/Ulice.mdx").empty());
}

TEST(PlantedFault, ARecordAppendedWithoutItsKeyIsNamed) {
  const SampleCopy copy;
  std::vector<std::uint8_t> table = copy.Bytes("OSOBY/Ulice.dbf");
  const std::uint32_t count = testing::RecordCount(table);
  std::vector<std::uint8_t> record(
      table.begin() + static_cast<std::ptrdiff_t>(testing::RecordOffset(table, count)),
      table.end() - 1);
  std::fill(record.begin() + 1, record.end(), ' ');
  std::copy_n("NOWA ULICA", 10, record.begin() + 1);
  table.insert(table.end() - 1, record.begin(), record.end());
  platform::StoreU32(table, 4, count + 1);
  copy.Write("OSOBY/Ulice.dbf", table);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.holds());
  const auto without = Found(check, FindingKind::kRecordWithoutKey, "OSOBY/Ulice.mdx");
  ASSERT_EQ(without.size(), 1u);
  EXPECT_EQ(without[0].record, count + 1);
  EXPECT_EQ(without[0].field, "UPP_NAZWA");
}

TEST(PlantedFault, APersonReferenceNoSequenceGaveOutFails) {
  const SampleCopy copy;
  std::vector<std::uint8_t> table = copy.Bytes("KMZ/Metryka.dbf");
  Put(table, 3, "ID_OSOBY", "00FFFFFF");
  copy.Write("KMZ/Metryka.dbf", table);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.holds());
  const auto never = Found(check, FindingKind::kReferenceNeverAssigned, "KMZ/Metryka.dbf");
  ASSERT_EQ(never.size(), 1u);
  EXPECT_EQ(never[0].record, 3u);
  EXPECT_EQ(never[0].field, "id_osoby");
  EXPECT_EQ(never[0].value, "00FFFFFF");
  EXPECT_EQ(never[0].expected, "OSOBY\\Osoby.dbf (Id_osoby)");
}

// The text of a field of a record.
std::string Get(const std::vector<std::uint8_t>& table, std::uint32_t record,
                std::string_view field, std::size_t width) {
  const auto at = table.begin() + static_cast<std::ptrdiff_t>(testing::RecordOffset(table, record) +
                                                              testing::FieldOffset(table, field));
  return std::string(at, at + static_cast<std::ptrdiff_t>(width));
}

TEST(PlantedFault, AMovementOfADocumentThatIsGoneFails) {
  const SampleCopy copy;
  std::vector<std::uint8_t> documents = copy.Bytes("KMZ/Metryka.dbf");
  const std::string kept = Get(documents, 1, "ID_DOK", 8);
  // The first movement of another document than the first; that document then takes the
  // first document's identifier, so the movement names a document that is gone.
  const std::vector<std::uint8_t> movements = copy.Bytes("KMZ/Ruch_m.dbf");
  std::uint32_t movement = 1;
  while (Get(movements, movement, "ID_DOK", 8) == kept ||
         Get(movements, movement, "ID_DOK", 8) == std::string(8, ' ')) {
    ++movement;
  }
  const std::string gone = Get(movements, movement, "ID_DOK", 8);
  const std::uint32_t record = RecordHolding(documents, "ID_DOK", gone);
  Put(documents, record, "ID_DOK", kept);
  copy.Write("KMZ/Metryka.dbf", documents);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.holds());
  const auto duplicate = Found(check, FindingKind::kIdentifierDuplicate, "KMZ/Metryka.dbf");
  ASSERT_EQ(duplicate.size(), 1u);
  EXPECT_EQ(duplicate[0].record, record);
  EXPECT_EQ(duplicate[0].expected, "1");
  const auto unresolved = Found(check, FindingKind::kReferenceUnresolved, "KMZ/Ruch_m.dbf");
  ASSERT_FALSE(unresolved.empty());
  EXPECT_EQ(unresolved[0].record, movement);
  EXPECT_EQ(unresolved[0].field, "id_dok");
  EXPECT_EQ(unresolved[0].value, gone);
}

TEST(PlantedFault, ALoweredSequenceIsNamed) {
  const SampleCopy copy;
  std::vector<std::uint8_t> table = copy.Bytes("ADMIN/Dostep.dbf");
  const std::uint32_t row = RecordHolding(table, "TABLENAME", "OSOBY ");
  ASSERT_GT(row, 0u);
  Put(table, row, "NEXTVAL", "          1");
  copy.Write("ADMIN/Dostep.dbf", table);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.holds());
  const auto low = Found(check, FindingKind::kSequenceTooLow, "ADMIN/Dostep.dbf");
  ASSERT_EQ(low.size(), 1u);
  EXPECT_EQ(low[0].record, row);
  EXPECT_EQ(low[0].field, "OSOBY");
  EXPECT_EQ(low[0].value, "1");
  // Every person reference now lies beyond the sequence.
  EXPECT_GT(check.counts.at(FindingKind::kReferenceNeverAssigned), 100u);
}

TEST(PlantedFault, ATruncatedTableIsNamedAndItsReferencesLeftUnjudged) {
  const SampleCopy copy;
  std::vector<std::uint8_t> table = copy.Bytes("KERG/Roboty.dbf");
  const std::uint32_t count = testing::RecordCount(table);
  table.resize(testing::RecordOffset(table, count / 2) + 7);
  copy.Write("KERG/Roboty.dbf", table);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_FALSE(check.holds());
  const auto truncated = Found(check, FindingKind::kTableTruncated, "KERG/Roboty.dbf");
  ASSERT_EQ(truncated.size(), 1u);
  EXPECT_EQ(truncated[0].value, std::to_string(count));
  EXPECT_EQ(truncated[0].expected, std::to_string(count / 2 - 1));
  EXPECT_EQ(check.counts.count(FindingKind::kReferenceUnresolved), 0u);
}

TEST(PlantedFault, AWrongDescriptorAndABrokenEndAreNamed) {
  const SampleCopy copy;
  std::vector<std::uint8_t> table = copy.Bytes("KERG/Gminy.dbf");
  table[32 + 32 + 11] = 'N';  // the second field, NAZWA, stored as numeric
  table.push_back(' ');
  copy.Write("KERG/Gminy.dbf", table);

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  const auto descriptor = Found(check, FindingKind::kDescriptorMismatch, "KERG/Gminy.dbf");
  ASSERT_EQ(descriptor.size(), 1u);
  EXPECT_EQ(descriptor[0].field, "NAZWA");
  EXPECT_EQ(descriptor[0].value, "NAZWA N(25,0)");
  EXPECT_EQ(descriptor[0].expected, "NAZWA C(25)");
  EXPECT_EQ(Found(check, FindingKind::kTrailingBytes, "KERG/Gminy.dbf").size(), 1u);
}

TEST(PlantedFault, MissingAndForeignFilesAreNoted) {
  const SampleCopy copy;
  fs::remove(copy.File("KERG/dz.dbf"));
  fs::remove(copy.File("ZLECENIA/ustawowe.dbf"));
  fs::remove(copy.File("ZLECENIA/ustawowe.mdx"));
  fs::remove(copy.File("OBROT/godla.mdx"));
  fs::copy_file(copy.File("KERG/obreb.dbf"), copy.File("KERG/stary.dbf"));

  const DatabaseCheck check = CheckConvertedDatabase(copy.folder());
  EXPECT_EQ(Found(check, FindingKind::kTableMissing, "KERG/dz.dbf").size(), 1u);
  EXPECT_EQ(Found(check, FindingKind::kOptionalTableMissing, "ZLECENIA/ustawowe.dbf").size(), 1u);
  EXPECT_EQ(Found(check, FindingKind::kIndexMissing, "OBROT/godla.mdx").size(), 1u);
  const auto foreign = Found(check, FindingKind::kUnexpectedFile, "KERG/stary.dbf");
  ASSERT_EQ(foreign.size(), 1u);
  EXPECT_EQ(foreign[0].severity, Severity::kWarning);
  EXPECT_EQ(check.failures(), 2u);
}

}  // namespace
}  // namespace konwerter::verification
