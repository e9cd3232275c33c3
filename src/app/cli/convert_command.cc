#include "app/cli/convert_command.h"

#include <unistd.h>

#include <fstream>
#include <iostream>

#include "app/cli/conversion_summary.h"
#include "app/cli/convert_options.h"
#include "app/cli/terminal_messages.h"
#include "app/cli/terminal_progress.h"
#include "app/conversion_driver.h"
#include "app/report/summary_json.h"
#include "platform/program_path.h"
#include "renumber/renumbering_file.h"
#include "run/session.h"

namespace konwerter::cli {

namespace {

int ExitCode(app::RunOutcome outcome) {
  switch (outcome) {
    case app::RunOutcome::kSucceeded:
    case app::RunOutcome::kSucceededWithWarnings:
      return kExitSucceeded;
    case app::RunOutcome::kFailed:
    case app::RunOutcome::kAborted:
      return kExitConversionFailed;
    default:
      return kExitNotStarted;
  }
}

bool WriteSummaryFile(const std::string& path, const app::ConversionResult& result,
                      std::ostream& err) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << app::SummaryJson(result).dump(2) << "\n";
  file.close();
  if (file) return true;
  err << "Nie można zapisać podsumowania: " << path << "\n";
  return false;
}

// konwerter.gm beside this program: the file the window program `konwerter` reads and its
// renumbering dialog writes, so both front ends renumber alike.
std::string DefaultRenumberingFile() {
  const std::string program = platform::ProgramPath();
  const std::size_t separator = program.find_last_of("\\/");
  const std::string folder =
      separator == std::string::npos ? std::string() : program.substr(0, separator + 1);
  return renumber::RenumberingFilePath(folder + "konwerter.exe");
}

bool WantsHelp(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") return true;
  }
  return false;
}

}  // namespace

int RunConvert(const std::vector<std::string>& arguments, Console& console,
               const platform::Clock& clock) {
  if (WantsHelp(arguments)) {
    console.out << ConvertUsage();
    return kExitSucceeded;
  }
  std::string error;
  std::optional<ConvertOptions> options = ParseConvertOptions(arguments, error);
  if (!options) {
    console.err << "konwerter-cli convert: " << error << "\n\n" << ConvertUsage();
    return kExitUsage;
  }
  if (!options->renumbering_file_given) {
    options->request.renumbering_file = DefaultRenumberingFile();
  }

  run::Session session;
  TerminalMessages messages(console.out, console.in, console.input_is_terminal,
                            options->assume_yes);
  TerminalProgress progress(console.err, console.progress_is_terminal && !options->quiet);
  const platform::FixedClock fixed_clock(options->date.value_or(platform::CalendarDate{}));
  const app::ConversionResult result = app::RunConversion(
      options->request, session, progress, messages, options->date ? fixed_clock : clock);

  if (!options->quiet) PrintSummary(result, console.out);
  if (!options->summary_file.empty() &&
      !WriteSummaryFile(options->summary_file, result, console.err)) {
    return kExitConversionFailed;
  }
  return ExitCode(result.outcome);
}

int RunConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Console console{out, err, std::cin, isatty(STDIN_FILENO) == 1, isatty(STDERR_FILENO) == 1};
  const platform::SystemClock clock;
  return RunConvert(arguments, console, clock);
}

}  // namespace konwerter::cli
