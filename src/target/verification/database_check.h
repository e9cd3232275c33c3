#pragma once

#include <filesystem>

#include "target/verification/finding.h"

namespace konwerter::verification {

// Checks a converted database with the engine's reader alone, never the converters:
// - every table of the catalogue where the converters write it, its header as the catalogue
//   defines it and consistent with the file; table files no converter writes are noted;
// - every tag of every production index: one key per record, in collation order, each its
//   expression evaluated on its record;
// - every identifier numbered by a sequence: present, well formed, unique, and below the
//   next value its sequence row holds;
// - every reference between tables (the reference map): resolved, or for the references
//   old DOS data can leave without their record, listed as a warning.
// `output_folder` is the host path of the run's output folder (the one holding BAZA).
// Reads each table once, whole, in an order that checks every table before the tables that
// refer to it; cheap enough to run at the end of every conversion.
DatabaseCheck CheckConvertedDatabase(const std::filesystem::path& output_folder);

}  // namespace konwerter::verification
