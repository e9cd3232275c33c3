#pragma once

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the price coefficient descriptions (opis_wsp.dbf) and the coefficient parts of
// settlement lines (wsprozl.dbf) of BDLZLEC into BAZA\ZLECENIA; the parts find their
// settlement line through the run's settlement record table. False when a source table
// cannot be opened (the conversion status names it).
bool ConvertCoefficients(run::RunContext& context);

// Converts the statutory interest rates (ustawowe.dbf of BDGWINDYK) into BAZA\ZLECENIA.
// The source is optional: without it nothing is written and the run goes on untouched.
bool ConvertStatutoryInterest(run::RunContext& context);

// Converts the periods of the VAT sales register (nrej_sp.dbf of BDLZLEC) into
// BAZA\ZLECENIA. Optional like the statutory interest.
bool ConvertSalesRegister(run::RunContext& context);

}  // namespace konwerter::convert
