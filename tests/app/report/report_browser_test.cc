#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/convert_command.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kChromium = "/usr/bin/chromium";

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The page as the browser built it (--dump-dom) and what the browser said on the way.
struct RenderedPage {
  int status = -1;
  std::string dom;
  std::string log;
};

RenderedPage Render(const fs::path& page, const fs::path& scratch) {
  const fs::path profile = scratch / "profil";
  const fs::path dom = scratch / "dom.html";
  const fs::path log = scratch / "chromium.log";
  const std::string command =
      std::string("timeout 120 ") + kChromium +
      " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
      " --disable-background-networking --disable-component-update --disable-sync"
      " --enable-logging=stderr --v=0 --user-data-dir='" +
      profile.string() + "' --dump-dom 'file://" + page.string() + "' >'" + dom.string() + "' 2>'" +
      log.string() + "'";
  RenderedPage rendered;
  rendered.status = std::system(command.c_str());
  rendered.dom = ReadText(dom);
  rendered.log = ReadText(log);
  return rendered;
}

// The rows of the page's tables, <wbr> left out, one string per row.
std::vector<std::string> TableRows(std::string dom) {
  dom = std::regex_replace(dom, std::regex("<wbr>"), "");
  std::vector<std::string> rows;
  const std::regex row("<tr>([\\s\\S]*?)</tr>");
  for (auto it = std::sregex_iterator(dom.begin(), dom.end(), row); it != std::sregex_iterator();
       ++it) {
    rows.push_back((*it)[1]);
  }
  return rows;
}

// The numbers of a row's number cells, in order.
std::vector<std::uint64_t> Numbers(const std::string& row) {
  std::vector<std::uint64_t> numbers;
  const std::regex cell("<td class=\"n\">([0-9]+)</td>");
  for (auto it = std::sregex_iterator(row.begin(), row.end(), cell); it != std::sregex_iterator();
       ++it) {
    numbers.push_back(std::stoull((*it)[1]));
  }
  return numbers;
}

// The row whose text (its markup left out) holds `text`.
const std::string* RowOf(const std::vector<std::string>& rows, const std::string& text) {
  const std::regex markup("<[^>]*>");
  for (const std::string& row : rows) {
    if (std::regex_replace(row, markup, "").find(text) != std::string::npos) return &row;
  }
  return nullptr;
}

// The sample site converted, its report rendered by Debian's chromium: the browser reports
// nothing, and the page it built holds the summary's numbers.
TEST(ReportBrowserTest, TheSampleSitesReportRendersWithTheSummarysNumbers) {
#ifdef _WIN32
  GTEST_SKIP() << "the report is drawn by the Linux side's browser";
#endif
  if (!fs::exists(kChromium)) GTEST_SKIP() << "no " << kChromium << " (scripts/setup.sh)";
  TempDir site;
  TempDir output;
  TempDir scratch;
  tools::GenerateSampleSite({.output = site.path(), .scale = 1, .seed = 7});
  std::ostringstream out, err;
  ASSERT_EQ(cli::RunConvert({"--input", (site.path() / "SYSTEM").string(), "--output",
                             output.path().string(), "--yes", "--quiet"},
                            out, err),
            cli::kExitSucceeded)
      << out.str() << err.str();
  const fs::path report = output.path() / "RAPORT";
  const nlohmann::json summary = nlohmann::json::parse(ReadText(report / "podsumowanie.json"));

  const RenderedPage page = Render(report / "raport.html", scratch.path());
  ASSERT_EQ(page.status, 0) << page.log;
  EXPECT_EQ(page.log.find(":CONSOLE"), std::string::npos) << page.log;
  EXPECT_EQ(page.log.find("raport.html"), std::string::npos) << page.log;
  ASSERT_NE(page.dom.find("<h1>Raport konwersji"), std::string::npos) << page.dom.substr(0, 500);

  ASSERT_EQ(summary["outcome"], "converted_with_warnings");
  EXPECT_NE(page.dom.find(">Konwersja zakończona z ostrzeżeniami<"), std::string::npos);
  const std::vector<std::string> rows = TableRows(page.dom);
  std::uint64_t read = 0;
  for (const nlohmann::json& table : summary["tables"]) {
    const std::string target = fs::path(table["target"].get<std::string>()).filename().string();
    read += table["records_read"].get<std::uint64_t>();
    if (table["source"].is_null()) {
      const std::string* row = RowOf(rows, target + "zbudowana z innych tabel");
      ASSERT_NE(row, nullptr) << target;
      EXPECT_EQ(Numbers(*row),
                (std::vector<std::uint64_t>{table["values_altered"], table["target_records"]}))
          << target;
      continue;
    }
    const std::string source = table["source"];
    const std::string* row = RowOf(rows, target + "← " + source);
    ASSERT_NE(row, nullptr) << target << " <- " << source;
    EXPECT_EQ(Numbers(*row),
              (std::vector<std::uint64_t>{table["records_read"], table["records_written"],
                                          table["records_skipped"], table["records_deleted"],
                                          table["values_altered"], table["target_records"]}))
        << target << " <- " << source;
  }
  EXPECT_NE(
      page.dom.find("<dt>Rekordy źródłowe odczytane</dt><dd>" + std::to_string(read) + "</dd>"),
      std::string::npos);
  EXPECT_NE(page.dom.find("<dt>Wiersze w rekordy.csv</dt><dd>" + summary["ledger"]["rows"].dump() +
                          "</dd>"),
            std::string::npos);
}

}  // namespace
}  // namespace konwerter::testing
