// A whole conversion run over generated DOS sites, beside the time to copy the same files.
//
// Usage: whole_run [records] [folder]
//   records  about how many source records the larger site holds (default 1000000); a site
//            of half the size is converted first, to show how the time grows with the size
//   folder   where the sites and the output go (default a fresh folder under /tmp, removed
//            at the end)
//
// For each site prints: its records, generation time, copy time (std::filesystem copy of
// the site), then the records the run read (sizing counts none: it reads table headers) and
// wrote, its wall time, records read per second, and the process's peak memory so far.
// Persons are converted with delete-unlinked off, so the whole register goes through.

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/conversion_driver.h"
#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "platform/text_encoding.h"
#include "run/session.h"
#include "tests/support/recorded_messages.h"
#include "tools/sample/sample_site.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The generated sample is an old site with warnings on purpose (a stale work index,
// addresses past their dictionaries, dates that are no dates).
const char* OutcomeText(konwerter::app::RunOutcome outcome) {
  switch (outcome) {
    case konwerter::app::RunOutcome::kSucceeded:
      return "converted";
    case konwerter::app::RunOutcome::kSucceededWithWarnings:
      return "converted with warnings";
    default:
      return "FAILED";
  }
}

std::uint64_t RecordsAt(const fs::path& folder, int scale) {
  return konwerter::tools::GenerateSampleSite({folder, scale, 1}).total_records;
}

void ConvertSite(const fs::path& folder, int scale) {
  const fs::path site = folder / ("site" + std::to_string(scale));
  auto start = Clock::now();
  const std::uint64_t records = RecordsAt(site, scale);
  const double generated = Seconds(start);

  start = Clock::now();
  fs::copy(site, folder / "copy",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const double copied = Seconds(start);
  fs::remove_all(folder / "copy");

  konwerter::app::ConversionRequest request;
  request.input_folder = konwerter::platform::Cp1250FromUtf8(site.string());
  request.output_folder = konwerter::platform::Cp1250FromUtf8((folder / "out").string());
  request.renumbering_file = konwerter::platform::Cp1250FromUtf8((folder / "none.gm").string());
  // Every person is written, so the run reads and writes the whole persons register.
  request.options.delete_unlinked_persons = false;
  konwerter::run::Session session;
  konwerter::testing::RecordedProgress view;
  konwerter::testing::RecordedMessages messages({}, konwerter::platform::MessageAnswer::kYes);
  const konwerter::platform::SystemClock clock;
  start = Clock::now();
  const auto result = konwerter::app::RunConversion(request, session, view, messages, clock);
  const double converted = Seconds(start);
  // Only the stops and errors are printed.
  for (const konwerter::platform::OperatorMessage& message : messages.shown) {
    if (message.icon == konwerter::platform::MessageIcon::kStop) {
      std::printf("  message: %s\n", konwerter::platform::Utf8FromCp1250(message.text).c_str());
    }
  }

  std::uint64_t read = 0;
  std::uint64_t written = 0;
  for (const auto& account : result.report.accounts) {
    read += account.read;
    written += account.written;
  }
  std::printf(
      "scale %4d: site %9llu records  generate %6.2f s  copy %6.2f s\n"
      "            run read %9llu, wrote %9llu records in %6.2f s = %10.0f records/s"
      "  peak %6.1f MB  (%s)\n",
      scale, static_cast<unsigned long long>(records), generated, copied,
      static_cast<unsigned long long>(read), static_cast<unsigned long long>(written), converted,
      static_cast<double>(read) / converted, PeakMegabytes(), OutcomeText(result.outcome));
  fs::remove_all(site);
  fs::remove_all(folder / "out");
}

}  // namespace

int main(int argc, char** argv) {
  const double wanted = argc > 1 ? std::atof(argv[1]) : 1'000'000.0;
  const bool own_folder = argc <= 2;
  const fs::path folder =
      own_folder ? fs::temp_directory_path() / "konwerter-whole-run" : fs::path(argv[2]);
  fs::remove_all(folder);
  fs::create_directories(folder);

  const double per_scale = static_cast<double>(RecordsAt(folder / "probe", 1));
  fs::remove_all(folder / "probe");
  const int scale = std::max(2, static_cast<int>(std::lround(wanted / per_scale)));
  std::printf("whole run: %.0f source records at scale 1; converting scales %d and %d\n", per_scale,
              scale / 2, scale);
  ConvertSite(folder, scale / 2);
  ConvertSite(folder, scale);
  if (own_folder) fs::remove_all(folder);
  return 0;
}
