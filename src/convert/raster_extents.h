#pragma once

#include <string_view>

#include "run/run_context.h"
#include "run/translation_table.h"

namespace konwerter::convert {

// Writes zakr_ras.dbf into the target folder from the coverage table `source_file` of the
// directory variable: one row per record whose document the register converter wrote
// (its id_zak held by `documents`), the DOS coverage bits repacked for the finer grid.
// False when the source cannot be opened (the conversion status then names it).
bool ConvertRasterExtents(run::RunContext& context, std::string_view target_folder,
                          std::string_view variable, std::string_view source_file,
                          const run::TranslationTable& documents);

}  // namespace konwerter::convert
