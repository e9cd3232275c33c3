#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the price coefficient descriptions (opis_wsp.dbf) and the coefficient parts of
// settlement lines (wsprozl.dbf) of BDLZLEC into BAZA\ZLECENIA; the parts find their
// settlement line through the run's settlement record table. Fails, naming the file, when a
// source table cannot be read.
run::Status ConvertCoefficients(run::RunContext& context);

// Converts the statutory interest rates (ustawowe.dbf of BDGWINDYK) into BAZA\ZLECENIA.
// The source is optional: without it nothing is written; one that is there but cannot be
// read is left out with a warning.
run::Status ConvertStatutoryInterest(run::RunContext& context);

// Converts the periods of the VAT sales register (nrej_sp.dbf of BDLZLEC) into
// BAZA\ZLECENIA. Optional like the statutory interest.
run::Status ConvertSalesRegister(run::RunContext& context);

}  // namespace konwerter::convert
