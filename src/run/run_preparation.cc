#include "run/run_preparation.h"

#include <utility>
#include <vector>

#include "run/catalogue.h"
#include "run/messages.h"
#include "run/output_guard.h"
#include "run/prechecks.h"
#include "run/table_sizing.h"
#include "target/identifier.h"

namespace konwerter::run {

namespace {

// The installation (the SYSTEM folder's parent) and every folder a directory variable
// resolved to must stay apart from the output folder and the report folder.
OutputRefusal RefuseOverlap(const RunRequest& request, const SourceDirectories& directories) {
  std::vector<std::string> sources{request.input_path + "..\\"};
  for (const DirectoryReport& directory : directories.report()) {
    sources.push_back(directory.resolved);
  }
  std::vector<std::string> outputs{request.output_path};
  if (!request.report_folder.empty()) outputs.push_back(request.report_folder);
  for (const std::string& folder : outputs) {
    OutputRefusal refusal = CheckOutputFolder(folder, sources);
    if (refusal.refused()) return refusal;
  }
  return {};
}

std::unique_ptr<RunContext> MakeContext(const RunRequest& request, RunInputs inputs,
                                        Session& session, RunReport& report, Progress& progress,
                                        platform::OperatorMessages& messages,
                                        const platform::Clock& clock) {
  auto context = std::make_unique<RunContext>(
      std::move(inputs), session.engine, session.renumbering, report, progress, messages, clock);
  context->sequence =
      std::make_unique<target::SequenceTable>(context->engine(), request.output_path);
  if (context->sequence->built().keys_repeat) {
    context->operator_requests.push_back(KeysRepeat());
  }
  if (const Status sized = SizeSharedTables(*context); !sized) {
    context->status.Fail(FailureText(sized.error()));
  }
  return context;
}

}  // namespace

Preparation PrepareRun(const RunRequest& request, Session& session, RunReport& report,
                       Progress& progress, platform::OperatorMessages& messages,
                       const platform::Clock& clock) {
  session.engine.set_today(clock.Today());  // the date in every table and index header
  source::CodePages pages;
  auto entries = ReadSourceDirectoryVariables(request.input_path, pages, messages, &report);
  if (!entries) return {nullptr, PreparationStop::kNoDirectoryVariables, {}};
  SourceDirectories directories(std::move(*entries), request.input_path, request.drives);
  report.directories = directories.report();
  if (const OutputRefusal refusal = RefuseOverlap(request, directories); refusal.refused()) {
    messages.Show(OutputRefused(refusal.text));
    return {nullptr, PreparationStop::kOutputOverlapsSources, refusal.text};
  }
  source::DetectSourceCodePage(request.input_path, pages);
  std::vector<std::string> site_settings;
  ReadSiteSettings(request.input_path, pages, messages, site_settings, &report);
  const source::SourceEdition edition = SourceEditionOf(directories);
  RunInputs inputs{request.input_path,
                   request.output_path,
                   request.options,
                   pages,
                   std::move(directories),
                   std::move(site_settings),
                   target::CreatorIdentifier(clock.Today()),
                   edition};
  return {MakeContext(request, std::move(inputs), session, report, progress, messages, clock),
          PreparationStop::kNone,
          {}};
}

}  // namespace konwerter::run
