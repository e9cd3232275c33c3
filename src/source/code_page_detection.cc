// Detection of the DOS code page a site used, from the marker in its `polskie.lit`.

#include <array>
#include <cstdint>
#include <string>

#include "platform/dos_path.h"
#include "platform/file.h"
#include "source/transliteration.h"

namespace konwerter::source {

namespace {

inline constexpr std::uint64_t kMarkerOffset = 141;

int PageForMarker(std::uint8_t marker, int otherwise) {
  switch (marker) {
    case 'c':
      return kCp852Page;
    case 'n':
      return kMazoviaPage;
    case '|':
      return kMarker7CPage;
    case 0x8D:
      return kMarker8DPage;
    default:
      return otherwise;
  }
}

}  // namespace

bool DetectSourceCodePage(std::string_view folder, CodePages& pages) {
  pages.source = kCp852Page;
  const std::string path = platform::WithTrailingBackslash(folder) + "polskie.lit";
  auto file = platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kRead);
  if (!file) return false;
  std::array<std::uint8_t, 1> marker{};
  if (file->ReadAt(kMarkerOffset, marker) != marker.size()) return false;
  pages.source = PageForMarker(marker[0], pages.source);
  return true;
}

}  // namespace konwerter::source
