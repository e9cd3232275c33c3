#pragma once

#include <ostream>
#include <string>

#include "app/progress_view.h"

namespace konwerter::cli {

// The progress display on a terminal: one line naming the table being built and how far its
// records have got, rewritten in place. Shows nothing when the output is not a terminal or
// --quiet was given.
class TerminalProgress final : public app::ProgressView {
 public:
  TerminalProgress(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}

  void ShowRunPosition(int position) override { run_position_ = position; }
  void ShowTable(std::string_view caption, int record_maximum) override;
  void ShowRecordPosition(int position) override;
  void Pause() override {}
  void Reset() override;

 private:
  void Draw();

  std::ostream& out_;
  bool enabled_;
  bool drawn_ = false;
  std::string caption_;  // UTF-8
  int run_position_ = 0;
  int record_position_ = 0;
  int record_maximum_ = 100;
};

}  // namespace konwerter::cli
