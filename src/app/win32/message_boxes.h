#pragma once

#include <windows.h>

#include "platform/operator_messages.h"

namespace konwerter::win32 {

// The operator's messages as modal Windows message boxes over the given window (none: a box
// of its own), with the buttons, icon and default button each message asks for.
class MessageBoxes final : public platform::OperatorMessages {
 public:
  explicit MessageBoxes(HWND owner) : owner_(owner) {}
  platform::MessageAnswer Show(const platform::OperatorMessage& message) override;

 private:
  HWND owner_;
};

// The flags of MessageBoxW for a message.
UINT MessageBoxFlags(const platform::OperatorMessage& message);

}  // namespace konwerter::win32
