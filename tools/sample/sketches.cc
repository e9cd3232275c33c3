// BDGSZKICE: the field sketches with their links to assortments and features.

#include <cstdio>
#include <string>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

void WriteSketches(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable sketches(site.files, SiteFolder::kSketches, "szkice.dbf",
                       {Text("ID_SZKICU", 4), Text("RO_ROBOTY", 2), Text("NR_P_J", 3),
                        Text("NR_S_J", 4), Number("NR_SZ", 6), Text("ID_KERG", 4)});
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(200));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    sketches.Add(
        {DosKey(i % 79 == 5 ? kNoKey : keys[i]), ReferenceTo(random, site.model.assortments, 10),
         std::to_string(Communes()[random.Below(8)].number), std::to_string(random.Between(1, 40)),
         Whole(static_cast<long long>(i + 1), 6), KeyOf(random, site.model.works, 20)},
        random.Percent(2));
  }
  sketches.Finish();
  SampleTable assortments(site.files, SiteFolder::kSketches, "asor_sz.dbf",
                          {Text("ID_OPE", 4), Text("ID_ASORT", 2)});
  SampleTable features(site.files, SiteFolder::kSketches, "CECHY_SZ.DBF",
                       {Text("ID_OPE", 4), Text("ID_CECHY", 2)});
  for (std::uint32_t sketch = 1; sketch <= sketches.count(); ++sketch) {
    if (random.Percent(60)) {
      assortments.Add({DosKey(sketch), ReferenceTo(random, site.model.assortments)});
    }
    if (random.Percent(60))
      features.Add({DosKey(sketch), ReferenceTo(random, site.model.features)});
  }
  assortments.Finish();
  features.Finish();
  WriteRasterExtents(site, SiteFolder::kSketches, "ob_rs.dbf", sketches.count());
}

}  // namespace konwerter::tools::sample
