#include "app/report/report_database_html.h"

#include <algorithm>

#include "app/report/html_text.h"
#include "app/report/report_run_html.h"

namespace konwerter::app {

namespace {

// Rows per column of the sequence table: a short table stays one column, a long one is
// laid out side by side.
constexpr std::size_t kSequenceRowsPerColumn = 8;

std::string SequenceColumn(const std::vector<target::SequenceRow>& rows, std::size_t first,
                           std::size_t end) {
  std::string body;
  for (std::size_t i = first; i < end; ++i) {
    body += "<tr>" + Element("td", HtmlText(rows[i].name), "class=\"mono\"") +
            Element("td", std::to_string(rows[i].next_value), "class=\"n\"") + "</tr>\n";
  }
  return "<table><thead><tr><th scope=\"col\">Tabela (TableName)</th>"
         "<th scope=\"col\" class=\"n\">Następna wartość (NextVal)</th></tr></thead><tbody>\n" +
         body + "</tbody></table>\n";
}

std::string FindingRow(const CheckLine& line) {
  std::string examples;
  for (const std::string& example : line.examples) examples += Element("li", HtmlText(example));
  return "<tr>" + Element("td", line.failure ? "błąd" : "ostrzeżenie") +
         Element("td", PathMarkup(HtmlText(line.file))) + Element("td", HtmlText(line.what)) +
         Element("td", HtmlNumber(line.count), "class=\"n\"") +
         Element("td", examples.empty() ? std::string() : Element("ul", examples)) + "</tr>\n";
}

}  // namespace

std::string SequenceHtml(const ConversionResult& result) {
  const std::vector<target::SequenceRow>& rows = result.sequence_rows;
  const std::string heading = "Sekwencje identyfikatorów (Dostep.dbf)";
  if (rows.empty()) {
    return Section("sekwencje", heading, "<p>Nie zapisano wierszy sekwencji.</p>\n");
  }
  const std::size_t columns = (rows.size() + kSequenceRowsPerColumn - 1) / kSequenceRowsPerColumn;
  const std::size_t per_column = (rows.size() + columns - 1) / columns;
  std::string content = "<p>Wierszy: " + HtmlNumber(rows.size()) +
                        ". Następna wartość to pierwszy identyfikator, który system TEROKAN "
                        "WINDOWS nada w danej tabeli.</p>\n<div class=\"columns\">\n";
  for (std::size_t first = 0; first < rows.size(); first += per_column) {
    content += SequenceColumn(rows, first, std::min(rows.size(), first + per_column));
  }
  return Section("sekwencje", heading, content + "</div>\n");
}

std::string CheckHtml(const ConversionResult& result) {
  const CheckSummary& check = result.check;
  std::string content = "<p>Wynik: <strong>" + CheckVerdictText(result) + "</strong>.</p>\n";
  if (check.ran) {
    content += "<p>Baza wynikowa została odczytana ponownie, niezależnie od konwersji. Błędy: " +
               HtmlNumber(check.failures) + ", ostrzeżenia: " + HtmlNumber(check.warnings) +
               ".</p>\n";
  }
  if (!check.lines.empty()) {
    std::string rows;
    for (const CheckLine& line : check.lines) rows += FindingRow(line);
    content +=
        "<table class=\"wide\"><thead><tr><th scope=\"col\">Rodzaj</th><th scope=\"col\">Plik"
        "</th><th scope=\"col\">Co sprawdzenie wykazało</th><th scope=\"col\" class=\"n\">"
        "Rekordów</th><th scope=\"col\">Przykłady</th></tr></thead><tbody>\n" +
        rows + "</tbody></table>\n";
  }
  return Section("sprawdzenie", "Sprawdzenie bazy wynikowej", content);
}

}  // namespace konwerter::app
