// What the order of the converter table guarantees, seen in runs over the generated sample
// site: the real table's steps run one by one over a run prepared as the driver prepares it,
// noting before each step how many identifiers every shared dictionary has handed out so far.

#include "app/converter_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/conversion_driver.h"
#include "app/progress_bars.h"
#include "platform/text_encoding.h"
#include "run/run_preparation.h"
#include "run/session.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/temp_dir.h"
#include "tools/sample/sample_site.h"

namespace konwerter::app {
namespace {

// A dictionary whose identifiers every converter of a run shares: the records referring to
// it take an identifier from its translation table, and its own converter writes the
// dictionary's table and the row of its sequence.
struct SharedDictionary {
  run::SharedTranslationTable run::SharedTables::*identifiers;
  std::string_view sequence_row;
  std::string_view step;  // the step of its converter
};

constexpr std::array<SharedDictionary, 8> kDictionaries = {{
    {&run::SharedTables::persons, "OSOBY", "osoby"},
    {&run::SharedTables::assortments, "ASORTYM", "asortymenty"},
    {&run::SharedTables::features, "CECHY", "cechy"},
    {&run::SharedTables::works, "ROBOTY", "roboty"},
    {&run::SharedTables::parcels, "DZ", "działki"},
    {&run::SharedTables::precincts, "OBREB", "obręby"},
    {&run::SharedTables::order_assortments, "zasort", "asortymenty zleceń"},
    {&run::SharedTables::services, "obsluga", "obsługa"},
}};

using Counters = std::array<std::int32_t, kDictionaries.size()>;

Counters CountersOf(const run::RunContext& context) {
  Counters counters{};
  for (std::size_t i = 0; i < kDictionaries.size(); ++i) {
    counters[i] = (context.tables().*kDictionaries[i].identifiers).counter();
  }
  return counters;
}

bool HoldsPriceLists(const run::RunContext& context) {
  for (std::uint32_t list = 0; list < run::PriceLists::kKinds; ++list) {
    if (context.price_lists.Kind(list) != '\0') return true;
  }
  return false;
}

// What the run held as a step started.
struct StepStart {
  std::string step;  // its name in the converter table
  Counters counters;
  bool price_lists = false;
};

struct WatchedRun {
  std::vector<StepStart> starts;
  Counters final_counters{};
  std::vector<target::SequenceRow> sequence_rows;

  const StepStart& Start(std::string_view step) const {
    const auto found = std::find_if(starts.begin(), starts.end(),
                                    [&](const StepStart& start) { return start.step == step; });
    if (found == starts.end()) throw std::out_of_range(std::string(step));
    return *found;
  }
  std::int64_t SequenceValue(std::string_view row) const {
    for (const target::SequenceRow& written : sequence_rows) {
      if (written.name == row) return written.next_value;
    }
    return -1;
  }
};

run::RunOptions Options(bool delete_unlinked) {
  run::RunOptions options;
  options.delete_unlinked_persons = delete_unlinked;
  options.delete_unlinked_works = delete_unlinked;
  options.delete_unlinked_assortments = delete_unlinked;
  options.delete_unlinked_precincts = delete_unlinked;
  options.delete_unlinked_parcels = delete_unlinked;
  return options;
}

WatchedRun ConvertSample(bool delete_unlinked) {
  testing::TempDir site;
  testing::TempDir output;
  tools::GenerateSampleSite({site.path(), 1, 1});
  run::Session session;
  run::RunReport report;
  testing::RecordedProgress view;
  ProgressBars bars(view);
  testing::RecordedMessages messages({}, platform::MessageAnswer::kYes);
  const platform::FixedClock clock({2024, 5, 17});
  const run::Preparation prepared =
      run::PrepareRun({site.Join("SYSTEM\\"), output.folder(), Options(delete_unlinked), {}, {}},
                      session, report, bars, messages, clock);
  if (prepared.context == nullptr) throw std::runtime_error("the run did not start");
  run::RunContext& context = *prepared.context;
  WatchedRun run;
  for (const ConverterStep& step : ConverterSteps()) {
    run.starts.push_back({std::string(step.name), CountersOf(context), HoldsPriceLists(context)});
    const run::Status status = step.convert(context);
    EXPECT_TRUE(status.has_value()) << step.name;
  }
  run.final_counters = CountersOf(context);
  run.sequence_rows = context.sequence->rows();
  return run;
}

// Every dictionary runs after all the converters that refer to its records: it finds them
// referred to before it starts (with delete-unlinked on it keeps only those), and no later
// converter hands out another identifier of it, so its sequence row is the next free one.
TEST(ConverterOrderTest, EveryDictionaryRunsAfterEverythingThatRefersToIt) {
  for (const bool delete_unlinked : {true, false}) {
    SCOPED_TRACE(delete_unlinked ? "delete unlinked" : "keep unlinked");
    const WatchedRun run = ConvertSample(delete_unlinked);
    for (std::size_t i = 0; i < kDictionaries.size(); ++i) {
      const SharedDictionary& dictionary = kDictionaries[i];
      SCOPED_TRACE(std::string(dictionary.step));
      EXPECT_GT(run.Start(dictionary.step).counters[i], 0);
      EXPECT_EQ(run.SequenceValue(dictionary.sequence_row), run.final_counters[i] + 1);
    }
  }
}

// The orders and the templates take their VAT codes and prices from the price lists, which
// are converted before either starts; the sequence table is written once every converter
// has written its rows.
TEST(ConverterOrderTest, ThePriceListsComeBeforeTheirUsersAndTheSequenceTableLast) {
  const WatchedRun run = ConvertSample(true);
  EXPECT_FALSE(run.Start("cenniki").price_lists);
  EXPECT_TRUE(run.Start("zlecenia i rozliczenia").price_lists);
  EXPECT_TRUE(run.Start("wzorce").price_lists);

  testing::TempDir site;
  testing::TempDir output;
  tools::GenerateSampleSite({site.path(), 1, 1});
  ConversionRequest request;
  request.input_folder = site.Join("SYSTEM");
  request.output_folder = output.folder();
  request.renumbering_file = output.Join("brak.gm");
  run::Session session;
  testing::RecordedProgress view;
  testing::RecordedMessages messages({}, platform::MessageAnswer::kYes);
  const ConversionResult result =
      RunConversion(request, session, view, messages, platform::FixedClock({2024, 5, 17}));
  ASSERT_FALSE(result.report.accounts.empty());
  const std::string& last = result.report.accounts.back().target_path;
  EXPECT_TRUE(last.ends_with("Dostep.dbf")) << last;
}

}  // namespace
}  // namespace konwerter::app
