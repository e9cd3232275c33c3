#pragma once

#include <string>
#include <string_view>

namespace konwerter::win32 {

// The program's cp1250 text as the UTF-16 the Windows API takes, and back.
std::wstring WideFromCp1250(std::string_view text);
std::string Cp1250FromWide(std::wstring_view text);

}  // namespace konwerter::win32
