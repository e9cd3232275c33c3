#include "app/cli/convert_options.h"

#include <cctype>
#include <functional>
#include <map>
#include <string_view>

#include "platform/file_system.h"
#include "platform/text_encoding.h"

namespace konwerter::cli {

namespace {

// Comma-separated names, each of which must be one of `known`.
bool ApplyList(std::string_view list, const std::map<std::string, std::function<void()>>& known,
               std::string& error) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    std::string name(list.substr(0, comma));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto found = known.find(name);
    if (found == known.end()) {
      error = "nieznana nazwa na liście: " + std::string(list.substr(0, comma));
      return false;
    }
    found->second();
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
  return true;
}

bool ApplyKeepUnlinked(std::string_view list, run::RunOptions& options, std::string& error) {
  return ApplyList(list,
                   {{"osoby", [&] { options.delete_unlinked_persons = false; }},
                    {"roboty", [&] { options.delete_unlinked_works = false; }},
                    {"asortymenty", [&] { options.delete_unlinked_assortments = false; }},
                    {"obreby", [&] { options.delete_unlinked_precincts = false; }},
                    {"dzialki", [&] { options.delete_unlinked_parcels = false; }}},
                   error);
}

bool ApplySegmentOne(std::string_view list, run::SegmentOneOptions& segment, std::string& error) {
  return ApplyList(list,
                   {{"oper_pr", [&] { segment.oper_pr = true; }},
                    {"oper_bu", [&] { segment.oper_bu = true; }},
                    {"oper_prz", [&] { segment.oper_prz = true; }},
                    {"szkice", [&] { segment.szkice = true; }},
                    {"zarysy", [&] { segment.zarysy = true; }},
                    {"kme", [&] { segment.kme = true; }}},
                   error);
}

bool ApplyDrive(std::string_view value, run::DriveMap& drives, std::string& error) {
  if (value.size() < 3 || value[1] != '=' || !std::isalpha(static_cast<unsigned char>(value[0]))) {
    error = "--drive wymaga postaci LITERA=KATALOG, np. F=/mnt/dane";
    return false;
  }
  drives[static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])))] =
      platform::Cp1250FromUtf8(value.substr(2));
  return true;
}

// "YYYY-MM-DD", a day that exists.
bool ApplyDate(std::string_view value, std::optional<platform::CalendarDate>& date,
               std::string& error) {
  const auto number = [&](std::size_t from, std::size_t length) {
    int result = 0;
    for (std::size_t i = from; i < from + length; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(value[i]))) return -1;
      result = result * 10 + (value[i] - '0');
    }
    return result;
  };
  const platform::CalendarDate parsed =
      value.size() == 10 && value[4] == '-' && value[7] == '-'
          ? platform::CalendarDate{number(0, 4), number(5, 2), number(8, 2)}
          : platform::CalendarDate{};
  if (!platform::IsValidDate(parsed) || parsed.year < 1980 || parsed.year > 2107) {
    error = "--date wymaga istniejącej daty w postaci RRRR-MM-DD z lat 1980-2107";
    return false;
  }
  date = parsed;
  return true;
}

}  // namespace

