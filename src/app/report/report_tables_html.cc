#include "app/report/report_tables_html.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "app/report/count_bars.h"
#include "app/report/html_text.h"
#include "app/report/report_links.h"
#include "run/catalogue.h"

namespace konwerter::app {

namespace {

struct GroupName {
  std::string_view folder;
  std::string_view title;
};

// The groups in the order a run writes them.
constexpr std::array<GroupName, 13> kGroups = {{
    {"KMZ", "rejestr dokumentacji mapowej"},
    {"KME", "rejestr map"},
    {"ZARYSY", "zarysy"},
    {"OPER_PR", "operaty ewidencyjne"},
    {"OPER_BU", "operaty bazowo-użytkowe"},
    {"OPER_PRZ", "operaty przejściowe"},
    {"SZKICE", "szkice polowe"},
    {"OBROT", "obrót mapami"},
    {"ZLECENIA", "cenniki, zlecenia, rozliczenia, dowody KP, wzorce i współczynniki"},
    {"KERG", "rejestr robót i jego słowniki: gminy, działki, obręby, asortymenty, cechy"},
    {"OSOBY", "osoby"},
    {"ADMIN", "sekwencje identyfikatorów"},
    {"UKLADY", "układy współrzędnych"},
}};

// The last two parts of a program path: the group folder and the file name.
struct TargetName {
  std::string folder;
  std::string file;
};

TargetName SplitTarget(std::string_view program_path) {
  const std::size_t slash = program_path.find_last_of('\\');
  if (slash == std::string_view::npos) return {{}, std::string(program_path)};
  const std::string_view parent = program_path.substr(0, slash);
  const std::size_t before = parent.find_last_of('\\');
  return {std::string(before == std::string_view::npos ? parent : parent.substr(before + 1)),
          std::string(program_path.substr(slash + 1))};
}

struct Group {
  std::string folder;
  std::vector<const run::TableAccount*> accounts;
};

std::vector<Group> GroupsOf(const std::vector<run::TableAccount>& accounts) {
  std::vector<Group> groups;
  for (const run::TableAccount& account : accounts) {
    const std::string folder = SplitTarget(account.target_path).folder;
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const Group& held) { return held.folder == folder; });
    if (group == groups.end()) group = groups.insert(groups.end(), Group{folder, {}});
    group->accounts.push_back(&account);
  }
  return groups;
}

std::string NumberCell(std::uint64_t value) {
  return Element("td", HtmlNumber(value), "class=\"n\"");
}

// "pominięte: anulowany 4, brak_klucza 4; zmienione: zla_data 11", each code a link to its
// rows in the ledger section.
std::string ReasonsLine(const run::TableAccount& account) {
  std::string skipped;
  for (std::size_t i = 0; i < run::kSkipReasonCount; ++i) {
    if (account.skipped_by_reason[i] == 0) continue;
    const std::string code(run::SkipCode(static_cast<run::SkipReason>(i)));
    if (!skipped.empty()) skipped += ", ";
    skipped.append("<a href=\"#p-").append(code).append("\">").append(code).append("</a> ");
    skipped += HtmlNumber(account.skipped_by_reason[i]);
  }
  std::string altered;
  for (std::size_t i = 0; i < run::kValueChangeCount; ++i) {
    if (account.altered_by_change[i] == 0) continue;
    const std::string code(run::ChangeCode(static_cast<run::ValueChange>(i)));
    if (!altered.empty()) altered += ", ";
    altered.append("<a href=\"#z-").append(code).append("\">").append(code).append("</a> ");
    altered += HtmlNumber(account.altered_by_change[i]);
  }
  std::string line;
  if (!skipped.empty()) line += "pominięte: " + skipped;
  if (!altered.empty()) line += (line.empty() ? "" : "; ") + std::string("zmienione: ") + altered;
  return line.empty() ? line : Element("span", line, "class=\"why\"");
}

