#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/cli/convert_command.h"
#include "app/version.h"
#include "tests/e2e/dos_site.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

DosPersonsFolder OnePerson() {
  DosPersonsFolder folder;
  folder.streets = {"Długa"};
  DosPerson person;
  person.id = 1;
  person.nazwa = "NOWAK";
  person.id_u = 1;
  folder.persons = {person};
  return folder;
}

class CliConvertTest : public ::testing::Test {
 protected:
  CliConvertTest() : site_(OnePerson()) {}

  int Run(std::vector<std::string> arguments, std::string answers = "", bool terminal = false) {
    out_.str("");
    err_.str("");
    std::istringstream in(answers);
    cli::Console console{out_, err_, in, terminal, false};
    const platform::FixedClock clock(kRunDate);
    return cli::RunConvert(arguments, console, clock);
  }
  std::vector<std::string> Folders() const {
    return {"--input", site_.root().string(), "--output", output_.path().string()};
  }
  std::vector<std::string> With(std::vector<std::string> extra) const {
    std::vector<std::string> arguments = Folders();
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
  }

  DosSite site_;
  TempDir output_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CliConvertTest, WrongUsageGivesExitCodeTwo) {
  EXPECT_EQ(Run({"--nieznana"}), cli::kExitUsage);
  EXPECT_THAT(err_.str(), HasSubstr("nieznana opcja"));
  EXPECT_EQ(Run({"--input"}), cli::kExitUsage);
  EXPECT_EQ(Run(With({"--keep-unlinked", "osoby,ludzie"})), cli::kExitUsage);
  EXPECT_EQ(Run(With({"--segment1", "KME,XYZ"})), cli::kExitUsage);
  EXPECT_EQ(Run(With({"--drive", "F/mnt"})), cli::kExitUsage);
  for (const char* date : {"2001-02-30", "1979-12-31", "2108-01-01", "20010203", "2001-2-03"}) {
    EXPECT_EQ(Run(With({"--date", date})), cli::kExitUsage) << date;
  }
  EXPECT_EQ(Run({"--help"}), cli::kExitSucceeded);
  EXPECT_THAT(out_.str(), HasSubstr("Użycie: konwerter-cli convert"));
}

// A path of the summary in capitals with slashes: Windows names files in the case the
// program wrote them, with backslashes.
std::string Portable(std::string path) {
#ifdef _WIN32
  for (char& c : path) c = c == '\\' ? '/' : static_cast<char>(std::toupper(c));
#endif
  return path;
}

TEST_F(CliConvertTest, ConvertsAndWritesTheSummary) {
  const fs::path summary_path = output_.path() / "podsumowanie.json";
  ASSERT_EQ(Run(With({"--keep-unlinked", "OSOBY", "--summary", summary_path.string(), "--drive",
                      "f=" + site_.root().string()})),
            cli::kExitSucceeded)
      << out_.str() << err_.str();
  // The site's dom.mem holds no variable and system A has no description: both are warnings,
  // listed per file; the summary ends with the outcome, the check, the report and the ledger.
  EXPECT_THAT(out_.str(), HasSubstr("[Komunikat] Konwersja została zakończona z ostrzeżeniami "
                                    "(2).\n  "));
  EXPECT_THAT(out_.str(), HasSubstr("\nWynik: converted_with_warnings - Konwersja została "
                                    "zakończona z ostrzeżeniami (2).\n"));
  EXPECT_THAT(out_.str(), HasSubstr("Raport konwersji: "));
  EXPECT_THAT(out_.str(), ::testing::ContainsRegex("rekordy.csv\n$"));

  const nlohmann::json summary = nlohmann::json::parse(std::ifstream(summary_path));
  EXPECT_EQ(summary["version"], std::string(app::VersionText()));
  EXPECT_EQ(summary["outcome"], "converted_with_warnings");
  ASSERT_EQ(summary["warnings"].size(), 2u);
  // Windows names the file in the case the program asked for, the host here as on disk.
  EXPECT_THAT(summary["warnings"][0]["file"].get<std::string>(),
              ::testing::AnyOf(HasSubstr("DOM.MEM"), HasSubstr("dom.mem")));
  EXPECT_THAT(summary["warnings"][1]["text"].get<std::string>(), HasSubstr("układu A"));
  EXPECT_EQ(summary["message"].get<std::string>(),
            "Konwersja została zakończona z ostrzeżeniami (2).");
  EXPECT_EQ(summary["format"], 1);
  // --strict turns them into a failure.
  EXPECT_EQ(Run(With({"--yes", "--strict", "--drive", "f=" + site_.root().string()})),
            cli::kExitConversionFailed);
  bool found_persons = false;
  for (const auto& directory : summary["directories"]) {
    if (directory["name"] == "BDGOSOBY") {
      found_persons = true;
      EXPECT_EQ(directory["value"], "F:\\TEROKAN\\GOSOBY\\");
      EXPECT_THAT(Portable(directory["resolved"]), HasSubstr("TEROKAN/GOSOBY"));
    }
  }
  EXPECT_TRUE(found_persons);
  bool found_osoby = false;
  for (const auto& table : summary["tables"]) {
    if (table["target"].get<std::string>().ends_with("Osoby.dbf")) {
      found_osoby = true;
      EXPECT_EQ(table["records_read"], 1);
      EXPECT_EQ(table["records_written"], 1);
      // The file as it is named on disk.
      EXPECT_THAT(Portable(table["source"]), HasSubstr("TEROKAN/GOSOBY/OSOBY.DBF"));
    }
  }
  EXPECT_TRUE(found_osoby);
  const auto& sequence = summary["sequence"];
  ASSERT_FALSE(sequence.empty());
  EXPECT_EQ(sequence.back()["table"], "OSOBY");  // persons come after every referring domain
  EXPECT_EQ(sequence.back()["next_value"], 2);
}

