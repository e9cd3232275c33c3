#include "app/report/report_run_html.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <string_view>
#include <vector>

#include "app/report/count_bars.h"
#include "app/report/html_text.h"
#include "app/report/report_links.h"

namespace konwerter::app {

namespace {

constexpr int kTotalsBarWidth = 360;

struct OutcomeLook {
  std::string_view css_class;
  std::string_view label;
};

OutcomeLook LookOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kNotStarted:
      return {"none", "Konwersji nie rozpoczęto"};
    case RunOutcome::kDeclined:
      return {"none", "Konwersji nie rozpoczęto: nie zgodzono się na zastąpienie danych"};
    case RunOutcome::kBadRenumberingFile:
      return {"none", "Konwersji nie rozpoczęto: błąd w pliku z przenumerowaniem gmin"};
    case RunOutcome::kNoSourceLock:
      return {"none", "Konwersji nie rozpoczęto: dane systemu DOS są w użyciu lub brak users.dbf"};
    case RunOutcome::kNoDirectoryVariables:
      return {"none", "Konwersji nie rozpoczęto: brak pliku bdglobal.mem"};
    case RunOutcome::kOutputOverlapsSources:
      return {"none", "Konwersji nie rozpoczęto: kartoteka wynikowa w danych systemu DOS"};
    case RunOutcome::kSucceeded:
      return {"ok", "Konwersja zakończona"};
    case RunOutcome::kSucceededWithWarnings:
      return {"warn", "Konwersja zakończona z ostrzeżeniami"};
    case RunOutcome::kFailed:
      return {"bad", "Konwersja nie powiodła się"};
    case RunOutcome::kAborted:
      return {"bad", "Konwersję przerwał błąd"};
  }
  return {"none", ""};
}

std::string Fact(std::string_view term, std::string_view description) {
  return Element("dt", term) + Element("dd", description) + "\n";
}

// A fact that details the one above it.
std::string SubFact(std::string_view term, std::string_view description) {
  return Element("dt", term, "class=\"sub\"") + Element("dd", description) + "\n";
}

std::string YesNo(bool value) {
  return value ? "tak" : "nie";
}

std::string DateTimeText(const ConversionResult& result) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d, godz. %02d:%02d:%02d", result.date.year,
                result.date.month, result.date.day, result.time.hour, result.time.minute,
                result.time.second);
  return text;
}

// "0,54 s", "2 min 05 s", "1 h 02 min 05 s": Polish, a decimal comma.
std::string DurationText(double seconds) {
  char text[48];
  if (seconds < 60) {
    std::snprintf(text, sizeof text, "%.2f s", seconds < 0 ? 0.0 : seconds);
    std::string duration(text);
    if (const auto point = duration.find('.'); point != std::string::npos) duration[point] = ',';
    return duration;
  }
  const long long whole = std::llround(seconds);
  if (whole < 3600) {
    std::snprintf(text, sizeof text, "%lld min %02lld s", whole / 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld h %02lld min %02lld s", whole / 3600, whole / 60 % 60,
                  whole % 60);
  }
  return text;
}

