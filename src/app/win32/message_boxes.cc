#include "app/win32/message_boxes.h"

#include "app/win32/wide_text.h"

namespace konwerter::win32 {

UINT MessageBoxFlags(const platform::OperatorMessage& message) {
  using platform::MessageAnswer;
  using platform::MessageIcon;
  UINT flags = message.buttons == platform::MessageButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (message.icon) {
    case MessageIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case MessageIcon::kStop:
      flags |= MB_ICONSTOP;
      break;
    case MessageIcon::kWarning:
      flags |= MB_ICONWARNING;
      break;
    case MessageIcon::kNone:
      break;
  }
  if (message.buttons == platform::MessageButtons::kYesNo &&
      message.default_answer == MessageAnswer::kNo) {
    flags |= MB_DEFBUTTON2;
  }
  return flags;
}

platform::MessageAnswer MessageBoxes::Show(const platform::OperatorMessage& message) {
  if (app::window::FormOf(message) != app::window::MessageForm::kMessageBox) {
    OutcomeFrame dialog(app::window::OutcomeDialogFor(message), *fonts_, owner_, open_report_);
    dialog.RunModal();
    return platform::MessageAnswer::kOk;
  }
  const std::wstring text = WideFromCp1250(message.text);
  const std::wstring caption = WideFromCp1250(message.caption);
  const int answer = ::MessageBoxW(owner_, text.c_str(), caption.c_str(), MessageBoxFlags(message));
  switch (answer) {
    case IDYES:
      return platform::MessageAnswer::kYes;
    case IDNO:
      return platform::MessageAnswer::kNo;
    default:
      return platform::MessageAnswer::kOk;
  }
}

}  // namespace konwerter::win32
