#pragma once

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the map stock kept for sale (BDLDRUKI) into BAZA\OBROT: the deliveries received
// (dostawy.dbf), the sheets of each delivery (przychod.dbf), the map kinds (ind_map.dbf)
// and the sheet designations (godla.dbf). Suppliers and publishers become linked persons.
// False when a source table cannot be opened (the conversion status names it; the tables
// completed before it stay).
bool ConvertMapStock(run::RunContext& context);

}  // namespace konwerter::convert
