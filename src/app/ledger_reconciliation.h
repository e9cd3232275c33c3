#pragma once

#include <filesystem>

#include "target/verification/finding.h"

namespace konwerter::app {

// Reconciles a conversion's record ledger with the DOS data it was converted from: for every
// table account of RAPORT\podsumowanie.json under the output folder, the records read must
// be written + skipped, the skipped ones must each have their row in RAPORT\rekordy.csv, and
// the records read must be the whole records of the DOS table under `dos_folder` (the
// DOS installation or its SYSTEM folder; the summary's paths are found again under it when
// the data moved). Every disagreement is a kLedgerMismatch finding naming the DOS table.
void ReconcileLedger(const std::filesystem::path& output_folder,
                     const std::filesystem::path& dos_folder, verification::DatabaseCheck& check);

}  // namespace konwerter::app
