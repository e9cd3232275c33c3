#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/operator_messages.h"

namespace konwerter::run {

// The messages a run shows the operator, with the system's texts and captions (cp1250).
// Paths are program paths; each message names the file as the host names it.

// The question before a run overwrites converted data (Yes / No, No the default).
platform::OperatorMessage OverwriteQuestion();
// A renumbering file with a faulty line: the system's text, then the file and the line.
platform::OperatorMessage BadRenumberingFile(std::string_view file, std::uint32_t line_number,
                                             std::string_view line);
// users.dbf is not in the folder named: the system's text, then the file looked for.
platform::OperatorMessage WrongDataFolder(std::string_view users_file);
// The DOS data cannot be locked because it cannot be written.
platform::OperatorMessage ReadOnlyData(std::string_view users_file);
// Another workstation still works with the DOS edition.
platform::OperatorMessage DataInUse();
// A required memory file is missing.
platform::OperatorMessage MissingFile(std::string_view file);
// The output folder is refused (the reason's text is given, cp1250).
platform::OperatorMessage OutputRefused(std::string reason);
// A coordinate system whose description cannot be completed.
platform::OperatorMessage IncompleteCoordinateSystem(std::string_view name);
// A target table is used although a unique key of its index repeats (the table builder asks
// for it; the run goes on).
platform::OperatorMessage KeysRepeat();
// An error ended the run (its text given, cp1250).
platform::OperatorMessage RunAborted(std::string error);

// Why an output folder is refused: it is, holds or lies in the DOS data; or a link leads out.
std::string OutputOverlapsSources(std::string_view source_folder);
std::string OutputHoldsLink(std::string_view link_utf8);

// The end of a conversion: done, done with warnings, or failed with the conversion status.
platform::OperatorMessage ConversionEnded();
platform::OperatorMessage ConversionEndedWithWarnings(std::uint64_t warnings);
platform::OperatorMessage ConversionFailed(std::string_view error);

// The counts the end of a conversion shows beside its message.
std::string TablesFact(std::uint64_t tables);
std::string RecordsFact(std::uint64_t read, std::uint64_t written, std::uint64_t skipped);
std::string WarningsFact(std::uint64_t warnings);
std::string StoppedAtFact(std::string_view table);
// The check of the converted database: not run, or its failures and warnings.
std::string CheckFact(bool ran, std::uint64_t failures, std::uint64_t warnings);

}  // namespace konwerter::run
