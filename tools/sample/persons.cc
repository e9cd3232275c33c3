// BDGOSOBY: the register of persons and institutions with its address dictionaries.

#include <algorithm>
#include <string>
#include <vector>

#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/ntx_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

namespace tables = source::tables;

constexpr std::size_t kLineWidth = 30;

struct Dictionaries {
  std::uint32_t first_names = 0;  // male names first, then female ones
  std::uint32_t male_names = 0;
  std::uint32_t communes = 0;
  std::uint32_t localities = 0;
  std::uint32_t streets = 0;
};

// A dictionary of names: one `nazwa` per record.
std::uint32_t WriteNames(SiteContext& site, const tables::TableLayout& layout, NameCase name_case,
                         const std::vector<std::string_view>& names) {
  SampleTable table(site.files, layout, name_case);
  for (const std::string_view name : names) table.Add({{"NAZWA", Cp852(name)}});
  table.Finish();
  return table.count();
}

std::uint32_t WriteCommunes(SiteContext& site) {
  SampleTable table(site.files, tables::kGmina, NameCase::kUpper);
  const auto add = [&](std::uint16_t id, int voivodeship, int number, std::string_view name,
                       bool deleted) {
    table.Add({{"ID", DosReference(id)},
               {"NR_W", Whole(voivodeship, 2)},
               {"NR_G", Whole(number, 3)},
               {"NAZWA", Cp852(name)}},
              deleted);
  };
  for (const Commune& commune : Communes()) {
    add(static_cast<std::uint16_t>(table.count() + 1), commune.voivodeship, commune.number,
        commune.name, false);
  }
  // A commune without a key and a deleted one.
  add(0, 12, 99, "Gmina bez numeru", false);
  add(kNoReference, 12, 98, "Nowy Sącz", true);
  table.Finish();
  return table.count();
}

Dictionaries WriteDictionaries(SiteContext& site) {
  Dictionaries dictionaries;
  std::vector<std::string_view> first_names(MaleFirstNames().begin(), MaleFirstNames().end());
  dictionaries.male_names = static_cast<std::uint32_t>(first_names.size());
  first_names.insert(first_names.end(), FemaleFirstNames().begin(), FemaleFirstNames().end());
  dictionaries.first_names =
      WriteNames(site, tables::kImiona, NameCase::kAsCatalogued, first_names);
  dictionaries.communes = WriteCommunes(site);
  std::vector<std::string_view> localities(Localities().begin(), Localities().end());
  localities.emplace_back("");  // a locality whose name was cleared
  dictionaries.localities = WriteNames(site, tables::kMiejsc, NameCase::kAsCatalogued, localities);
  std::vector<std::string_view> streets(StreetNames().begin(), StreetNames().end());
  streets.insert(streets.begin() + 5, "");
  dictionaries.streets = WriteNames(site, tables::kUlice, NameCase::kUpper, streets);
  return dictionaries;
}

// The full name of a person, as the DOS edition keeps it in 30-character lines.
struct PersonName {
  std::string key;                 // `nazwa`: the short name, upper case
  std::vector<std::string> lines;  // cp852, each at most 30 characters
  std::uint16_t first_name = 0;    // reference into imiona.dbf
  int o = 2;                       // 1: no first name in front
  char kind = 'F';
};

std::vector<std::string> Wrap(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size() && lines.size() < 4; at += kLineWidth) {
    lines.push_back(text.substr(at, kLineWidth));
  }
  return lines;
}

PersonName SomePersonName(SiteContext& site, const Dictionaries& dictionaries) {
  SiteRandom& random = site.random;
  PersonName name;
  if (random.Percent(12)) {
    const std::string institution = Cp852(random.Pick(Institutions()));
    name.key = Cp852Upper(institution.substr(0, 20));
    name.lines = Wrap(institution);
    name.o = 1;
    name.kind = random.Percent(50) ? 'I' : 'i';
    if (random.Percent(10)) name.lines.clear();  // a short name only
    return name;
  }
  const bool female = random.Percent(45);
  std::string surname = Cp852(random.Pick(Surnames()));
  if (female && surname.size() > 1 && surname.back() == 'i') surname.back() = 'a';
  name.key = Cp852Upper(surname);
  name.first_name = static_cast<std::uint16_t>(
      female ? dictionaries.male_names + 1 +
                   random.Below(dictionaries.first_names - dictionaries.male_names)
             : 1 + random.Below(dictionaries.male_names));
  if (random.Percent(5)) name.first_name = 0;
  if (random.Percent(4)) name.first_name = kNoReference;
  if (random.Percent(85)) name.lines.push_back(random.Percent(50) ? name.key : surname);
  if (random.Percent(3)) name.lines.push_back(Cp852("(współwłaściciel)"));
  name.kind = random.Percent(90) ? 'F' : 'f';
  return name;
}

