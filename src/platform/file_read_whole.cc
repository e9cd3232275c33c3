#include <cstdint>
#include <string>

#include "platform/file.h"

namespace konwerter::platform {

std::optional<std::string> File::ReadWhole(const std::filesystem::path& path) {
  auto file = OpenExisting(path, Access::kRead);
  if (!file) return std::nullopt;
  std::string text(file->Size(), '\0');
  const std::size_t got =
      file->ReadAt(0, {reinterpret_cast<std::uint8_t*>(text.data()), text.size()});
  text.resize(got);
  return text;
}

}  // namespace konwerter::platform
