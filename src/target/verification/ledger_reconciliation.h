#pragma once

#include <filesystem>

#include "target/verification/finding.h"

namespace konwerter::verification {

// HOOK, not yet filled in: reconciles the conversion's ledger with the DOS data it was
// converted from. The ledger is RAPORT\podsumowanie.json under the output folder (per
// target table: its source tables, records read, written and skipped) with the record fates
// of RAPORT\rekordy.csv; for every source table, records read must equal records written
// plus records skipped (kLedgerMismatch otherwise, naming the table and both counts), and
// records read must be the record count of the DOS table under `dos_folder`.
// Today it adds nothing to `check`.
void ReconcileLedger(const std::filesystem::path& output_folder,
                     const std::filesystem::path& dos_folder, DatabaseCheck& check);

}  // namespace konwerter::verification
