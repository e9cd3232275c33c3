#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/progress_view.h"
#include "run/progress.h"

namespace konwerter::app {

// The converters' progress shown on two bars. The run bar moves one step per target table
// (up to its maximum of 60). The record bar shows at most 100 positions per table: above
// 100 records a position is the record count scaled down and is only shown when it changes.
class ProgressBars final : public run::Progress {
 public:
  static constexpr int kRunMaximum = 60;

  explicit ProgressBars(ProgressView& view) : view_(view) {}

  void GroupStep() override;
  void TableStart(std::string_view table_name, std::uint32_t record_count) override;
  void RecordStep() override;
  void ConverterPause() override { view_.Pause(); }
  void Reset();

  int run_position() const { return run_position_; }
  int record_position() const { return record_position_; }
  int record_maximum() const { return record_maximum_; }
  double ratio() const { return ratio_; }
  // The name of the table last started; empty before the first.
  const std::string& current_table() const { return current_table_; }

 private:
  ProgressView& view_;
  int run_position_ = 0;
  int record_position_ = 0;
  int record_maximum_ = 100;
  std::int32_t record_counter_ = 0;
  std::int32_t last_shown_ = 0;
  double ratio_ = 1.0;
  std::string current_table_;
};

}  // namespace konwerter::app
