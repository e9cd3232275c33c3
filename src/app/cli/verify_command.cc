#include "app/cli/verify_command.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "app/cli/verify_report.h"
#include "app/ledger_reconciliation.h"
#include "target/verification/database_check.h"

namespace konwerter::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDefaultListed = 20;

constexpr std::string_view kUsage =
    "Użycie: konwerter-cli verify --output KATALOG [--input KATALOG_DOS] [--limit N]\n"
    "\n"
    "Sprawdza bazę zapisaną przez konwersję, czytając ją tylko tak, jak czyta ją silnik\n"
    "bazy danych: nagłówek każdej tabeli wobec jej schematu, każdy znacznik każdego\n"
    "indeksu .mdx (jeden klucz na rekord, kolejność sortowania, klucz równy wyrażeniu),\n"
    "sekwencje w Dostep.dbf wobec identyfikatorów tabel i odwołania między tabelami.\n"
    "\n"
    "  --output KATALOG      kartoteka wynikowa konwersji (ta, w której jest BAZA)\n"
    "  --input KATALOG_DOS   dane DOS, z których powstała baza: uzgodnij także rejestr\n"
    "                        konwersji z tabelami DOS\n"
    "  --limit N             ile pozycji wypisać w każdej grupie (domyślnie 20)\n"
    "  --help                ten opis\n"
    "\n"
    "Kody wyjścia: 0 baza spójna (ostrzeżenia dozwolone), 1 znaleziono błędy,\n"
    "2 błędne wywołanie, 3 kartoteka nie zawiera bazy po konwersji.\n";

struct VerifyOptions {
  fs::path output;
  std::optional<fs::path> input;
  std::size_t listed = kDefaultListed;
  bool help = false;
};

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The options, or the text of the usage error.
std::optional<VerifyOptions> Parse(const std::vector<std::string>& arguments, std::string& error) {
  VerifyOptions options;
  bool has_output = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name != "--output" && name != "--input" && name != "--limit") {
      error = "nieznana opcja: " + name;
      return std::nullopt;
    }
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
      error = "brak wartości opcji " + name;
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    if (name == "--output") {
      options.output = PathOf(value);
      has_output = true;
    } else if (name == "--input") {
      options.input = PathOf(value);
    } else {
      const auto [end, failure] =
          std::from_chars(value.data(), value.data() + value.size(), options.listed);
      if (failure != std::errc() || end != value.data() + value.size()) {
        error = "niepoprawna wartość --limit: " + value;
        return std::nullopt;
      }
    }
  }
  if (!has_output && !options.help) {
    error = "nie podano kartoteki wynikowej (--output)";
    return std::nullopt;
  }
  return options;
}

}  // namespace

int RunVerify(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<VerifyOptions> options = Parse(arguments, error);
  if (!options) {
    err << "konwerter-cli verify: " << error << "\n\n" << kUsage;
    return kExitVerifyUsage;
  }
  if (options->help) {
    out << kUsage;
    return kExitDatabaseHolds;
  }
  std::error_code ignored;
  if (options->input && !fs::is_directory(*options->input, ignored)) {
    err << "konwerter-cli verify: nie ma kartoteki danych DOS podanej w --input\n";
    return kExitVerifyUsage;
  }
  verification::DatabaseCheck check = verification::CheckConvertedDatabase(options->output);
  if (check.converted_database && options->input) {
    app::ReconcileLedger(options->output, *options->input, check);
  }
  PrintDatabaseCheck(check, options->output, options->listed, out);
  if (!check.converted_database) return kExitNotConverted;
  return check.holds() ? kExitDatabaseHolds : kExitDatabaseFaulty;
}

}  // namespace konwerter::cli
