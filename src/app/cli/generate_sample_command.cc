#include "app/cli/generate_sample_command.h"

#include <charconv>
#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>

#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "tools/sample/sample_site.h"

namespace konwerter::cli {

namespace {

constexpr std::string_view kUsage =
    "Użycie: konwerter-cli generate-sample --output KATALOG [--scale N] [--seed S]\n"
    "                                      [--earlier-orders]\n"
    "\n"
    "Tworzy przykładowe dane systemu TEROKAN DOS w podanej kartotece: kartotekę SYSTEM\n"
    "(users.dbf, bdglobal.mem, dom.mem, polskie.lit) oraz wszystkie kartoteki z danymi.\n"
    "\n"
    "  --output KATALOG    kartoteka, w której powstaną dane (tworzona w razie potrzeby)\n"
    "  --scale N           wielkość danych, liczba całkowita od 1 (domyślnie 1: kilka\n"
    "                      tysięcy rekordów; liczba rekordów rośnie liniowo z N)\n"
    "  --seed S            ziarno losowania, liczba całkowita od 0 do 4294967295\n"
    "                      (domyślnie 1); to samo ziarno daje te same pliki\n"
    "  --earlier-orders    zlecenia we wcześniejszym układzie: bez cechy.dbf, karty zleceń\n"
    "                      z polem fakt_vat zamiast typ_dok, rozliczenia bez nr_poz\n"
    "  --help              ten opis\n";

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

struct ParsedOptions {
  tools::SampleSiteOptions options;
  bool help = false;
};

// The options, or the text of the usage error.
std::optional<ParsedOptions> Parse(const std::vector<std::string>& arguments, std::string& error) {
  ParsedOptions parsed;
  bool has_output = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      parsed.help = true;
      continue;
    }
    if (name == "--earlier-orders") {
      parsed.options.earlier_orders_edition = true;
      continue;
    }
    if (name != "--output" && name != "--scale" && name != "--seed") {
      error = "Nieznana opcja: " + name;
      return std::nullopt;
    }
    if (i + 1 >= arguments.size()) {
      error = "Brak wartości opcji " + name;
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    if (name == "--output") {
      if (value.empty()) {
        error = "Pusta nazwa kartoteki w opcji --output";
        return std::nullopt;
      }
      parsed.options.output = value;
      has_output = true;
    } else if (name == "--scale") {
      const auto scale = ParseNumber<int>(value);
      if (!scale || *scale < 1) {
        error = "Błędna wartość opcji --scale (oczekiwana liczba całkowita od 1): " + value;
        return std::nullopt;
      }
      parsed.options.scale = *scale;
    } else {
      const auto seed = ParseNumber<std::uint32_t>(value);
      if (!seed) {
        error = "Błędna wartość opcji --seed (oczekiwana liczba od 0 do 4294967295): " + value;
        return std::nullopt;
      }
      parsed.options.seed = *seed;
    }
  }
  if (!has_output && !parsed.help) {
    error = "Brak opcji --output";
    return std::nullopt;
  }
  return parsed;
}

void PrintReport(const tools::SampleSiteReport& report, std::ostream& out) {
  for (const tools::SampleFileReport& file : report.files) {
    out << file.path.generic_string();
    switch (file.kind) {
      case tools::SampleFileKind::kTable:
        out << "  rekordów: " << file.records;
        break;
      case tools::SampleFileKind::kIndex:
        out << "  kluczy: " << file.records;
        break;
      case tools::SampleFileKind::kMemoryFile:
        out << "  zmiennych: " << file.records;
        break;
      case tools::SampleFileKind::kOther:
        break;
    }
    out << '\n';
  }
  out << "Plików: " << report.files.size() << ", rekordów w tabelach: " << report.total_records
      << '\n';
}

}  // namespace

int RunGenerateSample(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err) {
  std::string error;
  const std::optional<ParsedOptions> parsed = Parse(arguments, error);
  if (!parsed) {
    err << error << "\n\n" << kUsage;
    return 2;
  }
  if (parsed->help) {
    out << kUsage;
    return 0;
  }
  try {
    const tools::SampleSiteReport report = tools::GenerateSampleSite(parsed->options);
    out << "Przykładowe dane systemu TEROKAN zapisano w kartotece "
        << parsed->options.output.string() << '\n';
    PrintReport(report, out);
    return 0;
  } catch (const std::exception& failure) {
    err << "Błąd podczas tworzenia przykładowych danych: "
        << platform::Utf8FromCp1250(run::ErrorText(failure)) << '\n';
    return 1;
  }
}

}  // namespace konwerter::cli
