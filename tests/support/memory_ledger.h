#pragma once

#include <vector>

#include "run/record_ledger.h"

namespace konwerter::testing {

// The ledger rows of a run kept in memory, in the order met.
struct MemoryLedger final : run::LedgerSink {
  void Write(const run::LedgerRow& row) override { rows.push_back(row); }
  std::vector<run::LedgerRow> rows;
};

}  // namespace konwerter::testing
