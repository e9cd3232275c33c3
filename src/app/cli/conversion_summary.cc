#include "app/cli/conversion_summary.h"

#include <iomanip>

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
                      {"records_written", table.records_written}});
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

nlohmann::json SequenceJson(const std::vector<target::SequenceRow>& rows) {
  nlohmann::json sequence = nlohmann::json::array();
  for (const target::SequenceRow& row : rows) {
    sequence.push_back({{"table", Utf8FromCp1250(row.name)}, {"next_value", row.next_value}});
  }
  return sequence;
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
    case app::RunOutcome::kSucceeded:
      return "succeeded";
    case app::RunOutcome::kFailed:
      return "failed";
    case app::RunOutcome::kAborted:
      return "aborted";
  }
  return "unknown";
}

nlohmann::json SummaryJson(const app::ConversionResult& result) {
  nlohmann::json overflows = nlohmann::json::object();
  for (const auto& [table, count] : result.overflows) overflows[Utf8FromCp1250(table)] = count;
  return {{"outcome", OutcomeName(result.outcome)},
          {"message", Utf8FromCp1250(result.message)},
          {"input", Utf8FromCp1250(result.input_path)},
          {"output", Utf8FromCp1250(result.output_path)},
          {"directories", DirectoriesJson(result.report)},
          {"tables", TablesJson(result.report)},
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
  if (!result.report.tables.empty()) out << "Tabele (odczytane / zapisane rekordy):\n";
  for (const run::TableReport& table : result.report.tables) {
    out << "  " << HostName(table.target_path) << " <- " << HostName(table.source_path) << "  "
        << table.records_read << " / " << table.records_written << "\n";
  }
  if (!result.sequence_rows.empty()) out << "Dostep.dbf:\n";
  for (const target::SequenceRow& row : result.sequence_rows) {
    out << "  " << std::left << std::setw(16) << Utf8FromCp1250(row.name) << row.next_value << "\n";
  }
  for (const auto& [table, count] : result.overflows) {
    out << "Liczby za szerokie dla pola (" << Utf8FromCp1250(table) << "): " << count << "\n";
  }
}

}  // namespace konwerter::cli
