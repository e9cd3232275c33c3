#include "app/conversion_driver.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <optional>

#include "app/converter_steps.h"
#include "app/progress_bars.h"
#include "app/report/report_files.h"
#include "app/self_check.h"
#include "app/version.h"
#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "renumber/renumbering_file.h"
#include "run/catalogue.h"
#include "run/ledger_file.h"
#include "run/messages.h"
#include "run/output_guard.h"
#include "run/prechecks.h"
#include "run/run_context.h"
#include "run/table_sizing.h"
#include "settings/settings_file.h"
#include "source/transliteration.h"
#include "target/identifier.h"

namespace konwerter::app {

namespace {

bool ConfirmOverwrite(platform::OperatorMessages& messages) {
  return messages.Show(run::OverwriteQuestion()) != platform::MessageAnswer::kNo;
}

// The warnings of a run grouped per file, in the order the files were first met.
std::vector<platform::MessageDetailGroup> WarningGroups(
    const std::vector<run::RunWarning>& warnings) {
  std::vector<platform::MessageDetailGroup> groups;
  for (const run::RunWarning& warning : warnings) {
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const auto& held) { return held.heading == warning.file; });
    if (group == groups.end()) group = groups.insert(groups.end(), {warning.file, {}});
    group->lines.push_back(run::WarningText(warning));
  }
  return groups;
}

// The warnings as lines of text, grouped per file, for a failure under strict control.
std::string WarningList(const std::vector<run::RunWarning>& warnings) {
  std::string text;
  for (const platform::MessageDetailGroup& group : WarningGroups(warnings)) {
    text += "\r\n" + group.heading + ":";
    for (const std::string& line : group.lines) text += "\r\n  - " + line;
  }
  return text;
}

// The counts of a run: tables written, source records read, written and skipped, warnings,
// the check of the converted database, and where a failed run stopped.
std::vector<std::string> RunFacts(const ConversionResult& result) {
  std::uint64_t read = 0, written = 0, skipped = 0, tables = 0;
  std::string last_target;
  for (const run::TableAccount& account : result.report.accounts) {
    read += account.read;
    written += account.written;
    skipped += account.skipped;
    if (account.target_path != last_target) ++tables;
    last_target = account.target_path;
  }
  std::vector<std::string> facts = {run::TablesFact(tables),
                                    run::RecordsFact(read, written, skipped),
                                    run::WarningsFact(result.report.warnings.size())};
  facts.push_back(CheckFact(result.check));
  if (!result.stopped_at.empty()) {
    facts.push_back(run::StoppedAtFact(result.stopped_at));
  }
  return facts;
}

// Values altered and records found damaged become the run's warnings, per file: the source
// table, or the dictionary or index an alteration concerns.
void CollectLedgerWarnings(run::RunContext& context) {
  for (const run::AlterationTally& tally : context.ledger.alteration_tallies()) {
    const bool names_file = !tally.detail.empty();
    context.report.Warn({run::WarningKind::kValuesAltered,
                         platform::HostForm(names_file ? tally.detail : tally.file),
                         tally.count,
                         0,
                         {},
                         tally.change});
  }
  for (const auto& [file, count] : context.ledger.damaged_records()) {
    context.report.Warn({run::WarningKind::kRecordsDamaged, platform::HostForm(file), count});
  }
}

// Steps 9 to 22 of a run, with the source lock held: everything that reads the sources and
// writes the output. Returns the outcome; the caller's cleanup runs whatever happens.
using Started = std::chrono::steady_clock::time_point;

double SecondsSince(Started started) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// The folder of the run's report, ledger and summary: the one the operator named, or
// RAPORT under the output folder.
std::string ReportFolder(const ConversionRequest& request, const run::RunContext& context) {
  if (!request.report_folder.empty()) return platform::WithTrailingBackslash(request.report_folder);
  return context.output_path + std::string(kReportFolderName) + "\\";
}

class Run {
 public:
  Run(run::RunContext& context, const ConversionRequest& request, ConversionResult& result,
      const ProgressBars& bars, Started started)
      : context_(context), request_(request), result_(result), bars_(bars), started_(started) {}

  RunOutcome Convert();

 private:
  bool OutputStandsApart();
  void OpenLedger();
  void RunSteps();
  RunOutcome Finish();
  RunOutcome Outcome();
  void Show(platform::OperatorMessage message);

