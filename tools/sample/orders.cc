// BDLZLEC: price lists, order cards and their settlements, cash receipts, coefficients and
// the dictionaries of the orders; BDGWINDYK: the statutory interest rates.

#include <string>
#include <vector>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

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

// Writes `entries` keyed 1, 2, ..., a record without a key, then `unreferred` keyed on: the
// returned count covers the first two, which orders may name; no order names the last, so
// removing unlinked records visibly changes the output.
std::uint16_t WriteCodedNames(SiteContext& site, const char* file,
                              const std::vector<DosField>& fields,
                              const std::vector<std::pair<std::string, std::string>>& entries,
                              const std::vector<std::pair<std::string, std::string>>& unreferred) {
  SampleTable table(site.files, SiteFolder::kOrders, file, fields);
  for (const auto& [code, name] : entries) {
    table.Add(
        {DosReference(static_cast<std::uint16_t>(table.count() + 1)), Cp852(code), Cp852(name)});
  }
  table.Add({DosReference(kNoReference), "ZZ", Cp852("bez klucza")});
  const auto referable = static_cast<std::uint16_t>(table.count());
  for (const auto& [code, name] : unreferred) {
    table.Add(
        {DosReference(static_cast<std::uint16_t>(table.count() + 1)), Cp852(code), Cp852(name)});
  }
  table.Finish();
  return referable;
}

void WriteOrderDictionaries(SiteContext& site) {
  site.model.order_assortments = WriteCodedNames(
      site, "asortym.dbf", {Text("ID_ASORT", 2), Text("ASORT", 2), Text("NAZWA_A", 60)},
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
    staff.push_back({"O" + std::to_string(i),
                     std::string(surnames[i * 3]) + " " + std::string(FemaleFirstNames()[i])});
  }
  staff.push_back({"OD", "Przybyszewska-Kołodziejczyk Małgorzata"});  // longer than 25
  site.model.services = WriteCodedNames(
      site, "OBSLUGA.DBF", {Text("ID_OBSLUGA", 2), Text("OBSLUGA", 2), Text("NAZW_IMIE", 30)},
      staff, {{"OE", "Emerytowana Helena"}});
}

std::vector<Position> WritePriceLists(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable headers(
      site.files, SiteFolder::kOrders, "r_ceny.dbf",
      {Number("R_CENY", 3), Text("NAZWA_RC", 20), Text("SPOSOB_OBL", 1), Text("SPOSOB_KLF", 1)});
  SampleTable positions(
      site.files, SiteFolder::kOrders, "cenniki.dbf",
      {Number("R_CENY", 3), Text("NR_CENNIKA", 5), Text("POZYCJA", 5), Text("WYR", 1),
       Text("NAPOZ_SKR", 20), Text("NAPOZ_PEL", 78), Text("SWW_KU", 10), Text("JEDN", 8),
       Number("CONST", 10, 2), Number("WSPOLCZ", 6, 3), Number("CENA", 10, 2), Text("VAT", 2)});
  std::vector<Position> written;
  constexpr std::string_view kRates[] = {"22", " 7", "0", "zw", "7%"};
  for (const PriceList& list : kPriceLists) {
    headers.Add({Whole(list.number, 3), Cp852(list.name), std::string(list.method),
                 std::string(list.classification)});
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
          {Whole(list.number, 3), std::string(list.catalogue), number, "S", Cp852("poz. ") + number,
           Cp852("Pozycja cennika: sporządzenie dokumentu, opłata za hektar lub "
                 "arkusz mapy, z uwzględnieniem współczynników"),
           "PKWiU " + std::to_string(74 + i % 3), Cp852(i % 2 ? "szt." : "ha"), DosNumber(0, 10, 2),
           DosNumber(1, 6, 3), DosNumber(random.Between(500, 50000) / 100.0 + 0.005, 10, 2), rate});
      if (list.number < 100) written.push_back({list.number, std::string(list.catalogue), number});
    }
  }
  headers.Add({Whole(0, 3), Cp852("Nagłówek pusty"), "Z", "P"});
  headers.Finish();
  positions.Add({Whole(0, 3), "K1", "99", "S", "", "", "", "", DosNumber(0, 10, 2),
                 DosNumber(1, 6, 3), DosNumber(1, 10, 2), "22"});
  positions.Finish();
  return written;
}

