#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace konwerter::run {

// One target table a run wrote, for the conversion summary.
struct TableReport {
  std::string target_path;  // program path of the .dbf
  std::string source_path;  // the DOS table it came from (program path, as opened)
  std::uint64_t records_read = 0;
  std::uint64_t records_written = 0;
};

// A source directory variable and the folder it was found in.
struct DirectoryReport {
  std::string name;
  std::string value;     // as bdglobal.mem holds it
  std::string resolved;  // the folder used; empty when none exists
};

// What a run did, for the summary the front ends print.
struct RunReport {
  std::vector<TableReport> tables;
  std::vector<DirectoryReport> directories;
};

}  // namespace konwerter::run
