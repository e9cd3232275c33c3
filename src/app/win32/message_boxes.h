#pragma once

#include <windows.h>

#include "app/win32/outcome_frame.h"
#include "app/win32/window_controls.h"
#include "platform/operator_messages.h"

namespace konwerter::win32 {

// The operator's messages as modal Windows message boxes over the given window (none: a box
// of its own), with the buttons, icon and default button each message asks for; the end of
// a run with warnings or of a failed run in the outcome dialog, and the plain end of a clean
// run with its report one click away (app/window/outcome_dialog.h).
class MessageBoxes final : public platform::OperatorMessages {
 public:
  MessageBoxes(HWND owner, const WindowFonts& fonts, ReportOpener open_report = ShellReportOpener())
      : owner_(owner), fonts_(&fonts), open_report_(std::move(open_report)) {}
  platform::MessageAnswer Show(const platform::OperatorMessage& message) override;

  // The fonts, and so the scale, of the dialogs shown from now on (the owner moved to a
  // screen of other dots per inch).
  void UseFonts(const WindowFonts& fonts) { fonts_ = &fonts; }

 private:
  HWND owner_;
  const WindowFonts* fonts_;
  ReportOpener open_report_;
};

// The flags of MessageBoxW for a message.
UINT MessageBoxFlags(const platform::OperatorMessage& message);

}  // namespace konwerter::win32
