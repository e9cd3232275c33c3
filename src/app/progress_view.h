#pragma once

#include <string_view>

namespace konwerter::app {

// The progress display of a front end: a bar of the whole run (0..60), a caption naming the
// table being built, and a bar of that table's records.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual void ShowRunPosition(int position) = 0;
  // `caption` is cp1250 ("Tworzenie tabeli: Osoby.dbf"); the record bar restarts at 0 with
  // the given maximum.
  virtual void ShowTable(std::string_view caption, int record_maximum) = 0;
  virtual void ShowRecordPosition(int position) = 0;
  // Between converters: a window repaints and answers the system at once (the operator's
  // input to it is not acted on); the run does not wait here.
  virtual void Pause() = 0;
  // Both bars back to 0 at the end of a run.
  virtual void Reset() = 0;
};

}  // namespace konwerter::app
