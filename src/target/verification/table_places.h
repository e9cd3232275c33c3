#pragma once

#include <string_view>
#include <vector>

#include "target/table_catalogue.h"

namespace konwerter::verification {

// Where the converters write one table of the catalogue: a group folder under BAZA. The
// three kinds of operats share the strings of the first kind, and six registers keep their
// raster extents in a zakr_ras.dbf of their own folder, so one catalogue entry may have
// several places.
struct TablePlace {
  const target::tables::TableStrings* strings = nullptr;
  std::string_view folder;
  // Written only when its DOS source exists (the source is optional): its absence is a
  // warning, not a failure.
  bool optional = false;
};

// Every table a complete conversion writes, in catalogue order.
const std::vector<TablePlace>& ExpectedTables();

}  // namespace konwerter::verification
