#pragma once

#include <string>

namespace konwerter::platform {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kQuestion, kStop, kWarning };
enum class MessageAnswer { kOk, kYes, kNo };

// A modal message to the operator: text and caption in cp1250 (lines joined by CR LF).
struct OperatorMessage {
  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::kOk;
  MessageIcon icon = MessageIcon::kNone;
  MessageAnswer default_answer = MessageAnswer::kOk;
};

// Where the program shows its messages and gets the operator's answer: a message box in the
// window, a prompt on the terminal, a script in tests.
class OperatorMessages {
 public:
  virtual ~OperatorMessages() = default;
  virtual MessageAnswer Show(const OperatorMessage& message) = 0;
};

}  // namespace konwerter::platform
