#include "run/source_directories.h"

#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "source/memory_file.h"

namespace konwerter::run {

namespace {

std::vector<std::string> Components(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (const char c : path) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

bool IsDrive(std::string_view part) {
  return part.size() == 2 && part[1] == ':' &&
         ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

std::string Join(std::string folder, const std::vector<std::string>& parts, std::size_t from) {
  folder = platform::WithTrailingBackslash(folder);
  for (std::size_t i = from; i < parts.size(); ++i) folder += parts[i] + "\\";
  return folder;
}

// The parent of the SYSTEM folder: where the DOS edition was installed.
std::string InstallationRoot(std::string_view system_folder) {
  std::string folder(system_folder);
  while (platform::EndsWithSeparator(folder)) folder.pop_back();
  const auto cut = folder.find_last_of("\\/");
  return cut == std::string::npos ? std::string(".") : folder.substr(0, cut);
}

bool IsAbsolute(std::string_view path) {
  const std::vector<std::string> parts = Components(path);
  return (!parts.empty() && IsDrive(parts.front())) ||
         (!path.empty() && (path.front() == '\\' || path.front() == '/'));
}

std::vector<std::string> Candidates(std::string_view path, std::string_view system_folder,
                                    const DriveMap& drives) {
  const std::vector<std::string> parts = Components(path);
  const bool has_drive = !parts.empty() && IsDrive(parts.front());
  const bool absolute =
      has_drive || (!path.empty() && (path.front() == '\\' || path.front() == '/'));
  const std::size_t first = has_drive ? 1 : 0;
  const std::string root = InstallationRoot(system_folder);

  // A relative value names a folder of the installation, never one of the converter's own
  // working folder.
  std::vector<std::string> candidates;
  if (absolute) candidates.push_back(platform::WithTrailingBackslash(path));
  if (has_drive) {
    const char letter = static_cast<char>(parts.front()[0] & ~0x20);
    if (const auto mounted = drives.find(letter); mounted != drives.end()) {
      candidates.push_back(Join(mounted->second, parts, first));
    }
  }
  if (absolute) {
    for (std::size_t tail = first; tail < parts.size(); ++tail) {
      candidates.push_back(Join(root, parts, tail));
    }
  } else {
    candidates.push_back(Join(root, parts, 0));
    candidates.push_back(Join(std::string(system_folder), parts, 0));
  }
  return candidates;
}

// The folder as it is named on disk, so the summary shows where the data really was.
std::string FoundFolder(const std::string& candidate) {
  // In UTF-8 on every system: string() would give the Windows ANSI code page there.
  const std::u8string normal = platform::HostPath(candidate).lexically_normal().u8string();
  const std::string host(normal.begin(), normal.end());
  const std::string found = platform::Cp1250FromUtf8(host);
  // A folder named in code page 852 on the disk has no cp1250 name of its own: the path
  // that found it stays the way to it.
  if (platform::Utf8FromCp1250(found) != host) return candidate;
  return platform::EndsWithSeparator(found) ? found : found + "/";
}

}  // namespace

std::string ResolveDosFolder(std::string_view path, std::string_view system_folder,
                             const DriveMap& drives) {
  if (path.empty()) return {};
  for (const std::string& candidate : Candidates(path, system_folder, drives)) {
    if (platform::FolderExists(candidate)) return FoundFolder(candidate);
  }
  return {};
}

SourceDirectories::SourceDirectories(std::vector<std::string> entries,
                                     std::string_view system_folder, const DriveMap& drives)
    : entries_(std::move(entries)), system_folder_(system_folder) {
  for (const std::string& entry : entries_) {
    const auto equals = entry.find('=');
    const std::string name = entry.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : entry.substr(equals + 1);
    report_.push_back({name, value, ResolveDosFolder(value, system_folder, drives)});
  }
}

std::string SourceDirectories::Value(std::string_view name) const {
  return source::ValueOf(entries_, name);
}

bool SourceDirectories::Has(std::string_view name) const {
  for (const DirectoryReport& directory : report_) {
    if (directory.name == name) return true;
  }
  return false;
}

std::string SourceDirectories::Folder(std::string_view name) const {
  for (const DirectoryReport& directory : report_) {
    if (directory.name != name) continue;
    if (!directory.resolved.empty()) return directory.resolved;
    if (IsAbsolute(directory.value)) return directory.value;
    // Not found: where the installation would hold it, so that nothing is opened from the
    // working folder and a failing open names the place looked at.
    return Join(InstallationRoot(system_folder_), Components(directory.value), 0);
  }
  return {};
}

}  // namespace konwerter::run
