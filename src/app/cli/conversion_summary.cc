#include "app/cli/conversion_summary.h"

#include <iomanip>

#include "app/report/summary_json.h"
#include "app/self_check.h"
#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::cli {

namespace {

using platform::Utf8FromCp1250;

// A program path as the host names it.
std::string HostName(const std::string& program_path) {
  return Utf8FromCp1250(platform::HostForm(program_path));
}

void PrintDirectories(const run::RunReport& report, std::ostream& out) {
  if (!report.directories.empty()) out << "Katalogi danych DOS:\n";
  for (const run::DirectoryReport& directory : report.directories) {
    const std::string resolved = directory.resolved.empty() ? std::string("(nie znaleziony)")
                                                            : Utf8FromCp1250(directory.resolved);
    out << "  " << Utf8FromCp1250(directory.name) << " = " << Utf8FromCp1250(directory.value)
        << " -> " << resolved << "\n";
  }
}

void PrintAccount(const run::TableAccount& account, std::ostream& out) {
  out << "  " << HostName(account.target_path);
  if (account.source_path.empty()) {
    out << "  (zbudowana z innych tabel): " << account.target_records << "\n";
    return;
  }
  out << " <- " << HostName(account.source_path) << "  " << account.read << " / " << account.written
      << " / " << account.skipped;
  if (account.deleted != 0) out << "; oznaczone jako usunięte: " << account.deleted;
  if (account.altered() != 0) out << "; zmienione wartości: " << account.altered();
  out << "\n";
}

}  // namespace

void PrintSummary(const app::ConversionResult& result, std::ostream& out) {
  PrintDirectories(result.report, out);
  if (!result.report.accounts.empty()) {
    out << "Tabele (odczytane / zapisane / pominięte rekordy źródłowe):\n";
  }
  for (const run::TableAccount& account : result.report.accounts) PrintAccount(account, out);
  if (!result.sequence_rows.empty()) out << "Dostep.dbf:\n";
  for (const target::SequenceRow& row : result.sequence_rows) {
    out << "  " << std::left << std::setw(16) << Utf8FromCp1250(row.name) << row.next_value << "\n";
  }
  out << "Wynik: " << app::OutcomeName(result.outcome);
  if (!result.message.empty() && result.outcome != app::RunOutcome::kFailed) {
    out << " - " << Utf8FromCp1250(result.message);
  }
  out << "\n";
  if (result.check.ran) out << Utf8FromCp1250(app::CheckFact(result.check)) << "\n";
  if (!result.report_path.empty()) {
    out << "Raport konwersji: " << HostName(result.report_path) << "\n";
  }
  if (!result.ledger_path.empty()) {
    out << "Rekordy pominięte i zmienione wartości (" << result.report.ledger_rows
        << "): " << HostName(result.ledger_path) << "\n";
  }
}

}  // namespace konwerter::cli
