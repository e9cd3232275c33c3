#include "target/verification/database_files.h"

#include <algorithm>
#include <system_error>

namespace konwerter::verification {

namespace {

namespace fs = std::filesystem;

// UTF-8 text with its ASCII letters in upper case: names compare so whatever their case.
std::string UpperName(const fs::path& name) {
  const std::u8string text = name.u8string();
  std::string upper(text.begin(), text.end());
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string UpperName(std::string_view name) {
  return UpperName(fs::path(std::u8string(name.begin(), name.end())));
}

std::string Key(std::string_view folder, std::string_view name) {
  return UpperName(folder) + "\\" + UpperName(name);
}

// The entries of a folder of one kind (folders or regular files); none when it cannot be
// listed.
std::vector<fs::path> Entries(const fs::path& folder, bool folders) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    const bool is_folder = it->is_directory(kind_error);
    if (!kind_error && is_folder == folders && (folders || it->is_regular_file(kind_error))) {
      entries.push_back(it->path());
    }
  }
  return entries;
}

std::optional<fs::path> FindBase(const fs::path& output_folder) {
  for (const fs::path& folder : Entries(output_folder, true)) {
    if (UpperName(folder.filename()) == "BAZA") return folder;
  }
  return std::nullopt;
}

}  // namespace

DatabaseFiles::DatabaseFiles(const std::filesystem::path& output_folder)
    : base_(output_folder / "BAZA") {
  const std::optional<fs::path> base = FindBase(output_folder);
  if (!base) return;
  base_ = *base;
  for (const fs::path& group : Entries(*base, true)) {
    const std::string folder = UpperName(group.filename());
    folders_.emplace(folder, group);
    for (const fs::path& file : Entries(group, false)) {
      if (!files_.emplace(folder + "\\" + UpperName(file.filename()), file).second) {
        case_twins_.push_back(file);
      }
    }
  }
}

std::optional<std::filesystem::path> DatabaseFiles::Find(std::string_view folder,
                                                         std::string_view name) const {
  const auto found = files_.find(Key(folder, name));
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

std::filesystem::path DatabaseFiles::Expected(std::string_view folder,
                                              std::string_view name) const {
  const fs::path file(std::u8string(name.begin(), name.end()));
  const auto found = folders_.find(UpperName(folder));
  if (found != folders_.end()) return found->second / file;
  return base_ / fs::path(std::u8string(folder.begin(), folder.end())) / file;
}

std::vector<std::filesystem::path> DatabaseFiles::TableFilesOtherThan(
    const std::set<std::filesystem::path>& expected) const {
  std::vector<fs::path> others;
  const auto note = [&](const fs::path& file) {
    const std::string extension = UpperName(file.extension());
    const bool table_file = extension == ".DBF" || extension == ".MDX" || extension == ".DBT";
    if (table_file && !expected.contains(file)) others.push_back(file);
  };
  for (const auto& [key, file] : files_) note(file);
  for (const fs::path& file : case_twins_) note(file);
  std::sort(others.begin(), others.end());
  return others;
}

}  // namespace konwerter::verification
