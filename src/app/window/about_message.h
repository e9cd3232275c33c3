#pragma once

#include <string_view>

#include "platform/operator_messages.h"

namespace konwerter::app::window {

// The entry of a window's menu (the system menu, the context menu) that shows AboutMessage.
inline constexpr std::string_view kAboutMenuEntry = "O programie...";

// "O programie": the program's name (`program_name`, e.g. "konwerter") with its version, and
// a line on what it does; cp1250, one OK button.
platform::OperatorMessage AboutMessage(std::string_view program_name);

}  // namespace konwerter::app::window