void WriteTemplates(SiteContext& site, const std::vector<Position>& positions) {
  SampleTable table(site.files, SiteFolder::kOrders, "wzorce.dbf",
                    {Text("NAZWA_WZ", 20), Number("R_CENY", 3), Text("NR_CENNIKA", 5),
                     Text("POZYCJA", 5), Number("ILOSC", 10, 2), Number("WSPCZYNNIK", 6, 3),
                     Number("WART_POSR", 10, 2), Number("WARTOSC", 10, 2)});
  for (std::size_t i = 0; i < positions.size(); i += 3) {
    const Position& position = positions[i];
    table.Add({Cp852("wzór ") + std::to_string(i / 3 + 1), Whole(position.list, 3),
               position.catalogue, position.position, DosNumber(1, 10, 2), DosNumber(1, 6, 3),
               DosNumber(50, 10, 2), DosNumber(61, 10, 2)});
  }
  table.Add({Cp852("wzór pusty"), Whole(0, 3), "", "", DosNumber(0, 10, 2), DosNumber(0, 6, 3),
             DosNumber(0, 10, 2), DosNumber(0, 10, 2)});
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
  SampleTable table(site.files, SiteFolder::kOrders, "kart_zam.dbf",
                    {Text("ID_ZAM", 2),
                     Number("NR_ZAM", 5),
                     Number("ROK", 4),
                     Date("D_WPLYWU"),
                     Date("D_PISMA"),
                     Text("NR_PISMA", 20),
                     Text("ID_OSOBY", 4),
                     Text("DOTYCZY", 60),
                     Text("ID_OBSLUGA", 2),
                     Text("ID_ASORT", 2),
                     Text("ID_KERG", 4),
                     Date("D_REALIZ"),
                     Date("D_ODP"),
                     Date("D_ZAK"),
                     Number("ETAP_F", 2),
                     Date("D_FAKT"),
                     Number("KWOTA_F", 10, 2),
                     Date("D_ZAPLATY"),
                     Logical("REJ_SPRZ"),
                     Text("UWAGI", 60),
                     Number("NR_VAT", 5),
                     Text("SPOS_ZAPL", 1),
                     Logical("ZAPLACONE"),
                     site.earlier_orders_edition ? Logical("FAKT_VAT") : Text("TYP_DOK", 2)});
  const std::uint32_t count = site.ReferableCount(150);
  for (std::uint32_t record = 1; record <= count; ++record) {
    const bool invoiced = random.Percent(60);
    const std::uint16_t key = record % 53 == 7 ? 0 : static_cast<std::uint16_t>(record);
    table.Add({DosReference(key),
               Whole(static_cast<long long>(record % 99999), 5),
               Whole(random.Between(1995, 2004), 4),
               SomeDate(random),
               MaybeDate(random, 70),
               "L.dz. " + std::to_string(random.Between(1, 3000)),
               KeyOf(random, site.model.persons),
               Cp852("wypis i wyrys dla działki nr ") + std::to_string(random.Between(1, 900)) +
                   Cp852(" obręb ") + Cp852(random.Pick(Precincts())),
               ReferenceTo(random, site.model.services),
               ReferenceTo(random, site.model.order_assortments),
               KeyOf(random, site.model.works, 40),
               MaybeDate(random, 80),
               MaybeDate(random, 50),
               MaybeDate(random, 60),
               Whole(random.Between(0, 3), 2),
               invoiced ? SomeDate(random) : "",
               DosNumber(random.Between(1000, 90000) / 100.0, 10, 2),
               MaybeDate(random, 50),
               YesNo(random.Percent(30)),
               Cp852(random.Pick(Remarks())),
               Whole(random.Between(1, 9999), 5),
               random.Percent(50) ? "G" : "P",
               YesNo(random.Percent(70)),
               DocumentType(site, random, invoiced)},
              random.Percent(2));
  }
  table.Finish();
  site.model.order_cards = table.count();
}

void WriteSettlements(SiteContext& site, const std::vector<Position>& positions) {
  SiteRandom& random = site.random;
  std::vector<DosField> fields = {
      Text("ID_ROZL", 4),         Text("ID_ZAM", 2),          Number("R_CENY", 3),
      Text("NR_CENNIKA", 5),      Text("POZYCJA", 5),         Number("ILOSC", 10, 2),
      Number("WSPCZYNNIK", 6, 3), Number("WART_POSR", 10, 2), Number("WARTOSC", 10, 2)};
  const bool later = !site.earlier_orders_edition;
  if (later) fields.push_back(Number("NR_POZ", 5));
  SampleTable table(site.files, SiteFolder::kOrders, "rozlicz.dbf", fields);
  // The earlier edition has no position numbers: the last value is left out.
  const auto add = [&](std::vector<std::string> values) {
    if (!later) values.pop_back();
    table.Add(values);
  };
  for (std::uint32_t order = 1; order <= site.model.order_cards; ++order) {
    for (int line = random.Between(1, 3); line > 0; --line) {
      const Position& position =
          positions[random.Below(static_cast<std::uint32_t>(positions.size()))];
      const double value = random.Between(1000, 50000) / 100.0;
      const std::uint32_t key = random.Percent(2) ? 0 : table.count() + 1;
      add({DosKey(key), DosReference(static_cast<std::uint16_t>(order)),
           Whole(random.Percent(3) ? 0 : position.list, 3), position.catalogue,
           position.list == kVatPriceList && random.Percent(50) ? "7%" : position.position,
           DosNumber(random.Between(1, 5), 10, 2), DosNumber(1, 6, 3),
           DosNumber(value * 0.8, 10, 2), DosNumber(value, 10, 2), Whole(line, 5)});
    }
  }
  add({DosKey(table.count() + 1), DosReference(0), Whole(1, 3), "K1", "1", DosNumber(1, 10, 2),
       DosNumber(1, 6, 3), DosNumber(1, 10, 2), DosNumber(1, 10, 2), Whole(1, 5)});
  add({DosKey(table.count() + 1), DosReference(1), Whole(120, 3), "K1", "1", DosNumber(1, 10, 2),
       DosNumber(1, 6, 3), DosNumber(1, 10, 2), DosNumber(1, 10, 2), Whole(1, 5)});
  table.Finish();
  site.model.settlements = table.count();
}

