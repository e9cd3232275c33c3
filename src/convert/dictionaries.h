#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// The small dictionaries of the works register (KERG) and of the orders (ZLECENIA). Each
// writes one record per source record whose own key is set; with `delete_unlinked`, only
// the records an earlier converter of the run asked an identifier for, numbered in the
// order they were first referred to. Each writes its sequence row. Fails, naming the file, when
// the source table cannot be read; the target table is then not created (features: created
// first, it stays empty).

// asortym.dbf of BDLZLEC into BAZA\ZLECENIA\asortym.dbf; sequence "zasort".
run::Status ConvertOrderAssortments(run::RunContext& context, bool delete_unlinked);
// obsluga.dbf of BDLZLEC into BAZA\ZLECENIA\obsluga.dbf; sequence "obsluga".
run::Status ConvertServices(run::RunContext& context, bool delete_unlinked);
// dz.dbf of BDGROBOTY into BAZA\KERG\dz.dbf; sequence "DZ". Every parcel written links
// its precinct.
run::Status ConvertParcels(run::RunContext& context, bool delete_unlinked);
// obreb.dbf of BDGROBOTY into BAZA\KERG\obreb.dbf; sequence "OBREB".
run::Status ConvertPrecincts(run::RunContext& context, bool delete_unlinked);
// asortym.dbf of BDLZGLO into BAZA\KERG\Asortym.dbf; sequence "ASORTYM".
run::Status ConvertWorkAssortments(run::RunContext& context, bool delete_unlinked);
// cechy.dbf of BDGROBOTY into BAZA\KERG\cechy.dbf; sequence "CECHY". A site without
// features (no cechy.dbf while the run was prepared) gets an empty table and "CECHY" 1.
run::Status ConvertFeatures(run::RunContext& context, bool delete_unlinked);

}  // namespace konwerter::convert
