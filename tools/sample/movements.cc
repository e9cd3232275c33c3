#include "tools/sample/movements.h"

#include <cstdio>
#include <string>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

void WriteLoanMovements(SiteContext& site, SiteFolder folder, std::string_view file,
                        std::uint32_t documents) {
  SiteRandom& random = site.random;
  SampleTable table(
      site.files, folder, file,
      {Text("ID_DOK", 4), Text("ID_OSOBY", 4), Text("D_WYP", 8), Text("D_ZWROTU", 8)});
  for (std::uint32_t document = 1; document <= documents; ++document) {
    if (!random.Percent(40)) continue;
    for (int loan = random.Between(1, 3); loan > 0; --loan) {
      table.Add({DosKey(document), KeyOf(random, site.model.persons), SomeDate(random),
                 loan == 1 && random.Percent(40) ? "" : DateText(random, 100)},
                random.Percent(2));
    }
  }
  table.Add({DosKey(documents + 1000), KeyOf(random, site.model.persons), SomeDate(random), ""});
  table.Add({DosKey(0), KeyOf(random, site.model.persons), SomeDate(random), ""});
  table.Finish();
}

std::string CommuneSegment(SiteRandom& random) {
  const auto communes = Communes();
  char segment[8];
  std::snprintf(segment, sizeof segment, "%4d", communes[random.Below(8)].number);
  return segment;
}

}  // namespace konwerter::tools::sample
