#pragma once

#include <string>
#include <string_view>

#include "app/window/option_boxes.h"
#include "app/window/renumbering_grid.h"
#include "platform/operator_messages.h"
#include "run/run_options.h"

namespace konwerter::app::window {

// The rules of the renumbering dialog TForm2, for a toolkit's dialog to forward its events
// to. The dialog lives as long as the program: its grid and its six segment-1 check boxes
// keep their content between showings. The check boxes are the run's segment-1 options,
// held by the main window and referred to here.
//
// A toolkit dialog: calls Showing() before it becomes visible and then shows grid() and
// the boxes of kRenumberingDialogBoxes as options() holds them; forwards cell edits and the
// current row to grid(); calls AddRow() and DeleteRow() for the two flat buttons; calls
// SetSegmentOption() after one of the six boxes changed; closes with the OK result only when
// Accept() says so, and closes any other way (the "Anuluj" button, the close box, Escape) only when
// ConfirmLeave() says so.
class RenumberingDialog {
 public:
  // `file_path`: the renumbering file beside the program (cp1250).
  RenumberingDialog(std::string file_path, run::RunOptions& options)
      : file_path_(std::move(file_path)), options_(options) {}

  const std::string& file_path() const { return file_path_; }
  RenumberingGrid& grid() { return grid_; }
  const RenumberingGrid& grid() const { return grid_; }
  const run::RunOptions& options() const { return options_; }

  // Before every showing: the grid is filled again from the renumbering file when it can
  // be opened (one row per line holding a "|"); otherwise it keeps its earlier content.
  void Showing();

  void AddRow() { grid_.AppendRow(); }
  void DeleteRow() { grid_.DeleteCurrentRow(); }

  // One of the six segment-1 boxes was clicked and is now `checked`. The first such click in
  // the program's life shows the warning about renumbering the register.
  // REQUIRES: `box` is one of kRenumberingDialogBoxes.
  void SetSegmentOption(OptionBox box, bool checked, platform::OperatorMessages& messages);
  bool warning_shown() const { return warning_shown_; }

  // OK: checks the rows and writes the renumbering file. True when the dialog closes with
  // the OK result; false, after a message naming the faulty row or the file that could not
  // be written, when it stays open (nothing written then).
  bool Accept(platform::OperatorMessages& messages);

  // Leaving without OK: asks whether to leave without saving. True when the dialog closes
  // (nothing written), false when the operator chose to stay.
  bool ConfirmLeave(platform::OperatorMessages& messages);

 private:
  std::string file_path_;
  run::RunOptions& options_;
  RenumberingGrid grid_;
  bool warning_shown_ = false;
};

}  // namespace konwerter::app::window
