#pragma once

#include <string>
#include <string_view>

#include "platform/operator_messages.h"

namespace konwerter::run {

// Shows a plain message with an OK button. Text and caption are given in UTF-8 here and
// shown as the system's cp1250 text; `detail` (already cp1250) is appended to the text.
void ShowMessage(platform::OperatorMessages& messages, std::string_view text_utf8,
                 std::string_view caption_utf8, std::string_view detail = {});

// The system's text of "Błąd podczas otwarcia pliku: " followed by the path.
std::string OpenFailureText(std::string_view path);

}  // namespace konwerter::run
