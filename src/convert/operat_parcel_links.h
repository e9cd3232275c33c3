#pragma once

#include <cstdint>
#include <string_view>

#include "run/result.h"
#include "run/run_context.h"
#include "run/translation_table.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// Writes the links between the register operats and parcels into `obdg` (created empty by
// the caller) from obdg.dbf and opnr.dbf of BDGOPEW. opnr.dbf holds pairs of parcels, one
// before and one after a change; obdg.dbf holds single links, among them the parts of the
// pairs again. Single links come first, each its own group 1 unless a pair writes it; then
// every pair as two records of the operat's next group. `operats` holds the new operat
// identifiers by source record number; `operat_slots` (record count + kSpareSlots) bounds the
// operat numbers taken. Fails, naming the file, when obdg.dbf cannot be read. A missing
// opnr.dbf is no error; one that is there but cannot be read is left out with a warning.
run::Status ConvertOperatParcelLinks(run::RunContext& context, engine::Table& obdg,
                                     const run::TranslationTable& operats,
                                     std::uint32_t operat_slots);

}  // namespace konwerter::convert
