#include "tools/sample/raster_extents.h"

#include <string>

#include "tools/dos/dos_table_writer.h"

namespace konwerter::tools::sample {

namespace {

// Six bytes, one per column of raster sections, bits 0 to 7 for eight rows.
std::string CoverageBits(SiteRandom& random) {
  std::string bits(6, '\0');
  const int first = random.Between(0, 5);
  const int last = std::min(5, first + random.Between(0, 2));
  for (int column = first; column <= last; ++column) {
    bits[static_cast<std::size_t>(column)] = static_cast<char>(random.Below(256));
  }
  return bits;
}

}  // namespace

std::string SomeSheet(SiteRandom& random) {
  return std::to_string(random.Between(1, 9)) + "." + std::to_string(random.Between(100, 199)) +
         "." + std::to_string(random.Between(1, 25));
}

void WriteRasterExtents(SiteContext& site, const source::tables::TableLayout& layout,
                        std::uint32_t documents) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, layout);
  for (std::uint32_t document = 1; document <= documents; ++document) {
    if (!random.Percent(50)) continue;
    const int sheets = random.Percent(80) ? 1 : 2;
    for (int i = 0; i < sheets; ++i) {
      table.Add({{"ID_ZAK", DosKey(document)},
                 {"UKLAD", random.Percent(90) ? "6" : "a"},
                 {"GODLO", SomeSheet(random)},
                 {"RASTRY", CoverageBits(random)}});
    }
  }
  // A document that is not in the register, one without a document, empty coverage, and
  // every section of a sheet covered (every byte and bit position set).
  table.Add({{"ID_ZAK", DosKey(documents + 500)},
             {"UKLAD", "6"},
             {"GODLO", SomeSheet(random)},
             {"RASTRY", CoverageBits(random)}});
  table.Add({{"ID_ZAK", DosKey(0)},
             {"UKLAD", "6"},
             {"GODLO", SomeSheet(random)},
             {"RASTRY", CoverageBits(random)}});
  if (documents > 0) {
    table.Add({{"ID_ZAK", DosKey(1)},
               {"UKLAD", "6"},
               {"GODLO", SomeSheet(random)},
               {"RASTRY", std::string(6, '\0')}});
    table.Add({{"ID_ZAK", DosKey(documents)},
               {"UKLAD", "6"},
               {"GODLO", SomeSheet(random)},
               {"RASTRY", std::string(6, '\xFF')}});
  }
  table.Finish();
}

}  // namespace konwerter::tools::sample
