#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/calendar_date.h"
#include "platform/clock.h"
#include "run/run_options.h"
#include "run/run_report.h"
#include "target/sequence_table.h"

namespace konwerter::app {

enum class RunOutcome {
  kNotStarted,             // a folder was empty
  kDeclined,               // the operator did not want the output overwritten
  kBadRenumberingFile,     // the renumbering file has a faulty line
  kNoSourceLock,           // no users.dbf, or the DOS edition still in use
  kNoDirectoryVariables,   // no bdglobal.mem
  kOutputOverlapsSources,  // the output folder is, holds or lies in the DOS data
  kSucceeded,
  kSucceededWithWarnings,  // converted, with damage in the sources read around
  kFailed,                 // a source could not be read, the check failed, or warnings under
                           // `strict`
  kAborted,                // an engine or file-system error ended the run
};

// One finding of the check of the converted database, as the report lists it (cp1250).
struct CheckLine {
  bool failure = false;  // false: a warning
  std::string file;
  std::string what;
  std::uint64_t count = 0;
  std::vector<std::string> examples;  // records that hold it: "rekord 12: 0000001A"
};

// The check of the converted database that ends every run that converted.
struct CheckSummary {
  bool ran = false;
  std::uint64_t failures = 0;
  std::uint64_t warnings = 0;
  std::vector<CheckLine> lines;
  bool passed() const { return ran && failures == 0; }
};

// What a run did, for the front ends, the summary and the report. Texts are cp1250; paths
// are program paths.
struct ConversionResult {
  std::string version;  // of the program that ran (ASCII)
  RunOutcome outcome = RunOutcome::kNotStarted;
  std::string message;  // the outcome as the final message states it; empty when none
  std::string input_path;
  std::string output_path;
  run::RunOptions options;
  bool strict = false;
  platform::CalendarDate date;  // when the run started
  platform::TimeOfDay time;
  double seconds = 0;  // how long it took
  run::RunReport report;
  std::vector<target::SequenceRow> sequence_rows;
  CheckSummary check;
  // The files of the run's report folder (RAPORT under the output, or the folder the
  // operator named); empty when the run wrote none.
  std::string report_path;   // raport.html
  std::string ledger_path;   // rekordy.csv
  std::string summary_path;  // podsumowanie.json
  // The target table the run was writing when it stopped on a failure; empty when it
  // stopped before any table or did not stop.
  std::string stopped_at;
};

}  // namespace konwerter::app
