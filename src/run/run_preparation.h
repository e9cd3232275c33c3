#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "run/progress.h"
#include "run/run_context.h"
#include "run/run_options.h"
#include "run/run_report.h"
#include "run/session.h"
#include "run/source_directories.h"

namespace konwerter::run {

// What a run is asked to do once its source lock is taken.
struct RunRequest {
  std::string input_path;   // the DOS SYSTEM folder, ending in a backslash
  std::string output_path;  // ending in a backslash
  RunOptions options;
  DriveMap drives;
  // Where the run's report goes (ending in a backslash), when it goes anywhere: it too must
  // stand apart from the DOS data.
  std::string report_folder;
};

// Why a run stopped before it wrote anything.
enum class PreparationStop : std::uint8_t {
  kNone,
  kNoDirectoryVariables,   // bdglobal.mem could not be read (the operator was told)
  kOutputOverlapsSources,  // the output or report folder is, holds or lies in the DOS data
};

// A prepared run, ready for its converters, or why it did not start.
struct Preparation {
  std::unique_ptr<RunContext> context;  // none when the run stopped
  PreparationStop stop = PreparationStop::kNone;
  std::string message;  // what the operator was told when the run stopped (cp1250)
};

// Prepares a run as every run is prepared, the driver's, the tests' and the benchmarks':
// dates the engine's files with the clock's date, reads the directory variables of
// bdglobal.mem and finds their folders, refuses an output or report folder that does not
// stand apart from them, detects the source code page, reads the site settings of dom.mem,
// decides the edition of the DOS data and the creator identifier (from the clock's date);
// then makes the run's context (whose ledger hears the engine's altered values from then
// on), builds the sequence table under the output folder (what its builder asks the operator
// to be told waits in the context's requests) and sizes the shared translation tables. A
// sizing that fails is the run's failure (the context's status), not a stop. Warnings go to
// `report`, which outlives the run. Faults of the file system and the engine reach the
// caller as exceptions.
Preparation PrepareRun(const RunRequest& request, Session& session, RunReport& report,
                       Progress& progress, platform::OperatorMessages& messages,
                       const platform::Clock& clock);

}  // namespace konwerter::run
