#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the map stock kept for sale (BDLDRUKI) into BAZA\OBROT: the deliveries received
// (dostawy.dbf), the sheets of each delivery (przychod.dbf), the map kinds (ind_map.dbf)
// and the sheet designations (godla.dbf). Suppliers and publishers become linked persons.
// Fails, naming the file, when a source table cannot be read; the tables completed before it
// stay.
run::Status ConvertMapStock(run::RunContext& context);

}  // namespace konwerter::convert
