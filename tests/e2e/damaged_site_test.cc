#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/conversion_driver.h"
#include "app/ledger_reconciliation.h"
#include "platform/cp1250_case.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "tests/e2e/dos_site.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// A name in upper case: Windows names files in the case the program asked for, the host
// here in the case the file has on disk.
std::string Upper(const std::string& cp1250) {
  return platform::Utf8FromCp1250(platform::ToUpperCp1250(cp1250));
}

void Patch(const fs::path& file, std::uint64_t offset, const std::string& bytes) {
  std::fstream stream(file, std::ios::binary | std::ios::in | std::ios::out);
  stream.seekp(static_cast<std::streamoff>(offset));
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A generated DOS site converted under various kinds of damage; the sources must come out
// of every run as they went in. The generated site itself holds a few person addresses that
// refer past the end of their dictionaries, as old sites do: every run warns of those.
class DamagedSiteTest : public ::testing::Test {
 protected:
  // A site whose indexes match their tables, so that every difference comes from the damage
  // a test makes.
  DamagedSiteTest() {
    tools::SampleSiteOptions options{site_.path(), 1, 7};
    options.stale_work_index = false;
    tools::GenerateSampleSite(options);
  }

  app::ConversionResult Convert(const fs::path& output, bool rebuild = false, bool strict = false) {
    app::ConversionRequest request;
    request.input_folder = platform::Cp1250FromUtf8(site_.path().string());
    request.output_folder = platform::Cp1250FromUtf8(output.string());
    request.options.rebuild_indexes = rebuild;
    request.options.delete_unlinked_persons = false;  // every person, every name seek
    request.renumbering_file = output_.Join("brak.gm");
    request.strict = strict;
    run::Session session;
    CountingProgress progress;
    const platform::FixedClock clock(kRunDate);
    app::ConversionResult result = app::RunConversion(request, session, progress, messages_, clock);
    return result;
  }
  fs::path Persons() const { return site_.path() / "GOSOBY"; }
  std::string Message(const app::ConversionResult& result) const {
    return platform::Utf8FromCp1250(result.message);
  }

  TempDir site_;
  TempDir output_;
  ScriptedMessages messages_;
};

TEST_F(DamagedSiteTest, LookUpsBuiltFromTheTablesWriteTheSameBytesAsTheIndexes) {
  ASSERT_EQ(Convert(output_.path() / "a").outcome, app::RunOutcome::kSucceededWithWarnings);
  ASSERT_EQ(Convert(output_.path() / "b", true).outcome, app::RunOutcome::kSucceededWithWarnings);
  const auto with_indexes = SnapshotFolder(output_.path() / "a" / "BAZA");
  EXPECT_GT(with_indexes.size(), 5u);
  EXPECT_EQ(SnapshotFolder(output_.path() / "b" / "BAZA"), with_indexes);
}

// The bytes of nazwy.ntx's root page, and where it lies.
struct RootPage {
  std::uint32_t offset = 0;
  std::string bytes;
};

RootPage ReadRoot(const fs::path& index) {
  std::ifstream in(index, std::ios::binary);
  std::string header(1024, '\0');
  in.read(header.data(), 1024);
  RootPage root;
  for (int i = 0; i < 4; ++i) {
    root.offset |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(header[4 + i])) << (8 * i);
  }
  root.bytes.assign(1024, '\0');
  in.seekg(root.offset);
  in.read(root.bytes.data(), 1024);
  return root;
}

// Where item slot `slot` (0-based) of a page lies in the page.
std::size_t SlotAt(const std::string& page, std::size_t slot) {
  return static_cast<std::uint8_t>(page[2 + 2 * slot]) |
         static_cast<std::size_t>(static_cast<std::uint8_t>(page[3 + 2 * slot])) << 8;
}

