#include "app/progress_bars.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/text_encoding.h"

namespace konwerter::app {

namespace {

constexpr std::uint32_t kMostRecordPositions = 100;

}  // namespace

void ProgressBars::GroupStep() {
  run_position_ = std::min(run_position_ + 1, kRunMaximum);
  view_.ShowRunPosition(run_position_);
}

void ProgressBars::TableStart(std::string_view table_name, std::uint32_t record_count) {
  GroupStep();
  current_table_ = std::string(table_name);
  record_counter_ = 0;
  last_shown_ = 0;
  if (record_count > kMostRecordPositions) {
    ratio_ = static_cast<double>(record_count) / kMostRecordPositions;
    record_maximum_ = static_cast<int>(kMostRecordPositions);
  } else {
    ratio_ = 1.0;
    record_maximum_ = static_cast<int>(record_count);
  }
  record_position_ = 0;
  view_.ShowTable(platform::Cp1250FromUtf8("Tworzenie tabeli: ") + std::string(table_name),
                  record_maximum_);
}

void ProgressBars::RecordStep() {
  if (ratio_ == 1.0) {
    record_position_ = std::min(record_position_ + 1, record_maximum_);
    view_.ShowRecordPosition(record_position_);
    return;
  }
  // Rounded to the nearest position, halves to even.
  const auto position = static_cast<std::int32_t>(std::nearbyint(record_counter_ / ratio_));
  if (position != last_shown_) {
    last_shown_ = position;
    record_position_ = std::min<int>(position, record_maximum_);
    view_.ShowRecordPosition(record_position_);
  }
  ++record_counter_;
}

void ProgressBars::Reset() {
  run_position_ = 0;
  record_position_ = 0;
  view_.Reset();
}

}  // namespace konwerter::app
