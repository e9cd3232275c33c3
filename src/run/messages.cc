#include "run/messages.h"

#include "platform/text_encoding.h"

namespace konwerter::run {

void ShowMessage(platform::OperatorMessages& messages, std::string_view text_utf8,
                 std::string_view caption_utf8, std::string_view detail) {
  messages.Show({platform::Cp1250FromUtf8(text_utf8) + std::string(detail),
                 platform::Cp1250FromUtf8(caption_utf8)});
}

std::string OpenFailureText(std::string_view path) {
  return platform::Cp1250FromUtf8("Błąd podczas otwarcia pliku: ") + std::string(path);
}

}  // namespace konwerter::run