std::string Le32(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

// An index that does not fit its table is not read: its look-up is built from the table, as
// --rebuild-indexes builds it, and a warning names the index. The converted bytes are those
// of a sound index.
TEST_F(DamagedSiteTest, AnIndexThatDoesNotFitItsTableIsBuiltFromTheTableAndWarnedOf) {
  ASSERT_EQ(Convert(output_.path() / "sound").outcome, app::RunOutcome::kSucceededWithWarnings);
  const auto sound = SnapshotFolder(output_.path() / "sound" / "BAZA");
  const fs::path index = Persons() / "nazwy.ntx";
  const fs::path pristine = output_.path() / "nazwy.ntx";
  fs::copy_file(index, pristine);
  const RootPage root = ReadRoot(index);
  const struct {
    const char* damage;
    std::function<void()> apply;
    const char* says;
  } cases[] = {
      {"root page far beyond the file", [&] { Patch(index, 4, Le32(0x100000)); }, "poza plikiem"},
      {"key size 4 instead of 5", [&] { Patch(index, 14, std::string("\x04\x00", 2)); },
       "długością klucza"},
      {"every child of the root leads back to it",
       [&] {
         for (std::size_t slot = 0; slot <= static_cast<std::uint8_t>(root.bytes[0]); ++slot) {
           Patch(index, root.offset + SlotAt(root.bytes, slot), Le32(root.offset));
         }
       },
       "zapętlone"},
      {"an entry leading past the table's last record",
       [&] { Patch(index, root.offset + SlotAt(root.bytes, 0) + 4, Le32(0x7FFFFFFF)); },
       "2147483647"},
  };
  for (const auto& damage : cases) {
    SCOPED_TRACE(damage.damage);
    fs::copy_file(pristine, index, fs::copy_options::overwrite_existing);
    damage.apply();
    const fs::path output = output_.path() / "damaged";
    fs::remove_all(output);
    const app::ConversionResult result = Convert(output);
    ASSERT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings) << Message(result);
    EXPECT_EQ(SnapshotFolder(output / "BAZA"), sound);
    const auto warning = std::find_if(
        result.report.warnings.begin(), result.report.warnings.end(),
        [](const run::RunWarning& w) { return w.kind == run::WarningKind::kIndexRebuilt; });
    ASSERT_NE(warning, result.report.warnings.end());
    EXPECT_THAT(Upper(warning->file), HasSubstr("NAZWY.NTX"));
    EXPECT_THAT(platform::Utf8FromCp1250(run::WarningText(*warning)), HasSubstr(damage.says));
  }
}

// A damaged name line reached through a sound nazwy.ntx, or one nazwy.dbf lost at its end, is
// nazwy.dbf's damage: the line is left out and nazwy.dbf is warned of, not the index.
TEST_F(DamagedSiteTest, ARecordReachedThroughAnIndexIsTheTablesDamage) {
  fs::path names;
  for (const fs::directory_entry& entry : fs::directory_iterator(Persons())) {
    if (Upper(platform::Cp1250FromUtf8(entry.path().filename().string())) == "NAZWY.DBF") {
      names = entry.path();
    }
  }
  const fs::path pristine = output_.path() / "nazwy.dbf";
  fs::copy_file(names, pristine);
  std::ifstream in(names, std::ios::binary);
  std::string header(12, '\0');
  in.read(header.data(), 12);
  in.close();
  const std::size_t header_length = static_cast<std::uint8_t>(header[8]) |
                                    static_cast<std::size_t>(static_cast<std::uint8_t>(header[9]))
                                        << 8;
  const struct {
    std::function<void()> damage;
    run::WarningKind warned;
  } cases[] = {
      // The deletion flag of the first name line.
      {[&] { Patch(names, header_length, "\xFF"); }, run::WarningKind::kRecordsDamaged},
      // The file ends inside its last name line.
      {[&] { fs::resize_file(names, fs::file_size(names) - 3); },
       run::WarningKind::kRecordCountBeyondFile},
  };
  for (const auto& [damage, warned] : cases) {
    fs::copy_file(pristine, names, fs::copy_options::overwrite_existing);
    damage();
    const fs::path output = output_.path() / "damaged";
    fs::remove_all(output);
    const app::ConversionResult result = Convert(output);
    ASSERT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings) << Message(result);
    bool table_warned = false;
    for (const run::RunWarning& warning : result.report.warnings) {
      EXPECT_THAT(Upper(warning.file), ::testing::Not(HasSubstr("NAZWY.NTX")));
      table_warned =
          table_warned || (warning.kind == warned && Upper(warning.file).ends_with("NAZWY.DBF"));
    }
    EXPECT_TRUE(table_warned) << static_cast<int>(warned);
  }
}

TEST_F(DamagedSiteTest, AnOutputFolderInTheSourcesIsRefusedBeforeAnythingIsWritten) {
  const auto sources = SnapshotFolder(site_.path());
  // The persons folder under another letter case, the installation, a folder inside it.
  for (const fs::path& output :
       {site_.path() / "gosoby", site_.path(), site_.path() / "GOSOBY" / "NOWY",
#ifndef _WIN32  // on Windows "\\" is the root of the current drive, which need not hold the site
        fs::path("/")
#endif
       }) {
    const app::ConversionResult result = Convert(output);
    EXPECT_EQ(result.outcome, app::RunOutcome::kOutputOverlapsSources) << output;
    EXPECT_THAT(Message(result), HasSubstr("Wskaż inną kartotekę wynikową")) << output;
  }
  EXPECT_FALSE(fs::exists(site_.path() / "GOSOBY" / "NOWY"));
  EXPECT_FALSE(fs::exists(site_.path() / "BAZA"));
#ifndef _WIN32  // links need privileges on Windows
  // A group folder of the output that links into the sources.
  fs::create_directories(output_.path() / "out" / "BAZA");
  fs::create_directory_symlink(Persons(), output_.path() / "out" / "BAZA" / "OSOBY");
  EXPECT_EQ(Convert(output_.path() / "out").outcome, app::RunOutcome::kOutputOverlapsSources);
#endif
  EXPECT_EQ(SnapshotFolder(site_.path()), sources);
}

