// BDLZLEC: price lists, order cards and their settlements, cash receipts, coefficients and
// the dictionaries of the orders; BDGWINDYK: the statutory interest rates.

#include <string>
#include <vector>

#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

namespace tables = source::tables;

struct PriceList {
  int number;
  std::string_view name;
  std::string_view method;          // sposob_obl: its first letter is the list's kind
  std::string_view classification;  // sposob_klf
  std::string_view catalogue;       // nr_cennika of its positions
};

// List 2 holds the map sheets (kind M): its positions are the map kinds, as the issues of
// the map stock name them.
constexpr PriceList kPriceLists[] = {
    {1, "Cennik podstawowy", "Z", "P", "K1"}, {2, "Mapy drukowane", "M", "M", "M1"},
    {3, "Usługi z VAT", "V", "V", "V1"},      {4, "Usługi zwolnione", "R", "R", "R1"},
    {5, "Wypisy i wyrysy", "", "N", "W1"},    {100, "Cennik archiwalny", "Z", "X", "A1"},
};
constexpr int kMapPriceList = 2;
constexpr int kMapKinds = 12;
constexpr int kVatPriceList = 3;
constexpr const char* kVatPositions[] = {"22", " 7", "7%", "0%", " 0", "zw", "22A", "7%B"};

struct Position {
  int list;
  std::string catalogue;
  std::string position;
};

// The fields of a coded dictionary of the orders: its own reference, the code and the name.
struct CodedFields {
  std::string_view key, code, name;
};

// Writes `entries` keyed 1, 2, ..., a record without a key, then `unreferred` keyed on: the
// returned count covers the first two, which orders may name; no order names the last, so
// removing unlinked records visibly changes the output.
std::uint16_t WriteCodedNames(SiteContext& site, const tables::TableLayout& layout,
                              NameCase name_case, const CodedFields& fields,
                              const std::vector<std::pair<std::string, std::string>>& entries,
                              const std::vector<std::pair<std::string, std::string>>& unreferred) {
  SampleTable table(site.files, layout, name_case);
  const auto add = [&](std::uint16_t key, std::string code, std::string name) {
    table.Add({{fields.key, DosReference(key)}, {fields.code, code}, {fields.name, name}});
  };
  for (const auto& [code, name] : entries) {
    add(static_cast<std::uint16_t>(table.count() + 1), Cp852(code), Cp852(name));
  }
  add(kNoReference, "ZZ", Cp852("bez klucza"));
  const auto referable = static_cast<std::uint16_t>(table.count());
  for (const auto& [code, name] : unreferred) {
    add(static_cast<std::uint16_t>(table.count() + 1), Cp852(code), Cp852(name));
  }
  table.Finish();
  return referable;
}

void WriteOrderDictionaries(SiteContext& site) {
  site.model.order_assortments = WriteCodedNames(
      site, tables::kZlecAsortym, NameCase::kAsCatalogued, {"ID_ASORT", "ASORT", "NAZWA_A"},
      {{"MZ", "mapa zasadnicza"},
       {"MW", "mapa ewidencyjna"},
       {"WY", "wypis z rejestru gruntów"},
       {"WR", "wyrys z mapy ewidencyjnej"},
       {"KO", "kopia operatu"},
       {"UZ", "uzgodnienie ZUD"},
       {"DG", "dane do zgłoszenia pracy geodezyjnej"},
       {"ŁW", "łączne wypisy i wyrysy"}},
      {{"MT", "mapa topograficzna (nie wydawana)"}, {"FO", "fotomapa (nie wydawana)"}});
  std::vector<std::pair<std::string, std::string>> staff;
  const auto surnames = Surnames();
  for (std::size_t i = 0; i < 10; ++i) {
    staff.emplace_back("O" + std::to_string(i),
                       std::string(surnames[i * 3]) + " " + std::string(FemaleFirstNames()[i]));
  }
  staff.emplace_back("OD", "Przybyszewska-Kołodziejczyk Małgorzata");  // longer than 25
  site.model.services = WriteCodedNames(site, tables::kObsluga, NameCase::kUpper,
                                        {"ID_OBSLUGA", "OBSLUGA", "NAZW_IMIE"}, staff,
                                        {{"OE", "Emerytowana Helena"}});
}

