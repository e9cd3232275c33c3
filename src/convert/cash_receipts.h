#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the cash receipts (nrkp.dbf) and their lines (elkp.dbf) of BDLZLEC into
// BAZA\ZLECENIA. A line that carries the self-standing marker instead of an order flags its
// receipt (Samo_Kp "K"); other lines find their order through the run's order record
// table. Fails, naming the file, when a source table cannot be read (both are opened before
// any table is created).
run::Status ConvertCashReceipts(run::RunContext& context);

}  // namespace konwerter::convert
