#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/inspect_command.h"
#include "tests/support/temp_dir.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/mem_writer.h"
#include "tools/dos/ntx_writer.h"
#include "tools/dos/polskie_lit_writer.h"

namespace konwerter::cli {
namespace {

using nlohmann::json;

class InspectTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> arguments) {
    out_.str("");
    err_.str("");
    return RunInspect(arguments, out_, err_);
  }

  json Document() { return json::parse(out_.str()); }

  std::string File(const std::string& name) { return (dir_.path() / name).string(); }

  void WritePersons() {
    tools::DosTableWriter writer(dir_.path() / "OSOBY.DBF", {{"NAZWA", 'C', 8}, {"KOD", 'C', 2}});
    writer.Add({"\x9C\xA2\x64\xA6", tools::DosReference(0x0102)});  // Łódź in Mazovia
    writer.Add({"Nowak", "  "}, true);
    writer.Finish();
  }

  ::konwerter::testing::TempDir dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(InspectTest, TablesShowTheirHeaderAndRecordsInUtf8) {
  WritePersons();
  tools::WritePolskieLit(dir_.path() / "POLSKIE.LIT", tools::kPolskieLitMazovia);
  ASSERT_EQ(Run({File("osoby.dbf"), "--json"}), 0) << err_.str();
  const json document = Document();
  EXPECT_EQ(document["records"], 2);
  EXPECT_EQ(document["header_length"], 32 + 2 * 32 + 1);
  EXPECT_EQ(document["record_length"], 11);
  EXPECT_EQ(document["fields"][0],
            (json{{"name", "NAZWA"}, {"type", "C"}, {"width", 8}, {"decimals", 0}}));
  EXPECT_EQ(document["rows"][0]["values"]["NAZWA"], "Łódź");
  EXPECT_EQ(document["rows"][0]["deleted"], false);
  EXPECT_EQ(document["rows"][1]["deleted"], true);

  ASSERT_EQ(Run({File("OSOBY.DBF"), "--json", "--raw", "--limit", "1"}), 0);
  EXPECT_EQ(Document()["rows"].size(), 1u);
  EXPECT_EQ(Document()["rows"][0]["values"]["KOD"], "0201");

  ASSERT_EQ(Run({File("OSOBY.DBF"), "--codepage", "3"}), 0);  // readable form
  EXPECT_NE(out_.str().find("NAZWA"), std::string::npos);
}

TEST_F(InspectTest, IndexesShowTheirHeaderAndSeek) {
  tools::WriteNtx(dir_.path() / "NAZWY.NTX", {4, "KLUCZ", 2},
                  {{"AAAA", 1}, {"BBBB", 2}, {"CCCC", 3}, {"DDDD", 4}, {"EEEE", 5}});
  ASSERT_EQ(Run({File("nazwy.ntx"), "--json", "--seek", "44444444"}), 0) << err_.str();
  const json document = Document();
  EXPECT_EQ(document["key_size"], 4);
  EXPECT_EQ(document["status"], 0);
  EXPECT_EQ(document["seek"], (json{{"found", true}, {"record", 3}}));
  ASSERT_EQ(Run({File("nazwy.ntx"), "--json", "--seek", "5A"}), 0);
  EXPECT_EQ(Document()["seek"]["found"], false);
}

TEST_F(InspectTest, MemoryAndLetterFiles) {
  tools::WriteMemFile(dir_.path() / "bdglobal.mem",
                      {tools::MemVariable::Character("MIASTO", "\x9D\xA2\x64\xAB"),
                       tools::MemVariable::Numeric("ILE", 2.5)});
  ASSERT_EQ(Run({File("bdglobal.mem"), "--json"}), 0) << err_.str();
  EXPECT_EQ(Document()["entries"], (json{"MIASTO=Łódź", "ILE=2.5"}));

  tools::WritePolskieLit(dir_.path() / "polskie.lit", tools::kPolskieLit8D);
  ASSERT_EQ(Run({File("polskie.lit"), "--json"}), 0);
  EXPECT_EQ(Document(), (json{{"code_page", 5}}));
}

TEST_F(InspectTest, BadFilesGiveAMessageAndExitCode1) {
  ::konwerter::testing::WriteFileBytes(dir_.path() / "krotka.dbf", {3, 1, 2});
  ::konwerter::testing::WriteFileBytes(dir_.path() / "zle.ntx",
                                       std::vector<std::uint8_t>(900, 0xEE));
  ::konwerter::testing::WriteFileBytes(dir_.path() / "dlugi.dbf",
                                       {3, 99, 1, 1, 0xFF, 0xFF, 0xFF, 0x7F, 0x41, 0, 10, 0});
  tools::WritePolskieLit(dir_.path() / "polskie.lit", 'n', 100);
  for (const std::string name :
       {"brak.dbf", "krotka.dbf", "zle.ntx", "dlugi.dbf", "brak.mem", "polskie.lit"}) {
    EXPECT_EQ(Run({File(name), "--json"}), 1) << name;
    EXPECT_FALSE(err_.str().empty()) << name;
  }
}

TEST_F(InspectTest, UsageMistakesGiveExitCode2) {
  WritePersons();
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({File("OSOBY.DBF"), "--bogus"}), 2);
  EXPECT_EQ(Run({File("OSOBY.DBF"), "--codepage", "9"}), 2);
  EXPECT_EQ(Run({File("nazwy.ntx"), "--seek", "4G"}), 2);
  EXPECT_EQ(Run({File("dane.txt")}), 2);
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_NE(out_.str().find("Użycie"), std::string::npos);
}

}  // namespace
}  // namespace konwerter::cli
