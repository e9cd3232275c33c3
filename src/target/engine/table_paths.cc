#include "target/engine/table_paths.h"

#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "target/engine/failure.h"

namespace konwerter::engine {

namespace {

// Where the extension of the file name at the end of `path` begins; npos when it has none.
std::size_t ExtensionStart(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t separator = path.find_last_of("\\/");
  if (dot == std::string_view::npos) return dot;
  if (separator != std::string_view::npos && dot < separator) return std::string_view::npos;
  return dot;
}

}  // namespace

TablePaths PathsOf(std::string_view folder, std::string_view table_name) {
  TablePaths paths;
  paths.folder = platform::WithTrailingBackslash(folder);
  std::string full = paths.folder + std::string(table_name);
  std::size_t extension = ExtensionStart(full);
  if (extension == std::string::npos) {
    extension = full.size();
    full += ".dbf";
  }
  const std::string base = full.substr(0, extension);
  paths.dbf = std::move(full);
  paths.mdx = base + ".mdx";
  paths.dbt = base + ".dbt";
  return paths;
}

void RequireFolder(const TablePaths& paths) {
  if (!paths.folder.empty() && !platform::FolderExists(paths.folder)) {
    Fail(EngineFault::kFolderMissing, platform::Utf8FromCp1250(paths.dbf));
  }
}

void RequireTableFile(const TablePaths& paths) {
  RequireFolder(paths);
  if (!platform::FileExists(paths.dbf)) {
    Fail(EngineFault::kTableMissing, platform::Utf8FromCp1250(paths.dbf));
  }
}

}  // namespace konwerter::engine