std::vector<Position> WritePriceLists(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable headers(site.files, tables::kRCeny);
  SampleTable positions(site.files, tables::kCenniki);
  std::vector<Position> written;
  constexpr std::string_view kRates[] = {"22", " 7", "0", "zw", "7%"};
  for (const PriceList& list : kPriceLists) {
    headers.Add({{"R_CENY", Whole(list.number, 3)},
                 {"NAZWA_RC", Cp852(list.name)},
                 {"SPOSOB_OBL", std::string(list.method)},
                 {"SPOSOB_KLF", std::string(list.classification)}});
    const int count = list.number == kMapPriceList ? kMapKinds : 8;
    for (int i = 1; i <= count; ++i) {
      char number[8];
      std::snprintf(number, sizeof number, list.number == kMapPriceList ? "%05d" : "%d", i);
      // A list of kind V keeps the VAT code at the start of each position.
      if (list.number == kVatPriceList) {
        std::snprintf(number, sizeof number, "%s", kVatPositions[i - 1]);
      }
      const std::string rate(list.number == kVatPriceList ? "22" : kRates[random.Below(5)]);
      positions.Add(
          {{"R_CENY", Whole(list.number, 3)},
           {"NR_CENNIKA", std::string(list.catalogue)},
           {"POZYCJA", number},
           {"WYR", "S"},
           {"NAPOZ_SKR", Cp852("poz. ") + number},
           {"NAPOZ_PEL", Cp852("Pozycja cennika: sporządzenie dokumentu, opłata za "
                               "hektar lub arkusz mapy, z uwzględnieniem współczynników")},
           {"SWW_KU", "PKWiU " + std::to_string(74 + i % 3)},
           {"JEDN", Cp852(i % 2 ? "szt." : "ha")},
           {"CONST", DosNumber(0, 10, 2)},
           {"WSPOLCZ", DosNumber(1, 6, 3)},
           {"CENA", DosNumber(random.Between(500, 50000) / 100.0 + 0.005, 10, 2)},
           {"VAT", rate}});
      if (list.number < 100) written.push_back({list.number, std::string(list.catalogue), number});
    }
  }
  headers.Add({{"R_CENY", Whole(0, 3)},
               {"NAZWA_RC", Cp852("Nagłówek pusty")},
               {"SPOSOB_OBL", "Z"},
               {"SPOSOB_KLF", "P"}});
  headers.Finish();
  positions.Add({{"R_CENY", Whole(0, 3)},
                 {"NR_CENNIKA", "K1"},
                 {"POZYCJA", "99"},
                 {"WYR", "S"},
                 {"CONST", DosNumber(0, 10, 2)},
                 {"WSPOLCZ", DosNumber(1, 6, 3)},
                 {"CENA", DosNumber(1, 10, 2)},
                 {"VAT", "22"}});
  positions.Finish();
  return written;
}

void WriteTemplates(SiteContext& site, const std::vector<Position>& positions) {
  SampleTable table(site.files, tables::kWzorce);
  for (std::size_t i = 0; i < positions.size(); i += 3) {
    const Position& position = positions[i];
    table.Add({{"NAZWA_WZ", Cp852("wzór ") + std::to_string(i / 3 + 1)},
               {"R_CENY", Whole(position.list, 3)},
               {"NR_CENNIKA", position.catalogue},
               {"POZYCJA", position.position},
               {"ILOSC", DosNumber(1, 10, 2)},
               {"WSPCZYNNIK", DosNumber(1, 6, 3)},
               {"WART_POSR", DosNumber(50, 10, 2)},
               {"WARTOSC", DosNumber(61, 10, 2)}});
  }
  table.Add({{"NAZWA_WZ", Cp852("wzór pusty")},
             {"R_CENY", Whole(0, 3)},
             {"ILOSC", DosNumber(0, 10, 2)},
             {"WSPCZYNNIK", DosNumber(0, 6, 3)},
             {"WART_POSR", DosNumber(0, 10, 2)},
             {"WARTOSC", DosNumber(0, 10, 2)}});
  table.Finish();
}

// typ_dok of the later edition, or fakt_vat of the earlier one (an invoice date alone then
// stands for a bill).
std::string DocumentType(const SiteContext& site, SiteRandom& random, bool invoiced) {
  const bool invoice = invoiced && random.Percent(70);
  if (site.earlier_orders_edition) return YesNo(invoice);
  return invoiced ? (invoice ? "FV" : "RU") : "";
}

