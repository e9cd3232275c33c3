#pragma once

#include <array>
#include <string>
#include <string_view>

namespace konwerter::platform {

// cp1250 byte -> Unicode code point. Bytes cp1250 leaves undefined map to themselves.
extern const std::array<char16_t, 256> kCp1250ToUnicode;

// The program's text (cp1250 bytes) as UTF-8, for terminals, JSON and host file names.
std::string Utf8FromCp1250(std::string_view text);
// The same, appended to `out`.
void AppendUtf8FromCp1250(std::string& out, std::string_view text);

// UTF-8 from the host (command line, file names) as the program's cp1250 text.
// A character cp1250 cannot hold becomes "?"; a malformed sequence gives one "?" per byte.
std::string Cp1250FromUtf8(std::string_view text);

}  // namespace konwerter::platform
