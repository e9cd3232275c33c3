#include "app/cli/conversion_summary.h"

#include <algorithm>
#include <iomanip>

#include "app/version.h"
#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::cli {

namespace {

using platform::Utf8FromCp1250;

// A program path as the host names it: separators of this system, letter case as on disk.
std::string HostName(const std::string& program_path) {
  return platform::HostPath(program_path).lexically_normal().string();
}

nlohmann::json TablesJson(const run::RunReport& report) {
  nlohmann::json tables = nlohmann::json::array();
  for (const run::TableReport& table : report.tables) {
    tables.push_back({{"target", HostName(table.target_path)},
                      {"source", HostName(table.source_path)},
                      {"records_read", table.records_read},
                      {"records_written", table.records_written},
                      {"records_skipped", table.records_skipped}});
  }
  return tables;
}

nlohmann::json DirectoriesJson(const run::RunReport& report) {
  nlohmann::json directories = nlohmann::json::array();
  for (const run::DirectoryReport& directory : report.directories) {
    directories.push_back({{"name", Utf8FromCp1250(directory.name)},
                           {"value", Utf8FromCp1250(directory.value)},
                           {"resolved", Utf8FromCp1250(directory.resolved)}});
  }
  return directories;
}

nlohmann::json WarningsJson(const run::RunReport& report) {
  nlohmann::json warnings = nlohmann::json::array();
  for (const run::RunWarning& warning : report.warnings) {
    warnings.push_back(
        {{"file", Utf8FromCp1250(warning.file)}, {"text", Utf8FromCp1250(warning.text)}});
  }
  return warnings;
}

nlohmann::json SequenceJson(const std::vector<target::SequenceRow>& rows) {
  nlohmann::json sequence = nlohmann::json::array();
  for (const target::SequenceRow& row : rows) {
    sequence.push_back({{"table", Utf8FromCp1250(row.name)}, {"next_value", row.next_value}});
  }
  return sequence;
}

// The warnings grouped per file, and a last line saying the conversion ended with them.
void PrintWarnings(const app::ConversionResult& result, std::ostream& out) {
  const std::vector<run::RunWarning>& warnings = result.report.warnings;
  if (warnings.empty()) return;
  out << "Ostrzeżenia:\n";
  std::vector<std::string> files;
  for (const run::RunWarning& warning : warnings) {
    if (std::find(files.begin(), files.end(), warning.file) != files.end()) continue;
    files.push_back(warning.file);
    out << "  " << Utf8FromCp1250(warning.file) << ":\n";
    for (const run::RunWarning& same : warnings) {
      if (same.file == warning.file) out << "    - " << Utf8FromCp1250(same.text) << "\n";
    }
  }
  if (result.outcome == app::RunOutcome::kSucceededWithWarnings) {
    out << "Konwersja została zakończona z ostrzeżeniami (" << warnings.size() << ").\n";
  }
}

}  // namespace

std::string_view OutcomeName(app::RunOutcome outcome) {
  switch (outcome) {
    case app::RunOutcome::kNotStarted:
      return "not_started";
    case app::RunOutcome::kDeclined:
      return "declined";
    case app::RunOutcome::kBadRenumberingFile:
      return "bad_renumbering_file";
    case app::RunOutcome::kNoSourceLock:
      return "no_source_lock";
    case app::RunOutcome::kNoDirectoryVariables:
      return "no_directory_variables";
    case app::RunOutcome::kOutputOverlapsSources:
      return "output_overlaps_sources";
    case app::RunOutcome::kSucceeded:
      return "converted";
    case app::RunOutcome::kSucceededWithWarnings:
      return "converted_with_warnings";
    case app::RunOutcome::kFailed:
    case app::RunOutcome::kAborted:
      return "failed";
  }
  return "unknown";
}

nlohmann::json SummaryJson(const app::ConversionResult& result) {
  nlohmann::json overflows = nlohmann::json::object();
  for (const auto& [table, count] : result.overflows) overflows[Utf8FromCp1250(table)] = count;
  return {{"version", app::VersionText()},
          {"outcome", OutcomeName(result.outcome)},
          {"message", Utf8FromCp1250(result.message)},
          {"input", Utf8FromCp1250(result.input_path)},
          {"output", Utf8FromCp1250(result.output_path)},
          {"directories", DirectoriesJson(result.report)},
          {"tables", TablesJson(result.report)},
          {"warnings", WarningsJson(result.report)},
          {"sequence", SequenceJson(result.sequence_rows)},
          {"overflows", overflows}};
}

void PrintSummary(const app::ConversionResult& result, std::ostream& out) {
  out << "Wynik: " << OutcomeName(result.outcome) << "\n";
  if (!result.report.directories.empty()) out << "Katalogi danych DOS:\n";
  for (const run::DirectoryReport& directory : result.report.directories) {
    const std::string resolved = directory.resolved.empty() ? std::string("(nie znaleziony)")
                                                            : Utf8FromCp1250(directory.resolved);
    out << "  " << Utf8FromCp1250(directory.name) << " = " << Utf8FromCp1250(directory.value)
        << " -> " << resolved << "\n";
  }
  if (!result.report.tables.empty()) out << "Tabele (odczytane / zapisane / pominięte rekordy):\n";
  for (const run::TableReport& table : result.report.tables) {
    out << "  " << HostName(table.target_path) << " <- " << HostName(table.source_path) << "  "
        << table.records_read << " / " << table.records_written << " / " << table.records_skipped
        << "\n";
  }
  if (!result.sequence_rows.empty()) out << "Dostep.dbf:\n";
  for (const target::SequenceRow& row : result.sequence_rows) {
    out << "  " << std::left << std::setw(16) << Utf8FromCp1250(row.name) << row.next_value << "\n";
  }
  for (const auto& [table, count] : result.overflows) {
    out << "Liczby za szerokie dla pola (" << Utf8FromCp1250(table) << "): " << count << "\n";
  }
  PrintWarnings(result, out);
}

}  // namespace konwerter::cli
