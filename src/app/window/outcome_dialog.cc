#include "app/window/outcome_dialog.h"

#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::app::window {

namespace {

using platform::Cp1250FromUtf8;
using platform::MessageIcon;

bool IsEndOfRun(const platform::OperatorMessage& message) {
  return !message.facts.empty() || !message.details.empty() || !message.report_path.empty();
}

std::size_t WarningCount(const std::vector<platform::MessageDetailGroup>& groups) {
  std::size_t count = 0;
  for (const platform::MessageDetailGroup& group : groups) count += group.lines.size();
  return count;
}

}  // namespace

MessageForm FormOf(const platform::OperatorMessage& message) {
  if (!IsEndOfRun(message)) return MessageForm::kMessageBox;
  if (!message.details.empty() || message.icon == MessageIcon::kStop) {
    return MessageForm::kOutcomeDialog;
  }
  if (!message.report_path.empty()) return MessageForm::kMessageWithReport;
  return MessageForm::kMessageBox;
}

std::string ButtonCaption(OutcomeButton button) {
  switch (button) {
    case OutcomeButton::kOk:
      return "OK";
    case OutcomeButton::kOpenReport:
      return Cp1250FromUtf8("Otwórz raport");
    case OutcomeButton::kCopy:
      return "Kopiuj";
    case OutcomeButton::kClose:
      return "Zamknij";
  }
  return {};
}

std::string OutcomeDialog::GroupHeading(const platform::MessageDetailGroup& group) {
  return group.heading + " (" + std::to_string(group.lines.size()) + ")";
}

std::vector<std::string> OutcomeDialog::TextLines() const {
  std::vector<std::string> lines;
  std::string_view rest = text;
  while (true) {
    const std::size_t end = rest.find("\r\n");
    lines.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 2);
  }
  return lines;
}

std::string OutcomeDialog::ClipboardText() const {
  std::string copied = caption + "\r\n\r\n" + text + "\r\n";
  if (!facts.empty()) copied += "\r\n";
  for (const std::string& fact : facts) copied += fact + "\r\n";
  if (!groups.empty()) copied += "\r\n" + list_title + "\r\n";
  for (const platform::MessageDetailGroup& group : groups) {
    copied += GroupHeading(group) + "\r\n";
    for (const std::string& line : group.lines) copied += "    " + line + "\r\n";
  }
  return copied;
}

OutcomeDialog OutcomeDialogFor(const platform::OperatorMessage& message) {
  OutcomeDialog dialog;
  dialog.caption = message.caption;
  dialog.icon = message.icon;
  dialog.text = message.text;
  dialog.report_path = message.report_path;
  if (FormOf(message) != MessageForm::kOutcomeDialog) {
    // The plain end of a clean run: the message as it always was, and the report.
    if (!dialog.report_path.empty()) dialog.buttons.push_back(OutcomeButton::kOpenReport);
    dialog.buttons.push_back(OutcomeButton::kOk);
    return dialog;
  }
  dialog.facts = message.facts;
  dialog.groups = message.details;
  if (!dialog.groups.empty()) {
    dialog.list_title = Cp1250FromUtf8("Ostrzeżenia według plików (") +
                        std::to_string(WarningCount(dialog.groups)) + "):";
  }
  if (!dialog.report_path.empty()) dialog.buttons.push_back(OutcomeButton::kOpenReport);
  dialog.buttons.push_back(OutcomeButton::kCopy);
  dialog.buttons.push_back(OutcomeButton::kClose);
  dialog.resizable = true;
  return dialog;
}

std::filesystem::path ReportHostPath(std::string_view report_path) {
  return platform::HostPath(report_path);
}

}  // namespace konwerter::app::window
