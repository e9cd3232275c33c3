#include "tools/sample/movements.h"

#include <cstdio>
#include <string>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

void WriteLoanMovements(SiteContext& site, const source::tables::TableLayout& layout,
                        std::uint32_t documents, NameCase name_case) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, layout, name_case);
  for (std::uint32_t document = 1; document <= documents; ++document) {
    if (!random.Percent(40)) continue;
    for (int loan = random.Between(1, 3); loan > 0; --loan) {
      table.Add({{"ID_DOK", DosKey(document)},
                 {"ID_OSOBY", KeyOf(random, site.model.persons)},
                 {"D_WYP", SomeDate(random)},
                 {"D_ZWROTU", loan == 1 && random.Percent(40) ? "" : DateText(random, 100)}},
                random.Percent(2));
    }
  }
  table.Add({{"ID_DOK", DosKey(documents + 1000)},
             {"ID_OSOBY", KeyOf(random, site.model.persons)},
             {"D_WYP", SomeDate(random)}});
  table.Add({{"ID_DOK", DosKey(0)},
             {"ID_OSOBY", KeyOf(random, site.model.persons)},
             {"D_WYP", SomeDate(random)}});
  table.Finish();
}

std::string CommuneSegment(SiteRandom& random) {
  const auto communes = Communes();
  char segment[8];
  std::snprintf(segment, sizeof segment, "%4d", communes[random.Below(8)].number);
  return segment;
}

}  // namespace konwerter::tools::sample
