#include "platform/program_path.h"

#include <filesystem>
#include <system_error>

#include "platform/text_encoding.h"

namespace konwerter::platform {

std::string ProgramPath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : Cp1250FromUtf8(path.string());
}

}  // namespace konwerter::platform
