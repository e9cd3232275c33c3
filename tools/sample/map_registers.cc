// BDGMAPAZ, BDGMAPAE, BDGZARYSY: the map documentation register (KMZ), the KME register and
// the register of outlines, each with its loan movements.

#include <string>
#include <vector>

#include "tools/dos/dos_table_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/movements.h"
#include "tools/sample/raster_extents.h"
#include "tools/sample/site_domains.h"
#include "tools/sample/word_lists.h"

namespace konwerter::tools::sample {

namespace {

// A dictionary whose records carry a code that is only tested for being set.
std::uint16_t WriteCodedTable(
    SiteContext& site, const char* file, const std::vector<DosField>& fields,
    const std::vector<std::pair<std::string_view, std::string_view>>& rows) {
  SampleTable table(site.files, SiteFolder::kMapsKmz, file, fields);
  for (const auto& [name, code] : rows) {
    const auto record = static_cast<std::uint16_t>(table.count() + 1);
    table.Add({DosReference(record == 3 ? 0 : record), Cp852(name), Cp852(code)});
  }
  table.Finish();
  return static_cast<std::uint16_t>(table.count());
}

void WriteKmz(SiteContext& site) {
  SiteRandom& random = site.random;
  site.model.descriptions = WriteCodedTable(
      site, "slownik.dbf", {Text("SKR_OPIS", 2), Text("OPIS", 50), Text("KOD_OPIS", 2)},
      {{"mapa zasadnicza", "MZ"},
       {"mapa ewidencyjna", "ME"},
       {"opis nieaktualny", "XX"},
       {"mapa sytuacyjno-wysokościowa", "SW"},
       {"mapa uzbrojenia terenu", "UT"},
       {"mapa klasyfikacyjna gleb", "KG"},
       {"szkic przeglądowy", "SP"}});
  site.model.document_kinds = WriteCodedTable(
      site, "IND_DOK.DBF", {Text("SKR_DOK", 2), Text("NAZ_DOK", 15), Text("KOD_DOK", 2)},
      {{"oryginał", "OR"},
       {"kopia", "KO"},
       {"nieużywany", "NU"},
       {"matryca", "MA"},
       {"diapozytyw", "DI"},
       {"odbitka", "OD"}});
  SampleTable table(site.files, SiteFolder::kMapsKmz, "metryka.dbf",
                    {Text("ID_DOK", 4), Text("SKR_DOK", 2), Text("GODLO", 13), Text("UKLAD", 1),
                     Text("NR_EWID", 15), Text("SKR_OPIS", 2), Text("D_ZAL", 8), Text("D_AKT", 8),
                     Text("ID_OSOBY", 4), Text("D_WYP", 8), Text("D_PLAN", 8), Text("ID_ZAM", 4),
                     Text("UWAGI", 30)});
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(250));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool lent = random.Percent(30);
    std::string system = random.Percent(95) ? "6" : "a";
    if (i % 61 == 9) system = "\xFF";  // a record the DOS edition marked as cancelled
    table.Add({DosKey(i % 71 == 13 ? 0 : keys[i]), ReferenceTo(random, site.model.document_kinds),
               SomeSheet(random), system, "KMZ-" + std::to_string(i + 1),
               ReferenceTo(random, site.model.descriptions), DateText(random, 95),
               DateText(random, 40), lent ? KeyOf(random, site.model.persons, 0) : DosKey(0),
               lent ? SomeDate(random) : "", lent ? DateText(random, 80) : "",
               KeyOf(random, site.model.works, 60), Cp852(random.Pick(Remarks()))},
              random.Percent(2));
  }
  table.Finish();
  WriteLoanMovements(site, SiteFolder::kMapsKmz, "ruch_m.dbf", table.count());
}

struct Register {
  SiteFolder folder;
  const char* table;
  const char* key;
  bool with_kind;
  const char* movements;
  const char* extents;
  std::uint32_t per_scale;
};

void WriteRegister(SiteContext& site, const Register& definition) {
  SiteRandom& random = site.random;
  std::vector<DosField> fields{Text(definition.key, 4)};
  if (definition.with_kind) fields.push_back(Text("SKR_DOK", 2));
  for (DosField field : {Text("CZLON_1", 4), Text("CZLON_2", 4), Number("CZLON_3", 6),
                         Text("CZLON_4", 4), Text("ID_OSOBY", 4), Text("D_WYP", 8),
                         Text("D_PLAN", 8), Text("ID_ZAM", 4), Text("UWAGI", 30)}) {
    fields.push_back(std::move(field));
  }
  SampleTable table(site.files, definition.folder, definition.table, std::move(fields));
  const std::vector<std::uint32_t> keys = KeyHistory(random, site.Count(definition.per_scale));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const bool lent = random.Percent(25);
    std::vector<std::string> values{DosKey(i % 67 == 11 ? kSpacesKey : keys[i])};
    if (definition.with_kind) values.push_back(ReferenceTo(random, site.model.document_kinds));
    const std::string commune = i % 59 == 7 ? std::string(4, '\xFF') : CommuneSegment(random);
    for (std::string value : {commune, std::string(random.Percent(80) ? "1" : "2"),
                              Whole(static_cast<long long>(i % 999999 + 1), 6),
                              std::string(random.Percent(90) ? "" : "A"),
                              lent ? KeyOf(random, site.model.persons, 0) : DosKey(0),
                              lent ? SomeDate(random) : "", lent ? DateText(random, 80) : "",
                              KeyOf(random, site.model.works, 70), Cp852(random.Pick(Remarks()))}) {
      values.push_back(std::move(value));
    }
    table.Add(values, random.Percent(2));
  }
  table.Finish();
  WriteLoanMovements(site, definition.folder, definition.movements, table.count());
  WriteRasterExtents(site, definition.folder, definition.extents, table.count());
}

}  // namespace

void WriteMapRegisters(SiteContext& site) {
  WriteKmz(site);
  WriteRegister(
      site, {SiteFolder::kMapsKme, "M_EWID.DBF", "ID_EWID", true, "ruch_e.dbf", "ob_re.dbf", 250});
  WriteRegister(site, {SiteFolder::kOutlines, "z_ewid.dbf", "ID_ZARYS", false, "ruch_z.dbf",
                       "ob_rz.dbf", 200});
}

}  // namespace konwerter::tools::sample
