#include "platform/console.h"

#ifdef _WIN32
#include <windows.h>
// after windows.h, which it builds on
#include <shellapi.h>

#include <memory>
#endif

namespace konwerter::platform {

#ifdef _WIN32

namespace {

std::string Utf8FromWide(const wchar_t* text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

struct LocalFreer {
  void operator()(wchar_t** block) const { ::LocalFree(block); }
};

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreer> wide(
      ::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide.get()[i]));
  return arguments;
}

Utf8Console::Utf8Console()
    : output_code_page_(::GetConsoleOutputCP()), input_code_page_(::GetConsoleCP()) {
  if (output_code_page_ != 0) ::SetConsoleOutputCP(CP_UTF8);
  if (input_code_page_ != 0) ::SetConsoleCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
  if (output_code_page_ != 0) ::SetConsoleOutputCP(output_code_page_);
  if (input_code_page_ != 0) ::SetConsoleCP(input_code_page_);
}

#else

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv, argv + argc};
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

#endif  // _WIN32

}  // namespace konwerter::platform
