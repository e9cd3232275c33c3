#pragma once

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the settlement templates (wzorce.dbf of BDLZLEC) into BAZA\ZLECENIA, with VAT
// codes and net amounts derived from the price lists as for settlement lines; templates of
// kind M price lists are kept. False when the source cannot be opened.
bool ConvertTemplates(run::RunContext& context);

}  // namespace konwerter::convert
