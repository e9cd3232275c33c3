// `inspect` of a Clipper index: its header, and optionally one look-up.

#include <string>

#include "app/cli/inspect_reports.h"
#include "platform/text_encoding.h"
#include "source/clipper_index.h"

namespace konwerter::cli {

namespace {

using nlohmann::json;

std::string OpenProblem(const source::ClipperIndex& index, const std::string& file) {
  switch (index.status()) {
    case source::kIndexShortHeader:
      return "Nagłówek indeksu jest krótszy niż 1024 bajty: " + file;
    case source::kIndexKeyTooLong:
      return "Długość klucza indeksu przekracza 255 bajtów (" + std::to_string(index.key_size()) +
             "): " + file;
    default:
      return "Nie można odczytać strony głównej indeksu (od bajtu " +
             std::to_string(index.root_offset()) + "): " + file;
  }
}

}  // namespace

InspectReport InspectIndex(const InspectOptions& options) {
  const std::string file = platform::Utf8FromCp1250(options.path);
  source::ClipperIndex index;
  index.Open(options.path);
  if (index.status() == source::kIndexCannotOpen) {
    throw InspectError("Nie można otworzyć pliku: " + file);
  }
  InspectReport report{json{{"key_size", index.key_size()},
                            {"root", index.root_offset()},
                            {"status", index.status()}},
                       std::nullopt};
  if (!index.is_open()) {
    report.problem = OpenProblem(index, file);
    return report;
  }
  if (options.seek_key) {
    const source::SeekResult result = index.Seek(*options.seek_key);
    report.document["seek"] = {{"found", result.found}, {"record", result.record}};
    if (index.status() != source::kIndexOk) {
      report.document["status"] = index.status();
      report.problem = "Uszkodzona strona indeksu lub drzewo głębsze niż 30 poziomów (kod " +
                       std::to_string(index.status()) + "): " + file;
    }
  }
  index.Close();
  return report;
}

std::string DescribeIndex(const json& document) {
  std::string text = "Indeks Clippera: klucz " + document["key_size"].dump() +
                     " B, strona główna od bajtu " + document["root"].dump() + ", status " +
                     document["status"].dump() + "\n";
  if (document.contains("seek")) {
    const json& seek = document["seek"];
    text += seek["found"].get<bool>()
                ? "Klucz znaleziony: rekord " + seek["record"].dump() + " (licząc od 0)\n"
                : std::string("Klucza nie znaleziono\n");
  }
  return text;
}

}  // namespace konwerter::cli