std::string SegmentOneText(const run::SegmentOneOptions& segment) {
  const std::vector<std::pair<bool, std::string_view>> registers = {
      {segment.oper_pr, "Operatów ewidencyjnych"},
      {segment.oper_bu, "Operatów bazowo-użytkowych"},
      {segment.oper_prz, "Operatów przejściowych"},
      {segment.szkice, "Szkiców polowych"},
      {segment.zarysy, "Zarysów"},
      {segment.kme, "KME"}};
  std::string text;
  for (const auto& [chosen, name] : registers) {
    if (!chosen) continue;
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text.empty() ? "nie" : text;
}

std::string OptionsHtml(const ConversionResult& result) {
  const run::RunOptions& options = result.options;
  std::string list = "<dl class=\"facts\">\n";
  list += Fact("Konwersja numerów gmin", YesNo(options.renumber_communes));
  list += Fact("Dodatkowe przenumerowanie członu 1", SegmentOneText(options.segment_one));
  list += Fact("Usuń nie powiązane osoby", YesNo(options.delete_unlinked_persons));
  list += Fact("Usuń nie powiązane roboty", YesNo(options.delete_unlinked_works));
  list +=
      Fact("Usuń nie powiązane asortymenty i cechy", YesNo(options.delete_unlinked_assortments));
  list += Fact("Usuń nie powiązane obręby", YesNo(options.delete_unlinked_precincts));
  list += Fact("Usuń nie powiązane działki", YesNo(options.delete_unlinked_parcels));
  list += Fact("Odbuduj indeksy z tabel (pomiń pliki .ntx)", YesNo(options.rebuild_indexes));
  list += Fact("Ścisła kontrola (każde ostrzeżenie jest błędem)", YesNo(result.strict));
  return list + "</dl>\n";
}

std::string ReportFilesText(const ConversionResult& result) {
  std::string files = ReportFileLink(result, result.report_path, "raport.html");
  if (!result.ledger_path.empty()) {
    files += ", " + ReportFileLink(result, result.ledger_path, "rekordy.csv") +
             " (wierszy: " + HtmlNumber(result.report.ledger_rows) + ")";
  }
  if (!result.summary_path.empty()) {
    files += ", " + ReportFileLink(result, result.summary_path, "podsumowanie.json");
  }
  return files;
}

struct Totals {
  std::uint64_t tables = 0;
  std::uint64_t read = 0;
  std::uint64_t written = 0;
  std::uint64_t skipped = 0;
  std::uint64_t deleted = 0;
  std::uint64_t altered = 0;
  std::vector<const run::TableAccount*> unbalanced;  // read != written + skipped
};

Totals TotalsOf(const std::vector<run::TableAccount>& accounts) {
  Totals totals;
  std::set<std::string> targets;
  for (const run::TableAccount& account : accounts) {
    targets.insert(account.target_path);
    totals.read += account.read;
    totals.written += account.written;
    totals.skipped += account.skipped;
    totals.deleted += account.deleted;
    totals.altered += account.altered();
    if (account.read != account.written + account.skipped) totals.unbalanced.push_back(&account);
  }
  totals.tables = targets.size();
  return totals;
}

std::string BalanceHtml(const Totals& totals) {
  if (totals.unbalanced.empty()) {
    return "<p class=\"balance ok\">Bilans rekordów zgodny: w każdej tabeli liczba odczytanych "
           "rekordów źródłowych równa się sumie zapisanych i pominiętych.</p>\n";
  }
  std::string text =
      "<p class=\"balance bad\">Bilans rekordów niezgodny (odczytane ≠ zapisane + pominięte) "
      "w tabelach:</p>\n<ul>";
  for (const run::TableAccount* account : totals.unbalanced) {
    text += Element(
        "li", HostPathMarkup(account->target_path) + " ← " + HostPathMarkup(account->source_path));
  }
  return text + "</ul>\n";
}

}  // namespace

std::string OutcomeHtml(const ConversionResult& result) {
  const OutcomeLook look = LookOf(result.outcome);
  std::string box = Element("p", std::string(look.label), "class=\"label\"");
  if (!result.message.empty()) {
    box += Element("p", HtmlText(result.message), "class=\"message\"");
  }
  if (!result.stopped_at.empty()) {
    box += Element("p", "Konwersję przerwano podczas tworzenia tabeli: " +
                            PathMarkup(HtmlText(result.stopped_at)));
  }
  return "<div class=\"outcome " + std::string(look.css_class) +
         "\" id=\"wynik\" role=\"status\">" + box + "</div>\n";
}

