#include "tools/sample/word_lists.h"

#include <array>

namespace konwerter::tools::sample {

namespace {

constexpr std::array<std::string_view, 40> kMale{
    "Jan",       "Stanisław", "Andrzej",  "Józef",     "Tadeusz",   "Jerzy",    "Zbigniew",
    "Krzysztof", "Henryk",    "Ryszard",  "Kazimierz", "Marek",     "Marian",   "Piotr",
    "Janusz",    "Władysław", "Adam",     "Wiesław",   "Zdzisław",  "Edward",   "Mieczysław",
    "Roman",     "Mirosław",  "Grzegorz", "Czesław",   "Dariusz",   "Wojciech", "Jacek",
    "Eugeniusz", "Tomasz",    "Stefan",   "Zygmunt",   "Leszek",    "Bogdan",   "Łukasz",
    "Paweł",     "Bolesław",  "Michał",   "Sławomir",  "Przemysław"};

constexpr std::array<std::string_view, 30> kFemale{
    "Anna",   "Maria",      "Krystyna", "Barbara",  "Małgorzata", "Elżbieta",  "Zofia",  "Teresa",
    "Danuta", "Halina",     "Irena",    "Jadwiga",  "Ewa",        "Agnieszka", "Helena", "Grażyna",
    "Bożena", "Stanisława", "Urszula",  "Janina",   "Jolanta",    "Wiesława",  "Dorota", "Łucja",
    "Renata", "Józefa",     "Marianna", "Genowefa", "Aleksandra", "Bożenna"};

constexpr std::array<std::string_view, 48> kSurnames{
    "Nowak",       "Kowalski",    "Wiśniewski",  "Wójcik",    "Kowalczyk",  "Kamiński",
    "Lewandowski", "Zieliński",   "Szymański",   "Woźniak",   "Dąbrowski",  "Kozłowski",
    "Jankowski",   "Mazur",       "Kwiatkowski", "Krawczyk",  "Piotrowski", "Grabowski",
    "Nowakowski",  "Pawłowski",   "Michalski",   "Król",      "Wieczorek",  "Jabłoński",
    "Wróbel",      "Majewski",    "Olszewski",   "Stępień",   "Malinowski", "Jaworski",
    "Adamczyk",    "Dudek",       "Nowicki",     "Pawlak",    "Górski",     "Witkowski",
    "Sikora",      "Walczak",     "Baran",       "Rutkowski", "Michalak",   "Szewczyk",
    "Ostrowski",   "Tomaszewski", "Pietrzak",    "Zając",     "Jasiński",   "Łętowski"};

constexpr std::array<std::string_view, 44> kStreets{
    "Polna",        "Leśna",           "Słoneczna",    "Krótka",       "Szkolna",
    "Ogrodowa",     "Lipowa",          "Łąkowa",       "Brzozowa",     "Kwiatowa",
    "Kościelna",    "Sosnowa",         "Zielona",      "Parkowa",      "Akacjowa",
    "Mickiewicza",  "Kościuszki",      "Słowackiego",  "Sienkiewicza", "Żeromskiego",
    "Piłsudskiego", "Reymonta",        "Kopernika",    "Chopina",      "Konopnickiej",
    "3 Maja",       "Rynek",           "Źródlana",     "Nadbrzeżna",   "Wąska",
    "Długa",        "Św. Floriana",    "Jagiellońska", "Grunwaldzka",  "Żwirki i Wigury",
    "Ogrodników",   "Krakowska",       "Nowosądecka",  "Tarnowska",    "Zdrojowa",
    "polna",        "Wincentego Pola", "Batorego",     "Łukasiewicza"};

constexpr std::array<std::string_view, 40> kLocalities{
    "Łącko",           "Zabrzeż",       "Jazowsko",   "Czerniec",     "Kicznia",
    "Maszkowice",      "Obidza",        "Zagorzyn",   "Wola Kosnowa", "Szczereż",
    "Stary Sącz",      "Gołkowice",     "Barcice",    "Przysietnica", "Moszczenica Niżna",
    "Chełmiec",        "Klęczany",      "Świniarsko", "Trzetrzewina", "Marcinkowice",
    "Krynica-Zdrój",   "Tylicz",        "Muszyna",    "Żegiestów",    "Piwniczna-Zdrój",
    "Rytro",           "Łomnica-Zdrój", "Grybów",     "Biała Niżna",  "Ptaszkowa",
    "Kamionka Wielka", "Nawojowa",      "Łabowa",     "Korzenna",     "Łososina Dolna",
    "Tęgoborze",       "Podegrodzie",   "Gostwica",   "Brzezna",      "Olszanka"};

constexpr std::array<Commune, 24> kCommunes{{
    {12, 7, "Łącko"},
    {12, 11, "Stary Sącz"},
    {12, 3, "Chełmiec"},
    {12, 1, "Grybów"},
    {12, 5, "Kamionka Wielka"},
    {12, 6, "Korzenna"},
    {12, 8, "Łabowa"},
    {12, 9, "Łososina Dolna"},
    {12, 10, "Muszyna"},
    {12, 12, "Nawojowa"},
    {12, 13, "Piwniczna-Zdrój"},
    {12, 14, "Podegrodzie"},
    {12, 15, "Rytro"},
    {12, 16, "Krynica-Zdrój"},
    {12, 2, "Gródek nad Dunajcem"},
    {12, 4, "Gorlice"},
    {12, 17, "Limanowa"},
    {12, 18, "Żabno"},
    {6, 1, "Zamość"},
    {6, 2, "Łęczna"},
    {24, 3, "Świętochłowice"},
    {14, 4, "Łomianki"},
    {30, 5, "Śrem"},
    {2, 6, "Żmigród"},
}};

constexpr std::array<std::string_view, 16> kInstitutions{
    "Urząd Gminy w Łącku",
    "Starostwo Powiatowe w Nowym Sączu",
    "Przedsiębiorstwo Geodezyjno-Kartograficzne GEOPOMIAR Spółka z o.o.",
    "Zakład Usług Geodezyjnych i Kartograficznych",
    "Spółdzielnia Mieszkaniowa Słoneczne Wzgórze",
    "Gminna Spółdzielnia Samopomoc Chłopska",
    "Zarząd Dróg Powiatowych",
    "Powiatowy Ośrodek Dokumentacji Geodezyjnej i Kartograficznej",
    "Parafia Rzymskokatolicka pw. Św. Józefa",
    "Nadleśnictwo Stary Sącz",
    "Małopolskie Biuro Geodezji i Terenów Rolnych",
    "Usługi Geodezyjne GEO-ŁAD",
    "Przedsiębiorstwo Wodociągów i Kanalizacji",
    "Rolnicza Spółdzielnia Produkcyjna Źródło",
    "Ochotnicza Straż Pożarna",
    "Zakład Energetyczny Kraków SA Rejon Energetyczny Nowy Sącz"};

constexpr std::array<std::string_view, 20> kPrecincts{
    "Łącko",      "Zabrzeż",      "Jazowsko",         "Czerniec",     "Kicznia",
    "Maszkowice", "Obidza",       "Zagorzyn",         "Wola Kosnowa", "Szczereż",
    "Brzyna",     "Czarny Potok", "Łazy Biegonickie", "Zarzecze",     "Kadcza",
    "Olszana",    "Świdnik",      "Żbikowice",        "Gaboń",        "Przyszowa"};

constexpr std::array<std::string_view, 12> kRemarks{"",
                                                    "",
                                                    "",
                                                    "uszkodzona okładka",
                                                    "brak szkicu polowego",
                                                    "kopia w archiwum zakładowym",
                                                    "wypożyczono do sądu",
                                                    "aktualizacja po scaleniu gruntów",
                                                    "pomiar uzupełniający",
                                                    "dokumentacja niekompletna",
                                                    "zwrot częściowy",
                                                    "wgląd na miejscu"};

}  // namespace

std::span<const std::string_view> MaleFirstNames() {
  return kMale;
}
std::span<const std::string_view> FemaleFirstNames() {
  return kFemale;
}
std::span<const std::string_view> Surnames() {
  return kSurnames;
}
std::span<const std::string_view> StreetNames() {
  return kStreets;
}
std::span<const std::string_view> Localities() {
  return kLocalities;
}
std::span<const Commune> Communes() {
  return kCommunes;
}
std::span<const std::string_view> Institutions() {
  return kInstitutions;
}
std::span<const std::string_view> Precincts() {
  return kPrecincts;
}
std::span<const std::string_view> Remarks() {
  return kRemarks;
}

}  // namespace konwerter::tools::sample
