#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the register of KME map documents (BDGMAPAE: m_ewid, ruch_e, ob_re) into
// m_ewid.dbf, Ruch_e.dbf and zakr_ras.dbf of BAZA\KME. Document kinds are those the map
// documentation register left in the run's records. Fails, naming the file, when the register
// or movement source cannot be read (no target table is created then), or when the
// raster-extent source cannot be read (the register and its movements stay written).
run::Status ConvertKme(run::RunContext& context);

// Converts the register of outlines (BDGZARYSY: z_ewid, ruch_z, ob_rz) into z_ewid.dbf,
// Ruch_z.dbf and zakr_ras.dbf of BAZA\ZARYSY, the same way as the KME register but without
// document kinds.
run::Status ConvertOutlines(run::RunContext& context);

}  // namespace konwerter::convert
