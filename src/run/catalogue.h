#pragma once

#include <string>
#include <string_view>

#include "run/record_fate.h"
#include "run/result.h"
#include "run/run_report.h"
#include "run/source_edition.h"
#include "source/index_fault.h"
#include "source/table_fault.h"

namespace konwerter::run {

// The Polish texts of everything a run reports: the reasons of skipped records and altered
// values, the warnings, the faults of source tables and the failures that stop a run. Every
// text the operator reads about the data comes from here. Texts are cp1250.

// Stable ASCII codes of the reasons, for the ledger file and the summary.
std::string_view SkipCode(SkipReason reason);
std::string_view ChangeCode(ValueChange change);
// Short texts of the reasons, for one ledger row.
std::string SkipText(SkipReason reason);
std::string ChangeText(ValueChange change);

// What is wrong with a source table.
std::string TableFaultText(const source::TableFault& fault);
// What makes a Clipper index unfit for its table.
std::string IndexFaultText(const source::IndexFault& fault);
// A header that counts more records than the file holds.
std::string ShortTableText(std::uint64_t header_count, std::uint64_t whole_records);

// One warning, as listed under its file.
std::string WarningText(const RunWarning& warning);

// The conversion status text of a failure.
std::string FailureText(const Failure& failure);
// What is wrong with the file of a failure, in a few words (for a warning).
std::string FailureReason(const Failure& failure);

// The edition the run read the DOS data as, and why: its tables' fields depend on it.
std::string EditionText(SourceEdition edition);

// How an operator gets past a stale or damaged .ntx index: the option and the window's box.
std::string IndexHint();

}  // namespace konwerter::run
