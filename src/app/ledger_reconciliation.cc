#include "app/ledger_reconciliation.h"

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "app/report/report_files.h"
#include "platform/text_encoding.h"
#include "source/source_tables.h"

namespace konwerter::app {

namespace {

namespace fs = std::filesystem;
using verification::DatabaseCheck;
using verification::FindingKind;

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string Text(std::string_view utf8) {
  return platform::Cp1250FromUtf8(utf8);
}

// The fields of one line of the ledger file: ";"-separated, quoted where needed.
std::vector<std::string> LedgerFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

// Rows of skipped records in the ledger file, per source table and target table.
std::map<std::pair<std::string, std::string>, std::uint64_t> SkippedRows(const fs::path& file) {
  std::map<std::pair<std::string, std::string>, std::uint64_t> rows;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  std::getline(in, line);  // the header row
  constexpr std::size_t kSource = 0, kTarget = 3, kEvent = 4;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = LedgerFields(line);
    if (fields.size() <= kEvent || fields[kEvent] != "pominięty") continue;
    ++rows[{fields[kSource], fields[kTarget]}];
  }
  return rows;
}

// Where a DOS table of the summary lies now: as the summary names it, or under `dos_folder`
// at the same place relative to the installation the conversion read.
fs::path DosTable(const fs::path& named, const fs::path& installation, const fs::path& dos_folder) {
  std::error_code ignored;
  if (fs::exists(named, ignored)) return named;
  const fs::path root = fs::exists(dos_folder / "SYSTEM", ignored) ? dos_folder : dos_folder / "..";
  return (root / named.lexically_relative(installation)).lexically_normal();
}

// The whole records of a DOS table as the converters' reader counts them; nothing when it
// cannot be read.
std::optional<std::uint64_t> DosRecordCount(const fs::path& table) {
  source::CodePages pages;
  source::SourceTables tables(pages);
  const source::TableHandle handle = tables.Open(platform::Cp1250FromUtf8(Utf8(table)));
  if (handle == 0) return std::nullopt;
  const std::uint64_t count = tables.RecordCount(handle);
  tables.Close(handle);
  return count;
}

class Reconciliation {
 public:
  Reconciliation(fs::path report, fs::path dos_folder, DatabaseCheck& check)
      : report_(std::move(report)), dos_folder_(std::move(dos_folder)), check_(check) {}

  void Run();

 private:
  void Account(const nlohmann::json& table, const fs::path& installation);
  void Mismatch(const fs::path& file, const std::string& target, std::string what) {
    check_.Add(FindingKind::kLedgerMismatch, file, 0, platform::Cp1250FromUtf8(target),
               std::move(what));
  }

  fs::path report_;
  fs::path dos_folder_;
  DatabaseCheck& check_;
  std::map<std::pair<std::string, std::string>, std::uint64_t> skipped_rows_;
};

void Reconciliation::Run() {
  const fs::path summary_file = report_ / std::string(kSummaryFileName);
  const fs::path ledger_file = report_ / std::string(kLedgerFileName);
  std::ifstream summary_in(summary_file, std::ios::binary);
  const nlohmann::json summary = nlohmann::json::parse(summary_in, nullptr, false);
  if (summary.is_discarded() || !summary.contains("tables")) {
    Mismatch(summary_file, {}, Text("brak podsumowania konwersji albo nie da się go odczytać"));
    return;
  }
  std::error_code ignored;
  if (!fs::exists(ledger_file, ignored)) {
    Mismatch(ledger_file, {}, Text("brak rejestru rekordów konwersji"));
    return;
  }
  skipped_rows_ = SkippedRows(ledger_file);
  const fs::path installation =
      PathOf(summary.value("input", std::string())).lexically_normal().parent_path().parent_path();
  for (const nlohmann::json& table : summary["tables"]) Account(table, installation);
}

void Reconciliation::Account(const nlohmann::json& table, const fs::path& installation) {
  if (!table["source"].is_string()) return;  // a table built from other tables
  const std::string source = table["source"].get<std::string>();
  const std::string target = table["target"].get<std::string>();
  const std::uint64_t read = table["records_read"];
  const std::uint64_t written = table["records_written"];
  const std::uint64_t skipped = table["records_skipped"];
  const fs::path dos_table = DosTable(PathOf(source), installation, dos_folder_);
  const std::string target_name = Utf8(PathOf(target).filename());
  if (read != written + skipped) {
    Mismatch(dos_table, target_name,
             Text("odczytane ") + std::to_string(read) + Text(" to nie zapisane ") +
                 std::to_string(written) + Text(" + pominięte ") + std::to_string(skipped));
  }
  const auto rows = skipped_rows_.find({source, target});
  const std::uint64_t ledger_rows = rows == skipped_rows_.end() ? 0 : rows->second;
  if (ledger_rows != skipped) {
    Mismatch(dos_table, target_name,
             Text("pominięte ") + std::to_string(skipped) + Text(", wierszy w rejestrze: ") +
                 std::to_string(ledger_rows));
  }
  const std::optional<std::uint64_t> records = DosRecordCount(dos_table);
  if (!records) {
    Mismatch(dos_table, target_name, Text("nie można odczytać tabeli DOS"));
  } else if (*records != read && read != 0) {
    Mismatch(dos_table, target_name,
             Text("tabela DOS ma rekordów ") + std::to_string(*records) + Text(", odczytano ") +
                 std::to_string(read));
  }
}

}  // namespace

void ReconcileLedger(const fs::path& output_folder, const fs::path& dos_folder,
                     DatabaseCheck& check) {
  Reconciliation(output_folder / std::string(kReportFolderName), dos_folder, check).Run();
}

}  // namespace konwerter::app