void WriteReceipts(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable receipts(
      site.files, SiteFolder::kOrders, "nrkp.dbf",
      {Text("ID_KP", 4), Text("NR_KP", 10), Text("D_KP", 8), Number("KWOTA_KP", 13, 2)});
  SampleTable lines(
      site.files, SiteFolder::kOrders, "elkp.dbf",
      {Text("ID_KP", 4), Text("ID_ZAM", 2), Logical("ODSETKI"), Number("KWOTA_EL", 13, 2)});
  const std::uint32_t count = site.Count(60);
  for (std::uint32_t record = 1; record <= count; ++record) {
    const std::uint32_t key = record % 41 == 3 ? kSpacesKey : record;
    receipts.Add({DosKey(key), "KP/" + std::to_string(record), SomeDate(random),
                  DosNumber(random.Between(1000, 90000) / 100.0, 13, 2)});
    for (int line = random.Between(1, 2); line > 0; --line) {
      // The marker FEFE stands for a receipt not tied to an order.
      const bool alone = random.Percent(8);
      lines.Add({DosKey(record),
                 alone ? DosReference(0xFEFE) : ReferenceTo(random, site.model.order_cards),
                 YesNo(random.Percent(10)), DosNumber(random.Between(1000, 50000) / 100.0, 13, 2)});
    }
  }
  receipts.Finish();
  lines.Finish();
  site.model.receipts = receipts.count();
}

void WriteCoefficients(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable descriptions(
      site.files, SiteFolder::kOrders, "opis_wsp.dbf",
      {Text("ID_WSPK", 2), Text("KOD_WSPK", 2), Text("OPIS_WSPK", 20), Number("WSPK", 5, 2)});
  constexpr std::string_view kCoefficients[] = {"pilne",         "teren zabudowany", "las",
                                                "obszar górski", "powtórzenie",      "dojazd"};
  for (const std::string_view name : kCoefficients) {
    const auto record = static_cast<std::uint16_t>(descriptions.count() + 1);
    descriptions.Add({DosReference(record == 2 ? 0 : record), "W" + std::to_string(record),
                      Cp852(name), DosNumber(1 + record / 10.0, 5, 2)});
  }
  descriptions.Finish();
  site.model.coefficients = descriptions.count();
  SampleTable parts(site.files, SiteFolder::kOrders, "wsprozl.dbf",
                    {Text("ID_ROZL", 4), Number("WSPK_CZESC", 5, 2), Text("ID_WSPK", 2)});
  for (std::uint32_t line = 1; line <= site.model.settlements; ++line) {
    if (!random.Percent(25)) continue;
    parts.Add({DosKey(line), DosNumber(random.Between(10, 150) / 100.0, 5, 2),
               random.Percent(5) ? "  " : ReferenceTo(random, site.model.coefficients)});
  }
  parts.Finish();
}

void WriteDatedTables(SiteContext& site) {
  SampleTable periods(site.files, SiteFolder::kOrders, "nrej_sp.dbf",
                      {Date("D_POCZREJ"), Date("D_KONREJ")});
  for (int year = 1998; year <= 2004; ++year) {
    for (int month = 1; month <= 12; ++month) {
      periods.Add({DosDate(year, month, 1), DosDate(year, month, 28)});
    }
  }
  periods.Finish();
  SampleTable interest(site.files, SiteFolder::kCollection, "ustawowe.dbf",
                       {Text("D_OD", 8), Number("STOPA", 10, 7), Text("JAKIE", 1)});
  constexpr double kRates[] = {0.35, 0.33, 0.30, 0.24, 0.21, 0.16, 0.13, 0.1225};
  int year = 1996;
  for (const double rate : kRates) {
    interest.Add({DosDate(year++, 1, 1), DosNumber(rate, 10, 7), "U"});
  }
  interest.Add({"", DosNumber(0.115, 10, 7), "U"});
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
