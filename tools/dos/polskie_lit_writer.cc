#include "tools/dos/polskie_lit_writer.h"

#include <vector>

#include "platform/file.h"
#include "platform/io_error.h"

namespace konwerter::tools {

void WritePolskieLit(const std::filesystem::path& path, std::uint8_t marker, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, ' ');
  if (size > kPolskieLitMarkerOffset) bytes[kPolskieLitMarkerOffset] = marker;
  platform::File file = platform::File::Create(path);
  file.Write(bytes);
  if (!file.Close()) throw platform::IoError(platform::IoFault::kClose, path.string());
}

}  // namespace konwerter::tools
