#include "app/report/summary_json.h"

#include <cstdio>

#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"

namespace konwerter::app {

namespace {

using platform::Utf8FromCp1250;

// A program path as the host names it: separators of this system, letter case as on disk.
std::string HostName(const std::string& program_path) {
  if (program_path.empty()) return {};
  return Utf8FromCp1250(platform::HostForm(program_path));
}

nlohmann::json ReasonCounts(const run::TableAccount& account) {
  nlohmann::json skipped = nlohmann::json::object();
  for (std::size_t i = 0; i < run::kSkipReasonCount; ++i) {
    if (account.skipped_by_reason[i] == 0) continue;
    skipped[std::string(run::SkipCode(static_cast<run::SkipReason>(i)))] =
        account.skipped_by_reason[i];
  }
  return skipped;
}

nlohmann::json ChangeCounts(const run::TableAccount& account) {
  nlohmann::json altered = nlohmann::json::object();
  for (std::size_t i = 0; i < run::kValueChangeCount; ++i) {
    if (account.altered_by_change[i] == 0) continue;
    altered[std::string(run::ChangeCode(static_cast<run::ValueChange>(i)))] =
        account.altered_by_change[i];
  }
  return altered;
}

nlohmann::json TablesJson(const run::RunReport& report) {
  nlohmann::json tables = nlohmann::json::array();
  for (const run::TableAccount& account : report.accounts) {
    tables.push_back(
        {{"target", HostName(account.target_path)},
         {"source", account.source_path.empty() ? nlohmann::json(nullptr)
                                                : nlohmann::json(HostName(account.source_path))},
         {"records_read", account.read},
         {"records_written", account.written},
         {"records_skipped", account.skipped},
         {"records_deleted", account.deleted},
         {"values_altered", account.altered()},
         {"target_records", account.target_records},
         {"skipped_by_reason", ReasonCounts(account)},
         {"altered_by_change", ChangeCounts(account)}});
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
    warnings.push_back({{"file", Utf8FromCp1250(warning.file)},
                        {"text", Utf8FromCp1250(run::WarningText(warning))}});
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

// Numbers too wide for their fields, per target table.
nlohmann::json OverflowsJson(const run::RunReport& report) {
  nlohmann::json overflows = nlohmann::json::object();
  constexpr auto kTooWide = static_cast<std::size_t>(run::ValueChange::kNumberTooWide);
  for (const run::TableAccount& account : report.accounts) {
    if (account.altered_by_change[kTooWide] == 0) continue;
    const std::string target = HostName(account.target_path);
    overflows[target] =
        overflows.value(target, std::uint64_t{0}) + account.altered_by_change[kTooWide];
  }
  return overflows;
}

nlohmann::json LedgerJson(const ConversionResult& result) {
  std::array<std::uint64_t, run::kSkipReasonCount> skipped{};
  std::array<std::uint64_t, run::kValueChangeCount> altered{};
  for (const run::TableAccount& account : result.report.accounts) {
    for (std::size_t i = 0; i < skipped.size(); ++i) skipped[i] += account.skipped_by_reason[i];
    for (std::size_t i = 0; i < altered.size(); ++i) altered[i] += account.altered_by_change[i];
  }
  nlohmann::json by_reason = nlohmann::json::object();
  for (std::size_t i = 0; i < skipped.size(); ++i) {
    if (skipped[i] != 0)
      by_reason[std::string(run::SkipCode(static_cast<run::SkipReason>(i)))] = skipped[i];
  }
  nlohmann::json by_change = nlohmann::json::object();
  for (std::size_t i = 0; i < altered.size(); ++i) {
    if (altered[i] != 0)
      by_change[std::string(run::ChangeCode(static_cast<run::ValueChange>(i)))] = altered[i];
  }
  return {{"file", HostName(result.ledger_path)},
          {"rows", result.report.ledger_rows},
          {"skipped", by_reason},
          {"altered", by_change}};
}

nlohmann::json CheckJson(const CheckSummary& check) {
  nlohmann::json findings = nlohmann::json::array();
  for (const CheckLine& line : check.lines) {
    nlohmann::json examples = nlohmann::json::array();
    for (const std::string& example : line.examples) examples.push_back(Utf8FromCp1250(example));
    findings.push_back({{"severity", line.failure ? "failure" : "warning"},
                        {"file", Utf8FromCp1250(line.file)},
                        {"what", Utf8FromCp1250(line.what)},
                        {"count", line.count},
                        {"examples", examples}});
  }
  return {{"ran", check.ran},
          {"passed", check.passed()},
          {"failures", check.failures},
          {"warnings", check.warnings},
          {"findings", findings}};
}

nlohmann::json OptionsJson(const ConversionResult& result) {
  const run::RunOptions& options = result.options;
  const run::SegmentOneOptions& segment = options.segment_one;
  return {{"renumber_communes", options.renumber_communes},
          {"delete_unlinked_persons", options.delete_unlinked_persons},
          {"delete_unlinked_works", options.delete_unlinked_works},
          {"delete_unlinked_assortments", options.delete_unlinked_assortments},
          {"delete_unlinked_precincts", options.delete_unlinked_precincts},
          {"delete_unlinked_parcels", options.delete_unlinked_parcels},
          {"segment_one",
           {{"oper_pr", segment.oper_pr},
            {"oper_bu", segment.oper_bu},
            {"oper_prz", segment.oper_prz},
            {"szkice", segment.szkice},
            {"zarysy", segment.zarysy},
            {"kme", segment.kme}}},
          {"rebuild_indexes", options.rebuild_indexes},
          {"strict", result.strict}};
}

std::string StartedText(const ConversionResult& result) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", result.date.year,
                result.date.month, result.date.day, result.time.hour, result.time.minute,
                result.time.second);
  return text;
}

}  // namespace

std::string_view OutcomeName(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kNotStarted:
      return "not_started";
    case RunOutcome::kDeclined:
      return "declined";
    case RunOutcome::kBadRenumberingFile:
      return "bad_renumbering_file";
    case RunOutcome::kNoSourceLock:
      return "no_source_lock";
    case RunOutcome::kNoDirectoryVariables:
      return "no_directory_variables";
    case RunOutcome::kOutputOverlapsSources:
      return "output_overlaps_sources";
    case RunOutcome::kSucceeded:
      return "converted";
    case RunOutcome::kSucceededWithWarnings:
      return "converted_with_warnings";
    case RunOutcome::kFailed:
    case RunOutcome::kAborted:
      return "failed";
  }
  return "unknown";
}

nlohmann::json SummaryJson(const ConversionResult& result) {
  return {{"format", kSummaryFormat},
          {"version", result.version},
          {"outcome", OutcomeName(result.outcome)},
          {"message", Utf8FromCp1250(result.message)},
          {"input", HostName(result.input_path)},
          {"output", HostName(result.output_path)},
          {"started", StartedText(result)},
          {"seconds", result.seconds},
          {"options", OptionsJson(result)},
          {"directories", DirectoriesJson(result.report)},
          {"tables", TablesJson(result.report)},
          {"warnings", WarningsJson(result.report)},
          {"sequence", SequenceJson(result.sequence_rows)},
          {"overflows", OverflowsJson(result.report)},
          {"ledger", LedgerJson(result)},
          {"check", CheckJson(result.check)},
          {"report", HostName(result.report_path)},
          {"stopped_at", Utf8FromCp1250(result.stopped_at)}};
}

}  // namespace konwerter::app
