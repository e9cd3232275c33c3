#include "app/report/report_ledger_html.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/report/html_text.h"
#include "app/report/report_links.h"
#include "run/catalogue.h"

namespace konwerter::app {

namespace {

struct FileWarnings {
  const std::string* file;
  std::vector<const run::RunWarning*> warnings;
};

std::vector<FileWarnings> WarningsPerFile(const std::vector<run::RunWarning>& warnings) {
  std::vector<FileWarnings> files;
  for (const run::RunWarning& warning : warnings) {
    auto held = std::find_if(files.begin(), files.end(), [&](const FileWarnings& group) {
      return *group.file == warning.file;
    });
    if (held == files.end()) held = files.insert(files.end(), FileWarnings{&warning.file, {}});
    held->warnings.push_back(&warning);
  }
  return files;
}

// One reason of the ledger: a skip reason or a value change, with its count over the run.
struct LedgerReason {
  run::LedgerEvent event;
  std::size_t index;  // the SkipReason or ValueChange
  std::uint64_t count = 0;

  bool skipped() const { return event == run::LedgerEvent::kSkipped; }
  std::string code() const {
    return std::string(skipped() ? run::SkipCode(static_cast<run::SkipReason>(index))
                                 : run::ChangeCode(static_cast<run::ValueChange>(index)));
  }
  std::string text() const {
    return HtmlText(skipped() ? run::SkipText(static_cast<run::SkipReason>(index))
                              : run::ChangeText(static_cast<run::ValueChange>(index)));
  }
  std::string anchor() const { return (skipped() ? "p-" : "z-") + code(); }
  bool holds(const run::LedgerRow& row) const {
    if (row.event != event) return false;
    return skipped() ? static_cast<std::size_t>(row.skip) == index
                     : static_cast<std::size_t>(row.change) == index;
  }
};

// The reasons met in the run, skip reasons first, each in the catalogue's order.
std::vector<LedgerReason> ReasonsOf(const std::vector<run::TableAccount>& accounts) {
  std::array<std::uint64_t, run::kSkipReasonCount> skipped{};
  std::array<std::uint64_t, run::kValueChangeCount> altered{};
  for (const run::TableAccount& account : accounts) {
    for (std::size_t i = 0; i < skipped.size(); ++i) skipped[i] += account.skipped_by_reason[i];
    for (std::size_t i = 0; i < altered.size(); ++i) altered[i] += account.altered_by_change[i];
  }
  std::vector<LedgerReason> reasons;
  for (std::size_t i = 0; i < skipped.size(); ++i) {
    if (skipped[i] != 0) reasons.push_back({run::LedgerEvent::kSkipped, i, skipped[i]});
  }
  for (std::size_t i = 0; i < altered.size(); ++i) {
    if (altered[i] != 0) reasons.push_back({run::LedgerEvent::kAltered, i, altered[i]});
  }
  return reasons;
}

std::string CountTable(const std::vector<LedgerReason>& reasons, bool skipped) {
  std::string rows;
  std::uint64_t total = 0;
  for (const LedgerReason& reason : reasons) {
    if (reason.skipped() != skipped) continue;
    total += reason.count;
    rows += "<tr>" +
            Element("td",
                    "<a href=\"#" + reason.anchor() + "\"><code>" + reason.code() + "</code></a>") +
            Element("td", reason.text()) + Element("td", HtmlNumber(reason.count), "class=\"n\"") +
            "</tr>\n";
  }
  if (rows.empty()) return {};
  return std::string(
             "<table class=\"wide counts\"><thead><tr><th scope=\"col\">Kod</th><th "
             "scope=\"col\">") +
         (skipped ? "Przyczyna pominięcia rekordu" : "Zmiana wartości") +
         "</th><th scope=\"col\" class=\"n\">" + (skipped ? "Rekordów" : "Wartości") +
         "</th></tr></thead><tbody>\n" + rows +
         "</tbody><tbody class=\"total\"><tr><th scope=\"row\" colspan=\"2\">Razem</th>" +
         Element("td", HtmlNumber(total), "class=\"n\"") + "</tr></tbody></table>\n";
}

std::string SampleRow(const ConversionResult& result, const run::LedgerRow& row, bool with_detail) {
  std::string cells =
      Element("td", HostPathMarkup(row.source_file)) +
      Element("td", row.record == 0 ? std::string() : HtmlNumber(row.record), "class=\"n\"") +
      Element("td", HtmlText(row.key), "class=\"key\"") +
      Element("td", OutputPathMarkup(result, row.target_table));
  if (row.event == run::LedgerEvent::kAltered) {
    cells += Element("td", HtmlText(row.field), "class=\"key\"") +
             Element("td", HtmlText(row.source_value), "class=\"mono\"") +
             Element("td", HtmlText(row.written_value), "class=\"mono\"");
  }
  if (with_detail) cells += Element("td", PathMarkup(HtmlText(row.detail)));
  return "<tr>" + cells + "</tr>\n";
}

std::string SamplesHtml(const ConversionResult& result, const LedgerReason& reason) {
  const std::vector<run::LedgerRow>& samples = result.report.sample_rows;
  std::vector<const run::LedgerRow*> rows;
  for (const run::LedgerRow& row : samples) {
    if (reason.holds(row)) rows.push_back(&row);
  }
  const std::string heading = "<code>" + reason.code() + "</code> — " + reason.text();
  std::string content = Element("h3", heading, "id=\"" + reason.anchor() + "\"") + "<p>" +
                        (reason.skipped() ? "Rekordów: " : "Wartości: ") + HtmlNumber(reason.count);
  if (rows.empty()) return content + "; przykładów nie zapisano.</p>\n";
  if (rows.size() < reason.count) {
    content += "; pierwsze " + HtmlNumber(rows.size()) + " poniżej, wszystkie w rekordy.csv";
  }
  content += ".</p>\n";
  const bool with_detail = std::any_of(
      rows.begin(), rows.end(), [](const run::LedgerRow* row) { return !row->detail.empty(); });
  std::string head =
      "<thead><tr><th scope=\"col\">Plik źródłowy</th><th scope=\"col\" class=\"n\">Rekord</th>"
      "<th scope=\"col\">Klucz</th><th scope=\"col\">Tabela wynikowa</th>";
  if (!reason.skipped()) {
    head +=
        "<th scope=\"col\">Pole</th><th scope=\"col\">Wartość źródłowa</th>"
        "<th scope=\"col\">Wartość zapisana</th>";
  }
  if (with_detail) head += "<th scope=\"col\">Dotyczy</th>";
  head += "</tr></thead>\n";
  std::string body;
  for (const run::LedgerRow* row : rows) body += SampleRow(result, *row, with_detail);
  return content + "<table class=\"samples\">" + head + "<tbody>\n" + body + "</tbody></table>\n";
}

}  // namespace

std::string WarningsHtml(const ConversionResult& result) {
  const std::vector<run::RunWarning>& warnings = result.report.warnings;
  if (warnings.empty()) return Section("ostrzezenia", "Ostrzeżenia", "<p>Brak ostrzeżeń.</p>\n");
  const std::vector<FileWarnings> files = WarningsPerFile(warnings);
  std::string content = "<p>Ostrzeżeń: " + HtmlNumber(warnings.size()) +
                        "; plików, których dotyczą: " + HtmlNumber(files.size()) + ".</p>\n";
  for (const FileWarnings& file : files) {
    std::string items;
    for (const run::RunWarning* warning : file.warnings) {
      items += Element("li", HtmlText(run::WarningText(*warning)));
    }
    content += "<div class=\"warn-file\">" + Element("h3", PathMarkup(HtmlText(*file.file))) +
               Element("ul", items) + "</div>\n";
  }
  return Section("ostrzezenia", "Ostrzeżenia", content);
}

std::string LedgerHtml(const ConversionResult& result) {
  std::string content;
  if (result.ledger_path.empty()) {
    content = "<p>Rejestru rekordów nie zapisano.</p>\n";
  } else {
    content =
        "<p>Każdy rekord źródłowy, który nie dał rekordu tabeli wynikowej, i każda "
        "wartość zapisana inaczej, niż była w danych źródłowych, ma swój wiersz w pliku " +
        ReportFileLink(result, result.ledger_path, "rekordy.csv") +
        " (UTF-8, pola rozdzielone średnikami; otwiera go arkusz kalkulacyjny). "
        "Wierszy: " +
        HtmlNumber(result.report.ledger_rows) + ".</p>\n";
  }
  const std::vector<LedgerReason> reasons = ReasonsOf(result.report.accounts);
  if (reasons.empty()) {
    return Section("rekordy", "Rekordy pominięte i zmienione wartości",
                   content +
                       "<p>Nie pominięto żadnego rekordu i nie zmieniono żadnej "
                       "wartości.</p>\n");
  }
  content += CountTable(reasons, true) + CountTable(reasons, false);
  for (const LedgerReason& reason : reasons) {
    content += SamplesHtml(result, reason);
  }
  return Section("rekordy", "Rekordy pominięte i zmienione wartości", content);
}

}  // namespace konwerter::app
