#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/conversion_driver.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "run/session.h"
#include "tests/e2e/dos_site.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::testing {
namespace {

// One way of converting the sample site: its edition and the operator's choices.
struct SampleConversion {
  const char* name;
  bool earlier_edition = false;
  bool keep_unlinked = false;
  bool renumber = false;
};

void PrintTo(const SampleConversion& conversion, std::ostream* out) {
  *out << conversion.name;
}

class SampleConversionsTest : public ::testing::TestWithParam<SampleConversion> {};

// Every converter runs over a site holding every table its edition keeps, through each of
// its branches (both editions, unlinked records kept or dropped, renumbering in every
// register). A converter that binds a source field its catalogue entry does not give the
// edition, or writes a field its target schema lacks, throws and fails the run: a
// misspelt field fails here, not at a site.
TEST_P(SampleConversionsTest, EveryConverterReadsAndWritesOnlyCataloguedFields) {
  const SampleConversion& conversion = GetParam();
  TempDir folder;
  tools::GenerateSampleSite(
      {.output = folder.path() / "dos", .earlier_orders_edition = conversion.earlier_edition});
  // Binary, so that the file holds the DOS line ends as written on every system.
  std::ofstream(folder.path() / "gminy.gm", std::ios::binary) << "7|12\r\n110|345\r\n";

  app::ConversionRequest request;
  request.input_folder = platform::Cp1250FromUtf8((folder.path() / "dos").string());
  request.output_folder = platform::Cp1250FromUtf8((folder.path() / "win").string());
  request.renumbering_file = platform::Cp1250FromUtf8((folder.path() / "gminy.gm").string());
  run::RunOptions& options = request.options;
  if (conversion.keep_unlinked) {
    options.delete_unlinked_persons = options.delete_unlinked_works =
        options.delete_unlinked_assortments = options.delete_unlinked_precincts =
            options.delete_unlinked_parcels = false;
  }
  if (conversion.renumber) {
    options.renumber_communes = true;
    options.segment_one = {true, true, true, true, true, true};
  }
  run::Session session;
  RecordedProgress view;
  RecordedMessages messages;
  const platform::FixedClock clock(kRunDate);
  const app::ConversionResult result = app::RunConversion(request, session, view, messages, clock);
  EXPECT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings)
      << platform::Utf8FromCp1250(result.message);
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleConversionsTest,
                         ::testing::Values(SampleConversion{"later"},
                                           SampleConversion{"earlier", true},
                                           SampleConversion{"keep_unlinked", false, true},
                                           SampleConversion{"earlier_keep_unlinked", true, true},
                                           SampleConversion{"renumbered", false, false, true}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace konwerter::testing