TEST_F(CliConvertTest, AGivenDateReplacesTodayInTheTables) {
  ASSERT_EQ(Run(With({"--date", "2001-02-03", "--quiet"})), cli::kExitSucceeded) << out_.str();
  std::ifstream table(output_.path() / "BAZA" / "ADMIN" / "Dostep.dbf", std::ios::binary);
  char header[4] = {};
  table.read(header, sizeof header);
  EXPECT_EQ(header[1], 101);  // years since 1900
  EXPECT_EQ(header[2], 2);
  EXPECT_EQ(header[3], 3);
}

TEST_F(CliConvertTest, AFolderThatHoldsDataIsOnlyOverwrittenWhenConfirmed) {
  ASSERT_EQ(Run(With({"--keep-unlinked", "osoby"})), cli::kExitSucceeded);
  const auto before = SnapshotFolder(output_.path());
  EXPECT_EQ(Run(With({})), cli::kExitNotStarted);  // no terminal, no --yes: No
  EXPECT_THAT(out_.str(), HasSubstr("ZNISZCZY"));
  EXPECT_EQ(Run(With({}), "n\n", true), cli::kExitNotStarted);
  EXPECT_EQ(SnapshotFolder(output_.path()), before);
  EXPECT_EQ(Run(With({}), "x\nT\n", true), cli::kExitSucceeded);
  EXPECT_EQ(Run(With({"--yes", "--quiet"})), cli::kExitSucceeded);
  EXPECT_THAT(out_.str(), ::testing::Not(HasSubstr("Wynik:")));
}

TEST_F(CliConvertTest, StoppedRunsAndFailedRunsHaveTheirOwnExitCodes) {
  EXPECT_EQ(Run({}), cli::kExitUsage);  // no folders: the usage text
  EXPECT_THAT(err_.str(), HasSubstr("Użycie:"));
  EXPECT_EQ(Run({"--input", site_.root().string(), "--output", ""}), cli::kExitUsage);
  // A renumbering file named on purpose must exist and be a file.
  EXPECT_EQ(Run(With({"--renumber-file", (output_.path() / "brak.gm").string()})), cli::kExitUsage);
  EXPECT_EQ(Run(With({"--renumber-file", output_.path().string()})), cli::kExitUsage);
  const fs::path bad = output_.path() / "zly.gm";
  std::ofstream(bad) << "12|abc\r\n";
  EXPECT_EQ(Run(With({"--renumber-file", bad.string()})), cli::kExitNotStarted);
  EXPECT_THAT(out_.str(), HasSubstr("Błąd w pliku z przenumerowaniem gmin"));
  EXPECT_THAT(out_.str(), HasSubstr("zly.gm"));  // the file and its faulty line are named
  EXPECT_THAT(out_.str(), HasSubstr("Wiersz 1: 12|abc"));
  fs::remove(site_.persons_folder() / "OSOBY.DBF");
  EXPECT_EQ(Run(With({})), cli::kExitConversionFailed);
  EXPECT_THAT(out_.str(), HasSubstr("Błąd podczas otwarcia pliku: "));
}

}  // namespace
}  // namespace konwerter::testing
