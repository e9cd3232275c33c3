#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the order cards (kart_zam.dbf) and their settlement lines (rozlicz.dbf) of
// BDLZLEC, and the map-sheet issues (rozchod.dbf of BDLDRUKI) as further settlement lines,
// into BAZA\ZLECENIA. Reads both editions of the DOS order tables (the later one, with
// cechy.dbf in the works folder, carries typ_dok and nr_poz). Fills the run's order and
// settlement record tables for the cash receipts and coefficients; clients, works,
// services and order assortments become linked. Fails, naming the file, when a source table
// cannot be read; the tables completed before it stay.
run::Status ConvertOrders(run::RunContext& context);

}  // namespace konwerter::convert
