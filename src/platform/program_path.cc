#include "platform/program_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <system_error>

#include "platform/text_encoding.h"

namespace konwerter::platform {

#ifdef _WIN32

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return Cp1250FromUtf8(std::filesystem::path(path).string());
}

#else

std::string ProgramPath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : Cp1250FromUtf8(path.string());
}

#endif  // _WIN32

}  // namespace konwerter::platform
