#pragma once

#include <string>
#include <string_view>

#include "run/result.h"
#include "run/run_context.h"
#include "run/translation_table.h"
#include "source/table_catalogue.h"

namespace konwerter::convert {

// Writes zakr_ras.dbf of a register's target folder from its DOS raster-extent table
// (ob_re.dbf, ob_rz.dbf, ob_bu.dbf, ob_rp.dbf, ob_rs.dbf, ...): one record per map sheet of a
// converted document, the DOS coverage bits turned into the packed text of the 30 x 40
// grid. `documents` holds the new identifiers by the register's 1-based source record
// number; rows of documents it does not hold are skipped. Fails naming the source when it
// cannot be read; only this source is closed at the end.
run::Status ConvertRasterExtents(run::RunContext& context, std::string_view target_folder,
                                 const source::tables::TableLayout& source_table,
                                 const run::TranslationTable& documents);

// The packed coverage text of the DOS coverage bits (the raw `rastry` value): bytes 1 to 6
// (the value padded with spaces to six) are six columns of sections, bits 0 to 7 of each
// eight rows; every section covers a 5 x 5 block of the 40-row, 30-column grid. The grid's
// cells are numbered column by column (column * 40 + row) and packed six to a character
// (code 33 + the cells' bit values); trailing empty characters are left out.
std::string PackedCoverage(std::string_view dos_bits);

}  // namespace konwerter::convert
