// BDGROBOTY and BDLZGLO: the works, the reported works and their dictionaries (features,
// assortments, precincts, parcels).

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "source/table_catalogue.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/ntx_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

namespace tables = source::tables;

struct CodedName {
  std::string_view code;
  std::string_view name;
};

constexpr CodedName kFeatures[] = {
    {"NP", "numeryczny plik"},        {"WS", "współrzędne punktów"},    {"SZ", "szkic polowy"},
    {"DZ", "dziennik pomiaru"},       {"OT", "opis topograficzny"},     {"MP", "mapa porównania"},
    {"WY", "wykaz zmian gruntowych"}, {"PR", "protokół granic"},        {"OB", "obliczenia"},
    {"KA", "kopia mapy zasadniczej"}, {"ŁK", "łącznik kartometryczny"}, {"ŹR", "źródłowe"}};

constexpr CodedName kAssortments[] = {{"PO", "podział nieruchomości"},
                                      {"WZ", "wznowienie znaków granicznych"},
                                      {"MA", "mapa do celów projektowych"},
                                      {"IN", "inwentaryzacja powykonawcza"},
                                      {"RO", "rozgraniczenie nieruchomości"},
                                      {"TY", "tyczenie budynku"},
                                      {"SC", "scalenie gruntów"},
                                      {"AK", "aktualizacja operatu ewidencyjnego"},
                                      {"MW", "mapa z projektem podziału"},
                                      {"OS", "osnowa szczegółowa"},
                                      {"ZŁ", "założenie ewidencji budynków"},
                                      {"WŁ", "ustalenie przebiegu granic własności"},
                                      {"PŻ", "pomiar sytuacyjno-wysokościowy"},
                                      {"GR", "gleboznawcza klasyfikacja gruntów"}};

// The fields of a coded dictionary: its own reference, the code and the name.
struct CodedFields {
  std::string_view key, code, name;
};

std::uint16_t WriteCodedDictionary(SiteContext& site, const tables::TableLayout& layout,
                                   const CodedFields& fields, std::span<const CodedName> entries) {
  SampleTable table(site.files, layout);
  const auto add = [&](std::uint16_t key, std::string code, std::string_view name, bool deleted) {
    table.Add({{fields.key, DosReference(key)}, {fields.code, code}, {fields.name, Cp852(name)}},
              deleted);
  };
  for (const CodedName& entry : entries) {
    add(static_cast<std::uint16_t>(table.count() + 1), Cp852(entry.code), entry.name, false);
  }
  // A record without a code (skipped) and a deleted one, still in the record numbering.
  add(0, "XX", "pozycja bez kodu", false);
  add(static_cast<std::uint16_t>(table.count() + 1), "UU", "usunięta pozycja", true);
  // Referred to: every record up to here. The last one nobody refers to, so it is written
  // only while unlinked records are kept.
  const auto referred = static_cast<std::uint16_t>(table.count());
  add(static_cast<std::uint16_t>(referred + 1), "NU", "nieużywana pozycja", false);
  table.Finish();
  return referred;
}

void WritePrecincts(SiteContext& site) {
  SampleTable table(site.files, tables::kObreb);
  const auto add = [&](std::uint32_t key, std::string commune, std::string number,
                       std::string_view name, std::string code) {
    table.Add({{"ID_OBR", DosKey(key)},
               {"NR_G", std::move(commune)},
               {"NR_OBR", std::move(number)},
               {"NAZWA", Cp852(name)},
               {"KOD_OBR", std::move(code)}});
  };
  const auto names = Precincts();
  const std::vector<std::uint32_t> keys = KeyHistory(site.random, site.Count(20));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    char commune[8];
    std::snprintf(commune, sizeof commune, "10%03d", Communes()[i % 4].number);
    char number[8];
    std::snprintf(number, sizeof number, "%04zu", i % 9999 + 1);
    add(keys[i], commune, number, names[i % names.size()], i % 3 == 0 ? "01" : "");
    site.model.precincts.push_back(keys[i]);
  }
  add(kSpacesKey, "10007", "9999", "Obręb bez klucza", "");
  // Precincts no parcel lies in.
  const std::uint32_t last = keys.empty() ? 0 : *std::max_element(keys.begin(), keys.end());
  add(last + 1, "1007", "0001", "Obręb bez działek", "");
  add(last + 2, "", "0002", "Obręb bez gminy", "");
  table.Finish();
}

void WriteParcels(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, tables::kDz);
  for (const std::uint32_t key : KeyHistory(random, site.Count(600))) {
    const bool divided = random.Percent(30);
    const bool deleted = random.Percent(2);
    table.Add({{"ID_DZIALKI", DosKey(key)},
               {"ID_OBREBU", KeyOf(random, site.model.precincts, 1)},
               {"L_DZIALKI", Whole(random.Between(1, 2500), 6)},
               {"M_DZIALKI", Whole(divided ? random.Between(1, 40) : 0, 4)},
               {"NR_ARKUSZA", random.Percent(10) ? "" : Whole(random.Between(1, 30), 3)}},
              deleted);
    if (!deleted) site.model.parcels.push_back(key);
  }
  table.Add({{"ID_DZIALKI", DosKey(0)},
             {"ID_OBREBU", DosKey(0)},
             {"L_DZIALKI", Whole(1, 6)},
             {"M_DZIALKI", Whole(0, 4)},
             {"NR_ARKUSZA", Whole(1, 3)}});
  table.Finish();
}

struct Work {
  std::uint32_t key = 0;
  bool reported = false;
};