std::string RunDetailsHtml(const ConversionResult& result, const std::string& version) {
  std::string facts = "<dl class=\"facts\">\n";
  facts += Fact("Rozpoczęcie", DateTimeText(result));
  facts += Fact("Czas trwania", DurationText(result.seconds));
  if (!version.empty()) facts += Fact("Wersja programu", HtmlEscape(version));
  facts += Fact("Kartoteka z danymi wejściowymi", HostPathMarkup(result.input_path));
  facts += Fact("Kartoteka z danymi wyjściowymi", HostPathMarkup(result.output_path));
  if (!result.report_path.empty()) {
    facts += Fact("Kartoteka raportu", HostPathMarkup(ReportFolderOf(result)));
    facts += Fact("Pliki raportu", ReportFilesText(result));
  }
  facts += "</dl>\n";
  return Section("przebieg", "Przebieg konwersji",
                 facts + Element("h3", "Opcje konwersji") + OptionsHtml(result));
}

std::string TotalsHtml(const ConversionResult& result) {
  const Totals totals = TotalsOf(result.report.accounts);
  std::string facts = "<dl class=\"facts\">\n";
  facts += Fact("Tabele wynikowe", HtmlNumber(totals.tables));
  facts += Fact("Rekordy źródłowe odczytane", HtmlNumber(totals.read));
  facts += SubFact("zapisane", HtmlNumber(totals.written));
  facts += SubFact("pominięte", HtmlNumber(totals.skipped));
  facts += SubFact("w tym oznaczone jako usunięte", HtmlNumber(totals.deleted));
  facts += Fact("Zmienione wartości", HtmlNumber(totals.altered));
  facts += Fact("Ostrzeżenia", HtmlNumber(result.report.warnings.size()));
  facts += Fact("Wiersze w rekordy.csv", HtmlNumber(result.report.ledger_rows));
  facts += Fact("Sprawdzenie bazy wynikowej",
                "<a href=\"#sprawdzenie\">" + CheckVerdictText(result) + "</a>");
  facts += "</dl>\n";
  std::string content = facts;
  if (totals.read != 0) {
    content +=
        CountBarsSvg(totals.read, totals.written, totals.skipped, totals.read, kTotalsBarWidth);
  }
  if (!result.report.accounts.empty()) content += BalanceHtml(totals);
  return Section("podsumowanie", "Podsumowanie", content);
}

std::string DirectoriesHtml(const ConversionResult& result) {
  const std::vector<run::DirectoryReport>& directories = result.report.directories;
  if (directories.empty()) {
    return Section("katalogi", "Katalogi danych DOS",
                   "<p>Nie odczytano zmiennych katalogów (bdglobal.mem).</p>\n");
  }
  std::string rows;
  for (const run::DirectoryReport& directory : directories) {
    const std::string folder = directory.resolved.empty()
                                   ? std::string("<td class=\"none\">nie znaleziony</td>")
                                   : Element("td", PathMarkup(HtmlText(directory.resolved)));
    rows += "<tr>" + Element("td", HtmlText(directory.name), "class=\"mono\"") +
            Element("td", PathMarkup(HtmlText(directory.value))) + folder + "</tr>\n";
  }
  return Section(
      "katalogi", "Katalogi danych DOS",
      "<table class=\"wide\"><thead><tr><th scope=\"col\">Zmienna (bdglobal.mem)</th>"
      "<th scope=\"col\">Wartość</th><th scope=\"col\">Kartoteka odczytana</th></tr></thead>"
      "<tbody>\n" +
          rows + "</tbody></table>\n");
}

std::string CheckVerdictText(const ConversionResult& result) {
  const CheckSummary& check = result.check;
  if (!check.ran) {
    switch (result.outcome) {
      case RunOutcome::kFailed:
      case RunOutcome::kAborted:
        return "nie wykonano (konwersja nie została zakończona)";
      case RunOutcome::kSucceeded:
      case RunOutcome::kSucceededWithWarnings:
        return "nie wykonano";
      default:
        return "nie wykonano (konwersji nie rozpoczęto)";
    }
  }
  if (check.passed()) return "bez błędów (ostrzeżeń: " + HtmlNumber(check.warnings) + ")";
  return "wykazało błędy: " + HtmlNumber(check.failures) +
         " (ostrzeżeń: " + HtmlNumber(check.warnings) + ")";
}

}  // namespace konwerter::app