#ifndef _WIN32  // Windows has no FIFOs in its folders
TEST_F(DamagedSiteTest, AFifoWhereATableIsExpectedFailsTheOpenInsteadOfWaiting) {
  const fs::path table = Persons() / "ULICE.DBF";
  fs::remove(table);
  ASSERT_EQ(::mkfifo(table.c_str(), 0644), 0);
  const app::ConversionResult result = Convert(output_.path() / "a");
  EXPECT_EQ(result.outcome, app::RunOutcome::kFailed);
  EXPECT_THAT(Message(result), HasSubstr("Błąd podczas otwarcia pliku: "));
  EXPECT_THAT(Message(result), HasSubstr("ulice.dbf"));
}
#endif

TEST_F(DamagedSiteTest, ARecordCountTheFileCannotHoldIsAWarningAndFailsUnderStrict) {
  Patch(Persons() / "OSOBY.DBF", 4, std::string("\xFF\xFF\xFF\xFF", 4));
  const app::ConversionResult result = Convert(output_.path() / "a");
  EXPECT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings);
  // First of the warnings; the site's own (dictionary references, a reported work whose
  // register record is gone, dates that are no dates) follow.
  ASSERT_GE(result.report.warnings.size(), 5u);
  EXPECT_THAT(Upper(result.report.warnings[0].file), HasSubstr("OSOBY.DBF"));
  EXPECT_THAT(platform::Utf8FromCp1250(run::WarningText(result.report.warnings[0])),
              HasSubstr("podaje 4294967295 rekordów"));
  EXPECT_THAT(Message(result), HasSubstr("zakończona z ostrzeżeniami (" +
                                         std::to_string(result.report.warnings.size()) + ")"));

  const app::ConversionResult strict = Convert(output_.path() / "b", false, true);
  EXPECT_EQ(strict.outcome, app::RunOutcome::kFailed);
  EXPECT_THAT(Message(strict), HasSubstr("ścisłą kontrolę"));
}

TEST_F(DamagedSiteTest, AStructureThatCannotBeReadFailsTheOpenSayingWhat) {
  Patch(Persons() / "GMINA.DBF", 10, std::string("\x00\x00", 2));
  const app::ConversionResult result = Convert(output_.path() / "a");
  EXPECT_EQ(result.outcome, app::RunOutcome::kFailed);
  EXPECT_THAT(Upper(result.message), HasSubstr("GMINA.DBF"));
  EXPECT_THAT(Message(result), HasSubstr("długość rekordu wynosi 0"));
}

// On a damaged site too, every table account of the ledger reconciles with the DOS data:
// the records read are written or skipped, each skipped one has its ledger row, and the
// damaged records are among the skipped, warned of per table.
TEST_F(DamagedSiteTest, TheLedgerOfADamagedSiteReconcilesWithItsSources) {
  const fs::path metryka = site_.path() / "mapy" / "gmapaz" / "metryka.dbf";
  std::ifstream header(metryka, std::ios::binary);
  unsigned char lengths[4] = {};
  header.seekg(8);
  header.read(reinterpret_cast<char*>(lengths), 4);
  const std::uint64_t header_length = lengths[0] | lengths[1] << 8;
  const std::uint64_t record_length = lengths[2] | lengths[3] << 8;
  Patch(metryka, header_length + 4 * record_length, std::string(record_length, '\xFF'));

  const app::ConversionResult result = Convert(output_.path() / "a");
  ASSERT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings) << Message(result);
  const auto damaged = std::find_if(result.report.warnings.begin(), result.report.warnings.end(),
                                    [](const run::RunWarning& warning) {
                                      return warning.kind == run::WarningKind::kRecordsDamaged;
                                    });
  ASSERT_NE(damaged, result.report.warnings.end());
  EXPECT_THAT(platform::Utf8FromCp1250(damaged->file), HasSubstr("metryka.dbf"));
  EXPECT_EQ(damaged->count, 1u);

  verification::DatabaseCheck check;
  app::ReconcileLedger(output_.path() / "a", site_.path(), check);
  EXPECT_EQ(check.counts[verification::FindingKind::kLedgerMismatch], 0u);
  for (const run::TableAccount& account : result.report.accounts) {
    EXPECT_EQ(account.read, account.written + account.skipped) << account.target_path;
  }
}

}  // namespace
}  // namespace konwerter::testing
