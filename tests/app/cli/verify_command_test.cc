#include "app/cli/verify_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/convert_command.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// A file under the output folder as the report shows it: in the host's own separators.
std::string Shown(const std::string& relative) {
  return fs::path(relative).make_preferred().string();
}

class VerifyCommandTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> arguments) {
    out_.str("");
    err_.str("");
    return RunVerify(arguments, out_, err_);
  }

  // The sample site converted by the convert command.
  fs::path ConvertSample() {
    tools::GenerateSampleSite({dir_.path() / "dos", 1, 1});
    std::ostringstream out, err;
    const int converted =
        RunConvert({"--input", (dir_.path() / "dos").string(), "--output",
                    (dir_.path() / "win").string(), "--yes", "--date", "2024-05-17"},
                   out, err);
    EXPECT_EQ(converted, kExitSucceeded) << err.str();
    return dir_.path() / "win";
  }

  ::konwerter::testing::TempDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(VerifyCommandTest, ExitCodesTellHoldsFaultyUsageAndNotConverted) {
  const fs::path output = ConvertSample();
  EXPECT_EQ(Run({"--output", output.string()}), kExitDatabaseHolds);
  EXPECT_THAT(out_.str(), HasSubstr("Ostrzeżenia: "));
  EXPECT_THAT(out_.str(), HasSubstr("Wynik: baza spójna, z ostrzeżeniami"));
  EXPECT_EQ(Run({"--output", output.string(), "--input", (dir_.path() / "dos").string()}),
            kExitDatabaseHolds);

  // A table cut short.
  fs::resize_file(output / "BAZA" / "OSOBY" / "Osoby.dbf", 1000);
  EXPECT_EQ(Run({"--output", output.string(), "--limit", "1"}), kExitDatabaseFaulty);
  EXPECT_THAT(out_.str(), HasSubstr("Błędy: 1\n  tabela obcięta"));
  EXPECT_THAT(out_.str(), HasSubstr(Shown("BAZA/OSOBY/Osoby.dbf") + ": 1"));
  EXPECT_THAT(out_.str(), HasSubstr("Wynik: baza niespójna (błędy: 1"));

  EXPECT_EQ(Run({"--output", dir_.path().string()}), kExitNotConverted);
  EXPECT_THAT(out_.str(), HasSubstr("To nie jest baza po konwersji"));

  EXPECT_EQ(Run({}), kExitVerifyUsage);
  EXPECT_EQ(Run({"--output"}), kExitVerifyUsage);
  EXPECT_EQ(Run({"--output", output.string(), "--nieznana"}), kExitVerifyUsage);
  EXPECT_EQ(Run({"--output", output.string(), "--limit", "dużo"}), kExitVerifyUsage);
  EXPECT_THAT(err_.str(), HasSubstr("Użycie: konwerter-cli verify"));
  EXPECT_EQ(Run({"--output", output.string(), "--input", (dir_.path() / "brak").string()}),
            kExitVerifyUsage);
  EXPECT_EQ(Run({"--help"}), kExitDatabaseHolds);
  EXPECT_THAT(out_.str(), HasSubstr("Kody wyjścia"));
}

// With the DOS data, every table account of the run's ledger must reconcile: read = written +
// skipped, a ledger row per skipped record, and read = the records the DOS table holds.
TEST_F(VerifyCommandTest, TheLedgerReconcilesWithTheDosDataAndDisagreementsAreNamed) {
  const fs::path output = ConvertSample();
  const fs::path dos = dir_.path() / "dos";
  EXPECT_EQ(Run({"--output", output.string(), "--input", dos.string()}), kExitDatabaseHolds);
  EXPECT_THAT(out_.str(), ::testing::Not(HasSubstr("rejestrze konwersji")));

  // The summary claims one skipped record more than the ledger holds rows for.
  const fs::path summary_file = output / "RAPORT" / "podsumowanie.json";
  nlohmann::json summary = nlohmann::json::parse(std::ifstream(summary_file));
  nlohmann::json& metryka = summary["tables"][2];
  ASSERT_THAT(metryka["source"].get<std::string>(), HasSubstr("metryka.dbf"));
  metryka["records_skipped"] = metryka["records_skipped"].get<int>() + 1;
  std::ofstream(summary_file) << summary.dump();
  EXPECT_EQ(Run({"--output", output.string(), "--input", dos.string()}), kExitDatabaseFaulty);
  EXPECT_THAT(out_.str(), HasSubstr("metryka.dbf: 2"));
  EXPECT_THAT(out_.str(), HasSubstr("tabela Metryka.dbf, odczytane "));
  EXPECT_THAT(out_.str(), HasSubstr("wierszy w rejestrze: "));

  // The DOS table holds fewer records than the run read: the data changed since.
  metryka["records_skipped"] = metryka["records_skipped"].get<int>() - 1;
  std::ofstream(summary_file) << summary.dump();
  const fs::path ruch_m = fs::path(summary["tables"][3]["source"].get<std::string>());
  ASSERT_EQ(ruch_m.filename(), "ruch_m.dbf");
  fs::resize_file(ruch_m, fs::file_size(ruch_m) - 200);
  EXPECT_EQ(Run({"--output", output.string(), "--input", dos.string()}), kExitDatabaseFaulty);
  EXPECT_THAT(out_.str(), HasSubstr("tabela Ruch_m.dbf, tabela DOS ma rekordów "));
}

TEST_F(VerifyCommandTest, ListsAtMostTheLimitOfAGroupAndCountsTheRest) {
  const fs::path output = ConvertSample();
  EXPECT_EQ(Run({"--output", output.string(), "--limit", "2"}), kExitDatabaseHolds);
  // kart_zam.dbf names 28 assortments and services its dictionaries lack.
  EXPECT_THAT(out_.str(), HasSubstr(Shown("BAZA/ZLECENIA/kart_zam.dbf") + ": 28\n"));
  EXPECT_THAT(out_.str(), HasSubstr("      ... i jeszcze 26\n"));
}

}  // namespace
}  // namespace konwerter::cli
