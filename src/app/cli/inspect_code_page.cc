// The source code page `inspect` reads text with, and the folder a file lies in.

#include "app/cli/inspect_reports.h"
#include "platform/dos_path.h"
#include "source/transliteration.h"

namespace konwerter::cli {

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

int SourceCodePageFor(const InspectOptions& options) {
  if (options.code_page) return *options.code_page;
  source::CodePages pages;
  source::DetectSourceCodePage(FolderOf(options.path), pages);
  return pages.source;
}

}  // namespace konwerter::cli
