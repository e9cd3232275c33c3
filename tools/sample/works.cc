// BDGROBOTY and BDLZGLO: the works, the reported works and their dictionaries (features,
// assortments, precincts, parcels).

#include <algorithm>
#include <string>
#include <vector>

#include "tools/dos/dos_table_writer.h"
#include "tools/dos/ntx_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

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

std::uint16_t WriteCodedDictionary(SiteContext& site, SiteFolder folder, const char* file,
                                   const std::vector<DosField>& fields,
                                   std::span<const CodedName> entries) {
  SampleTable table(site.files, folder, file, fields);
  for (const CodedName& entry : entries) {
    table.Add({DosReference(static_cast<std::uint16_t>(table.count() + 1)), Cp852(entry.code),
               Cp852(entry.name)});
  }
  // A record without a code (skipped) and a deleted one, still in the record numbering.
  table.Add({DosReference(0), "XX", Cp852("pozycja bez kodu")});
  table.Add({DosReference(static_cast<std::uint16_t>(table.count() + 1)), "UU",
             Cp852("usunięta pozycja")},
            true);
  // Referred to: every record up to here. The last one nobody refers to, so it is written
  // only while unlinked records are kept.
  const auto referred = static_cast<std::uint16_t>(table.count());
  table.Add(
      {DosReference(static_cast<std::uint16_t>(referred + 1)), "NU", Cp852("nieużywana pozycja")});
  table.Finish();
  return referred;
}

void WritePrecincts(SiteContext& site) {
  SampleTable table(site.files, SiteFolder::kWorks, "obreb.dbf",
                    {Text("ID_OBR", 4), Text("NR_G", 5), Text("NR_OBR", 4), Text("NAZWA", 30),
                     Text("KOD_OBR", 2)});
  const auto names = Precincts();
  const std::vector<std::uint32_t> keys = KeyHistory(site.random, site.Count(20));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    char commune[8];
    std::snprintf(commune, sizeof commune, "10%03d", Communes()[i % 4].number);
    char number[8];
    std::snprintf(number, sizeof number, "%04zu", i % 9999 + 1);
    table.Add(
        {DosKey(keys[i]), commune, number, Cp852(names[i % names.size()]), i % 3 == 0 ? "01" : ""});
    site.model.precincts.push_back(keys[i]);
  }
  table.Add({DosKey(kSpacesKey), "10007", "9999", Cp852("Obręb bez klucza"), ""});
  // Precincts no parcel lies in.
  const std::uint32_t last = keys.empty() ? 0 : *std::max_element(keys.begin(), keys.end());
  table.Add({DosKey(last + 1), "1007", "0001", Cp852("Obręb bez działek"), ""});
  table.Add({DosKey(last + 2), "", "0002", Cp852("Obręb bez gminy"), ""});
  table.Finish();
}

void WriteParcels(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, SiteFolder::kWorks, "dz.dbf",
                    {Text("ID_DZIALKI", 4), Text("ID_OBREBU", 4), Number("L_DZIALKI", 6),
                     Number("M_DZIALKI", 4), Number("NR_ARKUSZA", 3)});
  for (const std::uint32_t key : KeyHistory(random, site.Count(600))) {
    const bool divided = random.Percent(30);
    const bool deleted = random.Percent(2);
    table.Add({DosKey(key), KeyOf(random, site.model.precincts, 1),
               Whole(random.Between(1, 2500), 6), Whole(divided ? random.Between(1, 40) : 0, 4),
               random.Percent(10) ? "" : Whole(random.Between(1, 30), 3)},
              deleted);
    if (!deleted) site.model.parcels.push_back(key);
  }
  table.Add({DosKey(0), DosKey(0), Whole(1, 6), Whole(0, 4), Whole(1, 3)});
  table.Finish();
}

struct Work {
  std::uint32_t key = 0;
  bool reported = false;
};

