#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the settlement templates (wzorce.dbf of BDLZLEC) into BAZA\ZLECENIA, with VAT
// codes and net amounts derived from the price lists as for settlement lines; templates of
// kind M price lists are kept. Fails, naming the file, when the source cannot be read.
run::Status ConvertTemplates(run::RunContext& context);

}  // namespace konwerter::convert