void WriteOrderCards(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, tables::kKartZam);
  const std::string_view document_type = site.earlier_orders_edition ? "FAKT_VAT" : "TYP_DOK";
  const std::uint32_t count = site.ReferableCount(150);
  for (std::uint32_t record = 1; record <= count; ++record) {
    const bool invoiced = random.Percent(60);
    const std::uint16_t key = record % 53 == 7 ? 0 : static_cast<std::uint16_t>(record);
    table.Add({{"ID_ZAM", DosReference(key)},
               {"NR_ZAM", Whole(static_cast<long long>(record % 99999), 5)},
               {"ROK", Whole(random.Between(1995, 2004), 4)},
               {"D_WPLYWU", SomeDate(random)},
               {"D_PISMA", MaybeDate(random, 70)},
               {"NR_PISMA", "L.dz. " + std::to_string(random.Between(1, 3000))},
               {"ID_OSOBY", KeyOf(random, site.model.persons)},
               {"DOTYCZY", Cp852("wypis i wyrys dla działki nr ") +
                               std::to_string(random.Between(1, 900)) + Cp852(" obręb ") +
                               Cp852(random.Pick(Precincts()))},
               {"ID_OBSLUGA", ReferenceTo(random, site.model.services)},
               {"ID_ASORT", ReferenceTo(random, site.model.order_assortments)},
               {"ID_KERG", KeyOf(random, site.model.works, 40)},
               {"D_REALIZ", MaybeDate(random, 80)},
               {"D_ODP", MaybeDate(random, 50)},
               {"D_ZAK", MaybeDate(random, 60)},
               {"ETAP_F", Whole(random.Between(0, 3), 2)},
               {"D_FAKT", invoiced ? SomeDate(random) : ""},
               {"KWOTA_F", DosNumber(random.Between(1000, 90000) / 100.0, 10, 2)},
               {"D_ZAPLATY", MaybeDate(random, 50)},
               {"REJ_SPRZ", YesNo(random.Percent(30))},
               {"UWAGI", Cp852(random.Pick(Remarks()))},
               {"NR_VAT", Whole(random.Between(1, 9999), 5)},
               {"SPOS_ZAPL", random.Percent(50) ? "G" : "P"},
               {"ZAPLACONE", YesNo(random.Percent(70))},
               {document_type, DocumentType(site, random, invoiced)}},
              random.Percent(2));
  }
  table.Finish();
  site.model.order_cards = table.count();
}

void WriteSettlements(SiteContext& site, const std::vector<Position>& positions) {
  SiteRandom& random = site.random;
  // The earlier edition has no position numbers: its table leaves nr_poz out.
  SampleTable table(site.files, tables::kRozlicz);
  for (std::uint32_t order = 1; order <= site.model.order_cards; ++order) {
    for (int line = random.Between(1, 3); line > 0; --line) {
      const Position& position =
          positions[random.Below(static_cast<std::uint32_t>(positions.size()))];
      const double value = random.Between(1000, 50000) / 100.0;
      const std::uint32_t key = random.Percent(2) ? 0 : table.count() + 1;
      table.Add({{"ID_ROZL", DosKey(key)},
                 {"ID_ZAM", DosReference(static_cast<std::uint16_t>(order))},
                 {"R_CENY", Whole(random.Percent(3) ? 0 : position.list, 3)},
                 {"NR_CENNIKA", position.catalogue},
                 {"POZYCJA",
                  position.list == kVatPriceList && random.Percent(50) ? "7%" : position.position},
                 {"ILOSC", DosNumber(random.Between(1, 5), 10, 2)},
                 {"WSPCZYNNIK", DosNumber(1, 6, 3)},
                 {"WART_POSR", DosNumber(value * 0.8, 10, 2)},
                 {"WARTOSC", DosNumber(value, 10, 2)},
                 {"NR_POZ", Whole(line, 5)}});
    }
  }
  // A line without an order and one of a price list no header names.
  for (const auto& [order, list] : {std::pair{0, 1}, std::pair{1, 120}}) {
    table.Add({{"ID_ROZL", DosKey(table.count() + 1)},
               {"ID_ZAM", DosReference(static_cast<std::uint16_t>(order))},
               {"R_CENY", Whole(list, 3)},
               {"NR_CENNIKA", "K1"},
               {"POZYCJA", "1"},
               {"ILOSC", DosNumber(1, 10, 2)},
               {"WSPCZYNNIK", DosNumber(1, 6, 3)},
               {"WART_POSR", DosNumber(1, 10, 2)},
               {"WARTOSC", DosNumber(1, 10, 2)},
               {"NR_POZ", Whole(1, 5)}});
  }
  table.Finish();
  site.model.settlements = table.count();
}

