#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the field sketches (BDGSZKICE: szkice, asor_sz, cechy_sz, ob_rs) into szkice.dbf,
// szkasor.dbf, szkcechy.dbf and zakr_ras.dbf of BAZA\SZKICE, asking an identifier of every
// work, assortment and feature a sketch refers to. Fails, naming the file, when szkice.dbf
// cannot be read; no target table is created then. Missing link tables are no error, ones that
// cannot be read are left out with a warning; a missing raster-extent source fails after the
// sketches are written.
run::Status ConvertFieldSketches(run::RunContext& context);

}  // namespace konwerter::convert