std::vector<Work> WriteWorkList(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, tables::kRoboty);
  std::vector<Work> works;
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(300));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const Work work{keys[i], random.Percent(60)};
    std::string segment = random.Percent(10) ? "" : "  " + std::to_string(random.Between(1, 99));
    if (random.Percent(20)) segment = "A" + std::to_string(random.Between(1, 9));
    const int lp = i % 97 == 5 ? 1000 : random.Between(1, 999);
    table.Add({{"ID_KERG", DosKey(work.key)},
               {"JEDN_SEG", segment},
               {"NR_PORZ", Whole(random.Between(1, 9999), 5)},
               {"ROK", Whole(random.Between(1992, 2004), 4)},
               {"LP", Whole(lp, 4)},
               {"INNA_NAZWA", random.Percent(10) ? Cp852("robota zlecona przez gminę") : ""},
               {"JESTWKERGU", YesNo(work.reported)}});
    works.push_back(work);
    site.model.works.push_back(work.key);
  }
  for (const auto& [key, number, reported] :
       {std::tuple{0u, 1, true}, std::tuple{kNoKey, 2, false}}) {
    table.Add({{"ID_KERG", DosKey(key)},
               {"JEDN_SEG", "1"},
               {"NR_PORZ", Whole(number, 5)},
               {"ROK", Whole(2000, 4)},
               {"LP", Whole(number, 4)},
               {"JESTWKERGU", YesNo(reported)}});
  }
  table.Finish();
  return works;
}

void WriteReportedWorks(SiteContext& site, const std::vector<Work>& works) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, tables::kKerg, NameCase::kUpper);
  std::vector<NtxEntry> index;
  bool left_out = false;
  for (const Work& work : works) {
    if (!work.reported) continue;
    // One reported work lost its register record.
    if (!left_out && work.key > 10) {
      left_out = true;
      continue;
    }
    const Commune& commune = Communes()[random.Below(6)];
    table.Add(
        {{"ID_KERG", DosKey(work.key)},
         {"NR_G", Whole(commune.number, 3)},
         {"NR_WYK", "GKN-" + std::to_string(random.Between(1, 999)) + "/" +
                        std::to_string(random.Between(1992, 2004))},
         {"WYKON", KeyOf(random, site.model.persons, 5)},
         {"ZLECEN", KeyOf(random, site.model.persons, 10)},
         {"UWAGI", Cp852(random.Pick(Remarks()))},
         {"POL_WL", Cp852("gm. ") + Cp852(commune.name) + ", " + Cp852(random.Pick(Localities()))},
         {"D_P_ZAK", DateText(random, 90)},
         {"D_ROZ_P", DateText(random, 70)},
         {"D_PRZ_O", DateText(random, 60)},
         {"OPIS", Cp852(random.Pick(std::span<const CodedName>(kAssortments)).name)}});
    // A stale index lost the entry of register record 3, and that of record 5 leads to
    // record 4, so two reported works are written without their register data.
    const bool stale = site.stale_work_index;
    if (stale && table.count() == 3) continue;
    index.push_back({DosKey(work.key), stale && table.count() == 5 ? 4 : table.count()});
  }
  table.Finish();
  site.model.kerg_records = table.count();
  NtxOptions options;
  options.key_size = 4;
  options.expression = "ID_KERG";
  const auto path = site.files.PathOf(SiteFolder::kRegister, "kerg.ntx");
  const auto entries = index.size();
  WriteNtx(path, options, std::move(index));
  site.files.Note(path, SampleFileKind::kIndex, entries);
}

void WriteRegisterLinks(SiteContext& site) {
  SiteRandom& random = site.random;
  const std::uint32_t records = site.model.kerg_records;
  SampleTable quantities(site.files, tables::kKergasor);
  SampleTable parcels(site.files, tables::kZgloObdg);
  for (std::uint32_t record = 1; record <= records; ++record) {
    for (int i = random.Between(0, 2); i > 0; --i) {
      quantities.Add({{"ID_RKERG", DosKey(record)},
                      {"RO_ROBOTY", ReferenceTo(random, site.model.assortments)},
                      {"WIELKOSC", DosNumber(random.Between(1, 200000) / 100.0, 10, 4)}});
    }
    for (int i = random.Between(0, 2); i > 0; --i) {
      parcels.Add({{"ID_OPE", DosKey(record)},
                   {"ID_DZIALKI", KeyOf(random, site.model.parcels)},
                   {"PRZED_PO", random.Percent(50) ? "0" : "1"}});
    }
  }
  quantities.Add(
      {{"ID_RKERG", DosKey(0)}, {"RO_ROBOTY", DosReference(1)}, {"WIELKOSC", DosNumber(1, 10, 4)}});
  parcels.Add({{"ID_OPE", DosKey(records + 300)},
               {"ID_DZIALKI", KeyOf(random, site.model.parcels, 0)},
               {"PRZED_PO", "1"}});
  quantities.Finish();
  parcels.Finish();
  WriteRasterExtents(site, tables::kObRr, records);
}

}  // namespace

void WriteWorks(SiteContext& site) {
  // The earlier edition of the system kept no features.
  if (!site.earlier_orders_edition) {
    site.model.features =
        WriteCodedDictionary(site, tables::kCechy, {"ID_CECHY", "CECHA", "NAZ_CECHY"}, kFeatures);
  }
  site.model.assortments = WriteCodedDictionary(site, tables::kZgloAsortym,
                                                {"ID_ASORT", "ASORT", "NAZWA_A"}, kAssortments);
  WritePrecincts(site);
  WriteParcels(site);
  const std::vector<Work> works = WriteWorkList(site);
  WriteReportedWorks(site, works);
  WriteRegisterLinks(site);
}

}  // namespace konwerter::tools::sample
