// What the order of the converter table guarantees, seen in whole runs over the generated
// sample site: the driver runs the real table, and the progress display notes, as each
// target table starts, how many identifiers every shared dictionary has handed out so far.

#include "app/converter_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/conversion_driver.h"
#include "platform/text_encoding.h"
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
  std::string_view table;  // the target table its converter writes
};

constexpr std::array<SharedDictionary, 8> kDictionaries = {{
    {&run::SharedTables::persons, "OSOBY", "Osoby.dbf"},
    {&run::SharedTables::assortments, "ASORTYM", "Asortym.dbf"},
    {&run::SharedTables::features, "CECHY", "cechy.dbf"},
    {&run::SharedTables::works, "ROBOTY", "Roboty.dbf"},
    {&run::SharedTables::parcels, "DZ", "dz.dbf"},
    {&run::SharedTables::precincts, "OBREB", "obreb.dbf"},
    {&run::SharedTables::order_assortments, "zasort", "asortym.dbf"},
    {&run::SharedTables::services, "obsluga", "obsluga.dbf"},
}};

using Counters = std::array<std::int32_t, kDictionaries.size()>;

Counters CountersOf(const run::Session& session) {
  Counters counters{};
  for (std::size_t i = 0; i < kDictionaries.size(); ++i) {
    counters[i] = (session.tables.*kDictionaries[i].identifiers).counter();
  }
  return counters;
}

bool HoldsPriceLists(const run::Session& session) {
  for (std::uint32_t list = 0; list < run::PriceLists::kKinds; ++list) {
    if (session.price_lists.Kind(list) != '\0') return true;
  }
  return false;
}

// What the run's session held as a target table started.
struct TableStart {
  std::string table;  // the file name, e.g. "Osoby.dbf"
  Counters counters;
  bool price_lists = false;
};

// The progress display of the run, looking into the run's session at every table.
class SessionWatch final : public ProgressView {
 public:
  explicit SessionWatch(const run::Session& session) : session_(session) {}
  void ShowRunPosition(int) override {}
  void ShowTable(std::string_view caption, int) override {
    const std::string text(caption);
    starts.push_back(
        {text.substr(text.rfind(' ') + 1), CountersOf(session_), HoldsPriceLists(session_)});
  }
  void ShowRecordPosition(int) override {}
  void Pause() override {}
  void Reset() override {}

  std::vector<TableStart> starts;

 private:
  const run::Session& session_;
};

struct WatchedRun {
  ConversionResult result;
  std::vector<TableStart> starts;
  Counters final_counters{};

  const TableStart& Start(std::string_view table) const {
    const auto found = std::find_if(starts.begin(), starts.end(),
                                    [&](const TableStart& start) { return start.table == table; });
    if (found == starts.end()) throw std::out_of_range(std::string(table));
    return *found;
  }
  std::int64_t SequenceValue(std::string_view row) const {
    for (const target::SequenceRow& written : result.sequence_rows) {
      if (written.name == row) return written.next_value;
    }
    return -1;
  }
};

WatchedRun ConvertSample(bool delete_unlinked) {
  testing::TempDir site;
  testing::TempDir output;
  tools::GenerateSampleSite({site.path(), 1, 1});
  ConversionRequest request;
  request.input_folder = platform::Cp1250FromUtf8((site.path() / "SYSTEM").string());
  request.output_folder = platform::Cp1250FromUtf8(output.path().string());
  request.renumbering_file = request.output_folder + "/brak.gm";
  request.options.delete_unlinked_persons = delete_unlinked;
  request.options.delete_unlinked_works = delete_unlinked;
  request.options.delete_unlinked_assortments = delete_unlinked;
  request.options.delete_unlinked_precincts = delete_unlinked;
  request.options.delete_unlinked_parcels = delete_unlinked;
  run::Session session;
  SessionWatch watch(session);
  testing::RecordedMessages messages({}, platform::MessageAnswer::kYes);
  const platform::FixedClock clock({2024, 5, 17});
  WatchedRun run;
  run.result = RunConversion(request, session, watch, messages, clock);
  run.starts = std::move(watch.starts);
  run.final_counters = CountersOf(session);
  return run;
}

// Every dictionary runs after all the converters that refer to its records: it finds them
// referred to before it starts (with delete-unlinked on it keeps only those), and no later
// converter hands out another identifier of it, so its sequence row is the next free one.
TEST(ConverterOrderTest, EveryDictionaryRunsAfterEverythingThatRefersToIt) {
  for (const bool delete_unlinked : {true, false}) {
    SCOPED_TRACE(delete_unlinked ? "delete unlinked" : "keep unlinked");
    const WatchedRun run = ConvertSample(delete_unlinked);
    EXPECT_EQ(run.result.outcome, RunOutcome::kSucceededWithWarnings);
    for (std::size_t i = 0; i < kDictionaries.size(); ++i) {
      const SharedDictionary& dictionary = kDictionaries[i];
      SCOPED_TRACE(std::string(dictionary.table));
      EXPECT_GT(run.Start(dictionary.table).counters[i], 0);
      EXPECT_EQ(run.SequenceValue(dictionary.sequence_row), run.final_counters[i] + 1);
    }
  }
}

// The orders and the templates take their VAT codes and prices from the price lists, which
// are converted before either starts; the sequence table is written once every converter
// has written its rows.
TEST(ConverterOrderTest, ThePriceListsComeBeforeTheirUsersAndTheSequenceTableLast) {
  const WatchedRun run = ConvertSample(true);
  EXPECT_FALSE(run.Start("r_ceny.dbf").price_lists);
  EXPECT_TRUE(run.Start("kart_zam.dbf").price_lists);
  EXPECT_TRUE(run.Start("wzorce.dbf").price_lists);
  ASSERT_FALSE(run.result.report.accounts.empty());
  const std::string& last = run.result.report.accounts.back().target_path;
  EXPECT_TRUE(last.ends_with("Dostep.dbf")) << last;
}

}  // namespace
}  // namespace konwerter::app
