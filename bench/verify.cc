// The check of a converted database over the generated site of a given size, beside the run
// that converted it.
//
// Usage: verify [records] [repeats] [folder]
//   records  about how many source records the site holds (default 1000000)
//   repeats  how many times the check runs on the same output (default 3)
//   folder   where the site and the output go (default a fresh folder under /tmp, removed
//            at the end)
//
// Prints the run's records read and its wall time (a run checks its own output at its end, so
// this time holds one check already), then the wall time of every further check of the same
// output and its findings, then the best check's time.

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
#include "target/verification/database_check.h"
#include "tests/support/recorded_messages.h"
#include "tools/sample/sample_site.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Converts the site as whole_run does (every person written); returns the records read.
std::uint64_t Convert(const fs::path& site, const fs::path& output, double& seconds) {
  konwerter::app::ConversionRequest request;
  request.input_folder = konwerter::platform::Cp1250FromUtf8(site.string());
  request.output_folder = konwerter::platform::Cp1250FromUtf8(output.string());
  request.renumbering_file =
      konwerter::platform::Cp1250FromUtf8((site.parent_path() / "none.gm").string());
  request.options.delete_unlinked_persons = false;
  konwerter::run::Session session;
  konwerter::testing::RecordedProgress view;
  konwerter::testing::RecordedMessages messages({}, konwerter::platform::MessageAnswer::kYes);
  const konwerter::platform::SystemClock clock;
  const auto start = Clock::now();
  const auto result = konwerter::app::RunConversion(request, session, view, messages, clock);
  seconds = Seconds(start);
  std::uint64_t read = 0;
  for (const auto& account : result.report.accounts) read += account.read;
  return read;
}

}  // namespace

int main(int argc, char** argv) {
  const double wanted = argc > 1 ? std::atof(argv[1]) : 1'000'000.0;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const bool own_folder = argc <= 3;
  const fs::path folder =
      own_folder ? fs::temp_directory_path() / "konwerter-verify-bench" : fs::path(argv[3]);
  fs::remove_all(folder);
  fs::create_directories(folder);

  const double per_scale = static_cast<double>(
      konwerter::tools::GenerateSampleSite({folder / "probe", 1, 1}).total_records);
  fs::remove_all(folder / "probe");
  const int scale = std::max(1, static_cast<int>(std::lround(wanted / per_scale)));
  const std::uint64_t records =
      konwerter::tools::GenerateSampleSite({folder / "site", scale, 1}).total_records;

  double converted = 0;
  const std::uint64_t read = Convert(folder / "site", folder / "out", converted);
  std::printf(
      "scale %d: site %llu records; run (with its check) read %llu in %.2f s = %.0f records/s\n",
      scale, static_cast<unsigned long long>(records), static_cast<unsigned long long>(read),
      converted, static_cast<double>(read) / converted);

  double best = 0;
  for (int i = 0; i < repeats; ++i) {
    const auto start = Clock::now();
    const auto check = konwerter::verification::CheckConvertedDatabase(folder / "out");
    const double seconds = Seconds(start);
    best = i == 0 ? seconds : std::min(best, seconds);
    std::printf("  check %d: %.3f s  (%s; failures %llu, warnings %llu)\n", i + 1, seconds,
                check.holds() ? "holds" : "DOES NOT HOLD",
                static_cast<unsigned long long>(check.failures()),
                static_cast<unsigned long long>(check.warnings()));
  }
  std::printf("verify: best %.3f s (the run above, its own check included, took %.2f s)\n", best,
              converted);
  if (own_folder) fs::remove_all(folder);
  return 0;
}
