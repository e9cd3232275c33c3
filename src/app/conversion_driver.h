#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/progress_view.h"
#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "run/run_options.h"
#include "run/run_report.h"
#include "run/session.h"
#include "run/source_directories.h"
#include "target/sequence_table.h"

namespace konwerter::app {

// What the operator asked for: the two folders as typed (a run appends a backslash to each
// when missing, as the window's edits show afterwards), the options, and where the
// renumbering file and the DOS drives are.
struct ConversionRequest {
  std::string input_folder;
  std::string output_folder;
  run::RunOptions options;
  std::string renumbering_file;
  run::DriveMap drives;
  bool strict = false;  // a warning fails the run
};

enum class RunOutcome {
  kNotStarted,             // a folder was empty
  kDeclined,               // the operator did not want the output overwritten
  kBadRenumberingFile,     // the renumbering file has a faulty line
  kNoSourceLock,           // no users.dbf, or the DOS edition still in use
  kNoDirectoryVariables,   // no bdglobal.mem
  kOutputOverlapsSources,  // the output folder is, holds or lies in the DOS data
  kSucceeded,
  kSucceededWithWarnings,  // converted, with damage in the sources read around
  kFailed,                 // a converter could not open a source file (or warnings under `strict`)
  kAborted,                // an engine or file-system error ended the run
};

struct ConversionResult {
  RunOutcome outcome = RunOutcome::kNotStarted;
  std::string message;  // the final message shown (cp1250); empty when none
  std::string input_path;
  std::string output_path;
  run::RunReport report;
  std::vector<target::SequenceRow> sequence_rows;
  std::map<std::string, std::int64_t> overflows;  // numbers too wide for their fields
  // The conversion report (RAPORT\raport.html under the output, or the folder the operator
  // named), as a program path; empty when the run wrote none.
  std::string report_path;
  // The target table the run was writing when it stopped on a failure (cp1250); empty when
  // it stopped before any table or did not stop.
  std::string stopped_at;
};

// One press of "Konwersja": checks, pre-checks, and every converter in order under one
// conversion status, ending with one message to the operator. Every exception of the
// engine or the file system ends the run with its message; the source lock is released
// and the progress display reset whatever happens.
ConversionResult RunConversion(ConversionRequest& request, run::Session& session,
                               ProgressView& view, platform::OperatorMessages& messages,
                               const platform::Clock& clock);

}  // namespace konwerter::app
