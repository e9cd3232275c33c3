#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::convert {

// Converts the register of persons and institutions (BDGOSOBY) into Osoby.dbf, Ulice.dbf and
// Miejsc.dbf of BAZA\OSOBY, resolving addresses and names into text. With
// `delete_unlinked`, only persons an earlier converter referred to are written.
// Fails, naming the file, when a source table or the name index cannot be read; no target
// table is created then.
run::Status ConvertPersons(run::RunContext& context, bool delete_unlinked);

}  // namespace konwerter::convert
