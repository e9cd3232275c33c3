#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/dos_site.h"

namespace konwerter::testing {

// Records of the orders domain of a hand-made DOS site. Keys and references are numbers;
// texts are plain ASCII as stored; dates are YYYYMMDD or empty.

struct DosDelivery {
  std::uint16_t id = 0;
  std::string nr_dostawy;
  std::uint32_t id_osoby = 0;
  std::string d_dowodu;
  double wartosc = 0;
  bool przychod = true;
};
struct DosSheetReceived {
  std::uint16_t id_dostawy = 0;
  int nr_romap = 0;
  std::string godlo;
  double cena = 0;
  int ilosc = 0;
};
struct DosMapKind {
  int nr_romap = 0;
  std::string nazwa, nazw_s;
  int skala = 0;
  std::uint32_t id_osoby = 0;
  int rok_wyd = 0;
};
struct DosDesignation {
  std::string godlo, nazwa_god;
};

struct DosPriceHeader {
  int r_ceny = 0;
  std::string nazwa_rc, sposob_obl, sposob_klf;
};
struct DosPricePosition {
  int r_ceny = 0;
  std::string nr_cennika, pozycja;
  double cena = 0;
  std::string vat;
  std::string napoz_pel;
};
struct DosTemplate {
  std::string nazwa_wz;
  int r_ceny = 0;
  std::string nr_cennika, pozycja;
  double wart_posr = 0, wartosc = 0;
};

struct DosOrderCard {
  std::uint16_t id_zam = 0;
  int nr_zam = 0;
  std::uint32_t id_osoby = 0, id_kerg = 0;
  std::uint16_t id_obsluga = 0, id_asort = 0;
  std::string d_wplywu, d_fakt;
  double kwota_f = 0;
  std::string rej_sprz = " ";  // as stored: T, F, ? or blank
  std::string typ_dok;         // later edition
  bool fakt_vat = false;       // earlier edition
};
struct DosSettlementLine {
  std::uint32_t id_rozl = 0;
  std::uint16_t id_zam = 0;
  int r_ceny = 0;
  std::string nr_cennika, pozycja;
  double ilosc = 1, wspczynnik = 1, wart_posr = 0, wartosc = 0;
  int nr_poz = 0;  // later edition
};
struct DosSheetIssue {
  int nr_romap = 0;
  std::string godlo;
  std::uint16_t id_zam = 0;
  int ilosc = 0;
  int r_ceny = 0;
  double wartosc = 0;
  std::string nr_cennika;
};

struct DosReceipt {
  std::uint32_t id_kp = 0;
  std::string nr_kp, d_kp;
  double kwota_kp = 0;
};
struct DosReceiptLine {
  std::uint32_t id_kp = 0;
  std::uint16_t id_zam = 0;
  bool odsetki = false;
  double kwota_el = 0;
};

struct DosCoefficient {
  std::uint16_t id_wspk = 0;
  std::string kod_wspk, opis_wspk;
  double wspk = 0;
};
struct DosCoefficientPart {
  std::uint32_t id_rozl = 0;
  double wspk_czesc = 0;
  std::uint16_t id_wspk = 0;
};
struct DosInterestRate {
  std::string d_od;
  double stopa = 0;
  std::string jakie;
};
struct DosSalesPeriod {
  std::string d_poczrej, d_konrej;
};

struct DosOrdersDomain {
  bool later_edition = true;  // kart_zam carries typ_dok and rozlicz nr_poz
  std::vector<DosDelivery> deliveries;
  std::vector<DosSheetReceived> sheets;
  std::vector<DosMapKind> map_kinds;
  std::vector<DosDesignation> designations;
  std::vector<DosPriceHeader> headers;
  std::vector<DosPricePosition> positions;
  std::vector<DosTemplate> templates;
  std::vector<DosOrderCard> cards;
  std::vector<DosSettlementLine> settlements;
  std::vector<DosSheetIssue> issues;
  std::vector<DosReceipt> receipts;
  std::vector<DosReceiptLine> receipt_lines;
  std::vector<DosCoefficient> coefficients;
  std::vector<DosCoefficientPart> coefficient_parts;
  std::vector<DosInterestRate> interest;
  std::vector<DosSalesPeriod> sales_periods;
  std::set<std::string> missing;  // file names not written (e.g. "rozchod.dbf")
};

// Writes the tables of the domain into the site's folders LDRUKI (map stock and issues),
// LZLEC (price lists, orders, receipts, coefficients, sales register) and GWINDYK
// (statutory interest), with the field layouts of the DOS edition; the tables named as
// missing are removed. Every DosSite holds the domain's tables, empty, from the start.
void WriteOrdersDomain(const DosSite& site, const DosOrdersDomain& domain);

}  // namespace konwerter::testing
