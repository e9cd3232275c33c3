#include "convert/converter_toolkit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/dos_site.h"
#include "tests/e2e/prepared_run.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::testing {
namespace {

using convert::SourceTable;

// Two small tables in the KMZ folder: a is written first, b second, each with a text
// field of the same name so that binding to the wrong table shows.
class ConverterToolkitTest : public ::testing::Test {
 protected:
  ConverterToolkitTest() : site_(DosPersonsFolder{}) {
    const auto folder = site_.folder("GMAPAZ");
    std::filesystem::create_directories(folder);
    Write(folder / "a.dbf", {"a1", "a2", "a3"}, {1, 2, 3});
    Write(folder / "b.dbf", {"b1", "b2"}, {7, 8});
    run_.emplace(site_);
  }

  static void Write(const std::filesystem::path& path, const std::vector<std::string>& names,
                    const std::vector<std::uint32_t>& keys) {
    tools::DosTableWriter writer(path, {{"NAZWA", 'C', 10}, {"ID", 'C', 4}});
    for (std::size_t i = 0; i < names.size(); ++i) {
      writer.Add({names[i], tools::DosKey(keys[i])}, i == 1);
    }
  }

  run::RunContext& context() { return run_->context(); }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(ConverterToolkitTest, BindingGoesToTheTableNamedNotTheOneOpenedLast) {
  auto a = SourceTable::Open(context(), "BDGMAPAZ", "a.dbf");
  auto b = SourceTable::Open(context(), "BDGMAPAZ", "b.dbf");
  ASSERT_TRUE(a && b);
  std::string a_name, b_name;
  std::uint32_t a_key = 0;
  a->Text("nazwa", &a_name).Binary4("id", &a_key);
  b->Text("NAZWA", &b_name);

  std::vector<std::string> seen;
  a->ForEachRecordQuietly([&](std::uint32_t number) {
    seen.push_back(std::to_string(number) + ":" + a_name + ":" + std::to_string(a_key));
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"1:a1:1", "2:a2:2", "3:a3:3"}));  // deleted too
  EXPECT_TRUE(b_name.empty());

  EXPECT_TRUE(b->ReadRecordNumber(2));
  EXPECT_EQ(b_name, "b2");
  EXPECT_FALSE(b->ReadRecordNumber(0));
  EXPECT_FALSE(b->ReadRecordNumber(3));
  EXPECT_EQ(b_name, "b2");
}

TEST_F(ConverterToolkitTest, AWalkStartsItsTableStepsPerRecordAndCountsRecordsThatGaveNoRow) {
  auto a = SourceTable::Open(context(), "BDGMAPAZ", "a.dbf");
  ASSERT_TRUE(a);
  std::string name;
  a->Text("nazwa", &name);
  const std::string folder = convert::MakeTargetFolder(context(), "KMZ");
  auto target = convert::CreateTargetTable(context(), folder, target::tables::kKmzSlownik);
  a->ReadRecordNumber(3);
  std::uint32_t walked = 0;
  a->ForEachRecord(*target, [&](std::uint32_t number) {  // every record but the second
    ++walked;
    if (number == 2) return;
    target->Append();
    target->SetText("opis", name);
    target->Post();
  });
  a->ForEachRecordQuietly([&](std::uint32_t) { ++walked; });
  EXPECT_EQ(walked, 6u);
  EXPECT_EQ(run_->progress().tables, (std::vector<std::string>{"Tworzenie tabeli: Slownik.dbf"}));

  convert::ReportTable(context(), *target, a->path(), a->RecordCount());
  ASSERT_EQ(context().report.tables.size(), 1u);
  const run::TableReport& report = context().report.tables[0];
  EXPECT_EQ(report.records_read, 3u);
  EXPECT_EQ(report.records_written, 2u);
  EXPECT_EQ(report.records_skipped, 1u);
}

TEST_F(ConverterToolkitTest, OnlyAReportedOpenFailureSetsTheConversionStatus) {
  EXPECT_FALSE(SourceTable::Open(context(), "BDGMAPAZ", "brak.dbf", false));
  EXPECT_TRUE(context().status.ok());
  EXPECT_FALSE(SourceTable::Open(context(), "BDGMAPAZ", "brak.dbf"));
  EXPECT_FALSE(context().status.ok());
}

TEST_F(ConverterToolkitTest, DocumentSegmentOneIsPaddedCutAndRenumberedKeepingItsWidth) {
  context().session.renumbering.Set(12, 345);
  EXPECT_EQ(convert::DocumentSegmentOne(context(), "12", false), "    12");
  EXPECT_EQ(convert::DocumentSegmentOne(context(), "123456789", false), "    1234");

  run::RunOptions options;
  options.renumber_communes = true;
  PreparedRun renumbering(site_, options);
  run::RunContext& renumbered = renumbering.context();
  renumbered.session.renumbering.Set(12, 345);
  EXPECT_EQ(convert::DocumentSegmentOne(renumbered, "12", true), "   345");
  EXPECT_EQ(convert::DocumentSegmentOne(renumbered, "7", true), "  007");
  EXPECT_EQ(convert::DocumentSegmentOne(renumbered, "12", false), "    12");
  EXPECT_EQ(convert::RenumberCommune(renumbered, 12), "345");
  EXPECT_TRUE(convert::SegmentOneRenumbering(renumbered, true));
  EXPECT_FALSE(convert::SegmentOneRenumbering(context(), true));
}

TEST(ConverterValues, KeysIdentifiersAndMarks) {
  EXPECT_EQ(convert::KeyBytes(0x04030201u), std::string("\x01\x02\x03\x04", 4));
  EXPECT_EQ(convert::HexNumber(255, 8), "000000FF");
  EXPECT_EQ(convert::HexNumber(10, 4), "000A");
  EXPECT_TRUE(convert::IsFourFF("\xFF\xFF\xFF\xFF"));
  EXPECT_FALSE(convert::IsFourFF("\xFF\xFF\xFF"));
  EXPECT_EQ(convert::TrimRight("ab  "), "ab");
  EXPECT_EQ(convert::Cut("abcdef", 4), "abcd");
}

}  // namespace
}  // namespace konwerter::testing
