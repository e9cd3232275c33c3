#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// The three registers of operats, converted by one procedure.
enum class OperatKind {
  kRegister = 1,      // operaty ewidencyjne: BDGOPEW into BAZA\OPER_PR
  kBaseAndUse = 2,    // operaty bazowo-użytkowe: BDGOP into BAZA\OPER_BU
  kTransitional = 3,  // operaty przejściowe: BDGOPP into BAZA\OPER_PRZ
};

// Converts the operats of one kind with their movements, their links to features and
// assortments, for the register operats their links to parcels (obdg.dbf), for the other
// kinds their raster extents. Asks an identifier of every person, work, assortment, feature
// and parcel they refer to. Fails, naming the file, when a required source cannot be read:
// before any target table is created for the operats, their links and movements; after the
// other tables are written for the parcel links and the raster extents.
run::Status ConvertOperats(run::RunContext& context, OperatKind kind);

}  // namespace konwerter::convert
