#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the works register into BAZA\KERG: the works of roboty.dbf (BDGROBOTY), those
// reported taking their register data from kerg.dbf (BDLZGLO, reached through kerg.ntx),
// into Roboty.dbf; their assortment quantities into Kergasor.dbf, the parcels they cover
// into obdg.dbf, the communes of the site's voivodeship into Gminy.dbf and their raster
// extents from ob_rr.dbf into zakr_ras.dbf. With `delete_unlinked`, a work not reported
// is written only when an earlier converter referred to it. Fails, naming the file, when a
// source cannot be read.
run::Status ConvertWorks(run::RunContext& context, bool delete_unlinked);

}  // namespace konwerter::convert
