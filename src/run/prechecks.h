#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/operator_messages.h"
#include "platform/source_lock.h"
#include "run/result.h"
#include "run/run_report.h"
#include "run/source_directories.h"
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

// A failure of a file of a directory variable: the path as the variable gives it, where it
// was looked for, and whether bdglobal.mem holds the variable at all.
Failure SourceFailure(const RunContext& context, FailureKind kind, std::string_view variable,
                      std::string_view file_name);

// Whether a file of a directory variable is there (whatever it holds).
bool SourceFileExists(const SourceDirectories& directories, std::string_view variable,
                      std::string_view file_name);
bool SourceFileExists(const RunContext& context, std::string_view variable,
                      std::string_view file_name);

// Opens a source table from the folder of a directory variable, with a 32000-byte
// read-ahead. A file that is not there fails with kSourceMissing; one that is there but
// cannot be read as a table with kSourceUnreadable and the reader's fault. A header that
// counts more records than the file holds is read as far as whole records go, and warned of.
Result<source::TableHandle> OpenSourceTable(RunContext& context, std::string_view variable,
                                            std::string_view file_name);

// The same for a table the run can go without: nothing when the file is not there. A file
// that is there but cannot be read still fails: absent means absent, not damaged.
Result<std::optional<source::TableHandle>> OpenOptionalSourceTable(RunContext& context,
                                                                   std::string_view variable,
                                                                   std::string_view file_name);

// Opens a Clipper index from the folder of a directory variable, the index of a table of
// `table_records` records (opened and checked before it, so that the table's own damage is
// named first). An index that is not there fails with kIndexMissing; one that cannot be
// opened for reading with kIndexUnreadable. An index the catalogue knows that does not fit
// its table (its structure or tree damaged, its key size not the key its converter seeks, an
// entry leading to no record of the table) is not read: its look-up is built from the table,
// as the rebuild-indexes option builds it, and a warning names the index and what is wrong.
// With the rebuild-indexes option such an index is not read at all. A table the look-up
// cannot be built from fails naming it; its damaged records go to the record ledger.
Status OpenSourceIndex(RunContext& context, std::string_view variable, std::string_view file_name,
                       std::uint32_t table_records, source::ClipperIndex& index);

// The path a file of a directory variable is opened from.
std::string SourcePath(const RunContext& context, std::string_view variable,
                       std::string_view file_name);

}  // namespace konwerter::run
