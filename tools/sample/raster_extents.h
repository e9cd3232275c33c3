#pragma once

#include <cstdint>
#include <string_view>

#include "source/table_catalogue.h"
#include "tools/sample/site_context.h"

namespace konwerter::tools::sample {

// Writes a raster-extent table (`ob_r?.dbf`) of a register with `documents` records: for
// about half of the documents one or two map sheets with their covered raster sections,
// plus rows of documents that do not exist and a row without a document.
void WriteRasterExtents(SiteContext& site, const source::tables::TableLayout& table,
                        std::uint32_t documents);

// A map sheet emblem of the "65" system, as the registers write it ("4.125.12").
std::string SomeSheet(SiteRandom& random);

}  // namespace konwerter::tools::sample
