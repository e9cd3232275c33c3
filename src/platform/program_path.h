#pragma once

#include <string>

namespace konwerter::platform {

// The full path of the running program (cp1250 text), e.g. "/opt/konwerter/konwerter-cli".
std::string ProgramPath();

}  // namespace konwerter::platform
