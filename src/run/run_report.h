#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "run/record_fate.h"
#include "run/record_ledger.h"

namespace konwerter::run {

// A source directory variable and the folder it was found in.
struct DirectoryReport {
  std::string name;
  std::string value;     // as bdglobal.mem holds it
  std::string resolved;  // the folder used; empty when none exists
};

// What a run met in the source data and read around, or left out: damage the operator must
// know of, though the conversion went on. Its Polish text comes from the run's catalogue.
enum class WarningKind : std::uint8_t {
  kMemoryFileEmpty,             // a .mem file holding no variable
  kMemoryFileTruncated,         // count: the variables read before the cut
  kMemoryNamesWithEquals,       // count: names holding "=" (read with "?")
  kSiteSettingsMissing,         // dom.mem is missing: the settings file stays empty
  kSiteSettingsLineBreaks,      // line breaks in dom.mem values became spaces
  kRecordCountBeyondFile,       // count: the header's record count, other: whole records read
  kCoordinateSystemIncomplete,  // detail: the system's name
  kOptionalSourceLeftOut,       // detail: what is wrong with the file (cp1250)
  kIndexRebuilt,                // detail: what is wrong with the index (cp1250)
  kValuesAltered,               // change, detail, count: values written otherwise than held
  kRecordsDamaged,              // count: records whose deletion flag is neither " " nor "*"
  kCheckFinding,                // detail: a finding of the database check, count: its records
};

// One warning: its kind, the file it concerns (as the host names it, cp1250) and its
// numbers. Warnings of one file are listed together.
struct RunWarning {
  RunWarning() = default;
  RunWarning(WarningKind kind_, std::string file_, std::uint64_t count_ = 0,
             std::uint64_t other_ = 0, std::string detail_ = {},
             ValueChange change_ = ValueChange::kBadDate)
      : kind(kind_),
        file(std::move(file_)),
        count(count_),
        other(other_),
        change(change_),
        detail(std::move(detail_)) {}

  WarningKind kind = WarningKind::kMemoryFileEmpty;
  std::string file;
  std::uint64_t count = 0;
  std::uint64_t other = 0;
  ValueChange change = ValueChange::kBadDate;
  std::string detail;
  bool operator==(const RunWarning&) const = default;
};

// What a run did, for the summary, the report and the final message.
struct RunReport {
  std::vector<DirectoryReport> directories;
  std::vector<RunWarning> warnings;    // in the order met; a repeated warning is kept once
  std::vector<TableAccount> accounts;  // every table walk's fates, in the order walked
  std::vector<LedgerRow> sample_rows;  // the first ledger rows of each reason
  std::uint64_t ledger_rows = 0;       // rows the ledger holds in all

  void Warn(RunWarning warning) {
    for (const RunWarning& held : warnings) {
      if (held == warning) return;
    }
    warnings.push_back(std::move(warning));
  }
};

}  // namespace konwerter::run