void WriteReceipts(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable receipts(site.files, tables::kNrkp);
  SampleTable lines(site.files, tables::kElkp);
  const std::uint32_t count = site.Count(60);
  for (std::uint32_t record = 1; record <= count; ++record) {
    const std::uint32_t key = record % 41 == 3 ? kSpacesKey : record;
    receipts.Add({{"ID_KP", DosKey(key)},
                  {"NR_KP", "KP/" + std::to_string(record)},
                  {"D_KP", SomeDate(random)},
                  {"KWOTA_KP", DosNumber(random.Between(1000, 90000) / 100.0, 13, 2)}});
    for (int line = random.Between(1, 2); line > 0; --line) {
      // The marker FEFE stands for a receipt not tied to an order.
      const bool alone = random.Percent(8);
      lines.Add(
          {{"ID_KP", DosKey(record)},
           {"ID_ZAM", alone ? DosReference(0xFEFE) : ReferenceTo(random, site.model.order_cards)},
           {"ODSETKI", YesNo(random.Percent(10))},
           {"KWOTA_EL", DosNumber(random.Between(1000, 50000) / 100.0, 13, 2)}});
    }
  }
  receipts.Finish();
  lines.Finish();
  site.model.receipts = receipts.count();
}

void WriteCoefficients(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable descriptions(site.files, tables::kOpisWsp);
  constexpr std::string_view kCoefficients[] = {"pilne",         "teren zabudowany", "las",
                                                "obszar górski", "powtórzenie",      "dojazd"};
  for (const std::string_view name : kCoefficients) {
    const auto record = static_cast<std::uint16_t>(descriptions.count() + 1);
    descriptions.Add({{"ID_WSPK", DosReference(record == 2 ? 0 : record)},
                      {"KOD_WSPK", "W" + std::to_string(record)},
                      {"OPIS_WSPK", Cp852(name)},
                      {"WSPK", DosNumber(1 + record / 10.0, 5, 2)}});
  }
  descriptions.Finish();
  site.model.coefficients = descriptions.count();
  SampleTable parts(site.files, tables::kWsprozl);
  for (std::uint32_t line = 1; line <= site.model.settlements; ++line) {
    if (!random.Percent(25)) continue;
    parts.Add(
        {{"ID_ROZL", DosKey(line)},
         {"WSPK_CZESC", DosNumber(random.Between(10, 150) / 100.0, 5, 2)},
         {"ID_WSPK", random.Percent(5) ? "  " : ReferenceTo(random, site.model.coefficients)}});
  }
  parts.Finish();
}

void WriteDatedTables(SiteContext& site) {
  SampleTable periods(site.files, tables::kNrejSp);
  for (int year = 1998; year <= 2004; ++year) {
    for (int month = 1; month <= 12; ++month) {
      periods.Add({{"D_POCZREJ", DosDate(year, month, 1)}, {"D_KONREJ", DosDate(year, month, 28)}});
    }
  }
  periods.Finish();
  SampleTable interest(site.files, tables::kUstawowe);
  constexpr double kRates[] = {0.35, 0.33, 0.30, 0.24, 0.21, 0.16, 0.13, 0.1225};
  int year = 1996;
  for (const double rate : kRates) {
    interest.Add(
        {{"D_OD", DosDate(year++, 1, 1)}, {"STOPA", DosNumber(rate, 10, 7)}, {"JAKIE", "U"}});
  }
  interest.Add({{"STOPA", DosNumber(0.115, 10, 7)}, {"JAKIE", "U"}});
  interest.Finish();
}

}  // namespace

void WriteOrders(SiteContext& site) {
  WriteOrderDictionaries(site);
  const std::vector<Position> positions = WritePriceLists(site);
  WriteTemplates(site, positions);
  WriteOrderCards(site);
  WriteSettlements(site, positions);
  WriteReceipts(site);
  WriteCoefficients(site);
  WriteDatedTables(site);
  for (int kind = 1; kind <= kMapKinds; ++kind) site.model.map_kinds.push_back(kind);
}

}  // namespace konwerter::tools::sample
