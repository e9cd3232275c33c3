#include "app/cli/inspect_command.h"

#include <charconv>
#include <exception>
#include <limits>
#include <optional>
#include <string_view>

#include "app/cli/inspect_reports.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"

namespace konwerter::cli {

namespace {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFileProblem = 1;
inline constexpr int kExitUsage = 2;

// A mistake in the command line; the text (UTF-8, Polish) says which.
struct UsageError {
  std::string text;
};

enum class FileKind { kTable, kIndex, kMemoryFile, kLetterFile };

std::string InspectUsage() {
  return "Użycie: konwerter-cli inspect PLIK [--json] [--codepage N] [--raw] [--seek HEX] "
         "[--limit N]\n"
         "  PLIK          tabela .dbf, indeks .ntx, plik pamięci .mem lub polskie.lit\n"
         "  --json        wynik jako dokument JSON\n"
         "  --codepage N  strona kodowa danych (0..6; domyślnie z polskie.lit obok pliku,\n"
         "                a bez niego 3 = 852)\n"
         "  --raw         pola tabeli szesnastkowo, bez obróbki\n"
         "  --seek HEX    szukaj w indeksie klucza o podanych bajtach (szesnastkowo)\n"
         "  --limit N     pokaż najwyżej N rekordów tabeli\n";
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::optional<FileKind> KindOf(const std::string& path) {
  const std::string name = LowerAscii(path.substr(FolderOf(path).size()));
  if (name == "polskie.lit") return FileKind::kLetterFile;
  const std::size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
  if (extension == ".dbf") return FileKind::kTable;
  if (extension == ".ntx") return FileKind::kIndex;
  if (extension == ".mem") return FileKind::kMemoryFile;
  return std::nullopt;
}

template <typename Number>
Number ParseNumber(std::string_view option, std::string_view text, Number lowest, Number highest) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
      value > highest) {
    throw UsageError{"niepoprawna wartość " + std::string(option) + ": " + std::string(text)};
  }
  return value;
}

std::string BytesFromHex(std::string_view hex) {
  const auto digit = [&](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw UsageError{"--seek oczekuje par cyfr szesnastkowych: " + std::string(hex)};
  };
  if (hex.size() % 2 != 0) {
    throw UsageError{"--seek oczekuje par cyfr szesnastkowych: " + std::string(hex)};
  }
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes += static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1]));
  }
  return bytes;
}

// The value after an option; a usage error when the command line ends before it.
const std::string& ValueAfter(const std::vector<std::string>& arguments, std::size_t& at) {
  if (at + 1 >= arguments.size()) throw UsageError{"brak wartości po " + arguments[at]};
  return arguments[++at];
}

InspectOptions ParseOptions(const std::vector<std::string>& arguments) {
  InspectOptions options;
  bool have_path = false;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (argument == "--json") {
      options.json = true;
    } else if (argument == "--raw") {
      options.raw = true;
    } else if (argument == "--codepage") {
      options.code_page = ParseNumber(argument, ValueAfter(arguments, at), 0, 6);
    } else if (argument == "--seek") {
      options.seek_key = BytesFromHex(ValueAfter(arguments, at));
    } else if (argument == "--limit") {
      options.row_limit = ParseNumber<std::size_t>(argument, ValueAfter(arguments, at), 0,
                                                   std::numeric_limits<std::size_t>::max());
    } else if (argument.starts_with("--")) {
      throw UsageError{"nieznana opcja: " + argument};
    } else if (have_path) {
      throw UsageError{"podaj jeden plik, nie kilka"};
    } else {
      options.path = platform::Cp1250FromUtf8(argument);
      have_path = true;
    }
  }
  if (!have_path) throw UsageError{"nie podano pliku"};
  return options;
}

InspectReport Inspect(FileKind kind, const InspectOptions& options) {
  switch (kind) {
    case FileKind::kTable:
      return InspectTable(options);
    case FileKind::kIndex:
      return InspectIndex(options);
    case FileKind::kMemoryFile:
      return InspectMemoryFile(options);
    case FileKind::kLetterFile:
      return InspectLetterFile(options);
  }
  return {};
}

std::string Describe(FileKind kind, const nlohmann::json& document) {
  switch (kind) {
    case FileKind::kTable:
      return DescribeTable(document);
    case FileKind::kIndex:
      return DescribeIndex(document);
    case FileKind::kMemoryFile:
      return DescribeMemoryFile(document);
    case FileKind::kLetterFile:
      return DescribeLetterFile(document);
  }
  return {};
}

}  // namespace

int RunInspect(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
    out << InspectUsage();
    return kExitDone;
  }
  InspectOptions options;
  FileKind kind{};
  try {
    options = ParseOptions(arguments);
    const std::optional<FileKind> known = KindOf(options.path);
    if (!known) {
      throw UsageError{"nieznany rodzaj pliku (oczekiwano .dbf, .ntx, .mem lub polskie.lit): " +
                       platform::Utf8FromCp1250(options.path)};
    }
    kind = *known;
  } catch (const UsageError& error) {
    err << "konwerter-cli inspect: " << error.text << "\n\n" << InspectUsage();
    return kExitUsage;
  }
  try {
    const InspectReport report = Inspect(kind, options);
    out << (options.json ? report.document.dump(2) + "\n" : Describe(kind, report.document));
    if (report.problem) {
      err << "konwerter-cli inspect: " << *report.problem << "\n";
      return kExitFileProblem;
    }
    return kExitDone;
  } catch (const std::exception& error) {
    // InspectError, platform::IoError and anything else the readers raise over bad bytes.
    err << "konwerter-cli inspect: " << platform::Utf8FromCp1250(run::ErrorText(error)) << "\n";
    return kExitFileProblem;
  }
}

}  // namespace konwerter::cli
