#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/operator_messages.h"
#include "platform/source_lock.h"
#include "run/run_report.h"
#include "source/clipper_index.h"
#include "source/source_tables.h"
#include "source/transliteration.h"

namespace konwerter::run {

struct RunContext;

// Makes the input path end in a backslash and, when it holds no users.dbf of its own but
// its SYSTEM folder does, extends it by "SYSTEM\".
void LocateSystemFolder(std::string& input_path);

// Takes the source lock on users.dbf of the input path. When it cannot be taken, tells the
// operator why (a wrong folder, or the DOS edition still in use) and returns nothing.
std::optional<platform::SourceLock> TakeSourceLock(std::string_view input_path,
                                                   platform::OperatorMessages& messages);

// Reads bdglobal.mem of the input path: "NAME=value" entries, each value ending in a
// backslash. A missing file is reported to the operator and gives nothing.
// With `report` given, a file cut short, empty, or holding a name with "=" is a warning.
std::optional<std::vector<std::string>> ReadSourceDirectoryVariables(
    std::string_view input_path, const source::CodePages& pages,
    platform::OperatorMessages& messages, RunReport* report = nullptr);

// Refills `settings` from dom.mem of the input path, with the commune number zero-padded to
// three digits and DOM_OSWYK as "1"/"0". A missing file is reported and leaves it empty.
// CR and LF in a value become spaces (they would break the settings file into lines); with
// `report` given that, and a file cut short, empty or holding a name with "=", is a warning.
void ReadSiteSettings(std::string_view input_path, const source::CodePages& pages,
                      platform::OperatorMessages& messages, std::vector<std::string>& settings,
                      RunReport* report = nullptr);

// Opens a source table from the folder of a directory variable, with a 32000-byte
// read-ahead. On failure with `report` set, the conversion status names the file.
// Returns the table handle, 0 on failure.
source::TableHandle OpenSourceTable(RunContext& context, std::string_view variable,
                                    std::string_view file_name, bool report);

// Opens a Clipper index from the folder of a directory variable. An index that cannot be
// opened or whose structure is broken fails; with `report` set the conversion status then
// names the file and what is wrong. A seek that later meets a damaged page raises IoError.
// With the run's rebuild-indexes option, an index the catalogue knows is not read at all:
// its look-up is built from its table, and a table that cannot be opened fails.
bool OpenSourceIndex(RunContext& context, std::string_view variable, std::string_view file_name,
                     source::ClipperIndex& index, bool report);

// The conversion status text for a file of a directory variable that cannot be opened: the
// path as the variable gives it; the host path it was looked for under, when that differs;
// and what is wrong with the file, when known.
std::string OpenFailure(const RunContext& context, std::string_view variable,
                        std::string_view file_name, std::string_view fault);

// The path a file of a directory variable is opened from.
std::string SourcePath(const RunContext& context, std::string_view variable,
                       std::string_view file_name);

}  // namespace konwerter::run
