#pragma once

// Every DOS table the conversion reads, as the DOS edition keeps it: the directory variable
// of its folder, its file name, and its fields in their order with their dBase types and
// widths, per edition. The converters bind their fields through these entries (a binding
// the entry lacks is a programming error), and the sample site and the tests' sites write
// their tables from them, so that what is read and what is written are the same layout.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "source/source_edition.h"
#include "source/source_tables.h"

namespace konwerter::source::tables {

// The editions whose tables hold a field (or a table).
enum class Editions : std::uint8_t { kBoth, kLaterOnly, kEarlierOnly };

struct FieldLayout {
  std::string_view name;  // as Clipper stores it: upper case
  char type = 'C';        // C, N, D, L
  std::uint8_t width = 1;
  std::uint8_t decimals = 0;
  Editions editions = Editions::kBoth;
};

struct TableLayout {
  std::string_view variable;  // directory variable of the folder; empty: the SYSTEM folder
  std::string_view file;
  std::span<const FieldLayout> fields;
  Editions editions = Editions::kBoth;
};

// A character field.
constexpr FieldLayout Character(std::string_view name, std::uint8_t width) {
  return {name, 'C', width};
}
// A DOS key: 4 bytes, little-endian, in a character field.
constexpr FieldLayout Key(std::string_view name) {
  return {name, 'C', 4};
}
// A dictionary reference (a 1-based record number): 2 bytes, little-endian, in a character
// field.
constexpr FieldLayout Reference(std::string_view name) {
  return {name, 'C', 2};
}
// A date text YYYYMMDD kept in a character field, where a day that does not exist could be
// typed in.
constexpr FieldLayout DateText(std::string_view name) {
  return {name, 'C', 8};
}
constexpr FieldLayout Numeric(std::string_view name, std::uint8_t width,
                              std::uint8_t decimals = 0) {
  return {name, 'N', width, decimals};
}
constexpr FieldLayout Date(std::string_view name) {
  return {name, 'D', 8};
}
constexpr FieldLayout Logical(std::string_view name) {
  return {name, 'L', 1};
}
constexpr FieldLayout LaterOnly(FieldLayout field) {
  field.editions = Editions::kLaterOnly;
  return field;
}
constexpr FieldLayout EarlierOnly(FieldLayout field) {
  field.editions = Editions::kEarlierOnly;
  return field;
}

// Whether the tables of the edition hold the field or the table.
bool InEdition(Editions editions, SourceEdition edition);
// The field of the table named `name` (letters in any case) that the edition's table holds;
// nullptr when none.
const FieldLayout* FindField(const TableLayout& table, std::string_view name,
                             SourceEdition edition);
// The fields the edition's table holds, in their order.
std::vector<FieldLayout> FieldsOf(const TableLayout& table, SourceEdition edition);
// Whether a field can be read with a binding kind: texts from character and date fields,
// numbers from numeric fields, logicals from logical fields, 2- and 4-byte binary values
// from character fields of that width.
bool BindingFits(const FieldLayout& field, BindingKind kind);

// The field lists, shared by the tables of one layout.
namespace field_lists {

inline constexpr FieldLayout kUsers[] = {Character("NAZWA", 20), Character("HASLO", 10),
                                         Character("PRAWA", 20), Numeric("STAN", 2)};

// Persons and their dictionaries.
inline constexpr FieldLayout kOsoby[] = {Key("ID"),
                                         Numeric("O", 1),
                                         Character("NAZWA", 30),
                                         Reference("IMIE_1"),
                                         Reference("ID_G"),
                                         Reference("ID_M"),
                                         Reference("ID_U"),
                                         Character("KOD", 5),
                                         Character("NR_D", 5),
                                         Character("NR_L", 5),
                                         Character("NR_P", 11),
                                         Character("RODZAJ_O", 1),
                                         Character("NIP", 13),
                                         Character("KONTO", 10),
                                         Character("UPRAWNIENI", 25)};
inline constexpr FieldLayout kNazwy[] = {Key("ID_OS"), Numeric("LP", 1), Character("NAZWA", 30)};
inline constexpr FieldLayout kImiona[] = {Character("NAZWA", 15)};
inline constexpr FieldLayout kMiejsc[] = {Character("NAZWA", 25)};
inline constexpr FieldLayout kUlice[] = {Character("NAZWA", 30)};
inline constexpr FieldLayout kGmina[] = {Reference("ID"), Numeric("NR_W", 2), Numeric("NR_G", 3),
                                         Character("NAZWA", 25)};

// Works, their register and dictionaries.
inline constexpr FieldLayout kCechy[] = {Reference("ID_CECHY"), Character("CECHA", 2),
                                         Character("NAZ_CECHY", 60)};
inline constexpr FieldLayout kAsortym[] = {Reference("ID_ASORT"), Character("ASORT", 2),
                                           Character("NAZWA_A", 60)};
inline constexpr FieldLayout kObreb[] = {Key("ID_OBR"), Character("NR_G", 5),
                                         Character("NR_OBR", 4), Character("NAZWA", 30),
                                         Character("KOD_OBR", 2)};
inline constexpr FieldLayout kDz[] = {Key("ID_DZIALKI"), Key("ID_OBREBU"), Numeric("L_DZIALKI", 6),
                                      Numeric("M_DZIALKI", 4), Numeric("NR_ARKUSZA", 3)};
inline constexpr FieldLayout kRoboty[] = {
    Key("ID_KERG"),   Character("JEDN_SEG", 4),    Numeric("NR_PORZ", 5), Numeric("ROK", 4),
    Numeric("LP", 4), Character("INNA_NAZWA", 20), Logical("JESTWKERGU")};
inline constexpr FieldLayout kCorners[] = {Character("GODLO10", 10), Character("XX", 7),
                                           Character("YY", 7)};
inline constexpr FieldLayout kKerg[] = {
    Key("ID_KERG"),      Numeric("NR_G", 3),     Character("NR_WYK", 15), Key("WYKON"),
    Key("ZLECEN"),       Character("UWAGI", 50), Character("POL_WL", 60), DateText("D_P_ZAK"),
    DateText("D_ROZ_P"), DateText("D_PRZ_O"),    Character("OPIS", 80)};
inline constexpr FieldLayout kKergasor[] = {Key("ID_RKERG"), Reference("RO_ROBOTY"),
                                            Numeric("WIELKOSC", 10, 4)};
// Parcels linked to a document (an operat of the register kind, a reported work).
inline constexpr FieldLayout kParcelLinks[] = {Key("ID_OPE"), Key("ID_DZIALKI"),
                                               Character("PRZED_PO", 1)};

// Orders, price lists, receipts, coefficients.
inline constexpr FieldLayout kObsluga[] = {Reference("ID_OBSLUGA"), Character("OBSLUGA", 2),
                                           Character("NAZW_IMIE", 30)};
inline constexpr FieldLayout kRCeny[] = {Numeric("R_CENY", 3), Character("NAZWA_RC", 20),
                                         Character("SPOSOB_OBL", 1), Character("SPOSOB_KLF", 1)};
inline constexpr FieldLayout kCenniki[] = {
    Numeric("R_CENY", 3),     Character("NR_CENNIKA", 5), Character("POZYCJA", 5),
    Character("WYR", 1),      Character("NAPOZ_SKR", 20), Character("NAPOZ_PEL", 78),
    Character("SWW_KU", 10),  Character("JEDN", 8),       Numeric("CONST", 10, 2),
    Numeric("WSPOLCZ", 6, 3), Numeric("CENA", 10, 2),     Character("VAT", 2)};
inline constexpr FieldLayout kWzorce[] = {Character("NAZWA_WZ", 20),   Numeric("R_CENY", 3),
                                          Character("NR_CENNIKA", 5),  Character("POZYCJA", 5),
                                          Numeric("ILOSC", 10, 2),     Numeric("WSPCZYNNIK", 6, 3),
                                          Numeric("WART_POSR", 10, 2), Numeric("WARTOSC", 10, 2)};
inline constexpr FieldLayout kKartZam[] = {Reference("ID_ZAM"),
                                           Numeric("NR_ZAM", 5),
                                           Numeric("ROK", 4),
                                           Date("D_WPLYWU"),
                                           Date("D_PISMA"),
                                           Character("NR_PISMA", 20),
                                           Key("ID_OSOBY"),
                                           Character("DOTYCZY", 60),
                                           Reference("ID_OBSLUGA"),
                                           Reference("ID_ASORT"),
                                           Key("ID_KERG"),
                                           Date("D_REALIZ"),
                                           Date("D_ODP"),
                                           Date("D_ZAK"),
                                           Numeric("ETAP_F", 2),
                                           Date("D_FAKT"),
                                           Numeric("KWOTA_F", 10, 2),
                                           Date("D_ZAPLATY"),
                                           Logical("REJ_SPRZ"),
                                           Character("UWAGI", 60),
                                           Numeric("NR_VAT", 5),
                                           Character("SPOS_ZAPL", 1),
                                           Logical("ZAPLACONE"),
                                           EarlierOnly(Logical("FAKT_VAT")),
                                           LaterOnly(Character("TYP_DOK", 2))};
inline constexpr FieldLayout kRozlicz[] = {Key("ID_ROZL"),
                                           Reference("ID_ZAM"),
                                           Numeric("R_CENY", 3),
                                           Character("NR_CENNIKA", 5),
                                           Character("POZYCJA", 5),
                                           Numeric("ILOSC", 10, 2),
                                           Numeric("WSPCZYNNIK", 6, 3),
                                           Numeric("WART_POSR", 10, 2),
                                           Numeric("WARTOSC", 10, 2),
                                           LaterOnly(Numeric("NR_POZ", 5))};
inline constexpr FieldLayout kNrkp[] = {Key("ID_KP"), Character("NR_KP", 10), DateText("D_KP"),
                                        Numeric("KWOTA_KP", 13, 2)};
inline constexpr FieldLayout kElkp[] = {Key("ID_KP"), Reference("ID_ZAM"), Logical("ODSETKI"),
                                        Numeric("KWOTA_EL", 13, 2)};
inline constexpr FieldLayout kOpisWsp[] = {Reference("ID_WSPK"), Character("KOD_WSPK", 2),
                                           Character("OPIS_WSPK", 20), Numeric("WSPK", 5, 2)};
inline constexpr FieldLayout kWsprozl[] = {Key("ID_ROZL"), Numeric("WSPK_CZESC", 5, 2),
                                           Reference("ID_WSPK")};
inline constexpr FieldLayout kNrejSp[] = {Date("D_POCZREJ"), Date("D_KONREJ")};
inline constexpr FieldLayout kUstawowe[] = {DateText("D_OD"), Numeric("STOPA", 10, 7),
                                            Character("JAKIE", 1)};

// Map stock.
inline constexpr FieldLayout kIndMap[] = {Numeric("NR_ROMAP", 3),  Character("NAZWA", 40),
                                          Character("NAZW_S", 10), Numeric("SKALA", 7),
                                          Key("ID_OSOBY"),         Numeric("ROK_WYD", 4)};
inline constexpr FieldLayout kGodla[] = {Character("GODLO", 15), Character("NAZWA_GOD", 30)};
inline constexpr FieldLayout kDostawy[] = {Reference("ID_DOSTAWY"),   Character("NR_DOSTAWY", 20),
                                           Key("ID_OSOBY"),           Character("NR_DOW_P", 20),
                                           Date("D_DOWODU"),          Date("D_PRZYJ"),
                                           Numeric("WARTOSC", 12, 2), Character("UWAGI", 60),
                                           Logical("PRZYCHOD")};
inline constexpr FieldLayout kPrzychod[] = {Reference("ID_DOSTAWY"), Numeric("NR_ROMAP", 3),
                                            Character("GODLO", 7), Numeric("CENA", 10, 2),
                                            Numeric("ILOSC", 5)};
inline constexpr FieldLayout kRozchod[] = {Numeric("NR_ROMAP", 3),    Character("GODLO", 7),
                                           Reference("ID_ZAM"),       Numeric("ILOSC", 5),
                                           Numeric("R_CENY", 3),      Numeric("WARTOSC", 10, 2),
                                           Character("NR_CENNIKA", 5)};

// Map documentation registers.
inline constexpr FieldLayout kSlownik[] = {Reference("SKR_OPIS"), Character("OPIS", 50),
                                           Character("KOD_OPIS", 2)};
inline constexpr FieldLayout kIndDok[] = {Reference("SKR_DOK"), Character("NAZ_DOK", 15),
                                          Character("KOD_DOK", 2)};
inline constexpr FieldLayout kMetryka[] = {
    Key("ID_DOK"),         Reference("SKR_DOK"),     Character("GODLO", 13),
    Character("UKLAD", 1), Character("NR_EWID", 15), Reference("SKR_OPIS"),
    DateText("D_ZAL"),     DateText("D_AKT"),        Key("ID_OSOBY"),
    DateText("D_WYP"),     DateText("D_PLAN"),       Key("ID_ZAM"),
    Character("UWAGI", 30)};
inline constexpr FieldLayout kMEwid[] = {
    Key("ID_EWID"),          Reference("SKR_DOK"),  Character("CZLON_1", 4),
    Character("CZLON_2", 4), Numeric("CZLON_3", 6), Character("CZLON_4", 4),
    Key("ID_OSOBY"),         DateText("D_WYP"),     DateText("D_PLAN"),
    Key("ID_ZAM"),           Character("UWAGI", 30)};
inline constexpr FieldLayout kZEwid[] = {Key("ID_ZARYS"),         Character("CZLON_1", 4),
                                         Character("CZLON_2", 4), Numeric("CZLON_3", 6),
                                         Character("CZLON_4", 4), Key("ID_OSOBY"),
                                         DateText("D_WYP"),       DateText("D_PLAN"),
                                         Key("ID_ZAM"),           Character("UWAGI", 30)};
// Loan movements of the documents of a register.
inline constexpr FieldLayout kMovements[] = {Key("ID_DOK"), Key("ID_OSOBY"), DateText("D_WYP"),
                                             DateText("D_ZWROTU")};
// Raster extents of the documents of a register.
inline constexpr FieldLayout kRasterExtents[] = {Key("ID_ZAK"), Character("UKLAD", 1),
                                                 Character("GODLO", 13), Character("RASTRY", 6)};

// Operats and field sketches.
inline constexpr FieldLayout kRegisterOperats[] = {
    Key("ID_OPE"),           Numeric("NRJEDNEWID", 3),
    Character("CZLON_1", 4), Character("CZLON_2", 4),
    Numeric("CZLON_3", 6),   Character("CZLON_4", 4),
    Key("ID_KERG"),          Key("ID_OSOBY"),
    DateText("D_WYP"),       DateText("D_PLAN"),
    Key("ID_ZAM"),           Character("UWAGI", 30),
    Character("CYFR_ID", 44)};
inline constexpr FieldLayout kOperats[] = {
    Key("ID_OPE"),           Reference("RO_ROBOTY"), Character("CZLON_1", 4),
    Character("CZLON_2", 4), Numeric("CZLON_3", 6),  Character("CZLON_4", 4),
    Key("ID_KERG"),          Key("ID_OSOBY"),        DateText("D_WYP"),
    DateText("D_PLAN"),      Key("ID_ZAM"),          Character("UWAGI", 30),
    Character("CYFR_ID", 44)};
inline constexpr FieldLayout kAssortmentLinks[] = {Key("ID_OPE"), Reference("ID_ASORT")};
inline constexpr FieldLayout kFeatureLinks[] = {Key("ID_OPE"), Reference("ID_CECHY")};
inline constexpr FieldLayout kParcelPairs[] = {Key("ID_OPE"), Key("ID_DZ1"), Key("ID_DZ2")};
inline constexpr FieldLayout kSzkice[] = {Key("ID_SZKICU"),       Reference("RO_ROBOTY"),
                                          Character("NR_P_J", 3), Character("NR_S_J", 4),
                                          Numeric("NR_SZ", 6),    Key("ID_KERG")};

}  // namespace field_lists

// SYSTEM: the users table, locked for the run and never read.
inline constexpr TableLayout kUsers{"", "users.dbf", field_lists::kUsers};

// BDGOSOBY: persons and the dictionaries of their addresses and names.
inline constexpr TableLayout kOsoby{"BDGOSOBY", "osoby.dbf", field_lists::kOsoby};
inline constexpr TableLayout kNazwy{"BDGOSOBY", "nazwy.dbf", field_lists::kNazwy};
inline constexpr TableLayout kImiona{"BDGOSOBY", "imiona.dbf", field_lists::kImiona};
inline constexpr TableLayout kMiejsc{"BDGOSOBY", "miejsc.dbf", field_lists::kMiejsc};
inline constexpr TableLayout kUlice{"BDGOSOBY", "ulice.dbf", field_lists::kUlice};
inline constexpr TableLayout kGmina{"BDGOSOBY", "gmina.dbf", field_lists::kGmina};

// BDGROBOTY: works and their dictionaries; the corners of a coordinate system's sheets, one
// table lok_p<system>.dbf per system.
inline constexpr TableLayout kCechy{"BDGROBOTY", "cechy.dbf", field_lists::kCechy,
                                    Editions::kLaterOnly};
inline constexpr TableLayout kObreb{"BDGROBOTY", "obreb.dbf", field_lists::kObreb};
inline constexpr TableLayout kDz{"BDGROBOTY", "dz.dbf", field_lists::kDz};
inline constexpr TableLayout kRoboty{"BDGROBOTY", "roboty.dbf", field_lists::kRoboty};
inline constexpr TableLayout kCorners{"BDGROBOTY", "lok_p<system>.dbf", field_lists::kCorners};

// BDLZGLO: the register of reported works.
inline constexpr TableLayout kZgloAsortym{"BDLZGLO", "asortym.dbf", field_lists::kAsortym};
inline constexpr TableLayout kKerg{"BDLZGLO", "kerg.dbf", field_lists::kKerg};
inline constexpr TableLayout kKergasor{"BDLZGLO", "kergasor.dbf", field_lists::kKergasor};
inline constexpr TableLayout kZgloObdg{"BDLZGLO", "obdg.dbf", field_lists::kParcelLinks};
inline constexpr TableLayout kObRr{"BDLZGLO", "ob_rr.dbf", field_lists::kRasterExtents};

// BDLZLEC: orders, price lists, receipts, coefficients; BDGWINDYK: statutory interest.
inline constexpr TableLayout kZlecAsortym{"BDLZLEC", "asortym.dbf", field_lists::kAsortym};
inline constexpr TableLayout kObsluga{"BDLZLEC", "obsluga.dbf", field_lists::kObsluga};
inline constexpr TableLayout kRCeny{"BDLZLEC", "r_ceny.dbf", field_lists::kRCeny};
inline constexpr TableLayout kCenniki{"BDLZLEC", "cenniki.dbf", field_lists::kCenniki};
inline constexpr TableLayout kWzorce{"BDLZLEC", "wzorce.dbf", field_lists::kWzorce};
inline constexpr TableLayout kKartZam{"BDLZLEC", "kart_zam.dbf", field_lists::kKartZam};
inline constexpr TableLayout kRozlicz{"BDLZLEC", "rozlicz.dbf", field_lists::kRozlicz};
inline constexpr TableLayout kNrkp{"BDLZLEC", "nrkp.dbf", field_lists::kNrkp};
inline constexpr TableLayout kElkp{"BDLZLEC", "elkp.dbf", field_lists::kElkp};
inline constexpr TableLayout kOpisWsp{"BDLZLEC", "opis_wsp.dbf", field_lists::kOpisWsp};
inline constexpr TableLayout kWsprozl{"BDLZLEC", "wsprozl.dbf", field_lists::kWsprozl};
inline constexpr TableLayout kNrejSp{"BDLZLEC", "nrej_sp.dbf", field_lists::kNrejSp};
inline constexpr TableLayout kUstawowe{"BDGWINDYK", "ustawowe.dbf", field_lists::kUstawowe};

// BDLDRUKI: the map stock and the sheets issued to orders.
inline constexpr TableLayout kIndMap{"BDLDRUKI", "ind_map.dbf", field_lists::kIndMap};
inline constexpr TableLayout kGodla{"BDLDRUKI", "godla.dbf", field_lists::kGodla};
inline constexpr TableLayout kDostawy{"BDLDRUKI", "dostawy.dbf", field_lists::kDostawy};
inline constexpr TableLayout kPrzychod{"BDLDRUKI", "przychod.dbf", field_lists::kPrzychod};
inline constexpr TableLayout kRozchod{"BDLDRUKI", "rozchod.dbf", field_lists::kRozchod};

// BDGMAPAZ, BDGMAPAE, BDGZARYSY: the map documentation registers.
inline constexpr TableLayout kSlownik{"BDGMAPAZ", "slownik.dbf", field_lists::kSlownik};
inline constexpr TableLayout kIndDok{"BDGMAPAZ", "ind_dok.dbf", field_lists::kIndDok};
inline constexpr TableLayout kMetryka{"BDGMAPAZ", "metryka.dbf", field_lists::kMetryka};
inline constexpr TableLayout kRuchM{"BDGMAPAZ", "ruch_m.dbf", field_lists::kMovements};
inline constexpr TableLayout kMEwid{"BDGMAPAE", "m_ewid.dbf", field_lists::kMEwid};
inline constexpr TableLayout kRuchE{"BDGMAPAE", "ruch_e.dbf", field_lists::kMovements};
inline constexpr TableLayout kObRe{"BDGMAPAE", "ob_re.dbf", field_lists::kRasterExtents};
inline constexpr TableLayout kZEwid{"BDGZARYSY", "z_ewid.dbf", field_lists::kZEwid};
inline constexpr TableLayout kRuchZ{"BDGZARYSY", "ruch_z.dbf", field_lists::kMovements};
inline constexpr TableLayout kObRz{"BDGZARYSY", "ob_rz.dbf", field_lists::kRasterExtents};

// BDGOPEW, BDGOP, BDGOPP: the operats of the three kinds; BDGSZKICE: the field sketches.
inline constexpr TableLayout kOpg{"BDGOPEW", "opg.dbf", field_lists::kRegisterOperats};
inline constexpr TableLayout kAsorEw{"BDGOPEW", "asor_ew.dbf", field_lists::kAssortmentLinks};
inline constexpr TableLayout kCechyEw{"BDGOPEW", "cechy_ew.dbf", field_lists::kFeatureLinks};
inline constexpr TableLayout kRg{"BDGOPEW", "rg.dbf", field_lists::kMovements};
inline constexpr TableLayout kOpnr{"BDGOPEW", "opnr.dbf", field_lists::kParcelPairs};
inline constexpr TableLayout kOpewObdg{"BDGOPEW", "obdg.dbf", field_lists::kParcelLinks};
inline constexpr TableLayout kOperBu{"BDGOP", "oper_bu.dbf", field_lists::kOperats};
inline constexpr TableLayout kAsorBu{"BDGOP", "asor_bu.dbf", field_lists::kAssortmentLinks};
inline constexpr TableLayout kCechyBu{"BDGOP", "cechy_bu.dbf", field_lists::kFeatureLinks};
inline constexpr TableLayout kRuchBu{"BDGOP", "ruch_bu.dbf", field_lists::kMovements};
inline constexpr TableLayout kObBu{"BDGOP", "ob_bu.dbf", field_lists::kRasterExtents};
inline constexpr TableLayout kOperP{"BDGOPP", "oper_p.dbf", field_lists::kOperats};
inline constexpr TableLayout kAsorP{"BDGOPP", "asor_p.dbf", field_lists::kAssortmentLinks};
inline constexpr TableLayout kCechyP{"BDGOPP", "cechy_p.dbf", field_lists::kFeatureLinks};
inline constexpr TableLayout kRuchP{"BDGOPP", "ruch_p.dbf", field_lists::kMovements};
inline constexpr TableLayout kObRp{"BDGOPP", "ob_rp.dbf", field_lists::kRasterExtents};
inline constexpr TableLayout kSzkice{"BDGSZKICE", "szkice.dbf", field_lists::kSzkice};
inline constexpr TableLayout kAsorSz{"BDGSZKICE", "asor_sz.dbf", field_lists::kAssortmentLinks};
inline constexpr TableLayout kCechySz{"BDGSZKICE", "cechy_sz.dbf", field_lists::kFeatureLinks};
inline constexpr TableLayout kObRs{"BDGSZKICE", "ob_rs.dbf", field_lists::kRasterExtents};

// Every entry above, for the checks over all tables.
inline constexpr std::array kAllTables = {
    &kUsers,    &kOsoby,    &kNazwy,   &kImiona,      &kMiejsc,  &kUlice,       &kGmina,
    &kCechy,    &kObreb,    &kDz,      &kRoboty,      &kCorners, &kZgloAsortym, &kKerg,
    &kKergasor, &kZgloObdg, &kObRr,    &kZlecAsortym, &kObsluga, &kRCeny,       &kCenniki,
    &kWzorce,   &kKartZam,  &kRozlicz, &kNrkp,        &kElkp,    &kOpisWsp,     &kWsprozl,
    &kNrejSp,   &kUstawowe, &kIndMap,  &kGodla,       &kDostawy, &kPrzychod,    &kRozchod,
    &kSlownik,  &kIndDok,   &kMetryka, &kRuchM,       &kMEwid,   &kRuchE,       &kObRe,
    &kZEwid,    &kRuchZ,    &kObRz,    &kOpg,         &kAsorEw,  &kCechyEw,     &kRg,
    &kOpnr,     &kOpewObdg, &kOperBu,  &kAsorBu,      &kCechyBu, &kRuchBu,      &kObBu,
    &kOperP,    &kAsorP,    &kCechyP,  &kRuchP,       &kObRp,    &kSzkice,      &kAsorSz,
    &kCechySz,  &kObRs,
};

}  // namespace konwerter::source::tables
