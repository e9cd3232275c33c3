#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the price-list headers (r_ceny.dbf) and price positions (cenniki.dbf) of
// BDLZLEC into BAZA\ZLECENIA, and fills the run's price lists afresh: the kind of each
// price list, the VAT code and the price of each position, which the orders and templates
// read. Fails, naming the file, when a source table cannot be read.
run::Status ConvertPriceLists(run::RunContext& context);

}  // namespace konwerter::convert
