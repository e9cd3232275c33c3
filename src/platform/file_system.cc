#include "platform/file_system.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/text_encoding.h"

namespace konwerter::platform {

namespace fs = std::filesystem;

void CreateFolders(std::string_view folder) {
  const fs::path host = HostPath(folder);
  std::error_code error;
  fs::create_directories(host, error);
  if (error || !fs::is_directory(host, error)) {
    throw IoError(IoFault::kCreateFolder, host.string());
  }
}

bool RemoveFile(std::string_view path) {
  std::error_code error;
  return fs::remove(HostPath(path), error);
}

bool CopyFile(std::string_view from, std::string_view to) {
  std::error_code error;
  const fs::path target = HostPath(to);
  // The old copy goes first: MinGW's copy_file takes any existing file on the same drive for
  // the source itself (Windows reports no inode numbers) and refuses to overwrite it.
  fs::remove(target, error);
  return fs::copy_file(HostPath(from), target, error);
}

bool FileExists(std::string_view path) {
  std::error_code error;
  return fs::is_regular_file(HostPath(path), error);
}

bool FolderExists(std::string_view folder) {
  std::error_code error;
  return fs::is_directory(HostPath(folder), error);
}

std::vector<std::string> ListFiles(std::string_view folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator entries(HostPath(folder), error), end; !error && entries != end;
       entries.increment(error)) {
    if (entries->is_regular_file(error)) {
      names.push_back(Cp1250FromUtf8(entries->path().filename().string()));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace konwerter::platform