std::string AccountRow(const run::TableAccount& account, std::uint64_t scale) {
  std::string name =
      Element("span", HtmlText(SplitTarget(account.target_path).file), "class=\"target mono\"");
  if (account.source_path.empty()) {
    name += Element("span", "zbudowana z innych tabel", "class=\"source derived\"");
    return "<tr>" + Element("th", name + ReasonsLine(account), "scope=\"row\"") +
           "<td class=\"none\" colspan=\"4\">—</td>" + NumberCell(account.altered()) +
           NumberCell(account.target_records) + "<td class=\"chart\"></td></tr>\n";
  }
  name += Element("span", "← " + HostPathMarkup(account.source_path), "class=\"source\"");
  return "<tr>" + Element("th", name + ReasonsLine(account), "scope=\"row\"") +
         NumberCell(account.read) + NumberCell(account.written) + NumberCell(account.skipped) +
         NumberCell(account.deleted) + NumberCell(account.altered()) +
         NumberCell(account.target_records) +
         Element("td", CountBarsSvg(account.read, account.written, account.skipped, scale),
                 "class=\"chart\"") +
         "</tr>\n";
}

constexpr std::string_view kTableHead =
    "<thead><tr><th scope=\"col\">Tabela wynikowa ← źródło</th>"
    "<th scope=\"col\" class=\"n\">Odczytane</th><th scope=\"col\" class=\"n\">Zapisane</th>"
    "<th scope=\"col\" class=\"n\">Pominięte</th>"
    "<th scope=\"col\" class=\"n\">Oznaczone jako usunięte</th>"
    "<th scope=\"col\" class=\"n\">Zmienione wartości</th>"
    "<th scope=\"col\" class=\"n\">Rekordów w tabeli</th><th scope=\"col\">Wykres</th></tr>"
    "</thead>\n";

std::string GroupHeading(const ConversionResult& result, const Group& group) {
  const std::string folder = HtmlText(group.folder);
  const std::string_view title = GroupTitle(group.folder);
  const std::string_view target = group.accounts.front()->target_path;
  const std::string_view folder_path = target.substr(0, target.find_last_of('\\') + 1);
  return Element("h3",
                 folder + (title.empty() ? "" : " — " + std::string(title)) +
                     " <span class=\"folder\">(" + OutputPathMarkup(result, folder_path) +
                     ")</span>",
                 "id=\"g-" + folder + "\"");
}

std::string GroupTotals(const Group& group) {
  std::uint64_t read = 0, written = 0, skipped = 0, deleted = 0, altered = 0;
  for (const run::TableAccount* account : group.accounts) {
    read += account->read;
    written += account->written;
    skipped += account->skipped;
    deleted += account->deleted;
    altered += account->altered();
  }
  return "<tbody class=\"total\"><tr><th scope=\"row\">Razem</th>" + NumberCell(read) +
         NumberCell(written) + NumberCell(skipped) + NumberCell(deleted) + NumberCell(altered) +
         "<td></td><td></td></tr></tbody>\n";
}

std::string GroupHtml(const ConversionResult& result, const Group& group) {
  std::uint64_t scale = 0;
  for (const run::TableAccount* account : group.accounts) scale = std::max(scale, account->read);
  std::string rows;
  for (const run::TableAccount* account : group.accounts) rows += AccountRow(*account, scale);
  return GroupHeading(result, group) + "<table class=\"wide accounts\">" + std::string(kTableHead) +
         "<tbody>\n" + rows + "</tbody>" +
         (group.accounts.size() > 1 ? GroupTotals(group) : std::string()) + "</table>\n";
}

}  // namespace

std::string_view GroupTitle(std::string_view folder) {
  std::string upper(folder);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  for (const GroupName& group : kGroups) {
    if (group.folder == upper) return group.title;
  }
  return {};
}

std::string TablesHtml(const ConversionResult& result) {
  if (result.report.accounts.empty()) {
    return Section("tabele", "Tabele wynikowe", "<p>Nie zapisano żadnej tabeli.</p>\n");
  }
  std::string content =
      "<p>Każdy wiersz to jedno przejście tabeli źródłowej systemu DOS do tabeli wynikowej: "
      "rekordy odczytane, zapisane i pominięte (odczytane = zapisane + pominięte), rekordy "
      "oznaczone jako usunięte (przeniesione tak, jak pokazuje je system DOS), wartości "
      "zapisane inaczej, niż były w danych źródłowych, oraz liczba rekordów tabeli "
      "wynikowej. Kody przyczyn prowadzą do przykładów w części "
      "<a href=\"#rekordy\">Rekordy pominięte i zmienione wartości</a>.</p>\n" +
      CountBarsLegend();
  for (const Group& group : GroupsOf(result.report.accounts)) content += GroupHtml(result, group);
  return Section("tabele", "Tabele wynikowe", content);
}

}  // namespace konwerter::app