  run::RunContext& context_;
  const ConversionRequest& request_;
  ConversionResult& result_;
  const ProgressBars& bars_;
  const Started started_;
  std::unique_ptr<run::LedgerFile> ledger_file_;
};

RunOutcome Run::Convert() {
  auto entries = run::ReadSourceDirectoryVariables(context_.input_path, context_.code_pages,
                                                   context_.messages, &context_.report);
  if (!entries) return RunOutcome::kNoDirectoryVariables;
  context_.directories =
      run::SourceDirectories(std::move(*entries), context_.input_path, request_.drives);
  context_.report.directories = context_.directories.report();
  if (!OutputStandsApart()) return RunOutcome::kOutputOverlapsSources;
  source::DetectSourceCodePage(context_.input_path, context_.code_pages);
  run::ReadSiteSettings(context_.input_path, context_.code_pages, context_.messages,
                        context_.session.site_settings, &context_.report);
  context_.source_tables.ResetSlots();

  context_.sequence = std::make_unique<target::SequenceTable>(
      context_.engine(), context_.output_path, context_.messages);
  context_.creator_identifier = target::CreatorIdentifier(context_.clock.Today());
  context_.status.Clear();
  OpenLedger();
  RunSteps();
  return Finish();
}

// The installation (the SYSTEM folder's parent) and every folder a directory variable
// resolved to must stay apart from the output folder and the report folder; refused before
// anything is written.
bool Run::OutputStandsApart() {
  std::vector<std::string> sources{context_.input_path + "..\\"};
  for (const run::DirectoryReport& directory : context_.directories.report()) {
    sources.push_back(directory.resolved);
  }
  for (const std::string& folder : {context_.output_path, ReportFolder(request_, context_)}) {
    const run::OutputRefusal refusal = run::CheckOutputFolder(folder, sources);
    if (!refusal.refused()) continue;
    result_.message = refusal.text;
    context_.messages.Show(run::OutputRefused(refusal.text));
    return false;
  }
  return true;
}

void Run::OpenLedger() {
  const std::string folder = ReportFolder(request_, context_);
  platform::CreateFolders(folder);
  result_.ledger_path = folder + std::string(kLedgerFileName);
  ledger_file_ = std::make_unique<run::LedgerFile>(result_.ledger_path);
  context_.ledger.set_sink(ledger_file_.get());
}

// The sizing of the shared tables, the settings file, then every converter while the
// conversion status is clean, each failure read from its result.
void Run::RunSteps() {
  run::Result<source::SourceEdition> edition = run::SizeSharedTables(context_);
  if (edition) {
    context_.edition = *edition;
  } else {
    context_.status.Fail(run::FailureText(edition.error()));
  }
  settings::WriteSettingsFile(context_.output_path, context_.session.site_settings,
                              context_.session.renumbering, context_.options.renumber_communes);
  for (const ConverterStep& step : ConverterSteps()) {
    if (context_.status.ok()) {
      if (const run::Status done = step.convert(context_); !done) {
        std::string text = run::FailureText(done.error());
        // Which fields a table has depends on the edition: say how it was decided.
        if (done.error().kind == run::FailureKind::kFieldMissing) {
          text += "\r\n" + run::EditionText(context_.edition);
        }
        context_.status.Fail(text);
      }
    }
    if (step.pause_after) context_.progress.ConverterPause();
  }
}

RunOutcome Run::Finish() {
  context_.sequence->Close();
  result_.sequence_rows = context_.sequence->rows();
  const std::string sequence_path = context_.sequence->table().DbfPath();
  context_.sequence.reset();
  context_.ledger.OpenAccount(sequence_path, {});
  context_.ledger.SetTargetRecords(sequence_path, result_.sequence_rows.size());
  context_.ledger.set_sink(nullptr);
  ledger_file_->Close();
  CollectLedgerWarnings(context_);
  if (context_.status.ok()) {
    result_.check = CheckConvertedDatabase(context_.output_path);
    AddCheckWarnings(result_.check, context_.report);
    if (result_.check.failures > 0) {
      run::Failure check;
      check.kind = run::FailureKind::kCheckFailed;
      check.detail = std::to_string(result_.check.failures);
      context_.status.Fail(run::FailureText(check));
    }
  }
  return Outcome();
}

