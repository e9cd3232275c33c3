#pragma once

// Every table of the Windows edition as the converters build it: its group folder under
// BAZA, its file name, and the table schema string and index definition string exactly as
// the converters pass them (trailing "|" and ";" included). Converters create their tables
// from these entries and the tests check every entry, so the strings that ship are the
// strings that are tested.

#include <array>
#include <string_view>

namespace konwerter::target::tables {

struct TableStrings {
  std::string_view group;  // folder under BAZA (a register kind may use another folder)
  std::string_view table;
  std::string_view schema;
  std::string_view indexes;  // empty: the table has no production index
};

// Identifier sequences.
inline constexpr TableStrings kAdminDostep{"ADMIN", "Dostep.dbf", "NextVal;N;11|TableName;c;15",
                                           "UPP_TBNAME;UPPER(TABLENAME);exp"};
// Persons.
inline constexpr TableStrings kOsobyOsoby{
    "OSOBY", "Osoby.dbf",
    "Id_osoby;c;8|klucz;c;30|Nazwa1;c;60|Nazwa2;c;60|Ulica;c;30|Nr_dl;c;11|Kod;c;6|Miejsc;c;30|"
    "Pesel;c;11|Nip;c;13|Uprawnieni;c;25|Id_tworz;c;8|Id_modyf;c;8|Rodzaj;c;1|Konto;c;10",
    "ID_OSOBY;ID_OSOBY|NIP;NIP|UPP_KLUCZ;UPPER(KLUCZ);exp"};
inline constexpr TableStrings kOsobyUlice{"OSOBY", "Ulice.dbf", "Nazwa;c;30",
                                          "UPP_NAZWA;UPPER(NAZWA);exp"};
inline constexpr TableStrings kOsobyMiejsc{"OSOBY", "Miejsc.dbf", "Nazwa;c;30",
                                           "UPP_NAZWA;UPPER(NAZWA);exp"};
// Operats (kind 1 folder; the other kinds use the same strings without obdg.dbf).
inline constexpr TableStrings kOperPrOperaty{
    "OPER_PR", "Operaty.dbf",
    "ID_OPE;c;8|NRJEDNEWID;c;3|CZLON_1;c;8|CZLON_2;c;4|CZLON_3;n;6|CZLON_4;c;4|ID_ROBOTY;c;8|ID_"
    "OSOBY;c;8|d_wyp;d|d_plan;d|id_zam;c;8|uwagi;c;30|cyfr_id;c;40|id_tworz;c;8|id_modyf;c;8|id_"
    "wypoz;c;8|typ;c;1",
    ""};
inline constexpr TableStrings kOperPrOpRuch{
    "OPER_PR", "op_ruch.dbf",
    "id_ope;c;8|id_osoby;c;8|d_wyp;d|d_zwrotu;d|id_wypoz;c;8|id_przyj;c;8", ""};
inline constexpr TableStrings kOperPrOpCechy{"OPER_PR", "op_cechy.dbf", "ID_OPE;c;8|ID_CECHY;c;8",
                                             ""};
inline constexpr TableStrings kOperPrOpAsor{"OPER_PR", "op_asor.dbf", "ID_OPE;c;8|ID_ASORT;c;8",
                                            ""};
inline constexpr TableStrings kOperPrObdg{"OPER_PR", "obdg.dbf",
                                          "id_ope;c;8|id_dzialki;c;8|przed_po;c;1|grupa;n;4", ""};
// Map documentation register.
inline constexpr TableStrings kKmzMetryka{
    "KMZ", "Metryka.dbf",
    "id_dok;c;8|skr_dok;c;4|skr_opis;c;4|godlo;c;13|uklad;c;1|nr_ewid;c;15|d_zal;d|d_akt;d|id_"
    "osoby;c;8|d_wyp;d|d_plan;d|uwagi;c;30|id_tworz;c;8|id_modyf;c;8|id_wypoz;c;8|uwagi_wyp;c;30|"
    "id_zam;c;8",
    ""};
inline constexpr TableStrings kKmzRuchM{
    "KMZ", "Ruch_m.dbf",
    "id_dok;c;8|id_osoby;c;8|d_wyp;d|d_zwrotu;d|id_wypoz;c;8|id_przyj;c;8|uwagi_wyp;c;30", ""};
inline constexpr TableStrings kKmzSlownik{
    "KMZ", "Slownik.dbf", "skr_opis;c;4|opis;c;50|kod_opis;c;2|",
    "SKR_OPIS;SKR_OPIS|UPP_KOD_OP;UPPER(KOD_OPIS);exp|UPP_OPIS;UPPER(OPIS);exp"};
inline constexpr TableStrings kKmzIndDok{
    "KMZ", "Ind_dok.dbf", "skr_dok;c;4|naz_dok;c;15|kod_dok;c;2|",
    "SKR_DOK;SKR_DOK|UPP_KOD_DO;UPPER(KOD_DOK);exp|UPP_NAZ_DO;UPPER(NAZ_DOK);exp"};
// Raster extents (written into each register's folder).
inline constexpr TableStrings kKmzZakrRas{"KMZ", "zakr_ras.dbf",
                                          "id_rodzica;c;8|uklad;c;1|godlo;c;13|rastry;c;200", ""};
// Map registers KME and outlines: the same strings for both.
inline constexpr TableStrings kKmeMEwid{
    "KME", "m_ewid.dbf",
    "ID_EWID;c;8|SKR_DOK;c;4|CZLON_1;c;4|CZLON_2;c;4|CZLON_3;n;6|CZLON_4;c;4|ID_OSOBY;c;8|d_wyp;d|"
    "d_plan;d|uwagi;c;30|id_tworz;c;8|id_modyf;c;8|id_wypoz;c;8|uwagi_wyp;c;30|id_zam;c;8",
    "ID_EWID;ID_EWID|CZLON1234;CZLON_1+CZLON_2+STR(CZLON_3,6)+CZLON_4;exp|DWYP_IDOS;DTOS(D_WYP)+ID_"
    "OSOBY;exp|IDOS_DWYP;ID_OSOBY+DTOS(D_WYP);exp"};
inline constexpr TableStrings kKmeRuchE{
    "KME", "Ruch_e.dbf",
    "id_ewid;c;8|id_osoby;c;8|d_wyp;d|d_zwrotu;d|id_wypoz;c;8|id_przyj;c;8|uwagi_wyp;c;30",
    "IDEW_DWYP;ID_EWID+DTOS(D_WYP);exp|IDOS_DWYP;ID_OSOBY+DTOS(D_WYP);exp"};
inline constexpr TableStrings kZarysyZEwid{
    "ZARYSY", "z_ewid.dbf",
    "ID_EWID;c;8|SKR_DOK;c;4|CZLON_1;c;4|CZLON_2;c;4|CZLON_3;n;6|CZLON_4;c;4|ID_OSOBY;c;8|d_wyp;d|"
    "d_plan;d|uwagi;c;30|id_tworz;c;8|id_modyf;c;8|id_wypoz;c;8|uwagi_wyp;c;30|id_zam;c;8",
    "ID_EWID;ID_EWID|CZLON1234;CZLON_1+CZLON_2+STR(CZLON_3,6)+CZLON_4;exp|DWYP_IDOS;DTOS(D_WYP)+ID_"
    "OSOBY;exp|IDOS_DWYP;ID_OSOBY+DTOS(D_WYP);exp"};
inline constexpr TableStrings kZarysyRuchZ{
    "ZARYSY", "Ruch_z.dbf",
    "id_ewid;c;8|id_osoby;c;8|d_wyp;d|d_zwrotu;d|id_wypoz;c;8|id_przyj;c;8|uwagi_wyp;c;30",
    "IDEW_DWYP;ID_EWID+DTOS(D_WYP);exp|IDOS_DWYP;ID_OSOBY+DTOS(D_WYP);exp"};
// Field sketches.
inline constexpr TableStrings kSzkiceSzkice{"SZKICE", "szkice.dbf",
                                            "ID_SZK;c;8|CZLON_1;c;8|CZLON_2;c;4|CZLON_3;n;6|ID_"
                                            "ROBOTY;c;8|uwagi;c;30|id_tworz;c;8|id_modyf;c;8",
                                            ""};
inline constexpr TableStrings kSzkiceSzkcechy{"SZKICE", "szkcechy.dbf", "ID_SZK;c;8|ID_CECHY;c;8",
                                              "ID_SZK;ID_SZK"};
inline constexpr TableStrings kSzkiceSzkasor{"SZKICE", "szkasor.dbf", "ID_SZK;c;8|ID_ASORT;c;8",
                                             "ID_SZK;ID_SZK"};
// Works register.
inline constexpr TableStrings kKergRoboty{
    "KERG", "Roboty.dbf",
    "ID_ROBOTY;c;8|JEDN_SEG;c;8|NR_PORZ;n;6|ROK;n;4;|LP;n;3|INNA_NAZWA;c;20|W_TOKU;c;1|NR_POW;c;4|"
    "NR_G;c;3|NR_WYK;c;15|WYKON;c;8|ZLECEN;c;8|UWAGI;c;50|POL_WL;c;60|D_P_ZAK;d|D_ROZ_P;d|D_PRZ_O;"
    "d|OPIS;c;80|Id_tworz;c;8|Id_modyf;c;8|adres;c;8",
    ""};
inline constexpr TableStrings kKergKergasor{
    "KERG", "Kergasor.dbf", "ID_ROBOTY;c;8|ID_ASORT;c;4|WIELKOSC;n;10;4", "ID_ROBOTY;ID_ROBOTY"};
inline constexpr TableStrings kKergGminy{"KERG", "Gminy.dbf", "NR_G;c;3|NAZWA;c;25|ID_EWMAPY;c;30",
                                         "NR_G;NR_G|UPP_NAZWA;UPPER(NAZWA);exp"};
inline constexpr TableStrings kKergObdg{"KERG", "obdg.dbf",
                                        "id_roboty;c;8|id_dzialki;c;8|przed_po;c;1", ""};
// Orders and settlements.
inline constexpr TableStrings kZleceniaKartZam{
    "ZLECENIA", "kart_zam.dbf",
    "Id_zam;C;8|Nr_zam;N;5|Rok;N;4|D_wplywu;D;8|D_pisma;D;8|Nr_pisma;C;20|Id_osoby;C;8|Dotyczy;C;"
    "60|Id_obsluga;C;4|Id_asort;C;4|Typ_kerg;C;1|Id_kerg;C;8|Id_zud;C;8|D_realiz;D;8|D_odp;D;8|D_"
    "zak;D;8|Etap_f;N;2|D_fakt;D;8|D_sprzed;D;8|D_platn;D;8|Kwota_f;N;10;2|D_zaplaty;D;8|Typ_dok;C;"
    "2|Nr_vat;N;5|Rej_sprz;L;1|Uwagi;C;60|Spos_zapl;C;1|Zaplacone;L;1|D_ods;D;8|Kwota_ods;N;10;2|"
    "Id_tworz;C;8|Id_modyf;C;8",
    ""};
inline constexpr TableStrings kZleceniaRozlicz{
    "ZLECENIA", "rozlicz.dbf",
    "Id_rozl;C;8|Id_zam;C;8|Nr_poz;N;5|R_ceny;N;2|Nr_cennika;C;5|Pozycja;C;5|Ilosc;N;10;2|"
    "Wspczynnik;N;6;3|Wart_posr;N;10;2|Netto;N;10;2|Vat;C;2|Wartosc;N;10;2|Nr_romap;C;3|Godlo;C;15|"
    "Id_tworz;C;8|Id_modyf;C;8",
    ""};
// Dictionaries.
inline constexpr TableStrings kKergObreb{
    "KERG", "obreb.dbf",
    "id_obr;c;4|nr_g;c;3|nr_obr;c;4|nazwa;c;30|kod_obr;c;2|id_tworz;c;8|id_modyf;c;8|ID_EWMAPY;c;"
    "30",
    "ID_OBR;ID_OBR|NRG_NR_KOD;NR_G+NR_OBR+KOD_OBR;exp|NRG_NAZWA;NR_G+UPPER(NAZWA);exp"};
inline constexpr TableStrings kKergDz{
    "KERG", "dz.dbf",
    "id_dzialki;c;8|id_obr;c;4|dzialka;c;10|nr_arkusza;c;3|Id_tworz;c;8|Id_modyf;c;8", ""};
inline constexpr TableStrings kKergAsortym{
    "KERG", "Asortym.dbf", "ID_ASORT;c;4|ASORT;c;2|NAZWA_A;c;60",
    "ID_ASORT;ID_ASORT|UPP_ASORT;UPPER(ASORT);exp|UPP_NAZ_A;UPPER(NAZWA_A);exp"};
inline constexpr TableStrings kZleceniaAsortym{
    "ZLECENIA", "asortym.dbf", "Id_asort;C;4|Asort;C;2|Nazwa_a;C;60",
    "ID_ASORT;ID_ASORT|UPP_ASORT;UPPER(ASORT);exp|UPP_NAZ_A;UPPER(NAZWA_A);exp"};
inline constexpr TableStrings kZleceniaObsluga{
    "ZLECENIA", "obsluga.dbf", "Id_obsluga;C;4|Obsluga;C;2|Nazw_imie;C;25",
    "id_obsluga;Id_obsluga|UPP_OBSLUG;upper(Obsluga);exp|UPP_NAZ;upper(Nazw_imie);exp"};
inline constexpr TableStrings kKergCechy{
    "KERG", "cechy.dbf", "ID_CECHY;c;4|CECHA;c;2|NAZWA_C;c;60",
    "ID_CECHY;ID_CECHY|UPP_CECHA;UPPER(CECHA);exp|UPP_NAZ_C;UPPER(NAZWA_C);exp"};
// Price lists and templates.
inline constexpr TableStrings kZleceniaRCeny{
    "ZLECENIA", "r_ceny.dbf", "R_ceny;N;2|Nazwa_rc;C;20|Sposob_obl;C;1|Sposob_klf;C;1",
    "R_CENY;R_ceny"};
inline constexpr TableStrings kZleceniaCenniki{
    "ZLECENIA", "cenniki.dbf",
    "R_ceny;N;2|Nr_cennika;C;5|Pozycja;C;5|Wyr;C;1|Napoz_skr;C;20|Napoz_pel;C;76|Sww_ku;C;10|Jedn;"
    "C;8|Const;N;10;2|Wspolcz;N;6;3|Cena;N;10;2|Vat;C;2",
    ""};
inline constexpr TableStrings kZleceniaWzorce{
    "ZLECENIA", "wzorce.dbf",
    "Nazwa_wz;C;20|R_ceny;N;2|Nr_cennika;C;5|Pozycja;C;5|Ilosc;N;10;2|Wspczynnik;N;6;3|Wart_posr;N;"
    "10;2|Netto;N;10;2|Vat;C;2|Wartosc;N;10;2",
    "NAZWA_WZ;Nazwa_wz|CENNIK;str(R_ceny,2)+Nr_cennika+Pozycja;exp"};
// Cash receipts.
inline constexpr TableStrings kZleceniaNrkp{
    "ZLECENIA", "nrkp.dbf", "Id_kp;C;8|Nr_kp;C;10|D_kp;D;8|Kwota_kp;N;13;2|Samo_Kp;c;1",
    "ID_KP;Id_kp|NR_KP;nr_kp|SAMO_KP_NR;SAMO_KP+NR_KP;exp|D_KP_NR_KP;DTOS(D_KP)+NR_KP;exp"};
inline constexpr TableStrings kZleceniaElkp{
    "ZLECENIA", "elkp.dbf",
    "Id_rek;C;8|Id_kp;C;8|Id_zam;C;8|Odsetki;L;1|Kwota_el;N;13;2|Id_tworz;C;8|Id_modyf;C;8",
    "ID_REK;Id_rek|ID_KP;Id_kp|ID_ZAM;Id_zam"};
// Map stock.
inline constexpr TableStrings kObrotDostawy{
    "OBROT", "dostawy.dbf",
    "ID_DOSTAWY;c;4|nr_dostawy;c;20|id_osoby;c;8|nr_dow_p;c;20|d_dowodu;d|d_przyj;d|wartosc;n;12;2|"
    "uwagi;c;60|Id_tworz;c;8|Id_modyf;c;8|przychod;L",
    "ID_DOSTAWY;ID_DOSTAWY|NR_DOSTAWY;NR_DOSTAWY"};
inline constexpr TableStrings kObrotPrzychod{
    "OBROT", "przychod.dbf", "ID_DOSTAWY;c;4|nr_romap;c;3|godlo;c;15|cena;n;10;2|ilosc;n;5|stan;L",
    "ID_ROMAP_G;ID_DOSTAWY+upper(nr_romap)+upper(godlo);exp|MAPY;upper(nr_romap)+upper(godlo)+stan;"
    "exp"};
inline constexpr TableStrings kObrotIndMap{
    "OBROT", "ind_map.dbf",
    "nr_romap;c;3|nazwa;c;40|nazwa_s;c;10|skala;n;7|id_osoby;c;8|rok_wyd;n;4",
    "NR_ROMAP;NR_ROMAP|U_NAZWA_S;UPPER(NAZWA_S);exp"};
inline constexpr TableStrings kObrotGodla{"OBROT", "godla.dbf", "godlo;c;15|nazwa_god;c;30",
                                          "GODLO;GODLO"};
// Coefficients, statutory interest and sales register.
inline constexpr TableStrings kZleceniaOpisWsp{
    "ZLECENIA", "opis_wsp.dbf", "Id_wspk;C;4|Kod_wspk;C;2|Opis_wspk;C;20|Wspk;N;5;2",
    "ID_WSPK;Id_wspk|UPP_KOD_W;UPPER(Kod_wspk);exp|UPP_OPIS_W;UPPER(Opis_wspk);exp"};
inline constexpr TableStrings kZleceniaWsprozl{
    "ZLECENIA", "wsprozl.dbf", "Id_rozl;C;8|Wsp_czesc;N;5;2|Id_wspk;C;4", "ID_ROZL;Id_rozl"};
inline constexpr TableStrings kZleceniaUstawowe{
    "ZLECENIA", "ustawowe.dbf", "D_od;D|Stopa;N;10;7|Jakie;C;1", "D_od;dtos(D_od);exp"};
inline constexpr TableStrings kZleceniaNrejSp{"ZLECENIA", "nrej_sp.dbf", "D_poczrej;D|D_konrej;D",
                                              "D_POCZREJ;D_poczrej"};

// Every entry above, for the checks over all tables.
inline constexpr std::array kAllTables = {
    &kAdminDostep,     &kOsobyOsoby,      &kOsobyUlice,      &kOsobyMiejsc,     &kOperPrOperaty,
    &kOperPrOpRuch,    &kOperPrOpCechy,   &kOperPrOpAsor,    &kOperPrObdg,      &kKmzMetryka,
    &kKmzRuchM,        &kKmzSlownik,      &kKmzIndDok,       &kKmzZakrRas,      &kKmeMEwid,
    &kKmeRuchE,        &kZarysyZEwid,     &kZarysyRuchZ,     &kSzkiceSzkice,    &kSzkiceSzkcechy,
    &kSzkiceSzkasor,   &kKergRoboty,      &kKergKergasor,    &kKergGminy,       &kKergObdg,
    &kZleceniaKartZam, &kZleceniaRozlicz, &kKergObreb,       &kKergDz,          &kKergAsortym,
    &kZleceniaAsortym, &kZleceniaObsluga, &kKergCechy,       &kZleceniaRCeny,   &kZleceniaCenniki,
    &kZleceniaWzorce,  &kZleceniaNrkp,    &kZleceniaElkp,    &kObrotDostawy,    &kObrotPrzychod,
    &kObrotIndMap,     &kObrotGodla,      &kZleceniaOpisWsp, &kZleceniaWsprozl, &kZleceniaUstawowe,
    &kZleceniaNrejSp,
};

}  // namespace konwerter::target::tables
