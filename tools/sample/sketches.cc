// BDGSZKICE: the field sketches with their links to assortments and features.

#include <cstdio>
#include <string>

#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

void WriteSketches(SiteContext& site) {
  namespace tables = source::tables;
  SiteRandom& random = site.random;
  SampleTable sketches(site.files, tables::kSzkice);
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(200));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    sketches.Add({{"ID_SZKICU", DosKey(i % 79 == 5 ? kNoKey : keys[i])},
                  {"RO_ROBOTY", ReferenceTo(random, site.model.assortments, 10)},
                  {"NR_P_J", std::to_string(Communes()[random.Below(8)].number)},
                  {"NR_S_J", std::to_string(random.Between(1, 40))},
                  {"NR_SZ", Whole(static_cast<long long>(i) + 1, 6)},
                  {"ID_KERG", KeyOf(random, site.model.works, 20)}},
                 random.Percent(2));
  }
  sketches.Finish();
  SampleTable assortments(site.files, tables::kAsorSz);
  SampleTable features(site.files, tables::kCechySz, NameCase::kUpper);
  for (std::uint32_t sketch = 1; sketch <= sketches.count(); ++sketch) {
    if (random.Percent(60)) {
      assortments.Add(
          {{"ID_OPE", DosKey(sketch)}, {"ID_ASORT", ReferenceTo(random, site.model.assortments)}});
    }
    if (random.Percent(60)) {
      features.Add(
          {{"ID_OPE", DosKey(sketch)}, {"ID_CECHY", ReferenceTo(random, site.model.features)}});
    }
  }
  assortments.Finish();
  features.Finish();
  WriteRasterExtents(site, tables::kObRs, sketches.count());
}

}  // namespace konwerter::tools::sample
