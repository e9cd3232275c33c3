#include "app/report/report_html.h"

#include <cstdio>

#include "app/report/html_text.h"
#include "app/report/report_database_html.h"
#include "app/report/report_ledger_html.h"
#include "app/report/report_run_html.h"
#include "app/report/report_style.h"
#include "app/report/report_tables_html.h"

namespace konwerter::app {

namespace {

constexpr std::string_view kTitle = "Raport konwersji danych do systemu TEROKAN WINDOWS";

std::string StartedText(const ConversionResult& result) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", result.date.year, result.date.month,
                result.date.day, result.time.hour, result.time.minute);
  return text;
}

std::string Head(const ConversionResult& result) {
  return "<head><meta charset=\"utf-8\">"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
         "<meta name=\"generator\" content=\"konwerter\">" +
         Element("title", "Raport konwersji — " + HtmlHostPath(result.output_path) + " — " +
                              StartedText(result)) +
         Element("style", std::string(kReportStyle)) + "</head>\n";
}

std::string Contents() {
  constexpr std::pair<std::string_view, std::string_view> kSections[] = {
      {"przebieg", "Przebieg konwersji"},
      {"podsumowanie", "Podsumowanie"},
      {"katalogi", "Katalogi danych DOS"},
      {"tabele", "Tabele wynikowe"},
      {"ostrzezenia", "Ostrzeżenia"},
      {"rekordy", "Rekordy pominięte i zmienione wartości"},
      {"sekwencje", "Sekwencje identyfikatorów"},
      {"sprawdzenie", "Sprawdzenie bazy wynikowej"},
  };
  std::string items;
  for (const auto& [id, title] : kSections) {
    items += Element("li", "<a href=\"#" + std::string(id) + "\">" + std::string(title) + "</a>");
  }
  return "<nav aria-label=\"Spis treści\">" + Element("ol", items) + "</nav>\n";
}

}  // namespace

std::string ReportHtml(const ConversionResult& result) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"pl\">\n" + Head(result) + "<body>\n<header>" +
                     Element("h1", std::string(kTitle)) +
                     Element("p",
                             "Kartoteka wynikowa " + HostPathMarkup(result.output_path) + ", " +
                                 StartedText(result),
                             "class=\"subtitle\"") +
                     OutcomeHtml(result) + "</header>\n" + Contents() + "<main>\n";
  page += RunDetailsHtml(result, result.version);
  page += TotalsHtml(result);
  page += DirectoriesHtml(result);
  page += TablesHtml(result);
  page += WarningsHtml(result);
  page += LedgerHtml(result);
  page += SequenceHtml(result);
  page += CheckHtml(result);
  page += "</main>\n<footer>Raport zapisał program konwerter";
  if (const std::string& version = result.version; !version.empty()) {
    page += " " + HtmlEscape(version);
  }
  return page +
         ". Plik jest samodzielny: nie wymaga sieci ani skryptów.</footer>\n</body>\n"
         "</html>\n";
}

}  // namespace konwerter::app
