#pragma once

#include <istream>
#include <ostream>

#include "platform/operator_messages.h"

namespace konwerter::cli {

// The operator's messages on a terminal: caption and text printed as UTF-8. A yes/no
// question is asked ("T/N") when the input is a terminal; otherwise, or with --yes, it is
// answered without asking: Yes with --yes, No without.
class TerminalMessages final : public platform::OperatorMessages {
 public:
  TerminalMessages(std::ostream& out, std::istream& in, bool input_is_terminal, bool assume_yes)
      : out_(out), in_(in), input_is_terminal_(input_is_terminal), assume_yes_(assume_yes) {}

  platform::MessageAnswer Show(const platform::OperatorMessage& message) override;

 private:
  platform::MessageAnswer Ask();

  std::ostream& out_;
  std::istream& in_;
  bool input_is_terminal_;
  bool assume_yes_;
};

}  // namespace konwerter::cli
