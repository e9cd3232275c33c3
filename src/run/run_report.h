#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace konwerter::run {

// One target table a run wrote, for the conversion summary.
struct TableReport {
  std::string target_path;  // program path of the .dbf
  std::string source_path;  // the DOS table it came from (program path, as opened)
  std::uint64_t records_read = 0;
  std::uint64_t records_written = 0;
  std::uint64_t records_skipped = 0;  // source records that gave the table no record
};

// A source directory variable and the folder it was found in.
struct DirectoryReport {
  std::string name;
  std::string value;     // as bdglobal.mem holds it
  std::string resolved;  // the folder used; empty when none exists
};

// Something the run met in the source data and read around: damage the operator must
// know of, though the conversion went on. Texts in cp1250; the file as the host names it.
struct RunWarning {
  std::string file;
  std::string text;
  bool operator==(const RunWarning&) const = default;
};

// Kinds of value that converters read around (the value rules say how each reads) and count
// per table, so that the run's end can warn of them.
enum class ValueFault {
  kBadDate,               // a date text that is no date (read as 1900-01-01)
  kReferenceBeyondTable,  // a record reference past the last record (read as none)
};

// What a run did, for the summary the front ends print.
struct RunReport {
  std::vector<TableReport> tables;
  std::vector<DirectoryReport> directories;
  std::vector<RunWarning> warnings;  // in the order met; a repeated warning is kept once
  // Values read around, per table file (as the host names it, cp1250) and kind; the driver
  // turns them into warnings when the run ends.
  std::map<std::pair<std::string, ValueFault>, std::uint64_t> value_faults;

  // Source records that gave a target table (its program path) no record, per table.
  std::map<std::string, std::uint64_t> skipped;

  void CountSkipped(const std::string& target_path, std::uint64_t records) {
    skipped[target_path] += records;
  }
  // Takes back records counted as skipped that a later pass writes after all.
  void CountWrittenLater(const std::string& target_path, std::uint64_t records) {
    std::uint64_t& count = skipped[target_path];
    count -= std::min(count, records);
  }

  void CountValueFault(std::string file, ValueFault kind) {
    ++value_faults[{std::move(file), kind}];
  }

  void AddWarning(std::string file, std::string text) {
    RunWarning warning{std::move(file), std::move(text)};
    for (const RunWarning& held : warnings) {
      if (held == warning) return;
    }
    warnings.push_back(std::move(warning));
  }
};

}  // namespace konwerter::run
