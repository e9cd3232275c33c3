#pragma once

#include <string>

#include "app/progress_view.h"
#include "app/report/conversion_result.h"
#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "run/run_options.h"
#include "run/session.h"
#include "run/source_directories.h"

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
  // Where the run's report, ledger and summary go; empty: RAPORT under the output folder.
  std::string report_folder;
};

// One press of "Konwersja": checks, pre-checks, and every converter in order under one
// conversion status; then the check of the converted database, the report folder, and one
// message to the operator. Every exception of the engine or the file system ends the run
// with its message; the source lock is released and the progress display reset whatever
// happens.
ConversionResult RunConversion(ConversionRequest& request, run::Session& session,
                               ProgressView& view, platform::OperatorMessages& messages,
                               const platform::Clock& clock);

}  // namespace konwerter::app