RunOutcome Run::Outcome() {
  const std::vector<run::RunWarning>& warnings = context_.report.warnings;
  if (context_.status.ok() && !warnings.empty() && request_.strict) {
    run::Failure strict;
    strict.kind = run::FailureKind::kStrictWarnings;
    strict.detail = std::to_string(warnings.size());
    context_.status.Fail(run::FailureText(strict) + WarningList(warnings));
  }
  RunOutcome outcome = RunOutcome::kSucceeded;
  platform::OperatorMessage end;
  if (!context_.status.ok()) {
    outcome = RunOutcome::kFailed;
    result_.stopped_at = bars_.current_table();
    end = run::ConversionFailed(context_.status.error());
  } else if (!warnings.empty()) {
    outcome = RunOutcome::kSucceededWithWarnings;
    end = run::ConversionEndedWithWarnings(warnings.size());
  } else {
    end = run::ConversionEnded();
  }
  result_.outcome = outcome;
  result_.message = end.text;
  Show(std::move(end));
  return outcome;
}

// The end of a run: the report is written first, so that the message can offer it.
void Run::Show(platform::OperatorMessage message) {
  result_.report = context_.report;
  result_.report.accounts = context_.ledger.accounts();
  result_.report.sample_rows = context_.ledger.sample_rows();
  result_.report.ledger_rows = context_.ledger.rows_written();
  result_.seconds = SecondsSince(started_);
  WriteReportFiles(ReportFolder(request_, context_), result_);
  message.facts = RunFacts(result_);
  message.details = WarningGroups(context_.report.warnings);
  message.report_path = result_.report_path;
  context_.messages.Show(message);
}

// The closing steps: the source lock goes, both bars return to 0, no source table stays open,
// the engine reports to no ledger.
struct Cleanup {
  run::RunContext& context;
  ProgressBars& bars;
  std::optional<platform::SourceLock>& lock;
  ~Cleanup() {
    context.engine().set_value_observer(nullptr);
    context.source_tables.ReleaseAll();
    context.sequence.reset();
    lock.reset();
    bars.Reset();
  }
};

}  // namespace

ConversionResult RunConversion(ConversionRequest& request, run::Session& session,
                               ProgressView& view, platform::OperatorMessages& messages,
                               const platform::Clock& clock) {
  const Started started = std::chrono::steady_clock::now();
  ConversionResult result;
  result.version = std::string(VersionText());
  result.options = request.options;
  result.strict = request.strict;
  result.date = clock.Today();
  result.time = clock.Now();
  if (request.input_folder.empty() || request.output_folder.empty()) return result;
  request.input_folder = platform::WithTrailingBackslash(request.input_folder);
  request.output_folder = platform::WithTrailingBackslash(request.output_folder);
  result.input_path = request.input_folder;
  result.output_path = request.output_folder;

  if (target::OutputHasData(session.engine, request.output_folder) && !ConfirmOverwrite(messages)) {
    result.outcome = RunOutcome::kDeclined;
    return result;
  }
  if (const auto fault =
          renumber::ReadRenumberingFile(request.renumbering_file, session.renumbering)) {
    messages.Show(
        run::BadRenumberingFile(request.renumbering_file, fault->line_number, fault->line));
    result.outcome = RunOutcome::kBadRenumberingFile;
    return result;
  }
  std::string input_path = request.input_folder;
  run::LocateSystemFolder(input_path);
  result.input_path = input_path;
  std::optional<platform::SourceLock> lock = run::TakeSourceLock(input_path, messages);
  if (!lock) {
    result.outcome = RunOutcome::kNoSourceLock;
    return result;
  }

  session.engine.set_today(clock.Today());  // the date in every table and index header
  ProgressBars bars(view);
  run::RunContext context(session, request.options, bars, messages, clock);
  context.input_path = input_path;
  context.output_path = request.output_folder;
  session.engine.set_value_observer(&context.ledger);
  Cleanup cleanup{context, bars, lock};
  try {
    result.outcome = Run(context, request, result, bars, started).Convert();
  } catch (const std::exception& error) {
    result.outcome = RunOutcome::kAborted;
    result.message = run::ErrorText(error);
    result.stopped_at = bars.current_table();
    result.report = context.report;
    result.report.accounts = context.ledger.accounts();
    result.seconds = SecondsSince(started);
    WriteReportFilesAfterAbort(ReportFolder(request, context), result);
    messages.Show(run::RunAborted(result.message));
  }
  return result;
}

}  // namespace konwerter::app
