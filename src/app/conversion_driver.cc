#include "app/conversion_driver.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "app/converter_steps.h"
#include "app/progress_bars.h"
#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "renumber/renumbering_file.h"
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
  const platform::OperatorMessage question{
      platform::Cp1250FromUtf8(
          "We wskazanej kartotece znajdują się już dane systemu TEROKAN.\r\n"
          "Konwersja ZNISZCZY WSZYSTKIE DANE ZNAJDUJĄCE SIĘ W TEJ KARTOTECE\r\n"
          "Dokonać konwersji ?"),
      platform::Cp1250FromUtf8("Potwierdzenie"), platform::MessageButtons::kYesNo,
      platform::MessageIcon::kQuestion, platform::MessageAnswer::kNo};
  return messages.Show(question) != platform::MessageAnswer::kNo;
}

// The warnings of a run, grouped per file in the order the files were first met.
std::string WarningList(const std::vector<run::RunWarning>& warnings) {
  std::vector<std::string> files;
  for (const run::RunWarning& warning : warnings) {
    if (std::find(files.begin(), files.end(), warning.file) == files.end()) {
      files.push_back(warning.file);
    }
  }
  std::string text;
  for (const std::string& file : files) {
    text += "\r\n" + file + ":";
    for (const run::RunWarning& warning : warnings) {
      if (warning.file == file) text += "\r\n  - " + warning.text;
    }
  }
  return text;
}

// Damage that the readers counted while the converters read: numeric fields whose text
// is no number (read as the reader's rule says, but the value is lost).
void CollectReaderWarnings(run::RunContext& context) {
  for (const auto& [file, count] : context.source_tables.bad_numbers()) {
    context.report.AddWarning(platform::Cp1250FromUtf8(file),
                              platform::Cp1250FromUtf8("rekordy z polem liczbowym, które nie "
                                                       "zawiera liczby (odczytane do tego "
                                                       "pola): ") +
                                  std::to_string(count));
  }
  for (const auto& [where, count] : context.report.value_faults) {
    const char* text = where.second == run::ValueFault::kBadDate
                           ? "daty, które nie są datą (zapisane jako 1900.01.01): "
                           : "odwołania do rekordu spoza tabeli (pominięte): ";
    context.report.AddWarning(where.first, platform::Cp1250FromUtf8(text) + std::to_string(count));
  }
}

// The warnings grouped per file, for a window's list.
std::vector<platform::MessageDetailGroup> WarningGroups(
    const std::vector<run::RunWarning>& warnings) {
  std::vector<platform::MessageDetailGroup> groups;
  for (const run::RunWarning& warning : warnings) {
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const auto& held) { return held.heading == warning.file; });
    if (group == groups.end()) group = groups.insert(groups.end(), {warning.file, {}});
    group->lines.push_back(warning.text);
  }
  return groups;
}

// The counts of a run: tables written, source records read, written and skipped, warnings.
std::vector<std::string> RunFacts(const run::RunReport& report) {
  std::uint64_t read = 0, written = 0, skipped = 0;
  for (const run::TableReport& table : report.tables) {
    read += table.records_read;
    written += table.records_written;
    skipped += table.records_skipped;
  }
  using platform::Cp1250FromUtf8;
  return {Cp1250FromUtf8("Tabele: ") + std::to_string(report.tables.size()),
          Cp1250FromUtf8("Rekordy odczytane: ") + std::to_string(read) +
              Cp1250FromUtf8(", zapisane: ") + std::to_string(written) +
              Cp1250FromUtf8(", pominięte: ") + std::to_string(skipped),
          Cp1250FromUtf8("Ostrzeżenia: ") + std::to_string(report.warnings.size())};
}

std::string FailureMessage(const std::string& error) {
  return platform::Cp1250FromUtf8("Wystąpił błąd podczas konwersji:\r\n") + error +
         platform::Cp1250FromUtf8(
             "\r\nW kartotece wynikowej znajdują się tylko częściowo skonwertowane dane.");
}

// Steps 9 to 22 of a run, with the source lock held: everything that reads the sources and
// writes the output. Returns the outcome; the caller's cleanup runs whatever happens.
class Run {
 public:
  Run(run::RunContext& context, const ConversionRequest& request, ConversionResult& result)
      : context_(context), request_(request), result_(result) {}

  RunOutcome Convert();

 private:
  bool OutputStandsApart();
  RunOutcome Finish();

  run::RunContext& context_;
  const ConversionRequest& request_;
  ConversionResult& result_;
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
  run::SizeSharedTables(context_);
  settings::WriteSettingsFile(context_.output_path, context_.session.site_settings,
                              context_.session.renumbering, context_.options.renumber_communes);

