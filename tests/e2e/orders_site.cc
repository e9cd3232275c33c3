#include "tests/e2e/orders_site.h"

#include <filesystem>

#include "tools/dos/dos_table_writer.h"

namespace konwerter::testing {

namespace {

namespace fs = std::filesystem;
using tools::DosField;
using tools::DosKey;
using tools::DosNumber;
using tools::DosReference;

std::string Whole(long long value, int width) {
  return DosNumber(static_cast<double>(value), width);
}
std::string Logical(bool value) {
  return value ? "T" : "F";
}

// Writes one table unless the domain leaves it out.
class Writer {
 public:
  Writer(const DosSite& site, const DosOrdersDomain& domain) : site_(site), domain_(domain) {}

  template <typename Row, typename Values>
  void Table(std::string_view folder, const std::string& name, std::vector<DosField> fields,
             const std::vector<Row>& rows, Values values) const {
    const fs::path directory = site_.folder(folder);
    if (domain_.missing.count(name) != 0) {
      fs::remove(directory / name);
      return;
    }
    fs::create_directories(directory);
    tools::DosTableWriter table(directory / name, std::move(fields));
    for (const Row& row : rows) table.Add(values(row));
    table.Finish();
  }

 private:
  const DosSite& site_;
  const DosOrdersDomain& domain_;
};

void WriteMapStock(const Writer& out, const DosOrdersDomain& d) {
  out.Table("LDRUKI", "dostawy.dbf",
            {{"ID_DOSTAWY", 'C', 2},
             {"NR_DOSTAWY", 'C', 20},
             {"ID_OSOBY", 'C', 4},
             {"NR_DOW_P", 'C', 20},
             {"D_DOWODU", 'C', 8},
             {"D_PRZYJ", 'C', 8},
             {"WARTOSC", 'N', 12, 2},
             {"UWAGI", 'C', 60},
             {"PRZYCHOD", 'L', 1}},
            d.deliveries, [](const DosDelivery& r) -> std::vector<std::string> {
              return {DosReference(r.id), r.nr_dostawy, DosKey(r.id_osoby),          "WZ/1",
                      r.d_dowodu,         r.d_dowodu,   DosNumber(r.wartosc, 12, 2), "uwagi",
                      Logical(r.przychod)};
            });
  out.Table("LDRUKI", "przychod.dbf",
            {{"ID_DOSTAWY", 'C', 2},
             {"NR_ROMAP", 'N', 3},
             {"GODLO", 'C', 7},
             {"CENA", 'N', 10, 2},
             {"ILOSC", 'N', 5}},
            d.sheets, [](const DosSheetReceived& r) -> std::vector<std::string> {
              return {DosReference(r.id_dostawy), Whole(r.nr_romap, 3), r.godlo,
                      DosNumber(r.cena, 10, 2), Whole(r.ilosc, 5)};
            });
  out.Table("LDRUKI", "ind_map.dbf",
            {{"NR_ROMAP", 'N', 3},
             {"NAZWA", 'C', 40},
             {"NAZW_S", 'C', 10},
             {"SKALA", 'N', 7},
             {"ID_OSOBY", 'C', 4},
             {"ROK_WYD", 'N', 4}},
            d.map_kinds, [](const DosMapKind& r) -> std::vector<std::string> {
              return {
                  Whole(r.nr_romap, 3), r.nazwa, r.nazw_s, Whole(r.skala, 7), DosKey(r.id_osoby),
                  Whole(r.rok_wyd, 4)};
            });
  out.Table("LDRUKI", "godla.dbf", {{"GODLO", 'C', 15}, {"NAZWA_GOD", 'C', 30}}, d.designations,
            [](const DosDesignation& r) -> std::vector<std::string> {
              return {r.godlo, r.nazwa_god};
            });
  out.Table("LDRUKI", "rozchod.dbf",
            {{"NR_ROMAP", 'N', 3},
             {"GODLO", 'C', 7},
             {"ID_ZAM", 'C', 2},
             {"ILOSC", 'N', 5},
             {"R_CENY", 'N', 3},
             {"WARTOSC", 'N', 10, 2},
             {"NR_CENNIKA", 'C', 5}},
            d.issues, [](const DosSheetIssue& r) -> std::vector<std::string> {
              return {Whole(r.nr_romap, 3),
                      r.godlo,
                      DosReference(r.id_zam),
                      Whole(r.ilosc, 5),
                      Whole(r.r_ceny, 3),
                      DosNumber(r.wartosc, 10, 2),
                      r.nr_cennika};
            });
}

void WritePriceLists(const Writer& out, const DosOrdersDomain& d) {
  out.Table(
      "LZLEC", "r_ceny.dbf",
      {{"R_CENY", 'N', 3}, {"NAZWA_RC", 'C', 20}, {"SPOSOB_OBL", 'C', 1}, {"SPOSOB_KLF", 'C', 1}},
      d.headers, [](const DosPriceHeader& r) -> std::vector<std::string> {
        return {Whole(r.r_ceny, 3), r.nazwa_rc, r.sposob_obl, r.sposob_klf};
      });
  out.Table("LZLEC", "cenniki.dbf",
            {{"R_CENY", 'N', 3},
             {"NR_CENNIKA", 'C', 5},
             {"POZYCJA", 'C', 5},
             {"WYR", 'C', 1},
             {"NAPOZ_SKR", 'C', 20},
             {"NAPOZ_PEL", 'C', 78},
             {"SWW_KU", 'C', 10},
             {"JEDN", 'C', 8},
             {"CONST", 'N', 10, 2},
             {"WSPOLCZ", 'N', 6, 3},
             {"CENA", 'N', 10, 2},
             {"VAT", 'C', 2}},
            d.positions, [](const DosPricePosition& r) -> std::vector<std::string> {
              return {Whole(r.r_ceny, 3),
                      r.nr_cennika,
                      r.pozycja,
                      "S",
                      "skrot",
                      r.napoz_pel,
                      "PKWiU",
                      "szt.",
                      DosNumber(0, 10, 2),
                      DosNumber(1, 6, 3),
                      DosNumber(r.cena, 10, 2),
                      r.vat};
            });
  out.Table("LZLEC", "wzorce.dbf",
            {{"NAZWA_WZ", 'C', 20},
             {"R_CENY", 'N', 3},
             {"NR_CENNIKA", 'C', 5},
             {"POZYCJA", 'C', 5},
             {"ILOSC", 'N', 10, 2},
             {"WSPCZYNNIK", 'N', 6, 3},
             {"WART_POSR", 'N', 10, 2},
             {"WARTOSC", 'N', 10, 2}},
            d.templates, [](const DosTemplate& r) -> std::vector<std::string> {
              return {r.nazwa_wz,
                      Whole(r.r_ceny, 3),
                      r.nr_cennika,
                      r.pozycja,
                      DosNumber(1, 10, 2),
                      DosNumber(1, 6, 3),
                      DosNumber(r.wart_posr, 10, 2),
                      DosNumber(r.wartosc, 10, 2)};
            });
}

void WriteOrders(const Writer& out, const DosOrdersDomain& d) {
  std::vector<DosField> card_fields = {
      {"ID_ZAM", 'C', 2},      {"NR_ZAM", 'N', 5},    {"ROK", 'N', 4},      {"D_WPLYWU", 'C', 8},
      {"D_PISMA", 'C', 8},     {"NR_PISMA", 'C', 20}, {"ID_OSOBY", 'C', 4}, {"DOTYCZY", 'C', 60},
      {"ID_OBSLUGA", 'C', 2},  {"ID_ASORT", 'C', 2},  {"ID_KERG", 'C', 4},  {"D_REALIZ", 'C', 8},
      {"D_ODP", 'C', 8},       {"D_ZAK", 'C', 8},     {"ETAP_F", 'N', 2},   {"D_FAKT", 'C', 8},
      {"KWOTA_F", 'N', 10, 2}, {"D_ZAPLATY", 'C', 8}, {"REJ_SPRZ", 'L', 1}, {"UWAGI", 'C', 60},
      {"NR_VAT", 'N', 5},      {"SPOS_ZAPL", 'C', 1}, {"ZAPLACONE", 'L', 1}};
  card_fields.push_back(d.later_edition ? DosField{"TYP_DOK", 'C', 2}
                                        : DosField{"FAKT_VAT", 'L', 1});
  const bool later = d.later_edition;
  out.Table("LZLEC", "kart_zam.dbf", card_fields, d.cards,
            [later](const DosOrderCard& r) -> std::vector<std::string> {
              return {DosReference(r.id_zam),
                      Whole(r.nr_zam, 5),
                      "2004",
                      r.d_wplywu,
                      "",
                      "L.dz. 1",
                      DosKey(r.id_osoby),
                      "dotyczy",
                      DosReference(r.id_obsluga),
                      DosReference(r.id_asort),
                      DosKey(r.id_kerg),
                      "",
                      "",
                      "",
                      " ",
                      r.d_fakt,
                      DosNumber(r.kwota_f, 10, 2),
                      "",
                      r.rej_sprz,
                      "",
                      "12",
                      "G",
                      "T",
                      later ? r.typ_dok : Logical(r.fakt_vat)};
            });
  std::vector<DosField> line_fields = {
      {"ID_ROZL", 'C', 4},       {"ID_ZAM", 'C', 2},        {"R_CENY", 'N', 3},
      {"NR_CENNIKA", 'C', 5},    {"POZYCJA", 'C', 5},       {"ILOSC", 'N', 10, 2},
      {"WSPCZYNNIK", 'N', 6, 3}, {"WART_POSR", 'N', 10, 2}, {"WARTOSC", 'N', 10, 2}};
  if (later) line_fields.push_back({"NR_POZ", 'N', 5});
  out.Table("LZLEC", "rozlicz.dbf", line_fields, d.settlements,
            [later](const DosSettlementLine& r) -> std::vector<std::string> {
              std::vector<std::string> values = {DosKey(r.id_rozl),
                                                 DosReference(r.id_zam),
                                                 Whole(r.r_ceny, 3),
                                                 r.nr_cennika,
                                                 r.pozycja,
                                                 DosNumber(r.ilosc, 10, 2),
                                                 DosNumber(r.wspczynnik, 6, 3),
                                                 DosNumber(r.wart_posr, 10, 2),
                                                 DosNumber(r.wartosc, 10, 2)};
              if (later) values.push_back(Whole(r.nr_poz, 5));
              return values;
            });
}

void WriteReceiptsAndRest(const Writer& out, const DosOrdersDomain& d) {
  out.Table("LZLEC", "nrkp.dbf",
            {{"ID_KP", 'C', 4}, {"NR_KP", 'C', 10}, {"D_KP", 'C', 8}, {"KWOTA_KP", 'N', 13, 2}},
            d.receipts, [](const DosReceipt& r) -> std::vector<std::string> {
              return {DosKey(r.id_kp), r.nr_kp, r.d_kp, DosNumber(r.kwota_kp, 13, 2)};
            });
  out.Table("LZLEC", "elkp.dbf",
            {{"ID_KP", 'C', 4}, {"ID_ZAM", 'C', 2}, {"ODSETKI", 'L', 1}, {"KWOTA_EL", 'N', 13, 2}},
            d.receipt_lines, [](const DosReceiptLine& r) -> std::vector<std::string> {
              return {DosKey(r.id_kp), DosReference(r.id_zam), Logical(r.odsetki),
                      DosNumber(r.kwota_el, 13, 2)};
            });
  out.Table(
      "LZLEC", "opis_wsp.dbf",
      {{"ID_WSPK", 'C', 2}, {"KOD_WSPK", 'C', 2}, {"OPIS_WSPK", 'C', 20}, {"WSPK", 'N', 5, 2}},
      d.coefficients, [](const DosCoefficient& r) -> std::vector<std::string> {
        return {DosReference(r.id_wspk), r.kod_wspk, r.opis_wspk, DosNumber(r.wspk, 5, 2)};
      });
  out.Table("LZLEC", "wsprozl.dbf",
            {{"ID_ROZL", 'C', 4}, {"WSPK_CZESC", 'N', 5, 2}, {"ID_WSPK", 'C', 2}},
            d.coefficient_parts, [](const DosCoefficientPart& r) -> std::vector<std::string> {
              return {DosKey(r.id_rozl), DosNumber(r.wspk_czesc, 5, 2), DosReference(r.id_wspk)};
            });
  out.Table("GWINDYK", "ustawowe.dbf", {{"D_OD", 'C', 8}, {"STOPA", 'N', 10, 7}, {"JAKIE", 'C', 1}},
            d.interest, [](const DosInterestRate& r) -> std::vector<std::string> {
              return {r.d_od, DosNumber(r.stopa, 10, 7), r.jakie};
            });
  out.Table("LZLEC", "nrej_sp.dbf", {{"D_POCZREJ", 'C', 8}, {"D_KONREJ", 'C', 8}}, d.sales_periods,
            [](const DosSalesPeriod& r) -> std::vector<std::string> {
              return {r.d_poczrej, r.d_konrej};
            });
}

}  // namespace

void WriteOrdersDomain(const DosSite& site, const DosOrdersDomain& domain) {
  const Writer out(site, domain);
  WriteMapStock(out, domain);
  WritePriceLists(out, domain);
  WriteOrders(out, domain);
  WriteReceiptsAndRest(out, domain);
}

}  // namespace konwerter::testing
