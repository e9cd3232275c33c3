#include "convert/converter_toolkit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "tests/e2e/dos_site.h"
#include "tests/e2e/prepared_run.h"
#include "tests/support/memory_ledger.h"
#include "tools/dos/catalogue_table_writer.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::testing {
namespace {

using convert::SourceTable;
namespace dos = source::tables;

// The layouts the tests' small tables of the KMZ folder are read by. c.dbf's layout names
// id_zam, which the file written lacks.
constexpr dos::FieldLayout kNamedKeys[] = {dos::Character("NAZWA", 10), dos::Key("ID")};
constexpr dos::FieldLayout kNamesAndOrders[] = {dos::Character("NAZWA", 10),
                                                dos::LaterOnly(dos::Reference("ID_ZAM"))};
constexpr dos::TableLayout kA{"BDGMAPAZ", "a.dbf", kNamedKeys};
constexpr dos::TableLayout kB{"BDGMAPAZ", "b.dbf", kNamedKeys};
constexpr dos::TableLayout kC{"BDGMAPAZ", "c.dbf", kNamesAndOrders};
constexpr dos::TableLayout kAbsent{"BDGMAPAZ", "brak.dbf", {}};
constexpr dos::TableLayout kEmpty{"BDGMAPAZ", "pusta.dbf", {}};

// Two small tables in the KMZ folder: a is written first, b second, each with a text
// field of the same name so that binding to the wrong table shows.
class ConverterToolkitTest : public ::testing::Test {
 protected:
  ConverterToolkitTest() : site_(DosPersonsFolder{}) {
    const auto folder = site_.folder("GMAPAZ");
    std::filesystem::create_directories(folder);
    Write(folder, kA, {"a1", "a2", "a3"}, {1, 2, 3});
    Write(folder, kB, {"b1", "b2"}, {7, 8});
    run_.emplace(site_);
  }

  static void Write(const std::filesystem::path& folder, const dos::TableLayout& layout,
                    const std::vector<std::string>& names, const std::vector<std::uint32_t>& keys) {
    tools::CatalogueTableWriter writer(folder, layout);
    for (std::size_t i = 0; i < names.size(); ++i) {
      writer.Add({{"NAZWA", names[i]}, {"ID", tools::DosKey(keys[i])}}, i == 1);
    }
  }

