#include "app/progress_bars.h"

#include <gtest/gtest.h>

#include <vector>

namespace konwerter::app {
namespace {

// Records every position the bars are given.
class RecordingView final : public ProgressView {
 public:
  void ShowRunPosition(int position) override { run = position; }
  void ShowTable(std::string_view text, int maximum) override {
    caption = std::string(text);
    record_maximum = maximum;
    records.clear();
  }
  void ShowRecordPosition(int position) override { records.push_back(position); }
  void Pause() override {}
  void Reset() override { run = -1; }

  int run = 0;
  std::string caption;
  int record_maximum = -1;
  std::vector<int> records;
};

TEST(ProgressBarsTest, UpToAHundredRecordsTheBarMovesOncePerRecord) {
  RecordingView view;
  ProgressBars bars(view);
  bars.TableStart("Osoby.dbf", 100);
  EXPECT_EQ(view.caption, "Tworzenie tabeli: Osoby.dbf");
  EXPECT_EQ(view.record_maximum, 100);
  EXPECT_EQ(bars.ratio(), 1.0);
  for (int i = 0; i < 100; ++i) bars.RecordStep();
  ASSERT_EQ(view.records.size(), 100u);
  EXPECT_EQ(view.records.front(), 1);
  EXPECT_EQ(view.records.back(), 100);
}

TEST(ProgressBarsTest, AboveAHundredRecordsTheBarIsScaledAndWrittenOnlyOnChange) {
  RecordingView view;
  ProgressBars bars(view);
  bars.TableStart("kart_zam.dbf", 101);
  EXPECT_EQ(view.record_maximum, 100);
  EXPECT_DOUBLE_EQ(bars.ratio(), 1.01);
  for (int i = 0; i < 101; ++i) bars.RecordStep();
  EXPECT_LE(view.records.size(), 100u);
  EXPECT_EQ(view.records.back(), 99);  // the last record is number 100 of 0..100

  bars.TableStart("Duza.dbf", 1'000'000);
  for (int i = 0; i < 1'000'000; ++i) bars.RecordStep();
  EXPECT_EQ(view.records.size(), 100u);
  EXPECT_EQ(view.records.back(), 100);
}

TEST(ProgressBarsTest, AnEmptyTableGetsABarWithMaximumZero) {
  RecordingView view;
  ProgressBars bars(view);
  bars.TableStart("Pusta.dbf", 0);
  EXPECT_EQ(view.record_maximum, 0);
  EXPECT_TRUE(view.records.empty());
}

TEST(ProgressBarsTest, TheRunBarStopsAtSixtyTablesAndResetReturnsToZero) {
  RecordingView view;
  ProgressBars bars(view);
  for (int i = 0; i < 75; ++i) bars.TableStart("T.dbf", 1);
  EXPECT_EQ(view.run, ProgressBars::kRunMaximum);
  bars.Reset();
  EXPECT_EQ(bars.run_position(), 0);
  EXPECT_EQ(view.run, -1);
}

}  // namespace
}  // namespace konwerter::app
