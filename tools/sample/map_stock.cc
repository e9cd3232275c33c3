// BDLDRUKI: printed maps kept for sale, their deliveries, and the sheets issued to orders.

#include <string>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

constexpr int kMapPriceList = 2;

void WriteMapKinds(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, SiteFolder::kMapStock, "ind_map.dbf",
                    {Number("NR_ROMAP", 3), Text("NAZWA", 40), Text("NAZW_S", 10),
                     Number("SKALA", 7), Text("ID_OSOBY", 4), Number("ROK_WYD", 4)});
  constexpr std::string_view kNames[] = {"mapa topograficzna", "mapa ewidencyjna",
                                         "mapa zasadnicza",    "plan miasta",
                                         "mapa glebowa",       "mapa turystyczna"};
  for (const int kind : site.model.map_kinds) {
    table.Add({Whole(kind, 3), Cp852(kNames[kind % 6]) + " " + std::to_string(kind),
               Cp852("mapa ") + std::to_string(kind), Whole(kind % 2 ? 10000 : 25000, 7),
               KeyOf(random, site.model.persons, 20), Whole(random.Between(1975, 2003), 4)});
  }
  table.Add({Whole(0, 3), Cp852("rodzaj bez numeru"), "", Whole(0, 7), DosKey(0), Whole(0, 4)});
  table.Finish();
}

void WriteSheetNames(SiteContext& site) {
  SampleTable table(site.files, SiteFolder::kMapStock, "godla.dbf",
                    {Text("GODLO", 15), Text("NAZWA_GOD", 30)});
  const auto localities = Localities();
  for (std::uint32_t i = 0; i < site.Count(20); ++i) {
    table.Add({SomeSheet(site.random), Cp852(localities[i % localities.size()])});
  }
  table.Add(
      {"\xFF"
       "DELETED",
       Cp852("usunięte godło")});
  table.Add({"", Cp852("godło puste")});
  table.Finish();
}

void WriteDeliveries(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable deliveries(site.files, SiteFolder::kMapStock, "dostawy.dbf",
                         {Text("ID_DOSTAWY", 2), Text("NR_DOSTAWY", 20), Text("ID_OSOBY", 4),
                          Text("NR_DOW_P", 20), Date("D_DOWODU"), Date("D_PRZYJ"),
                          Number("WARTOSC", 12, 2), Text("UWAGI", 60), Logical("PRZYCHOD")});
  SampleTable sheets(site.files, SiteFolder::kMapStock, "przychod.dbf",
                     {Text("ID_DOSTAWY", 2), Number("NR_ROMAP", 3), Text("GODLO", 7),
                      Number("CENA", 10, 2), Number("ILOSC", 5)});
  const std::uint32_t count = site.ReferableCount(15);
  for (std::uint32_t record = 1; record <= count; ++record) {
    const bool received = record % 7 != 2;
    deliveries.Add({DosReference(static_cast<std::uint16_t>(record)), "D/" + std::to_string(record),
                    KeyOf(random, site.model.persons),
                    "WZ " + std::to_string(random.Between(1, 999)), SomeDate(random),
                    SomeDate(random), DosNumber(random.Between(10000, 500000) / 100.0, 12, 2),
                    Cp852(random.Pick(Remarks())), YesNo(received)});
    for (int sheet = random.Between(1, 6); sheet > 0; --sheet) {
      const int kind =
          site.model
              .map_kinds[random.Below(static_cast<std::uint32_t>(site.model.map_kinds.size()))];
      sheets.Add(
          {DosReference(static_cast<std::uint16_t>(record)), Whole(kind, 3),
           std::to_string(random.Between(100, 999)) + "." + std::to_string(random.Between(1, 4)),
           DosNumber(random.Between(500, 4000) / 100.0, 10, 2), Whole(random.Between(1, 50), 5)});
    }
  }
  deliveries.Finish();
  sheets.Finish();
  site.model.deliveries = deliveries.count();
}

// Map sheets issued to orders: further settlement lines of the order cards.
void WriteIssues(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, SiteFolder::kMapStock, "rozchod.dbf",
                    {Number("NR_ROMAP", 3), Text("GODLO", 7), Text("ID_ZAM", 2), Number("ILOSC", 5),
                     Number("R_CENY", 3), Number("WARTOSC", 10, 2), Text("NR_CENNIKA", 5)});
  for (std::uint32_t i = 0; i < site.Count(50); ++i) {
    const int kind =
        site.model.map_kinds[random.Below(static_cast<std::uint32_t>(site.model.map_kinds.size()))];
    table.Add({Whole(kind, 3), std::to_string(random.Between(100, 999)),
               ReferenceTo(random, site.model.order_cards),
               Whole(random.Percent(5) ? 0 : random.Between(1, 5), 5), Whole(kMapPriceList, 3),
               DosNumber(random.Between(1000, 9000) / 100.0, 10, 2),
               random.Percent(10) ? "M9" : "M1"});  // M9 has no positions: no price, no VAT
  }
  table.Finish();
}

}  // namespace

void WriteMapStock(SiteContext& site) {
  WriteDeliveries(site);
  WriteMapKinds(site);
  WriteSheetNames(site);
  WriteIssues(site);
}

}  // namespace konwerter::tools::sample