  for (const ConverterStep& step : ConverterSteps()) {
    if (context_.status.ok()) step.convert(context_);
    if (step.pause_after) context_.progress.ConverterPause();
  }
  return Finish();
}

// The installation (the SYSTEM folder's parent) and every folder a directory variable
// resolved to must stay apart from the output folder; refused before anything is written.
bool Run::OutputStandsApart() {
  std::vector<std::string> sources{context_.input_path + "..\\"};
  for (const run::DirectoryReport& directory : context_.directories.report()) {
    sources.push_back(directory.resolved);
  }
  const run::OutputRefusal refusal = run::CheckOutputFolder(context_.output_path, sources);
  if (!refusal.refused()) return true;
  result_.message = refusal.text;
  context_.messages.Show({refusal.text, platform::Cp1250FromUtf8("Błąd"),
                          platform::MessageButtons::kOk, platform::MessageIcon::kStop});
  return false;
}

RunOutcome Run::Finish() {
  context_.sequence->Close();
  result_.sequence_rows = context_.sequence->rows();
  context_.sequence.reset();
  CollectReaderWarnings(context_);
  const std::vector<run::RunWarning>& warnings = context_.report.warnings;
  if (context_.status.ok() && !warnings.empty() && request_.strict) {
    context_.status.Fail(platform::Cp1250FromUtf8("Dane źródłowe są uszkodzone (ostrzeżeń: ") +
                         std::to_string(warnings.size()) +
                         platform::Cp1250FromUtf8("), a wybrano ścisłą kontrolę:") +
                         WarningList(warnings));
  }
  if (context_.status.ok() && !warnings.empty()) {
    result_.message = platform::Cp1250FromUtf8("Konwersja została zakończona z ostrzeżeniami (") +
                      std::to_string(warnings.size()) + "):" + WarningList(warnings);
    platform::OperatorMessage end{result_.message, platform::Cp1250FromUtf8("Komunikat"),
                                  platform::MessageButtons::kOk, platform::MessageIcon::kWarning};
    end.facts = RunFacts(context_.report);
    end.details = WarningGroups(warnings);
    context_.messages.Show(end);
    return RunOutcome::kSucceededWithWarnings;
  }
  if (context_.status.ok()) {
    result_.message = platform::Cp1250FromUtf8("Konwersja została zakończona.");
    context_.messages.Show({result_.message, platform::Cp1250FromUtf8("Komunikat")});
    return RunOutcome::kSucceeded;
  }
  result_.message = FailureMessage(context_.status.error());
  platform::OperatorMessage end{result_.message, platform::Cp1250FromUtf8("Błąd konwersji"),
                                platform::MessageButtons::kOk, platform::MessageIcon::kStop};
  end.facts = RunFacts(context_.report);
  end.details = WarningGroups(warnings);
  context_.messages.Show(end);
  return RunOutcome::kFailed;
}

// The closing steps: the source lock goes, both bars return to 0, no source table stays open.
struct Cleanup {
  run::RunContext& context;
  ProgressBars& bars;
  std::optional<platform::SourceLock>& lock;
  ~Cleanup() {
    context.source_tables.ReleaseAll();
    context.sequence.reset();
    lock.reset();
    bars.Reset();
  }
};

std::string ExceptionText(const std::exception& error) {
  return platform::Cp1250FromUtf8(error.what());
}

}  // namespace

ConversionResult RunConversion(ConversionRequest& request, run::Session& session,
                               ProgressView& view, platform::OperatorMessages& messages,
                               const platform::Clock& clock) {
  ConversionResult result;
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
    run::ShowMessage(messages, "Błąd w pliku z przenumerowaniem gmin", "Komunikat",
                     platform::Cp1250FromUtf8("\r\nPlik: ") +
                         platform::HostForm(request.renumbering_file) +
                         platform::Cp1250FromUtf8("\r\nWiersz ") +
                         std::to_string(fault->line_number) + ": " + fault->line);
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

  session.engine.ClearOverflows();
  session.engine.set_today(clock.Today());  // the date in every table and index header
  ProgressBars bars(view);
  run::RunContext context(session, request.options, bars, messages, clock);
  context.input_path = input_path;
  context.output_path = request.output_folder;
  Cleanup cleanup{context, bars, lock};
  try {
    result.outcome = Run(context, request, result).Convert();
  } catch (const std::exception& error) {
    result.outcome = RunOutcome::kAborted;
    result.message = ExceptionText(error);
    messages.Show({result.message, platform::Cp1250FromUtf8("Błąd"), platform::MessageButtons::kOk,
                   platform::MessageIcon::kStop});
  }
  if (result.outcome == RunOutcome::kFailed || result.outcome == RunOutcome::kAborted) {
    result.stopped_at = bars.current_table();
  }
  result.report = context.report;
  result.overflows = session.engine.overflows();
  return result;
}

}  // namespace konwerter::app
