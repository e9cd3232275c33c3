#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/progress_bars.h"
#include "platform/clock.h"
#include "run/result.h"
#include "run/run_context.h"
#include "run/run_options.h"
#include "run/run_report.h"
#include "run/session.h"
#include "tests/e2e/dos_site.h"
#include "tests/support/temp_dir.h"

namespace konwerter::testing {

// A run prepared over a hand-made site by the driver's own preparation (run::PrepareRun:
// directory variables, code page, site settings, edition, creator identifier, sequence
// table, shared tables sized, the engine's altered values to the run's ledger), so that a
// test can run converters one by one and play the part of those before. The site's
// settings are its dom.mem; the commune renumbering is the session's, set before a
// converter runs.
class PreparedRun {
 public:
  explicit PreparedRun(const DosSite& site, run::RunOptions options = {});
  PreparedRun(const PreparedRun&) = delete;
  PreparedRun& operator=(const PreparedRun&) = delete;

  run::RunContext& context() { return *context_; }
  run::Session& session() { return session_; }
  const TempDir& output() const { return output_; }
  const RecordedMessages& messages() const { return messages_; }
  const RecordedProgress& progress() const { return view_; }

  // The live records of an output table (path relative to the output folder), read by
  // dbfread; blank fields give "".
  std::vector<std::vector<std::string>> Rows(const std::string& relative) const;
  // The sequence rows written so far, "NAME=value" in the order written.
  std::vector<std::string> SequenceRows() const;

 private:
  TempDir output_;
  run::Session session_;
  run::RunReport report_;
  RecordedMessages messages_;
  RecordedProgress view_;
  app::ProgressBars bars_;
  platform::FixedClock clock_;
  std::unique_ptr<run::RunContext> context_;
};

// Records a converter's result as the driver does: a failure becomes the conversion status.
// True when the converter succeeded.
bool RecordResult(run::RunContext& context, const run::Status& result);

}  // namespace konwerter::testing
