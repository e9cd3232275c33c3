#pragma once

#include <string>
#include <string_view>

#include "app/progress_view.h"
#include "platform/operator_messages.h"

namespace konwerter::app::window {

// The progress display of a run started from the window, passed on to the window's own
// display; it remembers the table being written, so that the end of a failed run can say
// where the run stopped (the display itself goes back to empty bars).
class TableWatch final : public ProgressView {
 public:
  explicit TableWatch(ProgressView& shown) : shown_(shown) {}

  void ShowRunPosition(int position) override { shown_.ShowRunPosition(position); }
  void ShowTable(std::string_view caption, int record_maximum) override;
  void ShowRecordPosition(int position) override { shown_.ShowRecordPosition(position); }
  void Pause() override { shown_.Pause(); }
  void Reset() override { shown_.Reset(); }

  // The table last started (cp1250); empty before the first.
  const std::string& table() const { return table_; }

 private:
  ProgressView& shown_;
  std::string table_;
};

// The fact line of a failed run's end that names the table it was writing (cp1250).
std::string StoppedAtFact(std::string_view table);

// The messages of a run started from the window, passed on to the window's own. A message
// with the stop icon shown once a table has been started ends the run: it gets the fact
// line naming that table, unless one of its facts names it already.
class RunMessages final : public platform::OperatorMessages {
 public:
  RunMessages(platform::OperatorMessages& shown, const TableWatch& watch)
      : shown_(shown), watch_(watch) {}

  platform::MessageAnswer Show(const platform::OperatorMessage& message) override;

 private:
  platform::OperatorMessages& shown_;
  const TableWatch& watch_;
};

}  // namespace konwerter::app::window