std::optional<ConvertOptions> ParseConvertOptions(const std::vector<std::string>& arguments,
                                                  std::string& error) {
  ConvertOptions options;
  app::ConversionRequest& request = options.request;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--yes") {
      options.assume_yes = true;
      continue;
    }
    if (name == "--quiet") {
      options.quiet = true;
      continue;
    }
    if (name == "--renumber") {
      request.options.renumber_communes = true;
      continue;
    }
    if (name == "--strict") {
      request.strict = true;
      continue;
    }
    if (name == "--rebuild-indexes") {
      request.options.rebuild_indexes = true;
      continue;
    }
    const bool takes_value = name == "--input" || name == "--output" || name == "--keep-unlinked" ||
                             name == "--renumber-file" || name == "--segment1" ||
                             name == "--drive" || name == "--summary" || name == "--date" ||
                             name == "--report";
    if (!takes_value) {
      error = "nieznana opcja: " + name;
      return std::nullopt;
    }
    if (i + 1 == arguments.size()) {
      error = "opcja " + name + " wymaga wartości";
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    bool ok = true;
    if (name == "--input") {
      request.input_folder = platform::Cp1250FromUtf8(value);
    } else if (name == "--output") {
      request.output_folder = platform::Cp1250FromUtf8(value);
    } else if (name == "--keep-unlinked") {
      ok = ApplyKeepUnlinked(value, request.options, error);
    } else if (name == "--renumber-file") {
      request.renumbering_file = platform::Cp1250FromUtf8(value);
      options.renumbering_file_given = true;
    } else if (name == "--segment1") {
      ok = ApplySegmentOne(value, request.options.segment_one, error);
    } else if (name == "--drive") {
      ok = ApplyDrive(value, request.drives, error);
    } else if (name == "--date") {
      ok = ApplyDate(value, options.date, error);
    } else if (name == "--report") {
      request.report_folder = platform::Cp1250FromUtf8(value);
    } else {
      options.summary_file = value;
    }
    if (!ok) return std::nullopt;
  }
  if (request.input_folder.empty() || request.output_folder.empty()) {
    error = "wymagane są obie kartoteki: --input i --output";
    return std::nullopt;
  }
  // A renumbering file named on purpose must be there: a typing error would otherwise
  // convert the communes unrenumbered without a word.
  if (options.renumbering_file_given && !platform::FileExists(request.renumbering_file)) {
    error = "plik z przenumerowaniem gmin nie istnieje lub nie jest plikiem: " +
            platform::Utf8FromCp1250(request.renumbering_file);
    return std::nullopt;
  }
  return options;
}

std::string ConvertUsage() {
  return "Użycie: konwerter-cli convert --input KATALOG --output KATALOG [opcje]\n"
         "\n"
         "Przenosi dane systemu TEROKAN w wersji DOS do nowej bazy wersji Windows.\n"
         "\n"
         "  --input KATALOG        kartoteka danych wersji DOS (katalog SYSTEM lub jego "
         "nadrzędny)\n"
         "  --output KATALOG       kartoteka wynikowa\n"
         "  --yes                  zastąp dane, jeśli kartoteka wynikowa już je zawiera\n"
         "  --keep-unlinked LISTA  nie usuwaj nie powiązanych rekordów; LISTA z:\n"
         "                         osoby (osoby i obsługa zleceń), roboty,\n"
         "                         asortymenty (asortymenty robót i zleceń, cechy),\n"
         "                         obreby, dzialki\n"
         "  --renumber             konwersja numerów gmin\n"
         "  --renumber-file PLIK   plik z przenumerowaniem gmin (domyślnie konwerter.gm obok\n"
         "                         programu)\n"
         "  --segment1 LISTA       rejestry, w których przenumerować pierwszy człon numeru; LISTA "
         "z:\n"
         "                         OPER_PR,OPER_BU,OPER_PRZ,SZKICE,ZARYSY,KME\n"
         "  --drive X=KATALOG      katalog, w którym leży dysk X: stacji DOS (można powtarzać)\n"
         "  --summary PLIK         zapisz podsumowanie konwersji w formacie JSON\n"
         "  --report KATALOG       kartoteka raportu konwersji (raport.html, rekordy.csv,\n"
         "                         podsumowanie.json); domyślnie RAPORT w kartotece wynikowej\n"
         "  --rebuild-indexes      nie czytaj indeksów .ntx: zbuduj wyszukiwanie z tabel\n"
         "                         (dla uszkodzonych lub nieaktualnych indeksów)\n"
         "  --strict               każde ostrzeżenie o uszkodzonych danych jest błędem\n"
         "  --quiet                bez postępu i podsumowania na ekranie\n"
         "  --date RRRR-MM-DD      data konwersji zapisywana w tabelach (domyślnie dzisiejsza)\n"
         "\n"
         "Kod wyjścia: 0 konwersja zakończona (także z ostrzeżeniami), 1 błąd konwersji,\n"
         "2 złe wywołanie, 3 konwersja nie rozpoczęta (brak zgody, plik gmin, blokada danych,\n"
         "bdglobal.mem, kartoteka wynikowa w danych źródłowych).\n";
}

}  // namespace konwerter::cli
