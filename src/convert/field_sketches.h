#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the field sketches (BDGSZKICE: szkice, asor_sz, cechy_sz, ob_rs) into szkice.dbf,
// szkasor.dbf, szkcechy.dbf and zakr_ras.dbf of BAZA\SZKICE, asking an identifier of every
// work, assortment and feature a sketch refers to. Fails, naming the file, when szkice.dbf cannot
// be opened (and no target table is created). Missing link tables are no error; a missing
// raster-extent source leaves the sketches written and its name in the conversion status.
run::Status ConvertFieldSketches(run::RunContext& context);

}  // namespace konwerter::convert