  run::RunContext& context() { return run_->context(); }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(ConverterToolkitTest, BindingGoesToTheTableNamedNotTheOneOpenedLast) {
  std::string a_name, b_name;
  std::uint32_t a_key = 0;
  auto a = SourceTable::Open(context(), kA, [&](SourceTable& table) {
    table.Text("nazwa", &a_name).Binary4("id", &a_key);
  });
  auto b =
      SourceTable::Open(context(), kB, [&](SourceTable& table) { table.Text("NAZWA", &b_name); });
  ASSERT_TRUE(a && b);

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

// Every record walked gets exactly one fate; a skipped one gets a ledger row with its record
// number, its key and its reason, a written one none; records marked deleted are counted.
TEST_F(ConverterToolkitTest, AWalkStatesEveryRecordsFateAndTheLedgerAgrees) {
  MemoryLedger ledger;
  context().ledger.set_sink(&ledger);
  std::string name;
  std::uint32_t key = 0;
  auto a = SourceTable::Open(context(), kA, [&](SourceTable& table) {
    table.Text("nazwa", &name).Binary4("id", &key).Key();
  });
  ASSERT_TRUE(a);
  const std::string folder = convert::MakeTargetFolder(context(), "KMZ");
  auto target = convert::CreateTargetTable(context(), folder, target::tables::kKmzSlownik);
  std::uint32_t walked = 0;
  a->ForEachRecord(*target, [&](std::uint32_t number) {
    ++walked;
    if (number == 3) return run::Skipped(run::SkipReason::kKeyNotSet);
    target->Append();
    target->SetText("opis", name);
    target->Post();
    return run::kWritten;
  });
  EXPECT_EQ(walked, 3u);
  EXPECT_EQ(run_->progress().tables, (std::vector<std::string>{"Tworzenie tabeli: Slownik.dbf"}));

  convert::ReportTable(context(), *target);
  ASSERT_EQ(context().ledger.accounts().size(), 1u);
  const run::TableAccount& account = context().ledger.accounts()[0];
  EXPECT_EQ(account.read, 3u);
  EXPECT_EQ(account.written, 2u);
  EXPECT_EQ(account.skipped, 1u);
  EXPECT_EQ(account.deleted, 1u);  // the second record carries "*" and is written all the same
  EXPECT_EQ(account.target_records, 2u);
  ASSERT_EQ(ledger.rows.size(), 1u);
  EXPECT_EQ(ledger.rows[0].record, 3u);
  EXPECT_EQ(ledger.rows[0].key, "00000003");
  EXPECT_EQ(ledger.rows[0].skip, run::SkipReason::kKeyNotSet);
  EXPECT_EQ(ledger.rows[0].target_table, target->DbfPath());
  context().ledger.set_sink(nullptr);
}

// A value the engine cuts lands on the record the walk stands on.
TEST_F(ConverterToolkitTest, AnAlteredValueIsRecordedOnItsSourceRecord) {
  MemoryLedger ledger;
  context().ledger.set_sink(&ledger);
  std::string name;
  auto a = SourceTable::Open(context(), kA,
                             [&](SourceTable& table) { table.Text("nazwa", &name).Key(); });
  ASSERT_TRUE(a);
  auto target = convert::CreateTargetTable(context(), convert::MakeTargetFolder(context(), "KMZ"),
                                           target::tables::kKmzSlownik);
  a->ForEachRecord(*target, [&](std::uint32_t number) {
    target->Append();
    target->SetText("kod_opis", number == 2 ? name + "toolong" : name);  // a field of 2
    target->Post();
    return run::kWritten;
  });
  ASSERT_EQ(ledger.rows.size(), 1u);
  EXPECT_EQ(ledger.rows[0].event, run::LedgerEvent::kAltered);
  EXPECT_EQ(ledger.rows[0].change, run::ValueChange::kTextCut);
  EXPECT_EQ(ledger.rows[0].record, 2u);
  EXPECT_EQ(ledger.rows[0].key, "a2");
  EXPECT_EQ(ledger.rows[0].source_value, "a2toolong");
  EXPECT_EQ(ledger.rows[0].written_value, "a2");
  EXPECT_EQ(context().ledger.accounts()[0].altered(), 1u);
  context().ledger.set_sink(nullptr);
}

// A field the converter reads and the table lacks fails the open naming both; a field stored
// in lower case is found.
TEST_F(ConverterToolkitTest, AMissingFieldFailsTheOpenAndLetterCaseDoesNotMatter) {
  tools::DosTableWriter(site_.folder("GMAPAZ") / "c.dbf", {{"nazwa", 'C', 10}}).Add({"mała"});
  std::string name;
  std::uint16_t other = 0;
  auto c =
      SourceTable::Open(context(), kC, [&](SourceTable& table) { table.Text("NAZWA", &name); });
  ASSERT_TRUE(c);
  EXPECT_TRUE(c->ReadRecordNumber(1));
  EXPECT_EQ(name, "mała");
  c->Close();
  auto missing = SourceTable::Open(context(), kC, [&](SourceTable& table) {
    table.Text("nazwa", &name).Binary2("id_zam", &other);
  });
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().kind, run::FailureKind::kFieldMissing);
  EXPECT_EQ(missing.error().detail, "id_zam");
  EXPECT_THAT(platform::Utf8FromCp1250(run::FailureText(missing.error())),
              ::testing::AllOf(::testing::HasSubstr("c.dbf"), ::testing::HasSubstr("id_zam")));
}

// Absent means not there: a table that is there but cannot be read fails, or is left out with
// a warning where the run can go without it.
TEST_F(ConverterToolkitTest, AnOptionalTableIsAbsentOnlyWhenItIsNotThere) {
  const auto no_fields = [](SourceTable&) {};
  auto absent = SourceTable::OpenOptional(context(), kAbsent, no_fields);
  ASSERT_TRUE(absent);
  EXPECT_FALSE(absent->has_value());
  EXPECT_FALSE(SourceTable::Open(context(), kAbsent, no_fields));

  std::ofstream(site_.folder("GMAPAZ") / "pusta.dbf").close();  // 0 bytes
  auto empty = SourceTable::OpenOptional(context(), kEmpty, no_fields);
  ASSERT_FALSE(empty);
  EXPECT_EQ(empty.error().kind, run::FailureKind::kSourceUnreadable);
  EXPECT_EQ(empty.error().fault.kind, source::TableFaultKind::kEmptyFile);
  const std::string text = platform::Utf8FromCp1250(run::FailureText(empty.error()));
  EXPECT_THAT(text, ::testing::HasSubstr("pusty"));
  EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("Szukano")));

