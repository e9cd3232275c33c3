#include "app/win32/wide_text.h"

#include <windows.h>

#include "platform/text_encoding.h"

namespace konwerter::win32 {

std::wstring WideFromCp1250(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char c : text) {
    wide += static_cast<wchar_t>(platform::kCp1250ToUnicode[static_cast<unsigned char>(c)]);
  }
  return wide;
}

std::string Cp1250FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
  return platform::Cp1250FromUtf8(utf8);
}

}  // namespace konwerter::win32
