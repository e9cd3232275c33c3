#pragma once

#include <cstdint>
#include <string_view>

#include "source/table_catalogue.h"
#include "tools/sample/site_context.h"

namespace konwerter::tools::sample {

// Writes the loan movements of a register with `documents` records (`id_dok`, `id_osoby`,
// `d_wyp`, `d_zwrotu`): a few per lent document, the last one often not yet returned, plus
// a movement of a document that does not exist and one without a document.
void WriteLoanMovements(SiteContext& site, const source::tables::TableLayout& table,
                        std::uint32_t documents, NameCase name_case = NameCase::kAsCatalogued);

// A document number segment of the commune: its statistical number right-aligned in four
// characters ("  12"), the way the registers store `czlon_1`.
std::string CommuneSegment(SiteRandom& random);

}  // namespace konwerter::tools::sample
