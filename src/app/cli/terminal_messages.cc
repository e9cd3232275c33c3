#include "app/cli/terminal_messages.h"

#include <cctype>
#include <string>

#include "platform/text_encoding.h"

namespace konwerter::cli {

namespace {

// Message texts break lines with CR LF, as in a message box; a terminal wants LF.
std::string TerminalText(const std::string& cp1250) {
  std::string text = platform::Utf8FromCp1250(cp1250);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

}  // namespace

platform::MessageAnswer TerminalMessages::Show(const platform::OperatorMessage& message) {
  out_ << "[" << TerminalText(message.caption) << "] " << TerminalText(message.text) << "\n";
  for (const platform::MessageDetailGroup& group : message.details) {
    out_ << "  " << TerminalText(group.heading) << ":\n";
    for (const std::string& line : group.lines) out_ << "    - " << TerminalText(line) << "\n";
  }
  if (message.buttons == platform::MessageButtons::kOk) return platform::MessageAnswer::kOk;
  if (assume_yes_) {
    out_ << "T (--yes)\n";
    return platform::MessageAnswer::kYes;
  }
  if (!input_is_terminal_) {
    out_ << "N (brak terminala; użyj --yes, aby potwierdzić)\n";
    return platform::MessageAnswer::kNo;
  }
  return Ask();
}

platform::MessageAnswer TerminalMessages::Ask() {
  for (;;) {
    out_ << "T/N? " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) return platform::MessageAnswer::kNo;
    const char answer =
        line.empty() ? ' '
                     : static_cast<char>(std::toupper(static_cast<unsigned char>(line.front())));
    if (answer == 'T' || answer == 'Y') return platform::MessageAnswer::kYes;
    if (answer == 'N') return platform::MessageAnswer::kNo;
  }
}

}  // namespace konwerter::cli
