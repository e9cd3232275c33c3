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

void WriteRasterExtents(SiteContext& site, SiteFolder folder, std::string_view file,
                        std::uint32_t documents) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, folder, file,
                    {Text("ID_ZAK", 4), Text("UKLAD", 1), Text("GODLO", 13), Text("RASTRY", 6)});
  for (std::uint32_t document = 1; document <= documents; ++document) {
    if (!random.Percent(50)) continue;
    const int sheets = random.Percent(80) ? 1 : 2;
    for (int i = 0; i < sheets; ++i) {
      table.Add({DosKey(document), random.Percent(90) ? "6" : "a", SomeSheet(random),
                 CoverageBits(random)});
    }
  }
  // A document that is not in the register, one without a document, empty coverage, and
  // every section of a sheet covered (every byte and bit position set).
  table.Add({DosKey(documents + 500), "6", SomeSheet(random), CoverageBits(random)});
  table.Add({DosKey(0), "6", SomeSheet(random), CoverageBits(random)});
  if (documents > 0) {
    table.Add({DosKey(1), "6", SomeSheet(random), std::string(6, '\0')});
    table.Add({DosKey(documents), "6", SomeSheet(random), std::string(6, '\xFF')});
  }
  table.Finish();
}

}  // namespace konwerter::tools::sample
