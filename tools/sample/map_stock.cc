// BDLDRUKI: printed maps kept for sale, their deliveries, and the sheets issued to orders.

#include <string>

#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

namespace tables = source::tables;

constexpr int kMapPriceList = 2;

void WriteMapKinds(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, tables::kIndMap);
  constexpr std::string_view kNames[] = {"mapa topograficzna", "mapa ewidencyjna",
                                         "mapa zasadnicza",    "plan miasta",
                                         "mapa glebowa",       "mapa turystyczna"};
  for (const int kind : site.model.map_kinds) {
    table.Add({{"NR_ROMAP", Whole(kind, 3)},
               {"NAZWA", Cp852(kNames[kind % 6]) + " " + std::to_string(kind)},
               {"NAZW_S", Cp852("mapa ") + std::to_string(kind)},
               {"SKALA", Whole(kind % 2 ? 10000 : 25000, 7)},
               {"ID_OSOBY", KeyOf(random, site.model.persons, 20)},
               {"ROK_WYD", Whole(random.Between(1975, 2003), 4)}});
  }
  table.Add({{"NR_ROMAP", Whole(0, 3)},
             {"NAZWA", Cp852("rodzaj bez numeru")},
             {"SKALA", Whole(0, 7)},
             {"ID_OSOBY", DosKey(0)},
             {"ROK_WYD", Whole(0, 4)}});
  table.Finish();
}

void WriteSheetNames(SiteContext& site) {
  SampleTable table(site.files, tables::kGodla);
  const auto localities = Localities();
  for (std::uint32_t i = 0; i < site.Count(20); ++i) {
    table.Add({{"GODLO", SomeSheet(site.random)},
               {"NAZWA_GOD", Cp852(localities[i % localities.size()])}});
  }
  table.Add({{"GODLO",
              "\xFF"
              "DELETED"},
             {"NAZWA_GOD", Cp852("usunięte godło")}});
  table.Add({{"NAZWA_GOD", Cp852("godło puste")}});
  table.Finish();
}

void WriteDeliveries(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable deliveries(site.files, tables::kDostawy);
  SampleTable sheets(site.files, tables::kPrzychod);
  const std::uint32_t count = site.ReferableCount(15);
  for (std::uint32_t record = 1; record <= count; ++record) {
    const bool received = record % 7 != 2;
    deliveries.Add({{"ID_DOSTAWY", DosReference(static_cast<std::uint16_t>(record))},
                    {"NR_DOSTAWY", "D/" + std::to_string(record)},
                    {"ID_OSOBY", KeyOf(random, site.model.persons)},
                    {"NR_DOW_P", "WZ " + std::to_string(random.Between(1, 999))},
                    {"D_DOWODU", SomeDate(random)},
                    {"D_PRZYJ", SomeDate(random)},
                    {"WARTOSC", DosNumber(random.Between(10000, 500000) / 100.0, 12, 2)},
                    {"UWAGI", Cp852(random.Pick(Remarks()))},
                    {"PRZYCHOD", YesNo(received)}});
    for (int sheet = random.Between(1, 6); sheet > 0; --sheet) {
      const int kind =
          site.model
              .map_kinds[random.Below(static_cast<std::uint32_t>(site.model.map_kinds.size()))];
      sheets.Add({{"ID_DOSTAWY", DosReference(static_cast<std::uint16_t>(record))},
                  {"NR_ROMAP", Whole(kind, 3)},
                  {"GODLO", std::to_string(random.Between(100, 999)) + "." +
                                std::to_string(random.Between(1, 4))},
                  {"CENA", DosNumber(random.Between(500, 4000) / 100.0, 10, 2)},
                  {"ILOSC", Whole(random.Between(1, 50), 5)}});
    }
  }
  deliveries.Finish();
  sheets.Finish();
  site.model.deliveries = deliveries.count();
}

// Map sheets issued to orders: further settlement lines of the order cards.
void WriteIssues(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, tables::kRozchod);
  for (std::uint32_t i = 0; i < site.Count(50); ++i) {
    const int kind =
        site.model.map_kinds[random.Below(static_cast<std::uint32_t>(site.model.map_kinds.size()))];
    table.Add({{"NR_ROMAP", Whole(kind, 3)},
               {"GODLO", std::to_string(random.Between(100, 999))},
               {"ID_ZAM", ReferenceTo(random, site.model.order_cards)},
               {"ILOSC", Whole(random.Percent(5) ? 0 : random.Between(1, 5), 5)},
               {"R_CENY", Whole(kMapPriceList, 3)},
               {"WARTOSC", DosNumber(random.Between(1000, 9000) / 100.0, 10, 2)},
               // M9 has no positions: no price, no VAT
               {"NR_CENNIKA", random.Percent(10) ? "M9" : "M1"}});
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
