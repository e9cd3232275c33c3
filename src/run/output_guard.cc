#include "run/output_guard.h"

#include <filesystem>
#include <system_error>

#include "platform/dos_path.h"
#include "platform/real_path.h"
#include "run/messages.h"

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
      return {OutputOverlapsSources(folder)};
    }
  }
  if (const fs::path link = LinkLeading(output, real_output, kLinkSearchDepth); !link.empty()) {
    return {OutputHoldsLink(link.lexically_normal().string())};
  }
  return {};
}

}  // namespace konwerter::run