std::vector<Work> WriteWorkList(SiteContext& site) {
  SiteRandom& random = site.random;
  SampleTable table(
      site.files, SiteFolder::kWorks, "roboty.dbf",
      {Text("ID_KERG", 4), Text("JEDN_SEG", 4), Number("NR_PORZ", 5), Number("ROK", 4),
       Number("LP", 4), Text("INNA_NAZWA", 20), Logical("JESTWKERGU")});
  std::vector<Work> works;
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(300));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const Work work{keys[i], random.Percent(60)};
    std::string segment = random.Percent(10) ? "" : "  " + std::to_string(random.Between(1, 99));
    if (random.Percent(20)) segment = "A" + std::to_string(random.Between(1, 9));
    const int lp = i % 97 == 5 ? 1000 : random.Between(1, 999);
    table.Add({DosKey(work.key), segment, Whole(random.Between(1, 9999), 5),
               Whole(random.Between(1992, 2004), 4), Whole(lp, 4),
               random.Percent(10) ? Cp852("robota zlecona przez gminę") : "",
               YesNo(work.reported)});
    works.push_back(work);
    site.model.works.push_back(work.key);
  }
  table.Add({DosKey(0), "1", Whole(1, 5), Whole(2000, 4), Whole(1, 4), "", YesNo(true)});
  table.Add({DosKey(kNoKey), "1", Whole(2, 5), Whole(2000, 4), Whole(2, 4), "", YesNo(false)});
  table.Finish();
  return works;
}

void WriteReportedWorks(SiteContext& site, const std::vector<Work>& works) {
  SiteRandom& random = site.random;
  SampleTable table(site.files, SiteFolder::kRegister, "KERG.DBF",
                    {Text("ID_KERG", 4), Number("NR_G", 3), Text("NR_WYK", 15), Text("WYKON", 4),
                     Text("ZLECEN", 4), Text("UWAGI", 50), Text("POL_WL", 60), Text("D_P_ZAK", 8),
                     Text("D_ROZ_P", 8), Text("D_PRZ_O", 8), Text("OPIS", 80)});
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
    table.Add({DosKey(work.key), Whole(commune.number, 3),
               "GKN-" + std::to_string(random.Between(1, 999)) + "/" +
                   std::to_string(random.Between(1992, 2004)),
               KeyOf(random, site.model.persons, 5), KeyOf(random, site.model.persons, 10),
               Cp852(random.Pick(Remarks())),
               Cp852("gm. ") + Cp852(commune.name) + ", " + Cp852(random.Pick(Localities())),
               DateText(random, 90), DateText(random, 70), DateText(random, 60),
               Cp852(random.Pick(std::span<const CodedName>(kAssortments)).name)});
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
  SampleTable quantities(site.files, SiteFolder::kRegister, "kergasor.dbf",
                         {Text("ID_RKERG", 4), Text("RO_ROBOTY", 2), Number("WIELKOSC", 10, 4)});
  SampleTable parcels(site.files, SiteFolder::kRegister, "obdg.dbf",
                      {Text("ID_OPE", 4), Text("ID_DZIALKI", 4), Text("PRZED_PO", 1)});
  for (std::uint32_t record = 1; record <= records; ++record) {
    for (int i = random.Between(0, 2); i > 0; --i) {
      quantities.Add({DosKey(record), ReferenceTo(random, site.model.assortments),
                      DosNumber(random.Between(1, 200000) / 100.0, 10, 4)});
    }
    for (int i = random.Between(0, 2); i > 0; --i) {
      parcels.Add(
          {DosKey(record), KeyOf(random, site.model.parcels), random.Percent(50) ? "0" : "1"});
    }
  }
  quantities.Add({DosKey(0), DosReference(1), DosNumber(1, 10, 4)});
  parcels.Add({DosKey(records + 300), KeyOf(random, site.model.parcels, 0), "1"});
  quantities.Finish();
  parcels.Finish();
  WriteRasterExtents(site, SiteFolder::kRegister, "ob_rr.dbf", records);
}

}  // namespace

void WriteWorks(SiteContext& site) {
  // The earlier edition of the system kept no features.
  if (!site.earlier_orders_edition) {
    site.model.features = WriteCodedDictionary(
        site, SiteFolder::kWorks, "cechy.dbf",
        {Text("ID_CECHY", 2), Text("CECHA", 2), Text("NAZ_CECHY", 60)}, kFeatures);
  }
  site.model.assortments = WriteCodedDictionary(
      site, SiteFolder::kRegister, "asortym.dbf",
      {Text("ID_ASORT", 2), Text("ASORT", 2), Text("NAZWA_A", 60)}, kAssortments);
  WritePrecincts(site);
  WriteParcels(site);
  const std::vector<Work> works = WriteWorkList(site);
  WriteReportedWorks(site, works);
  WriteRegisterLinks(site);
}

}  // namespace konwerter::tools::sample
