// `inspect` of a memory file and of the letter file `polskie.lit`.

#include <string>
#include <vector>

#include "app/cli/inspect_reports.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "source/memory_file.h"
#include "source/transliteration.h"

namespace konwerter::cli {

namespace {

using nlohmann::json;

std::string CodePageName(int page) {
  switch (page) {
    case source::kMarker7CPage:
      return "strona DOS wybrana znacznikiem 7C";
    case source::kNoDiacriticsPage:
      return "litery bez znaków diakrytycznych";
    case source::kMazoviaPage:
      return "Mazovia";
    case source::kCp852Page:
      return "852";
    case source::kCp1250Page:
      return "Windows 1250";
    case source::kMarker8DPage:
      return "strona DOS wybrana znacznikiem 8D";
    default:
      return "strona " + std::to_string(page);
  }
}

}  // namespace

InspectReport InspectMemoryFile(const InspectOptions& options) {
  const std::string file = platform::Utf8FromCp1250(options.path);
  if (!platform::FileExists(options.path)) throw InspectError("Nie można otworzyć pliku: " + file);
  source::CodePages pages;
  pages.source = SourceCodePageFor(options);
  std::vector<std::string> lines;
  const bool read = source::ReadMemoryFile(options.path, pages, lines);
  json entries = json::array();
  for (const std::string& line : lines) entries.push_back(platform::Utf8FromCp1250(line));
  InspectReport report{json{{"entries", std::move(entries)}}, std::nullopt};
  if (!read) report.problem = "Błąd odczytu pliku pamięci: " + file;
  return report;
}

InspectReport InspectLetterFile(const InspectOptions& options) {
  const std::string file = platform::Utf8FromCp1250(options.path);
  if (!platform::FileExists(options.path)) throw InspectError("Nie można otworzyć pliku: " + file);
  source::CodePages pages;
  const bool marked = source::DetectSourceCodePage(FolderOf(options.path), pages);
  InspectReport report{json{{"code_page", pages.source}}, std::nullopt};
  if (!marked) {
    report.problem = "Plik nie sięga bajtu 141 ze znacznikiem strony kodowej: " + file;
  }
  return report;
}

std::string DescribeMemoryFile(const json& document) {
  std::string text =
      "Plik pamięci Clippera, zmiennych: " + std::to_string(document["entries"].size()) + "\n";
  for (const json& entry : document["entries"]) text += "  " + entry.get<std::string>() + "\n";
  return text;
}

std::string DescribeLetterFile(const json& document) {
  const int page = document["code_page"].get<int>();
  return "Strona kodowa danych DOS: " + std::to_string(page) + " (" + CodePageName(page) + ")\n";
}

}  // namespace konwerter::cli
