#include "app/report/report_html.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/report/count_bars.h"
#include "app/report/html_text.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"

namespace konwerter::app {
namespace {

using platform::Cp1250FromUtf8;
using ::testing::HasSubstr;
using ::testing::Not;

run::TableAccount Account(std::string target, std::string source, std::uint64_t read,
                          std::uint64_t written) {
  run::TableAccount account;
  account.target_path = std::move(target);
  account.source_path = std::move(source);
  account.read = read;
  account.written = written;
  account.skipped = read - written;
  account.target_records = written;
  return account;
}

// A run over a site whose folders and data hold every character a page must escape.
ConversionResult HandBuiltRun() {
  ConversionResult result;
  result.version = "1.4.0+<abc>";
  result.outcome = RunOutcome::kSucceededWithWarnings;
  result.message = Cp1250FromUtf8("Konwersja została zakończona z ostrzeżeniami (1).");
  result.input_path = "/dane/<dos>&\"stare\"/SYSTEM\\";
  result.output_path = "/wynik/<b>&\"nowe\"\\";
  result.report_path = result.output_path + "RAPORT\\raport.html";
  result.ledger_path = result.output_path + "RAPORT\\rekordy.csv";
  result.date = {2024, 3, 5};
  result.time = {14, 7, 9};
  result.seconds = 83.4;

  run::TableAccount metryka =
      Account(result.output_path + "BAZA\\KMZ\\Metryka.dbf", "/dane/mapy/metryka.dbf", 250, 242);
  metryka.deleted = 5;
  metryka.skipped_by_reason[static_cast<std::size_t>(run::SkipReason::kCancelled)] = 8;
  metryka.altered_by_change[static_cast<std::size_t>(run::ValueChange::kBadDate)] = 11;
  run::TableAccount osoby =
      Account(result.output_path + "BAZA\\OSOBY\\Osoby.dbf", "/dane/osoby/OSOBY.DBF", 404, 404);
  run::TableAccount ulice = Account(result.output_path + "BAZA\\OSOBY\\Ulice.dbf", "", 0, 0);
  ulice.target_records = 82;
  result.report.accounts = {metryka, osoby, ulice};

  result.report.directories = {{"BDGOSOBY", "F:\\TEROKAN\\<GOSOBY>\\", ""}};
  result.report.Warn({run::WarningKind::kValuesAltered,
                      "/dane/mapy/metryka.dbf",
                      11,
                      0,
                      {},
                      run::ValueChange::kBadDate});
  run::LedgerRow row;
  row.source_file = "/dane/mapy/metryka.dbf";
  row.record = 6;
  row.key = "</td><script>";
  row.target_table = metryka.target_path;
  row.event = run::LedgerEvent::kSkipped;
  row.skip = run::SkipReason::kCancelled;
  result.report.sample_rows = {row};
  result.report.ledger_rows = 19;
  result.sequence_rows = {{"METRYKA", 243}};
  return result;
}

TEST(HtmlTextTest, MarkupCharactersAndControlsStayText) {
  EXPECT_EQ(HtmlEscape("<a href=\"x\">&'</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;&lt;/a&gt;");
  EXPECT_EQ(HtmlEscape(std::string("a\0b\x1B", 4)),
            "a\xE2\x90\x80"
            "b\xE2\x90\x9B");
  EXPECT_EQ(HtmlEscape("1\r\n2\r3\n"), "1\n2\n3\n");
  EXPECT_EQ(HtmlEscape("\xC2\x81"), "\xEF\xBF\xBD");  // a C1 control
  EXPECT_EQ(HtmlText(Cp1250FromUtf8("Łódź & <Żółw>")), "Łódź &amp; &lt;Żółw&gt;");
}

TEST(CountBarsTest, BarsFollowTheScaleAndAnyRecordShows) {
  const std::string bars = CountBarsSvg(10000, 9999, 1, 10000);
  EXPECT_THAT(bars, HasSubstr("class=\"b-read\" x=\"0\" y=\"1\" width=\"160\""));
  EXPECT_THAT(bars, HasSubstr("class=\"b-written\" x=\"0\" y=\"10\" width=\"160\""));
  EXPECT_THAT(bars, HasSubstr("class=\"b-skipped\" x=\"0\" y=\"19\" width=\"1\""));
  EXPECT_THAT(bars, HasSubstr("aria-label=\"odczytane: 10000, zapisane: 9999, pominięte: 1\""));
  EXPECT_THAT(CountBarsSvg(8, 8, 0, 16), Not(HasSubstr("b-skipped")));
  EXPECT_THAT(CountBarsSvg(8, 8, 0, 16),
              HasSubstr("class=\"b-read\" x=\"0\" y=\"1\" width=\"80\""));
}

TEST(ReportHtmlTest, EveryPathAndTextIsEscaped) {
  const std::string page = ReportHtml(HandBuiltRun());
  EXPECT_THAT(page, HasSubstr("&lt;b&gt;&amp;&quot;nowe&quot;"));
  EXPECT_THAT(page, HasSubstr("&lt;dos&gt;&amp;&quot;stare&quot;"));
  EXPECT_THAT(page, HasSubstr("F:\\<wbr>TEROKAN\\<wbr>&lt;GOSOBY&gt;"));
  EXPECT_THAT(page, HasSubstr("&lt;/td&gt;&lt;script&gt;"));
  for (const char* raw : {"<b>", "\"nowe\"", "<dos>", "<GOSOBY>", "<script", "</td><script>"}) {
    EXPECT_THAT(page, Not(HasSubstr(raw))) << raw;
  }
}

TEST(ReportHtmlTest, StandsAloneWithoutScriptOrNetwork) {
  const std::string page = ReportHtml(HandBuiltRun());
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"pl\">", 0), 0u);
  EXPECT_THAT(page, HasSubstr("<meta charset=\"utf-8\">"));
  EXPECT_THAT(page, HasSubstr("@page { size: A4;"));
  for (const char* fetched : {"<script", "src=", "<link", "@import", "url(", "https:"}) {
    EXPECT_THAT(page, Not(HasSubstr(fetched))) << fetched;
  }
  // The only address is the name of SVG's namespace, which nothing fetches.
  std::string rest = page;
  for (std::size_t at; (at = rest.find("http://www.w3.org/2000/svg")) != std::string::npos;) {
    rest.erase(at, 26);
  }
  EXPECT_THAT(rest, Not(HasSubstr("http")));
}

TEST(ReportHtmlTest, TablesStandInTheirGroupsWithTheirNumbers) {
  const std::string page = ReportHtml(HandBuiltRun());
  const std::size_t kmz = page.find("KMZ — rejestr dokumentacji mapowej");
  const std::size_t osoby = page.find("OSOBY — osoby");
  ASSERT_NE(kmz, std::string::npos);
  ASSERT_NE(osoby, std::string::npos);
  EXPECT_LT(kmz, page.find(">Metryka.dbf<"));
  EXPECT_LT(page.find(">Metryka.dbf<"), osoby);
  EXPECT_LT(osoby, page.find(">Osoby.dbf<"));
  EXPECT_THAT(page, HasSubstr("<td class=\"n\">250</td><td class=\"n\">242</td>"
                              "<td class=\"n\">8</td><td class=\"n\">5</td><td class=\"n\">11</td>"
                              "<td class=\"n\">242</td>"));
  // The reasons of the skipped records lead to their rows; a table built from others
  // shows its records alone.
  EXPECT_THAT(page, HasSubstr("<a href=\"#p-anulowany\">anulowany</a> 8"));
  EXPECT_THAT(page, HasSubstr("<a href=\"#z-zla_data\">zla_data</a> 11"));
  EXPECT_THAT(page, HasSubstr("zbudowana z innych tabel</span></th><td class=\"none\" "
                              "colspan=\"4\">—</td><td class=\"n\">0</td><td class=\"n\">82</td>"));
  // Group totals, and the whole run's.
  EXPECT_THAT(page, HasSubstr("<th scope=\"row\">Razem</th><td class=\"n\">404</td>"));
  EXPECT_THAT(page, HasSubstr("<dt>Rekordy źródłowe odczytane</dt><dd>654</dd>"));
  EXPECT_THAT(page, HasSubstr("Bilans rekordów zgodny"));
}

TEST(ReportHtmlTest, TheLedgerShowsItsReasonsWithTheirFirstRows) {
  const std::string page = ReportHtml(HandBuiltRun());
  const std::string cancelled = HtmlText(run::SkipText(run::SkipReason::kCancelled));
  EXPECT_THAT(page, HasSubstr("<h3 id=\"p-anulowany\"><code>anulowany</code> — " + cancelled));
  EXPECT_THAT(page, HasSubstr("Rekordów: 8; pierwsze 1 poniżej, wszystkie w rekordy.csv"));
  EXPECT_THAT(page, HasSubstr("<a href=\"rekordy.csv\">rekordy.csv</a>"));
  EXPECT_THAT(page, HasSubstr("<h3 id=\"z-zla_data\"><code>zla_data</code>"));
  EXPECT_THAT(page, HasSubstr("Wartości: 11; przykładów nie zapisano."));
  EXPECT_THAT(page, HasSubstr(HtmlText(run::ChangeText(run::ValueChange::kBadDate))));
}

TEST(ReportHtmlTest, TheRunItselfIsDescribed) {
  const std::string page = ReportHtml(HandBuiltRun());
  EXPECT_THAT(page, HasSubstr("<div class=\"outcome warn\""));
  EXPECT_THAT(page, HasSubstr("Konwersja zakończona z ostrzeżeniami</p>"));
  EXPECT_THAT(page, HasSubstr("2024-03-05, godz. 14:07:09"));
  EXPECT_THAT(page, HasSubstr("<dd>1 min 23 s</dd>"));
  EXPECT_THAT(page, HasSubstr("<dt>Usuń nie powiązane działki</dt><dd>tak</dd>"));
  EXPECT_THAT(page, HasSubstr("<td class=\"none\">nie znaleziony</td>"));
  EXPECT_THAT(page, HasSubstr("daty, które nie są datą (zapisane jako 1900.01.01): 11"));
  EXPECT_THAT(page, HasSubstr("<td class=\"mono\">METRYKA</td><td class=\"n\">243</td>"));
  // The version of the program that ran, in the run's facts and at the foot of the page.
  EXPECT_THAT(page, HasSubstr("<dt>Wersja programu</dt><dd>1.4.0+&lt;abc&gt;</dd>"));
  EXPECT_THAT(page, HasSubstr("Raport zapisał program konwerter 1.4.0+&lt;abc&gt;"));
}

TEST(ReportHtmlTest, AnUnknownVersionIsLeftOut) {
  ConversionResult result = HandBuiltRun();
  result.version.clear();
  const std::string page = ReportHtml(result);
  EXPECT_THAT(page, Not(HasSubstr("Wersja programu")));
  EXPECT_THAT(page, HasSubstr("Raport zapisał program konwerter. Plik"));
}

TEST(ReportHtmlTest, AFailedRunSaysWhereItStoppedAndThatTheCheckDidNotRun) {
  ConversionResult result = HandBuiltRun();
  result.outcome = RunOutcome::kFailed;
  result.message =
      Cp1250FromUtf8("Wystąpił błąd podczas konwersji:\r\nBłąd podczas otwarcia pliku");
  result.stopped_at = "kart_zam.dbf";
  const std::string page = ReportHtml(result);
  EXPECT_THAT(page, HasSubstr("<div class=\"outcome bad\""));
  EXPECT_THAT(page, HasSubstr("Konwersja nie powiodła się"));
  EXPECT_THAT(page, HasSubstr("Wystąpił błąd podczas konwersji:\nBłąd podczas otwarcia pliku"));
  EXPECT_THAT(page, HasSubstr("Konwersję przerwano podczas tworzenia tabeli: "
                              "<span class=\"path\">kart_zam.dbf</span>"));
  EXPECT_THAT(page, HasSubstr("Wynik: <strong>nie wykonano (konwersja nie została "
                              "zakończona)</strong>"));
}

TEST(ReportHtmlTest, TheCheckListsItsFindings) {
  ConversionResult result = HandBuiltRun();
  result.check.ran = true;
  result.check.failures = 1;
  result.check.lines = {{true,
                         "Osoby.dbf",
                         Cp1250FromUtf8("powtórzony identyfikator <Id_osoby>"),
                         2,
                         {"rekord 12: 0000001A"}}};
  const std::string page = ReportHtml(result);
  EXPECT_THAT(page, HasSubstr("Wynik: <strong>wykazało błędy: 1 (ostrzeżeń: 0)</strong>"));
  EXPECT_THAT(page, HasSubstr("<td>błąd</td><td><span class=\"path\">Osoby.dbf</span></td>"
                              "<td>powtórzony identyfikator &lt;Id_osoby&gt;</td>"
                              "<td class=\"n\">2</td><td><ul><li>rekord 12: 0000001A</li></ul>"));
  result.check = {.ran = true, .failures = 0, .warnings = 3, .lines = {}};
  EXPECT_THAT(ReportHtml(result), HasSubstr("Wynik: <strong>bez błędów (ostrzeżeń: 3)</strong>"));
}

}  // namespace
}  // namespace konwerter::app
