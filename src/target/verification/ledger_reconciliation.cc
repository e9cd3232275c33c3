#include "target/verification/ledger_reconciliation.h"

namespace konwerter::verification {

void ReconcileLedger(const std::filesystem::path& /*output_folder*/,
                     const std::filesystem::path& /*dos_folder*/, DatabaseCheck& /*check*/) {}

}  // namespace konwerter::verification
