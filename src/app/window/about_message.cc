#include "app/window/about_message.h"

#include <string>

#include "app/version.h"

namespace konwerter::app::window {

platform::OperatorMessage AboutMessage(std::string_view program_name) {
  std::string text(program_name);
  text += " ";
  text += VersionText();
  text += "\r\n";
  text += kProgramDescription;
  return {text, "O programie"};
}

}  // namespace konwerter::app::window
