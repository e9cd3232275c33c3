#pragma once

#include <string>
#include <utility>
#include <vector>

namespace konwerter::platform {

enum class MessageButtons { kOk, kYesNo };
enum class MessageIcon { kNone, kQuestion, kStop, kWarning };
enum class MessageAnswer { kOk, kYes, kNo };

// Lines of a message's details under one heading (the warnings of one file), cp1250.
struct MessageDetailGroup {
  std::string heading;
  std::vector<std::string> lines;
};

// A modal message to the operator: text and caption in cp1250 (lines joined by CR LF).
// The end of a conversion adds what a window shows beside the text: short facts (the
// counts), details grouped under headings (warnings per file), and a report the operator
// may open (a program path; empty when none).
struct OperatorMessage {
  OperatorMessage() = default;
  OperatorMessage(std::string text_, std::string caption_,
                  MessageButtons buttons_ = MessageButtons::kOk,
                  MessageIcon icon_ = MessageIcon::kNone,
                  MessageAnswer default_answer_ = MessageAnswer::kOk)
      : text(std::move(text_)),
        caption(std::move(caption_)),
        buttons(buttons_),
        icon(icon_),
        default_answer(default_answer_) {}

  std::string text;
  std::string caption;
  MessageButtons buttons = MessageButtons::kOk;
  MessageIcon icon = MessageIcon::kNone;
  MessageAnswer default_answer = MessageAnswer::kOk;
  std::vector<std::string> facts;
  std::vector<MessageDetailGroup> details;
  std::string report_path;
};

// Where the program shows its messages and gets the operator's answer: a message box in the
// window, a prompt on the terminal, a script in tests.
class OperatorMessages {
 public:
  virtual ~OperatorMessages() = default;
  virtual MessageAnswer Show(const OperatorMessage& message) = 0;
};

}  // namespace konwerter::platform
