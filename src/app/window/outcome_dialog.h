#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/operator_messages.h"

namespace konwerter::app::window {

// How a window shows one of the operator's messages.
enum class MessageForm {
  kMessageBox,         // a plain message box, as every message but the end of a run
  kMessageWithReport,  // the plain end of a clean run, with the report one click away
  kOutcomeDialog,      // the end of a run with warnings, or of a failed run
};

// The end of a run carries its counts or its warnings: with warnings listed, or ending in
// a failure (the stop icon), it gets the outcome dialog; a clean end with a report gets the
// plain message and a button for the report; everything else a message box.
MessageForm FormOf(const platform::OperatorMessage& message);

enum class OutcomeButton {
  kOk,          // "OK": closes the plain end message
  kOpenReport,  // "Otwórz raport": opens the report in the system's browser, stays open
  kCopy,        // "Kopiuj": puts ClipboardText() on the clipboard, stays open
  kClose,       // "Zamknij": closes the outcome dialog
};

// The button's caption (cp1250).
std::string ButtonCaption(OutcomeButton button);

// What the dialog at the end of a run shows, for a toolkit to draw: the message's caption
// and icon, the outcome text, the counts one per line, the warnings grouped per file in a
// scrolling list under its title, and the buttons from left to right. Escape and the close
// box close it like its last button, which is also the default button. Only the outcome
// dialog can be resized; the plain end message keeps its size.
struct OutcomeDialog {
  std::string caption;  // cp1250
  platform::MessageIcon icon = platform::MessageIcon::kNone;
  std::string text;                // cp1250; lines joined by CR LF
  std::vector<std::string> facts;  // cp1250
  std::string list_title;          // cp1250; empty when there is no list
  std::vector<platform::MessageDetailGroup> groups;
  std::string report_path;  // a program path; empty when there is no report
  std::vector<OutcomeButton> buttons;
  bool resizable = false;

  // The heading of a group in the list: the file and how many warnings it has.
  static std::string GroupHeading(const platform::MessageDetailGroup& group);
  // What "Kopiuj" puts on the clipboard (cp1250, lines joined by CR LF): the text, the
  // counts and every group with its lines indented, as the dialog shows them.
  std::string ClipboardText() const;
  // The lines of the outcome text.
  std::vector<std::string> TextLines() const;
};

// The dialog for a message of the forms kOutcomeDialog and kMessageWithReport.
OutcomeDialog OutcomeDialogFor(const platform::OperatorMessage& message);

// The report as the host names it, for the system's browser.
std::filesystem::path ReportHostPath(std::string_view report_path);

}  // namespace konwerter::app::window
