#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "run/record_fate.h"
#include "run/result.h"
#include "run/run_report.h"
#include "source/index_fault.h"
#include "source/source_edition.h"
#include "source/table_fault.h"
#include "target/engine/engine_error.h"

namespace konwerter::run {

// The Polish texts of everything a run reports: the reasons of skipped records and altered
// values, the warnings, the faults of source tables and the failures that stop a run. Every
// text the operator reads about the data comes from here. Texts are cp1250.

// Stable ASCII codes of the reasons, for the ledger file and the summary.
std::string_view SkipCode(SkipReason reason);
std::string_view ChangeCode(ValueChange change);
// Short texts of the reasons, for one ledger row; in UTF-8 for the ledger file.
std::string SkipText(SkipReason reason);
std::string ChangeText(ValueChange change);
std::string_view SkipTextUtf8(SkipReason reason);
std::string_view ChangeTextUtf8(ValueChange change);

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
std::string EditionText(source::SourceEdition edition);

// How an operator gets past a stale or damaged .ntx index: the option and the window's box.
std::string IndexHint();

// What the database engine could not do, in the system's words, naming the table, field or
// tag concerned as the subject gives them (UTF-8).
std::string EngineErrorText(engine::EngineFault fault, const engine::FaultSubject& subject);

// The message of an error that ended a run: an input/output fault or an error of the
// database engine in the system's words, with the file or table it concerns; any other
// error by its own text.
std::string ErrorText(const std::exception& error);

}  // namespace konwerter::run