  const std::size_t before = context().report.warnings.size();  // the site's empty dom.mem
  EXPECT_FALSE(SourceTable::OpenIfReadable(context(), kEmpty, no_fields));
  ASSERT_EQ(context().report.warnings.size(), before + 1);
  EXPECT_EQ(context().report.warnings.back().kind, run::WarningKind::kOptionalSourceLeftOut);
  EXPECT_TRUE(context().status.ok());
}

// A record whose deletion flag is neither a space nor "*" is read around: skipped as damaged,
// its neighbours read in place.
TEST_F(ConverterToolkitTest, ADamagedRecordIsSkippedAsSuchAndItsNeighboursRead) {
  const auto path = site_.folder("GMAPAZ") / "a.dbf";
  {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char lengths[4] = {};
    file.seekg(8);
    file.read(reinterpret_cast<char*>(lengths), 4);
    const int header = lengths[0] | lengths[1] << 8;
    const int record = lengths[2] | lengths[3] << 8;
    file.seekp(header + record);  // record 2's deletion flag
    file.put('\xFF');
  }
  std::string name;
  auto a =
      SourceTable::Open(context(), kA, [&](SourceTable& table) { table.Text("nazwa", &name); });
  ASSERT_TRUE(a);
  auto target = convert::CreateTargetTable(context(), convert::MakeTargetFolder(context(), "KMZ"),
                                           target::tables::kKmzSlownik);
  std::vector<std::string> seen;
  a->ForEachRecord(*target, [&](std::uint32_t) {
    seen.push_back(name);
    return run::kWritten;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"a1", "a3"}));
  EXPECT_EQ(context().ledger.accounts()[0].skipped_by_reason[static_cast<std::size_t>(
                run::SkipReason::kDamaged)],
            1u);
  ASSERT_EQ(context().ledger.damaged_records().size(), 1u);
  EXPECT_EQ(context().ledger.damaged_records()[0].second, 1u);
  EXPECT_FALSE(a->ReadRecordNumber(2));
}

// The layout decides what a converter may bind: a field it lacks, one of the other edition,
// or a kind the field cannot be read as is the converter's fault, whatever the file holds.
TEST_F(ConverterToolkitTest, ABindingTheLayoutDoesNotAllowIsAFaultOfTheConverter) {
  std::string text;
  std::uint16_t word = 0;
  std::uint32_t key = 0;
  const auto opens = [&](const dos::TableLayout& layout, auto bind) {
    auto table = SourceTable::Open(context(), layout, bind);
    return table.has_value();
  };
  EXPECT_TRUE(opens(kA, [&](SourceTable& t) { t.Text("Nazwa", &text).Binary4("id", &key); }));
  EXPECT_THROW(opens(kA, [&](SourceTable& t) { t.Text("nazwy", &text); }), std::logic_error);
  EXPECT_THROW(opens(kA, [&](SourceTable& t) { t.Word("nazwa", &word); }), std::logic_error);
  EXPECT_THROW(opens(kA, [&](SourceTable& t) { t.Binary2("id", &word); }), std::logic_error);
  EXPECT_FALSE(
      opens(kC, [&](SourceTable& t) { t.Binary2("id_zam", &word); }));  // the file lacks it

  DosSite earlier_site(DosPersonsFolder{});
  std::filesystem::remove(earlier_site.folder("groboty") / "cechy.dbf");
  PreparedRun earlier(earlier_site);
  ASSERT_EQ(earlier.context().edition, source::SourceEdition::kEarlier);
  std::filesystem::copy_file(site_.folder("GMAPAZ") / "a.dbf",
                             earlier_site.folder("GMAPAZ") / "c.dbf");
  EXPECT_THROW(
      SourceTable::Open(earlier.context(), kC, [&](SourceTable& t) { t.Binary2("id_zam", &word); }),
      std::logic_error);
}

TEST_F(ConverterToolkitTest, DocumentSegmentOneIsPaddedCutAndRenumberedKeepingItsWidth) {
  run_->session().renumbering.Set(12, 345);
  EXPECT_EQ(convert::DocumentSegmentOne(context(), "12", false), "    12");
  EXPECT_EQ(convert::DocumentSegmentOne(context(), "123456789", false), "    1234");

  run::RunOptions options;
  options.renumber_communes = true;
  PreparedRun renumbering(site_, options);
  run::RunContext& renumbered = renumbering.context();
  renumbering.session().renumbering.Set(12, 345);
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
