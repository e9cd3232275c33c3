#include "run/output_guard.h"

#include <filesystem>
#include <system_error>

#include "platform/dos_path.h"
#include "platform/real_path.h"
#include "platform/text_encoding.h"

namespace konwerter::run {

namespace {

namespace fs = std::filesystem;

// Links are looked for this deep under the output folder (BAZA\<group>\<table>).
constexpr int kLinkSearchDepth = 4;

// The first link under `folder` whose target lies outside `root`; empty when none.
fs::path LinkLeading(const fs::path& folder, const std::vector<std::string>& root, int depth) {
  std::error_code error;
  for (fs::directory_iterator entries(folder, error), end; !error && entries != end;
       entries.increment(error)) {
    const fs::path entry = entries->path();
    std::error_code ignored;
    const fs::file_status status = fs::symlink_status(entry, ignored);
    if (fs::is_symlink(status)) {
      if (!platform::IsWithin(platform::FoldedRealPath(entry), root)) return entry;
      continue;
    }
    if (depth > 1 && fs::is_directory(status)) {
      if (fs::path found = LinkLeading(entry, root, depth - 1); !found.empty()) return found;
    }
  }
  return {};
}

std::string Text(std::string_view utf8) {
  return platform::Cp1250FromUtf8(utf8);
}

}  // namespace

OutputRefusal CheckOutputFolder(std::string_view output_folder,
                                const std::vector<std::string>& source_folders) {
  const fs::path output = platform::HostPath(output_folder);
  const std::vector<std::string> real_output = platform::FoldedRealPath(output);
  for (const std::string& folder : source_folders) {
    if (folder.empty()) continue;
    const std::vector<std::string> real_source =
        platform::FoldedRealPath(platform::HostPath(folder));
    if (platform::IsWithin(real_source, real_output) ||
        platform::IsWithin(real_output, real_source)) {
      return {Text("Kartoteka wynikowa pokrywa się z danymi systemu TEROKAN w wersji DOS (") +
              platform::HostForm(folder) +
              Text("). Konwersja mogłaby zniszczyć dane źródłowe. Wskaż inną kartotekę "
                   "wynikową.")};
    }
  }
  if (const fs::path link = LinkLeading(output, real_output, kLinkSearchDepth); !link.empty()) {
    return {Text("W kartotece wynikowej jest dowiązanie prowadzące poza nią: ") +
            platform::Cp1250FromUtf8(link.lexically_normal().string()) +
            Text(". Wskaż inną kartotekę wynikową.")};
  }
  return {};
}

}  // namespace konwerter::run
