#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace konwerter::verification {

// The files of a converted database as the host holds them: every file of every group
// folder under BAZA, found without regard to the letter case of their names (a copy from a
// Windows volume may have changed it).
class DatabaseFiles {
 public:
  explicit DatabaseFiles(const std::filesystem::path& output_folder);

  // The file `name` of the group folder `folder`; nullopt when there is none.
  std::optional<std::filesystem::path> Find(std::string_view folder, std::string_view name) const;

  // Where the file would lie: its group folder as found (or as named) under BAZA.
  std::filesystem::path Expected(std::string_view folder, std::string_view name) const;

  // The table, index and memo files (.dbf, .mdx, .dbt) not in `expected`, in name order.
  std::vector<std::filesystem::path> TableFilesOtherThan(
      const std::set<std::filesystem::path>& expected) const;

 private:
  std::filesystem::path base_;
  std::map<std::string, std::filesystem::path> folders_;  // by name in upper case
  std::map<std::string, std::filesystem::path> files_;    // by "FOLDER\NAME" in upper case
  // Files whose names differ from one in files_ only in letter case (a case-sensitive host).
  std::vector<std::filesystem::path> case_twins_;
};

}  // namespace konwerter::verification