std::string Digits(SiteRandom& random, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.Below(10));
  return digits;
}

// A reference into a dictionary of `count` records: now and then unset, or past its end.
std::string AddressReference(SiteRandom& random, std::uint32_t count) {
  const int roll = random.Between(1, 100);
  if (roll <= 6) return DosReference(roll <= 3 ? 0 : kNoReference);
  if (roll == 7) return DosReference(static_cast<std::uint16_t>(count + 5));
  return DosReference(static_cast<std::uint16_t>(1 + random.Below(count)));
}

std::vector<FieldValue> PersonRecord(SiteContext& site, const Dictionaries& dictionaries,
                                     std::uint32_t key, const PersonName& name) {
  SiteRandom& random = site.random;
  const bool institution = name.o == 1;
  std::string pesel = institution ? "" : Digits(random, 11);
  if (!institution && random.Percent(10)) pesel = "          0";
  return {
      {"ID", DosKey(key)},
      {"O", Whole(name.o, 1)},
      {"NAZWA", name.key},
      {"IMIE_1", DosReference(name.first_name)},
      {"ID_G", AddressReference(random, dictionaries.communes - 2)},
      {"ID_M", AddressReference(random, dictionaries.localities)},
      {"ID_U",
       random.Percent(25) ? DosReference(0) : AddressReference(random, dictionaries.streets)},
      {"KOD", random.Percent(8) ? "" : "3" + Digits(random, 1) + "3" + Digits(random, 2)},
      {"NR_D", std::to_string(random.Between(1, 250)) + (random.Percent(10) ? "A" : "")},
      {"NR_L", random.Percent(30) ? std::to_string(random.Between(1, 60)) : ""},
      {"NR_P", pesel},
      {"RODZAJ_O", std::string(1, name.kind)},
      {"NIP", institution || random.Percent(10)
                  ? "734-" + Digits(random, 3) + "-" + Digits(random, 2) + "-" + Digits(random, 2)
                  : ""},
      {"KONTO", random.Percent(15) ? Digits(random, 10) : ""},
      {"UPRAWNIENI", random.Percent(5) ? Cp852("upr. zaw. nr ") + Digits(random, 5) : ""}};
}

}  // namespace

void WritePersons(SiteContext& site) {
  const Dictionaries dictionaries = WriteDictionaries(site);
  SampleTable persons(site.files, tables::kOsoby, NameCase::kUpper);
  SampleTable lines(site.files, tables::kNazwy);
  std::vector<NtxEntry> index;

  const std::vector<std::uint32_t> keys = KeyHistory(site.random, site.Count(400));
  for (const std::uint32_t key : keys) {
    const PersonName name = SomePersonName(site, dictionaries);
    const bool deleted = site.random.Percent(2);
    persons.Add(PersonRecord(site, dictionaries, key, name), deleted);
    if (!deleted) site.model.persons.push_back(key);
    // Lines are stored in the order they were typed; now and then the second line first.
    std::vector<std::size_t> order(name.lines.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (order.size() > 1 && site.random.Percent(30)) std::swap(order[0], order[1]);
    for (const std::size_t i : order) {
      lines.Add({{"ID_OS", DosKey(key)},
                 {"LP", Whole(static_cast<long long>(i) + 1, 1)},
                 {"NAZWA", name.lines[i]}});
      index.push_back({DosKey(key) + static_cast<char>(i + 1), lines.count()});
    }
  }
  // The records that the persons register skips: keys that are not set, and a key that
  // appears twice.
  const PersonName placeholder{Cp852("DUPLIKAT"), {Cp852("Duplikat osoby")}, 0, 1, 'F'};
  for (const std::uint32_t unset : {0u, kSpacesKey, kNoKey}) {
    persons.Add(PersonRecord(site, dictionaries, unset, placeholder));
  }
  persons.Add(PersonRecord(site, dictionaries, keys.front(), placeholder));
  persons.Finish();
  lines.Finish();

  NtxOptions options;
  options.key_size = 5;
  options.expression = "ID_OS+CHR(LP)";
  const auto index_path = site.files.PathOf(SiteFolder::kPersons, "nazwy.ntx");
  const auto entries = index.size();
  WriteNtx(index_path, options, std::move(index));
  site.files.Note(index_path, SampleFileKind::kIndex, entries);
}

}  // namespace konwerter::tools::sample
