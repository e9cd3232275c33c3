#include "tests/e2e/orders_site.h"

#include <filesystem>

#include "source/table_catalogue.h"
#include "tools/dos/catalogue_table_writer.h"
#include "tools/dos/dos_table_writer.h"

namespace konwerter::testing {

namespace {

namespace fs = std::filesystem;
namespace tables = source::tables;
using tools::DosKey;
using tools::DosNumber;
using tools::DosReference;
using Record = std::vector<tools::FieldValue>;

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
  void Table(std::string_view folder, const tables::TableLayout& layout,
             const std::vector<Row>& rows, Values values) const {
    const fs::path directory = site_.folder(folder);
    if (domain_.missing.count(std::string(layout.file)) != 0) {
      fs::remove(directory / layout.file);
      return;
    }
    fs::create_directories(directory);
    tools::CatalogueTableWriter table(
        directory, layout,
        domain_.later_edition ? source::SourceEdition::kLater : source::SourceEdition::kEarlier);
    for (const Row& row : rows) table.Add(values(row));
    table.Finish();
  }

 private:
  const DosSite& site_;
  const DosOrdersDomain& domain_;
};

void WriteMapStock(const Writer& out, const DosOrdersDomain& d) {
  out.Table("LDRUKI", tables::kDostawy, d.deliveries, [](const DosDelivery& r) -> Record {
    return {{"ID_DOSTAWY", DosReference(r.id)},
            {"NR_DOSTAWY", r.nr_dostawy},
            {"ID_OSOBY", DosKey(r.id_osoby)},
            {"NR_DOW_P", "WZ/1"},
            {"D_DOWODU", r.d_dowodu},
            {"D_PRZYJ", r.d_dowodu},
            {"WARTOSC", DosNumber(r.wartosc, 12, 2)},
            {"UWAGI", "uwagi"},
            {"PRZYCHOD", Logical(r.przychod)}};
  });
  out.Table("LDRUKI", tables::kPrzychod, d.sheets, [](const DosSheetReceived& r) -> Record {
    return {{"ID_DOSTAWY", DosReference(r.id_dostawy)},
            {"NR_ROMAP", Whole(r.nr_romap, 3)},
            {"GODLO", r.godlo},
            {"CENA", DosNumber(r.cena, 10, 2)},
            {"ILOSC", Whole(r.ilosc, 5)}};
  });
  out.Table("LDRUKI", tables::kIndMap, d.map_kinds, [](const DosMapKind& r) -> Record {
    return {{"NR_ROMAP", Whole(r.nr_romap, 3)},
            {"NAZWA", r.nazwa},
            {"NAZW_S", r.nazw_s},
            {"SKALA", Whole(r.skala, 7)},
            {"ID_OSOBY", DosKey(r.id_osoby)},
            {"ROK_WYD", Whole(r.rok_wyd, 4)}};
  });
  out.Table("LDRUKI", tables::kGodla, d.designations, [](const DosDesignation& r) -> Record {
    return {{"GODLO", r.godlo}, {"NAZWA_GOD", r.nazwa_god}};
  });
  out.Table("LDRUKI", tables::kRozchod, d.issues, [](const DosSheetIssue& r) -> Record {
    return {{"NR_ROMAP", Whole(r.nr_romap, 3)}, {"GODLO", r.godlo},
            {"ID_ZAM", DosReference(r.id_zam)}, {"ILOSC", Whole(r.ilosc, 5)},
            {"R_CENY", Whole(r.r_ceny, 3)},     {"WARTOSC", DosNumber(r.wartosc, 10, 2)},
            {"NR_CENNIKA", r.nr_cennika}};
  });
}

void WritePriceLists(const Writer& out, const DosOrdersDomain& d) {
  out.Table("LZLEC", tables::kRCeny, d.headers, [](const DosPriceHeader& r) -> Record {
    return {{"R_CENY", Whole(r.r_ceny, 3)},
            {"NAZWA_RC", r.nazwa_rc},
            {"SPOSOB_OBL", r.sposob_obl},
            {"SPOSOB_KLF", r.sposob_klf}};
  });
  out.Table("LZLEC", tables::kCenniki, d.positions, [](const DosPricePosition& r) -> Record {
    return {{"R_CENY", Whole(r.r_ceny, 3)},
            {"NR_CENNIKA", r.nr_cennika},
            {"POZYCJA", r.pozycja},
            {"WYR", "S"},
            {"NAPOZ_SKR", "skrot"},
            {"NAPOZ_PEL", r.napoz_pel},
            {"SWW_KU", "PKWiU"},
            {"JEDN", "szt."},
            {"CONST", DosNumber(0, 10, 2)},
            {"WSPOLCZ", DosNumber(1, 6, 3)},
            {"CENA", DosNumber(r.cena, 10, 2)},
            {"VAT", r.vat}};
  });
  out.Table("LZLEC", tables::kWzorce, d.templates, [](const DosTemplate& r) -> Record {
    return {{"NAZWA_WZ", r.nazwa_wz},
            {"R_CENY", Whole(r.r_ceny, 3)},
            {"NR_CENNIKA", r.nr_cennika},
            {"POZYCJA", r.pozycja},
            {"ILOSC", DosNumber(1, 10, 2)},
            {"WSPCZYNNIK", DosNumber(1, 6, 3)},
            {"WART_POSR", DosNumber(r.wart_posr, 10, 2)},
            {"WARTOSC", DosNumber(r.wartosc, 10, 2)}};
  });
}

void WriteOrders(const Writer& out, const DosOrdersDomain& d) {
  // The edition's table holds typ_dok or fakt_vat, and nr_poz or not.
  out.Table("LZLEC", tables::kKartZam, d.cards, [](const DosOrderCard& r) -> Record {
    return {{"ID_ZAM", DosReference(r.id_zam)},
            {"NR_ZAM", Whole(r.nr_zam, 5)},
            {"ROK", "2004"},
            {"D_WPLYWU", r.d_wplywu},
            {"NR_PISMA", "L.dz. 1"},
            {"ID_OSOBY", DosKey(r.id_osoby)},
            {"DOTYCZY", "dotyczy"},
            {"ID_OBSLUGA", DosReference(r.id_obsluga)},
            {"ID_ASORT", DosReference(r.id_asort)},
            {"ID_KERG", DosKey(r.id_kerg)},
            {"D_FAKT", r.d_fakt},
            {"KWOTA_F", DosNumber(r.kwota_f, 10, 2)},
            {"REJ_SPRZ", r.rej_sprz},
            {"NR_VAT", "12"},
            {"SPOS_ZAPL", "G"},
            {"ZAPLACONE", "T"},
            {"TYP_DOK", r.typ_dok},
            {"FAKT_VAT", Logical(r.fakt_vat)}};
  });
  out.Table("LZLEC", tables::kRozlicz, d.settlements, [](const DosSettlementLine& r) -> Record {
    return {{"ID_ROZL", DosKey(r.id_rozl)},
            {"ID_ZAM", DosReference(r.id_zam)},
            {"R_CENY", Whole(r.r_ceny, 3)},
            {"NR_CENNIKA", r.nr_cennika},
            {"POZYCJA", r.pozycja},
            {"ILOSC", DosNumber(r.ilosc, 10, 2)},
            {"WSPCZYNNIK", DosNumber(r.wspczynnik, 6, 3)},
            {"WART_POSR", DosNumber(r.wart_posr, 10, 2)},
            {"WARTOSC", DosNumber(r.wartosc, 10, 2)},
            {"NR_POZ", Whole(r.nr_poz, 5)}};
  });
}

void WriteReceiptsAndRest(const Writer& out, const DosOrdersDomain& d) {
  out.Table("LZLEC", tables::kNrkp, d.receipts, [](const DosReceipt& r) -> Record {
    return {{"ID_KP", DosKey(r.id_kp)},
            {"NR_KP", r.nr_kp},
            {"D_KP", r.d_kp},
            {"KWOTA_KP", DosNumber(r.kwota_kp, 13, 2)}};
  });
  out.Table("LZLEC", tables::kElkp, d.receipt_lines, [](const DosReceiptLine& r) -> Record {
    return {{"ID_KP", DosKey(r.id_kp)},
            {"ID_ZAM", DosReference(r.id_zam)},
            {"ODSETKI", Logical(r.odsetki)},
            {"KWOTA_EL", DosNumber(r.kwota_el, 13, 2)}};
  });
  out.Table("LZLEC", tables::kOpisWsp, d.coefficients, [](const DosCoefficient& r) -> Record {
    return {{"ID_WSPK", DosReference(r.id_wspk)},
            {"KOD_WSPK", r.kod_wspk},
            {"OPIS_WSPK", r.opis_wspk},
            {"WSPK", DosNumber(r.wspk, 5, 2)}};
  });
  out.Table("LZLEC", tables::kWsprozl, d.coefficient_parts,
            [](const DosCoefficientPart& r) -> Record {
              return {{"ID_ROZL", DosKey(r.id_rozl)},
                      {"WSPK_CZESC", DosNumber(r.wspk_czesc, 5, 2)},
                      {"ID_WSPK", DosReference(r.id_wspk)}};
            });
  out.Table("GWINDYK", tables::kUstawowe, d.interest, [](const DosInterestRate& r) -> Record {
    return {{"D_OD", r.d_od}, {"STOPA", DosNumber(r.stopa, 10, 7)}, {"JAKIE", r.jakie}};
  });
  out.Table("LZLEC", tables::kNrejSp, d.sales_periods, [](const DosSalesPeriod& r) -> Record {
    return {{"D_POCZREJ", r.d_poczrej}, {"D_KONREJ", r.d_konrej}};
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
