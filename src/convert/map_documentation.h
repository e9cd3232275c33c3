#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the map documentation register (BDGMAPAZ: metryka, ruch_m, slownik, ind_dok) into
// Metryka.dbf, Ruch_m.dbf, Slownik.dbf and Ind_dok.dbf of BAZA\KMZ. Leaves the new document
// kind codes in the run's records for the KME register, and asks an identifier of every
// person and work the register refers to. Fails, naming the file, when a source table cannot
// be read; no target table is created then.
run::Status ConvertMapDocumentation(run::RunContext& context);

}  // namespace konwerter::convert
