#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_report.h"

namespace konwerter::run {

// Where a DOS drive letter is mounted on this machine ('F' -> "/mnt/dane").
using DriveMap = std::map<char, std::string>;

// The folder a DOS folder path stands for on this machine, or "" when none exists.
// An absolute path is used as it stands when that folder exists. Otherwise, without regard to
// letter case: a drive letter through the drive map; for an absolute path, its trailing
// folder names under the DOS installation root (the parent of the SYSTEM folder), longest
// tail first; for a relative path, the root and then the SYSTEM folder (a relative path is
// never taken as it stands: that would be the working folder's).
std::string ResolveDosFolder(std::string_view path, std::string_view system_folder,
                             const DriveMap& drives);

// The source directory variables of a run ("NAME=value" entries of bdglobal.mem, values
// ending in a backslash) and the folder each one was found in.
class SourceDirectories {
 public:
  SourceDirectories() = default;
  SourceDirectories(std::vector<std::string> entries, std::string_view system_folder,
                    const DriveMap& drives);

  // The value as bdglobal.mem holds it; empty when the variable is not in the list.
  std::string Value(std::string_view name) const;
  // True when bdglobal.mem holds the variable.
  bool Has(std::string_view name) const;
  // The folder to open the variable's files from: the resolved folder when one was found,
  // otherwise an absolute value as it stands, a relative one under the installation root
  // (never under the working folder); empty for a variable not in the list.
  std::string Folder(std::string_view name) const;
  const std::vector<DirectoryReport>& report() const { return report_; }

 private:
  std::vector<std::string> entries_;
  std::vector<DirectoryReport> report_;
  std::string system_folder_;
};

}  // namespace konwerter::run
